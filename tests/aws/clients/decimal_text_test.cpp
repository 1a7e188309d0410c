// Log lines and cost amounts inside a host whose process runs in a decimal-comma locale.
#include <cerrno>
#include <cmath>
#include <limits>
#include <string>

#include "aws/clients/decimal_text.h"
#include "tests/support/comma_locale.h"

namespace {

using orvane::tessel::aws::c_strtod;
using orvane::tessel::aws::six_decimals;

struct printed {
    double value;
    const char* text;
};

class SixDecimals : public CommaLocale, public ::testing::WithParamInterface<printed> {};

TEST_P(SixDecimals, WritesWhatPrintfWritesInTheCLocale) {
    EXPECT_EQ(six_decimals(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, SixDecimals,
                         ::testing::Values(printed{12.5, "12.500000"}, printed{-0.0000004, "-0.000000"},
                                           printed{0.0000015, "0.000002"},
                                           printed{1e15, "1000000000000000.000000"},
                                           printed{std::numeric_limits<double>::infinity(), "inf"}));

struct parsed {
    const char* text;
    double value;
    long consumed;
    bool out_of_range;
};

class CStrtod : public CommaLocale, public ::testing::WithParamInterface<parsed> {};

TEST_P(CStrtod, ReadsLikeStrtodInTheCLocale) {
    const auto& c = GetParam();
    char* end = nullptr;
    errno = 0;
    const double value = c_strtod(c.text, &end);
    EXPECT_DOUBLE_EQ(value, c.value);
    EXPECT_EQ(end - c.text, c.consumed);
    EXPECT_EQ(errno == ERANGE, c.out_of_range);
}

INSTANTIATE_TEST_SUITE_P(Texts, CStrtod,
                         ::testing::Values(parsed{"12.5", 12.5, 4, false}, parsed{"12,5", 12.0, 2, false},
                                           parsed{"  -0.25 USD", -0.25, 7, false},
                                           parsed{"0x10", 16.0, 4, false}, parsed{"abc", 0.0, 0, false},
                                           parsed{"1e999", HUGE_VAL, 5, true}));

}  // namespace
