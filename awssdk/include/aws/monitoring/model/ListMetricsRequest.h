#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class ListMetricsRequest {
public:
    ListMetricsRequest() = default;
    const char* GetServiceRequestName() const { return "ListMetrics"; }
    Aws::String SerializePayload() const;

    const Aws::String& GetNamespace() const { return m_namespace; }
    bool NamespaceHasBeenSet() const { return m_namespaceHasBeenSet; }
    template <typename NamespaceT = Aws::String>
    void SetNamespace(NamespaceT&& value) {
        m_namespaceHasBeenSet = true;
        m_namespace = std::forward<NamespaceT>(value);
    }
    template <typename NamespaceT = Aws::String>
    ListMetricsRequest& WithNamespace(NamespaceT&& value) {
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
    ListMetricsRequest& WithMetricName(MetricNameT&& value) {
        SetMetricName(std::forward<MetricNameT>(value));
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
    ListMetricsRequest& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::String m_namespace;
    Aws::String m_metricName;
    Aws::String m_nextToken;
    bool m_namespaceHasBeenSet = false;
    bool m_metricNameHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
