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
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;  // NOLINT(readability-redundant-declaration)

namespace {

using awssdk_test::LoopbackServer;
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
    return {kAccessKey, kSecretKey};
}

void Xml(httplib::Response& res, const std::string& body, int status = 200) {
    res.status = status;
    res.set_content(body, "text/xml");
}

bool DescribeRegions(const Aws::Client::ClientConfiguration& config) {
    return Aws::EC2::EC2Client(Credentials(), config).DescribeRegions().IsSuccess();
}

TEST(WireRequest, QueryServiceHeadersAndSignature) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t, httplib::Response& res) { Xml(res, kRegionsBody); });
    const auto outcome = Aws::EC2::EC2Client(Credentials(), LoopbackConfig(server)).DescribeRegions();
    ASSERT_TRUE(outcome.IsSuccess()) << outcome.GetError().GetMessage();
    ASSERT_EQ(outcome.GetResult().GetRegions().size(), 1U);

    const SeenRequest r = server.Requests().at(0);
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

    // Exactly these headers are signed, and the signature verifies over what the server received.
    std::vector<std::pair<std::string, std::string>> signedHeaders;
    for (const char* name : {"amz-sdk-invocation-id", "amz-sdk-request", "content-length", "content-type",
                             "host", "x-amz-api-version", "x-amz-content-sha256", "x-amz-date"}) {
        signedHeaders.emplace_back(name, r.Header(name));
    }
    const std::string hash = Aws::Internal::HexSha256(r.body);
    const Aws::Internal::SigningRequest toVerify{
        "POST", "/", "", {signedHeaders.begin(), signedHeaders.end()}, hash};
    EXPECT_EQ(
        r.Header("Authorization"),
        Aws::Internal::Sign(toVerify, {date, "us-east-1", "ec2"}, kAccessKey, kSecretKey).authorization);
}

TEST(WireRequest, EachServiceSignsWithItsOwnScopeAndSessionToken) {
    LoopbackServer server;
    const auto config = LoopbackConfig(server);
    const Aws::Auth::AWSCredentials withToken(kAccessKey, kSecretKey, "session-token");
    const Aws::CloudWatch::CloudWatchClient cloudwatch(withToken, config);
    EXPECT_TRUE(cloudwatch.GetMetricStatistics({}).IsSuccess());
    EXPECT_TRUE(cloudwatch.DescribeAlarms({}).IsSuccess());
    EXPECT_TRUE(Aws::ElasticLoadBalancingv2::ElasticLoadBalancingv2Client(withToken, config)
                    .DescribeLoadBalancers()
                    .IsSuccess());
    EXPECT_TRUE(Aws::RDS::RDSClient(withToken, config).DescribeDBInstances().IsSuccess());
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4U);
    const char* scopes[] = {"monitoring", "monitoring", "elasticloadbalancing", "rds"};
    const char* versions[] = {"2010-08-01", "2010-08-01", "2015-12-01", "2014-10-31"};
    for (size_t i = 0; i < requests.size(); ++i) {
        const std::string authorization = requests[i].Header("Authorization");
        EXPECT_NE(authorization.find(std::string("/us-east-1/") + scopes[i] + "/aws4_request"),
                  std::string::npos)
            << i;
        EXPECT_NE(authorization.find("x-amz-date;x-amz-security-token,"), std::string::npos) << i;
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
    namespace CE = Aws::CostExplorer::Model;
    const auto request = CE::GetCostAndUsageRequest()
                             .WithTimePeriod(CE::DateInterval().WithStart("2024-05-01").WithEnd("2024-06-01"))
                             .WithGranularity(CE::Granularity::MONTHLY)
                             .AddMetrics("BlendedCost");
    const auto outcome =
        Aws::CostExplorer::CostExplorerClient(Credentials(), config).GetCostAndUsage(request);
    ASSERT_TRUE(outcome.IsSuccess()) << outcome.GetError().GetMessage();
    EXPECT_EQ(outcome.GetResult().GetResultsByTime()[0].GetTotal().at("BlendedCost").GetAmount(), "1.5");
    const auto r = server.Requests().at(0);
    EXPECT_EQ(r.body, request.SerializePayload());
    EXPECT_EQ(r.Header("Content-Type"), "application/x-amz-json-1.1");
    EXPECT_EQ(r.Header("X-Amz-Target"), "AWSInsightsIndexService.GetCostAndUsage");
    EXPECT_EQ(r.Header("x-amz-api-version"), "2017-10-25");
    EXPECT_NE(r.Header("Authorization")
                  .find("/us-east-1/ce/aws4_request, SignedHeaders=amz-sdk-invocation-id;amz-sdk-request;"
                        "content-length;content-type;host;x-amz-api-version;x-amz-content-sha256;x-amz-date;"
                        "x-amz-target,"),
              std::string::npos);
}

