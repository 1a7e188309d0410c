#include "core/transport.h"
#include "core/signer.h"
#include "loopback_server.h"
#include "test_support.h"

#include <aws/ce/CostExplorerClient.h>
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/DefaultLogSystem.h>
#include <aws/ec2/EC2Client.h>
#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Client.h>
#include <aws/monitoring/CloudWatchClient.h>
#include <aws/rds/RDSClient.h>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;  // NOLINT(readability-redundant-declaration)

namespace {

using awssdk_test::LoopbackServer;
using awssdk_test::ScopedEnv;
using awssdk_test::SeenRequest;

constexpr const char* kAccessKey = "AKIDTESTKEY";
constexpr const char* kSecretKey = "s3cr3t/Key+Value";

const char* kRegionsBody =
    "<DescribeRegionsResponse xmlns=\"http://ec2.amazonaws.com/doc/2016-11-15/\"><regionInfo><item>"
    "<regionName>eu-west-1</regionName></item></regionInfo></DescribeRegionsResponse>";

Aws::Client::ClientConfiguration LoopbackConfig(const LoopbackServer& server, long maxRetries = 3) {
    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.region = "us-east-1";
    config.endpointOverride = server.Url();
    config.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(maxRetries, 1);
    return config;
}

Aws::Auth::AWSCredentials Credentials() {
    return Aws::Auth::AWSCredentials(kAccessKey, kSecretKey);
}

void Xml(httplib::Response& res, const std::string& body, int status = 200) {
    res.status = status;
    res.set_content(body, "text/xml");
}

TEST(WireRequest, QueryServiceHeadersAndSignature) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    const Aws::EC2::EC2Client client(Credentials(), LoopbackConfig(server));
    const auto outcome = client.DescribeRegions(Aws::EC2::Model::DescribeRegionsRequest());
    ASSERT_TRUE(outcome.IsSuccess()) << outcome.GetError().GetMessage();
    ASSERT_EQ(outcome.GetResult().GetRegions().size(), 1U);

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1U);
    const SeenRequest& r = requests[0];
    EXPECT_EQ(r.path, "/");
    EXPECT_EQ(r.body, "Action=DescribeRegions&Version=2016-11-15");
    EXPECT_EQ(r.Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(r.Header("Content-Length"), std::to_string(r.body.size()));
    EXPECT_EQ(r.Header("x-amz-api-version"), "2016-11-15");
    EXPECT_EQ(r.Header("Host"), "127.0.0.1:" + std::to_string(server.Port()));
    EXPECT_EQ(r.Header("x-amz-content-sha256"), Aws::Internal::HexSha256(r.body));
    EXPECT_EQ(r.Header("amz-sdk-request"), "attempt=1");
    const std::string id = r.Header("amz-sdk-invocation-id");
    EXPECT_TRUE(awssdk_test::MatchesShape(id, "HHHHHHHH-HHHH-4HHH-HHHH-HHHHHHHHHHHH")) << id;
    EXPECT_NE(std::string_view("89AB").find(id.at(19)), std::string_view::npos) << id;
    EXPECT_EQ(r.Header("x-amz-security-token"), "");
    EXPECT_EQ(r.Header("User-Agent").rfind("aws-sdk-cpp/", 0), 0U);
    EXPECT_NE(r.Header("User-Agent").find(" api/EC2 "), std::string::npos);
    const std::string date = r.Header("x-amz-date");
    ASSERT_TRUE(awssdk_test::MatchesShape(date, "########T######Z")) << date;

    // The signature must verify with the secret over the headers the server received.
    Aws::Internal::SigningRequest toVerify;
    toVerify.method = "POST";
    toVerify.path = "/";
    const std::vector<std::string> signedNames = {
        "amz-sdk-invocation-id", "amz-sdk-request",      "content-length", "content-type", "host",
        "x-amz-api-version",     "x-amz-content-sha256", "x-amz-date"};
    std::vector<std::string> values;
    values.reserve(signedNames.size());
    for (const auto& name : signedNames) {
        values.push_back(r.Header(name));
    }
    for (size_t i = 0; i < signedNames.size(); ++i) {
        toVerify.headers.emplace_back(signedNames[i], values[i]);
    }
    const std::string hash = Aws::Internal::HexSha256(r.body);
    toVerify.payloadHash = hash;
    const auto expected = Aws::Internal::Sign(toVerify, {date, "us-east-1", "ec2"}, kAccessKey, kSecretKey);
    EXPECT_EQ(r.Header("Authorization"), expected.authorization);
    EXPECT_NE(r.Header("Authorization")
                  .find("SignedHeaders=amz-sdk-invocation-id;amz-sdk-request;content-length;"
                        "content-type;host;x-amz-api-version;x-amz-content-sha256;x-amz-date,"),
              std::string::npos);
}

