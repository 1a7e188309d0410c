#include <algorithm>

#include "aws/clients/cloudwatch_client_interface.h"

namespace orvane::tessel::aws {

std::vector<std::string> find_target_groups(const metric_list& metrics, const std::string& metric_name) {
    std::vector<std::string> groups;
    for (const auto& metric : metrics) {
        if (metric.GetMetricName() != metric_name) {
            continue;
        }
        for (const auto& dimension : metric.GetDimensions()) {
            if (dimension.GetName() == "TargetGroup" &&
                std::find(groups.begin(), groups.end(), dimension.GetValue()) == groups.end()) {
                groups.push_back(dimension.GetValue());
            }
        }
    }
    return groups;
}

dimension_list find_dimensions(const metric_list& metrics, const std::string& metric_name,
                               const std::vector<std::string>& dimension_names,
                               const std::string& target_group) {
    dimension_list result;
    for (const auto& metric : metrics) {
        if (metric.GetMetricName() != metric_name) {
            continue;
        }
        // A metric qualifies when it carries every wanted dimension and nothing else (and, with a
        // target group, that group's).
        std::size_t remaining = dimension_names.size();
        bool keep = true;
        for (const auto& dimension : metric.GetDimensions()) {
            const bool other_group = dimension.GetName() == "TargetGroup" && !target_group.empty() &&
                                     dimension.GetValue() != target_group;
            const bool wanted = std::find(dimension_names.begin(), dimension_names.end(),
                                          dimension.GetName()) != dimension_names.end();
            if (other_group || !wanted) {
                keep = false;
                break;
            }
            if (remaining > 0) {
                --remaining;
            }
        }
        if (keep && remaining == 0) {
            result.insert(result.end(), metric.GetDimensions().begin(), metric.GetDimensions().end());
        }
    }
    return result;
}

}  // namespace orvane::tessel::aws
