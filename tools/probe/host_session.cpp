#include "tools/probe/host_session.h"

#include <stdexcept>

namespace orvane::tessel::probe {

namespace {

const std::uint8_t* bytes(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}
std::uint32_t size(const std::string& text) {
    return static_cast<std::uint32_t>(text.size());
}

}  // namespace

host_session::host_session(module_library& library, message_sink sink)
    : library_(library), sink_(std::move(sink)) {
    // The handle brings each message back to this session.
    const auto code = library_.initialize(reinterpret_cast<std::uint64_t>(this), &host_session::on_message);
    if (code != 0) {
        throw std::runtime_error("InitializeModule returned " + std::to_string(code));
    }
}

host_session::~host_session() {
    library_.cleanup();
}

void host_session::on_message(std::uint64_t handle, const std::uint8_t* buffer, std::uint32_t length) {
    auto& session =
        *reinterpret_cast<host_session*>(handle);  // NOLINT(performance-no-int-to-ptr): our own handle
    const std::string_view raw(reinterpret_cast<const char*>(buffer), length);
    // Nothing may throw back into the module through its C callback: a message the probe cannot
    // read is kept as what it is, an undecodable one.
    nlohmann::ordered_json message;
    try {
        message = nlohmann::ordered_json::parse(raw);
        if (session.capture_document_ && message.value("type", "") == "module_information") {
            session.document_ = nlohmann::ordered_json::parse(message.at("document").get<std::string>());
            return;
        }
    } catch (const std::exception&) {
        message = {{"type", "undecodable"}, {"bytes", length}};
    }
    try {
        if (session.sink_) {
            session.sink_(raw, message);
        }
        std::lock_guard lock(session.mutex_);
        session.messages_.push_back(std::move(message));
    } catch (const std::exception&) {
        // The sink printed what it could; the message is lost to the probe, not to the module.
    }
}

const nlohmann::ordered_json& host_session::document() {
    if (document_.is_null()) {
        capture_document_ = true;
        library_.get_module_information(true);
        capture_document_ = false;
        if (document_.is_null()) {
            throw std::runtime_error("the module sent no definition document");
        }
    }
    return document_;
}

std::int32_t host_session::create(std::int32_t id, const std::string& settings) {
    return library_.create_sensor_instance(id, bytes(settings), size(settings));
}

std::int32_t host_session::scan(std::int32_t id) {
    return library_.execute_sensor_scan(id);
}

std::int32_t host_session::destroy(std::int32_t id) {
    return library_.destroy_sensor_instance(id);
}

std::int32_t host_session::check(std::int32_t id, const std::string& settings) {
    return library_.execute_check(id, bytes(settings), size(settings));
}

std::int32_t host_session::metascan(std::int32_t id, std::uint32_t request_number,
                                    const std::string& settings) {
    return library_.execute_meta_scan(id, request_number, bytes(settings), size(settings));
}

void host_session::module_information(bool load_languages) {
    library_.get_module_information(load_languages);
}

std::vector<nlohmann::ordered_json> host_session::take_messages() {
    std::lock_guard lock(mutex_);
    return std::exchange(messages_, {});
}

}  // namespace orvane::tessel::probe
