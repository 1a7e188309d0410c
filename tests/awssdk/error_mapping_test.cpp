#include "core/error_marshaller.h"

#include <aws/ce/CostExplorerErrors.h>
#include <aws/ec2/EC2Errors.h>
#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Errors.h>
#include <aws/monitoring/CloudWatchErrors.h>
#include <aws/rds/RDSErrors.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using Aws::Client::CoreErrors;
using Aws::Internal::BuildError;
using Aws::Internal::HttpResponse;
using Aws::Internal::ServiceErrorLookup;
using Aws::Internal::WireProtocol;

// The official SDK's numbers that the table below does not reach.
static_assert(static_cast<int>(Aws::CloudWatch::CloudWatchErrors::MISSING_REQUIRED_PARAMETER) == 137);
static_assert(static_cast<int>(
                  Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Errors::ALLOCATION_ID_NOT_FOUND) == 129);
static_assert(static_cast<int>(CoreErrors::NETWORK_CONNECTION) == 99);

struct ErrorCase {
    const char* name;
    WireProtocol protocol;
    ServiceErrorLookup lookup;
    long status;
    std::string body;
    const char* errorTypeHeader;  // x-amzn-ErrorType, or null
    int type;
    const char* exceptionName;
    const char* message;
    bool retryable;
    const char* requestId;
};

class ErrorMapping : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorMapping, ClassifiesAsTheSdk) {
    const ErrorCase& c = GetParam();
    HttpResponse response;
    response.status = c.status;
    response.body = c.body;
    response.remoteIp = "127.0.0.1";
    response.headers["x-amzn-requestid"] = "hdr-id";
    if (c.errorTypeHeader != nullptr) {
        response.headers["x-amzn-errortype"] = c.errorTypeHeader;
    }
    const auto error = BuildError(response, c.protocol, c.lookup);
    EXPECT_EQ(static_cast<int>(error.GetErrorType()), c.type);
    EXPECT_EQ(error.GetExceptionName(), c.exceptionName);
    EXPECT_EQ(error.GetMessage(), c.message);
    EXPECT_EQ(error.ShouldRetry(), c.retryable);
    EXPECT_EQ(static_cast<long>(error.GetResponseCode()), c.status);
    EXPECT_EQ(error.GetRequestId(), c.requestId);
    EXPECT_EQ(error.GetRemoteHostIpAddress(), "127.0.0.1");
}

constexpr ServiceErrorLookup kEc2 = &Aws::EC2::EC2ErrorMapper::GetErrorForName;
constexpr ServiceErrorLookup kCw = &Aws::CloudWatch::CloudWatchErrorMapper::GetErrorForName;
constexpr ServiceErrorLookup kElb =
    &Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2ErrorMapper::GetErrorForName;
constexpr ServiceErrorLookup kRds = &Aws::RDS::RDSErrorMapper::GetErrorForName;
constexpr ServiceErrorLookup kCe = &Aws::CostExplorer::CostExplorerErrorMapper::GetErrorForName;
constexpr auto kXml = WireProtocol::Xml;
constexpr auto kJson = WireProtocol::Json;

std::string Ec2Error(const char* code, const char* message) {
    return std::string("<Response><Errors><Error><Code>") + code + "</Code><Message>" + message +
           "</Message></Error></Errors><RequestID>ec2-req</RequestID></Response>";
}

// The Query dialect, namespaced, with blanks around the code.
std::string QueryError(const char* code, const char* message) {
    return std::string(
               "<ErrorResponse xmlns=\"http://monitoring.amazonaws.com/doc/2010-08-01/\"><Error>"
               "<Type>Sender</Type><Code> ") +
           code + " </Code><Message>" + message +
           "</Message></Error><RequestId>q-req</RequestId></ErrorResponse>";
}

constexpr int kElbNotFound =
    static_cast<int>(Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Errors::LOAD_BALANCER_NOT_FOUND);
