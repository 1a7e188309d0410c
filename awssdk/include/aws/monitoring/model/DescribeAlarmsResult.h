#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/monitoring/model/CompositeAlarm.h>
#include <aws/monitoring/model/MetricAlarm.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class DescribeAlarmsResult {
public:
    DescribeAlarmsResult() = default;

    const Aws::Vector<CompositeAlarm>& GetCompositeAlarms() const { return m_compositeAlarms; }
    bool CompositeAlarmsHasBeenSet() const { return m_compositeAlarmsHasBeenSet; }
    template <typename CompositeAlarmsT = Aws::Vector<CompositeAlarm>>
    void SetCompositeAlarms(CompositeAlarmsT&& value) {
        m_compositeAlarmsHasBeenSet = true;
        m_compositeAlarms = std::forward<CompositeAlarmsT>(value);
    }
    template <typename CompositeAlarmsT = Aws::Vector<CompositeAlarm>>
    DescribeAlarmsResult& WithCompositeAlarms(CompositeAlarmsT&& value) {
        SetCompositeAlarms(std::forward<CompositeAlarmsT>(value));
        return *this;
    }
    template <typename CompositeAlarmsItemT = CompositeAlarm>
    DescribeAlarmsResult& AddCompositeAlarms(CompositeAlarmsItemT&& value) {
        m_compositeAlarmsHasBeenSet = true;
        m_compositeAlarms.emplace_back(std::forward<CompositeAlarmsItemT>(value));
        return *this;
    }

    const Aws::Vector<MetricAlarm>& GetMetricAlarms() const { return m_metricAlarms; }
    bool MetricAlarmsHasBeenSet() const { return m_metricAlarmsHasBeenSet; }
    template <typename MetricAlarmsT = Aws::Vector<MetricAlarm>>
    void SetMetricAlarms(MetricAlarmsT&& value) {
        m_metricAlarmsHasBeenSet = true;
        m_metricAlarms = std::forward<MetricAlarmsT>(value);
    }
    template <typename MetricAlarmsT = Aws::Vector<MetricAlarm>>
    DescribeAlarmsResult& WithMetricAlarms(MetricAlarmsT&& value) {
        SetMetricAlarms(std::forward<MetricAlarmsT>(value));
        return *this;
    }
    template <typename MetricAlarmsItemT = MetricAlarm>
    DescribeAlarmsResult& AddMetricAlarms(MetricAlarmsItemT&& value) {
        m_metricAlarmsHasBeenSet = true;
        m_metricAlarms.emplace_back(std::forward<MetricAlarmsItemT>(value));
        return *this;
    }

    const Aws::String& GetNextToken() const { return m_nextToken; }
    bool NextTokenHasBeenSet() const { return m_nextTokenHasBeenSet; }
    template <typename NextTokenT = Aws::String>
    void SetNextToken(NextTokenT&& value) {
        m_nextTokenHasBeenSet = true;
        m_nextToken = std::forward<NextTokenT>(value);
    }
    template <typename NextTokenT = Aws::String>
    DescribeAlarmsResult& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::Vector<CompositeAlarm> m_compositeAlarms;
    Aws::Vector<MetricAlarm> m_metricAlarms;
    Aws::String m_nextToken;
    bool m_compositeAlarmsHasBeenSet = false;
    bool m_metricAlarmsHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
