#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class DescribeVolumesRequest {
public:
    DescribeVolumesRequest() = default;
    const char* GetServiceRequestName() const { return "DescribeVolumes"; }
    Aws::String SerializePayload() const;

    const Aws::Vector<Aws::String>& GetVolumeIds() const { return m_volumeIds; }
    bool VolumeIdsHasBeenSet() const { return m_volumeIdsHasBeenSet; }
    template <typename VolumeIdsT = Aws::Vector<Aws::String>>
    void SetVolumeIds(VolumeIdsT&& value) {
        m_volumeIdsHasBeenSet = true;
        m_volumeIds = std::forward<VolumeIdsT>(value);
    }
    template <typename VolumeIdsT = Aws::Vector<Aws::String>>
    DescribeVolumesRequest& WithVolumeIds(VolumeIdsT&& value) {
        SetVolumeIds(std::forward<VolumeIdsT>(value));
        return *this;
    }
    template <typename VolumeIdsItemT = Aws::String>
    DescribeVolumesRequest& AddVolumeIds(VolumeIdsItemT&& value) {
        m_volumeIdsHasBeenSet = true;
        m_volumeIds.emplace_back(std::forward<VolumeIdsItemT>(value));
        return *this;
    }

    bool GetDryRun() const { return m_dryRun; }
    bool DryRunHasBeenSet() const { return m_dryRunHasBeenSet; }
    void SetDryRun(bool value) {
        m_dryRunHasBeenSet = true;
        m_dryRun = value;
    }
    DescribeVolumesRequest& WithDryRun(bool value) {
        SetDryRun(value);
        return *this;
    }

    int GetMaxResults() const { return m_maxResults; }
    bool MaxResultsHasBeenSet() const { return m_maxResultsHasBeenSet; }
    void SetMaxResults(int value) {
        m_maxResultsHasBeenSet = true;
        m_maxResults = value;
    }
    DescribeVolumesRequest& WithMaxResults(int value) {
        SetMaxResults(value);
        return *this;
    }

    const Aws::String& GetNextToken() const { return m_nextToken; }
    bool NextTokenHasBeenSet() const { return m_nextTokenHasBeenSet; }
    template <typename NextTokenT = Aws::String>
    void SetNextToken(NextTokenT&& value) {
        m_nextTokenHasBeenSet = true;
        m_nextToken = std::forward<NextTokenT>(value);
    }
    template <typename NextTokenT = Aws::String>
    DescribeVolumesRequest& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::Vector<Aws::String> m_volumeIds;
    bool m_dryRun = false;
    int m_maxResults = 0;
    Aws::String m_nextToken;
    bool m_volumeIdsHasBeenSet = false;
    bool m_dryRunHasBeenSet = false;
    bool m_maxResultsHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
