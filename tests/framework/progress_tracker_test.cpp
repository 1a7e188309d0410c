#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "framework/templates/progress_tracker.h"

namespace {

using orvane::tessel::libvexahelper::metascans::progress_tracker;

TEST(ProgressTracker, FourStepsReachOneHundred) {
    progress_tracker progress(4);
    EXPECT_EQ(progress.step(), 25u);
    EXPECT_EQ(progress.step(), 50u);
    EXPECT_EQ(progress.step(), 75u);
    EXPECT_EQ(progress.step(), 100u);
}

TEST(ProgressTracker, NextPhaseSharesWhatIsLeft) {
    progress_tracker progress(4);
    progress.step();
    progress.step();
    EXPECT_EQ(progress.set_maximum(2), 50u);
    EXPECT_EQ(progress.step(), 75u);
    EXPECT_EQ(progress.step(), 100u);
}

TEST(ProgressTracker, ZeroStepsAreRefused) {
    progress_tracker progress(4);
    try {
        progress.set_maximum(0);
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "Maximum must be greater than 0.");
    }
    EXPECT_THROW(progress_tracker(0), std::out_of_range);
}

// The discovery walk: two steps of 100 for the region listing, then one phase per region.
std::vector<unsigned> region_walk(unsigned regions) {
    progress_tracker progress(100);
    std::vector<unsigned> reported{progress.step()};
    progress.step();
    progress.set_maximum(regions);
    for (unsigned i = 0; i < regions; ++i) {
        reported.push_back(progress.percentage());
        progress.step();
    }
    return reported;
}

// The exact percentages of 1, 3 and 17 regions are what metascans_test.cpp expects of every kind.
TEST(ProgressTracker, RegionWalkNeverGoesBackwardsNorReachesOneHundred) {
    for (unsigned n : {2u, 5u, 21u, 98u, 99u, 250u}) {
        const auto reported = region_walk(n);
        for (std::size_t i = 1; i < reported.size(); ++i) {
            EXPECT_LE(reported[i - 1], reported[i]) << n << " regions";
            EXPECT_LT(reported[i], 100u) << n << " regions";
        }
    }
}

}  // namespace