TEST(WireRequest, EmptyCredentialsSendUnsigned) {
    LoopbackServer server;
    EXPECT_TRUE(Aws::EC2::EC2Client(Aws::Auth::AWSCredentials(), LoopbackConfig(server))
                    .DescribeRegions()
                    .IsSuccess());
    EXPECT_EQ(server.Requests().at(0).Header("Authorization"), "");
    EXPECT_EQ(server.Requests().at(0).Header("x-amz-date"), "");
}

TEST(Retries, ThrottlingIsRetriedWithTheSameInvocationId) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest&, size_t index, httplib::Response& res) {
        Xml(res,
            index < 2
                ? "<ErrorResponse><Error><Code>Throttling</Code><Message>Rate exceeded</Message></Error>"
                  "</ErrorResponse>"
                : "",
            index < 2 ? 400 : 200);
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

TEST(Retries, BudgetEndsWithTheLastErrorAndUnmappedCodesAndBadBodiesAreNotRetried) {
    LoopbackServer server;
    server.SetHandler([](const SeenRequest& r, size_t, httplib::Response& res) {
        if (r.body.find("DescribeVolumes") != std::string::npos) {
            Xml(res,
                "<Response><Errors><Error><Code>AuthFailure</Code><Message>bad key</Message></Error></Errors>"
                "<RequestID>q</RequestID></Response>",
                401);
        } else if (r.body.find("DescribeRegions") != std::string::npos) {
            Xml(res, "<DescribeRegionsResponse><regionInfo><item><regionName>eu</regionN");
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
    ASSERT_EQ(server.Requests().size(), 4U);
    EXPECT_EQ(server.Requests()[3].Header("amz-sdk-request"), "attempt=4; max=4");

    const auto denied = client.DescribeVolumes();
    ASSERT_FALSE(denied.IsSuccess());
    EXPECT_EQ(denied.GetError().GetExceptionName(), "AuthFailure");
    EXPECT_EQ(static_cast<int>(denied.GetError().GetResponseCode()), 401);
    EXPECT_EQ(denied.GetError().GetRequestId(), "q");

    const auto malformed = client.DescribeRegions();
    ASSERT_FALSE(malformed.IsSuccess());
    EXPECT_EQ(malformed.GetError().GetErrorType(), Aws::EC2::EC2Errors::UNKNOWN);
    EXPECT_FALSE(malformed.GetError().ShouldRetry());
    EXPECT_EQ(malformed.GetError().GetExceptionName(), "Xml Parse Error");
    EXPECT_EQ(malformed.GetError().GetResponseCode(), Aws::Http::HttpResponseCode::REQUEST_NOT_MADE);
    EXPECT_EQ(server.Requests().size(), 6U);
}

TEST(Retries, ClockSkewIsCorrectedAndRetriedAtOnce) {
    LoopbackServer server;
    const auto serverNow = Aws::Utils::DateTime::Now() + std::chrono::hours(1);
    server.SetHandler([serverNow](const SeenRequest&, size_t index, httplib::Response& res) {
        if (index == 0) {
            res.set_header("Date", serverNow.ToGmtString(Aws::Utils::DateFormat::RFC822));
            Xml(res, "<ErrorResponse><Error><Code>SignatureDoesNotMatch</Code></Error></ErrorResponse>", 403);
        }
    });
    const Aws::EC2::EC2Client client(Credentials(), LoopbackConfig(server, 10));
    ASSERT_TRUE(client.DescribeRegions().IsSuccess());
    ASSERT_TRUE(client.DescribeRegions().IsSuccess());  // the skew stays with the client
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3U);
    EXPECT_EQ(requests[1].Header("amz-sdk-request").rfind("ttl=", 0), 0U);
    for (size_t i = 1; i < requests.size(); ++i) {
        const Aws::Utils::DateTime sent(requests[i].Header("x-amz-date"),
                                        Aws::Utils::DateFormat::ISO_8601_BASIC);
        EXPECT_LT(std::llabs(Aws::Utils::DateTime::Diff(sent, serverNow).count()), 60000) << i;
    }
}

// A socket bound to a free loopback port.
int BoundSocket(int& port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return -1;
    }
    port = ntohs(address.sin_port);
    return s;
}

TEST(Transport, SilentServerEndsInRequestTimeout) {
    int port = 0;
    const int listener = BoundSocket(port);
    ASSERT_GE(listener, 0);
    ASSERT_EQ(listen(listener, 8), 0);  // the kernel accepts; nobody ever answers
    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.endpointOverride = "http://127.0.0.1:" + std::to_string(port);
    config.requestTimeoutMs = 200;  // curl's low-speed window: one second
    config.connectTimeoutMs = 200;
    config.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(0, 1);
    const auto outcome = Aws::RDS::RDSClient(Credentials(), config).DescribeDBInstances();
    close(listener);
    ASSERT_FALSE(outcome.IsSuccess());
    EXPECT_EQ(outcome.GetError().GetErrorType(), Aws::RDS::RDSErrors::NETWORK_CONNECTION);
    EXPECT_EQ(outcome.GetError().GetResponseCode(), Aws::Http::HttpResponseCode::REQUEST_NOT_MADE);
    EXPECT_EQ(outcome.GetError().GetMessage().rfind("curlCode: 28, ", 0), 0U)
        << outcome.GetError().GetMessage();
    EXPECT_TRUE(outcome.GetError().ShouldRetry());
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
                good += outcome.IsSuccess() && outcome.GetResult().GetVolumes().size() == 1 &&
                        outcome.GetResult().GetVolumes()[0].GetVolumeId().size() == 36;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(good.load(), kThreads * kCalls);
    EXPECT_EQ(server.Requests().size(), static_cast<size_t>(kThreads * kCalls));
}

// A fresh client per scan, as the sensors make them; the pooled connection outlives it.
TEST(Transport, PoolReusesConnectionsAcrossClientsIsBoundedAndKeyedByEndpoint) {
    LoopbackServer first;
    LoopbackServer second;
    LoopbackServer third;
    Aws::Internal::StartConnectionPool(2);  // replaced by a fresh default pool below
    for (auto* server : {&first, &second, &second, &second, &third, &first}) {
        ASSERT_TRUE(DescribeRegions(LoopbackConfig(*server)));
        EXPECT_LE(Aws::Internal::IdleHandleCount(), 2U);
    }
    EXPECT_EQ(second.Requests().size(), 3U);
    EXPECT_EQ(second.Connections(), 1U);
    // The first server's handle was the least recently used one when the third came, so it was closed.
    EXPECT_EQ(first.Connections(), 2U);
    Aws::Internal::StopConnectionPool();  // without a pool every request has a connection of its own
    ASSERT_TRUE(DescribeRegions(LoopbackConfig(second)));
    ASSERT_TRUE(DescribeRegions(LoopbackConfig(second)));
    EXPECT_EQ(second.Connections(), 3U);
    EXPECT_EQ(Aws::Internal::IdleHandleCount(), 0U);
    Aws::Internal::StartConnectionPool(64);
}

// Answers each request with the next scripted bytes on a raw socket, one connection at a time:
// what a well-behaved HTTP server library never sends.
class ScriptedServer {
public:
    struct Answer {
        std::string bytes;
        bool thenClose;
    };

    explicit ScriptedServer(std::vector<Answer> answers) : m_answers(std::move(answers)) {
        m_listener = BoundSocket(m_port);
        if (m_listener >= 0 && listen(m_listener, 8) == 0) {
            m_thread = std::thread([this] { Serve(); });
        }
    }
    ~ScriptedServer() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        close(m_listener);
    }
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    size_t Connections() const { return m_connections; }
    size_t Requests() const { return m_requests; }

private:
    bool Readable(int fd) const {
        while (!m_stop) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 20) > 0) {
                return true;
            }
        }
        return false;
    }

    // Reads one request: its head, then as many body bytes as its Content-Length says.
    bool ReadRequest(int fd) {
        std::string data;
        size_t needed = std::string::npos;
        while (needed == std::string::npos || data.size() < needed) {
            char buffer[4096];
            const ssize_t n = Readable(fd) ? recv(fd, buffer, sizeof(buffer), 0) : 0;
            if (n <= 0) {
                return false;
            }
            data.append(buffer, static_cast<size_t>(n));
            const auto headEnd = data.find("\r\n\r\n");
            if (needed == std::string::npos && headEnd != std::string::npos) {
                const auto at = data.find("content-length: ");
                needed = headEnd + 4 + (at < headEnd ? std::stoul(data.substr(at + 16)) : 0);
            }
        }
        return true;
    }

    void Serve() {
        while (!m_stop && m_requests < m_answers.size()) {
            const int fd = Readable(m_listener) ? accept(m_listener, nullptr, nullptr) : -1;
            if (fd < 0) {
                continue;
            }
            ++m_connections;
            while (m_requests < m_answers.size() && ReadRequest(fd)) {
                const Answer& answer = m_answers[m_requests++];
                send(fd, answer.bytes.data(), answer.bytes.size(), MSG_NOSIGNAL);
                if (answer.thenClose) {
                    break;
                }
            }
            close(fd);
        }
    }

    std::vector<Answer> m_answers;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_connections{0};
    std::atomic<size_t> m_requests{0};
};

