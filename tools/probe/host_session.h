#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "tools/probe/module_library.h"

namespace orvane::tessel::probe {

// A host in a box: initialises the loaded module with a callback that hands every message to the
// sink as it arrives, calls the exports with settings buffers, and cleans the module up at the end.
// The module keeps one instance per process, so only one session may exist at a time.
class host_session {
public:
    // Receives each message: its raw text and its decoded form.
    using message_sink = std::function<void(std::string_view raw, const nlohmann::ordered_json& message)>;

    host_session(module_library& library, message_sink sink);
    ~host_session();
    host_session(const host_session&) = delete;
    host_session& operator=(const host_session&) = delete;

    // The complete definition document, fetched once.
    const nlohmann::ordered_json& document();

    std::int32_t create(std::int32_t id, const std::string& settings);
    std::int32_t scan(std::int32_t id);
    std::int32_t destroy(std::int32_t id);
    std::int32_t check(std::int32_t id, const std::string& settings);
    std::int32_t metascan(std::int32_t id, std::uint32_t request_number, const std::string& settings);
    void module_information(bool load_languages);

    // Messages received since the last call.
    std::vector<nlohmann::ordered_json> take_messages();

private:
    static void on_message(std::uint64_t handle, const std::uint8_t* buffer, std::uint32_t length);

    module_library& library_;
    message_sink sink_;
    std::mutex mutex_;
    std::vector<nlohmann::ordered_json> messages_;
    nlohmann::ordered_json document_;
    bool capture_document_ = false;
};

}  // namespace orvane::tessel::probe
