#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <string>

#include "libs/stringutils/safe_text.h"

namespace {

using namespace orvane::tessel::libstringutils;

std::string json_of(std::string_view text) {
    std::string out;
    append_json_string(out, text);
    return out;
}

std::string log_of(std::string_view text) {
    std::string out;
    append_log_text(out, text);
    return out;
}

#define FFFD "\xEF\xBF\xBD"

struct safe_case {
    const char* name;
    std::string input;
    std::string json;
    std::string log;
};

class SafeText : public ::testing::TestWithParam<safe_case> {};

TEST_P(SafeText, EscapesControlsAndReplacesIllFormedUtf8) {
    const auto& c = GetParam();
    EXPECT_EQ(json_of(c.input), "\"" + c.json + "\"");
    EXPECT_EQ(log_of(c.input), c.log);
}

// Ill-formed sequences follow Unicode's "maximal subpart" practice: each maximal subpart of an
// ill-formed sequence becomes one U+FFFD, and decoding restarts at the byte that broke it.
INSTANTIATE_TEST_SUITE_P(
    Texts, SafeText,
    ::testing::Values(
        safe_case{"plain", "plain text", "plain text", "plain text"},
        safe_case{"quote_and_backslash", "a\"b\\c", "a\\\"b\\\\c", "a\"b\\c"},
        safe_case{"short_escapes", "\n\r\t\b\f", "\\n\\r\\t\\b\\f", "\\n\\r\\t\\b\\f"},
        safe_case{"other_c0_and_del", std::string("\x01\x1f\x7f\0x", 5), "\\u0001\\u001f\\u007f\\u0000x",
                  "\\u0001\\u001f\\u007f\\u0000x"},
        safe_case{"c1_control", "\xC2\x85\xC2\x9F", "\\u0085\\u009f", "\\u0085\\u009f"},
        safe_case{"no_break_space_stays", "\xC2\xA0", "\xC2\xA0", "\xC2\xA0"},
        safe_case{"line_separators", "\xE2\x80\xA8\xE2\x80\xA9", "\\u2028\\u2029", "\\u2028\\u2029"},
        safe_case{"valid_multibyte", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
                  "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        safe_case{"lone_continuation", "a\x80z", "a" FFFD "z", "a" FFFD "z"},
        safe_case{"bom_bytes_alone", "\xff\xfe{}", FFFD FFFD "{}", FFFD FFFD "{}"},
        safe_case{"truncated_three_byte",
                  "\xE2\x82"
                  "a",
                  FFFD "a", FFFD "a"},
        safe_case{"overlong_slash", "\xC0\xAF", FFFD FFFD, FFFD FFFD},
        safe_case{"encoded_surrogate", "\xED\xA0\x80", FFFD FFFD FFFD, FFFD FFFD FFFD},
        safe_case{"above_unicode", "\xF4\x90\x80\x80", FFFD FFFD FFFD FFFD, FFFD FFFD FFFD FFFD},
        safe_case{"cut_at_end", "ok\xF0\x9F\x98", "ok" FFFD, "ok" FFFD},
        safe_case{"break_inside_then_quote", "\xE2\"", FFFD "\\\"", FFFD "\""}),
    [](const auto& info) { return info.param.name; });

// Whatever the bytes, a strict JSON reader takes the string, and a log entry stays on one line.
TEST(SafeText, AnyBytesGiveStrictJsonAndOneLogLine) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 24), '\0');
        for (auto& b : bytes) {
            b = static_cast<char>(random() % 4 == 0 ? 0x80 + random() % 0x80 : random() % 0x100);
        }
        const std::string json = json_of(bytes);
        ASSERT_FALSE(nlohmann::json::parse(json, nullptr, false).is_discarded()) << json;
        // A log text that is already valid UTF-8 without controls comes through unchanged.
        const std::string log = log_of(bytes);
        ASSERT_EQ(log_of(log), log);
    }
}

}  // namespace
