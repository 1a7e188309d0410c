#pragma once

#include <aws/monitoring/model/CompositeAlarm.h>
#include <aws/monitoring/model/Dimension.h>
#include <aws/monitoring/model/MetricAlarm.h>
#include <aws/monitoring/model/Statistic.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane::tessel::aws {

// Values of the lookup "lookup_alarm_status".
enum alarm_state : std::int64_t {
    insufficient_data = 0,
    ok = 1,
    in_alarm = 2,
};

// One CloudWatch alarm as the sensors and meta-scans see it.
class Alarm {
public:
    virtual ~Alarm() = default;
    virtual std::string get_name() const = 0;
    virtual std::string get_type() const = 0;  // "Metric" or "Composite"
    virtual std::string get_description() const = 0;
    virtual alarm_state get_state() const = 0;
    virtual std::string get_state_reason() const = 0;
};

// A metric that a metric alarm watches.
struct underlying_metric {
    std::string metric_name;
    std::string namespace_name;
    Aws::Vector<Aws::CloudWatch::Model::Dimension> dimensions;
    std::int32_t period = 0;  // seconds
    Aws::CloudWatch::Model::Statistic statistic = Aws::CloudWatch::Model::Statistic::NOT_SET;
};

// The lookup value of an SDK alarm state; anything unknown counts as insufficient data.
alarm_state to_alarm_state(Aws::CloudWatch::Model::StateValue state);

// What both kinds of alarm read alike from the SDK's description of the alarm.
template <class Model>
class described_alarm : public Alarm {
public:
    std::string get_name() const override { return alarm_.GetAlarmName(); }
    std::string get_description() const override { return alarm_.GetAlarmDescription(); }
    alarm_state get_state() const override { return to_alarm_state(alarm_.GetStateValue()); }
    std::string get_state_reason() const override { return alarm_.GetStateReason(); }

protected:
    explicit described_alarm(Model alarm) : alarm_(std::move(alarm)) {}

    const Model& description() const noexcept { return alarm_; }

private:
    Model alarm_;
};

class MetricAlarm final : public described_alarm<Aws::CloudWatch::Model::MetricAlarm> {
public:
    explicit MetricAlarm(Aws::CloudWatch::Model::MetricAlarm alarm);

    std::string get_type() const override { return "Metric"; }

    const std::vector<underlying_metric>& underlying_metrics() const noexcept { return metrics_; }

private:
    std::vector<underlying_metric> metrics_;
};

class CompositeAlarm final : public described_alarm<Aws::CloudWatch::Model::CompositeAlarm> {
public:
    CompositeAlarm(Aws::CloudWatch::Model::CompositeAlarm alarm,
                   std::vector<std::shared_ptr<Alarm>> children);

    std::string get_type() const override { return "Composite"; }

    const std::vector<std::shared_ptr<Alarm>>& children() const noexcept { return children_; }

private:
    std::vector<std::shared_ptr<Alarm>> children_;
};

}  // namespace orvane::tessel::aws
