#pragma once

#include <aws/monitoring/model/StandardUnit.h>
#include <aws/monitoring/model/Statistic.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/logger.h"
#include "host/channel_map.h"
#include "host/messages.h"

// What the sensor kinds share: channel descriptions and their options, the metric tables with the
// one loop that reads and reports them, the CloudWatch unit table and the persistent channel ids.
namespace orvane::tessel::aws::sensor_support {

using Aws::CloudWatch::Model::StandardUnit;
using Aws::CloudWatch::Model::Statistic;
using libvexahelper::dynamic_channel_options;
using libvexahelper::sensor_scan_result;
using libvexahelper::value_mode;

// Unit codes of the host, named after what the sensors measure with them.
namespace unit {
inline constexpr std::int32_t none = 0;
inline constexpr std::int32_t traffic = 1;  // bytes transferred
inline constexpr std::int32_t disk_bytes = 3;
inline constexpr std::int32_t percent = 5;
inline constexpr std::int32_t milliseconds = 6;
inline constexpr std::int32_t seconds = 7;
inline constexpr std::int32_t custom = libvexahelper::custom_unit_code;
inline constexpr std::int32_t count = 10;
inline constexpr std::int32_t cpu_percent = 11;
inline constexpr std::int32_t bytes = 12;
inline constexpr std::int32_t bytes_per_second = 14;
}  // namespace unit

// Size codes: the unit in which a byte or bit value was measured.
namespace size {
inline constexpr std::int32_t none = 0;
inline constexpr std::int32_t byte = 6;
inline constexpr std::int32_t kilobyte = 7;
inline constexpr std::int32_t megabyte = 8;
inline constexpr std::int32_t gigabyte = 9;
inline constexpr std::int32_t terabyte = 10;
inline constexpr std::int32_t bit = 11;
inline constexpr std::int32_t kilobit = 12;
inline constexpr std::int32_t megabit = 13;
inline constexpr std::int32_t gigabit = 14;
inline constexpr std::int32_t terabit = 15;
}  // namespace size

// Lookups of the definition document.
inline constexpr std::string_view alarm_status_lookup = "lookup_alarm_status";
inline constexpr std::string_view status_check_lookup = "lookup_status_check";
inline constexpr std::string_view volume_status_lookup = "lookup_volume_status";

// A copy of the record with one field changed; what the builders of the tables below are made of.
template <class Record, class Field, class Value>
constexpr Record with(Record copy, Field Record::*field, Value value) {
    copy.*field = value;
    return copy;
}

// How a channel looks to the host. Fields left alone keep the host's defaults.
struct channel_shape {
    std::int32_t id = 0;
    std::string_view name;  // the part after "channel."; empty: the metric's name
    value_mode mode = value_mode::floating_point;
    std::int32_t unit = unit::none;
    std::int32_t size_code = size::none;
    std::int32_t size_unit = size::none;  // the first size field, which only a few channels set
    std::string_view custom_unit;         // makes the unit code custom
    std::string_view lookup;
    std::optional<double> lower_limit;
    std::optional<double> upper_limit;

    constexpr channel_shape named(std::string_view text) const {
        return with(*this, &channel_shape::name, text);
    }
    constexpr channel_shape in(std::int32_t unit_code, std::int32_t measured_in = size::none) const {
        return with(with(*this, &channel_shape::unit, unit_code), &channel_shape::size_code, measured_in);
    }
    constexpr channel_shape sized_in(std::int32_t first_size) const {
        return with(*this, &channel_shape::size_unit, first_size);
    }
    constexpr channel_shape in_custom(std::string_view text) const {
        return with(*this, &channel_shape::custom_unit, text);
    }
    constexpr channel_shape as(value_mode sent_as) const {
        return with(*this, &channel_shape::mode, sent_as);
    }
    constexpr channel_shape looked_up_in(std::string_view table) const {
        return with(as(value_mode::lookup), &channel_shape::lookup, table);
    }
    constexpr channel_shape lower_limit_at(double value) const {
        return with(*this, &channel_shape::lower_limit, std::optional<double>(value));
    }
    constexpr channel_shape upper_limit_at(double value) const {
        return with(*this, &channel_shape::upper_limit, std::optional<double>(value));
    }
};

// A floating-point channel without unit, to be refined by the builders above.
constexpr channel_shape channel(std::int32_t id) {
    return with(channel_shape{}, &channel_shape::id, id);
}

dynamic_channel_options channel_options(const channel_shape& shape);

// ---- metric tables -------------------------------------------------------------------------------

enum class period_rule { p60, p300 };

enum class conversion {
    none,
    per_second,         // a sum over the period, as a rate
    to_milliseconds,    // seconds
    percent_of_period,  // seconds of the period
    per_300_seconds,    // a sum over a multiple of 300 s, scaled back to 300 s
    status_flag,        // 1 when above 0, else 0
};

enum class defined_on { creation, first_value };

// How the values of several target groups become one.
enum class combination { sum, average };

// One CloudWatch metric of a sensor kind and the channel it feeds.
struct metric_row {
    std::string_view metric;
    channel_shape channel;
    Statistic statistic = Statistic::Average;
    period_rule period = period_rule::p60;
    conversion convert = conversion::none;
    defined_on defined = defined_on::creation;
    bool positive_only = false;  // a value of 0 or below is no news: nothing is defined or set
    combination target_groups = combination::sum;

