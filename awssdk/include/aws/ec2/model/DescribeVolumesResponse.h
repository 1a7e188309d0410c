#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/ec2/model/Volume.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class DescribeVolumesResponse {
public:
    DescribeVolumesResponse() = default;

    const Aws::Vector<Volume>& GetVolumes() const { return m_volumes; }
    bool VolumesHasBeenSet() const { return m_volumesHasBeenSet; }
    template <typename VolumesT = Aws::Vector<Volume>>
    void SetVolumes(VolumesT&& value) {
        m_volumesHasBeenSet = true;
        m_volumes = std::forward<VolumesT>(value);
    }
    template <typename VolumesT = Aws::Vector<Volume>>
    DescribeVolumesResponse& WithVolumes(VolumesT&& value) {
        SetVolumes(std::forward<VolumesT>(value));
        return *this;
    }
    template <typename VolumesItemT = Volume>
    DescribeVolumesResponse& AddVolumes(VolumesItemT&& value) {
        m_volumesHasBeenSet = true;
        m_volumes.emplace_back(std::forward<VolumesItemT>(value));
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
    DescribeVolumesResponse& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::Vector<Volume> m_volumes;
    Aws::String m_nextToken;
    bool m_volumesHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
