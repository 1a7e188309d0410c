#pragma once

#include <aws/core/utils/Outcome.h>
#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Errors.h>
#include <aws/elasticloadbalancingv2/model/DescribeLoadBalancersRequest.h>
#include <aws/elasticloadbalancingv2/model/DescribeLoadBalancersResult.h>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

using DescribeLoadBalancersOutcome =
    Aws::Utils::Outcome<DescribeLoadBalancersResult, ElasticLoadBalancingv2Error>;

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
