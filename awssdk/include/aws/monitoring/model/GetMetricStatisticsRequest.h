#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/monitoring/model/Dimension.h>
#include <aws/monitoring/model/StandardUnit.h>
#include <aws/monitoring/model/Statistic.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class GetMetricStatisticsRequest {
public:
    GetMetricStatisticsRequest() = default;
    const char* GetServiceRequestName() const { return "GetMetricStatistics"; }
    Aws::String SerializePayload() const;

    const Aws::String& GetNamespace() const { return m_namespace; }
    bool NamespaceHasBeenSet() const { return m_namespaceHasBeenSet; }
    template <typename NamespaceT = Aws::String>
    void SetNamespace(NamespaceT&& value) {
        m_namespaceHasBeenSet = true;
        m_namespace = std::forward<NamespaceT>(value);
    }
    template <typename NamespaceT = Aws::String>
    GetMetricStatisticsRequest& WithNamespace(NamespaceT&& value) {
        SetNamespace(std::forward<NamespaceT>(value));
        return *this;
    }

    const Aws::String& GetMetricName() const { return m_metricName; }
    bool MetricNameHasBeenSet() const { return m_metricNameHasBeenSet; }
    template <typename MetricNameT = Aws::String>
    void SetMetricName(MetricNameT&& value) {
        m_metricNameHasBeenSet = true;
        m_metricName = std::forward<MetricNameT>(value);
    }
    template <typename MetricNameT = Aws::String>
    GetMetricStatisticsRequest& WithMetricName(MetricNameT&& value) {
        SetMetricName(std::forward<MetricNameT>(value));
        return *this;
    }

    const Aws::Vector<Dimension>& GetDimensions() const { return m_dimensions; }
    bool DimensionsHasBeenSet() const { return m_dimensionsHasBeenSet; }
    template <typename DimensionsT = Aws::Vector<Dimension>>
    void SetDimensions(DimensionsT&& value) {
        m_dimensionsHasBeenSet = true;
        m_dimensions = std::forward<DimensionsT>(value);
    }
    template <typename DimensionsT = Aws::Vector<Dimension>>
    GetMetricStatisticsRequest& WithDimensions(DimensionsT&& value) {
        SetDimensions(std::forward<DimensionsT>(value));
        return *this;
    }
    template <typename DimensionsItemT = Dimension>
    GetMetricStatisticsRequest& AddDimensions(DimensionsItemT&& value) {
        m_dimensionsHasBeenSet = true;
        m_dimensions.emplace_back(std::forward<DimensionsItemT>(value));
        return *this;
    }

    const Aws::Utils::DateTime& GetStartTime() const { return m_startTime; }
    bool StartTimeHasBeenSet() const { return m_startTimeHasBeenSet; }
    template <typename StartTimeT = Aws::Utils::DateTime>
    void SetStartTime(StartTimeT&& value) {
        m_startTimeHasBeenSet = true;
        m_startTime = std::forward<StartTimeT>(value);
    }
    template <typename StartTimeT = Aws::Utils::DateTime>
    GetMetricStatisticsRequest& WithStartTime(StartTimeT&& value) {
        SetStartTime(std::forward<StartTimeT>(value));
        return *this;
    }

    const Aws::Utils::DateTime& GetEndTime() const { return m_endTime; }
    bool EndTimeHasBeenSet() const { return m_endTimeHasBeenSet; }
    template <typename EndTimeT = Aws::Utils::DateTime>
    void SetEndTime(EndTimeT&& value) {
        m_endTimeHasBeenSet = true;
        m_endTime = std::forward<EndTimeT>(value);
    }
    template <typename EndTimeT = Aws::Utils::DateTime>
    GetMetricStatisticsRequest& WithEndTime(EndTimeT&& value) {
        SetEndTime(std::forward<EndTimeT>(value));
        return *this;
    }

    int GetPeriod() const { return m_period; }
    bool PeriodHasBeenSet() const { return m_periodHasBeenSet; }
    void SetPeriod(int value) {
        m_periodHasBeenSet = true;
        m_period = value;
    }
    GetMetricStatisticsRequest& WithPeriod(int value) {
        SetPeriod(value);
        return *this;
    }

    const Aws::Vector<Statistic>& GetStatistics() const { return m_statistics; }
    bool StatisticsHasBeenSet() const { return m_statisticsHasBeenSet; }
    template <typename StatisticsT = Aws::Vector<Statistic>>
    void SetStatistics(StatisticsT&& value) {
        m_statisticsHasBeenSet = true;
        m_statistics = std::forward<StatisticsT>(value);
    }
    template <typename StatisticsT = Aws::Vector<Statistic>>
    GetMetricStatisticsRequest& WithStatistics(StatisticsT&& value) {
        SetStatistics(std::forward<StatisticsT>(value));
        return *this;
    }
    GetMetricStatisticsRequest& AddStatistics(Statistic value) {
        m_statisticsHasBeenSet = true;
        m_statistics.push_back(value);
        return *this;
    }

    const Aws::Vector<Aws::String>& GetExtendedStatistics() const { return m_extendedStatistics; }
    bool ExtendedStatisticsHasBeenSet() const { return m_extendedStatisticsHasBeenSet; }
    template <typename ExtendedStatisticsT = Aws::Vector<Aws::String>>
    void SetExtendedStatistics(ExtendedStatisticsT&& value) {
        m_extendedStatisticsHasBeenSet = true;
        m_extendedStatistics = std::forward<ExtendedStatisticsT>(value);
    }
    template <typename ExtendedStatisticsT = Aws::Vector<Aws::String>>
    GetMetricStatisticsRequest& WithExtendedStatistics(ExtendedStatisticsT&& value) {
        SetExtendedStatistics(std::forward<ExtendedStatisticsT>(value));
        return *this;
    }
    template <typename ExtendedStatisticsItemT = Aws::String>
    GetMetricStatisticsRequest& AddExtendedStatistics(ExtendedStatisticsItemT&& value) {
        m_extendedStatisticsHasBeenSet = true;
        m_extendedStatistics.emplace_back(std::forward<ExtendedStatisticsItemT>(value));
        return *this;
    }

    StandardUnit GetUnit() const { return m_unit; }
    bool UnitHasBeenSet() const { return m_unitHasBeenSet; }
    void SetUnit(StandardUnit value) {
        m_unitHasBeenSet = true;
        m_unit = value;
    }
    GetMetricStatisticsRequest& WithUnit(StandardUnit value) {
        SetUnit(value);
        return *this;
    }

private:
    Aws::String m_namespace;
    Aws::String m_metricName;
    Aws::Vector<Dimension> m_dimensions;
    Aws::Utils::DateTime m_startTime;
    Aws::Utils::DateTime m_endTime;
    int m_period = 0;
    Aws::Vector<Statistic> m_statistics;
    Aws::Vector<Aws::String> m_extendedStatistics;
    StandardUnit m_unit = StandardUnit::NOT_SET;
    bool m_namespaceHasBeenSet = false;
    bool m_metricNameHasBeenSet = false;
    bool m_dimensionsHasBeenSet = false;
    bool m_startTimeHasBeenSet = false;
    bool m_endTimeHasBeenSet = false;
    bool m_periodHasBeenSet = false;
    bool m_statisticsHasBeenSet = false;
    bool m_extendedStatisticsHasBeenSet = false;
    bool m_unitHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
