#pragma once

#include <pugixml.hpp>

#include <aws/elasticloadbalancingv2/model/DescribeLoadBalancersResult.h>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

void UnmarshalDescribeLoadBalancersResult(const pugi::xml_node& node, DescribeLoadBalancersResult& out);

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
