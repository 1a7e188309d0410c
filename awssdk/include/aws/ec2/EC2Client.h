#pragma once

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/ec2/EC2ServiceClientModel.h>

#include <memory>

namespace Aws {
namespace Internal {
class ClientCore;
}  // namespace Internal

namespace EC2 {

// Safe for concurrent requests from many threads. Construction makes no network call and
// opens no connection; connections come from the process-wide pool started by InitAPI.
class EC2Client {
public:
    static const char* GetServiceName();
    static const char* GetAllocationTag();

    EC2Client(
        const Aws::Auth::AWSCredentials& credentials,
        const Aws::Client::ClientConfiguration& clientConfiguration = Aws::Client::ClientConfiguration());
    virtual ~EC2Client();
    EC2Client(const EC2Client&) = delete;
    EC2Client& operator=(const EC2Client&) = delete;

    virtual Model::DescribeRegionsOutcome DescribeRegions(
        const Model::DescribeRegionsRequest& request = {}) const;
    virtual Model::DescribeInstancesOutcome DescribeInstances(
        const Model::DescribeInstancesRequest& request = {}) const;
    virtual Model::DescribeVolumesOutcome DescribeVolumes(
        const Model::DescribeVolumesRequest& request = {}) const;

private:
    std::shared_ptr<const Aws::Internal::ClientCore> m_core;
};

}  // namespace EC2
}  // namespace Aws
