#pragma once

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/monitoring/CloudWatchServiceClientModel.h>

#include <memory>

namespace Aws {
namespace Internal {
class ClientCore;
}  // namespace Internal

namespace CloudWatch {

// Safe for concurrent requests from many threads. Construction makes no network call and
// opens no connection; connections come from the process-wide pool started by InitAPI.
class CloudWatchClient {
public:
    static const char* GetServiceName();
    static const char* GetAllocationTag();

    CloudWatchClient(
        const Aws::Auth::AWSCredentials& credentials,
        const Aws::Client::ClientConfiguration& clientConfiguration = Aws::Client::ClientConfiguration());
    virtual ~CloudWatchClient();
    CloudWatchClient(const CloudWatchClient&) = delete;
    CloudWatchClient& operator=(const CloudWatchClient&) = delete;

    virtual Model::GetMetricStatisticsOutcome GetMetricStatistics(
        const Model::GetMetricStatisticsRequest& request = {}) const;
    virtual Model::ListMetricsOutcome ListMetrics(const Model::ListMetricsRequest& request = {}) const;
    virtual Model::DescribeAlarmsOutcome DescribeAlarms(
        const Model::DescribeAlarmsRequest& request = {}) const;

private:
    std::shared_ptr<const Aws::Internal::ClientCore> m_core;
};

}  // namespace CloudWatch
}  // namespace Aws