std::string Answered(const std::string& status, const std::string& headers, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\n" + headers + "Content-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

struct ScriptCase {
    const char* name;
    std::vector<ScriptedServer::Answer> answers;
    size_t calls;
    size_t succeeded;
    size_t connections;
    const char* failure;  // the start of the failed call's message
};

void PrintTo(const ScriptCase& c, std::ostream* os) {
    *os << c.name;
}

class ScriptedAnswers : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptedAnswers, EndAsTheWireSays) {
    const auto& c = GetParam();
    ScriptedServer server(c.answers);
    Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    config.region = "us-east-1";
    config.endpointOverride = server.Url();
    config.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(0, 1);
    size_t succeeded = 0;
    std::string failure;
    for (size_t i = 0; i < c.calls; ++i) {
        const auto outcome = Aws::EC2::EC2Client(Credentials(), config).DescribeRegions();
        succeeded += outcome.IsSuccess() ? 1 : 0;
        failure = outcome.IsSuccess() ? failure : outcome.GetError().GetMessage();
    }
    EXPECT_EQ(succeeded, c.succeeded) << failure;
    EXPECT_EQ(server.Connections(), c.connections);
    EXPECT_EQ(failure.rfind(c.failure, 0), 0U) << failure;
}

std::string RegionsAnswer() {
    return Answered("200 OK", "Content-Type: text/xml\r\n", kRegionsBody);
}

