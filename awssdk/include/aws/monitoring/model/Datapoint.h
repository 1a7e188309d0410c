#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/monitoring/model/StandardUnit.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class Datapoint {
public:
    Datapoint() = default;

    const Aws::Utils::DateTime& GetTimestamp() const { return m_timestamp; }
    bool TimestampHasBeenSet() const { return m_timestampHasBeenSet; }
    template <typename TimestampT = Aws::Utils::DateTime>
    void SetTimestamp(TimestampT&& value) {
        m_timestampHasBeenSet = true;
        m_timestamp = std::forward<TimestampT>(value);
    }
    template <typename TimestampT = Aws::Utils::DateTime>
    Datapoint& WithTimestamp(TimestampT&& value) {
        SetTimestamp(std::forward<TimestampT>(value));
        return *this;
    }

    double GetSampleCount() const { return m_sampleCount; }
    bool SampleCountHasBeenSet() const { return m_sampleCountHasBeenSet; }
    void SetSampleCount(double value) {
        m_sampleCountHasBeenSet = true;
        m_sampleCount = value;
    }
    Datapoint& WithSampleCount(double value) {
        SetSampleCount(value);
        return *this;
    }

    double GetAverage() const { return m_average; }
    bool AverageHasBeenSet() const { return m_averageHasBeenSet; }
    void SetAverage(double value) {
        m_averageHasBeenSet = true;
        m_average = value;
    }
    Datapoint& WithAverage(double value) {
        SetAverage(value);
        return *this;
    }

    double GetSum() const { return m_sum; }
    bool SumHasBeenSet() const { return m_sumHasBeenSet; }
    void SetSum(double value) {
        m_sumHasBeenSet = true;
        m_sum = value;
    }
    Datapoint& WithSum(double value) {
        SetSum(value);
        return *this;
    }

    double GetMinimum() const { return m_minimum; }
    bool MinimumHasBeenSet() const { return m_minimumHasBeenSet; }
    void SetMinimum(double value) {
        m_minimumHasBeenSet = true;
        m_minimum = value;
    }
    Datapoint& WithMinimum(double value) {
        SetMinimum(value);
        return *this;
    }

    double GetMaximum() const { return m_maximum; }
    bool MaximumHasBeenSet() const { return m_maximumHasBeenSet; }
    void SetMaximum(double value) {
        m_maximumHasBeenSet = true;
        m_maximum = value;
    }
    Datapoint& WithMaximum(double value) {
        SetMaximum(value);
        return *this;
    }

    StandardUnit GetUnit() const { return m_unit; }
    bool UnitHasBeenSet() const { return m_unitHasBeenSet; }
    void SetUnit(StandardUnit value) {
        m_unitHasBeenSet = true;
        m_unit = value;
    }
    Datapoint& WithUnit(StandardUnit value) {
        SetUnit(value);
        return *this;
    }

private:
    Aws::Utils::DateTime m_timestamp;
    double m_sampleCount = 0.0;
    double m_average = 0.0;
    double m_sum = 0.0;
    double m_minimum = 0.0;
    double m_maximum = 0.0;
    StandardUnit m_unit = StandardUnit::NOT_SET;
    bool m_timestampHasBeenSet = false;
    bool m_sampleCountHasBeenSet = false;
    bool m_averageHasBeenSet = false;
    bool m_sumHasBeenSet = false;
    bool m_minimumHasBeenSet = false;
    bool m_maximumHasBeenSet = false;
    bool m_unitHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
