#pragma once

#include <aws/ce/model/DateInterval.h>
#include <aws/ce/model/Granularity.h>
#include <aws/ce/model/Metric.h>
#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class GetCostForecastRequest {
public:
    GetCostForecastRequest() = default;
    const char* GetServiceRequestName() const { return "GetCostForecast"; }
    Aws::String SerializePayload() const;

    const DateInterval& GetTimePeriod() const { return m_timePeriod; }
    bool TimePeriodHasBeenSet() const { return m_timePeriodHasBeenSet; }
    template <typename TimePeriodT = DateInterval>
    void SetTimePeriod(TimePeriodT&& value) {
        m_timePeriodHasBeenSet = true;
        m_timePeriod = std::forward<TimePeriodT>(value);
    }
    template <typename TimePeriodT = DateInterval>
    GetCostForecastRequest& WithTimePeriod(TimePeriodT&& value) {
        SetTimePeriod(std::forward<TimePeriodT>(value));
        return *this;
    }

    Metric GetMetric() const { return m_metric; }
    bool MetricHasBeenSet() const { return m_metricHasBeenSet; }
    void SetMetric(Metric value) {
        m_metricHasBeenSet = true;
        m_metric = value;
    }
    GetCostForecastRequest& WithMetric(Metric value) {
        SetMetric(value);
        return *this;
    }

    Granularity GetGranularity() const { return m_granularity; }
    bool GranularityHasBeenSet() const { return m_granularityHasBeenSet; }
    void SetGranularity(Granularity value) {
        m_granularityHasBeenSet = true;
        m_granularity = value;
    }
    GetCostForecastRequest& WithGranularity(Granularity value) {
        SetGranularity(value);
        return *this;
    }

    int GetPredictionIntervalLevel() const { return m_predictionIntervalLevel; }
    bool PredictionIntervalLevelHasBeenSet() const { return m_predictionIntervalLevelHasBeenSet; }
    void SetPredictionIntervalLevel(int value) {
        m_predictionIntervalLevelHasBeenSet = true;
        m_predictionIntervalLevel = value;
    }
    GetCostForecastRequest& WithPredictionIntervalLevel(int value) {
        SetPredictionIntervalLevel(value);
        return *this;
    }

private:
    DateInterval m_timePeriod;
    Metric m_metric = Metric::NOT_SET;
    Granularity m_granularity = Granularity::NOT_SET;
    int m_predictionIntervalLevel = 0;
    bool m_timePeriodHasBeenSet = false;
    bool m_metricHasBeenSet = false;
    bool m_granularityHasBeenSet = false;
    bool m_predictionIntervalLevelHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
