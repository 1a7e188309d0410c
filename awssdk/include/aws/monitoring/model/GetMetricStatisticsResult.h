#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/monitoring/model/Datapoint.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class GetMetricStatisticsResult {
public:
    GetMetricStatisticsResult() = default;

    const Aws::String& GetLabel() const { return m_label; }
    bool LabelHasBeenSet() const { return m_labelHasBeenSet; }
    template <typename LabelT = Aws::String>
    void SetLabel(LabelT&& value) {
        m_labelHasBeenSet = true;
        m_label = std::forward<LabelT>(value);
    }
    template <typename LabelT = Aws::String>
    GetMetricStatisticsResult& WithLabel(LabelT&& value) {
        SetLabel(std::forward<LabelT>(value));
        return *this;
    }

    const Aws::Vector<Datapoint>& GetDatapoints() const { return m_datapoints; }
    bool DatapointsHasBeenSet() const { return m_datapointsHasBeenSet; }
    template <typename DatapointsT = Aws::Vector<Datapoint>>
    void SetDatapoints(DatapointsT&& value) {
        m_datapointsHasBeenSet = true;
        m_datapoints = std::forward<DatapointsT>(value);
    }
    template <typename DatapointsT = Aws::Vector<Datapoint>>
    GetMetricStatisticsResult& WithDatapoints(DatapointsT&& value) {
        SetDatapoints(std::forward<DatapointsT>(value));
        return *this;
    }
    template <typename DatapointsItemT = Datapoint>
    GetMetricStatisticsResult& AddDatapoints(DatapointsItemT&& value) {
        m_datapointsHasBeenSet = true;
        m_datapoints.emplace_back(std::forward<DatapointsItemT>(value));
        return *this;
    }

private:
    Aws::String m_label;
    Aws::Vector<Datapoint> m_datapoints;
    bool m_labelHasBeenSet = false;
    bool m_datapointsHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