TEST(WireRequest, EachServiceSignsWithItsOwnScope) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, ""); });
    const auto config = LoopbackConfig(server);
    const Aws::Auth::AWSCredentials withToken(kAccessKey, kSecretKey, "session-token");
    EXPECT_TRUE(Aws::CloudWatch::CloudWatchClient(withToken, config).ListMetrics().IsSuccess());
    EXPECT_TRUE(Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Client(withToken, config)
                    .DescribeLoadBalancers()
                    .IsSuccess());
    EXPECT_TRUE(Aws::RDS::RDSClient(withToken, config).DescribeDBInstances().IsSuccess());
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3U);
    const char* scopes[] = {"/us-east-1/monitoring/aws4_request",
                            "/us-east-1/elasticloadbalancing/aws4_request", "/us-east-1/rds/aws4_request"};
    const char* versions[] = {"2010-08-01", "2015-12-01", "2014-10-31"};
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_NE(requests[i].Header("Authorization").find(scopes[i]), std::string::npos) << i;
        EXPECT_NE(requests[i].Header("Authorization").find("x-amz-date;x-amz-security-token,"),
                  std::string::npos);
        EXPECT_EQ(requests[i].Header("x-amz-security-token"), "session-token");
        EXPECT_EQ(requests[i].Header("x-amz-api-version"), versions[i]);
    }
}

TEST(WireRequest, CostExplorerJsonTargetAndPayload) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) {
        res.set_content(R"({"ResultsByTime":[{"Total":{"BlendedCost":{"Amount":"1.5","Unit":"USD"}}}]})",
                        "application/x-amz-json-1.1");
    });
    auto config = LoopbackConfig(server);
    config.region = "aws-global";
    const Aws::CostExplorer::CostExplorerClient client(Credentials(), config);
    Aws::CostExplorer::Model::GetCostAndUsageRequest request;
    request.SetTimePeriod(
        Aws::CostExplorer::Model::DateInterval().WithStart("2024-05-01").WithEnd("2024-06-01"));
    request.SetGranularity(Aws::CostExplorer::Model::Granularity::MONTHLY);
    request.SetMetrics({"BlendedCost"});
    const auto outcome = client.GetCostAndUsage(request);
    ASSERT_TRUE(outcome.IsSuccess()) << outcome.GetError().GetMessage();
    EXPECT_EQ(outcome.GetResult().GetResultsByTime()[0].GetTotal().at("BlendedCost").GetAmount(), "1.5");
    const auto r = server.Requests().at(0);
    EXPECT_EQ(r.body, request.SerializePayload());
    EXPECT_EQ(r.Header("Content-Type"), "application/x-amz-json-1.1");
    EXPECT_EQ(r.Header("X-Amz-Target"), "AWSInsightsIndexService.GetCostAndUsage");
    EXPECT_EQ(r.Header("x-amz-api-version"), "2017-10-25");
    EXPECT_NE(r.Header("Authorization")
                  .find("/us-east-1/ce/aws4_request, SignedHeaders=amz-sdk-invocation-id;"
                        "amz-sdk-request;content-length;content-type;host;x-amz-api-version;"
                        "x-amz-content-sha256;x-amz-date;x-amz-target,"),
              std::string::npos);
}

TEST(WireRequest, EmptyCredentialsSendUnsigned) {
    LoopbackServer server;
    const Aws::EC2::EC2Client client(Aws::Auth::AWSCredentials(), LoopbackConfig(server));
    EXPECT_TRUE(client.DescribeRegions().IsSuccess());
    const auto r = server.Requests().at(0);
    EXPECT_EQ(r.Header("Authorization"), "");
    EXPECT_EQ(r.Header("x-amz-date"), "");
}

