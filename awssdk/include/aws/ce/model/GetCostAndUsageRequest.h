#pragma once

#include <aws/ce/model/DateInterval.h>
#include <aws/ce/model/Granularity.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class GetCostAndUsageRequest {
public:
    GetCostAndUsageRequest() = default;
    const char* GetServiceRequestName() const { return "GetCostAndUsage"; }
    Aws::String SerializePayload() const;

    const DateInterval& GetTimePeriod() const { return m_timePeriod; }
    bool TimePeriodHasBeenSet() const { return m_timePeriodHasBeenSet; }
    template <typename TimePeriodT = DateInterval>
    void SetTimePeriod(TimePeriodT&& value) {
        m_timePeriodHasBeenSet = true;
        m_timePeriod = std::forward<TimePeriodT>(value);
    }
    template <typename TimePeriodT = DateInterval>
    GetCostAndUsageRequest& WithTimePeriod(TimePeriodT&& value) {
        SetTimePeriod(std::forward<TimePeriodT>(value));
        return *this;
    }

    Granularity GetGranularity() const { return m_granularity; }
    bool GranularityHasBeenSet() const { return m_granularityHasBeenSet; }
    void SetGranularity(Granularity value) {
        m_granularityHasBeenSet = true;
        m_granularity = value;
    }
    GetCostAndUsageRequest& WithGranularity(Granularity value) {
        SetGranularity(value);
        return *this;
    }

    const Aws::Vector<Aws::String>& GetMetrics() const { return m_metrics; }
    bool MetricsHasBeenSet() const { return m_metricsHasBeenSet; }
    template <typename MetricsT = Aws::Vector<Aws::String>>
    void SetMetrics(MetricsT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics = std::forward<MetricsT>(value);
    }
    template <typename MetricsT = Aws::Vector<Aws::String>>
    GetCostAndUsageRequest& WithMetrics(MetricsT&& value) {
        SetMetrics(std::forward<MetricsT>(value));
        return *this;
    }
    template <typename MetricsItemT = Aws::String>
    GetCostAndUsageRequest& AddMetrics(MetricsItemT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics.emplace_back(std::forward<MetricsItemT>(value));
        return *this;
    }

    const Aws::String& GetNextPageToken() const { return m_nextPageToken; }
    bool NextPageTokenHasBeenSet() const { return m_nextPageTokenHasBeenSet; }
    template <typename NextPageTokenT = Aws::String>
    void SetNextPageToken(NextPageTokenT&& value) {
        m_nextPageTokenHasBeenSet = true;
        m_nextPageToken = std::forward<NextPageTokenT>(value);
    }
    template <typename NextPageTokenT = Aws::String>
    GetCostAndUsageRequest& WithNextPageToken(NextPageTokenT&& value) {
        SetNextPageToken(std::forward<NextPageTokenT>(value));
        return *this;
    }

private:
    DateInterval m_timePeriod;
    Granularity m_granularity = Granularity::NOT_SET;
    Aws::Vector<Aws::String> m_metrics;
    Aws::String m_nextPageToken;
    bool m_timePeriodHasBeenSet = false;
    bool m_granularityHasBeenSet = false;
    bool m_metricsHasBeenSet = false;
    bool m_nextPageTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
