#pragma once

#include <aws/core/utils/Outcome.h>
#include <aws/ec2/EC2Errors.h>
#include <aws/ec2/model/DescribeInstancesRequest.h>
#include <aws/ec2/model/DescribeInstancesResponse.h>
#include <aws/ec2/model/DescribeRegionsRequest.h>
#include <aws/ec2/model/DescribeRegionsResponse.h>
#include <aws/ec2/model/DescribeVolumesRequest.h>
#include <aws/ec2/model/DescribeVolumesResponse.h>

namespace Aws {
namespace EC2 {
namespace Model {

using DescribeRegionsOutcome = Aws::Utils::Outcome<DescribeRegionsResponse, EC2Error>;
using DescribeInstancesOutcome = Aws::Utils::Outcome<DescribeInstancesResponse, EC2Error>;
using DescribeVolumesOutcome = Aws::Utils::Outcome<DescribeVolumesResponse, EC2Error>;

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
