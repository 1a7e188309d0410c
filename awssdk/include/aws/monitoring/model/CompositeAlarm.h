#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/monitoring/model/StateValue.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class CompositeAlarm {
public:
    CompositeAlarm() = default;

    bool GetActionsEnabled() const { return m_actionsEnabled; }
    bool ActionsEnabledHasBeenSet() const { return m_actionsEnabledHasBeenSet; }
    void SetActionsEnabled(bool value) {
        m_actionsEnabledHasBeenSet = true;
        m_actionsEnabled = value;
    }
    CompositeAlarm& WithActionsEnabled(bool value) {
        SetActionsEnabled(value);
        return *this;
    }

    const Aws::String& GetAlarmArn() const { return m_alarmArn; }
    bool AlarmArnHasBeenSet() const { return m_alarmArnHasBeenSet; }
    template <typename AlarmArnT = Aws::String>
    void SetAlarmArn(AlarmArnT&& value) {
        m_alarmArnHasBeenSet = true;
        m_alarmArn = std::forward<AlarmArnT>(value);
    }
    template <typename AlarmArnT = Aws::String>
    CompositeAlarm& WithAlarmArn(AlarmArnT&& value) {
        SetAlarmArn(std::forward<AlarmArnT>(value));
        return *this;
    }

    const Aws::String& GetAlarmDescription() const { return m_alarmDescription; }
    bool AlarmDescriptionHasBeenSet() const { return m_alarmDescriptionHasBeenSet; }
    template <typename AlarmDescriptionT = Aws::String>
    void SetAlarmDescription(AlarmDescriptionT&& value) {
        m_alarmDescriptionHasBeenSet = true;
        m_alarmDescription = std::forward<AlarmDescriptionT>(value);
    }
    template <typename AlarmDescriptionT = Aws::String>
    CompositeAlarm& WithAlarmDescription(AlarmDescriptionT&& value) {
        SetAlarmDescription(std::forward<AlarmDescriptionT>(value));
        return *this;
    }

    const Aws::String& GetAlarmName() const { return m_alarmName; }
    bool AlarmNameHasBeenSet() const { return m_alarmNameHasBeenSet; }
    template <typename AlarmNameT = Aws::String>
    void SetAlarmName(AlarmNameT&& value) {
        m_alarmNameHasBeenSet = true;
        m_alarmName = std::forward<AlarmNameT>(value);
    }
    template <typename AlarmNameT = Aws::String>
    CompositeAlarm& WithAlarmName(AlarmNameT&& value) {
        SetAlarmName(std::forward<AlarmNameT>(value));
        return *this;
    }

    const Aws::String& GetAlarmRule() const { return m_alarmRule; }
    bool AlarmRuleHasBeenSet() const { return m_alarmRuleHasBeenSet; }
    template <typename AlarmRuleT = Aws::String>
    void SetAlarmRule(AlarmRuleT&& value) {
        m_alarmRuleHasBeenSet = true;
        m_alarmRule = std::forward<AlarmRuleT>(value);
    }
    template <typename AlarmRuleT = Aws::String>
    CompositeAlarm& WithAlarmRule(AlarmRuleT&& value) {
        SetAlarmRule(std::forward<AlarmRuleT>(value));
        return *this;
    }

    const Aws::String& GetStateReason() const { return m_stateReason; }
    bool StateReasonHasBeenSet() const { return m_stateReasonHasBeenSet; }
    template <typename StateReasonT = Aws::String>
    void SetStateReason(StateReasonT&& value) {
        m_stateReasonHasBeenSet = true;
        m_stateReason = std::forward<StateReasonT>(value);
    }
    template <typename StateReasonT = Aws::String>
    CompositeAlarm& WithStateReason(StateReasonT&& value) {
        SetStateReason(std::forward<StateReasonT>(value));
        return *this;
    }

    const Aws::Utils::DateTime& GetStateUpdatedTimestamp() const { return m_stateUpdatedTimestamp; }
    bool StateUpdatedTimestampHasBeenSet() const { return m_stateUpdatedTimestampHasBeenSet; }
    template <typename StateUpdatedTimestampT = Aws::Utils::DateTime>
    void SetStateUpdatedTimestamp(StateUpdatedTimestampT&& value) {
        m_stateUpdatedTimestampHasBeenSet = true;
        m_stateUpdatedTimestamp = std::forward<StateUpdatedTimestampT>(value);
    }
    template <typename StateUpdatedTimestampT = Aws::Utils::DateTime>
    CompositeAlarm& WithStateUpdatedTimestamp(StateUpdatedTimestampT&& value) {
        SetStateUpdatedTimestamp(std::forward<StateUpdatedTimestampT>(value));
        return *this;
    }

    StateValue GetStateValue() const { return m_stateValue; }
    bool StateValueHasBeenSet() const { return m_stateValueHasBeenSet; }
    void SetStateValue(StateValue value) {
        m_stateValueHasBeenSet = true;
        m_stateValue = value;
    }
    CompositeAlarm& WithStateValue(StateValue value) {
        SetStateValue(value);
        return *this;
    }

private:
    bool m_actionsEnabled = false;
    Aws::String m_alarmArn;
    Aws::String m_alarmDescription;
    Aws::String m_alarmName;
    Aws::String m_alarmRule;
    Aws::String m_stateReason;
    Aws::Utils::DateTime m_stateUpdatedTimestamp;
    StateValue m_stateValue = StateValue::NOT_SET;
    bool m_actionsEnabledHasBeenSet = false;
    bool m_alarmArnHasBeenSet = false;
    bool m_alarmDescriptionHasBeenSet = false;
    bool m_alarmNameHasBeenSet = false;
    bool m_alarmRuleHasBeenSet = false;
    bool m_stateReasonHasBeenSet = false;
    bool m_stateUpdatedTimestampHasBeenSet = false;
    bool m_stateValueHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