INSTANTIATE_TEST_SUITE_P(
    Wire, ScriptedAnswers,
    ::testing::Values(
        // The peer ended the idle connection between two requests: the second goes on a new one.
        ScriptCase{"IdleConnectionClosedByThePeerIsReplaced",
                   {{RegionsAnswer(), true}, {RegionsAnswer(), false}},
                   2,
                   2,
                   2,
                   ""},
        ScriptCase{"KeptConnectionCarriesTheNextRequest",
                   {{RegionsAnswer(), false}, {RegionsAnswer(), false}},
                   2,
                   2,
                   1,
                   ""},
        ScriptCase{
            "ConnectionCloseIsHonoured",
            {{Answered("200 OK", "Connection: close\r\n", kRegionsBody), true}, {RegionsAnswer(), false}},
            2,
            2,
            2,
            ""},
        ScriptCase{"ChunkedBody",
                   {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\n" +
                         std::string(kRegionsBody).substr(0, 16) + "\r\n" +
                         [] {
                             const std::string rest = std::string(kRegionsBody).substr(16);
                             char size[16];
                             std::snprintf(size, sizeof(size), "%zx", rest.size());
                             return std::string(size) + "\r\n" + rest + "\r\n0\r\n\r\n";
                         }(),
                     false}},
                   1,
                   1,
                   1,
                   ""},
        // A redirect is handed to libcurl, which sends the request again and follows it there.
        ScriptCase{"RedirectIsFollowed",
                   {{Answered("307 Temporary Redirect", "Location: /elsewhere\r\n", ""), true},
                    {Answered("307 Temporary Redirect", "Location: /elsewhere\r\n", ""), false},
                    {RegionsAnswer(), false}},
                   1,
                   1,
                   2,
                   ""},
        ScriptCase{
            "ForeignProtocolIsAWeirdReply", {{"SSH-2.0-OpenSSH_9.2\r\n", true}}, 1, 0, 1, "curlCode: 8, "},
        ScriptCase{"BodyCutShortIsAPartialFile",
                   {{"HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\n<DescribeRegionsResponse>", true}},
                   1,
                   0,
                   1,
                   "curlCode: 18, "},
        ScriptCase{"NothingAnsweredOnANewConnection", {{"", true}}, 1, 0, 1, "curlCode: 52, "}),
    [](const auto& info) { return std::string(info.param.name); });

