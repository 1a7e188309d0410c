#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "host/exceptions.h"
#include "host/kinds.h"

namespace {

using namespace orvane::tessel::libvexahelper;

struct integer_case {
    std::string text;
    std::optional<std::int64_t> value;
    std::string error;  // encoded error, empty when accepted
};

void PrintTo(const integer_case& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class KindInteger : public ::testing::TestWithParam<integer_case> {};

TEST_P(KindInteger, ParsesWholeDecimalNumbersInsideTheBounds) {
    const auto& c = GetParam();
    const integer_rules rules{-10, 100, "limit"};
    try {
        EXPECT_EQ(kind_integer::parse_and_validate(c.text, rules), c.value);
        EXPECT_TRUE(c.error.empty());
    } catch (const orvane::tessel::libi18n::i18n_exception& error) {
        EXPECT_EQ(error.message().encoded(), c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, KindInteger,
    ::testing::Values(
        integer_case{"", std::nullopt, ""}, integer_case{"0", 0, ""}, integer_case{"+7", 7, ""},
        integer_case{"-10", -10, ""}, integer_case{"100", 100, ""},
        integer_case{"101", std::nullopt, "#:libvexahelper.error.setting_invalid_bigger_max[101,limit,100]"},
        integer_case{"-11", std::nullopt, "#:libvexahelper.error.setting_invalid_less_min[-11,limit,-10]"},
        integer_case{" 5", std::nullopt, "#:libvexahelper.error.setting_invalid[ 5,limit]"},
        integer_case{"5 ", std::nullopt, "#:libvexahelper.error.setting_invalid[5 ,limit]"},
        integer_case{"1e3", std::nullopt, "#:libvexahelper.error.setting_invalid[1e3,limit]"},
        integer_case{"+", std::nullopt, "#:libvexahelper.error.setting_invalid[+,limit]"},
        integer_case{"--1", std::nullopt, "#:libvexahelper.error.setting_invalid[--1,limit]"},
        integer_case{"99999999999999999999", std::nullopt,
                     "#:libvexahelper.error.setting_invalid[99999999999999999999,limit]"}));

TEST(KindInteger, UnboundedRulesAcceptTheWholeRange) {
    const integer_rules rules{std::nullopt, std::nullopt, "x"};
    EXPECT_EQ(kind_integer::parse_and_validate("-9223372036854775808", rules), INT64_MIN);
    EXPECT_EQ(kind_integer::parse_and_validate("9223372036854775807", rules), INT64_MAX);
}

TEST(KindString, LengthLimitIsOptional) {
    EXPECT_EQ(kind_string::parse_and_validate("abc", {std::nullopt, "s"}), "abc");
    EXPECT_EQ(kind_string::parse_and_validate("abc", {3, "s"}), "abc");
    EXPECT_THROW(kind_string::parse_and_validate("abcd", {3, "s"}), utils::exceptions::string_too_long);
    EXPECT_THROW(kind_securestring::parse_and_validate(secure_string("abcd"), {3, "s"}),
                 utils::exceptions::string_too_long);
}

}  // namespace
