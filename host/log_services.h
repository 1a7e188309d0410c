#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/log_interface.h"
#include "host/service_container.h"

namespace orvane::tessel::libvexahelper {

// A log that appends lines to one file. Every line is written with a single append, so loggers of
// the same file on different threads (or processes) never interleave inside a line. Without a path
// the log discards its lines.
class file_log : public liblog::log_interface {
public:
    explicit file_log(std::string path);
    ~file_log() override;
    file_log(const file_log&) = delete;
    file_log& operator=(const file_log&) = delete;

    void log(std::int32_t level, std::string_view text) override;
    const std::string& path() const noexcept { return path_; }

private:
    std::string path_;
    int descriptor_ = -1;
};

// The log of one sensor: its own file, sensor_<id>.log.
class sensor_log : public file_log {
public:
    explicit sensor_log(std::int32_t sensor_id);
};

// Folder of the log files: the environment variable VEXA_LOG_DIR; empty means no file logging.
std::string log_directory();
std::string runtime_log_path();
std::string sensor_log_path(std::int32_t sensor_id);

// "YYYY-MM-DD HH:MM:SS.mmm [level] text" in UTC, ending in one line feed: one line of valid UTF-8
// whatever the text holds (a final line feed of the text is dropped, every other control character
// escaped).
std::string format_log_line(std::chrono::system_clock::time_point time, std::int32_t level,
                            std::string_view text);

// Adds the factory of runtime loggers ("unique_ptr<log_interface>()"), whose single instance is the
// module's log and from which every check and meta-scan makes its own.
void register_runtime_log(service_container& container);

// Adds the factory of sensor logs ("unique_ptr<sensor_log>(int32_t sensor id)").
void register_sensor_log(service_container& container);

}  // namespace orvane::tessel::libvexahelper
