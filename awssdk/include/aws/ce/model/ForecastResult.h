#pragma once

#include <aws/ce/model/DateInterval.h>
#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class ForecastResult {
public:
    ForecastResult() = default;

    const DateInterval& GetTimePeriod() const { return m_timePeriod; }
    bool TimePeriodHasBeenSet() const { return m_timePeriodHasBeenSet; }
    template <typename TimePeriodT = DateInterval>
    void SetTimePeriod(TimePeriodT&& value) {
        m_timePeriodHasBeenSet = true;
        m_timePeriod = std::forward<TimePeriodT>(value);
    }
    template <typename TimePeriodT = DateInterval>
    ForecastResult& WithTimePeriod(TimePeriodT&& value) {
        SetTimePeriod(std::forward<TimePeriodT>(value));
        return *this;
    }

    const Aws::String& GetMeanValue() const { return m_meanValue; }
    bool MeanValueHasBeenSet() const { return m_meanValueHasBeenSet; }
    template <typename MeanValueT = Aws::String>
    void SetMeanValue(MeanValueT&& value) {
        m_meanValueHasBeenSet = true;
        m_meanValue = std::forward<MeanValueT>(value);
    }
    template <typename MeanValueT = Aws::String>
    ForecastResult& WithMeanValue(MeanValueT&& value) {
        SetMeanValue(std::forward<MeanValueT>(value));
        return *this;
    }

    const Aws::String& GetPredictionIntervalLowerBound() const { return m_predictionIntervalLowerBound; }
    bool PredictionIntervalLowerBoundHasBeenSet() const { return m_predictionIntervalLowerBoundHasBeenSet; }
    template <typename PredictionIntervalLowerBoundT = Aws::String>
    void SetPredictionIntervalLowerBound(PredictionIntervalLowerBoundT&& value) {
        m_predictionIntervalLowerBoundHasBeenSet = true;
        m_predictionIntervalLowerBound = std::forward<PredictionIntervalLowerBoundT>(value);
    }
    template <typename PredictionIntervalLowerBoundT = Aws::String>
    ForecastResult& WithPredictionIntervalLowerBound(PredictionIntervalLowerBoundT&& value) {
        SetPredictionIntervalLowerBound(std::forward<PredictionIntervalLowerBoundT>(value));
        return *this;
    }

    const Aws::String& GetPredictionIntervalUpperBound() const { return m_predictionIntervalUpperBound; }
    bool PredictionIntervalUpperBoundHasBeenSet() const { return m_predictionIntervalUpperBoundHasBeenSet; }
    template <typename PredictionIntervalUpperBoundT = Aws::String>
    void SetPredictionIntervalUpperBound(PredictionIntervalUpperBoundT&& value) {
        m_predictionIntervalUpperBoundHasBeenSet = true;
        m_predictionIntervalUpperBound = std::forward<PredictionIntervalUpperBoundT>(value);
    }
    template <typename PredictionIntervalUpperBoundT = Aws::String>
    ForecastResult& WithPredictionIntervalUpperBound(PredictionIntervalUpperBoundT&& value) {
        SetPredictionIntervalUpperBound(std::forward<PredictionIntervalUpperBoundT>(value));
        return *this;
    }

private:
    DateInterval m_timePeriod;
    Aws::String m_meanValue;
    Aws::String m_predictionIntervalLowerBound;
    Aws::String m_predictionIntervalUpperBound;
    bool m_timePeriodHasBeenSet = false;
    bool m_meanValueHasBeenSet = false;
    bool m_predictionIntervalLowerBoundHasBeenSet = false;
    bool m_predictionIntervalUpperBoundHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
