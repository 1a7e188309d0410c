#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "aws/discovery/regions.h"

namespace {

using orvane::tessel::aws::region_display_name;

struct display_case {
    std::string code;
    std::string expected;
};

class RegionDisplayName : public ::testing::TestWithParam<display_case> {};

TEST_P(RegionDisplayName, IsTheTableNameOrTheCodeUnchanged) {
    EXPECT_EQ(region_display_name(GetParam().code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Codes, RegionDisplayName,
                         ::testing::Values(display_case{"eu-south-1", "Europe (Milan)"},
                                           display_case{"us-east-1", "US East (Northern Virginia)"},
                                           display_case{"ap-northeast-3", "Asia Pacific (Osaka-Local)"},
                                           display_case{"me-south-1", "Middle East (Bahrain)"},
                                           // The entity stays encoded: the host renders it.
                                           display_case{"sa-east-1", "South America (S&atilde;o Paulo)"},
                                           // Not regions of the table: shown as they are.
                                           display_case{"aws-global", "aws-global"},
                                           display_case{"ap-south-2", "ap-south-2"},
                                           display_case{"US-EAST-1", "US-EAST-1"},
                                           display_case{"us-east-1 ", "us-east-1 "}, display_case{"", ""}));

// The index is built on first use; hosts run meta-scans on several threads at once.
TEST(RegionTable, FirstUseFromManyThreadsAgrees) {
    std::vector<std::string> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] { seen[i] = region_display_name("eu-north-1"); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_THAT(seen, ::testing::Each(std::string("Europe (Stockholm)")));
}

}  // namespace
