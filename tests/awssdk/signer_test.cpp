#include "core/signer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using Aws::Internal::SigningRequest;
using Aws::Internal::SigningScope;
using Headers = std::vector<std::pair<std::string_view, std::string_view>>;

constexpr const char* kAccessKey = "AKIDEXAMPLE";
constexpr const char* kSecretKey = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";
constexpr const char* kEmptyHash = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

struct SuiteCase {
    const char* name;
    const char* method;
    const char* query;
    Headers headers;
    const char* body;
    const char* signedHeaders;
    const char* signature;
};

class AwsSuite : public ::testing::TestWithParam<SuiteCase> {};

// Cases from AWS's published SigV4 test suite (example.amazonaws.com, 2015-08-30T12:36:00Z).
TEST_P(AwsSuite, MatchesPublishedSignature) {
    const SuiteCase& c = GetParam();
    SigningRequest request{c.method, "/", c.query, c.headers, {}};
    request.headers.emplace_back("Host", "example.amazonaws.com");
    request.headers.emplace_back("X-Amz-Date", "20150830T123600Z");
    const std::string payloadHash = Aws::Internal::HexSha256(c.body);
    request.payloadHash = payloadHash;
    const auto signature = Aws::Internal::Sign(
        request, SigningScope{"20150830T123600Z", "us-east-1", "service"}, kAccessKey, kSecretKey);
    EXPECT_EQ(signature.authorization,
              std::string("AWS4-HMAC-SHA256 Credential=AKIDEXAMPLE/20150830/us-east-1/service/"
                          "aws4_request, SignedHeaders=") +
                  c.signedHeaders + ", Signature=" + c.signature);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sigv4, AwsSuite, ::testing::Values(
    SuiteCase{"get_vanilla", "GET", "", {}, "", "host;x-amz-date",
              "5fa00fa31553b73ebf1942676e86291e8372ff2a2260956d9b8aae1d763fbf31"},
    SuiteCase{"get_vanilla_query_order_key_case", "GET", "Param2=value2&Param1=value1", {}, "", "host;x-amz-date",
              "b97d918cfa904a5beff61c982a1b6f458b799221646efd99d3219ec94cdf2500"},
    SuiteCase{"get_header_value_trim", "GET", "", {{"My-Header1", " value1"}, {"My-Header2", "\"a   b   c\""}}, "",
              "host;my-header1;my-header2;x-amz-date", "acc3ed3afb60bb290fc8d2dd0098b9911fcaa05412b367055dee359757a9c736"},
    SuiteCase{"post_x_www_form_urlencoded", "POST", "", {{"Content-Type", "application/x-www-form-urlencoded"}},
              "Param1=value1", "content-type;host;x-amz-date",
              "ff11897932ad3f4e8b18135d722051e5ac45fc38421b1da7b9d196a0fe09473a"}),
    [](const ::testing::TestParamInfo<SuiteCase>& info) { return info.param.name; });
// clang-format on

TEST(CanonicalRequest, JoinsRepeatedHeadersAndSortsByLowerCaseName) {
    const SigningRequest request{
        "POST", "/a b/c", "", {{"X-B", "2"}, {"x-a", " one  two "}, {"X-B", "3"}, {"Host", "h"}}, kEmptyHash};
    std::string signedHeaders;
    EXPECT_EQ(Aws::Internal::CanonicalRequest(request, &signedHeaders),
              std::string("POST\n/a%20b/c\n\nhost:h\nx-a:one two\nx-b:2,3\n\nhost;x-a;x-b\n") + kEmptyHash);
    EXPECT_EQ(signedHeaders, "host;x-a;x-b");
}

TEST(CanonicalQueryString, SortsAndNormalisesEncoding) {
    for (const auto& [raw, canonical] :
         std::vector<std::pair<const char*, const char*>>{{"", ""},
                                                          {"b=2&a=1", "a=1&b=2"},
                                                          {"a=2&a=1", "a=1&a=2"},
                                                          {"k=a%2fb", "k=a%2Fb"},
                                                          {"k=a b", "k=a%20b"},
                                                          {"flag", "flag="},
                                                          {"k=%7e", "k=~"}}) {
        EXPECT_EQ(Aws::Internal::CanonicalQueryString(raw), canonical) << raw;
    }
}

}  // namespace
