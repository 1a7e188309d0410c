#include "core/query_writer.h"
#include "core/xml_reader.h"
#include "cw/cw_unmarshal.h"

#include <aws/monitoring/model/CompositeAlarm.h>
#include <aws/monitoring/model/Datapoint.h>
#include <aws/monitoring/model/DescribeAlarmsRequest.h>
#include <aws/monitoring/model/DescribeAlarmsResult.h>
#include <aws/monitoring/model/Dimension.h>
#include <aws/monitoring/model/GetMetricStatisticsRequest.h>
#include <aws/monitoring/model/GetMetricStatisticsResult.h>
#include <aws/monitoring/model/ListMetricsRequest.h>
#include <aws/monitoring/model/ListMetricsResult.h>
#include <aws/monitoring/model/Metric.h>
#include <aws/monitoring/model/MetricAlarm.h>
#include <aws/monitoring/model/MetricDataQuery.h>
#include <aws/monitoring/model/MetricStat.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

using Aws::Internal::XmlLocalName;
using Aws::Internal::XmlText;

namespace {
void Unmarshal(const pugi::xml_node& node, Dimension& out);
void Unmarshal(const pugi::xml_node& node, Metric& out);
void Unmarshal(const pugi::xml_node& node, Datapoint& out);
void Unmarshal(const pugi::xml_node& node, MetricStat& out);
void Unmarshal(const pugi::xml_node& node, MetricDataQuery& out);
void Unmarshal(const pugi::xml_node& node, MetricAlarm& out);
void Unmarshal(const pugi::xml_node& node, CompositeAlarm& out);

template <typename T>
T Read(const pugi::xml_node& node) {
    T value;
    Unmarshal(node, value);
    return value;
}

void Unmarshal(const pugi::xml_node& node, Dimension& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Name") {
            out.SetName(XmlText(child));
        } else if (name == "Value") {
            out.SetValue(XmlText(child));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, Metric& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Namespace") {
            out.SetNamespace(XmlText(child));
        } else if (name == "MetricName") {
            out.SetMetricName(XmlText(child));
        } else if (name == "Dimensions") {
            out.SetDimensions(Aws::Internal::XmlList<Dimension>(child, "member", Unmarshal));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, Datapoint& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Timestamp") {
            out.SetTimestamp(Aws::Internal::XmlDateTime(child));
        } else if (name == "SampleCount") {
            out.SetSampleCount(Aws::Internal::XmlDouble(child));
        } else if (name == "Average") {
            out.SetAverage(Aws::Internal::XmlDouble(child));
        } else if (name == "Sum") {
            out.SetSum(Aws::Internal::XmlDouble(child));
        } else if (name == "Minimum") {
            out.SetMinimum(Aws::Internal::XmlDouble(child));
        } else if (name == "Maximum") {
            out.SetMaximum(Aws::Internal::XmlDouble(child));
        } else if (name == "Unit") {
            out.SetUnit(StandardUnitMapper::GetStandardUnitForName(XmlText(child)));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, MetricStat& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Metric") {
            out.SetMetric(Read<Metric>(child));
        } else if (name == "Period") {
            out.SetPeriod(Aws::Internal::XmlInt(child));
        } else if (name == "Stat") {
            out.SetStat(XmlText(child));
        } else if (name == "Unit") {
            out.SetUnit(StandardUnitMapper::GetStandardUnitForName(XmlText(child)));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, MetricDataQuery& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Id") {
            out.SetId(XmlText(child));
        } else if (name == "MetricStat") {
            out.SetMetricStat(Read<MetricStat>(child));
        } else if (name == "Expression") {
            out.SetExpression(XmlText(child));
        } else if (name == "Label") {
            out.SetLabel(XmlText(child));
        } else if (name == "ReturnData") {
            out.SetReturnData(Aws::Internal::XmlBool(child));
        } else if (name == "Period") {
            out.SetPeriod(Aws::Internal::XmlInt(child));
        } else if (name == "AccountId") {
            out.SetAccountId(XmlText(child));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, MetricAlarm& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "AlarmName") {
            out.SetAlarmName(XmlText(child));
        } else if (name == "AlarmArn") {
            out.SetAlarmArn(XmlText(child));
        } else if (name == "AlarmDescription") {
            out.SetAlarmDescription(XmlText(child));
        } else if (name == "ActionsEnabled") {
            out.SetActionsEnabled(Aws::Internal::XmlBool(child));
        } else if (name == "StateValue") {
            out.SetStateValue(StateValueMapper::GetStateValueForName(XmlText(child)));
        } else if (name == "StateReason") {
            out.SetStateReason(XmlText(child));
        } else if (name == "StateUpdatedTimestamp") {
            out.SetStateUpdatedTimestamp(Aws::Internal::XmlDateTime(child));
        } else if (name == "MetricName") {
            out.SetMetricName(XmlText(child));
        } else if (name == "Namespace") {
            out.SetNamespace(XmlText(child));
        } else if (name == "Statistic") {
            out.SetStatistic(StatisticMapper::GetStatisticForName(XmlText(child)));
        } else if (name == "ExtendedStatistic") {
            out.SetExtendedStatistic(XmlText(child));
        } else if (name == "Dimensions") {
            out.SetDimensions(Aws::Internal::XmlList<Dimension>(child, "member", Unmarshal));
        } else if (name == "Period") {
            out.SetPeriod(Aws::Internal::XmlInt(child));
        } else if (name == "Unit") {
            out.SetUnit(StandardUnitMapper::GetStandardUnitForName(XmlText(child)));
        } else if (name == "EvaluationPeriods") {
            out.SetEvaluationPeriods(Aws::Internal::XmlInt(child));
        } else if (name == "Threshold") {
            out.SetThreshold(Aws::Internal::XmlDouble(child));
        } else if (name == "Metrics") {
            out.SetMetrics(Aws::Internal::XmlList<MetricDataQuery>(child, "member", Unmarshal));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, CompositeAlarm& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "ActionsEnabled") {
            out.SetActionsEnabled(Aws::Internal::XmlBool(child));
        } else if (name == "AlarmArn") {
            out.SetAlarmArn(XmlText(child));
        } else if (name == "AlarmDescription") {
            out.SetAlarmDescription(XmlText(child));
        } else if (name == "AlarmName") {
            out.SetAlarmName(XmlText(child));
        } else if (name == "AlarmRule") {
            out.SetAlarmRule(XmlText(child));
        } else if (name == "StateReason") {
            out.SetStateReason(XmlText(child));
        } else if (name == "StateUpdatedTimestamp") {
            out.SetStateUpdatedTimestamp(Aws::Internal::XmlDateTime(child));
        } else if (name == "StateValue") {
            out.SetStateValue(StateValueMapper::GetStateValueForName(XmlText(child)));
        }
    }
}

}  // namespace

