#pragma once

#include <aws/ce/model/ForecastResult.h>
#include <aws/ce/model/MetricValue.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class GetCostForecastResult {
public:
    GetCostForecastResult() = default;

    const MetricValue& GetTotal() const { return m_total; }
    bool TotalHasBeenSet() const { return m_totalHasBeenSet; }
    template <typename TotalT = MetricValue>
    void SetTotal(TotalT&& value) {
        m_totalHasBeenSet = true;
        m_total = std::forward<TotalT>(value);
    }
    template <typename TotalT = MetricValue>
    GetCostForecastResult& WithTotal(TotalT&& value) {
        SetTotal(std::forward<TotalT>(value));
        return *this;
    }

    const Aws::Vector<ForecastResult>& GetForecastResultsByTime() const { return m_forecastResultsByTime; }
    bool ForecastResultsByTimeHasBeenSet() const { return m_forecastResultsByTimeHasBeenSet; }
    template <typename ForecastResultsByTimeT = Aws::Vector<ForecastResult>>
    void SetForecastResultsByTime(ForecastResultsByTimeT&& value) {
        m_forecastResultsByTimeHasBeenSet = true;
        m_forecastResultsByTime = std::forward<ForecastResultsByTimeT>(value);
    }
    template <typename ForecastResultsByTimeT = Aws::Vector<ForecastResult>>
    GetCostForecastResult& WithForecastResultsByTime(ForecastResultsByTimeT&& value) {
        SetForecastResultsByTime(std::forward<ForecastResultsByTimeT>(value));
        return *this;
    }
    template <typename ForecastResultsByTimeItemT = ForecastResult>
    GetCostForecastResult& AddForecastResultsByTime(ForecastResultsByTimeItemT&& value) {
        m_forecastResultsByTimeHasBeenSet = true;
        m_forecastResultsByTime.emplace_back(std::forward<ForecastResultsByTimeItemT>(value));
        return *this;
    }

private:
    MetricValue m_total;
    Aws::Vector<ForecastResult> m_forecastResultsByTime;
    bool m_totalHasBeenSet = false;
    bool m_forecastResultsByTimeHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
