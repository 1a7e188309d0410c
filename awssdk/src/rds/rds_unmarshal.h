#pragma once

#include <pugixml.hpp>

#include <aws/rds/model/DescribeDBInstancesResult.h>

namespace Aws {
namespace RDS {
namespace Model {

void UnmarshalDescribeDBInstancesResult(const pugi::xml_node& node, DescribeDBInstancesResult& out);

}  // namespace Model
}  // namespace RDS
}  // namespace Aws
