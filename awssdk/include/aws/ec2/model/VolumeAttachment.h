#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/ec2/model/VolumeAttachmentState.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class VolumeAttachment {
public:
    VolumeAttachment() = default;

    const Aws::Utils::DateTime& GetAttachTime() const { return m_attachTime; }
    bool AttachTimeHasBeenSet() const { return m_attachTimeHasBeenSet; }
    template <typename AttachTimeT = Aws::Utils::DateTime>
    void SetAttachTime(AttachTimeT&& value) {
        m_attachTimeHasBeenSet = true;
        m_attachTime = std::forward<AttachTimeT>(value);
    }
    template <typename AttachTimeT = Aws::Utils::DateTime>
    VolumeAttachment& WithAttachTime(AttachTimeT&& value) {
        SetAttachTime(std::forward<AttachTimeT>(value));
        return *this;
    }

    const Aws::String& GetDevice() const { return m_device; }
    bool DeviceHasBeenSet() const { return m_deviceHasBeenSet; }
    template <typename DeviceT = Aws::String>
    void SetDevice(DeviceT&& value) {
        m_deviceHasBeenSet = true;
        m_device = std::forward<DeviceT>(value);
    }
    template <typename DeviceT = Aws::String>
    VolumeAttachment& WithDevice(DeviceT&& value) {
        SetDevice(std::forward<DeviceT>(value));
        return *this;
    }

    const Aws::String& GetInstanceId() const { return m_instanceId; }
    bool InstanceIdHasBeenSet() const { return m_instanceIdHasBeenSet; }
    template <typename InstanceIdT = Aws::String>
    void SetInstanceId(InstanceIdT&& value) {
        m_instanceIdHasBeenSet = true;
        m_instanceId = std::forward<InstanceIdT>(value);
    }
    template <typename InstanceIdT = Aws::String>
    VolumeAttachment& WithInstanceId(InstanceIdT&& value) {
        SetInstanceId(std::forward<InstanceIdT>(value));
        return *this;
    }

    VolumeAttachmentState GetState() const { return m_state; }
    bool StateHasBeenSet() const { return m_stateHasBeenSet; }
    void SetState(VolumeAttachmentState value) {
        m_stateHasBeenSet = true;
        m_state = value;
    }
    VolumeAttachment& WithState(VolumeAttachmentState value) {
        SetState(value);
        return *this;
    }

    const Aws::String& GetVolumeId() const { return m_volumeId; }
    bool VolumeIdHasBeenSet() const { return m_volumeIdHasBeenSet; }
    template <typename VolumeIdT = Aws::String>
    void SetVolumeId(VolumeIdT&& value) {
        m_volumeIdHasBeenSet = true;
        m_volumeId = std::forward<VolumeIdT>(value);
    }
    template <typename VolumeIdT = Aws::String>
    VolumeAttachment& WithVolumeId(VolumeIdT&& value) {
        SetVolumeId(std::forward<VolumeIdT>(value));
        return *this;
    }

    bool GetDeleteOnTermination() const { return m_deleteOnTermination; }
    bool DeleteOnTerminationHasBeenSet() const { return m_deleteOnTerminationHasBeenSet; }
    void SetDeleteOnTermination(bool value) {
        m_deleteOnTerminationHasBeenSet = true;
        m_deleteOnTermination = value;
    }
    VolumeAttachment& WithDeleteOnTermination(bool value) {
        SetDeleteOnTermination(value);
        return *this;
    }

private:
    Aws::Utils::DateTime m_attachTime;
    Aws::String m_device;
    Aws::String m_instanceId;
    VolumeAttachmentState m_state = VolumeAttachmentState::NOT_SET;
    Aws::String m_volumeId;
    bool m_deleteOnTermination = false;
    bool m_attachTimeHasBeenSet = false;
    bool m_deviceHasBeenSet = false;
    bool m_instanceIdHasBeenSet = false;
    bool m_stateHasBeenSet = false;
    bool m_volumeIdHasBeenSet = false;
    bool m_deleteOnTerminationHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
