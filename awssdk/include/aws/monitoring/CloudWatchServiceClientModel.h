#pragma once

#include <aws/core/utils/Outcome.h>
#include <aws/monitoring/CloudWatchErrors.h>
#include <aws/monitoring/model/DescribeAlarmsRequest.h>
#include <aws/monitoring/model/DescribeAlarmsResult.h>
#include <aws/monitoring/model/GetMetricStatisticsRequest.h>
#include <aws/monitoring/model/GetMetricStatisticsResult.h>
#include <aws/monitoring/model/ListMetricsRequest.h>
#include <aws/monitoring/model/ListMetricsResult.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

using GetMetricStatisticsOutcome = Aws::Utils::Outcome<GetMetricStatisticsResult, CloudWatchError>;
using ListMetricsOutcome = Aws::Utils::Outcome<ListMetricsResult, CloudWatchError>;
using DescribeAlarmsOutcome = Aws::Utils::Outcome<DescribeAlarmsResult, CloudWatchError>;

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
