#include "aws/clients/cloudwatch_client.h"

#include <aws/monitoring/model/GetMetricStatisticsRequest.h>
#include <aws/monitoring/model/ListMetricsRequest.h>

#include <algorithm>
#include <array>
#include <chrono>

#include "aws/clients/decimal_text.h"
#include "aws/clients/error_classification.h"
#include "aws/clients/paging.h"
#include "framework/exceptions.h"

namespace orvane::tessel::aws {

namespace model = Aws::CloudWatch::Model;

namespace {

struct statistic_field {
    model::Statistic statistic;
    const char* label;
    bool (model::Datapoint::*has)() const;
    double (model::Datapoint::*get)() const;
};

constexpr std::array<statistic_field, 5> statistic_fields{{
    {model::Statistic::SampleCount, "SampleCount of '", &model::Datapoint::SampleCountHasBeenSet,
     &model::Datapoint::GetSampleCount},
    {model::Statistic::Average, "Average of '", &model::Datapoint::AverageHasBeenSet,
     &model::Datapoint::GetAverage},
    {model::Statistic::Sum, "Sum of '", &model::Datapoint::SumHasBeenSet, &model::Datapoint::GetSum},
    {model::Statistic::Minimum, "Minimum of '", &model::Datapoint::MinimumHasBeenSet,
     &model::Datapoint::GetMinimum},
    {model::Statistic::Maximum, "Maximum of '", &model::Datapoint::MaximumHasBeenSet,
     &model::Datapoint::GetMaximum},
}};

std::string local_time(const Aws::Utils::DateTime& time) {
    return time.ToLocalTimeString(Aws::Utils::DateFormat::ISO_8601);
}

}  // namespace

std::int64_t cloudwatch_client::look_back_seconds(std::int64_t period) {
    return std::max<std::int64_t>(2 * period, 600);
}

metric_statistic cloudwatch_client::get_metric_statistics(const logger_ptr& logger,
                                                          const dimension_list& dimensions,
                                                          const std::string& namespace_name,
                                                          const std::string& metric_name,
                                                          model::Statistic statistic, std::int64_t period) {
    const auto now = Aws::Utils::DateTime::Now();
    model::GetMetricStatisticsRequest request;
    request.SetNamespace(namespace_name);
    request.SetMetricName(metric_name);
    request.SetDimensions(dimensions);
    request.SetStatistics({statistic});
    request.SetPeriod(static_cast<int>(period));
    request.SetEndTime(now);
    request.SetStartTime(now - std::chrono::seconds(look_back_seconds(period)));

    const auto outcome = sdk().GetMetricStatistics(request);
    if (!outcome.IsSuccess()) {
        // AWS's text passes the redactor: an error body may echo a secret of the request.
        trace(logger, "Failed to get statistics for metric " + namespace_name + " " + metric_name + ": " +
                          redactor().redact(outcome.GetError().GetMessage()));
    }
    // CloudWatch returns datapoints in no particular order; the newest one counts.
    auto datapoints = result_of(outcome, logger).GetDatapoints();
    std::stable_sort(datapoints.begin(), datapoints.end(),
                     [](const model::Datapoint& a, const model::Datapoint& b) {
                         return a.TimestampHasBeenSet() &&
                                (!b.TimestampHasBeenSet() || b.GetTimestamp() < a.GetTimestamp());
                     });
    if (datapoints.empty()) {
        trace(logger, "There are no datapoints for metric " + namespace_name + " " + metric_name + ":");
        return {};
    }
    std::string window = "  " + std::to_string(datapoints.size()) + " datapoint(s) " +
                         local_time(datapoints.back().GetTimestamp());
    if (datapoints.size() > 1) {
        window += ".." + local_time(datapoints.front().GetTimestamp());
    }
    trace(logger, window);

    const auto& newest = datapoints.front();
    metric_statistic result;
    result.unit = newest.GetUnit();
    if (statistic == model::Statistic::NOT_SET) {
        throw exceptions::unsupported_statistic_type(model::StatisticMapper::GetNameForStatistic(statistic));
    }
    const auto field = std::find_if(statistic_fields.begin(), statistic_fields.end(),
                                    [&](const statistic_field& f) { return f.statistic == statistic; });
    if (field != statistic_fields.end() && (newest.*field->has)()) {
        result.value = (newest.*field->get)();
        result.has_value = true;
        trace(logger, field->label + metric_name + "' with unit " +
                          model::StandardUnitMapper::GetNameForStandardUnit(result.unit) + " is " +
                          six_decimals(result.value));
    }
    return result;
}

metric_list cloudwatch_client::list_metrics(const logger_ptr& logger, const std::string& namespace_name,
                                            const std::string& dimension_name,
                                            const std::string& dimension_value) {
    model::ListMetricsRequest request;
    request.SetNamespace(namespace_name);
    metric_list metrics;
    const auto read_page = [&] {
        const auto outcome = sdk().ListMetrics(request);
        const auto& result = result_of(outcome, logger);
        for (const auto& metric : result.GetMetrics()) {
            const auto& dimensions = metric.GetDimensions();
            if (std::any_of(dimensions.begin(), dimensions.end(), [&](const model::Dimension& d) {
                    return d.GetName() == dimension_name && d.GetValue() == dimension_value;
                })) {
                metrics.push_back(metric);
            }
        }
        return result.GetNextToken();
    };
    follow_pages(unbounded, read_page, [&](const std::string& token) { request.SetNextToken(token); });
    return metrics;
}

std::vector<std::string> cloudwatch_client::get_target_groups(const metric_list& metrics,
                                                              const std::string& metric_name) {
    return find_target_groups(metrics, metric_name);
}

dimension_list cloudwatch_client::get_dimensions(const metric_list& metrics, const std::string& metric_name,
                                                 const std::vector<std::string>& dimension_names,
                                                 const std::string& target_group) {
    return find_dimensions(metrics, metric_name, dimension_names, target_group);
}

std::vector<std::shared_ptr<Alarm>> cloudwatch_client::list_alarms(model::DescribeAlarmsRequest request,
                                                                   bool with_children,
                                                                   const logger_ptr& logger) {
    trace(logger, "Requesting alarms.");
    std::vector<std::shared_ptr<Alarm>> alarms;
    const auto read_page = [&] {
        const auto outcome = sdk().DescribeAlarms(request);
        const auto& result = result_of(outcome, logger);
        for (const auto& alarm : result.GetMetricAlarms()) {
            alarms.push_back(std::make_shared<MetricAlarm>(alarm));
        }
        for (const auto& alarm : result.GetCompositeAlarms()) {
            std::vector<std::shared_ptr<Alarm>> children;
            if (with_children) {
                // One level deep: a child that is itself composite gets no children of its own.
                model::DescribeAlarmsRequest children_request;
                children_request.SetChildrenOfAlarmName(alarm.GetAlarmName());
                children = list_alarms(std::move(children_request), false, logger);
            }
            alarms.push_back(std::make_shared<CompositeAlarm>(alarm, std::move(children)));
        }
        return result.GetNextToken();
    };
    follow_pages(unbounded, read_page, [&](const std::string& token) { request.SetNextToken(token); });
    trace(logger, std::to_string(alarms.size()) + " alarm(s) found.");
    return alarms;
}

std::shared_ptr<Alarm> cloudwatch_client::get_alarm(const logger_ptr& logger, const std::string& alarm_name,
                                                    bool with_children) {
    model::DescribeAlarmsRequest request;
    request.SetAlarmNames({alarm_name});
    request.SetAlarmTypes({model::AlarmType::MetricAlarm, model::AlarmType::CompositeAlarm});
    auto alarms = list_alarms(std::move(request), with_children, logger);
    if (alarms.empty()) {
        throw exceptions::no_alarm_found(alarm_name);
    }
    if (alarms.size() > 1) {
        trace(logger, "More than one Alarm with the name " + alarm_name + " was found. Using first one.");
    }
    return alarms.front();
}

std::vector<std::shared_ptr<Alarm>> cloudwatch_client::get_alarms(const logger_ptr& logger,
                                                                  bool with_children) {
    model::DescribeAlarmsRequest request;
    request.SetAlarmTypes({model::AlarmType::MetricAlarm, model::AlarmType::CompositeAlarm});
    return list_alarms(std::move(request), with_children, logger);
}

bool cloudwatch_client::test_connection() {
    model::DescribeAlarmsRequest request;
    request.SetMaxRecords(1);
    return sdk().DescribeAlarms(request).IsSuccess();
}

}  // namespace orvane::tessel::aws
