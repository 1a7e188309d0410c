#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/monitoring/model/Dimension.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class Metric {
public:
    Metric() = default;

    const Aws::String& GetNamespace() const { return m_namespace; }
    bool NamespaceHasBeenSet() const { return m_namespaceHasBeenSet; }
    template <typename NamespaceT = Aws::String>
    void SetNamespace(NamespaceT&& value) {
        m_namespaceHasBeenSet = true;
        m_namespace = std::forward<NamespaceT>(value);
    }
    template <typename NamespaceT = Aws::String>
    Metric& WithNamespace(NamespaceT&& value) {
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
    Metric& WithMetricName(MetricNameT&& value) {
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
    Metric& WithDimensions(DimensionsT&& value) {
        SetDimensions(std::forward<DimensionsT>(value));
        return *this;
    }
    template <typename DimensionsItemT = Dimension>
    Metric& AddDimensions(DimensionsItemT&& value) {
        m_dimensionsHasBeenSet = true;
        m_dimensions.emplace_back(std::forward<DimensionsItemT>(value));
        return *this;
    }

private:
    Aws::String m_namespace;
    Aws::String m_metricName;
    Aws::Vector<Dimension> m_dimensions;
    bool m_namespaceHasBeenSet = false;
    bool m_metricNameHasBeenSet = false;
    bool m_dimensionsHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
