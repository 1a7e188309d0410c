#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::tessel::probe {

// A folder of the probe's own, made private (mode 0700) in the system's temporary folder and removed
// with everything in it when the object goes.
class private_folder {
public:
    private_folder();
    ~private_folder();
    private_folder(const private_folder&) = delete;
    private_folder& operator=(const private_folder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
};

// One call of the module's log: its level and its text (lines after the first belong to it).
struct log_entry {
    int level = 0;
    std::string text;
};

// Splits a log in the module's format ("2026-12-05 16:59:52.123 [7] text") into entries; lines
// without the stamp continue the entry before them.
std::vector<log_entry> parse_log(std::string_view text);

// The module's log file, read from a mark: what one call of the module wrote.
class module_log {
public:
    explicit module_log(std::filesystem::path file);

    void mark();
    std::vector<log_entry> since_mark() const;

private:
    std::filesystem::path file_;
    std::uintmax_t mark_ = 0;
};

}  // namespace orvane::tessel::probe
