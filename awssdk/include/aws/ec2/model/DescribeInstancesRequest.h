#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class DescribeInstancesRequest {
public:
    DescribeInstancesRequest() = default;
    const char* GetServiceRequestName() const { return "DescribeInstances"; }
    Aws::String SerializePayload() const;

    const Aws::Vector<Aws::String>& GetInstanceIds() const { return m_instanceIds; }
    bool InstanceIdsHasBeenSet() const { return m_instanceIdsHasBeenSet; }
    template <typename InstanceIdsT = Aws::Vector<Aws::String>>
    void SetInstanceIds(InstanceIdsT&& value) {
        m_instanceIdsHasBeenSet = true;
        m_instanceIds = std::forward<InstanceIdsT>(value);
    }
    template <typename InstanceIdsT = Aws::Vector<Aws::String>>
    DescribeInstancesRequest& WithInstanceIds(InstanceIdsT&& value) {
        SetInstanceIds(std::forward<InstanceIdsT>(value));
        return *this;
    }
    template <typename InstanceIdsItemT = Aws::String>
    DescribeInstancesRequest& AddInstanceIds(InstanceIdsItemT&& value) {
        m_instanceIdsHasBeenSet = true;
        m_instanceIds.emplace_back(std::forward<InstanceIdsItemT>(value));
        return *this;
    }

    bool GetDryRun() const { return m_dryRun; }
    bool DryRunHasBeenSet() const { return m_dryRunHasBeenSet; }
    void SetDryRun(bool value) {
        m_dryRunHasBeenSet = true;
        m_dryRun = value;
    }
    DescribeInstancesRequest& WithDryRun(bool value) {
        SetDryRun(value);
        return *this;
    }

    int GetMaxResults() const { return m_maxResults; }
    bool MaxResultsHasBeenSet() const { return m_maxResultsHasBeenSet; }
    void SetMaxResults(int value) {
        m_maxResultsHasBeenSet = true;
        m_maxResults = value;
    }
    DescribeInstancesRequest& WithMaxResults(int value) {
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
    DescribeInstancesRequest& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::Vector<Aws::String> m_instanceIds;
    bool m_dryRun = false;
    int m_maxResults = 0;
    Aws::String m_nextToken;
    bool m_instanceIdsHasBeenSet = false;
    bool m_dryRunHasBeenSet = false;
    bool m_maxResultsHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
