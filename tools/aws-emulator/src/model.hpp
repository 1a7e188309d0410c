// The parsed scenario: what the emulated accounts hold.
#pragma once

#include "aws_emulator/emulator.hpp"
#include "times.hpp"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::tessel::emulator::detail {

struct tag {
    std::string key;
    std::string value;
};

struct dimension {
    std::string name;
    std::string value;
    friend bool operator==(const dimension&, const dimension&) = default;
};

struct instance {
    std::string id;
    std::string type;
    std::string state;  // pending, running, shutting-down, terminated, stopping, stopped
    std::vector<tag> tags;
    std::string reservation_id;
    std::string availability_zone;
    std::string image_id;
    std::string private_ip;
    std::string public_ip;
    std::string vpc_id;
    std::string subnet_id;
    std::string platform;
    seconds_t launch_time = 0;
};

struct attachment {
    std::string instance_id;
    std::string device;
    std::string state;  // attaching, attached, detaching, detached, busy
    bool delete_on_termination = false;
    seconds_t attach_time = 0;
};

struct volume {
    std::string id;
    int size = 8;
    std::string type;   // standard, io1, io2, gp2, sc1, st1, gp3
    std::string state;  // creating, available, in-use, deleting, deleted, error
    std::vector<tag> tags;
    std::vector<attachment> attachments;
    std::string availability_zone;
    std::string snapshot_id;
    std::optional<int> iops;
    std::optional<int> throughput;
    bool encrypted = false;
    seconds_t create_time = 0;
};

struct load_balancer {
    std::string arn;
    std::string name;
    std::string type;    // application, network, gateway
    std::string scheme;  // internet-facing, internal
    std::string state;   // active, provisioning, active_impaired, failed
    std::string state_reason;
    std::string dns_name;
    std::string vpc_id;
    std::string ip_address_type;
    std::vector<std::string> availability_zones;
    seconds_t created_time = 0;
};

struct db_instance {
    std::string identifier;
    std::string arn;
    std::string engine;
    std::string engine_version;
    std::string status;
    std::string instance_class;
    std::string availability_zone;
    std::string storage_type;
    std::string endpoint;
    std::string replica_source;              // identifier of the source of a read replica
    std::vector<std::string> read_replicas;  // filled from the replicas' replica_source
    std::vector<tag> tags;
    int port = 3306;
    int allocated_storage = 20;
    bool multi_az = false;
    seconds_t create_time = 0;
};

struct metric_query {
    std::string id;
    std::string expression;
    std::string label;
    std::string ns;
    std::string metric_name;
    std::vector<dimension> dimensions;
    std::string stat;
    std::string unit;
    int period = 0;
    bool return_data = true;
};

struct metric_alarm {
    std::string name;
    std::string arn;
    std::string description;
    std::string state;  // OK, ALARM, INSUFFICIENT_DATA
    std::string reason;
    seconds_t updated_ago = 0;
    std::string ns;
    std::string metric_name;
    std::vector<dimension> dimensions;
    std::string statistic;
    std::string extended_statistic;
    std::string unit;
    std::string comparison;
    std::string treat_missing_data;
    std::vector<metric_query> queries;
    int period = 0;
    int evaluation_periods = 1;
    int datapoints_to_alarm = 0;
    double threshold = 0;
    bool actions_enabled = true;
};

struct composite_alarm {
    std::string name;
    std::string arn;
    std::string description;
    std::string rule;
    std::string state;
    std::string reason;
    seconds_t updated_ago = 0;
    std::vector<std::string> children;  // alarm names found in the rule, first-mention order
};

enum statistic : std::size_t { sample_count, average, sum, minimum, maximum, statistic_count };
inline constexpr std::array<const char*, statistic_count> statistic_names{"SampleCount", "Average", "Sum",
                                                                          "Minimum", "Maximum"};

struct datapoint {
    seconds_t ago = 0;            // before the minute-aligned "now"
    std::optional<seconds_t> at;  // an absolute time instead
    std::array<std::optional<double>, statistic_count> values;
};

struct metric {
    std::string ns;
    std::string name;
    std::vector<dimension> dimensions;
    std::string unit;
    std::vector<datapoint> datapoints;
};

struct region_data {
    std::string name;
    std::vector<instance> instances;
    std::vector<volume> volumes;
    std::vector<load_balancer> load_balancers;
    std::vector<db_instance> db_instances;
    std::vector<metric_alarm> metric_alarms;
    std::vector<composite_alarm> composite_alarms;
    std::vector<metric> metrics;
};

// Cost Explorer's five cost metrics and the two usage ones, by their GetCostAndUsage names.
inline constexpr std::array<const char*, 7> cost_metric_names{
    "AmortizedCost", "BlendedCost",           "NetAmortizedCost", "NetUnblendedCost",
    "UnblendedCost", "NormalizedUsageAmount", "UsageQuantity"};
using cost_amounts = std::array<std::optional<double>, cost_metric_names.size()>;

struct costs {
    std::string currency = "USD";
    std::map<std::string, cost_amounts> absolute_months;  // "YYYY-MM"
    std::map<int, cost_amounts> relative_months;          // 0 = current month, -1 = the one before
    cost_amounts daily_forecast;                          // per-day rate; unset: derived from costs
    bool data_unavailable = false;
    bool forecast_unavailable = false;
};

struct credential {
    std::string access_key;
    std::string secret_key;
    std::string session_token;
};

struct account {
    std::string id;
    std::string name;
    std::vector<credential> credentials;
    std::vector<region_data> regions;  // the enabled regions, in file order
    std::vector<std::string> disabled_regions;
    costs cost;

    [[nodiscard]] const region_data* region(std::string_view name) const {
        for (const auto& r : regions) {
            if (r.name == name) {
                return &r;
            }
        }
        return nullptr;
    }
};

struct scenario_model {
    std::vector<account> accounts;
    std::map<std::string, std::size_t, std::less<>> page_sizes;  // per operation
    std::vector<fault> faults;
};

}  // namespace orvane::tessel::emulator::detail
