#include "host/log_services.h"

#include "libs/stringutils/safe_text.h"

#include <atomic>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "host/platform.h"

namespace orvane::tessel::libvexahelper {

namespace {

// Sensors keep their log file open; past this many open logs, further ones open the file per line
// so that thousands of sensors cannot exhaust the host's file descriptors.
constexpr int max_kept_descriptors = 256;
std::atomic<int> kept_descriptors{0};

std::string join(const std::string& directory, const std::string& file) {
    return directory.empty() ? std::string() : (std::filesystem::path(directory) / file).string();
}

}  // namespace

std::string log_directory() {
    return platform::environment_variable("VEXA_LOG_DIR");
}

std::string runtime_log_path() {
    return join(log_directory(), "vexa_aws.log");
}

std::string sensor_log_path(std::int32_t sensor_id) {
    return join(log_directory(), "sensor_" + std::to_string(sensor_id) + ".log");
}

std::string format_log_line(std::chrono::system_clock::time_point time, std::int32_t level,
                            std::string_view text) {
    using namespace std::chrono;
    const auto since_epoch = time.time_since_epoch();
    const auto seconds = floor<std::chrono::seconds>(since_epoch);
    const auto millis = duration_cast<milliseconds>(since_epoch - seconds).count();
    const std::time_t whole = seconds.count();
    const std::tm utc = platform::utc_time(whole);
    char stamp[48];
    const int length = std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d [%d] ",
                                     utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                                     utc.tm_sec, static_cast<int>(millis), static_cast<int>(level));
    if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    std::string line;
    line.reserve(static_cast<std::size_t>(length) + text.size() + 1);
    line.append(stamp, static_cast<std::size_t>(length));
    libstringutils::append_log_text(line, text);
    line.push_back('\n');
    return line;
}

file_log::file_log(std::string path) : path_(std::move(path)) {
    // Opened here, not at the first line, so that concurrent log calls only ever read the descriptor.
    if (path_.empty()) {
        return;
    }
    if (kept_descriptors.fetch_add(1, std::memory_order_relaxed) < max_kept_descriptors) {
        descriptor_ = platform::open_for_append(path_);
        if (descriptor_ >= 0) {
            return;
        }
    }
    kept_descriptors.fetch_sub(1, std::memory_order_relaxed);
}

file_log::~file_log() {
    if (descriptor_ >= 0) {
        platform::close_file(descriptor_);
        kept_descriptors.fetch_sub(1, std::memory_order_relaxed);
    }
}

void file_log::log(std::int32_t level, std::string_view text) {
    if (path_.empty()) {
        return;
    }
    const std::string line = format_log_line(std::chrono::system_clock::now(), level, text);
    if (descriptor_ >= 0) {
        platform::write_all(descriptor_, line);
        return;
    }
    const int descriptor = platform::open_for_append(path_);
    if (descriptor >= 0) {
        platform::write_all(descriptor, line);
        platform::close_file(descriptor);
    }
}

sensor_log::sensor_log(std::int32_t sensor_id) : file_log(sensor_log_path(sensor_id)) {}

void register_runtime_log(service_container& container) {
    container.factories().add<std::unique_ptr<liblog::log_interface>()>(
        [] { return std::make_unique<file_log>(runtime_log_path()); });
}

void register_sensor_log(service_container& container) {
    container.factories().add<std::unique_ptr<sensor_log>(std::int32_t)>(
        [](std::int32_t sensor_id) { return std::make_unique<sensor_log>(sensor_id); });
}

}  // namespace orvane::tessel::libvexahelper
