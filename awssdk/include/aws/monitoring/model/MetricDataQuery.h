#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/monitoring/model/MetricStat.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class MetricDataQuery {
public:
    MetricDataQuery() = default;

    const Aws::String& GetId() const { return m_id; }
    bool IdHasBeenSet() const { return m_idHasBeenSet; }
    template <typename IdT = Aws::String>
    void SetId(IdT&& value) {
        m_idHasBeenSet = true;
        m_id = std::forward<IdT>(value);
    }
    template <typename IdT = Aws::String>
    MetricDataQuery& WithId(IdT&& value) {
        SetId(std::forward<IdT>(value));
        return *this;
    }

    const MetricStat& GetMetricStat() const { return m_metricStat; }
    bool MetricStatHasBeenSet() const { return m_metricStatHasBeenSet; }
    template <typename MetricStatT = MetricStat>
    void SetMetricStat(MetricStatT&& value) {
        m_metricStatHasBeenSet = true;
        m_metricStat = std::forward<MetricStatT>(value);
    }
    template <typename MetricStatT = MetricStat>
    MetricDataQuery& WithMetricStat(MetricStatT&& value) {
        SetMetricStat(std::forward<MetricStatT>(value));
        return *this;
    }

    const Aws::String& GetExpression() const { return m_expression; }
    bool ExpressionHasBeenSet() const { return m_expressionHasBeenSet; }
    template <typename ExpressionT = Aws::String>
    void SetExpression(ExpressionT&& value) {
        m_expressionHasBeenSet = true;
        m_expression = std::forward<ExpressionT>(value);
    }
    template <typename ExpressionT = Aws::String>
    MetricDataQuery& WithExpression(ExpressionT&& value) {
        SetExpression(std::forward<ExpressionT>(value));
        return *this;
    }

    const Aws::String& GetLabel() const { return m_label; }
    bool LabelHasBeenSet() const { return m_labelHasBeenSet; }
    template <typename LabelT = Aws::String>
    void SetLabel(LabelT&& value) {
        m_labelHasBeenSet = true;
        m_label = std::forward<LabelT>(value);
    }
    template <typename LabelT = Aws::String>
    MetricDataQuery& WithLabel(LabelT&& value) {
        SetLabel(std::forward<LabelT>(value));
        return *this;
    }

    bool GetReturnData() const { return m_returnData; }
    bool ReturnDataHasBeenSet() const { return m_returnDataHasBeenSet; }
    void SetReturnData(bool value) {
        m_returnDataHasBeenSet = true;
        m_returnData = value;
    }
    MetricDataQuery& WithReturnData(bool value) {
        SetReturnData(value);
        return *this;
    }

    int GetPeriod() const { return m_period; }
    bool PeriodHasBeenSet() const { return m_periodHasBeenSet; }
    void SetPeriod(int value) {
        m_periodHasBeenSet = true;
        m_period = value;
    }
    MetricDataQuery& WithPeriod(int value) {
        SetPeriod(value);
        return *this;
    }

    const Aws::String& GetAccountId() const { return m_accountId; }
    bool AccountIdHasBeenSet() const { return m_accountIdHasBeenSet; }
    template <typename AccountIdT = Aws::String>
    void SetAccountId(AccountIdT&& value) {
        m_accountIdHasBeenSet = true;
        m_accountId = std::forward<AccountIdT>(value);
    }
    template <typename AccountIdT = Aws::String>
    MetricDataQuery& WithAccountId(AccountIdT&& value) {
        SetAccountId(std::forward<AccountIdT>(value));
        return *this;
    }

private:
    Aws::String m_id;
    MetricStat m_metricStat;
    Aws::String m_expression;
    Aws::String m_label;
    bool m_returnData = false;
    int m_period = 0;
    Aws::String m_accountId;
    bool m_idHasBeenSet = false;
    bool m_metricStatHasBeenSet = false;
    bool m_expressionHasBeenSet = false;
    bool m_labelHasBeenSet = false;
    bool m_returnDataHasBeenSet = false;
    bool m_periodHasBeenSet = false;
    bool m_accountIdHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
