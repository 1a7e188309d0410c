// Injected faults: which request they hit and what the service answers instead.
#pragma once

#include "common.hpp"

#include <mutex>
#include <optional>
#include <vector>

namespace orvane::tessel::emulator::detail {

class fault_registry {
public:
    std::size_t add(fault f);
    void clear();
    void replace(const std::vector<fault>& faults);

    // Counts the request against every matching fault and returns the one that applies, if any.
    [[nodiscard]] std::optional<fault> match(std::string_view operation, std::string_view region,
                                             std::string_view access_key);

    struct entry {
        std::size_t id = 0;
        fault f;
        std::size_t matched = 0;
        std::size_t applied = 0;
    };
    [[nodiscard]] std::vector<entry> list() const;

private:
    mutable std::mutex mutex_;
    std::vector<entry> entries_;
    std::size_t next_id_ = 1;
};

// The error an error-kind fault answers in the given service's dialect. `with_body` false (bare
// http_status) gives an error whose body must be left empty.
[[nodiscard]] api_error fault_error(const fault& f, const service_info& service, std::string_view operation,
                                    std::string_view account_id);

[[nodiscard]] bool is_error_kind(fault_kind kind);

}  // namespace orvane::tessel::emulator::detail
