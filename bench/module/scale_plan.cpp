#include "bench/module/scale_plan.h"

#include <vector>

namespace orvane::tessel::bench {

namespace {

constexpr std::string_view region_key = "region";
constexpr std::string_view frankfurt = "Europe (Frankfurt)";
constexpr std::string_view sao_paulo = "South America (São Paulo)";

// The kinds of sensor_cases() by position.
enum kind_index : std::size_t { ec2 = 0, ebs = 1, rds = 2, metric_alarm = 5 };

// A resource outside us-east-1, scanned like the module benchmark's sensor of the same kind.
struct regional_resource {
    kind_index like;
    std::string_view label;
    std::vector<setting> resource;
};

std::vector<regional_resource> regional_resources() {
    const auto volume = [](std::string_view id, std::string_view name, std::string_view size,
                           std::string_view region, std::string_view display) {
        return std::vector<setting>{{"id", id},           {"name", name},
                                    {"size", size},       {"type", "gp3"},
                                    {"state", "in-use"},  {"attachment_information", ""},
                                    {region_key, region}, {"region_display_name", display}};
    };
    return {
        {ec2,
         "EC2 eu-central-1",
         {{"id", "i-0e1f2a3b4c5d60011"},
          {"name", "app-eu-01"},
          {region_key, "eu-central-1"},
          {"region_display_name", frankfurt}}},
        {ebs, "EBS eu-central-1",
         volume("vol-0e1f2a3b4c5d70011", "app-eu-01-root", "30", "eu-central-1", frankfurt)},
        {rds,
         "RDS eu-central-1",
         {{"identifier", "analytics-db"},
          {"engine", "postgres"},
          {region_key, "eu-central-1"},
          {"region_display_name", frankfurt}}},
        {metric_alarm,
         "Metric alarm eu-central-1",
         {{"name", "analytics-db-cpu"},
          {"type", "Metric"},
          {"description", ""},
          {region_key, "eu-central-1"},
          {"region_display_name", frankfurt}}},
        {ec2,
         "EC2 sa-east-1",
         {{"id", "i-05a6b7c8d9e0f0021"},
          {"name", "edge-sp-01"},
          {region_key, "sa-east-1"},
          {"region_display_name", sao_paulo}}},
        {ebs, "EBS sa-east-1",
         volume("vol-05a6b7c8d9e0f0021", "edge-sp-01-root", "8", "sa-east-1", sao_paulo)},
    };
}

std::vector<sensor_case> make_cases() {
    std::vector<sensor_case> cases(sensor_cases().begin(), sensor_cases().end());
    for (auto& regional : regional_resources()) {
        sensor_case sensor = sensor_cases()[regional.like];
        sensor.label = regional.label;
        sensor.resource = std::move(regional.resource);
        cases.push_back(std::move(sensor));
    }
    return cases;
}

}  // namespace

std::span<const sensor_case> scale_cases() {
    static const std::vector<sensor_case> cases = make_cases();
    return cases;
}

const sensor_case& scale_case(std::size_t n) {
    const auto cases = scale_cases();
    return cases[n % cases.size()];
}

}  // namespace orvane::tessel::bench
