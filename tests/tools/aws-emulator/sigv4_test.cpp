// Signature Version 4: the signer against AWS's published test vectors, and the emulator's verification
// against every way a request can be wrong, answered with each service's own error.
#include "test_support.hpp"

#include <array>

namespace {

using namespace emu_test;
namespace sigv4 = emu::sigv4;

struct vector_case {
    const char* name;
    const char* method;
    const char* target;
    const char* body;
    const char* content_type;  // empty: none
    const char* signature;
};

// From the AWS SigV4 test suite (get-vanilla, get-vanilla-query-order-key-case) and botocore's signer.
class signer_vectors : public ::testing::TestWithParam<vector_case> {};

TEST_P(signer_vectors, matches_reference_signature) {
    const auto& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    aws, signer_vectors,
    ::testing::Values(vector_case{"get_vanilla", "GET", "/", "", "",
                                  "5fa00fa31553b73ebf1942676e86291e8372ff2a2260956d9b8aae1d763fbf31"},
                      vector_case{"query_order", "GET", "/?Param2=value2&Param1=value1", "", "",
                                  "b97d918cfa904a5beff61c982a1b6f458b799221646efd99d3219ec94cdf2500"},
                      vector_case{"post_form", "POST", "/", "Param1=value1",
                                  "application/x-www-form-urlencoded",
                                  "ff11897932ad3f4e8b18135d722051e5ac45fc38421b1da7b9d196a0fe09473a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(sigv4_encoding, keeps_only_unreserved_characters) {
    EXPECT_EQ(sigv4::uri_encode("a-b_c.d~e f/g:h+"), "a-b_c.d~e%20f%2Fg%3Ah%2B");
    EXPECT_EQ(sigv4::uri_encode("/a b/", true), "/a%20b/");
    EXPECT_EQ(sigv4::uri_decode("Bytes%2FSecond+x%zz"), "Bytes/Second x%zz");
}

// --- verification ---------------------------------------------------------------------------------

enum class failure {
    none,
    wrong_secret,
    unknown_key,
    expired,
    not_yet_valid,
    almost_expired,
    altered_body,
    unsigned_request,
    disabled_region,
    unsigned_host
};

struct service_case {
    const char* name;
    service_call call;
    int column;  // 0 ec2, 1 Query, 2 JSON
};

struct expected_error {
    failure f;
    std::array<int, 3> status;
    std::array<const char*, 3> code;
};

const std::array<expected_error, 10> expectations{{
    {failure::none, {200, 200, 200}, {"", "", ""}},
    {failure::almost_expired, {200, 200, 200}, {"", "", ""}},
    {failure::wrong_secret,
     {401, 403, 400},
     {"AuthFailure", "SignatureDoesNotMatch", "InvalidSignatureException"}},
    {failure::altered_body,
     {401, 403, 400},
     {"AuthFailure", "SignatureDoesNotMatch", "InvalidSignatureException"}},
    {failure::unknown_key,
     {401, 403, 400},
     {"AuthFailure", "InvalidClientTokenId", "UnrecognizedClientException"}},
    {failure::expired,
     {400, 403, 400},
     {"RequestExpired", "SignatureDoesNotMatch", "InvalidSignatureException"}},
    {failure::not_yet_valid,
     {400, 403, 400},
     {"RequestExpired", "SignatureDoesNotMatch", "InvalidSignatureException"}},
    {failure::unsigned_request,
     {401, 403, 400},
     {"MissingAuthenticationToken", "MissingAuthenticationToken", "MissingAuthenticationTokenException"}},
    {failure::disabled_region,
     {401, 403, 400},
     {"AuthFailure", "InvalidClientTokenId", "InvalidSignatureException"}},  // Cost Explorer: wrong scope
    {failure::unsigned_host,
     {400, 400, 400},
     {"IncompleteSignature", "IncompleteSignature", "IncompleteSignatureException"}},
}};

std::array<service_case, 5> service_cases() {
    return {{
        {"ec2", query("ec2", "DescribeRegions"), 0},
        {"cloudwatch", query("monitoring", "ListMetrics", "Namespace=AWS%2FEC2"), 1},
        {"elbv2", query("elasticloadbalancing", "DescribeLoadBalancers"), 1},
        {"rds", query("rds", "DescribeDBInstances"), 1},
        {"cost_explorer",
         cost(
             "GetCostAndUsage",
             R"({"TimePeriod":{"Start":"2024-05-01","End":"2024-05-15"},"Granularity":"MONTHLY","Metrics":["BlendedCost"]})"),
         2},
    }};
}

class verification : public ::testing::TestWithParam<std::tuple<service_case, expected_error>> {
protected:
    static void SetUpTestSuite() { server_ = start(); }
    static void TearDownTestSuite() { server_.reset(); }
    static std::unique_ptr<emu::server> server_;
};
std::unique_ptr<emu::server> verification::server_;

TEST_P(verification, answers_each_failure_with_the_services_own_error) {
    const auto& [svc, expected] = GetParam();
    auto credentials = demo_credentials;
    if (expected.f == failure::wrong_secret) {
        credentials.secret_key = "not-the-secret";
    } else if (expected.f == failure::unknown_key) {
        credentials.access_key = "AKIDUNKNOWN";
    }
    client c(*server_, credentials);
    switch (expected.f) {
        case failure::expired:
            c.signing_time = at(fixed_now - 16LL * 60);
            break;
        case failure::not_yet_valid:
            c.signing_time = at(fixed_now + 16LL * 60);
            break;
        case failure::almost_expired:
            c.signing_time = at(fixed_now - 14LL * 60);
            break;
        case failure::unsigned_request:
            c.sign = false;
            break;
        case failure::disabled_region:
            c.region = "ap-south-2";
            break;
        case failure::altered_body:
            c.tamper = [](sigv4::http_request& r) { r.body.insert(r.body.size() - 1, " "); };
            break;
        case failure::unsigned_host:
            c.tamper = [](sigv4::http_request& r) {
                auto& auth = r.headers.back().second;
                auth.replace(auth.find("host;"), 5, "");
            };
            break;
        default:
            break;
    }
    const auto r = c.send(svc.call);
    ASSERT_TRUE(r.transport_ok);
    const auto column = static_cast<std::size_t>(svc.column);
    EXPECT_EQ(r.status, expected.status.at(column)) << r.body;
    EXPECT_EQ(r.error_code(), expected.code.at(column)) << r.body;
    if (r.status != 200) {
        const auto records = server_->requests();
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records.back().error_code, expected.code.at(column));
        EXPECT_EQ(records.back().status, r.status);
    }
}

std::string verification_name(
    const ::testing::TestParamInfo<std::tuple<service_case, expected_error>>& info) {
    static constexpr std::array<const char*, 10> names{
        "ok",           "wrong_secret", "unknown_key",  "expired",      "future", "within_window",
        "altered_body", "unsigned",     "other_region", "host_unsigned"};
    return std::string(std::get<0>(info.param).name) + "_" +
           names.at(static_cast<std::size_t>(std::get<1>(info.param).f));
}

INSTANTIATE_TEST_SUITE_P(all, verification,
                         ::testing::Combine(::testing::ValuesIn(service_cases()),
                                            ::testing::ValuesIn(expectations)),
                         verification_name);

TEST(verification_messages, signature_mismatch_explains_without_revealing_the_secret) {
    const auto server = start();
    auto wrong = demo_credentials;
    wrong.secret_key = "a-different-secret";
    client c(*server, wrong);
    const auto r = c.send(query("monitoring", "ListMetrics"));
    const auto message = r.text("//Error/Message");
    EXPECT_NE(message.find("The Canonical String for this request should have been"), std::string::npos);
    EXPECT_NE(message.find("x-amz-date:20240515T120000Z"), std::string::npos);
    EXPECT_EQ(r.body.find(demo_credentials.secret_key), std::string::npos);
    EXPECT_EQ(r.body.find(wrong.secret_key), std::string::npos);
}

TEST(verification_messages, expired_signature_names_both_times) {
    const auto server = start();
    client c(*server);
    c.signing_time = at(fixed_now - 3600);
    const auto r = c.send(query("rds", "DescribeDBInstances"));
    EXPECT_EQ(r.text("//Error/Message"),
              "Signature expired: 20240515T110000Z is now earlier than 20240515T114500Z (20240515T120000Z - "
              "15 min.)");
    EXPECT_EQ(r.text("//Error/Type"), "Sender");
}

TEST(verification_session_token, must_match_the_credential) {
    const auto server = start(R"({"accounts": [{"credentials": [
        {"access_key": "ASIATEMP", "secret_key": "s3cr3t", "session_token": "token-1"}]}]})");
    for (const auto& [token, status] :
         std::vector<std::pair<std::string, int>>{{"token-1", 200}, {"token-2", 401}, {"", 401}}) {
        client c(*server, {"ASIATEMP", "s3cr3t", token});
        EXPECT_EQ(c.send(query("ec2", "DescribeRegions")).status, status) << "token '" << token << "'";
    }
}

}  // namespace
