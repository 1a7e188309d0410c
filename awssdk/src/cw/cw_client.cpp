#include <aws/monitoring/CloudWatchClient.h>

#include "core/service_client.h"
#include "core/xml_operation.h"
#include "cw/cw_unmarshal.h"

namespace Aws {
namespace CloudWatch {
namespace {

const Aws::Internal::ServiceTraits kService{{"monitoring", "monitoring", "CLOUDWATCH", "MONITORING", false},
                                            "2010-08-01",
                                            "CloudWatch",
                                            Aws::Internal::WireProtocol::Xml,
                                            &CloudWatchErrorMapper::GetErrorForName,
                                            nullptr};

}  // namespace

const char* CloudWatchClient::GetServiceName() {
    return "monitoring";
}
const char* CloudWatchClient::GetAllocationTag() {
    return "CloudWatchClient";
}

CloudWatchClient::CloudWatchClient(const Aws::Auth::AWSCredentials& credentials,
                                   const Aws::Client::ClientConfiguration& clientConfiguration)
    : m_core(std::make_shared<const Aws::Internal::ClientCore>(kService, credentials, clientConfiguration)) {}

CloudWatchClient::~CloudWatchClient() = default;

Model::GetMetricStatisticsOutcome CloudWatchClient::GetMetricStatistics(
    const Model::GetMetricStatisticsRequest& request) const {
    return Aws::Internal::XmlOperation<Model::GetMetricStatisticsResult, CloudWatchError>(
        *m_core, request, true, &Model::UnmarshalGetMetricStatisticsResult);
}

Model::ListMetricsOutcome CloudWatchClient::ListMetrics(const Model::ListMetricsRequest& request) const {
    return Aws::Internal::XmlOperation<Model::ListMetricsResult, CloudWatchError>(
        *m_core, request, true, &Model::UnmarshalListMetricsResult);
}

Model::DescribeAlarmsOutcome CloudWatchClient::DescribeAlarms(
    const Model::DescribeAlarmsRequest& request) const {
    return Aws::Internal::XmlOperation<Model::DescribeAlarmsResult, CloudWatchError>(
        *m_core, request, true, &Model::UnmarshalDescribeAlarmsResult);
}

}  // namespace CloudWatch
}  // namespace Aws
