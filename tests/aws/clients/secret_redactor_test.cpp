#include <gtest/gtest.h>

#include <string>

#include "aws/clients/secret_redactor.h"

namespace {

using orvane::tessel::aws::secret_redactor;

struct redaction_case {
    const char* name;
    secret_redactor redactor;
    std::string text;
    std::string shown;
};

class SecretRedactor : public ::testing::TestWithParam<redaction_case> {};

TEST_P(SecretRedactor, HidesEveryFormOfTheSecrets) {
    EXPECT_EQ(GetParam().redactor.redact(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SecretRedactor,
    ::testing::Values(
        redaction_case{"nothing_to_hide", {}, "a text", "a text"},
        redaction_case{
            "every_occurrence", {"s3cr3tKey", "", ""}, "s3cr3tKeys3cr3tKey and s3cr3tKey", "****** and ***"},
        redaction_case{"lower_case_percent", {"a/b+c=d", "", ""}, "q=a%2fb%2bc%3dd&", "q=***&"},
        redaction_case{"json_escaped_slash", {"a/b+c=d", "", ""}, R"({"k":"a\/b+c=d"})", R"({"k":"***"})"},
        redaction_case{"basic_credentials", {"", "user", "secret"}, "Basic dXNlcjpzZWNyZXQ=", "Basic ***"},
        redaction_case{"password_alone", {"", "", "p4ssw0rd"}, "p4ssw0rd!", "***!"},
        // Shorter than four characters is a common word or number, never hidden.
        redaction_case{"short_secret_kept", {"abc", "u", "xyz"}, "abc xyz", "abc xyz"},
        redaction_case{"longest_form_first", {"a&bcd", "", ""}, "a&amp;bcd a&bcd", "*** ***"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
