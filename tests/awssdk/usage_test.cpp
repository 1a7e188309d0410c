// Code written the way the module writes it against the official SDK; it must compile and behave here.
#include "test_support.h"

#include <aws/ce/CostExplorerClient.h>
#include <aws/core/Aws.h>
#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/platform/Environment.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/DefaultLogSystem.h>
#include <aws/core/utils/memory/AWSMemory.h>
#include <aws/ec2/EC2Client.h>
#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Client.h>
#include <aws/monitoring/CloudWatchClient.h>
#include <aws/rds/RDSClient.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

Aws::Client::ClientConfiguration RefusedEndpoint() {
    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.region = "eu-west-1";
    config.endpointOverride = "http://127.0.0.1:1";  // nothing listens on port 1
    config.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(0, 1);
    return config;
}

TEST(ModuleUsage, OwningPointersAndErrorChecksCompileAndFailCleanly) {
    const Aws::Auth::AWSCredentials credentials("AKID", "SECRET");
    auto* ec2 = Aws::New<Aws::EC2::EC2Client>("EC2", credentials, RefusedEndpoint());
    Aws::EC2::Model::DescribeVolumesRequest request;
    request.SetVolumeIds({"vol-1"});
    const auto outcome = ec2->DescribeVolumes(request);
    Aws::Delete(ec2);
    ASSERT_FALSE(outcome.IsSuccess());
    EXPECT_NE(outcome.GetError().GetErrorType(), Aws::EC2::EC2Errors::INVALID_VOLUME__NOT_FOUND);
    EXPECT_EQ(outcome.GetError().GetErrorType(), Aws::EC2::EC2Errors::NETWORK_CONNECTION);
    EXPECT_EQ(outcome.GetError().GetMessage().rfind("curlCode: 7, ", 0), 0U)
        << outcome.GetError().GetMessage();
    EXPECT_EQ(static_cast<int>(outcome.GetError().GetResponseCode()), -1);

    const auto cw = std::make_unique<Aws::CloudWatch::CloudWatchClient>(credentials, RefusedEndpoint());
    Aws::CloudWatch::Model::GetMetricStatisticsRequest statistics;
    statistics.SetNamespace("AWS/EC2");
    statistics.SetMetricName("CPUUtilization");
    statistics.SetDimensions({Aws::CloudWatch::Model::Dimension().WithName("InstanceId").WithValue("i-1")});
    statistics.SetStatistics({Aws::CloudWatch::Model::Statistic::Average});
    statistics.SetPeriod(300);
    const auto now = Aws::Utils::DateTime::Now();
    statistics.SetStartTime(now - std::chrono::seconds(600));
    statistics.SetEndTime(now);
    const auto failed = cw->GetMetricStatistics(statistics);
    ASSERT_FALSE(failed.IsSuccess());
    EXPECT_EQ(failed.GetError().GetErrorType(), Aws::CloudWatch::CloudWatchErrors::NETWORK_CONNECTION);
    EXPECT_EQ(static_cast<int>(failed.GetError().GetErrorType()), 99);

    const auto ce = std::make_unique<Aws::CostExplorer::CostExplorerClient>(credentials, RefusedEndpoint());
    Aws::CostExplorer::Model::GetCostForecastRequest forecast;
    forecast.SetTimePeriod(
        Aws::CostExplorer::Model::DateInterval().WithStart("2025-01-31").WithEnd("2025-12-31"));
    forecast.SetMetric(Aws::CostExplorer::Model::Metric::AMORTIZED_COST);
    forecast.SetGranularity(Aws::CostExplorer::Model::Granularity::MONTHLY);
    EXPECT_FALSE(ce->GetCostForecast(forecast).IsSuccess());
    EXPECT_NE(forecast.SerializePayload().find("\"Metric\":\t\"AMORTIZED_COST\""), std::string::npos);

    Aws::ElasticLoadBalancingv2::Model::DescribeLoadBalancersRequest page;
    page.SetPageSize(1);
    EXPECT_FALSE(Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Client(credentials, RefusedEndpoint())
                     .DescribeLoadBalancers(page)
                     .IsSuccess());
    EXPECT_FALSE(Aws::RDS::RDSClient(credentials, RefusedEndpoint()).DescribeDBInstances({}).IsSuccess());
}

TEST(ModuleUsage, VerboseLoggingInstallsTheDefaultLogSystem) {
    Aws::SDKOptions options;
    EXPECT_EQ(options.loggingOptions.logLevel, Aws::Utils::Logging::LogLevel::Off);
    EXPECT_STREQ(options.loggingOptions.defaultLogPrefix, "aws_sdk_");
    EXPECT_STREQ(Aws::DEFAULT_LOG_PREFIX, "aws_sdk_");
    EXPECT_TRUE(options.httpOptions.initAndCleanupCurl);
    EXPECT_FALSE(options.httpOptions.installSigPipeHandler);
    EXPECT_TRUE(options.cryptoOptions.initAndCleanupOpenSSL);
    const std::string prefix = ::testing::TempDir() + "awssdk_usage_";
    options.loggingOptions.logLevel = Aws::Utils::Logging::LogLevel::Trace;
    Aws::Utils::Logging::InitializeAWSLogging(Aws::MakeShared<Aws::Utils::Logging::DefaultLogSystem>(
        "AWS", Aws::Utils::Logging::LogLevel::Trace, prefix));
    EXPECT_NE(Aws::Utils::Logging::GetLogSystem(), nullptr);
    EXPECT_EQ(Aws::Utils::Logging::GetLogSystem()->GetLogLevel(), Aws::Utils::Logging::LogLevel::Trace);
    Aws::Utils::Logging::ShutdownAWSLogging();
    EXPECT_EQ(Aws::Utils::Logging::GetLogSystem(), nullptr);
    EXPECT_EQ(Aws::Environment::GetEnv("AWSSDK_TEST_NEVER_SET_VARIABLE"), "");
}

}  // namespace
