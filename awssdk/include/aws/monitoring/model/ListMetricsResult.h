#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/monitoring/model/Metric.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class ListMetricsResult {
public:
    ListMetricsResult() = default;

    const Aws::Vector<Metric>& GetMetrics() const { return m_metrics; }
    bool MetricsHasBeenSet() const { return m_metricsHasBeenSet; }
    template <typename MetricsT = Aws::Vector<Metric>>
    void SetMetrics(MetricsT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics = std::forward<MetricsT>(value);
    }
    template <typename MetricsT = Aws::Vector<Metric>>
    ListMetricsResult& WithMetrics(MetricsT&& value) {
        SetMetrics(std::forward<MetricsT>(value));
        return *this;
    }
    template <typename MetricsItemT = Metric>
    ListMetricsResult& AddMetrics(MetricsItemT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics.emplace_back(std::forward<MetricsItemT>(value));
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
    ListMetricsResult& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::Vector<Metric> m_metrics;
    Aws::String m_nextToken;
    bool m_metricsHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
