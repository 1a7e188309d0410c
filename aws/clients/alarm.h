#pragma once

#include <aws/monitoring/model/CompositeAlarm.h>
#include <aws/monitoring/model/Dimension.h>
#include <aws/monitoring/model/MetricAlarm.h>
#include <aws/monitoring/model/Statistic.h>

#include <cstdint>
#include <memory>
#include <string>
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

class MetricAlarm final : public Alarm {
public:
    explicit MetricAlarm(Aws::CloudWatch::Model::MetricAlarm alarm);

    std::string get_name() const override;
    std::string get_type() const override { return "Metric"; }
    std::string get_description() const override;
    alarm_state get_state() const override;
    std::string get_state_reason() const override;

    const std::vector<underlying_metric>& underlying_metrics() const noexcept { return metrics_; }

private:
    Aws::CloudWatch::Model::MetricAlarm alarm_;
    std::vector<underlying_metric> metrics_;
};

class CompositeAlarm final : public Alarm {
public:
    CompositeAlarm(Aws::CloudWatch::Model::CompositeAlarm alarm,
                   std::vector<std::shared_ptr<Alarm>> children);

    std::string get_name() const override;
    std::string get_type() const override { return "Composite"; }
    std::string get_description() const override;
    alarm_state get_state() const override;
    std::string get_state_reason() const override;

    const std::vector<std::shared_ptr<Alarm>>& children() const noexcept { return children_; }

private:
    Aws::CloudWatch::Model::CompositeAlarm alarm_;
    std::vector<std::shared_ptr<Alarm>> children_;
};

// The lookup value of an SDK alarm state; anything unknown counts as insufficient data.
alarm_state to_alarm_state(Aws::CloudWatch::Model::StateValue state);

}  // namespace orvane::tessel::aws
