#pragma once

#include <pugixml.hpp>

#include <aws/monitoring/model/DescribeAlarmsResult.h>
#include <aws/monitoring/model/GetMetricStatisticsResult.h>
#include <aws/monitoring/model/ListMetricsResult.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

void UnmarshalGetMetricStatisticsResult(const pugi::xml_node& node, GetMetricStatisticsResult& out);
void UnmarshalListMetricsResult(const pugi::xml_node& node, ListMetricsResult& out);
void UnmarshalDescribeAlarmsResult(const pugi::xml_node& node, DescribeAlarmsResult& out);

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
