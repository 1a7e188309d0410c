#include "aws/clients/alarm.h"

#include <aws/monitoring/model/StateValue.h>

namespace orvane::tessel::aws {

namespace model = Aws::CloudWatch::Model;

namespace {

// The metrics an alarm watches: its own metric, or the metric-statistic queries of an alarm on
// several metrics (expressions are computed from those and watch nothing of their own).
std::vector<underlying_metric> metrics_of(const model::MetricAlarm& alarm) {
    std::vector<underlying_metric> metrics;
    if (alarm.GetMetrics().empty()) {
        if (!alarm.GetMetricName().empty()) {
            metrics.push_back({alarm.GetMetricName(), alarm.GetNamespace(), alarm.GetDimensions(),
                               alarm.GetPeriod(), alarm.GetStatistic()});
        }
        return metrics;
    }
    for (const auto& query : alarm.GetMetrics()) {
        const auto& stat = query.GetMetricStat();
        if (!query.MetricStatHasBeenSet() || query.ExpressionHasBeenSet() ||
            stat.GetMetric().GetMetricName().empty()) {
            continue;
        }
        metrics.push_back({stat.GetMetric().GetMetricName(), stat.GetMetric().GetNamespace(),
                           stat.GetMetric().GetDimensions(), stat.GetPeriod(),
                           model::StatisticMapper::GetStatisticForName(stat.GetStat())});
    }
    return metrics;
}

}  // namespace

alarm_state to_alarm_state(model::StateValue state) {
    switch (state) {
        case model::StateValue::OK:
            return ok;
        case model::StateValue::ALARM:
            return in_alarm;
        default:
            return insufficient_data;
    }
}

MetricAlarm::MetricAlarm(model::MetricAlarm alarm)
    : described_alarm(std::move(alarm)), metrics_(metrics_of(description())) {}

CompositeAlarm::CompositeAlarm(model::CompositeAlarm alarm, std::vector<std::shared_ptr<Alarm>> children)
    : described_alarm(std::move(alarm)), children_(std::move(children)) {}

}  // namespace orvane::tessel::aws
