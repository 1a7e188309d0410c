#pragma once

#include <cstdint>
#include <string_view>

namespace orvane::tessel::liblog {

// Levels the module writes: 7 traces and most lines, 6 plain discovery lines, 0 the failure that ends a
// check.
enum log_level : std::int32_t {
    failure = 0,
    info = 6,
    trace = 7,
};

// One line per call, at a numeric level.
class log_interface {
public:
    virtual ~log_interface() = default;
    virtual void log(std::int32_t level, std::string_view text) = 0;
};

// Discards every line; what a sensor with logging disabled writes to.
class null_logger final : public log_interface {
public:
    void log(std::int32_t, std::string_view) override {}
};

}  // namespace orvane::tessel::liblog
