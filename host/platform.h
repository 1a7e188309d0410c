#pragma once

#include <ctime>
#include <string>
#include <string_view>

// The few operating-system services the helper library needs, one implementation per platform
// (platform_posix.cpp, platform_windows.cpp).
namespace orvane::tessel::libvexahelper::platform {

// The process environment as the operating system holds it (on Windows also what the host set
// with SetEnvironmentVariable after start); empty when unset.
std::string environment_variable(const char* name);

// UTC calendar time of a moment.
std::tm utc_time(std::time_t moment);

// A file opened for appending only: every write lands whole at the end, even with other writers of
// the same file, threads or processes. Creates missing folders. -1 when it cannot be opened.
int open_for_append(const std::string& path);
// Writes all of the line; gives up silently, since a log that cannot be written must not disturb
// the host.
void write_all(int file, std::string_view line);
void close_file(int file);

}  // namespace orvane::tessel::libvexahelper::platform
