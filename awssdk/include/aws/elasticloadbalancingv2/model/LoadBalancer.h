#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/elasticloadbalancingv2/model/LoadBalancerState.h>
#include <aws/elasticloadbalancingv2/model/LoadBalancerTypeEnum.h>

#include <utility>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

class LoadBalancer {
public:
    LoadBalancer() = default;

    const Aws::String& GetLoadBalancerArn() const { return m_loadBalancerArn; }
    bool LoadBalancerArnHasBeenSet() const { return m_loadBalancerArnHasBeenSet; }
    template <typename LoadBalancerArnT = Aws::String>
    void SetLoadBalancerArn(LoadBalancerArnT&& value) {
        m_loadBalancerArnHasBeenSet = true;
        m_loadBalancerArn = std::forward<LoadBalancerArnT>(value);
    }
    template <typename LoadBalancerArnT = Aws::String>
    LoadBalancer& WithLoadBalancerArn(LoadBalancerArnT&& value) {
        SetLoadBalancerArn(std::forward<LoadBalancerArnT>(value));
        return *this;
    }

    const Aws::String& GetDNSName() const { return m_dNSName; }
    bool DNSNameHasBeenSet() const { return m_dNSNameHasBeenSet; }
    template <typename DNSNameT = Aws::String>
    void SetDNSName(DNSNameT&& value) {
        m_dNSNameHasBeenSet = true;
        m_dNSName = std::forward<DNSNameT>(value);
    }
    template <typename DNSNameT = Aws::String>
    LoadBalancer& WithDNSName(DNSNameT&& value) {
        SetDNSName(std::forward<DNSNameT>(value));
        return *this;
    }

    const Aws::String& GetCanonicalHostedZoneId() const { return m_canonicalHostedZoneId; }
    bool CanonicalHostedZoneIdHasBeenSet() const { return m_canonicalHostedZoneIdHasBeenSet; }
    template <typename CanonicalHostedZoneIdT = Aws::String>
    void SetCanonicalHostedZoneId(CanonicalHostedZoneIdT&& value) {
        m_canonicalHostedZoneIdHasBeenSet = true;
        m_canonicalHostedZoneId = std::forward<CanonicalHostedZoneIdT>(value);
    }
    template <typename CanonicalHostedZoneIdT = Aws::String>
    LoadBalancer& WithCanonicalHostedZoneId(CanonicalHostedZoneIdT&& value) {
        SetCanonicalHostedZoneId(std::forward<CanonicalHostedZoneIdT>(value));
        return *this;
    }

    const Aws::Utils::DateTime& GetCreatedTime() const { return m_createdTime; }
    bool CreatedTimeHasBeenSet() const { return m_createdTimeHasBeenSet; }
    template <typename CreatedTimeT = Aws::Utils::DateTime>
    void SetCreatedTime(CreatedTimeT&& value) {
        m_createdTimeHasBeenSet = true;
        m_createdTime = std::forward<CreatedTimeT>(value);
    }
    template <typename CreatedTimeT = Aws::Utils::DateTime>
    LoadBalancer& WithCreatedTime(CreatedTimeT&& value) {
        SetCreatedTime(std::forward<CreatedTimeT>(value));
        return *this;
    }

    const Aws::String& GetLoadBalancerName() const { return m_loadBalancerName; }
    bool LoadBalancerNameHasBeenSet() const { return m_loadBalancerNameHasBeenSet; }
    template <typename LoadBalancerNameT = Aws::String>
    void SetLoadBalancerName(LoadBalancerNameT&& value) {
        m_loadBalancerNameHasBeenSet = true;
        m_loadBalancerName = std::forward<LoadBalancerNameT>(value);
    }
    template <typename LoadBalancerNameT = Aws::String>
    LoadBalancer& WithLoadBalancerName(LoadBalancerNameT&& value) {
        SetLoadBalancerName(std::forward<LoadBalancerNameT>(value));
        return *this;
    }

    const Aws::String& GetVpcId() const { return m_vpcId; }
    bool VpcIdHasBeenSet() const { return m_vpcIdHasBeenSet; }
    template <typename VpcIdT = Aws::String>
    void SetVpcId(VpcIdT&& value) {
        m_vpcIdHasBeenSet = true;
        m_vpcId = std::forward<VpcIdT>(value);
    }
    template <typename VpcIdT = Aws::String>
    LoadBalancer& WithVpcId(VpcIdT&& value) {
        SetVpcId(std::forward<VpcIdT>(value));
        return *this;
    }

    const LoadBalancerState& GetState() const { return m_state; }
    bool StateHasBeenSet() const { return m_stateHasBeenSet; }
    template <typename StateT = LoadBalancerState>
    void SetState(StateT&& value) {
        m_stateHasBeenSet = true;
        m_state = std::forward<StateT>(value);
    }
    template <typename StateT = LoadBalancerState>
    LoadBalancer& WithState(StateT&& value) {
        SetState(std::forward<StateT>(value));
        return *this;
    }

    LoadBalancerTypeEnum GetType() const { return m_type; }
    bool TypeHasBeenSet() const { return m_typeHasBeenSet; }
    void SetType(LoadBalancerTypeEnum value) {
        m_typeHasBeenSet = true;
        m_type = value;
    }
    LoadBalancer& WithType(LoadBalancerTypeEnum value) {
        SetType(value);
        return *this;
    }

private:
    Aws::String m_loadBalancerArn;
    Aws::String m_dNSName;
    Aws::String m_canonicalHostedZoneId;
    Aws::Utils::DateTime m_createdTime;
    Aws::String m_loadBalancerName;
    Aws::String m_vpcId;
    LoadBalancerState m_state;
    LoadBalancerTypeEnum m_type = LoadBalancerTypeEnum::NOT_SET;
    bool m_loadBalancerArnHasBeenSet = false;
    bool m_dNSNameHasBeenSet = false;
    bool m_canonicalHostedZoneIdHasBeenSet = false;
    bool m_createdTimeHasBeenSet = false;
    bool m_loadBalancerNameHasBeenSet = false;
    bool m_vpcIdHasBeenSet = false;
    bool m_stateHasBeenSet = false;
    bool m_typeHasBeenSet = false;
};

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
