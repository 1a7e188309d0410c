#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "host/platform.h"

namespace orvane::tessel::libvexahelper::platform {

namespace {

int open_append_only(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

}  // namespace

std::string environment_variable(const char* name) {
    // Only read, never written by the module.
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe)
    return value == nullptr ? std::string() : std::string(value);
}

std::tm utc_time(std::time_t moment) {
    std::tm utc{};
    gmtime_r(&moment, &utc);
    return utc;
}

int open_for_append(const std::string& path) {
    int file = open_append_only(path);
    if (file < 0 && errno == ENOENT) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        file = open_append_only(path);
    }
    return file;
}

void write_all(int file, std::string_view line) {
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(file, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        written += static_cast<std::size_t>(n);
    }
}

void close_file(int file) {
    ::close(file);
}

}  // namespace orvane::tessel::libvexahelper::platform
