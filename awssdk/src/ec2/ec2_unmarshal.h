#pragma once

#include <pugixml.hpp>

#include <aws/ec2/model/DescribeInstancesResponse.h>
#include <aws/ec2/model/DescribeRegionsResponse.h>
#include <aws/ec2/model/DescribeVolumesResponse.h>

namespace Aws {
namespace EC2 {
namespace Model {

void UnmarshalDescribeRegionsResponse(const pugi::xml_node& node, DescribeRegionsResponse& out);
void UnmarshalDescribeInstancesResponse(const pugi::xml_node& node, DescribeInstancesResponse& out);
void UnmarshalDescribeVolumesResponse(const pugi::xml_node& node, DescribeVolumesResponse& out);

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
