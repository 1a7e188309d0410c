#include "core/endpoint.h"
#include "core/enum_table.h"
#include "core/profile_config.h"
#include "core/string_utils.h"
#include "test_support.h"

#include <aws/core/client/ClientConfiguration.h>
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/platform/Environment.h>
#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/DefaultLogSystem.h>
#include <aws/core/utils/logging/LogMacros.h>
#include <aws/ec2/model/InstanceStateName.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using Aws::Utils::DateFormat;
using Aws::Utils::DateTime;
using awssdk_test::ScopedEnv;

struct ParseCase {
    const char* text;
    DateFormat format;
    bool ok;
    int64_t millis;
};

TEST(DateTimeParsing, AcceptsWireFormatsAndRejectsTheRest) {
    const std::string tooLong(101, '1');
    for (const ParseCase& c : {
             ParseCase{"2024-05-01T10:20:30Z", DateFormat::ISO_8601, true, 1714558830000},
             ParseCase{"2024-05-01T10:20:30.123Z", DateFormat::ISO_8601, true, 1714558830123},
             ParseCase{"2024-05-01T10:20:30.123456789Z", DateFormat::ISO_8601, true, 1714558830123},
             ParseCase{"2024-05-01T10:20:30+00:00", DateFormat::ISO_8601, true, 1714558830000},
             ParseCase{"2024-05-01T10:20:30.12Z", DateFormat::ISO_8601, false, 0},
             ParseCase{"2024-05-01T10:20:30", DateFormat::ISO_8601, false, 0},
             ParseCase{"2024-13-01T10:20:30Z", DateFormat::ISO_8601, false, 0},
             ParseCase{"20240501T102030Z", DateFormat::ISO_8601_BASIC, true, 1714558830000},
             ParseCase{"Wed, 01 May 2024 10:20:30 GMT", DateFormat::RFC822, true, 1714558830000},
             ParseCase{"Wed, 01 May 2024 10:20:30 GMT", DateFormat::AutoDetect, true, 1714558830000},
             ParseCase{"2024-05-01T10:20:30Z", DateFormat::AutoDetect, true, 1714558830000},
             ParseCase{"20240501T102030Z", DateFormat::AutoDetect, true, 1714558830000},
             ParseCase{"1900-03-01T00:00:00Z", DateFormat::ISO_8601, true, -2203891200000},
             // Dates so far out that arithmetic with them could overflow the clock are unreadable.
             ParseCase{"Mon, 15 Jan 0798 08:00:00 GMT", DateFormat::AutoDetect, false, 0},
             ParseCase{"1823-01-01T00:00:00Z", DateFormat::ISO_8601, false, 0},
             ParseCase{"2116-01-01T00:00:00Z", DateFormat::ISO_8601, true, 4607280000000},
             ParseCase{"2117-01-01T00:00:00Z", DateFormat::ISO_8601, false, 0},
             ParseCase{"", DateFormat::AutoDetect, false, 0},
             ParseCase{tooLong.c_str(), DateFormat::AutoDetect, false, 0},
         }) {
        const DateTime parsed(c.text, c.format);
        EXPECT_EQ(parsed.WasParseSuccessful(), c.ok) << c.text;
        EXPECT_EQ(c.ok ? parsed.Millis() : 0, c.millis) << c.text;
    }
}

TEST(DateTimeFormatting, GmtAndLocalKeepTheOfficialShapes) {
    const ScopedEnv tz("TZ", "UTC-2");
    tzset();
    const DateTime t(int64_t{1714558830123});
    EXPECT_EQ(t.ToGmtString(DateFormat::ISO_8601), "2024-05-01T10:20:30Z");
    EXPECT_EQ(t.ToGmtString(DateFormat::ISO_8601_BASIC), "20240501T102030Z");
    EXPECT_EQ(t.ToGmtString(DateFormat::RFC822), "Wed, 01 May 2024 10:20:30 GMT");
    EXPECT_EQ(t.ToGmtStringWithMs(), "2024-05-01T10:20:30.123");
    EXPECT_EQ(t.ToLocalTimeString(DateFormat::ISO_8601), "2024-05-01T12:20:30Z");  // the literal Z stays
    EXPECT_EQ((t + std::chrono::milliseconds(877)).Millis(), 1714558831000);
    EXPECT_EQ(DateTime::Diff(t, t - std::chrono::minutes(4)), std::chrono::minutes(4));
    tzset();
}