TEST(Retries, ThrottlingIsRetriedWithTheSameInvocationId) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t index, httplib::Response& res) {
        if (index < 2) {
            Xml(res,
                "<ErrorResponse><Error><Type>Sender</Type><Code>Throttling</Code><Message>Rate "
                "exceeded</Message>"
                "</Error><RequestId>x</RequestId></ErrorResponse>",
                400);
        } else {
            Xml(res,
                "<ListMetricsResponse><ListMetricsResult><Metrics/></ListMetricsResult></"
                "ListMetricsResponse>");
        }
    });
    const Aws::CloudWatch::CloudWatchClient client(Credentials(), LoopbackConfig(server, 10));
    const auto outcome = client.ListMetrics();
    ASSERT_TRUE(outcome.IsSuccess()) << outcome.GetError().GetMessage();
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3U);
    EXPECT_EQ(requests[0].Header("amz-sdk-request"), "attempt=1");
    EXPECT_EQ(requests[1].Header("amz-sdk-request"), "attempt=2; max=11");
    EXPECT_EQ(requests[2].Header("amz-sdk-request"), "attempt=3; max=11");
    EXPECT_EQ(requests[0].Header("amz-sdk-invocation-id"), requests[2].Header("amz-sdk-invocation-id"));
    EXPECT_TRUE(client.ListMetrics().IsSuccess());
    EXPECT_NE(server.Requests()[3].Header("amz-sdk-invocation-id"),
              requests[0].Header("amz-sdk-invocation-id"));
}

TEST(Retries, BudgetEndsWithTheLastErrorAndUnmappedCodesAreNotRetried) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest& r, size_t, httplib::Response& res) {
        if (r.body.find("DescribeVolumes") != std::string::npos) {
            Xml(res,
                "<Response><Errors><Error><Code>AuthFailure</Code><Message>bad key</Message></Error></Errors>"
                "<RequestID>q</RequestID></Response>",
                401);
        } else {
            res.status = 503;
        }
    });
    const Aws::EC2::EC2Client client(Credentials(), LoopbackConfig(server, 3));
    const auto exhausted = client.DescribeInstances();
    ASSERT_FALSE(exhausted.IsSuccess());
    EXPECT_EQ(exhausted.GetError().GetErrorType(), Aws::EC2::EC2Errors::UNKNOWN);
    EXPECT_EQ(exhausted.GetError().GetMessage(), "No response body.");
    EXPECT_EQ(exhausted.GetError().GetResponseCode(), Aws::Http::HttpResponseCode::SERVICE_UNAVAILABLE);
    EXPECT_EQ(server.Requests().size(), 4U);

    const auto denied = client.DescribeVolumes();
    ASSERT_FALSE(denied.IsSuccess());
    EXPECT_EQ(denied.GetError().GetExceptionName(), "AuthFailure");
    EXPECT_EQ(static_cast<int>(denied.GetError().GetResponseCode()), 401);
    EXPECT_EQ(denied.GetError().GetRequestId(), "q");
    EXPECT_EQ(server.Requests().size(), 5U);
}

TEST(Retries, RetryableServiceErrorSurfacesAfterTheBudget) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) {
        res.status = 400;
        res.set_header("x-amzn-RequestId", "ce-req");
        res.set_content(R"({"__type":"LimitExceededException","message":"Rate limit"})",
                        "application/x-amz-json-1.1");
    });
    const Aws::CostExplorer::CostExplorerClient client(Credentials(), LoopbackConfig(server, 2));
    const auto outcome = client.GetCostForecast();
    ASSERT_FALSE(outcome.IsSuccess());
    EXPECT_EQ(outcome.GetError().GetErrorType(), Aws::CostExplorer::CostExplorerErrors::LIMIT_EXCEEDED);
    EXPECT_TRUE(outcome.GetError().ShouldRetry());
    EXPECT_EQ(outcome.GetError().GetRequestId(), "ce-req");
    EXPECT_EQ(outcome.GetError().GetResponseHeaders().count("x-amzn-requestid"), 1U);
    EXPECT_EQ(server.Requests().size(), 3U);
    EXPECT_EQ(server.Requests()[2].Header("amz-sdk-request"), "attempt=3; max=3");
}