    constexpr metric_row by(Statistic value) const { return with(*this, &metric_row::statistic, value); }
    constexpr metric_row over(period_rule value) const { return with(*this, &metric_row::period, value); }
    constexpr metric_row converted(conversion value) const {
        return with(*this, &metric_row::convert, value);
    }
    constexpr metric_row at_first_value() const {
        return with(*this, &metric_row::defined, defined_on::first_value);
    }
    constexpr metric_row only_above_zero() const { return with(*this, &metric_row::positive_only, true); }
    constexpr metric_row groups_combined_by(combination value) const {
        return with(*this, &metric_row::target_groups, value);
    }
};

// Average over P60, defined at creation, unless the builders above say otherwise.
constexpr metric_row metric(std::string_view name, channel_shape feeds) {
    return with(with(metric_row{}, &metric_row::metric, name), &metric_row::channel, feeds);
}

// CPU credits of burstable EC2 and RDS instances: sums over five minutes, reported once they exist.
constexpr metric_row credits(std::string_view name, channel_shape feeds) {
    return metric(name, feeds)
        .by(Statistic::Sum)
        .over(period_rule::p300)
        .converted(conversion::per_300_seconds)
        .at_first_value();
}

dynamic_channel_options channel_options(const metric_row& row);

// The request periods of a scan interval: the smallest multiples of 60 and 300 seconds not below it.
struct scan_periods {
    explicit scan_periods(std::int64_t interval);
    std::int64_t of(period_rule rule) const noexcept { return rule == period_rule::p60 ? p60 : p300; }

    std::int64_t p60;
    std::int64_t p300;
};

double convert(conversion rule, double value, const scan_periods& periods);

// A double as a 64-bit channel value, truncated toward zero; values beyond the range saturate and
// NaN gives 0, so that no reading can make the conversion undefined.
std::int64_t to_integer(double value) noexcept;

using channel_definer = std::function<void(const dynamic_channel_options&)>;

// Defines the channels that exist from the sensor's creation, in table order.
void define_creation_channels(std::span<const metric_row> rows, const channel_definer& define);

// What one metric delivered in a scan.
using reading = std::optional<double>;
using metric_reader = std::function<reading(const metric_row&)>;

enum class missing_data {
    reported,  // logged, and a scan where every metric is missing fails
    ignored,
};

// The loop every metric sensor runs: read each row in table order, convert what arrived, define the
// channel at its first qualifying value and set it.
class metric_reporter {
public:
    metric_reporter(sensor_scan_result& result, channel_definer define, logger_ptr logger,
                    const scan_periods& periods);

    // Throws no_datapoints_found when every row is missing and missing data is reported.
    void run(std::span<const metric_row> rows, const metric_reader& read, missing_data policy);

private:
    void report(const metric_row& row, double raw);

    sensor_scan_result& result_;
    channel_definer define_;
    logger_ptr logger_;
    const scan_periods& periods_;
};

// A statistic of the newest datapoint, or nothing.
reading value_of(const metric_statistic& statistic);

// "Dimension(s): Name(value) Name(value) "
std::string dimensions_text(const dimension_list& dimensions);

// "Response Message set to: ..." for the result about to be sent.
std::string response_line(const sensor_scan_result& result);

// ---- alarms --------------------------------------------------------------------------------------

// How a CloudWatch unit reaches the host: unit and size code, and the factor that brings the value
// to seconds, bytes or bytes per second.
struct unit_rule {
    StandardUnit cloudwatch_unit;
    std::int32_t unit;
    std::int32_t size_code;
    double factor;
    std::string_view custom_unit;
};

const unit_rule& unit_rule_for(StandardUnit cloudwatch_unit) noexcept;

// A channel id kept as decimal text in the persistent data, read like std::stoi reads it (leading
// white space, an optional sign, trailing characters ignored). Throws std::invalid_argument
// "invalid stoi argument" or std::out_of_range "stoi argument out of range", the same texts on
// every standard library.
std::int32_t parse_channel_id(std::string_view text);

// Text of an alarm state for the logs.
std::string_view alarm_state_text(std::int64_t state) noexcept;

}  // namespace orvane::tessel::aws::sensor_support