TEST(RetryStrategy, DefaultDelaysAndBudget) {
    const Aws::Client::DefaultRetryStrategy strategy;
    const Aws::Client::AWSError<Aws::Client::CoreErrors> retryable(Aws::Client::CoreErrors::THROTTLING, true);
    const Aws::Client::AWSError<Aws::Client::CoreErrors> fatal(Aws::Client::CoreErrors::ACCESS_DENIED, false);
    const long expected[] = {0, 50, 100, 200, 400, 800, 1600, 3200, 6400, 12800};
    for (long n = 0; n < 10; ++n) {
        EXPECT_EQ(strategy.CalculateDelayBeforeNextRetry(retryable, n), expected[n]) << n;
        EXPECT_TRUE(strategy.ShouldRetry(retryable, n)) << n;
        EXPECT_FALSE(strategy.ShouldRetry(fatal, n)) << n;
    }
    EXPECT_FALSE(strategy.ShouldRetry(retryable, 10));
    EXPECT_EQ(strategy.GetMaxAttempts(), 11);
    EXPECT_EQ(Aws::Client::DefaultRetryStrategy(3, 1).CalculateDelayBeforeNextRetry(retryable, 2), 4);
}

class ConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override { Aws::Internal::ResetProfileCache(); }
    void TearDown() override { Aws::Internal::ResetProfileCache(); }

    ScopedEnv m_region{"AWS_REGION", std::nullopt};
    ScopedEnv m_defaultRegion{"AWS_DEFAULT_REGION", std::nullopt};
    ScopedEnv m_profile{"AWS_PROFILE", std::nullopt};
    ScopedEnv m_defaultProfile{"AWS_DEFAULT_PROFILE", std::nullopt};
    ScopedEnv m_configFile{"AWS_CONFIG_FILE", "/nonexistent/awssdk-config"};
};

TEST_F(ConfigurationTest, OfficialDefaults) {
    const Aws::Client::ClientConfiguration c(Aws::Client::ClientConfigurationInitValues{true});
    EXPECT_EQ(std::tie(c.region, c.profileName), std::make_tuple("us-east-1", "default"));
    EXPECT_EQ(std::make_tuple(c.maxConnections, c.requestTimeoutMs, c.connectTimeoutMs,
                              c.httpRequestTimeoutMs, c.tcpKeepAliveIntervalMs),
              std::make_tuple(25U, 3000L, 1000L, 0L, 30000UL));
    EXPECT_EQ(std::make_tuple(c.enableTcpKeepAlive, c.verifySSL, c.enableClockSkewAdjustment, c.disableIMDS),
              std::make_tuple(true, true, true, true));
    EXPECT_TRUE(c.scheme == Aws::Http::Scheme::HTTPS &&
                c.followRedirects == Aws::Client::FollowRedirectsPolicy::DEFAULT);
    ASSERT_NE(c.retryStrategy, nullptr);
    EXPECT_EQ(c.retryStrategy->GetMaxAttempts(), 11);
    EXPECT_FALSE(Aws::Client::ClientConfiguration().disableIMDS);
}

