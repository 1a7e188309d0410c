// What the CloudWatch handlers share: dimensions as asked for and as answered, the NextToken offset and
// the minute that datapoints' "ago" counts back from.
#pragma once

#include "common.hpp"

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvane::tessel::emulator::detail::cloudwatch {

// Dimensions.member.N; a filter (`value_required` false) may name a dimension without its value.
[[nodiscard]] std::vector<dimension> read_dimensions(const call_context& ctx, bool value_required);
// 0 without a NextToken; `invalid_code` is the operation's error for a token it did not issue.
[[nodiscard]] std::size_t read_offset(const call_context& ctx, std::string_view invalid_code);
void write_dimensions(xml_writer& w, const std::vector<dimension>& dims);

[[nodiscard]] inline seconds_t minute_anchor(seconds_t now) {
    return now - ((now % 60) + 60) % 60;
}
[[nodiscard]] inline seconds_t time_of(const datapoint& p, seconds_t anchor) {
    return p.at ? *p.at : anchor - p.ago;
}

}  // namespace orvane::tessel::emulator::detail::cloudwatch
