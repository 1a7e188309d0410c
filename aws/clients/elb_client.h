#pragma once

#include <aws/core/client/ClientConfiguration.h>
#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Client.h>

#include <memory>
#include <string>
#include <vector>

#include "aws/clients/elb_client_interface.h"
#include "aws/clients/secret_redactor.h"

namespace orvane::tessel::aws {

class elb_client final : public elb_client_interface {
public:
    elb_client(const std::string& access_key, const std::string& secret_key,
               const Aws::Client::ClientConfiguration& configuration);

    std::vector<load_balancer> list_load_balancers(const logger_ptr& logger) override;
    bool test_connection() override;

    static constexpr int max_pages = 10000;

private:
    secret_redactor redactor_;
    std::unique_ptr<Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Client> client_;
};

// The identifier CloudWatch uses for a load balancer: what follows ":loadbalancer/" in its ARN.
std::string load_balancer_id(const std::string& arn);

}  // namespace orvane::tessel::aws