void UnmarshalGetMetricStatisticsResult(const pugi::xml_node& node, GetMetricStatisticsResult& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Label") {
            out.SetLabel(XmlText(child));
        } else if (name == "Datapoints") {
            out.SetDatapoints(Aws::Internal::XmlList<Datapoint>(child, "member", Unmarshal));
        }
    }
}

void UnmarshalListMetricsResult(const pugi::xml_node& node, ListMetricsResult& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Metrics") {
            out.SetMetrics(Aws::Internal::XmlList<Metric>(child, "member", Unmarshal));
        } else if (name == "NextToken") {
            out.SetNextToken(XmlText(child));
        }
    }
}

void UnmarshalDescribeAlarmsResult(const pugi::xml_node& node, DescribeAlarmsResult& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "CompositeAlarms") {
            out.SetCompositeAlarms(Aws::Internal::XmlList<CompositeAlarm>(child, "member", Unmarshal));
        } else if (name == "MetricAlarms") {
            out.SetMetricAlarms(Aws::Internal::XmlList<MetricAlarm>(child, "member", Unmarshal));
        } else if (name == "NextToken") {
            out.SetNextToken(XmlText(child));
        }
    }
}

Aws::String GetMetricStatisticsRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("GetMetricStatistics");
    if (m_namespaceHasBeenSet) {
        writer.Add("Namespace", m_namespace);
    }
    if (m_metricNameHasBeenSet) {
        writer.Add("MetricName", m_metricName);
    }
    if (m_dimensionsHasBeenSet) {
        if (m_dimensions.empty()) {
            writer.Add("Dimensions", "");
        }
        unsigned index = 1;
        for (const auto& item : m_dimensions) {
            if (item.NameHasBeenSet()) {
                writer.AddIndexed("Dimensions.member.", index, ".Name", item.GetName());
            }
            if (item.ValueHasBeenSet()) {
                writer.AddIndexed("Dimensions.member.", index, ".Value", item.GetValue());
            }
            ++index;
        }
    }
    if (m_startTimeHasBeenSet) {
        writer.Add("StartTime", m_startTime.ToGmtString(Aws::Utils::DateFormat::ISO_8601));
    }
    if (m_endTimeHasBeenSet) {
        writer.Add("EndTime", m_endTime.ToGmtString(Aws::Utils::DateFormat::ISO_8601));
    }
    if (m_periodHasBeenSet) {
        writer.Add("Period", Aws::Internal::ToDecimal(m_period));
    }
    if (m_statisticsHasBeenSet) {
        if (m_statistics.empty()) {
            writer.Add("Statistics", "");
        }
        unsigned index = 1;
        for (const auto& item : m_statistics) {
            writer.AddIndexed("Statistics.member.", index, "", StatisticMapper::GetNameForStatistic(item));
            ++index;
        }
    }
    if (m_extendedStatisticsHasBeenSet) {
        if (m_extendedStatistics.empty()) {
            writer.Add("ExtendedStatistics", "");
        }
        unsigned index = 1;
        for (const auto& item : m_extendedStatistics) {
            writer.AddIndexed("ExtendedStatistics.member.", index, "", item);
            ++index;
        }
    }
    if (m_unitHasBeenSet) {
        writer.Add("Unit", StandardUnitMapper::GetNameForStandardUnit(m_unit));
    }
    return writer.Finish("2010-08-01");
}

