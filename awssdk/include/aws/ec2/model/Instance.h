#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/ec2/model/InstanceState.h>
#include <aws/ec2/model/Tag.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class Instance {
public:
    Instance() = default;

    const Aws::String& GetInstanceId() const { return m_instanceId; }
    bool InstanceIdHasBeenSet() const { return m_instanceIdHasBeenSet; }
    template <typename InstanceIdT = Aws::String>
    void SetInstanceId(InstanceIdT&& value) {
        m_instanceIdHasBeenSet = true;
        m_instanceId = std::forward<InstanceIdT>(value);
    }
    template <typename InstanceIdT = Aws::String>
    Instance& WithInstanceId(InstanceIdT&& value) {
        SetInstanceId(std::forward<InstanceIdT>(value));
        return *this;
    }

    const Aws::Utils::DateTime& GetLaunchTime() const { return m_launchTime; }
    bool LaunchTimeHasBeenSet() const { return m_launchTimeHasBeenSet; }
    template <typename LaunchTimeT = Aws::Utils::DateTime>
    void SetLaunchTime(LaunchTimeT&& value) {
        m_launchTimeHasBeenSet = true;
        m_launchTime = std::forward<LaunchTimeT>(value);
    }
    template <typename LaunchTimeT = Aws::Utils::DateTime>
    Instance& WithLaunchTime(LaunchTimeT&& value) {
        SetLaunchTime(std::forward<LaunchTimeT>(value));
        return *this;
    }

    const Aws::String& GetPrivateIpAddress() const { return m_privateIpAddress; }
    bool PrivateIpAddressHasBeenSet() const { return m_privateIpAddressHasBeenSet; }
    template <typename PrivateIpAddressT = Aws::String>
    void SetPrivateIpAddress(PrivateIpAddressT&& value) {
        m_privateIpAddressHasBeenSet = true;
        m_privateIpAddress = std::forward<PrivateIpAddressT>(value);
    }
    template <typename PrivateIpAddressT = Aws::String>
    Instance& WithPrivateIpAddress(PrivateIpAddressT&& value) {
        SetPrivateIpAddress(std::forward<PrivateIpAddressT>(value));
        return *this;
    }

    const Aws::String& GetPublicIpAddress() const { return m_publicIpAddress; }
    bool PublicIpAddressHasBeenSet() const { return m_publicIpAddressHasBeenSet; }
    template <typename PublicIpAddressT = Aws::String>
    void SetPublicIpAddress(PublicIpAddressT&& value) {
        m_publicIpAddressHasBeenSet = true;
        m_publicIpAddress = std::forward<PublicIpAddressT>(value);
    }
    template <typename PublicIpAddressT = Aws::String>
    Instance& WithPublicIpAddress(PublicIpAddressT&& value) {
        SetPublicIpAddress(std::forward<PublicIpAddressT>(value));
        return *this;
    }

    const InstanceState& GetState() const { return m_state; }
    bool StateHasBeenSet() const { return m_stateHasBeenSet; }
    template <typename StateT = InstanceState>
    void SetState(StateT&& value) {
        m_stateHasBeenSet = true;
        m_state = std::forward<StateT>(value);
    }
    template <typename StateT = InstanceState>
    Instance& WithState(StateT&& value) {
        SetState(std::forward<StateT>(value));
        return *this;
    }

    const Aws::String& GetSubnetId() const { return m_subnetId; }
    bool SubnetIdHasBeenSet() const { return m_subnetIdHasBeenSet; }
    template <typename SubnetIdT = Aws::String>
    void SetSubnetId(SubnetIdT&& value) {
        m_subnetIdHasBeenSet = true;
        m_subnetId = std::forward<SubnetIdT>(value);
    }
    template <typename SubnetIdT = Aws::String>
    Instance& WithSubnetId(SubnetIdT&& value) {
        SetSubnetId(std::forward<SubnetIdT>(value));
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
    Instance& WithVpcId(VpcIdT&& value) {
        SetVpcId(std::forward<VpcIdT>(value));
        return *this;
    }

    const Aws::Vector<Tag>& GetTags() const { return m_tags; }
    bool TagsHasBeenSet() const { return m_tagsHasBeenSet; }
    template <typename TagsT = Aws::Vector<Tag>>
    void SetTags(TagsT&& value) {
        m_tagsHasBeenSet = true;
        m_tags = std::forward<TagsT>(value);
    }
    template <typename TagsT = Aws::Vector<Tag>>
    Instance& WithTags(TagsT&& value) {
        SetTags(std::forward<TagsT>(value));
        return *this;
    }
    template <typename TagsItemT = Tag>
    Instance& AddTags(TagsItemT&& value) {
        m_tagsHasBeenSet = true;
        m_tags.emplace_back(std::forward<TagsItemT>(value));
        return *this;
    }

private:
    Aws::String m_instanceId;
    Aws::Utils::DateTime m_launchTime;
    Aws::String m_privateIpAddress;
    Aws::String m_publicIpAddress;
    InstanceState m_state;
    Aws::String m_subnetId;
    Aws::String m_vpcId;
    Aws::Vector<Tag> m_tags;
    bool m_instanceIdHasBeenSet = false;
    bool m_launchTimeHasBeenSet = false;
    bool m_privateIpAddressHasBeenSet = false;
    bool m_publicIpAddressHasBeenSet = false;
    bool m_stateHasBeenSet = false;
    bool m_subnetIdHasBeenSet = false;
    bool m_vpcIdHasBeenSet = false;
    bool m_tagsHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
