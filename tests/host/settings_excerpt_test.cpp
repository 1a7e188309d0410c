#include <gtest/gtest.h>

#include <string>

#include "host/settings_excerpt.h"

namespace {

using orvane::tessel::libvexahelper::settings_excerpt;

#define CUT "\xE2\x80\xA6"

struct excerpt_case {
    const char* name;
    std::string buffer;
    std::string excerpt;
};

class SettingsExcerpt : public ::testing::TestWithParam<excerpt_case> {};

TEST_P(SettingsExcerpt, ShowsTheBufferWithoutAnySecret) {
    EXPECT_EQ(settings_excerpt(GetParam().buffer, 64), GetParam().excerpt);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, SettingsExcerpt,
    ::testing::Values(
        excerpt_case{"plain_values_stay", R"({"kind":"k","settings":{"host":"h"}})",
                     R"({"kind":"k","settings":{"host":"h"}})"},
        excerpt_case{"secure_section_hidden", R"({"secure_settings":{"a":"s1","b":7,"c":{"d":["s2"]}}})",
                     R"({"secure_settings":{"a":"***","b":***,"c":{"d":["***"]}}})"},
        excerpt_case{"secret_names_anywhere", R"({"settings":{"x.y.secret_key":"s","password":"p","z":"v"}})",
                     R"({"settings":{"x.y.secret_key":"***","password":"***","z":"v"}})"},
        excerpt_case{"cut_inside_a_secret", R"({"secure_settings":{"a":"secr)",
                     R"({"secure_settings":{"a":"***)" CUT},
        excerpt_case{"raw_tab_inside_a_secret", "{\"secure_settings\":{\"a\":\"se\tcret\"},\"x\":1}",
                     R"({"secure_settings":{"a":"***"},"x":1})"},
        excerpt_case{"invalid_utf8_inside_a_secret", "{\"password\":\"s\xff\xfe\"}", R"({"password":"***"})"},
        excerpt_case{"quote_inside_a_secret", R"({"secure_settings":{"a":"sec"ret","b":"x"}})",
                     R"({"secure_settings":{"a":"***")" CUT},
        excerpt_case{"escaped_quote_runs_on",
                     R"({"password":"sec\",")"
                     "\n"
                     R"("host":"h"})",
                     R"({"password":"***")"
                     "\n" CUT},
        excerpt_case{"unquoted_secret", R"({"password":secret,"a":"b"})", R"({"password":***,"a":"b"})"},
        excerpt_case{"escaped_key_may_name_a_secret", R"({"secure\u005fsettings":{"a":"s"}})",
                     R"({"secure\u005fsettings":{"a":"***"}})"},
        excerpt_case{"missing_comma_stops", R"({"kind":"k" "secure_settings":{"a":"s"}})",
                     R"({"kind":"k" )" CUT},
        excerpt_case{"missing_colon_stops", R"({"password" "s"})", R"({"password" )" CUT},
        excerpt_case{"garbage_stops", "\xff\xfe{\"password\":\"s\"}", CUT},
        excerpt_case{
            "long_buffer_is_cut",
            R"({"settings":{"host":"0123456789012345678901234567890123456789012345678901234567890"}})",
            R"({"settings":{"host":"0123456789012345678901234567890123456789012)" CUT},
        excerpt_case{"trailing_bytes_stop", R"({"a":"b"} {"password":"s"})", R"({"a":"b"} )" CUT}),
    [](const auto& info) { return info.param.name; });

}  // namespace