TEST(Retries, MalformedSuccessBodyIsAParseErrorAndNotRetried) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) {
        Xml(res, "<DescribeVolumesResponse><volumeSet><item><volumeId>vol-1</volu");
    });
    const Aws::EC2::EC2Client client(Credentials(), LoopbackConfig(server, 5));
    const auto outcome = client.DescribeVolumes();
    ASSERT_FALSE(outcome.IsSuccess());
    EXPECT_EQ(outcome.GetError().GetErrorType(), Aws::EC2::EC2Errors::UNKNOWN);
    EXPECT_EQ(outcome.GetError().GetExceptionName(), "Xml Parse Error");
    EXPECT_EQ(outcome.GetError().GetResponseCode(), Aws::Http::HttpResponseCode::REQUEST_NOT_MADE);
    EXPECT_EQ(server.Requests().size(), 1U);
}

TEST(Retries, ClockSkewIsCorrectedAndRetriedAtOnce) {
    LoopbackServer server;
    const auto serverNow = Aws::Utils::DateTime::Now() + std::chrono::hours(1);
    server.SetHandler([serverNow](const SeenRequest&, size_t index, httplib::Response& res) {
        if (index == 0) {
            res.set_header("Date", serverNow.ToGmtString(Aws::Utils::DateFormat::RFC822));
            Xml(res,
                "<ErrorResponse><Error><Code>SignatureDoesNotMatch</Code><Message>Signature expired</Message>"
                "</Error></ErrorResponse>",
                403);
        } else {
            Xml(res, kRegionsBody);
        }
    });
    const Aws::EC2::EC2Client client(Credentials(), LoopbackConfig(server, 10));
    ASSERT_TRUE(client.DescribeRegions().IsSuccess());
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2U);
    const Aws::Utils::DateTime second(requests[1].Header("x-amz-date"),
                                      Aws::Utils::DateFormat::ISO_8601_BASIC);
    EXPECT_LT(std::llabs(Aws::Utils::DateTime::Diff(second, serverNow).count()), 60000);
    EXPECT_EQ(requests[1].Header("amz-sdk-request").rfind("ttl=", 0), 0U);
    // The skew stays with the client.
    ASSERT_TRUE(client.DescribeRegions().IsSuccess());
    const Aws::Utils::DateTime third(server.Requests()[2].Header("x-amz-date"),
                                     Aws::Utils::DateFormat::ISO_8601_BASIC);
    EXPECT_LT(std::llabs(Aws::Utils::DateTime::Diff(third, serverNow).count()), 60000);
}

TEST(Transport, SilentServerEndsInRequestTimeout) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(listener, 8), 0);  // the kernel accepts; nobody ever answers
    socklen_t length = sizeof(address);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);

    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.endpointOverride = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    config.requestTimeoutMs = 200;  // curl's low-speed window: one second
    config.connectTimeoutMs = 200;
    config.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(0, 1);
    const Aws::RDS::RDSClient client(Credentials(), config);
    const auto outcome = client.DescribeDBInstances();
    close(listener);
    ASSERT_FALSE(outcome.IsSuccess());
    EXPECT_EQ(outcome.GetError().GetErrorType(), Aws::RDS::RDSErrors::NETWORK_CONNECTION);
    EXPECT_EQ(outcome.GetError().GetResponseCode(), Aws::Http::HttpResponseCode::REQUEST_NOT_MADE);
    EXPECT_EQ(outcome.GetError().GetMessage().rfind("curlCode: 28, ", 0), 0U)
        << outcome.GetError().GetMessage();
    EXPECT_TRUE(outcome.GetError().ShouldRetry());
}

TEST(Transport, ConnectionIsReusedAcrossClients) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    const auto config = LoopbackConfig(server);
    for (int scan = 0; scan < 3; ++scan) {
        const Aws::EC2::EC2Client client(Credentials(), config);  // a fresh client per scan
        ASSERT_TRUE(client.DescribeRegions().IsSuccess());
    }
    EXPECT_EQ(server.Requests().size(), 3U);
    EXPECT_EQ(server.Connections(), 1U);
    EXPECT_GE(Aws::Internal::IdleHandleCount(), 1U);
}

