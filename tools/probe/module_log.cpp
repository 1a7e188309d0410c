#include "tools/probe/module_log.h"
#include "tools/probe/platform.h"

#include <cctype>
#include <fstream>
#include <stdexcept>

namespace orvane::tessel::probe {

namespace {

// "YYYY-MM-DD HH:MM:SS.mmm [" is 25 characters; the level follows up to "] ".
constexpr std::size_t stamp_length = 25;

bool digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The entry a line starts, or nothing when the line continues the previous entry.
bool read_stamp(std::string_view line, log_entry& entry) {
    constexpr std::string_view shape = "dddd-dd-dd dd:dd:dd.ddd [";
    if (line.size() < stamp_length + 2) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == 'd' ? !digit(line[i]) : line[i] != shape[i]) {
            return false;
        }
    }
    const auto close = line.find("] ", stamp_length);
    if (close == std::string_view::npos || close == stamp_length || close > stamp_length + 2) {
        return false;
    }
    int level = 0;
    for (std::size_t i = stamp_length; i < close; ++i) {
        if (!digit(line[i])) {
            return false;
        }
        level = level * 10 + (line[i] - '0');
    }
    entry = {level, std::string(line.substr(close + 2))};
    return true;
}

}  // namespace

private_folder::private_folder() : path_(platform::make_private_folder("probe-")) {}

private_folder::~private_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<log_entry> parse_log(std::string_view text) {
    std::vector<log_entry> entries;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {  // a log that passed through a Windows text tool
            line.remove_suffix(1);
        }
        log_entry entry;
        if (read_stamp(line, entry)) {
            entries.push_back(std::move(entry));
        } else if (!entries.empty()) {
            entries.back().text.append("\n").append(line);
        }
    }
    return entries;
}

module_log::module_log(std::filesystem::path file) : file_(std::move(file)) {}

void module_log::mark() {
    std::error_code missing;
    const auto size = std::filesystem::file_size(file_, missing);
    mark_ = missing ? 0 : size;
}

std::vector<log_entry> module_log::since_mark() const {
    std::ifstream file(file_, std::ios::binary);
    if (!file) {
        return {};
    }
    file.seekg(static_cast<std::streamoff>(mark_));
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return parse_log(text);
}

}  // namespace orvane::tessel::probe
