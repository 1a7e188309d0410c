#pragma once

#include <aws/ce/CostExplorerErrors.h>
#include <aws/core/client/AWSError.h>
#include <aws/ec2/EC2Errors.h>
#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Errors.h>
#include <aws/monitoring/CloudWatchErrors.h>
#include <aws/rds/RDSErrors.h>

#include <exception>
#include <string>

#include "aws/clients/logger.h"
#include "aws/clients/secret_redactor.h"

namespace orvane::tessel::aws {

// A failed AWS request becomes one module exception with a readable, localised message: wrong
// credentials, missing permissions, unavailable cost data and throttling must reach the user as
// what they are, not as raw AWS codes. Each function logs "<Service> error: <message>" and returns
// the exception without throwing it. The AWS texts pass the client's redactor first: an error body
// may echo a secret of the request.
std::exception_ptr translate_ec2_error(const Aws::Client::AWSError<Aws::EC2::EC2Errors>& error,
                                       const logger_ptr& logger, const secret_redactor& redactor);
std::exception_ptr translate_cloudwatch_error(
    const Aws::Client::AWSError<Aws::CloudWatch::CloudWatchErrors>& error, const logger_ptr& logger,
    const secret_redactor& redactor);
std::exception_ptr translate_elb_error(
    const Aws::Client::AWSError<Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Errors>& error,
    const logger_ptr& logger, const secret_redactor& redactor);
std::exception_ptr translate_rds_error(const Aws::Client::AWSError<Aws::RDS::RDSErrors>& error,
                                       const logger_ptr& logger, const secret_redactor& redactor);
std::exception_ptr translate_cost_explorer_error(
    const Aws::Client::AWSError<Aws::CostExplorer::CostExplorerErrors>& error, const logger_ptr& logger,
    const secret_redactor& redactor);

// What every service falls back to: unauthorized_operation when the exception name says so,
// otherwise the generic error with "<name>: <message>".
std::exception_ptr translate_other_error(const std::string& exception_name, const std::string& message);

}  // namespace orvane::tessel::aws