constexpr int kRdsNotFound = static_cast<int>(Aws::RDS::RDSErrors::D_B_INSTANCE_NOT_FOUND_FAULT);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Dialects, ErrorMapping, ::testing::Values(
    ErrorCase{"ec2_auth_failure_is_unmapped", kXml, kEc2, 401, Ec2Error("AuthFailure", "not valid"), nullptr, 100,
              "AuthFailure", "Unable to parse ExceptionName: AuthFailure Message: not valid", false, "ec2-req"},
    ErrorCase{"ec2_volume_not_found", kXml, kEc2, 400, Ec2Error("InvalidVolume.NotFound", "gone"), nullptr, 245,
              "InvalidVolume.NotFound", "gone", false, "ec2-req"},
    ErrorCase{"ec2_throttling_code_is_not_retried", kXml, kEc2, 503, Ec2Error("RequestLimitExceeded", "limit"), nullptr,
              100, "RequestLimitExceeded", "Unable to parse ExceptionName: RequestLimitExceeded Message: limit", false,
              "ec2-req"},
    ErrorCase{"ec2_core_parameter_error", kXml, kEc2, 400, Ec2Error("InvalidParameterValue", "bad"), nullptr, 6,
              "InvalidParameterValue", "bad", false, "ec2-req"},
    ErrorCase{"query_throttling_is_retried", kXml, kCw, 400, QueryError("Throttling", "Rate exceeded"), nullptr, 13,
              "Throttling", "Rate exceeded", true, "q-req"},
    ErrorCase{"cw_resource_not_found_is_service_error", kXml, kCw, 404, QueryError("ResourceNotFound", "none"), nullptr,
              131, "ResourceNotFound", "none", false, "q-req"},
    ErrorCase{"cw_internal_service_error_retried", kXml, kCw, 500, QueryError("InternalServiceError", "oops"), nullptr,
              132, "InternalServiceError", "oops", true, "q-req"},
    ErrorCase{"query_invalid_client_token", kXml, kCw, 403, QueryError("InvalidClientTokenId", "invalid"), nullptr, 3,
              "InvalidClientTokenId", "invalid", false, "q-req"},
    ErrorCase{"elb_load_balancer_not_found", kXml, kElb, 400, QueryError("LoadBalancerNotFound", "lb"), nullptr,
              kElbNotFound, "LoadBalancerNotFound", "lb", false, "q-req"},
    ErrorCase{"rds_db_instance_not_found", kXml, kRds, 404, QueryError("DBInstanceNotFound", "db"), nullptr,
              kRdsNotFound, "DBInstanceNotFound", "db", false, "q-req"},
    ErrorCase{"xml_without_code_uses_status", kXml, kCw, 503, "<html>busy</html>", nullptr, 12, "", "", true, ""},
    ErrorCase{"xml_garbage_uses_status", kXml, kEc2, 500, "<<<", nullptr, 1, "", "", true, ""},
    ErrorCase{"empty_body_5xx_is_unknown_and_retried", kXml, kEc2, 503, "", nullptr, 100, "", "No response body.", true,
              ""},
    ErrorCase{"empty_body_403_is_access_denied", kJson, kCe, 403, "", nullptr, 15, "", "No response body.", false, ""},
    ErrorCase{"ce_limit_exceeded_from_header_is_retried", kJson, kCe, 400, R"({"message":"Rate limit"})",
              "LimitExceededException:http://internal.amazon.com/", 133, "LimitExceededException", "Rate limit", true,
              "hdr-id"},
    ErrorCase{"ce_data_unavailable_from_type", kJson, kCe, 400,
              R"({"__type":"com.amazonaws.ce#DataUnavailableException","Message":"Data is not available"})", nullptr,
              130, "DataUnavailableException", "Data is not available", false, "hdr-id"},
    ErrorCase{"ce_unknown_name_kept_raw", kJson, kCe, 400, R"({"__type":"com.amazonaws.ce#BrandNewException","message":"m"})",
              nullptr, 100, "com.amazonaws.ce#BrandNewException",
              "Unable to parse ExceptionName: com.amazonaws.ce#BrandNewException Message: m", false, "hdr-id"},
    ErrorCase{"ce_core_throttling", kJson, kCe, 400, R"({"__type":"aws.protocol#ThrottlingException"})", nullptr, 13,
              "ThrottlingException", "", true, "hdr-id"},
    ErrorCase{"ce_core_access_denied", kJson, kCe, 403, "{}", "AccessDeniedException:http://x", 15,
              "AccessDeniedException", "", false, "hdr-id"},
    ErrorCase{"ce_no_name_uses_status", kJson, kCe, 404, R"({"message":"gone"})", nullptr, 16, "", "gone", false,
              "hdr-id"},
    ErrorCase{"ce_invalid_json", kJson, kCe, 502, "<html>", nullptr, 100, "", "Failed to parse error payload: <html>",
              true, "hdr-id"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });
// clang-format on

TEST(CoreErrorsMapper, HttpStatusTable) {
    struct Case {
        int status;
        int type;
        bool retry;
    };
    for (const Case& c :
         {Case{401, 15, false}, Case{403, 15, false}, Case{404, 16, false}, Case{429, 19, true},
          Case{500, 1, true}, Case{509, 13, true}, Case{503, 12, true}, Case{408, 24, true},
          Case{419, 24, true}, Case{440, 24, true}, Case{504, 24, true}, Case{598, 24, true},
          Case{599, 24, true}, Case{501, 100, true}, Case{400, 100, false}, Case{302, 100, false}}) {
        const auto error = Aws::Client::CoreErrorsMapper::GetErrorForHttpResponseCode(
            static_cast<Aws::Http::HttpResponseCode>(c.status));
        EXPECT_EQ(static_cast<int>(error.GetErrorType()), c.type) << c.status;
        EXPECT_EQ(error.ShouldRetry(), c.retry) << c.status;
    }
}

}  // namespace