Aws::String ListMetricsRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("ListMetrics");
    if (m_namespaceHasBeenSet) {
        writer.Add("Namespace", m_namespace);
    }
    if (m_metricNameHasBeenSet) {
        writer.Add("MetricName", m_metricName);
    }
    if (m_nextTokenHasBeenSet) {
        writer.Add("NextToken", m_nextToken);
    }
    return writer.Finish("2010-08-01");
}

Aws::String DescribeAlarmsRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("DescribeAlarms");
    if (m_alarmNamesHasBeenSet) {
        if (m_alarmNames.empty()) {
            writer.Add("AlarmNames", "");
        }
        unsigned index = 1;
        for (const auto& item : m_alarmNames) {
            writer.AddIndexed("AlarmNames.member.", index, "", item);
            ++index;
        }
    }
    if (m_alarmNamePrefixHasBeenSet) {
        writer.Add("AlarmNamePrefix", m_alarmNamePrefix);
    }
    if (m_alarmTypesHasBeenSet) {
        if (m_alarmTypes.empty()) {
            writer.Add("AlarmTypes", "");
        }
        unsigned index = 1;
        for (const auto& item : m_alarmTypes) {
            writer.AddIndexed("AlarmTypes.member.", index, "", AlarmTypeMapper::GetNameForAlarmType(item));
            ++index;
        }
    }
    if (m_childrenOfAlarmNameHasBeenSet) {
        writer.Add("ChildrenOfAlarmName", m_childrenOfAlarmName);
    }
    if (m_parentsOfAlarmNameHasBeenSet) {
        writer.Add("ParentsOfAlarmName", m_parentsOfAlarmName);
    }
    if (m_stateValueHasBeenSet) {
        writer.Add("StateValue", StateValueMapper::GetNameForStateValue(m_stateValue));
    }
    if (m_actionPrefixHasBeenSet) {
        writer.Add("ActionPrefix", m_actionPrefix);
    }
    if (m_maxRecordsHasBeenSet) {
        writer.Add("MaxRecords", Aws::Internal::ToDecimal(m_maxRecords));
    }
    if (m_nextTokenHasBeenSet) {
        writer.Add("NextToken", m_nextToken);
    }
    return writer.Finish("2010-08-01");
}

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
