#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document_fixture.h"

namespace orvane::tessel::aws::definition::testing {
namespace {

using ::testing::ElementsAre;

std::string first_part(const std::string& key) {
    return key.substr(0, key.find('.'));
}

// The blocks of the English order: the key prefixes (or structure collections) that place a key in
// them, and how many keys each holds.
struct block {
    std::string_view name;
    std::vector<std::string_view> prefixes;
    std::size_t size;
};

const std::vector<block>& blocks() {
    static const std::vector<block> all = {
        {"proxy section", {"httpproxy."}, 1},
        {"proxy group", {"httpproxygroup."}, 8},
        {"status codes", {"lookup.status_code."}, 66},
        {"library", {"libi18n.", "libparser.", "libjsonparser.", "libvexahelper."}, 40},
        {"module", {"module."}, 2},
        {"channels", {"channel."}, 75},
        {"errors", {"error."}, 19},
        {"metascan", {"metascan."}, 11},
        {"sensors", {"Sensors"}, 15},
        {"sections", {"Sections"}, 6},
        {"groups", {"Groups"}, 67},
        {"lookups", {"lookup."}, 12},
        {"cost sensor", {"awscost."}, 3},
        {"credentials", {"awscredentials."}, 1}};
    return all;
}

std::size_t block_index(const std::string& key) {
    // Prefixes first: the cost sensor and the credentials section have blocks of their own.
    for (const bool structural : {false, true}) {
        for (std::size_t i = 0; i < blocks().size(); ++i) {
            for (const auto prefix : blocks()[i].prefixes) {
                if ((prefix.back() != '.') != structural) {
                    continue;
                }
                if (structural ? parsed_document()[std::string(prefix)].contains(first_part(key))
                               : key.starts_with(prefix)) {
                    return i;
                }
            }
        }
    }
    ADD_FAILURE() << key << " belongs to no block";
    return blocks().size();
}

std::vector<std::string> keys_in_block(std::size_t index) {
    std::vector<std::string> keys;
    for (const auto& key : keys_of(translation("English"))) {
        if (block_index(key) == index) {
            keys.push_back(key);
        }
    }
    return keys;
}

TEST(EnglishTexts, KeysFormContiguousBlocksOfTheExpectedSizes) {
    const auto keys = keys_of(translation("English"));
    EXPECT_EQ(keys.size(), 326U);
    std::vector<std::size_t> sizes(blocks().size(), 0);
    std::size_t previous = 0;
    for (const auto& key : keys) {
        const auto index = block_index(key);
        ASSERT_LT(index, blocks().size());
        EXPECT_GE(index, previous) << key << " (" << blocks()[index].name << ") comes after a key of "
                                   << blocks()[previous].name;
        previous = index;
        ++sizes[index];
    }
    for (std::size_t i = 0; i < blocks().size(); ++i) {
        EXPECT_EQ(sizes[i], blocks()[i].size) << blocks()[i].name;
    }
}

// The message blocks keep the order of the English texts file; the structural blocks and their texts
// come from the generator (Assembler in generator_test.cpp), whose output the document is.
TEST(EnglishTexts, MessageBlocksFollowTheirSortRules) {
    const auto codes = keys_in_block(2);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end(), [](const std::string& a, const std::string& b) {
        return std::atoi(a.c_str() + 19) < std::atoi(b.c_str() + 19);
    }));
    const auto channels = keys_in_block(5);
    EXPECT_TRUE(std::is_sorted(channels.begin(), channels.end()));
    std::vector<std::string> libraries;
    for (const auto& key : keys_in_block(3)) {
        if (libraries.empty() || libraries.back() != first_part(key)) {
            libraries.push_back(first_part(key));
        }
    }
    EXPECT_THAT(libraries, ElementsAre("libi18n", "libparser", "libjsonparser", "libvexahelper"));
}

// Channels, lookups, the shared proxy, instance names and the currency error stay English.
bool english_only(const std::string& key) {
    return key.starts_with("channel.") || key.starts_with("lookup.") || key.starts_with("httpproxy") ||
           key == "error.changed_billing_currency" ||
           (key.starts_with("metascan.") && key.ends_with("_instance_name"));
}

TEST(EnglishTexts, EveryLanguageTranslatesTheSame158KeysInEnglishOrder) {
    std::vector<std::string> expected;
    for (const auto& key : keys_of(translation("English"))) {
        if (!english_only(key)) {
            expected.push_back(key);
        }
    }
    EXPECT_EQ(expected.size(), 158U);
    for (const auto language : kTranslatedLanguages) {
        EXPECT_EQ(keys_of(translation(language)), expected) << language;
    }
}

TEST(EnglishTexts, CredentialHelpsEndInTheKnowledgeBaseLink) {
    for (const auto* key : {"credentials_group.access_key.help", "credentials_group.secret_key.help"}) {
        // std::regex rather than MatchesRegex: GoogleTest's own regex on Windows has no groups or sets.
        static const std::regex help(
            "Enter the AWS (access|secret) key\\. For more information, see the "
            "Knowledge Base: \\[https://[a-z.]*orvane\\.com/[^\\] ]+\\]");
        EXPECT_TRUE(std::regex_match(display_of(translation("English"), key), help))
            << key << ": " << display_of(translation("English"), key);
    }
}

}  // namespace
}  // namespace orvane::tessel::aws::definition::testing