TEST(Transport, OneClientServesManyThreads) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest& r, size_t, httplib::Response& res) {
        Xml(res, "<DescribeVolumesResponse><volumeSet><item><volumeId>" + r.Header("amz-sdk-invocation-id") +
                     "</volumeId></item></volumeSet></DescribeVolumesResponse>");
    });
    const Aws::EC2::EC2Client client(Credentials(), LoopbackConfig(server));
    constexpr int kThreads = 8;
    constexpr int kCalls = 15;
    std::atomic<int> good{0};
    std::vector<std::thread> threads;
    threads.reserve(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kCalls; ++i) {
                const auto outcome = client.DescribeVolumes();
                if (outcome.IsSuccess() && outcome.GetResult().GetVolumes().size() == 1 &&
                    outcome.GetResult().GetVolumes()[0].GetVolumeId().size() == 36) {
                    ++good;
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(good.load(), kThreads * kCalls);
    EXPECT_EQ(server.Requests().size(), static_cast<size_t>(kThreads * kCalls));
    EXPECT_LE(server.Connections(), static_cast<size_t>(kThreads * kCalls));
}

TEST(Transport, PoolIsBoundedAndKeyedByEndpoint) {
    LoopbackServer first;
    LoopbackServer second;
    LoopbackServer third;
    for (auto* server : {&first, &second, &third}) {
        server->SetHandler(
            [](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    }
    Aws::Internal::StartConnectionPool(2);  // replaced by a fresh default pool below
    for (auto* server : {&first, &second, &third, &first}) {
        ASSERT_TRUE(
            Aws::EC2::EC2Client(Credentials(), LoopbackConfig(*server)).DescribeRegions().IsSuccess());
        EXPECT_LE(Aws::Internal::IdleHandleCount(), 2U);
    }
    // The first server's handle was the least recently used one when the third came, so it was closed.
    EXPECT_EQ(first.Connections(), 2U);
    EXPECT_EQ(second.Connections(), 1U);
    Aws::Internal::StartConnectionPool(64);
}

TEST(Transport, WorksWithoutAStartedPool) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    Aws::Internal::StopConnectionPool();
    EXPECT_TRUE(Aws::EC2::EC2Client(Credentials(), LoopbackConfig(server)).DescribeRegions().IsSuccess());
    EXPECT_TRUE(Aws::EC2::EC2Client(Credentials(), LoopbackConfig(server)).DescribeRegions().IsSuccess());
    EXPECT_EQ(server.Connections(), 2U);
    EXPECT_EQ(Aws::Internal::IdleHandleCount(), 0U);
    Aws::Internal::StartConnectionPool(64);
}

class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> argv) {
        std::vector<char*> args;
        args.reserve(argv.size() + 1);
        for (auto& arg : argv) {
            args.push_back(arg.data());
        }
        args.push_back(nullptr);
        m_ok = posix_spawn(&m_pid, args[0], nullptr, nullptr, args.data(), environ) == 0;
    }
    ~ChildProcess() {
        if (m_ok) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Started() const { return m_ok; }

private:
    pid_t m_pid = -1;
    bool m_ok = false;
};

int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        close(s);
        return 0;
    }
    socklen_t length = sizeof(address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

bool WaitForPort(int port) {
    for (int i = 0; i < 100; ++i) {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        const bool up = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
        close(s);
        if (up) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

TEST(Transport, ProxyWithBasicAuthCarriesRequestsAndSecretsStayOutOfLogs) {
    const char* binary = "/usr/bin/tinyproxy";
    if (access(binary, X_OK) != 0) {
        GTEST_SKIP() << "tinyproxy is not installed";
    }
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    const int proxyPort = FreePort();
    const std::string conf = ::testing::TempDir() + "awssdk_tinyproxy.conf";
    std::ofstream(conf) << "Port " << proxyPort << "\nListen 127.0.0.1\nTimeout 5\nAllow 127.0.0.1\n"
                        << "BasicAuth vexa pr0xy-pass\nLogLevel Critical\nMaxClients 10\n";
    const ChildProcess proxy({binary, "-d", "-c", conf});
    ASSERT_TRUE(proxy.Started());
    ASSERT_TRUE(WaitForPort(proxyPort));

    auto log = std::make_shared<std::stringstream>();
    auto logger =
        std::make_shared<Aws::Utils::Logging::DefaultLogSystem>(Aws::Utils::Logging::LogLevel::Trace, log);
    Aws::Utils::Logging::InitializeAWSLogging(logger);

    auto config = LoopbackConfig(server, 0);
    config.proxyHost = "127.0.0.1";
    config.proxyPort = static_cast<unsigned>(proxyPort);
    config.proxyUserName = "vexa";
    config.proxyPassword = "pr0xy-pass";
    const auto good = Aws::EC2::EC2Client(Credentials(), config).DescribeRegions();
    config.proxyPassword = "wrong-pass";
    const auto rejected = Aws::EC2::EC2Client(Credentials(), config).DescribeRegions();
    logger->Flush();
    Aws::Utils::Logging::ShutdownAWSLogging();

    ASSERT_TRUE(good.IsSuccess()) << good.GetError().GetMessage();
    ASSERT_EQ(server.Requests().size(), 1U);
    EXPECT_NE(server.Requests()[0].Header("Via").find("tinyproxy"), std::string::npos);
    ASSERT_FALSE(rejected.IsSuccess());
    EXPECT_EQ(server.Requests().size(), 1U);
    // tinyproxy answers 407 and closes the connection, which curl reports as a transport failure.
    const int status = static_cast<int>(rejected.GetError().GetResponseCode());
    EXPECT_TRUE(status == 407 ||
                rejected.GetError().GetErrorType() == Aws::EC2::EC2Errors::NETWORK_CONNECTION)
        << rejected.GetError().GetMessage();
    const std::string text = log->str();
    EXPECT_NE(text.find("Making request to"), std::string::npos);
    for (const char* secret : {"pr0xy-pass", "wrong-pass", kSecretKey}) {
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
    }
}

class TlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = ::testing::TempDir() + "awssdk_tls_" + std::to_string(getpid());
        const std::string command = "mkdir -p " + s_dir +
                                    " && openssl req -x509 -newkey rsa:2048 -nodes -days 2 "
                                    "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout " +
                                    s_dir + "/key.pem -out " + s_dir + "/cert.pem >/dev/null 2>&1";
        s_ready = std::system(command.c_str()) == 0;  // NOLINT(concurrency-mt-unsafe)
    }
    static std::string s_dir;
    static bool s_ready;
};
std::string TlsTest::s_dir;
bool TlsTest::s_ready = false;

TEST_F(TlsTest, SelfSignedCertificateNeedsTrustOrVerificationOff) {
    ASSERT_TRUE(s_ready) << "openssl could not make a certificate";
    const std::string cert = s_dir + "/cert.pem";
    LoopbackServer server(std::make_unique<httplib::SSLServer>(cert.c_str(), (s_dir + "/key.pem").c_str()));
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    auto config = LoopbackConfig(server, 0);
    config.endpointOverride = server.Url("https");

    const auto verified = Aws::EC2::EC2Client(Credentials(), config).DescribeRegions();
    ASSERT_FALSE(verified.IsSuccess());
    EXPECT_EQ(verified.GetError().GetErrorType(), Aws::EC2::EC2Errors::NETWORK_CONNECTION);
    EXPECT_EQ(verified.GetError().GetMessage().rfind("curlCode: 60, ", 0), 0U)
        << verified.GetError().GetMessage();

    config.verifySSL = false;
    EXPECT_TRUE(Aws::EC2::EC2Client(Credentials(), config).DescribeRegions().IsSuccess());

    config.verifySSL = true;
    config.caFile = cert;
    EXPECT_TRUE(Aws::EC2::EC2Client(Credentials(), config).DescribeRegions().IsSuccess());
    EXPECT_EQ(server.Requests().size(), 2U);
}

TEST(Endpoint, EnvironmentOverridePointsUnchangedCodeAtLoopback) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    const ScopedEnv url("AWS_ENDPOINT_URL", server.Url());
    const ScopedEnv ignore("AWS_IGNORE_CONFIGURED_ENDPOINT_URLS", std::nullopt);
    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.region = "eu-central-1";
    config.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(0, 1);
    ASSERT_TRUE(Aws::EC2::EC2Client(Credentials(), config).DescribeRegions().IsSuccess());
    EXPECT_NE(server.Requests().at(0).Header("Authorization").find("/eu-central-1/ec2/aws4_request"),
              std::string::npos);
}

}  // namespace
