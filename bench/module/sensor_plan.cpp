#include "bench/module/sensor_plan.h"

#include <nlohmann/json.hpp>

namespace orvane::tessel::bench {

namespace {

constexpr std::string_view region_key = "region";
constexpr std::string_view us_east = "US East (N. Virginia)";

std::vector<sensor_case> make_cases() {
    return {
        {"EC2",
         "ec2_sensor",
         "ec2_metascan",
         {{"id", "i-0a1b2c3d4e5f60001"},
          {"name", "web-01"},
          {region_key, "us-east-1"},
          {"region_display_name", us_east}},
         {},
         300,
         "ec2"},
        {"EBS",
         "ebs_sensor",
         "ebs_metascan",
         {{"id", "vol-0a1b2c3d4e5f70002"},
          {"name", "web-01-data"},
          {"size", "100"},
          {"type", "gp2"},
          {"state", "in-use"},
          {"attachment_information", ""},
          {region_key, "us-east-1"},
          {"region_display_name", us_east}},
         {},
         300,
         "ebs"},
        {"RDS",
         "rds_sensor",
         "rds_metascan",
         {{"identifier", "orders-db"},
          {"engine", "mysql"},
          {region_key, "us-east-1"},
          {"region_display_name", us_east}},
         {},
         300,
         "rds"},
        {"ELB application",
         "elb_sensor",
         "elb_metascan",
         {{"id", "app/web-alb/50dc6c495c0c9188"},
          {"name", "web-alb"},
          {"type", "application"},
          {region_key, "us-east-1"},
          {"region_display_name", us_east}},
         {},
         300,
         "elb"},
        {"ELB network",
         "elb_sensor",
         "elb_metascan",
         {{"id", "net/tcp-nlb/a1b2c3d4e5f60718"},
          {"name", "tcp-nlb"},
          {"type", "network"},
          {region_key, "us-east-1"},
          {"region_display_name", us_east}},
         {},
         300,
         "elb"},
        {"Metric alarm",
         "alarm_sensor",
         "alarm_metascan",
         {{"name", "web-01-cpu-high"},
          {"type", "Metric"},
          {"description", ""},
          {region_key, "us-east-1"},
          {"region_display_name", us_east}},
         {},
         300,
         "metric_alarm"},
        {"Composite alarm",
         "alarm_sensor",
         "alarm_metascan",
         {{"name", "web-service-degraded"},
          {"type", "Composite"},
          {"description", ""},
          {region_key, "us-east-1"},
          {"region_display_name", us_east}},
         {},
         300,
         "composite_alarm"},
        // Default cost settings: no additional cost types, no forecasts.
        {"Cost",
         "awscost",
         "",
         {},
         {{"cost_specific_section.cost_optional_channel_group.optional_channel", "disabled"},
          {"cost_specific_section.cost_optional_channel_group.cost_types", ""},
          {"cost_specific_section.cost_forecast_group.forecast_additional", "disabled"},
          {"cost_specific_section.cost_forecast_group.forecast_cost_types", "blended_cost"}},
         3600,
         "cost"},
    };
}

std::string text(std::string_view view) {
    return std::string(view);
}

}  // namespace

std::span<const sensor_case> sensor_cases() {
    static const std::vector<sensor_case> cases = make_cases();
    return cases;
}

credentials demo_keys() {
    return {"AKIDEXAMPLE", "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"};
}

std::string settings_buffer(const sensor_case& sensor, const credentials& keys, const host_options& host) {
    nlohmann::ordered_json settings{
        {"host", "aws.example"},
        {"logging", host.logging ? "enabled" : "disabled"},
        {"interval", std::to_string(sensor.interval)},
        {"timeout", "60"},
        {"ipversion", "IPv4"},
        {"awscredentials.credentials_group.access_key", keys.access_key},
        {"httpproxy.httpproxygroup.name", ""},
        {"httpproxy.httpproxygroup.port", "8080"},
        {"httpproxy.httpproxygroup.user", ""},
    };
    const std::string prefix = text(sensor.group) + "_section." + text(sensor.group) + "_group.";
    for (const auto& [name, value] : sensor.resource) {
        settings[prefix + text(name)] = value;
    }
    for (const auto& [key, value] : sensor.extra) {
        settings[text(key)] = value;
    }
    const nlohmann::ordered_json buffer{
        {"kind", sensor.kind},
        {"settings", settings},
        {"secure_settings",
         {{"awscredentials.credentials_group.secret_key", keys.secret_key},
          {"httpproxy.httpproxygroup.password", ""},
          {"orvanecloudapikey", ""}}},
    };
    return buffer.dump();
}

std::string baseline_resource(const sensor_case& sensor) {
    nlohmann::ordered_json resource = nlohmann::ordered_json::object();
    for (const auto& [name, value] : sensor.resource) {
        resource[text(name)] = value;
    }
    return resource.dump();
}

}  // namespace orvane::tessel::bench
