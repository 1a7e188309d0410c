#include "core/enum_table.h"

#include <aws/monitoring/model/AlarmType.h>
#include <aws/monitoring/model/StandardUnit.h>
#include <aws/monitoring/model/StateValue.h>
#include <aws/monitoring/model/Statistic.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

namespace StandardUnitMapper {
namespace {
constexpr const char* kNames[] = {"Seconds",
                                  "Microseconds",
                                  "Milliseconds",
                                  "Bytes",
                                  "Kilobytes",
                                  "Megabytes",
                                  "Gigabytes",
                                  "Terabytes",
                                  "Bits",
                                  "Kilobits",
                                  "Megabits",
                                  "Gigabits",
                                  "Terabits",
                                  "Percent",
                                  "Count",
                                  "Bytes/Second",
                                  "Kilobytes/Second",
                                  "Megabytes/Second",
                                  "Gigabytes/Second",
                                  "Terabytes/Second",
                                  "Bits/Second",
                                  "Kilobits/Second",
                                  "Megabits/Second",
                                  "Gigabits/Second",
                                  "Terabits/Second",
                                  "Count/Second",
                                  "None"};
}  // namespace

StandardUnit GetStandardUnitForName(const Aws::String& name) {
    return static_cast<StandardUnit>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForStandardUnit(StandardUnit value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace StandardUnitMapper

namespace StatisticMapper {
namespace {
constexpr const char* kNames[] = {"SampleCount", "Average", "Sum", "Minimum", "Maximum"};
}  // namespace

Statistic GetStatisticForName(const Aws::String& name) {
    return static_cast<Statistic>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForStatistic(Statistic value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace StatisticMapper

namespace StateValueMapper {
namespace {
constexpr const char* kNames[] = {"OK", "ALARM", "INSUFFICIENT_DATA"};
}  // namespace

StateValue GetStateValueForName(const Aws::String& name) {
    return static_cast<StateValue>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForStateValue(StateValue value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace StateValueMapper

namespace AlarmTypeMapper {
namespace {
constexpr const char* kNames[] = {"CompositeAlarm", "MetricAlarm"};
}  // namespace

AlarmType GetAlarmTypeForName(const Aws::String& name) {
    return static_cast<AlarmType>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForAlarmType(AlarmType value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace AlarmTypeMapper

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
