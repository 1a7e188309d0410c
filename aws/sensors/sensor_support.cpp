#include "aws/sensors/sensor_support.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "aws/clients/dates.h"
#include "framework/exceptions.h"

namespace orvane::tessel::aws::sensor_support {

dynamic_channel_options channel_options(const channel_shape& shape) {
    dynamic_channel_options options;
    options.channel_id = shape.id;
    options.name = "channel." + std::string(shape.name);
    options.mode = shape.mode;
    options.unit = shape.custom_unit.empty() ? shape.unit : unit::custom;
    options.custom_unit = std::string(shape.custom_unit);
    options.size_unit = shape.size_unit;
    options.size_code = shape.size_code;
    options.value_lookup = std::string(shape.lookup);
    if (shape.lower_limit || shape.upper_limit) {
        options.limit_mode = true;
    }
    if (shape.lower_limit) {
        options.limits[0] = {true, *shape.lower_limit};
    }
    if (shape.upper_limit) {
        options.limits[1] = {true, *shape.upper_limit};
    }
    return options;
}

dynamic_channel_options channel_options(const metric_row& row) {
    channel_shape shape = row.channel;
    if (shape.name.empty()) {
        shape.name = row.metric;
    }
    return channel_options(shape);
}

scan_periods::scan_periods(std::int64_t interval)
    : p60(utils::align_up(interval, 60)), p300(utils::align_up(interval, 300)) {}

double convert(conversion rule, double value, const scan_periods& periods) {
    switch (rule) {
        case conversion::none:
            break;
        case conversion::per_second:
            return value / static_cast<double>(periods.p60);
        case conversion::to_milliseconds:
            return value * 1000.0;
        case conversion::percent_of_period:
            return value / static_cast<double>(periods.p60) * 100.0;
        case conversion::per_300_seconds: {
            // P300 is a whole multiple of 300, so is the divisor.
            const std::int64_t multiples = periods.p300 / 300;
            return value / static_cast<double>(multiples);
        }
        case conversion::status_flag:
            return value > 0.0 ? 1.0 : 0.0;
    }
    return value;
}

std::int64_t to_integer(double value) noexcept {
    constexpr double limit = 9223372036854775807.0;  // rounds up to 2^63
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= limit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= -limit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

void define_creation_channels(std::span<const metric_row> rows, const channel_definer& define) {
    for (const auto& row : rows) {
        if (row.defined == defined_on::creation) {
            define(channel_options(row));
        }
    }
}

metric_reporter::metric_reporter(sensor_scan_result& result, channel_definer define, logger_ptr logger,
                                 const scan_periods& periods)
    : result_(result), define_(std::move(define)), logger_(std::move(logger)), periods_(periods) {}

void metric_reporter::run(std::span<const metric_row> rows, const metric_reader& read, missing_data policy) {
    std::size_t missing = 0;
    for (const auto& row : rows) {
        const reading value = read(row);
        if (value) {
            report(row, *value);
            continue;
        }
        if (policy == missing_data::reported) {
            ++missing;
            trace(logger_, "There is no data for " + std::string(row.metric) + " metric.");
        }
    }
    if (policy == missing_data::reported && !rows.empty() && missing == rows.size()) {
        throw exceptions::no_datapoints_found();
    }
}

void metric_reporter::report(const metric_row& row, double raw) {
    if (row.positive_only && !(raw > 0.0)) {
        return;
    }
    const double value = convert(row.convert, raw, periods_);
    if (row.defined == defined_on::first_value) {
        define_(channel_options(row));
    }
    if (row.channel.mode == value_mode::floating_point) {
        result_.set_value(row.channel.id, value);
    } else {
        result_.set_value(row.channel.id, to_integer(value));
    }
}

reading value_of(const metric_statistic& statistic) {
    return statistic.has_value ? reading(statistic.value) : std::nullopt;
}

std::string dimensions_text(const dimension_list& dimensions) {
    std::string text = "Dimension(s): ";
    for (const auto& dimension : dimensions) {
        text += dimension.GetName() + "(" + dimension.GetValue() + ") ";
    }
    return text;
}

std::string response_line(const sensor_scan_result& result) {
    return "Response Message set to: " + result.response_message().english();
}

// ---- alarms --------------------------------------------------------------------------------------

namespace {

constexpr std::array<unit_rule, 28> unit_rules{{
    {StandardUnit::Seconds, unit::seconds, size::none, 1.0, {}},
    {StandardUnit::Microseconds, unit::seconds, size::none, 1e-6, {}},
    {StandardUnit::Milliseconds, unit::seconds, size::none, 1e-3, {}},
    {StandardUnit::Bytes, unit::bytes, size::byte, 1.0, {}},
    {StandardUnit::Kilobytes, unit::bytes, size::kilobyte, 1e3, {}},
    {StandardUnit::Megabytes, unit::bytes, size::megabyte, 1e6, {}},
    {StandardUnit::Gigabytes, unit::bytes, size::gigabyte, 1e9, {}},
    {StandardUnit::Terabytes, unit::bytes, size::terabyte, 1e12, {}},
    {StandardUnit::Bits, unit::bytes, size::bit, 0.125, {}},
    {StandardUnit::Kilobits, unit::bytes, size::kilobit, 125.0, {}},
    {StandardUnit::Megabits, unit::bytes, size::megabit, 125e3, {}},
    {StandardUnit::Gigabits, unit::bytes, size::gigabit, 125e6, {}},
    {StandardUnit::Terabits, unit::bytes, size::terabit, 125e9, {}},
    {StandardUnit::Percent, unit::percent, size::none, 1.0, {}},
    {StandardUnit::Count, unit::count, size::none, 1.0, {}},
    {StandardUnit::Bytes_Second, unit::bytes_per_second, size::byte, 1.0, {}},
    {StandardUnit::Kilobytes_Second, unit::bytes_per_second, size::kilobyte, 1e3, {}},
    {StandardUnit::Megabytes_Second, unit::bytes_per_second, size::megabyte, 1e6, {}},
    {StandardUnit::Gigabytes_Second, unit::bytes_per_second, size::gigabyte, 1e9, {}},
    {StandardUnit::Terabytes_Second, unit::bytes_per_second, size::terabyte, 1e12, {}},
    {StandardUnit::Bits_Second, unit::bytes_per_second, size::bit, 0.125, {}},
    {StandardUnit::Kilobits_Second, unit::bytes_per_second, size::kilobit, 125.0, {}},
    {StandardUnit::Megabits_Second, unit::bytes_per_second, size::megabit, 125e3, {}},
    {StandardUnit::Gigabits_Second, unit::bytes_per_second, size::gigabit, 125e6, {}},
    {StandardUnit::Terabits_Second, unit::bytes_per_second, size::terabit, 125e9, {}},
    {StandardUnit::Count_Second, unit::custom, size::none, 1.0, "#/s"},
    {StandardUnit::None, unit::none, size::none, 1.0, {}},
    {StandardUnit::NOT_SET, unit::none, size::none, 1.0, {}},
}};

// What a unit the table does not know gets: the defaults, value unchanged.
constexpr unit_rule plain_unit{StandardUnit::NOT_SET, unit::none, size::none, 1.0, {}};

}  // namespace

const unit_rule& unit_rule_for(StandardUnit cloudwatch_unit) noexcept {
    const auto* found = std::find_if(unit_rules.begin(), unit_rules.end(), [&](const unit_rule& rule) {
        return rule.cloudwatch_unit == cloudwatch_unit;
    });
    return found == unit_rules.end() ? plain_unit : *found;
}

std::int32_t parse_channel_id(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && std::isspace(static_cast<unsigned char>(text[begin])) != 0) {
        ++begin;
    }
    // from_chars takes a minus sign but not a plus sign.
    if (begin + 1 < text.size() && text[begin] == '+' && text[begin + 1] != '-') {
        ++begin;
    }
    std::int32_t id = 0;
    const auto [end, error] = std::from_chars(text.data() + begin, text.data() + text.size(), id);
    if (error == std::errc::result_out_of_range) {
        throw std::out_of_range("stoi argument out of range");
    }
    if (error != std::errc()) {
        throw std::invalid_argument("invalid stoi argument");
    }
    return id;
}

std::string_view alarm_state_text(std::int64_t state) noexcept {
    switch (state) {
        case alarm_state::ok:
            return "OK";
        case alarm_state::in_alarm:
            return "In alarm";
        default:
            return "Insufficient data";
    }
}

}  // namespace orvane::tessel::aws::sensor_support
