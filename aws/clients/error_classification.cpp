#include "aws/clients/error_classification.h"

#include <array>
#include <optional>
#include <span>

#include "framework/exceptions.h"

namespace orvane::tessel::aws {

namespace {

using Aws::Client::CoreErrors;
using Aws::CostExplorer::CostExplorerErrors;

enum class verdict { authentication_failed, access_denied, data_unavailable, limit_exceeded };

struct rule {
    int error_type;
    verdict result;
};

constexpr int value(CoreErrors error) {
    return static_cast<int>(error);
}
constexpr int value(CostExplorerErrors error) {
    return static_cast<int>(error);
}

// EC2, CloudWatch, ELB and RDS.
constexpr std::array<rule, 6> regional_rules{{
    {value(CoreErrors::INVALID_CLIENT_TOKEN_ID), verdict::authentication_failed},
    {value(CoreErrors::MISSING_AUTHENTICATION_TOKEN), verdict::authentication_failed},
    {value(CoreErrors::ACCESS_DENIED), verdict::access_denied},
    {value(CoreErrors::UNRECOGNIZED_CLIENT), verdict::authentication_failed},
    {value(CoreErrors::INVALID_SIGNATURE), verdict::authentication_failed},
    {value(CoreErrors::INVALID_ACCESS_KEY_ID), verdict::authentication_failed},
}};

// Cost Explorer: its two service errors, and neither an invalid token id nor an invalid key id.
constexpr std::array<rule, 6> cost_explorer_rules{{
    {value(CoreErrors::MISSING_AUTHENTICATION_TOKEN), verdict::authentication_failed},
    {value(CoreErrors::ACCESS_DENIED), verdict::access_denied},
    {value(CoreErrors::UNRECOGNIZED_CLIENT), verdict::authentication_failed},
    {value(CoreErrors::INVALID_SIGNATURE), verdict::authentication_failed},
    {value(CostExplorerErrors::DATA_UNAVAILABLE), verdict::data_unavailable},
    {value(CostExplorerErrors::LIMIT_EXCEEDED), verdict::limit_exceeded},
}};

std::exception_ptr exception_for(verdict result, const std::string& message) {
    switch (result) {
        case verdict::authentication_failed:
            return std::make_exception_ptr(exceptions::authentication_failed(message));
        case verdict::access_denied:
            return std::make_exception_ptr(exceptions::access_denied(message));
        case verdict::data_unavailable:
            return std::make_exception_ptr(exceptions::data_unavailable());
        case verdict::limit_exceeded:
            return std::make_exception_ptr(exceptions::limit_exceeded());
    }
    return nullptr;
}

// What of an AWS text reaches a message: without our secrets, and short. A proxy's error page or a
// body that echoes a whole request would otherwise become a message of any size.
std::string shown(std::string text, const secret_redactor& redactor, std::size_t limit) {
    text = redactor.redact(std::move(text));
    if (text.size() > limit) {
        text.resize(limit);
        text.append("\xE2\x80\xA6");  // …; a sequence cut in two becomes U+FFFD on the way out
    }
    return text;
}

template <class Errors>
std::exception_ptr classify(const Aws::Client::AWSError<Errors>& error, const logger_ptr& logger,
                            const secret_redactor& redactor, std::string_view prefix,
                            std::span<const rule> rules) {
    const std::string message = shown(error.GetMessage(), redactor, 1024);
    trace(logger, std::string(prefix) + message);
    const int type = static_cast<int>(error.GetErrorType());
    for (const auto& candidate : rules) {
        if (candidate.error_type == type) {
            return exception_for(candidate.result, message);
        }
    }
    return translate_other_error(shown(error.GetExceptionName(), redactor, 128), message);
}

}  // namespace

std::exception_ptr translate_other_error(const std::string& exception_name, const std::string& message) {
    if (exception_name.find("UnauthorizedOperation") != std::string::npos) {
        return std::make_exception_ptr(exceptions::unauthorized_operation(message));
    }
    return std::make_exception_ptr(libi18n::error_generic(exception_name + ": " + message));
}

std::exception_ptr translate_ec2_error(const Aws::Client::AWSError<Aws::EC2::EC2Errors>& error,
                                       const logger_ptr& logger, const secret_redactor& redactor) {
    return classify(error, logger, redactor, "EC2 error: ", regional_rules);
}

std::exception_ptr translate_cloudwatch_error(
    const Aws::Client::AWSError<Aws::CloudWatch::CloudWatchErrors>& error, const logger_ptr& logger,
    const secret_redactor& redactor) {
    return classify(error, logger, redactor, "CloudWatch error: ", regional_rules);
}

std::exception_ptr translate_elb_error(
    const Aws::Client::AWSError<Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Errors>& error,
    const logger_ptr& logger, const secret_redactor& redactor) {
    return classify(error, logger, redactor, "ELB error: ", regional_rules);
}

std::exception_ptr translate_rds_error(const Aws::Client::AWSError<Aws::RDS::RDSErrors>& error,
                                       const logger_ptr& logger, const secret_redactor& redactor) {
    return classify(error, logger, redactor, "RDS error: ", regional_rules);
}

std::exception_ptr translate_cost_explorer_error(
    const Aws::Client::AWSError<Aws::CostExplorer::CostExplorerErrors>& error, const logger_ptr& logger,
    const secret_redactor& redactor) {
    return classify(error, logger, redactor, "CostExplorer error: ", cost_explorer_rules);
}

}  // namespace orvane::tessel::aws
