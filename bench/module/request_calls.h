#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "aws_emulator/emulator.hpp"

// The AWS calls of one scan as the emulator logged them, comparable between the module and the
// baseline: same operations in the same order, same region, same parameters.
namespace orvane::tessel::bench {

struct aws_call {
    std::string operation;
    std::string region;
    std::map<std::string, std::string> parameters;

    bool operator==(const aws_call&) const = default;
};

// Parameters that depend on the moment of the call: compared by presence only.
inline constexpr std::string_view moment_marker = "<moment>";

aws_call call_of(const emulator::request_record& record);
std::vector<aws_call> calls_of(std::span<const emulator::request_record> records);

// Empty when both sequences are the same; otherwise the first difference in words, for example
// `request 3 (GetMetricStatistics): Period is "60" in the module, "300" in the baseline`.
std::string first_difference(std::span<const aws_call> module, std::span<const aws_call> baseline);

}  // namespace orvane::tessel::bench
