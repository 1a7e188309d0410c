#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The sensors the benchmark scans: one of each kind, on resources of the emulator's demo account.
namespace orvane::tessel::bench {

using setting = std::pair<std::string_view, std::string_view>;

struct sensor_case {
    std::string_view label;          // how the report names it
    std::string_view kind;           // the module's sensor kind
    std::string_view group;          // settings group of the resource: <group>_section.<group>_group.
    std::vector<setting> resource;   // the resource's settings, as a meta-scan would store them
    std::vector<setting> extra;      // further settings, by full key
    std::int64_t interval = 300;     // scan interval in seconds
    std::string_view baseline_kind;  // the baseline script's --kind
};

// EC2, EBS, RDS, application ELB, network ELB, metric alarm, composite alarm, cost.
std::span<const sensor_case> sensor_cases();

struct credentials {
    std::string access_key;
    std::string secret_key;
};

// The demo scenario's account.
credentials demo_keys();

struct host_options {
    bool logging = false;  // the sensor's own log ("logging" setting)
};

// The settings buffer a host sends to create the sensor.
std::string settings_buffer(const sensor_case& sensor, const credentials& keys, const host_options& host);

// The resource as the baseline script takes it (--resource): {"id": ..., "region": ...}.
std::string baseline_resource(const sensor_case& sensor);

}  // namespace orvane::tessel::bench
