#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace CloudWatch {
namespace Model {

class Dimension {
public:
    Dimension() = default;

    const Aws::String& GetName() const { return m_name; }
    bool NameHasBeenSet() const { return m_nameHasBeenSet; }
    template <typename NameT = Aws::String>
    void SetName(NameT&& value) {
        m_nameHasBeenSet = true;
        m_name = std::forward<NameT>(value);
    }
    template <typename NameT = Aws::String>
    Dimension& WithName(NameT&& value) {
        SetName(std::forward<NameT>(value));
        return *this;
    }

    const Aws::String& GetValue() const { return m_value; }
    bool ValueHasBeenSet() const { return m_valueHasBeenSet; }
    template <typename ValueT = Aws::String>
    void SetValue(ValueT&& value) {
        m_valueHasBeenSet = true;
        m_value = std::forward<ValueT>(value);
    }
    template <typename ValueT = Aws::String>
    Dimension& WithValue(ValueT&& value) {
        SetValue(std::forward<ValueT>(value));
        return *this;
    }

private:
    Aws::String m_name;
    Aws::String m_value;
    bool m_nameHasBeenSet = false;
    bool m_valueHasBeenSet = false;
};

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
