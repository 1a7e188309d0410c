#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <filesystem>
#include <limits>
#include <mutex>

#include "host/platform.h"

namespace orvane::tessel::libvexahelper::platform {

namespace {

// Append-only access makes Windows put every write at the end of the file in one piece, as
// O_APPEND does elsewhere. The handle becomes a C runtime descriptor, so callers keep an int.
int open_append_only(const std::filesystem::path& path) {
    HANDLE handle =
        CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return -1;
    }
    const int file = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (file < 0) {
        CloseHandle(handle);
    }
    return file;
}

}  // namespace

std::string environment_variable(const char* name) {
    std::string value(256, '\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);  // 0 when unset
            return value;
        }
        value.resize(length);  // the size needed, terminator included
    }
}

std::tm utc_time(std::time_t moment) {
    std::tm utc{};
    gmtime_s(&utc, &moment);
    return utc;
}

int open_for_append(const std::string& path) {
    const std::filesystem::path file_path(path);
    int file = open_append_only(file_path);
    if (file < 0 && GetLastError() == ERROR_PATH_NOT_FOUND) {
        std::error_code ignored;
        std::filesystem::create_directories(file_path.parent_path(), ignored);
        file = open_append_only(file_path);
    }
    return file;
}

void write_all(int file, std::string_view line) {
    // Windows appends each write whole, but Wine computes the end itself and two threads may write at
    // the same place: one lock per process keeps the module's own writers apart everywhere.
    static std::mutex appending;
    const std::lock_guard<std::mutex> lock(appending);
    constexpr std::size_t max_chunk = std::numeric_limits<int>::max();
    std::size_t written = 0;
    while (written < line.size()) {
        const auto chunk = static_cast<unsigned>(std::min(line.size() - written, max_chunk));
        const int n = _write(file, line.data() + written, chunk);
        if (n <= 0) {
            return;
        }
        written += static_cast<std::size_t>(n);
    }
}

void close_file(int file) {
    _close(file);
}

}  // namespace orvane::tessel::libvexahelper::platform
