#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/monitoring/model/Metric.h>
#include <aws/monitoring/model/StandardUnit.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class MetricStat {
public:
    MetricStat() = default;

    const Metric& GetMetric() const { return m_metric; }
    bool MetricHasBeenSet() const { return m_metricHasBeenSet; }
    template <typename MetricT = Metric>
    void SetMetric(MetricT&& value) {
        m_metricHasBeenSet = true;
        m_metric = std::forward<MetricT>(value);
    }
    template <typename MetricT = Metric>
    MetricStat& WithMetric(MetricT&& value) {
        SetMetric(std::forward<MetricT>(value));
        return *this;
    }

    int GetPeriod() const { return m_period; }
    bool PeriodHasBeenSet() const { return m_periodHasBeenSet; }
    void SetPeriod(int value) {
        m_periodHasBeenSet = true;
        m_period = value;
    }
    MetricStat& WithPeriod(int value) {
        SetPeriod(value);
        return *this;
    }

    const Aws::String& GetStat() const { return m_stat; }
    bool StatHasBeenSet() const { return m_statHasBeenSet; }
    template <typename StatT = Aws::String>
    void SetStat(StatT&& value) {
        m_statHasBeenSet = true;
        m_stat = std::forward<StatT>(value);
    }
    template <typename StatT = Aws::String>
    MetricStat& WithStat(StatT&& value) {
        SetStat(std::forward<StatT>(value));
        return *this;
    }

    StandardUnit GetUnit() const { return m_unit; }
    bool UnitHasBeenSet() const { return m_unitHasBeenSet; }
    void SetUnit(StandardUnit value) {
        m_unitHasBeenSet = true;
        m_unit = value;
    }
    MetricStat& WithUnit(StandardUnit value) {
        SetUnit(value);
        return *this;
    }

private:
    Metric m_metric;
    int m_period = 0;
    Aws::String m_stat;
    StandardUnit m_unit = StandardUnit::NOT_SET;
    bool m_metricHasBeenSet = false;
    bool m_periodHasBeenSet = false;
    bool m_statHasBeenSet = false;
    bool m_unitHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
