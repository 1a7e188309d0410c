#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/ec2/model/InstanceStateName.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class InstanceState {
public:
    InstanceState() = default;

    int GetCode() const { return m_code; }
    bool CodeHasBeenSet() const { return m_codeHasBeenSet; }
    void SetCode(int value) {
        m_codeHasBeenSet = true;
        m_code = value;
    }
    InstanceState& WithCode(int value) {
        SetCode(value);
        return *this;
    }

    InstanceStateName GetName() const { return m_name; }
    bool NameHasBeenSet() const { return m_nameHasBeenSet; }
    void SetName(InstanceStateName value) {
        m_nameHasBeenSet = true;
        m_name = value;
    }
    InstanceState& WithName(InstanceStateName value) {
        SetName(value);
        return *this;
    }

private:
    int m_code = 0;
    InstanceStateName m_name = InstanceStateName::NOT_SET;
    bool m_codeHasBeenSet = false;
    bool m_nameHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
