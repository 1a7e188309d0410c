#include "core/signer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Aws::Internal::SigningRequest;
using Aws::Internal::SigningScope;

constexpr const char* kAccessKey = "AKIDEXAMPLE";
constexpr const char* kSecretKey = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";
constexpr const char* kEmptyHash = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

struct SuiteCase {
    const char* name;
    const char* method;
    const char* query;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    const char* signedHeaders;
    const char* signature;
};

class AwsSuite : public ::testing::TestWithParam<SuiteCase> {};

// Cases from AWS's published SigV4 test suite (example.amazonaws.com, 2015-08-30T12:36:00Z).
TEST_P(AwsSuite, MatchesPublishedSignature) {
    const SuiteCase& c = GetParam();
    std::vector<std::pair<std::string, std::string>> headers = c.headers;
    headers.emplace_back("Host", "example.amazonaws.com");
    headers.emplace_back("X-Amz-Date", "20150830T123600Z");
    SigningRequest request;
    request.method = c.method;
    request.path = "/";
    request.query = c.query;
    for (const auto& [name, value] : headers) {
        request.headers.emplace_back(name, value);
    }
    const std::string payloadHash = Aws::Internal::HexSha256(c.body);
    request.payloadHash = payloadHash;
    const auto signature = Aws::Internal::Sign(
        request, SigningScope{"20150830T123600Z", "us-east-1", "service"}, kAccessKey, kSecretKey);
    EXPECT_EQ(signature.signedHeaders, c.signedHeaders);
    EXPECT_EQ(signature.signature, c.signature);
    EXPECT_EQ(signature.authorization,
              std::string("AWS4-HMAC-SHA256 Credential=AKIDEXAMPLE/20150830/us-east-1/service/"
                          "aws4_request, SignedHeaders=") +
                  c.signedHeaders + ", Signature=" + c.signature);
}

INSTANTIATE_TEST_SUITE_P(
    Sigv4, AwsSuite,
    ::testing::Values(SuiteCase{"get_vanilla",
                                "GET",
                                "",
                                {},
                                "",
                                "host;x-amz-date",
                                "5fa00fa31553b73ebf1942676e86291e8372ff2a2260956d9b8aae1d763fbf31"},
                      SuiteCase{"get_vanilla_query_order_key_case",
                                "GET",
                                "Param2=value2&Param1=value1",
                                {},
                                "",
                                "host;x-amz-date",
                                "b97d918cfa904a5beff61c982a1b6f458b799221646efd99d3219ec94cdf2500"},
                      SuiteCase{"get_header_value_trim",
                                "GET",
                                "",
                                {{"My-Header1", " value1"}, {"My-Header2", "\"a   b   c\""}},
                                "",
                                "host;my-header1;my-header2;x-amz-date",
                                "acc3ed3afb60bb290fc8d2dd0098b9911fcaa05412b367055dee359757a9c736"},
                      SuiteCase{"post_x_www_form_urlencoded",
                                "POST",
                                "",
                                {{"Content-Type", "application/x-www-form-urlencoded"}},
                                "Param1=value1",
                                "content-type;host;x-amz-date",
                                "ff11897932ad3f4e8b18135d722051e5ac45fc38421b1da7b9d196a0fe09473a"}),
    [](const ::testing::TestParamInfo<SuiteCase>& info) { return info.param.name; });

TEST(CanonicalRequest, JoinsRepeatedHeadersAndSortsByLowerCaseName) {
    SigningRequest request;
    request.method = "POST";
    request.path = "/a b/c";
    request.headers = {{"X-B", "2"}, {"x-a", " one  two "}, {"X-B", "3"}, {"Host", "h"}};
    request.payloadHash = kEmptyHash;
    std::string signedHeaders;
    const std::string canonical = Aws::Internal::CanonicalRequest(request, &signedHeaders);
    EXPECT_EQ(canonical,
              std::string("POST\n/a%20b/c\n\nhost:h\nx-a:one two\nx-b:2,3\n\nhost;x-a;x-b\n") + kEmptyHash);
    EXPECT_EQ(signedHeaders, "host;x-a;x-b");
}

TEST(CanonicalQueryString, SortsAndNormalisesEncoding) {
    struct Case {
        const char* raw;
        const char* canonical;
    };
    for (const Case& c :
         {Case{"", ""}, Case{"b=2&a=1", "a=1&b=2"}, Case{"a=2&a=1", "a=1&a=2"}, Case{"k=a%2fb", "k=a%2Fb"},
          Case{"k=a b", "k=a%20b"}, Case{"flag", "flag="}, Case{"k=%7e", "k=~"}}) {
        EXPECT_EQ(Aws::Internal::CanonicalQueryString(c.raw), c.canonical) << c.raw;
    }
}

TEST(SigningKey, CachedKeySignsLikeTheSecret) {
    SigningRequest request;
    request.method = "POST";
    request.path = "/";
    request.headers = {{"host", "ec2.us-east-1.amazonaws.com"}, {"x-amz-date", "20240501T000000Z"}};
    request.payloadHash = kEmptyHash;
    const SigningScope scope{"20240501T000000Z", "us-east-1", "ec2"};
    const auto key = Aws::Internal::DeriveSigningKey(kSecretKey, "20240501", "us-east-1", "ec2");
    EXPECT_EQ(Aws::Internal::SignWithKey(request, scope, kAccessKey, key).authorization,
              Aws::Internal::Sign(request, scope, kAccessKey, kSecretKey).authorization);
    const auto otherDay = Aws::Internal::DeriveSigningKey(kSecretKey, "20240502", "us-east-1", "ec2");
    EXPECT_NE(Aws::Internal::SignWithKey(request, scope, kAccessKey, otherDay).signature,
              Aws::Internal::Sign(request, scope, kAccessKey, kSecretKey).signature);
}

}  // namespace
