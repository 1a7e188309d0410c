#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aws/clients/paging.h"

namespace {

using namespace orvane::tessel;

enum class ending { last_page, overflow, repeated_token };

struct paging_case {
    const char* name;
    int max_pages;
    std::vector<std::string> next_tokens;  // what each page answers; the last one repeats
    std::size_t pages_read;
    ending end;
};

class FollowPages : public ::testing::TestWithParam<paging_case> {};

TEST_P(FollowPages, ReadsEveryPageUpToTheBoundAndNeverLoops) {
    const auto& c = GetParam();
    std::vector<std::string> asked_with;
    std::string token;
    const auto read_page = [&] {
        asked_with.push_back(token);
        return c.next_tokens[std::min(asked_with.size(), c.next_tokens.size()) - 1];
    };
    ending end = ending::last_page;
    try {
        aws::follow_pages(c.max_pages, read_page, [&](const std::string& next) { token = next; });
    } catch (const aws::exceptions::result_pages_overflow& error) {
        end = ending::overflow;
        EXPECT_EQ(error.message().encoded(),
                  "#:error.result_pages_overflow[" + std::to_string(c.max_pages) + "]");
    } catch (const libi18n::error_generic&) {
        end = ending::repeated_token;
    }
    EXPECT_EQ(end, c.end);
    ASSERT_EQ(asked_with.size(), c.pages_read);
    for (std::size_t i = 1; i < asked_with.size(); ++i) {
        EXPECT_EQ(asked_with[i], c.next_tokens[i - 1]) << "page " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Listings, FollowPages,
    ::testing::Values(
        paging_case{"one_page", 100, {""}, 1, ending::last_page},
        paging_case{"three_pages", 100, {"a", "b", ""}, 3, ending::last_page},
        paging_case{"last_allowed_page_ends", 3, {"a", "b", ""}, 3, ending::last_page},
        paging_case{"last_allowed_page_names_another", 3, {"a", "b", "c", ""}, 3, ending::overflow},
        paging_case{"bound_of_one", 1, {"a", ""}, 1, ending::overflow},
        paging_case{"unbounded_runs_on", aws::unbounded, {"a", "b", "c", "d", "e", ""}, 6, ending::last_page},
        paging_case{"same_token_again", aws::unbounded, {"a", "a"}, 2, ending::repeated_token},
        paging_case{"same_token_within_bound", 100, {"a", "b", "b"}, 3, ending::repeated_token}),
    [](const auto& info) { return info.param.name; });

}  // namespace
