#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class Tag {
public:
    Tag() = default;

    const Aws::String& GetKey() const { return m_key; }
    bool KeyHasBeenSet() const { return m_keyHasBeenSet; }
    template <typename KeyT = Aws::String>
    void SetKey(KeyT&& value) {
        m_keyHasBeenSet = true;
        m_key = std::forward<KeyT>(value);
    }
    template <typename KeyT = Aws::String>
    Tag& WithKey(KeyT&& value) {
        SetKey(std::forward<KeyT>(value));
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
    Tag& WithValue(ValueT&& value) {
        SetValue(std::forward<ValueT>(value));
        return *this;
    }

private:
    Aws::String m_key;
    Aws::String m_value;
    bool m_keyHasBeenSet = false;
    bool m_valueHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
