#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/secure_string.h"
#include "host/sensor_data_wrapper.h"

namespace orvane::tessel::aws::settings {

using libvexahelper::secure_string;
using libvexahelper::sensor_data_wrapper;

enum class on_off : std::int32_t { disabled = 0, enabled = 1 };
enum class ip_version : std::int32_t { ipv4 = 0, ipv6 = 1 };

// Cost Explorer's five cost types; what is kept per type is an array indexed by them.
enum class cost_type : std::uint8_t { blended, amortized, net_amortized, unblended, net_unblended };
inline constexpr std::size_t cost_type_count = 5;

template <class T>
struct per_cost_type {
    using key_type = cost_type;

    std::array<T, cost_type_count> values{};

    constexpr T& operator[](cost_type type) noexcept { return values[static_cast<std::size_t>(type)]; }
    constexpr const T& operator[](cost_type type) const noexcept {
        return values[static_cast<std::size_t>(type)];
    }
    bool operator==(const per_cost_type&) const = default;
};

// The additional cost types a cost sensor reports (blended costs it always reports).
using cost_types = per_cost_type<bool>;
// The forecast types a cost sensor requests.
using forecast_cost_types = per_cost_type<bool>;

// ---- groups --------------------------------------------------------------------------------------

// What the host sends for every kind, under bare names.
struct common_settings {
    std::string host;
    on_off logging = on_off::disabled;
    std::int64_t interval = 60;  // seconds
    std::int64_t timeout = 0;    // seconds
    secure_string orvanecloudapikey;
    ip_version ipversion = ip_version::ipv4;

    static common_settings parse(const sensor_data_wrapper& settings);
};

struct credentials_group {
    static constexpr std::string_view section = "awscredentials";
    static constexpr std::string_view group = "credentials_group";

    std::string access_key;
    secure_string secret_key;

    static credentials_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

struct httpproxygroup {
    static constexpr std::string_view section = "httpproxy";
    static constexpr std::string_view group = "httpproxygroup";

    std::string name;  // proxy host; empty means no proxy
    std::int64_t port = 0;
    std::string user;
    secure_string password;

    static httpproxygroup parse(const sensor_data_wrapper& settings, std::string_view section);
};

struct cost_optional_channel_group {
    static constexpr std::string_view section = "cost_specific_section";
    static constexpr std::string_view group = "cost_optional_channel_group";

    on_off optional_channel = on_off::disabled;
    settings::cost_types cost_types;

    static cost_optional_channel_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

struct cost_forecast_group {
    static constexpr std::string_view section = "cost_specific_section";
    static constexpr std::string_view group = "cost_forecast_group";

    on_off forecast_additional = on_off::disabled;
    settings::forecast_cost_types forecast_cost_types;

    static cost_forecast_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

// What a meta-scan stored about the resource a sensor monitors.
struct alarm_metascan_group {
    static constexpr std::string_view section = "alarm_metascan_section";
    static constexpr std::string_view group = "alarm_metascan_group";

    std::string name, type, description, region, region_display_name;
    static alarm_metascan_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

struct ebs_metascan_group {
    static constexpr std::string_view section = "ebs_metascan_section";
    static constexpr std::string_view group = "ebs_metascan_group";

    std::string id, name, size, type, state, attachment_information, region, region_display_name;
    static ebs_metascan_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

struct ec2_metascan_group {
    static constexpr std::string_view section = "ec2_metascan_section";
    static constexpr std::string_view group = "ec2_metascan_group";

    std::string id, name, region, region_display_name;
    static ec2_metascan_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

struct elb_metascan_group {
    static constexpr std::string_view section = "elb_metascan_section";
    static constexpr std::string_view group = "elb_metascan_group";

    std::string id, name, type, region, region_display_name;
    static elb_metascan_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

struct rds_metascan_group {
    static constexpr std::string_view section = "rds_metascan_section";
    static constexpr std::string_view group = "rds_metascan_group";

    std::string identifier, engine, region, region_display_name;
    static rds_metascan_group parse(const sensor_data_wrapper& settings, std::string_view section);
};

// ---- kinds ---------------------------------------------------------------------------------------

// Whether a kind's record switches its sensor's own log on; the dispatcher finds it beside the record.
template <class Record>
bool logging_enabled(const Record& record) {
    return record.common.logging == on_off::enabled;
}

// Credentials and proxy: all that checks and meta-scans read.
struct access_settings {
    common_settings common;
    credentials_group credentials;
    httpproxygroup proxy;

    static access_settings parse(const sensor_data_wrapper& settings);
};

// A sensor that monitors one discovered resource; Resource is its meta-scan group.
template <class Resource>
struct resource_sensor_settings {
    common_settings common;
    credentials_group credentials;
    httpproxygroup proxy;
    Resource resource;

    static resource_sensor_settings parse(const sensor_data_wrapper& settings);
};

struct awscost_settings {
    common_settings common;
    cost_optional_channel_group optional_channels;
    cost_forecast_group forecasts;
    credentials_group credentials;
    httpproxygroup proxy;

    static awscost_settings parse(const sensor_data_wrapper& settings);
};

using alarm_sensor = resource_sensor_settings<alarm_metascan_group>;
using ebs_sensor = resource_sensor_settings<ebs_metascan_group>;
using ec2_sensor = resource_sensor_settings<ec2_metascan_group>;
using elb_sensor = resource_sensor_settings<elb_metascan_group>;
using rds_sensor = resource_sensor_settings<rds_metascan_group>;
using awscost = awscost_settings;

using alarm_check = access_settings;
using awscost_check = access_settings;
using ebs_check = access_settings;
using ec2_check = access_settings;
using elb_check = access_settings;
using rds_check = access_settings;

using alarm_metascan = access_settings;
using ebs_metascan = access_settings;
using ec2_metascan = access_settings;
using elb_metascan = access_settings;
using rds_metascan = access_settings;

extern template struct resource_sensor_settings<alarm_metascan_group>;
extern template struct resource_sensor_settings<ebs_metascan_group>;
extern template struct resource_sensor_settings<ec2_metascan_group>;
extern template struct resource_sensor_settings<elb_metascan_group>;
extern template struct resource_sensor_settings<rds_metascan_group>;

}  // namespace orvane::tessel::aws::settings
