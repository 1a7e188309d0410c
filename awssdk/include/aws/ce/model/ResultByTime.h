#pragma once

#include <aws/ce/model/DateInterval.h>
#include <aws/ce/model/Group.h>
#include <aws/ce/model/MetricValue.h>
#include <aws/core/utils/memory/stl/AWSMap.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class ResultByTime {
public:
    ResultByTime() = default;

    const DateInterval& GetTimePeriod() const { return m_timePeriod; }
    bool TimePeriodHasBeenSet() const { return m_timePeriodHasBeenSet; }
    template <typename TimePeriodT = DateInterval>
    void SetTimePeriod(TimePeriodT&& value) {
        m_timePeriodHasBeenSet = true;
        m_timePeriod = std::forward<TimePeriodT>(value);
    }
    template <typename TimePeriodT = DateInterval>
    ResultByTime& WithTimePeriod(TimePeriodT&& value) {
        SetTimePeriod(std::forward<TimePeriodT>(value));
        return *this;
    }

    const Aws::Map<Aws::String, MetricValue>& GetTotal() const { return m_total; }
    bool TotalHasBeenSet() const { return m_totalHasBeenSet; }
    template <typename TotalT = Aws::Map<Aws::String, MetricValue>>
    void SetTotal(TotalT&& value) {
        m_totalHasBeenSet = true;
        m_total = std::forward<TotalT>(value);
    }
    template <typename TotalT = Aws::Map<Aws::String, MetricValue>>
    ResultByTime& WithTotal(TotalT&& value) {
        SetTotal(std::forward<TotalT>(value));
        return *this;
    }
    template <typename KeyT = Aws::String, typename ValueT = MetricValue>
    ResultByTime& AddTotal(KeyT&& key, ValueT&& value) {
        m_totalHasBeenSet = true;
        m_total.emplace(std::forward<KeyT>(key), std::forward<ValueT>(value));
        return *this;
    }

    const Aws::Vector<Group>& GetGroups() const { return m_groups; }
    bool GroupsHasBeenSet() const { return m_groupsHasBeenSet; }
    template <typename GroupsT = Aws::Vector<Group>>
    void SetGroups(GroupsT&& value) {
        m_groupsHasBeenSet = true;
        m_groups = std::forward<GroupsT>(value);
    }
    template <typename GroupsT = Aws::Vector<Group>>
    ResultByTime& WithGroups(GroupsT&& value) {
        SetGroups(std::forward<GroupsT>(value));
        return *this;
    }
    template <typename GroupsItemT = Group>
    ResultByTime& AddGroups(GroupsItemT&& value) {
        m_groupsHasBeenSet = true;
        m_groups.emplace_back(std::forward<GroupsItemT>(value));
        return *this;
    }

    bool GetEstimated() const { return m_estimated; }
    bool EstimatedHasBeenSet() const { return m_estimatedHasBeenSet; }
    void SetEstimated(bool value) {
        m_estimatedHasBeenSet = true;
        m_estimated = value;
    }
    ResultByTime& WithEstimated(bool value) {
        SetEstimated(value);
        return *this;
    }

private:
    DateInterval m_timePeriod;
    Aws::Map<Aws::String, MetricValue> m_total;
    Aws::Vector<Group> m_groups;
    bool m_estimated = false;
    bool m_timePeriodHasBeenSet = false;
    bool m_totalHasBeenSet = false;
    bool m_groupsHasBeenSet = false;
    bool m_estimatedHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
