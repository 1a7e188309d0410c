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

// Table names, the encoded entity and an unknown code shown as it is are in the meta-scan rows
// (metascans_test.cpp); here the codes that are near a table entry but not one.
INSTANTIATE_TEST_SUITE_P(Codes, RegionDisplayName,
                         ::testing::Values(display_case{"me-south-1", "Middle East (Bahrain)"},
                                           display_case{"aws-global", "aws-global"},
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
