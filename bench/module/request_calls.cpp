#include "bench/module/request_calls.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace orvane::tessel::bench {

namespace {

// GetMetricStatistics' window ends at the moment of the call.
constexpr std::array<std::string_view, 2> moment_parameters{"StartTime", "EndTime"};

std::string quoted(const std::map<std::string, std::string>& parameters, const std::string& key) {
    const auto found = parameters.find(key);
    return found == parameters.end() ? std::string("absent") : "\"" + found->second + "\"";
}

std::string describe(std::size_t index, const aws_call& call) {
    return "request " + std::to_string(index + 1) + " (" + call.operation + ")";
}

}  // namespace

aws_call call_of(const emulator::request_record& record) {
    aws_call call{record.operation, record.region, record.parameters};
    for (const auto name : moment_parameters) {
        if (const auto found = call.parameters.find(std::string(name)); found != call.parameters.end()) {
            found->second = moment_marker;
        }
    }
    return call;
}

std::vector<aws_call> calls_of(std::span<const emulator::request_record> records) {
    std::vector<aws_call> calls;
    calls.reserve(records.size());
    std::transform(records.begin(), records.end(), std::back_inserter(calls), call_of);
    return calls;
}

std::string first_difference(std::span<const aws_call> module, std::span<const aws_call> baseline) {
    const std::size_t common = std::min(module.size(), baseline.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto& ours = module[i];
        const auto& theirs = baseline[i];
        if (ours.operation != theirs.operation) {
            return describe(i, ours) + ": the baseline calls " + theirs.operation;
        }
        if (ours.region != theirs.region) {
            return describe(i, ours) + ": region " + ours.region + " in the module, " + theirs.region +
                   " in the baseline";
        }
        if (ours.parameters == theirs.parameters) {
            continue;
        }
        std::vector<std::string> keys;
        for (const auto& [key, value] : ours.parameters) {
            keys.push_back(key);
        }
        for (const auto& [key, value] : theirs.parameters) {
            keys.push_back(key);
        }
        std::sort(keys.begin(), keys.end());
        for (const auto& key : keys) {
            const std::string a = quoted(ours.parameters, key);
            const std::string b = quoted(theirs.parameters, key);
            if (a != b) {
                return describe(i, ours)
                    .append(": ")
                    .append(key)
                    .append(" is ")
                    .append(a)
                    .append(" in the module, ")
                    .append(b)
                    .append(" in the baseline");
            }
        }
    }
    if (module.size() != baseline.size()) {
        return std::to_string(module.size()) + " requests in the module, " + std::to_string(baseline.size()) +
               " in the baseline";
    }
    return {};
}

}  // namespace orvane::tessel::bench
