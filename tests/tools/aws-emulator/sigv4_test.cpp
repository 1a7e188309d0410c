// Signature Version 4: the signer against AWS's published test vectors, and the emulator's verification
// against every way a request can be wrong, answered with each service's own error.
#include "test_support.hpp"

#include <array>

namespace {

using namespace emu_test;
namespace sigv4 = emu::sigv4;

// From the AWS SigV4 test suite (get-vanilla, get-vanilla-query-order-key-case) and botocore's signer.
TEST(signer, matches_reference_signatures) {
    struct vector_case {
        const char* method;
        const char* target;
        const char* body;
        const char* content_type;  // empty: none
        const char* signature;
    };
    const vector_case cases[] = {
        {"GET", "/", "", "", "5fa00fa31553b73ebf1942676e86291e8372ff2a2260956d9b8aae1d763fbf31"},
        {"GET", "/?Param2=value2&Param1=value1", "", "",
         "b97d918cfa904a5beff61c982a1b6f458b799221646efd99d3219ec94cdf2500"},
        {"POST", "/", "Param1=value1", "application/x-www-form-urlencoded",
         "ff11897932ad3f4e8b18135d722051e5ac45fc38421b1da7b9d196a0fe09473a"}};
    for (const auto& c : cases) {
        sigv4::http_request request{c.method, c.target, {{"Host", "example.amazonaws.com"}}, c.body};
        if (*c.content_type != '\0') {
            request.headers.emplace_back("Content-Type", c.content_type);
        }
        sigv4::sign(request, demo_credentials, "us-east-1", "service", at(1440938160));  // 20150830T123600Z
        const auto& authorization = request.headers.back().second;
        EXPECT_EQ(authorization.substr(authorization.rfind('=') + 1), c.signature) << authorization;
        EXPECT_NE(authorization.find("Credential=AKIDEXAMPLE/20150830/us-east-1/service/aws4_request"),
                  std::string::npos);
    }
    EXPECT_EQ(sigv4::uri_encode("a-b_c.d~e f/g:h+"), "a-b_c.d~e%20f%2Fg%3Ah%2B");
    EXPECT_EQ(sigv4::uri_encode("/a b/", true), "/a%20b/");
    EXPECT_EQ(sigv4::uri_decode("Bytes%2FSecond+x%zz"), "Bytes/Second x%zz");
}

// --- verification ---------------------------------------------------------------------------------

struct failure {
    const char* name;
    void (*spoil)(client&);
    std::array<int, 3> status;  // EC2, the Query services, Cost Explorer's JSON
    std::array<const char*, 3> code;
};

constexpr failure signature_mismatch{
    "", nullptr, {401, 403, 400}, {"AuthFailure", "SignatureDoesNotMatch", "InvalidSignatureException"}};
constexpr failure request_expired{
    "", nullptr, {400, 403, 400}, {"RequestExpired", "SignatureDoesNotMatch", "InvalidSignatureException"}};

constexpr failure like(const char* name, void (*spoil)(client&), failure f) {
    f.name = name;
    f.spoil = spoil;
    return f;
}

constexpr failure failures[] = {
    {"ok", [](client&) {}, {200, 200, 200}, {"", "", ""}},
    {"within_window",
     [](client& c) { c.signing_time = at(fixed_now - 14LL * 60); },
     {200, 200, 200},
     {"", "", ""}},
    like(
        "wrong_secret", [](client& c) { c.credentials.secret_key = "not-the-secret"; }, signature_mismatch),
    like(
        "altered_body",
        [](client& c) { c.tamper = [](sigv4::http_request& r) { r.body.insert(r.body.size() - 1, " "); }; },
        signature_mismatch),
    {"unknown_key",
     [](client& c) { c.credentials.access_key = "AKIDUNKNOWN"; },
     {401, 403, 400},
     {"AuthFailure", "InvalidClientTokenId", "UnrecognizedClientException"}},
    like(
        "expired", [](client& c) { c.signing_time = at(fixed_now - 16LL * 60); }, request_expired),
    like(
        "future", [](client& c) { c.signing_time = at(fixed_now + 16LL * 60); }, request_expired),
    {"unsigned",
     [](client& c) { c.sign = false; },
     {401, 403, 400},
     {"MissingAuthenticationToken", "MissingAuthenticationToken", "MissingAuthenticationTokenException"}},
    {"other_region",  // Cost Explorer signs for us-east-1 only: a wrong scope
     [](client& c) { c.region = "ap-south-2"; },
     {401, 403, 400},
     {"AuthFailure", "InvalidClientTokenId", "InvalidSignatureException"}},
    {"host_unsigned",
     [](client& c) {
         c.tamper = [](sigv4::http_request& r) {
             auto& auth = r.headers.back().second;
             auth.replace(auth.find("host;"), 5, "");
         };
     },
     {400, 400, 400},
     {"IncompleteSignature", "IncompleteSignature", "IncompleteSignatureException"}},
};

struct service_case {
    const char* name;
    service_call call;
    std::size_t column;  // into failure's status and code
};

std::vector<service_case> services() {
    return {
        {"ec2", request("ec2 DescribeRegions"), 0},
        {"cloudwatch", request("monitoring ListMetrics Namespace=AWS%2FEC2"), 1},
        {"elbv2", request("elasticloadbalancing DescribeLoadBalancers"), 1},
        {"rds", request("rds DescribeDBInstances"), 1},
        {"cost_explorer",
         cost(
             "GetCostAndUsage",
             R"({"TimePeriod":{"Start":"2024-05-01","End":"2024-05-15"},"Granularity":"MONTHLY","Metrics":["BlendedCost"]})"),
         2}};
}

class verification : public ::testing::TestWithParam<std::tuple<service_case, failure>> {
protected:
    static void SetUpTestSuite() { server_ = start(); }
    static void TearDownTestSuite() { server_.reset(); }
    static std::unique_ptr<emu::server> server_;
};
std::unique_ptr<emu::server> verification::server_;

TEST_P(verification, answers_each_failure_with_the_services_own_error) {
    const auto& [service, f] = GetParam();
    client c(*server_);
    f.spoil(c);
    const auto r = c.send(service.call);
    ASSERT_TRUE(r.transport_ok);
    EXPECT_EQ(r.status, f.status.at(service.column)) << r.body;
    EXPECT_EQ(r.error_code(), f.code.at(service.column)) << r.body;
    const auto last = server_->requests().back();
    EXPECT_EQ(last.status, r.status);
    EXPECT_EQ(last.error_code, f.code.at(service.column));
}

INSTANTIATE_TEST_SUITE_P(all, verification,
                         ::testing::Combine(::testing::ValuesIn(services()), ::testing::ValuesIn(failures)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

TEST(verification_messages, explain_the_mismatch_and_the_expiry_without_revealing_a_secret) {
    const auto server = start();
    client c(*server);
    c.credentials.secret_key = "a-different-secret";
    const auto mismatch = c.send(request("monitoring ListMetrics"));
    const auto message = mismatch.text("//Error/Message");
    EXPECT_NE(message.find("The Canonical String for this request should have been"), std::string::npos);
    EXPECT_NE(message.find("x-amz-date:20240515T120000Z"), std::string::npos);
    EXPECT_EQ(mismatch.body.find(demo_credentials.secret_key), std::string::npos);
    EXPECT_EQ(mismatch.body.find(c.credentials.secret_key), std::string::npos);

    c.credentials = demo_credentials;
    c.signing_time = at(fixed_now - 3600);
    const auto expired = c.send(request("rds DescribeDBInstances"));
    EXPECT_EQ(expired.text("//Error/Message"),
              "Signature expired: 20240515T110000Z is now earlier than 20240515T114500Z (20240515T120000Z - "
              "15 min.)");
    EXPECT_EQ(expired.text("//Error/Type"), "Sender");
}

TEST(verification_session_token, must_match_the_credential) {
    const auto server = start(R"({"accounts": [{"credentials": [
        {"access_key": "ASIATEMP", "secret_key": "s3cr3t", "session_token": "token-1"}]}]})");
    for (const auto& [token, status] :
         std::vector<std::pair<std::string, int>>{{"token-1", 200}, {"token-2", 401}, {"", 401}}) {
        client c(*server, {"ASIATEMP", "s3cr3t", token});
        EXPECT_EQ(c.send(request("ec2 DescribeRegions")).status, status) << "token '" << token << "'";
    }
}

}  // namespace