TEST_F(ConfigurationTest, RegionPrecedence) {
    const std::string path = ::testing::TempDir() + "awssdk_config_region";
    std::ofstream(path) << "# comment\n[default]\nregion = eu-west-1\n[profile other]\nregion=ap-south-1\n"
                           "[profile empty]\noutput = json\n";
    const ScopedEnv file("AWS_CONFIG_FILE", path);
    EXPECT_EQ(Aws::Client::ClientConfiguration().region, "eu-west-1");
    // A named profile without a region keeps the default profile's.
    const Aws::Client::ClientConfiguration empty("empty", true);
    EXPECT_EQ(empty.region, "eu-west-1");
    EXPECT_EQ(empty.profileName, "empty");
    EXPECT_TRUE(empty.disableIMDS);
    {
        const ScopedEnv profile("AWS_PROFILE", "other");
        EXPECT_EQ(Aws::Client::ClientConfiguration().region, "ap-south-1");
    }
    const ScopedEnv region("AWS_REGION", "us-west-2");
    EXPECT_EQ(Aws::Client::ClientConfiguration().region, "us-west-2");
    const ScopedEnv defaultRegion("AWS_DEFAULT_REGION", "ca-central-1");
    EXPECT_EQ(Aws::Client::ClientConfiguration().region, "ca-central-1");
    EXPECT_EQ(Aws::Client::ClientConfiguration("other").region, "ap-south-1");
}

struct EndpointCase {
    const char* name;
    const Aws::Internal::ServiceNames* service;
    const char* region;
    const char* envName;
    const char* envValue;
    const char* url;
    const char* authority;
    const char* signingRegion;
};

const Aws::Internal::ServiceNames kEc2{"ec2", "ec2", "EC2", "EC2", false};
const Aws::Internal::ServiceNames kCw{"monitoring", "monitoring", "CLOUDWATCH", "MONITORING", false};
const Aws::Internal::ServiceNames kElb{"elasticloadbalancing", "elasticloadbalancing",
                                       "ELASTIC_LOAD_BALANCING_V2", "ELASTICLOADBALANCING", false};
const Aws::Internal::ServiceNames kCe{"ce", "ce", "COST_EXPLORER", "CE", true};

class EndpointResolution : public ::testing::TestWithParam<EndpointCase> {};

TEST_P(EndpointResolution, ResolvesUrlAndSigningRegion) {
    const EndpointCase& c = GetParam();
    const ScopedEnv global("AWS_ENDPOINT_URL", std::nullopt);
    const ScopedEnv ignore("AWS_IGNORE_CONFIGURED_ENDPOINT_URLS", std::nullopt);
    const ScopedEnv env(c.envName != nullptr ? c.envName : "AWSSDK_TEST_UNUSED",
                        c.envValue != nullptr ? std::optional<std::string>(c.envValue) : std::nullopt);
    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.region = c.region;
    const auto endpoint = Aws::Internal::ResolveEndpoint(*c.service, config);
    EXPECT_EQ(endpoint.url, c.url);
    EXPECT_EQ(endpoint.authority, c.authority);
    EXPECT_EQ(endpoint.signingRegion, c.signingRegion);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Partitions, EndpointResolution, ::testing::Values(
    EndpointCase{"ec2_regional", &kEc2, "eu-west-1", nullptr, nullptr, "https://ec2.eu-west-1.amazonaws.com/",
                 "ec2.eu-west-1.amazonaws.com", "eu-west-1"},
    EndpointCase{"cw_china", &kCw, "cn-north-1", nullptr, nullptr, "https://monitoring.cn-north-1.amazonaws.com.cn/",
                 "monitoring.cn-north-1.amazonaws.com.cn", "cn-north-1"},
    EndpointCase{"ce_any_aws_region_is_global", &kCe, "eu-central-1", nullptr, nullptr,
                 "https://ce.us-east-1.amazonaws.com/", "ce.us-east-1.amazonaws.com", "us-east-1"},
    EndpointCase{"ce_aws_global", &kCe, "aws-global", nullptr, nullptr, "https://ce.us-east-1.amazonaws.com/",
                 "ce.us-east-1.amazonaws.com", "us-east-1"},
    EndpointCase{"ce_china", &kCe, "cn-north-1", nullptr, nullptr, "https://ce.cn-northwest-1.amazonaws.com.cn/",
                 "ce.cn-northwest-1.amazonaws.com.cn", "cn-northwest-1"},
    EndpointCase{"ce_govcloud", &kCe, "us-gov-west-1", nullptr, nullptr, "https://ce.us-gov-west-1.amazonaws.com/",
                 "ce.us-gov-west-1.amazonaws.com", "us-gov-west-1"},
    EndpointCase{"global_env", &kEc2, "eu-west-1", "AWS_ENDPOINT_URL", "http://127.0.0.1:4566",
                 "http://127.0.0.1:4566/", "127.0.0.1:4566", "eu-west-1"},
    EndpointCase{"standard_suffix", &kElb, "us-west-2", "AWS_ENDPOINT_URL_ELASTIC_LOAD_BALANCING_V2",
                 "http://localhost:1/x", "http://localhost:1/x", "localhost:1", "us-west-2"},
    EndpointCase{"prefix_suffix", &kCw, "us-west-2", "AWS_ENDPOINT_URL_MONITORING", "https://cw.test:443",
                 "https://cw.test/", "cw.test", "us-west-2"},
    EndpointCase{"ce_override_signs_configured_region", &kCe, "aws-global", "AWS_ENDPOINT_URL_CE",
                 "http://127.0.0.1:9", "http://127.0.0.1:9/", "127.0.0.1:9", "us-east-1"},
    EndpointCase{"fips_region_signs_plain", &kEc2, "fips-us-east-1", "AWS_ENDPOINT_URL", "http://e:8",
                 "http://e:8/", "e:8", "us-east-1"}),
    [](const ::testing::TestParamInfo<EndpointCase>& info) { return info.param.name; });
