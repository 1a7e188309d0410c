#include <gtest/gtest.h>

#include <ostream>

#include <stdexcept>
#include <string>
#include <vector>

#include "libs/i18n/format.h"
#include "libs/i18n/i18n.h"

namespace {

using namespace orvane::tessel;

struct format_case {
    const char* name;
    std::string text;
    std::vector<std::string> arguments;
    std::string expected;
};

void PrintTo(const format_case& c, std::ostream* os) {
    *os << c.name;
}

class FormatRenders : public ::testing::TestWithParam<format_case> {};

TEST_P(FormatRenders, AsExpected) {
    const auto& c = GetParam();
    EXPECT_EQ(libstringutils::format(c.text, c.arguments), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, FormatRenders,
    ::testing::Values(format_case{"page_limit",
                                  "Too many results. Reached limit of %0:s pages.",
                                  {"10"},
                                  "Too many results. Reached limit of 10 pages."},
                      format_case{"escaped_percent_at_end", "100%%", {}, "100%"},
                      format_case{"escaped_percent_before_digits", "%%0:s", {"x"}, "%0:s"},
                      format_case{"two_digit_index",
                                  "%10:s",
                                  {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"},
                                  "ten"},
                      format_case{"repeated_and_reordered", "%1:s-%0:s-%1:s", {"a", "b"}, "b-a-b"},
                      format_case{"argument_not_rescanned", "[%0:s]", {"%1:s %%"}, "[%1:s %%]"},
                      format_case{"unused_arguments_ignored", "plain", {"a", "b"}, "plain"},
                      format_case{"empty_argument", "request. %0:s", {""}, "request. "},
                      format_case{"no_placeholders", "", {}, ""}),
    [](const auto& info) { return info.param.name; });

struct failing_case {
    const char* name;
    std::string text;
    std::size_t arguments;
    std::string message;
};

void PrintTo(const failing_case& c, std::ostream* os) {
    *os << c.name;
}

class FormatRejects : public ::testing::TestWithParam<failing_case> {};

TEST_P(FormatRejects, WithItsMessage) {
    const auto& c = GetParam();
    const std::vector<std::string> arguments(c.arguments, "x");
    try {
        libstringutils::format(c.text, arguments);
        FAIL() << "no exception";
    } catch (const libstringutils::exception& error) {
        EXPECT_EQ(std::string(error.what()), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, FormatRejects,
    ::testing::Values(
        failing_case{"lone_percent_at_end", "50 %", 1, "Malformed placeholder in format string."},
        failing_case{"other_letter", "%0:x", 1, "Malformed placeholder in format string."},
        failing_case{"no_digits", "%:s", 1, "Malformed placeholder in format string."},
        failing_case{"missing_colon", "%0s", 1, "Malformed placeholder in format string."},
        failing_case{"index_equal_to_count", "%2:s", 2, "Index 2 is too high for argument list."},
        failing_case{"no_arguments", "%0:s", 0, "Index 0 is too high for argument list."}),
    [](const auto& info) { return info.param.name; });

TEST(Format, HugeIndexKeepsTheStandardConversionError) {
    try {
        libstringutils::format("%99999999999999999999999:s", std::vector<std::string>{});
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "stol argument out of range");
    }
}

TEST(Format, ErrorsAreNotLocalised) {
    EXPECT_THROW(libstringutils::format("%", std::vector<std::string>{}), libexception::exception);
    static_assert(!std::is_base_of_v<libi18n::i18n_exception, libstringutils::format_string_error>);
}

constexpr libi18n::i18n_text no_datapoints{"error.no_datapoints_found",
                                           "There is no data for any of the requested metrics."};
constexpr libi18n::i18n_text two_arguments{"test.two", "%0:s and %1:s"};

TEST(Message, WithoutArgumentsHasEmptyBrackets) {
    const libi18n::i18n_msg message(no_datapoints);
    EXPECT_EQ(message.encoded(), "#:error.no_datapoints_found[]");
    EXPECT_EQ(message.english(), "There is no data for any of the requested metrics.");
}

TEST(Message, EscapesEveryStructuralCharacterOfArguments) {
    const libi18n::i18n_msg message(two_arguments, "a,b:c", R"(\#[]x)");
    EXPECT_EQ(message.encoded(), R"(#:test.two[a\,b\:c,\\\#\[\]x])");
    EXPECT_EQ(message.english(), R"(a,b:c and \#[]x)");
}

TEST(Message, PlainMessageIsItsOwnEncodedForm) {
    const auto message = libi18n::i18n_msg::plain("web-01 (i-1)");
    EXPECT_EQ(message.encoded(), "web-01 (i-1)");
    EXPECT_EQ(message.english(), "web-01 (i-1)");
}

TEST(Message, TooFewArgumentsFailsWhileBuilding) {
    EXPECT_THROW(libi18n::i18n_msg(two_arguments, "only one"),
                 libstringutils::placeholder_index_not_in_arguments);
}

}  // namespace