// Runs a program until the end of the scope.
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

bool WaitForPort(int port) {
    httplib::Client probe("127.0.0.1", port);
    for (int i = 0; i < 100; ++i) {
        if (probe.Get("/")) {
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
    int proxyPort = 0;
    close(BoundSocket(proxyPort));
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
    const bool good = DescribeRegions(config);
    config.proxyPassword = "wrong-pass";
    const auto rejected = Aws::EC2::EC2Client(Credentials(), config).DescribeRegions();
    logger->Flush();
    Aws::Utils::Logging::ShutdownAWSLogging();

    ASSERT_TRUE(good);
    ASSERT_EQ(server.Requests().size(), 1U);
    EXPECT_NE(server.Requests()[0].Header("Via").find("tinyproxy"), std::string::npos);
    ASSERT_FALSE(rejected.IsSuccess());
    // tinyproxy answers 407 and closes the connection, which curl may report as a transport failure.
    EXPECT_TRUE(static_cast<int>(rejected.GetError().GetResponseCode()) == 407 ||
                rejected.GetError().GetErrorType() == Aws::EC2::EC2Errors::NETWORK_CONNECTION)
        << rejected.GetError().GetMessage();
    const std::string text = log->str();
    EXPECT_NE(text.find("Making request to"), std::string::npos);
    for (const char* secret : {"pr0xy-pass", "wrong-pass", kSecretKey}) {
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
    }
}

TEST(Transport, SelfSignedCertificateNeedsTrustOrVerificationOff) {
    const std::string dir = ::testing::TempDir() + "awssdk_tls_" + std::to_string(getpid());
    const std::string command = "mkdir -p " + dir +
                                " && openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                                "-addext subjectAltName=IP:127.0.0.1 -keyout " +
                                dir + "/key.pem -out " + dir + "/cert.pem >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);  // NOLINT(concurrency-mt-unsafe)
    const std::string cert = dir + "/cert.pem";
    LoopbackServer server(std::make_unique<httplib::SSLServer>(cert.c_str(), (dir + "/key.pem").c_str()));
    auto config = LoopbackConfig(server, 0);
    config.endpointOverride = server.Url("https");
    // Connecting includes reading the system's trust store, about 0.4 s of the SDK's 1 s connect
    // timeout under ThreadSanitizer and more on a loaded machine; this test is about trust, not time.
    config.connectTimeoutMs = 30000;

    const auto verified = Aws::EC2::EC2Client(Credentials(), config).DescribeRegions();
    ASSERT_FALSE(verified.IsSuccess());
    EXPECT_EQ(verified.GetError().GetErrorType(), Aws::EC2::EC2Errors::NETWORK_CONNECTION);
    EXPECT_EQ(verified.GetError().GetMessage().rfind("curlCode: 60, ", 0), 0U)
        << verified.GetError().GetMessage();
    config.verifySSL = false;
    EXPECT_TRUE(DescribeRegions(config));
    config.verifySSL = true;
    config.caFile = cert;
    EXPECT_TRUE(DescribeRegions(config));
    EXPECT_EQ(server.Requests().size(), 2U);
}

}  // namespace
