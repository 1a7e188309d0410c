#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/elasticloadbalancingv2/model/LoadBalancerStateEnum.h>

#include <utility>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

class LoadBalancerState {
public:
    LoadBalancerState() = default;

    LoadBalancerStateEnum GetCode() const { return m_code; }
    bool CodeHasBeenSet() const { return m_codeHasBeenSet; }
    void SetCode(LoadBalancerStateEnum value) {
        m_codeHasBeenSet = true;
        m_code = value;
    }
    LoadBalancerState& WithCode(LoadBalancerStateEnum value) {
        SetCode(value);
        return *this;
    }

    const Aws::String& GetReason() const { return m_reason; }
    bool ReasonHasBeenSet() const { return m_reasonHasBeenSet; }
    template <typename ReasonT = Aws::String>
    void SetReason(ReasonT&& value) {
        m_reasonHasBeenSet = true;
        m_reason = std::forward<ReasonT>(value);
    }
    template <typename ReasonT = Aws::String>
    LoadBalancerState& WithReason(ReasonT&& value) {
        SetReason(std::forward<ReasonT>(value));
        return *this;
    }

private:
    LoadBalancerStateEnum m_code = LoadBalancerStateEnum::NOT_SET;
    Aws::String m_reason;
    bool m_codeHasBeenSet = false;
    bool m_reasonHasBeenSet = false;
};

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