// clang-format on

TEST(EndpointOverrides, PrecedenceAndOptOut) {
    const ScopedEnv global("AWS_ENDPOINT_URL", "http://global:1");
    const ScopedEnv service("AWS_ENDPOINT_URL_EC2", "http://service:2");
    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.region = "us-east-1";
    EXPECT_EQ(Aws::Internal::ResolveEndpoint(kEc2, config).authority, "service:2");
    config.endpointOverride = "override:3";
    config.scheme = Aws::Http::Scheme::HTTP;
    EXPECT_EQ(Aws::Internal::ResolveEndpoint(kEc2, config).url, "http://override:3/");
    config.endpointOverride.clear();
    for (const char* value : {"true", "TRUE", "1"}) {
        const ScopedEnv ignore("AWS_IGNORE_CONFIGURED_ENDPOINT_URLS", value);
        EXPECT_EQ(Aws::Internal::ResolveEndpoint(kEc2, config).authority, "ec2.us-east-1.amazonaws.com")
            << value;
    }
}

TEST(SignerRegion, GlobalAndFipsPseudoRegions) {
    for (const auto& [region, signing] :
         std::vector<std::pair<const char*, const char*>>{{"aws-global", "us-east-1"},
                                                          {"fips-aws-global", "us-east-1"},
                                                          {"s3-external-1", "us-east-1"},
                                                          {"fips-us-gov-west-1", "us-gov-west-1"},
                                                          {"us-east-2-fips", "us-east-2"},
                                                          {"eu-west-1", "eu-west-1"},
                                                          {"-fips", "-fips"}}) {
        EXPECT_EQ(Aws::Internal::SignerRegion(region), signing) << region;
    }
}

TEST(UrlEncoding, KeepsOnlyUnreservedCharacters) {
    for (const auto& [raw, encoded] :
         std::vector<std::pair<std::string, const char*>>{{"AZaz09-_.~", "AZaz09-_.~"},
                                                          {"a b", "a%20b"},
                                                          {"a+b", "a%2Bb"},
                                                          {"/:=&?#%", "%2F%3A%3D%26%3F%23%25"},
                                                          {"\xC3\xA9", "%C3%A9"},
                                                          {std::string("\0x", 2), "%00x"}}) {
        EXPECT_EQ(Aws::Internal::UrlEncode(raw), encoded) << raw;
    }
    EXPECT_EQ(Aws::Internal::UrlEncodePath("/a b/c"), "/a%20b/c");
}

