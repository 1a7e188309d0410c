#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/ec2/model/Tag.h>
#include <aws/ec2/model/VolumeAttachment.h>
#include <aws/ec2/model/VolumeState.h>
#include <aws/ec2/model/VolumeType.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class Volume {
public:
    Volume() = default;

    const Aws::Vector<VolumeAttachment>& GetAttachments() const { return m_attachments; }
    bool AttachmentsHasBeenSet() const { return m_attachmentsHasBeenSet; }
    template <typename AttachmentsT = Aws::Vector<VolumeAttachment>>
    void SetAttachments(AttachmentsT&& value) {
        m_attachmentsHasBeenSet = true;
        m_attachments = std::forward<AttachmentsT>(value);
    }
    template <typename AttachmentsT = Aws::Vector<VolumeAttachment>>
    Volume& WithAttachments(AttachmentsT&& value) {
        SetAttachments(std::forward<AttachmentsT>(value));
        return *this;
    }
    template <typename AttachmentsItemT = VolumeAttachment>
    Volume& AddAttachments(AttachmentsItemT&& value) {
        m_attachmentsHasBeenSet = true;
        m_attachments.emplace_back(std::forward<AttachmentsItemT>(value));
        return *this;
    }

    const Aws::String& GetAvailabilityZone() const { return m_availabilityZone; }
    bool AvailabilityZoneHasBeenSet() const { return m_availabilityZoneHasBeenSet; }
    template <typename AvailabilityZoneT = Aws::String>
    void SetAvailabilityZone(AvailabilityZoneT&& value) {
        m_availabilityZoneHasBeenSet = true;
        m_availabilityZone = std::forward<AvailabilityZoneT>(value);
    }
    template <typename AvailabilityZoneT = Aws::String>
    Volume& WithAvailabilityZone(AvailabilityZoneT&& value) {
        SetAvailabilityZone(std::forward<AvailabilityZoneT>(value));
        return *this;
    }

    const Aws::Utils::DateTime& GetCreateTime() const { return m_createTime; }
    bool CreateTimeHasBeenSet() const { return m_createTimeHasBeenSet; }
    template <typename CreateTimeT = Aws::Utils::DateTime>
    void SetCreateTime(CreateTimeT&& value) {
        m_createTimeHasBeenSet = true;
        m_createTime = std::forward<CreateTimeT>(value);
    }
    template <typename CreateTimeT = Aws::Utils::DateTime>
    Volume& WithCreateTime(CreateTimeT&& value) {
        SetCreateTime(std::forward<CreateTimeT>(value));
        return *this;
    }

    bool GetEncrypted() const { return m_encrypted; }
    bool EncryptedHasBeenSet() const { return m_encryptedHasBeenSet; }
    void SetEncrypted(bool value) {
        m_encryptedHasBeenSet = true;
        m_encrypted = value;
    }
    Volume& WithEncrypted(bool value) {
        SetEncrypted(value);
        return *this;
    }

    int GetSize() const { return m_size; }
    bool SizeHasBeenSet() const { return m_sizeHasBeenSet; }
    void SetSize(int value) {
        m_sizeHasBeenSet = true;
        m_size = value;
    }
    Volume& WithSize(int value) {
        SetSize(value);
        return *this;
    }

    const Aws::String& GetSnapshotId() const { return m_snapshotId; }
    bool SnapshotIdHasBeenSet() const { return m_snapshotIdHasBeenSet; }
    template <typename SnapshotIdT = Aws::String>
    void SetSnapshotId(SnapshotIdT&& value) {
        m_snapshotIdHasBeenSet = true;
        m_snapshotId = std::forward<SnapshotIdT>(value);
    }
    template <typename SnapshotIdT = Aws::String>
    Volume& WithSnapshotId(SnapshotIdT&& value) {
        SetSnapshotId(std::forward<SnapshotIdT>(value));
        return *this;
    }

    VolumeState GetState() const { return m_state; }
    bool StateHasBeenSet() const { return m_stateHasBeenSet; }
    void SetState(VolumeState value) {
        m_stateHasBeenSet = true;
        m_state = value;
    }
    Volume& WithState(VolumeState value) {
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
    Volume& WithVolumeId(VolumeIdT&& value) {
        SetVolumeId(std::forward<VolumeIdT>(value));
        return *this;
    }

    int GetIops() const { return m_iops; }
    bool IopsHasBeenSet() const { return m_iopsHasBeenSet; }
    void SetIops(int value) {
        m_iopsHasBeenSet = true;
        m_iops = value;
    }
    Volume& WithIops(int value) {
        SetIops(value);
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
    Volume& WithTags(TagsT&& value) {
        SetTags(std::forward<TagsT>(value));
        return *this;
    }
    template <typename TagsItemT = Tag>
    Volume& AddTags(TagsItemT&& value) {
        m_tagsHasBeenSet = true;
        m_tags.emplace_back(std::forward<TagsItemT>(value));
        return *this;
    }

    VolumeType GetVolumeType() const { return m_volumeType; }
    bool VolumeTypeHasBeenSet() const { return m_volumeTypeHasBeenSet; }
    void SetVolumeType(VolumeType value) {
        m_volumeTypeHasBeenSet = true;
        m_volumeType = value;
    }
    Volume& WithVolumeType(VolumeType value) {
        SetVolumeType(value);
        return *this;
    }

    int GetThroughput() const { return m_throughput; }
    bool ThroughputHasBeenSet() const { return m_throughputHasBeenSet; }
    void SetThroughput(int value) {
        m_throughputHasBeenSet = true;
        m_throughput = value;
    }
    Volume& WithThroughput(int value) {
        SetThroughput(value);
        return *this;
    }

private:
    Aws::Vector<VolumeAttachment> m_attachments;
    Aws::String m_availabilityZone;
    Aws::Utils::DateTime m_createTime;
    bool m_encrypted = false;
    int m_size = 0;
    Aws::String m_snapshotId;
    VolumeState m_state = VolumeState::NOT_SET;
    Aws::String m_volumeId;
    int m_iops = 0;
    Aws::Vector<Tag> m_tags;
    VolumeType m_volumeType = VolumeType::NOT_SET;
    int m_throughput = 0;
    bool m_attachmentsHasBeenSet = false;
    bool m_availabilityZoneHasBeenSet = false;
    bool m_createTimeHasBeenSet = false;
    bool m_encryptedHasBeenSet = false;
    bool m_sizeHasBeenSet = false;
    bool m_snapshotIdHasBeenSet = false;
    bool m_stateHasBeenSet = false;
    bool m_volumeIdHasBeenSet = false;
    bool m_iopsHasBeenSet = false;
    bool m_tagsHasBeenSet = false;
    bool m_volumeTypeHasBeenSet = false;
    bool m_throughputHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
