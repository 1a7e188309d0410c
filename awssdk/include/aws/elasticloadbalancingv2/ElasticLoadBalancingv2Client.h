#pragma once

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2ServiceClientModel.h>

#include <memory>

namespace Aws {
namespace Internal {
class ClientCore;
}  // namespace Internal

namespace ElasticLoadBalancingv2 {

// Safe for concurrent requests from many threads. Construction makes no network call and
// opens no connection; connections come from the process-wide pool started by InitAPI.
class ElasticLoadBalancingv2Client {
public:
    static const char* GetServiceName();
    static const char* GetAllocationTag();

    ElasticLoadBalancingv2Client(
        const Aws::Auth::AWSCredentials& credentials,
        const Aws::Client::ClientConfiguration& clientConfiguration = Aws::Client::ClientConfiguration());
    virtual ~ElasticLoadBalancingv2Client();
    ElasticLoadBalancingv2Client(const ElasticLoadBalancingv2Client&) = delete;
    ElasticLoadBalancingv2Client& operator=(const ElasticLoadBalancingv2Client&) = delete;

    virtual Model::DescribeLoadBalancersOutcome DescribeLoadBalancers(
        const Model::DescribeLoadBalancersRequest& request = {}) const;

private:
    std::shared_ptr<const Aws::Internal::ClientCore> m_core;
};

}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
