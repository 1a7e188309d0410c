#include "tools/probe/request_trace.h"

#include "tools/probe/platform.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace orvane::tessel::probe {

namespace {

constexpr const char* verbose_variable = "VEXA_AWS_VERBOSE_LOGGING";
constexpr std::string_view trace_prefix = "aws_sdk_";

bool is_word(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
}

bool is_number(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// The operation a trace line sends, or empty when the line is something else.
std::string_view operation_of(std::string_view line) {
    constexpr std::string_view level = "[TRACE] ";
    constexpr std::string_view sending = "] Sending ";
    constexpr std::string_view to = " to ";
    constexpr std::string_view attempt = " attempt ";
    if (!line.starts_with(level)) {
        return {};
    }
    const auto start = line.find(sending);
    if (start == std::string_view::npos) {
        return {};
    }
    auto rest = line.substr(start + sending.size());
    const auto operation = rest.substr(0, rest.find(to));
    const auto tail = rest.rfind(attempt);
    if (operation.size() == rest.size() || tail == std::string_view::npos || !is_word(operation) ||
        !is_number(rest.substr(tail + attempt.size()))) {
        return {};
    }
    return operation;
}

}  // namespace

request_counts count_requests(std::string_view trace) {
    request_counts counts;
    while (!trace.empty()) {
        const auto end = trace.find('\n');
        auto line = trace.substr(0, end);
        trace.remove_prefix(end == std::string_view::npos ? trace.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const auto operation = operation_of(line);
        if (!operation.empty()) {
            ++counts[std::string(operation)];
        }
    }
    return counts;
}

request_trace::request_trace(std::filesystem::path folder)
    : folder_(std::move(folder)),
      previous_directory_(std::filesystem::current_path()),
      previous_verbose_(platform::environment(verbose_variable)) {
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    platform::set_environment(verbose_variable, "1");
}

request_trace::~request_trace() {
    std::error_code ignored;
    std::filesystem::current_path(previous_directory_, ignored);
    if (previous_verbose_) {
        platform::set_environment(verbose_variable, *previous_verbose_);
    } else {
        platform::unset_environment(verbose_variable);
    }
}

request_counts request_trace::take() {
    request_counts total;
    std::vector<std::filesystem::path> read;
    for (const auto& file : std::filesystem::directory_iterator(folder_)) {
        if (!file.path().filename().string().starts_with(trace_prefix)) {
            continue;
        }
        std::ifstream in(file.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        for (const auto& [operation, count] : count_requests(text)) {
            total[operation] += count;
        }
        read.push_back(file.path());
    }
    for (const auto& path : read) {
        std::filesystem::remove(path);
    }
    return total;
}

}  // namespace orvane::tessel::probe
