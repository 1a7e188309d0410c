#pragma once

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/rds/RDSServiceClientModel.h>

#include <memory>

namespace Aws {
namespace Internal {
class ClientCore;
}  // namespace Internal

namespace RDS {

// Safe for concurrent requests from many threads. Construction makes no network call and
// opens no connection; connections come from the process-wide pool started by InitAPI.
class RDSClient {
public:
    static const char* GetServiceName();
    static const char* GetAllocationTag();

    RDSClient(
        const Aws::Auth::AWSCredentials& credentials,
        const Aws::Client::ClientConfiguration& clientConfiguration = Aws::Client::ClientConfiguration());
    virtual ~RDSClient();
    RDSClient(const RDSClient&) = delete;
    RDSClient& operator=(const RDSClient&) = delete;

    virtual Model::DescribeDBInstancesOutcome DescribeDBInstances(
        const Model::DescribeDBInstancesRequest& request = {}) const;

private:
    std::shared_ptr<const Aws::Internal::ClientCore> m_core;
};

}  // namespace RDS
}  // namespace Aws
