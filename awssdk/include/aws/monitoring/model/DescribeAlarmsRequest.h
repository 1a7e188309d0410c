#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/monitoring/model/AlarmType.h>
#include <aws/monitoring/model/StateValue.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class DescribeAlarmsRequest {
public:
    DescribeAlarmsRequest() = default;
    const char* GetServiceRequestName() const { return "DescribeAlarms"; }
    Aws::String SerializePayload() const;

    const Aws::Vector<Aws::String>& GetAlarmNames() const { return m_alarmNames; }
    bool AlarmNamesHasBeenSet() const { return m_alarmNamesHasBeenSet; }
    template <typename AlarmNamesT = Aws::Vector<Aws::String>>
    void SetAlarmNames(AlarmNamesT&& value) {
        m_alarmNamesHasBeenSet = true;
        m_alarmNames = std::forward<AlarmNamesT>(value);
    }
    template <typename AlarmNamesT = Aws::Vector<Aws::String>>
    DescribeAlarmsRequest& WithAlarmNames(AlarmNamesT&& value) {
        SetAlarmNames(std::forward<AlarmNamesT>(value));
        return *this;
    }
    template <typename AlarmNamesItemT = Aws::String>
    DescribeAlarmsRequest& AddAlarmNames(AlarmNamesItemT&& value) {
        m_alarmNamesHasBeenSet = true;
        m_alarmNames.emplace_back(std::forward<AlarmNamesItemT>(value));
        return *this;
    }

    const Aws::String& GetAlarmNamePrefix() const { return m_alarmNamePrefix; }
    bool AlarmNamePrefixHasBeenSet() const { return m_alarmNamePrefixHasBeenSet; }
    template <typename AlarmNamePrefixT = Aws::String>
    void SetAlarmNamePrefix(AlarmNamePrefixT&& value) {
        m_alarmNamePrefixHasBeenSet = true;
        m_alarmNamePrefix = std::forward<AlarmNamePrefixT>(value);
    }
    template <typename AlarmNamePrefixT = Aws::String>
    DescribeAlarmsRequest& WithAlarmNamePrefix(AlarmNamePrefixT&& value) {
        SetAlarmNamePrefix(std::forward<AlarmNamePrefixT>(value));
        return *this;
    }

    const Aws::Vector<AlarmType>& GetAlarmTypes() const { return m_alarmTypes; }
    bool AlarmTypesHasBeenSet() const { return m_alarmTypesHasBeenSet; }
    template <typename AlarmTypesT = Aws::Vector<AlarmType>>
    void SetAlarmTypes(AlarmTypesT&& value) {
        m_alarmTypesHasBeenSet = true;
        m_alarmTypes = std::forward<AlarmTypesT>(value);
    }
    template <typename AlarmTypesT = Aws::Vector<AlarmType>>
    DescribeAlarmsRequest& WithAlarmTypes(AlarmTypesT&& value) {
        SetAlarmTypes(std::forward<AlarmTypesT>(value));
        return *this;
    }
    DescribeAlarmsRequest& AddAlarmTypes(AlarmType value) {
        m_alarmTypesHasBeenSet = true;
        m_alarmTypes.push_back(value);
        return *this;
    }

    const Aws::String& GetChildrenOfAlarmName() const { return m_childrenOfAlarmName; }
    bool ChildrenOfAlarmNameHasBeenSet() const { return m_childrenOfAlarmNameHasBeenSet; }
    template <typename ChildrenOfAlarmNameT = Aws::String>
    void SetChildrenOfAlarmName(ChildrenOfAlarmNameT&& value) {
        m_childrenOfAlarmNameHasBeenSet = true;
        m_childrenOfAlarmName = std::forward<ChildrenOfAlarmNameT>(value);
    }
    template <typename ChildrenOfAlarmNameT = Aws::String>
    DescribeAlarmsRequest& WithChildrenOfAlarmName(ChildrenOfAlarmNameT&& value) {
        SetChildrenOfAlarmName(std::forward<ChildrenOfAlarmNameT>(value));
        return *this;
    }

    const Aws::String& GetParentsOfAlarmName() const { return m_parentsOfAlarmName; }
    bool ParentsOfAlarmNameHasBeenSet() const { return m_parentsOfAlarmNameHasBeenSet; }
    template <typename ParentsOfAlarmNameT = Aws::String>
    void SetParentsOfAlarmName(ParentsOfAlarmNameT&& value) {
        m_parentsOfAlarmNameHasBeenSet = true;
        m_parentsOfAlarmName = std::forward<ParentsOfAlarmNameT>(value);
    }
    template <typename ParentsOfAlarmNameT = Aws::String>
    DescribeAlarmsRequest& WithParentsOfAlarmName(ParentsOfAlarmNameT&& value) {
        SetParentsOfAlarmName(std::forward<ParentsOfAlarmNameT>(value));
        return *this;
    }

    StateValue GetStateValue() const { return m_stateValue; }
    bool StateValueHasBeenSet() const { return m_stateValueHasBeenSet; }
    void SetStateValue(StateValue value) {
        m_stateValueHasBeenSet = true;
        m_stateValue = value;
    }
    DescribeAlarmsRequest& WithStateValue(StateValue value) {
        SetStateValue(value);
        return *this;
    }

    const Aws::String& GetActionPrefix() const { return m_actionPrefix; }
    bool ActionPrefixHasBeenSet() const { return m_actionPrefixHasBeenSet; }
    template <typename ActionPrefixT = Aws::String>
    void SetActionPrefix(ActionPrefixT&& value) {
        m_actionPrefixHasBeenSet = true;
        m_actionPrefix = std::forward<ActionPrefixT>(value);
    }
    template <typename ActionPrefixT = Aws::String>
    DescribeAlarmsRequest& WithActionPrefix(ActionPrefixT&& value) {
        SetActionPrefix(std::forward<ActionPrefixT>(value));
        return *this;
    }

    int GetMaxRecords() const { return m_maxRecords; }
    bool MaxRecordsHasBeenSet() const { return m_maxRecordsHasBeenSet; }
    void SetMaxRecords(int value) {
        m_maxRecordsHasBeenSet = true;
        m_maxRecords = value;
    }
    DescribeAlarmsRequest& WithMaxRecords(int value) {
        SetMaxRecords(value);
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
    DescribeAlarmsRequest& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::Vector<Aws::String> m_alarmNames;
    Aws::String m_alarmNamePrefix;
    Aws::Vector<AlarmType> m_alarmTypes;
    Aws::String m_childrenOfAlarmName;
    Aws::String m_parentsOfAlarmName;
    StateValue m_stateValue = StateValue::NOT_SET;
    Aws::String m_actionPrefix;
    int m_maxRecords = 0;
    Aws::String m_nextToken;
    bool m_alarmNamesHasBeenSet = false;
    bool m_alarmNamePrefixHasBeenSet = false;
    bool m_alarmTypesHasBeenSet = false;
    bool m_childrenOfAlarmNameHasBeenSet = false;
    bool m_parentsOfAlarmNameHasBeenSet = false;
    bool m_stateValueHasBeenSet = false;
    bool m_actionPrefixHasBeenSet = false;
    bool m_maxRecordsHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
