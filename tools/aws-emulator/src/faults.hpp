// Injected faults: which request they hit and what the service, or the connection, does instead.
#pragma once

#include "common.hpp"

#include <functional>
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

// The kind a scenario names, and every name for error messages ("access_denied, ...").
[[nodiscard]] std::optional<fault_kind> fault_kind_named(std::string_view name);
[[nodiscard]] std::string fault_kind_names();

// Where a kind strikes.
enum class fault_effect {
    error,    // an error answer instead of the real one (fault_error)
    delay,    // the real answer, late
    drop,     // the connection closes before any answer
    hold,     // no answer until the client hangs up
    reshape,  // a 200 whose body or labelling is wrong (reshape_answer)
    cut,      // the real answer's headers and half its body, then the connection closes
    reset,    // the same, then a TCP reset
};
[[nodiscard]] fault_effect effect_of(fault_kind kind);

// The error an error-kind fault answers in the given service's dialect. `with_body` false (bare
// http_status) gives an error whose body must be left empty.
[[nodiscard]] api_error fault_error(const fault& f, const service_info& service, std::string_view operation,
                                    std::string_view account_id);

// Rewrites the real answer `r` for a reshape-kind fault.
void reshape_answer(fault_kind kind, const service_info& service, std::string_view operation,
                    std::string_view request_id, reply& r);

// How many bytes of a body the cutting kinds send.
[[nodiscard]] std::size_t cut_length(std::size_t body_size);

// What the connection-level kinds do to a connection's socket. The descriptor stays open: its
// owner closes it.
void close_connection(int fd);
void reset_connection(int fd);
// Returns once the peer has closed or reset the connection, or `stopping` says so.
void hold_until_hangup(int fd, const std::function<bool()>& stopping);

}  // namespace orvane::tessel::emulator::detail
