#pragma once

#include <aws/ce/model/MetricValue.h>
#include <aws/core/utils/memory/stl/AWSMap.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class Group {
public:
    Group() = default;

    const Aws::Vector<Aws::String>& GetKeys() const { return m_keys; }
    bool KeysHasBeenSet() const { return m_keysHasBeenSet; }
    template <typename KeysT = Aws::Vector<Aws::String>>
    void SetKeys(KeysT&& value) {
        m_keysHasBeenSet = true;
        m_keys = std::forward<KeysT>(value);
    }
    template <typename KeysT = Aws::Vector<Aws::String>>
    Group& WithKeys(KeysT&& value) {
        SetKeys(std::forward<KeysT>(value));
        return *this;
    }
    template <typename KeysItemT = Aws::String>
    Group& AddKeys(KeysItemT&& value) {
        m_keysHasBeenSet = true;
        m_keys.emplace_back(std::forward<KeysItemT>(value));
        return *this;
    }

    const Aws::Map<Aws::String, MetricValue>& GetMetrics() const { return m_metrics; }
    bool MetricsHasBeenSet() const { return m_metricsHasBeenSet; }
    template <typename MetricsT = Aws::Map<Aws::String, MetricValue>>
    void SetMetrics(MetricsT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics = std::forward<MetricsT>(value);
    }
    template <typename MetricsT = Aws::Map<Aws::String, MetricValue>>
    Group& WithMetrics(MetricsT&& value) {
        SetMetrics(std::forward<MetricsT>(value));
        return *this;
    }
    template <typename KeyT = Aws::String, typename ValueT = MetricValue>
    Group& AddMetrics(KeyT&& key, ValueT&& value) {
        m_metricsHasBeenSet = true;
        m_metrics.emplace(std::forward<KeyT>(key), std::forward<ValueT>(value));
        return *this;
    }

private:
    Aws::Vector<Aws::String> m_keys;
    Aws::Map<Aws::String, MetricValue> m_metrics;
    bool m_keysHasBeenSet = false;
    bool m_metricsHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
