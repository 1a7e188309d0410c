#pragma once

#include <aws/core/utils/Outcome.h>
#include <aws/rds/RDSErrors.h>
#include <aws/rds/model/DescribeDBInstancesRequest.h>
#include <aws/rds/model/DescribeDBInstancesResult.h>

namespace Aws {
namespace RDS {
namespace Model {

using DescribeDBInstancesOutcome = Aws::Utils::Outcome<DescribeDBInstancesResult, RDSError>;

}  // namespace Model
}  // namespace RDS
}  // namespace Aws