// Parsing shows names and unknown texts surviving; here the edges.
TEST(EnumMappers, EmptyAndOutOfRangeValuesAndTheSignedCharHash) {
    namespace EC2 = Aws::EC2::Model;
    namespace Mapper = EC2::InstanceStateNameMapper;
    EXPECT_EQ(Mapper::GetInstanceStateNameForName(""), EC2::InstanceStateName::NOT_SET);
    EXPECT_EQ(Mapper::GetNameForInstanceStateName(EC2::InstanceStateName::NOT_SET), "");
    EXPECT_EQ(Mapper::GetNameForInstanceStateName(static_cast<EC2::InstanceStateName>(424242)), "");
    EXPECT_EQ(Mapper::GetNameForInstanceStateName(Mapper::GetInstanceStateNameForName("Running")), "Running");
    // The official hash works on signed chars.
    EXPECT_EQ(Aws::Internal::HashString("\xC3\xA9"),
              static_cast<int>(static_cast<unsigned>(static_cast<char>('\xA9')) +
                               31U * static_cast<unsigned>(static_cast<char>('\xC3'))));
}

TEST(Logging, DefaultLogSystemLineFormatAndLevels) {
    auto stream = std::make_shared<std::stringstream>();
    auto logger =
        std::make_shared<Aws::Utils::Logging::DefaultLogSystem>(Aws::Utils::Logging::LogLevel::Warn, stream);
    Aws::Utils::Logging::InitializeAWSLogging(logger);
    AWS_LOGSTREAM_WARN("AWSClient", "Request failed, now waiting " << 50 << " ms before attempting again.");
    AWS_LOG_ERROR("Tag", "value %d", 7);
    AWS_LOGSTREAM_DEBUG("AWSClient", "not written");
    logger->Flush();
    Aws::Utils::Logging::ShutdownAWSLogging();
    EXPECT_TRUE(awssdk_test::MatchesShape(stream->str(),
                                          "[WARN] ####-##-## ##:##:##.### AWSClient [+] Request failed, now "
                                          "waiting 50 ms before attempting again.\n"
                                          "[ERROR] ####-##-## ##:##:##.### Tag [+] value 7\n"))
        << stream->str();
    EXPECT_EQ(Aws::Utils::Logging::GetLogSystem(), nullptr);
}

TEST(Logging, ConcurrentWritersLoseNoLine) {
    auto stream = std::make_shared<std::stringstream>();
    Aws::Utils::Logging::DefaultLogSystem logger(Aws::Utils::Logging::LogLevel::Info, stream);
    constexpr int kThreads = 4;
    constexpr int kLines = 500;
    std::vector<std::thread> threads;
    threads.reserve(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&logger, t] {
            for (int i = 0; i < kLines; ++i) {
                logger.Log(Aws::Utils::Logging::LogLevel::Info, "T", "thread %d line %d", t, i);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    logger.Flush();
    const std::string text = stream->str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kThreads * kLines);
    EXPECT_NE(text.find("thread 3 line 499\n"), std::string::npos);
}

TEST(Logging, FilePrefixNamesTheHourlyFile) {
    const std::string prefix = ::testing::TempDir() + "awssdk_log_";
    const std::string expected = prefix + DateTime::Now().ToGmtString("%Y-%m-%d-%H") + ".log";
    std::remove(expected.c_str());
    {
        Aws::Utils::Logging::DefaultLogSystem logger(Aws::Utils::Logging::LogLevel::Trace, prefix);
        logger.Log(Aws::Utils::Logging::LogLevel::Info, "T", "hello");
    }
    std::ifstream in(expected);
    if (!in) {
        GTEST_SKIP() << "hour changed while logging";  // the file is the next hour's then
    }
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find(" T ["), std::string::npos) << content;
    EXPECT_NE(content.find("hello\n"), std::string::npos);
    std::remove(expected.c_str());
}

}  // namespace
