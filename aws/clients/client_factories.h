#pragma once

#include <functional>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/cost_explorer.h"
#include "aws/clients/ec2_client_interface.h"
#include "aws/clients/elb_client_interface.h"
#include "aws/clients/rds_client_interface.h"

namespace orvane::tessel::aws {

// The factories the module object registers in its container. Each makes a client from its
// settings without calling AWS: wrong credentials show at the first request.
std::function<client_factory_function<ec2_client_interface>> get_ec2_client_factory();
std::function<client_factory_function<cloudwatch_client_interface>> get_cloudwatch_client_factory();
std::function<client_factory_function<elb_client_interface>> get_elb_client_factory();
std::function<client_factory_function<rds_client_interface>> get_rds_client_factory();
// Cost Explorer is global and not cached: a new API object per scan or check.
std::function<cost_api_factory_function> get_cost_api_factory();

}  // namespace orvane::tessel::aws
