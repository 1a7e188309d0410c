#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <aws/core/utils/json/JsonSerializer.h>
#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class MetricValue {
public:
    MetricValue() = default;
    Aws::Utils::Json::JsonValue Jsonize() const;

    const Aws::String& GetAmount() const { return m_amount; }
    bool AmountHasBeenSet() const { return m_amountHasBeenSet; }
    template <typename AmountT = Aws::String>
    void SetAmount(AmountT&& value) {
        m_amountHasBeenSet = true;
        m_amount = std::forward<AmountT>(value);
    }
    template <typename AmountT = Aws::String>
    MetricValue& WithAmount(AmountT&& value) {
        SetAmount(std::forward<AmountT>(value));
        return *this;
    }

    const Aws::String& GetUnit() const { return m_unit; }
    bool UnitHasBeenSet() const { return m_unitHasBeenSet; }
    template <typename UnitT = Aws::String>
    void SetUnit(UnitT&& value) {
        m_unitHasBeenSet = true;
        m_unit = std::forward<UnitT>(value);
    }
    template <typename UnitT = Aws::String>
    MetricValue& WithUnit(UnitT&& value) {
        SetUnit(std::forward<UnitT>(value));
        return *this;
    }

private:
    Aws::String m_amount;
    Aws::String m_unit;
    bool m_amountHasBeenSet = false;
    bool m_unitHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
