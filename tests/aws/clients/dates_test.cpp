#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "aws/clients/dates.h"
#include "framework/exceptions.h"

namespace {

using namespace orvane::tessel::aws;
using namespace date::literals;

TEST(Dates, MonthEndsFollowTheGregorianRules) {
    EXPECT_EQ(utils::last_day_of_month(2024_y / date::February / 10), 2024_y / date::February / 29);
    EXPECT_EQ(utils::last_day_of_month(2100_y / date::February / 1), 2100_y / date::February / 28);
    EXPECT_EQ(utils::last_day_of_month(2000_y / date::February / 1), 2000_y / date::February / 29);
    EXPECT_EQ(utils::last_day_of_month(2023_y / date::February / 28), 2023_y / date::February / 28);
    EXPECT_EQ(utils::last_day_of_month(2025_y / date::April / 30), 2025_y / date::April / 30);
    EXPECT_EQ(utils::last_day_of_month(2025_y / date::December / 31), 2025_y / date::December / 31);
}

TEST(Dates, FirstAndLastDaysOfTheYearAndMonth) {
    const auto day = 2024_y / date::March / 1;
    EXPECT_EQ(utils::first_day_of_month(day), 2024_y / date::March / 1);
    EXPECT_EQ(utils::first_day_of_year(day), 2024_y / date::January / 1);
    EXPECT_EQ(utils::last_day_of_year(day), 2024_y / date::December / 31);
}

TEST(Dates, TextIsZeroFilledAndInvalidDatesAreRefused) {
    EXPECT_EQ(utils::to_string(2024_y / date::February / 29), "2024-02-29");
    EXPECT_EQ(utils::to_string(date::year{987} / date::March / 5), "0987-03-05");
    EXPECT_EQ(utils::to_string(date::year{12345} / date::December / 31), "12345-12-31");
    EXPECT_EQ(utils::to_string(date::year{-5} / date::January / 1), "-0005-01-01");
    try {
        utils::to_string(2023_y / date::February / 29);
        FAIL() << "no exception";
    } catch (const utils::invalid_date& error) {
        EXPECT_EQ(error.message().encoded(),
                  "#:error.invalid_date[2023-02-29 is not a valid year_month_day]");
    }
}

TEST(Dates, TodayIsTheUtcDate) {
    const auto today = utils::utc_today();
    EXPECT_TRUE(today.ok());
    EXPECT_EQ(date::sys_days(today), date::floor<date::days>(std::chrono::system_clock::now()));
}

struct align_case {
    std::int64_t value, multiple, expected;
};

void PrintTo(const align_case& c, std::ostream* os) {
    *os << c.value << " to " << c.multiple;
}

class AlignUp : public ::testing::TestWithParam<align_case> {};

TEST_P(AlignUp, GivesTheSmallestMultipleNotBelowTheValue) {
    EXPECT_EQ(utils::align_up(GetParam().value, GetParam().multiple), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Periods, AlignUp,
                         ::testing::Values(align_case{300, 60, 300}, align_case{300, 300, 300},
                                           align_case{310, 60, 360}, align_case{310, 300, 600},
                                           align_case{301, 60, 360}, align_case{60, 300, 300},
                                           align_case{1, 60, 60}, align_case{0, 60, 0},
                                           align_case{900, 300, 900}, align_case{21600, 300, 21600}));

TEST(AlignUp, ZeroMultipleIsRefused) {
    try {
        utils::align_up(5, 0);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "<num> must not be 0");
    }
}

}  // namespace
