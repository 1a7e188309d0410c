#pragma once

#include <aws/elasticloadbalancingv2/model/LoadBalancerTypeEnum.h>

#include <string>
#include <vector>

#include "aws/clients/logger.h"

namespace orvane::tessel::aws {

struct load_balancer {
    std::string id;  // the CloudWatch "LoadBalancer" dimension value, e.g. app/my-lb/50dc6c495c0c9188
    std::string name;
    Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnum type =
        Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnum::NOT_SET;

    bool operator==(const load_balancer&) const = default;
};

// Elastic Load Balancing v2 in the client's region.
class elb_client_interface {
public:
    virtual ~elb_client_interface() = default;
    virtual std::vector<load_balancer> list_load_balancers(const logger_ptr& logger) = 0;
    virtual bool test_connection() = 0;
};

}  // namespace orvane::tessel::aws
