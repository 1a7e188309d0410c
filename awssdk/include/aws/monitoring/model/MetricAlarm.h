#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/monitoring/model/Dimension.h>
#include <aws/monitoring/model/MetricDataQuery.h>
#include <aws/monitoring/model/StandardUnit.h>
#include <aws/monitoring/model/StateValue.h>
#include <aws/monitoring/model/Statistic.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class MetricAlarm {
public:
    MetricAlarm() = default;

    const Aws::String& GetAlarmName() const { return m_alarmName; }
    bool AlarmNameHasBeenSet() const { return m_alarmNameHasBeenSet; }
    template <typename AlarmNameT = Aws::String>
    void SetAlarmName(AlarmNameT&& value) {
        m_alarmNameHasBeenSet = true;
        m_alarmName = std::forward<AlarmNameT>(value);
    }
    template <typename AlarmNameT = Aws::String>
    MetricAlarm& WithAlarmName(AlarmNameT&& value) {
        SetAlarmName(std::forward<AlarmNameT>(value));
        return *this;
    }

    const Aws::String& GetAlarmArn() const { return m_alarmArn; }
    bool AlarmArnHasBeenSet() const { return m_alarmArnHasBeenSet; }
    template <typename AlarmArnT = Aws::String>
    void SetAlarmArn(AlarmArnT&& value) {
        m_alarmArnHasBeenSet = true;
        m_alarmArn = std::forward<AlarmArnT>(value);
    }
    template <typename AlarmArnT = Aws::String>
    MetricAlarm& WithAlarmArn(AlarmArnT&& value) {
        SetAlarmArn(std::forward<AlarmArnT>(value));
        return *this;
    }

    const Aws::String& GetAlarmDescription() const { return m_alarmDescription; }
    bool AlarmDescriptionHasBeenSet() const { return m_alarmDescriptionHasBeenSet; }
    template <typename AlarmDescriptionT = Aws::String>
    void SetAlarmDescription(AlarmDescriptionT&& value) {
        m_alarmDescriptionHasBeenSet = true;
        m_alarmDescription = std::forward<AlarmDescriptionT>(value);
    }
    template <typename AlarmDescriptionT = Aws::String>
    MetricAlarm& WithAlarmDescription(AlarmDescriptionT&& value) {
        SetAlarmDescription(std::forward<AlarmDescriptionT>(value));
        return *this;
    }

    bool GetActionsEnabled() const { return m_actionsEnabled; }
    bool ActionsEnabledHasBeenSet() const { return m_actionsEnabledHasBeenSet; }
    void SetActionsEnabled(bool value) {
        m_actionsEnabledHasBeenSet = true;
        m_actionsEnabled = value;
    }
    MetricAlarm& WithActionsEnabled(bool value) {
        SetActionsEnabled(value);
        return *this;
    }

    StateValue GetStateValue() const { return m_stateValue; }
    bool StateValueHasBeenSet() const { return m_stateValueHasBeenSet; }
    void SetStateValue(StateValue value) {
        m_stateValueHasBeenSet = true;
        m_stateValue = value;
    }
    MetricAlarm& WithStateValue(StateValue value) {
        SetStateValue(value);
        return *this;
    }

    const Aws::String& GetStateReason() const { return m_stateReason; }
    bool StateReasonHasBeenSet() const { return m_stateReasonHasBeenSet; }
    template <typename StateReasonT = Aws::String>
    void SetStateReason(StateReasonT&& value) {
        m_stateReasonHasBeenSet = true;
        m_stateReason = std::forward<StateReasonT>(value);
    }
    template <typename StateReasonT = Aws::String>
    MetricAlarm& WithStateReason(StateReasonT&& value) {
        SetStateReason(std::forward<StateReasonT>(value));
        return *this;
    }

    const Aws::Utils::DateTime& GetStateUpdatedTimestamp() const { return m_stateUpdatedTimestamp; }
    bool StateUpdatedTimestampHasBeenSet() const { return m_stateUpdatedTimestampHasBeenSet; }
    template <typename StateUpdatedTimestampT = Aws::Utils::DateTime>
    void SetStateUpdatedTimestamp(StateUpdatedTimestampT&& value) {
        m_stateUpdatedTimestampHasBeenSet = true;
        m_stateUpdatedTimestamp = std::forward<StateUpdatedTimestampT>(value);
    }
    template <typename StateUpdatedTimestampT = Aws::Utils::DateTime>
    MetricAlarm& WithStateUpdatedTimestamp(StateUpdatedTimestampT&& value) {
        SetStateUpdatedTimestamp(std::forward<StateUpdatedTimestampT>(value));
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
    MetricAlarm& WithMetricName(MetricNameT&& value) {
        SetMetricName(std::forward<MetricNameT>(value));
        return *this;
    }

    const Aws::String& GetNamespace() const { return m_namespace; }
    bool NamespaceHasBeenSet() const { return m_namespaceHasBeenSet; }
    template <typename NamespaceT = Aws::String>
    void SetNamespace(NamespaceT&& value) {
        m_namespaceHasBeenSet = true;
        m_namespace = std::forward<NamespaceT>(value);
    }
    template <typename NamespaceT = Aws::String>
    MetricAlarm& WithNamespace(NamespaceT&& value) {
        SetNamespace(std::forward<NamespaceT>(value));
        return *this;
    }

    Statistic GetStatistic() const { return m_statistic; }
    bool StatisticHasBeenSet() const { return m_statisticHasBeenSet; }
    void SetStatistic(Statistic value) {
        m_statisticHasBeenSet = true;
        m_statistic = value;
    }
    MetricAlarm& WithStatistic(Statistic value) {
        SetStatistic(value);
        return *this;
    }

    const Aws::String& GetExtendedStatistic() const { return m_extendedStatistic; }
    bool ExtendedStatisticHasBeenSet() const { return m_extendedStatisticHasBeenSet; }
    template <typename ExtendedStatisticT = Aws::String>
    void SetExtendedStatistic(ExtendedStatisticT&& value) {
        m_extendedStatisticHasBeenSet = true;
        m_extendedStatistic = std::forward<ExtendedStatisticT>(value);
    }
    template <typename ExtendedStatisticT = Aws::String>
    MetricAlarm& WithExtendedStatistic(ExtendedStatisticT&& value) {
        SetExtendedStatistic(std::forward<ExtendedStatisticT>(value));
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
    MetricAlarm& WithDimensions(DimensionsT&& value) {
        SetDimensions(std::forward<DimensionsT>(value));
        return *this;
    }
    template <typename DimensionsItemT = Dimension>
    MetricAlarm& AddDimensions(DimensionsItemT&& value) {
        m_dimensionsHasBeenSet = true;
        m_dimensions.emplace_back(std::forward<DimensionsItemT>(value));
        return *this;
    }

    int GetPeriod() const { return m_period; }
    bool PeriodHasBeenSet() const { return m_periodHasBeenSet; }
    void SetPeriod(int value) {
        m_periodHasBeenSet = true;
        m_period = value;
    }
    MetricAlarm& WithPeriod(int value) {
        SetPeriod(value);
        return *this;
    }

    StandardUnit GetUnit() const { return m_unit; }
    bool UnitHasBeenSet() const { return m_unitHasBeenSet; }
    void SetUnit(StandardUnit value) {
        m_unitHasBeenSet = true;
        m_unit = value;
    }
    MetricAlarm& WithUnit(StandardUnit value) {
        SetUnit(value);
        return *this;
    }

    int GetEvaluationPeriods() const { return m_evaluationPeriods; }
    bool EvaluationPeriodsHasBeenSet() const { return m_evaluationPeriodsHasBeenSet; }
    void SetEvaluationPeriods(int value) {
        m_evaluationPeriodsHasBeenSet = true;
        m_evaluationPeriods = value;
    }
    MetricAlarm& WithEvaluationPeriods(int value) {
        SetEvaluationPeriods(value);
        return *this;
    }

    double GetThreshold() const { return m_threshold; }
    bool ThresholdHasBeenSet() const { return m_thresholdHasBeenSet; }
    void SetThreshold(double value) {
        m_thresholdHasBeenSet = true;
        m_threshold = value;
    }
    MetricAlarm& WithThreshold(double value) {
        SetThreshold(value);
        return *this;
    }

    const Aws::Vector<MetricDataQuery>& GetMetrics() const { return m_metrics; }
    bool MetricsHasBeenSet() const { return m_metricsHasBeenSet; }
    template <typename MetricsT = Aws::Vector<MetricDataQuery>>
    void SetMetrics(MetricsT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics = std::forward<MetricsT>(value);
    }
    template <typename MetricsT = Aws::Vector<MetricDataQuery>>
    MetricAlarm& WithMetrics(MetricsT&& value) {
        SetMetrics(std::forward<MetricsT>(value));
        return *this;
    }
    template <typename MetricsItemT = MetricDataQuery>
    MetricAlarm& AddMetrics(MetricsItemT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics.emplace_back(std::forward<MetricsItemT>(value));
        return *this;
    }

private:
    Aws::String m_alarmName;
    Aws::String m_alarmArn;
    Aws::String m_alarmDescription;
    bool m_actionsEnabled = false;
    StateValue m_stateValue = StateValue::NOT_SET;
    Aws::String m_stateReason;
    Aws::Utils::DateTime m_stateUpdatedTimestamp;
    Aws::String m_metricName;
    Aws::String m_namespace;
    Statistic m_statistic = Statistic::NOT_SET;
    Aws::String m_extendedStatistic;
    Aws::Vector<Dimension> m_dimensions;
    int m_period = 0;
    StandardUnit m_unit = StandardUnit::NOT_SET;
    int m_evaluationPeriods = 0;
    double m_threshold = 0.0;
    Aws::Vector<MetricDataQuery> m_metrics;
    bool m_alarmNameHasBeenSet = false;
    bool m_alarmArnHasBeenSet = false;
    bool m_alarmDescriptionHasBeenSet = false;
    bool m_actionsEnabledHasBeenSet = false;
    bool m_stateValueHasBeenSet = false;
    bool m_stateReasonHasBeenSet = false;
    bool m_stateUpdatedTimestampHasBeenSet = false;
    bool m_metricNameHasBeenSet = false;
    bool m_namespaceHasBeenSet = false;
    bool m_statisticHasBeenSet = false;
    bool m_extendedStatisticHasBeenSet = false;
    bool m_dimensionsHasBeenSet = false;
    bool m_periodHasBeenSet = false;
    bool m_unitHasBeenSet = false;
    bool m_evaluationPeriodsHasBeenSet = false;
    bool m_thresholdHasBeenSet = false;
    bool m_metricsHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
