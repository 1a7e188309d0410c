#pragma once

#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Client.h>

#include <string>
#include <vector>

#include "aws/clients/elb_client_interface.h"
#include "aws/clients/error_classification.h"
#include "aws/clients/sdk_client.h"

namespace orvane::tessel::aws {

class elb_client final
    : public elb_client_interface,
      private sdk_client<Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Client, &translate_elb_error> {
public:
    using sdk_client::sdk_client;

    std::vector<load_balancer> list_load_balancers(const logger_ptr& logger) override;
    bool test_connection() override;

    static constexpr int max_pages = 10000;
};

// The identifier CloudWatch uses for a load balancer: what follows ":loadbalancer/" in its ARN.
std::string load_balancer_id(const std::string& arn);

}  // namespace orvane::tessel::aws
