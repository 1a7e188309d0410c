#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document_fixture.h"

namespace orvane::tessel::aws::definition::testing {
namespace {

using ::testing::ElementsAre;

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string first_part(const std::string& key) {
    return key.substr(0, key.find('.'));
}

// The blocks of the English order, each with the number of keys it holds.
struct block {
    std::string_view name;
    std::size_t size;
};

constexpr std::array kBlocks = {
    block{"proxy section", 1}, block{"proxy group", 8}, block{"status codes", 66}, block{"library", 40},
    block{"module", 2},        block{"channels", 75},   block{"errors", 19},       block{"metascan", 11},
    block{"sensors", 15},      block{"sections", 6},    block{"groups", 67},       block{"lookups", 12},
    block{"cost sensor", 3},   block{"credentials", 1},
};

std::size_t block_index(const std::string& key) {
    const auto& doc = parsed_document();
    const auto head = first_part(key);
    if (key == "httpproxy.display") {
        return 0;
    }
    if (head == "httpproxygroup") {
        return 1;
    }
    if (starts_with(key, "lookup.status_code.")) {
        return 2;
    }
    if (head == "libi18n" || head == "libparser" || head == "libjsonparser" || head == "libvexahelper") {
        return 3;
    }
    const std::map<std::string, std::size_t> by_prefix = {
        {"module", 4},   {"channel", 5},         {"error", 6},  {"metascan", 7},
        {"awscost", 12}, {"awscredentials", 13}, {"lookup", 11}};
    if (const auto found = by_prefix.find(head); found != by_prefix.end()) {
        return found->second;
    }
    if (doc["Sensors"].contains(head)) {
        return 8;
    }
    if (doc["Sections"].contains(head)) {
        return 9;
    }
    if (doc["Groups"].contains(head)) {
        return 10;
    }
    ADD_FAILURE() << key << " belongs to no block";
    return kBlocks.size();
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

bool english_only(const std::string& key) {
    return starts_with(key, "channel.") || starts_with(key, "lookup.") || key == "httpproxy.display" ||
           starts_with(key, "httpproxygroup.") || key == "error.changed_billing_currency" ||
           (starts_with(key, "metascan.") && key.size() > 14 &&
            key.substr(key.size() - 14) == "_instance_name");
}

TEST(EnglishTexts, LanguagesComeInTheirFixedOrder) {
    EXPECT_THAT(keys_of(parsed_document()["Text"]),
                ElementsAre("English", "Russian", "Brazilian", "Dutch", "Japanese", "French", "Spanish",
                            "German", "SimplifiedChinese"));
}

TEST(EnglishTexts, KeysFormContiguousBlocksOfTheExpectedSizes) {
    const auto keys = keys_of(translation("English"));
    EXPECT_EQ(keys.size(), 326U);
    std::vector<std::size_t> sizes(kBlocks.size(), 0);
    std::size_t previous = 0;
    for (const auto& key : keys) {
        const auto index = block_index(key);
        ASSERT_LT(index, kBlocks.size());
        EXPECT_GE(index, previous) << key << " (" << kBlocks[index].name << ") comes after a key of "
                                   << kBlocks[previous].name;
        previous = index;
        ++sizes[index];
    }
    for (std::size_t i = 0; i < kBlocks.size(); ++i) {
        EXPECT_EQ(sizes[i], kBlocks[i].size) << kBlocks[i].name;
    }
}

TEST(EnglishTexts, WithinBlocksKeysFollowTheirSortRules) {
    // Status codes in numeric order, channels by name.
    const auto codes = keys_in_block(2);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end(), [](const std::string& a, const std::string& b) {
        return std::atoi(a.c_str() + 19) < std::atoi(b.c_str() + 19);
    }));
    const auto channels = keys_in_block(5);
    EXPECT_TRUE(std::is_sorted(channels.begin(), channels.end()));
    // Library keys keep the listing order: libi18n, libparser, libjsonparser, then libvexahelper.
    const auto library = keys_in_block(3);
    EXPECT_EQ(library.front(), "libi18n.error.generic");
    EXPECT_EQ(library[1], "libparser.error.empty_result");
    EXPECT_EQ(library[3], "libjsonparser.error.conversion");
    EXPECT_EQ(library[13], "libvexahelper.error.service_container");
    EXPECT_EQ(library.back(), "libvexahelper.error.invalid_reverse_lookup_value");
    EXPECT_THAT(keys_in_block(4), ElementsAre("module.display", "module.description"));
    EXPECT_THAT(keys_in_block(12), ElementsAre("awscost.display", "awscost.description", "awscost.help"));
}

TEST(EnglishTexts, SensorsAreSortedByNameWithDisplayDescriptionHelp) {
    std::vector<std::string> expected;
    for (const auto* sensor : {"alarm_sensor", "ebs_sensor", "ec2_sensor", "elb_sensor", "rds_sensor"}) {
        for (const auto* field : {".display", ".description", ".help"}) {
            expected.push_back(std::string(sensor) + field);
        }
    }
    EXPECT_EQ(keys_in_block(8), expected);
    const auto sections = keys_in_block(9);
    EXPECT_TRUE(std::is_sorted(sections.begin(), sections.end()));
}

TEST(EnglishTexts, GroupKeysAreSortedByGroupThenSettingAndKeepOptionOrder) {
    const auto& groups = parsed_document()["Groups"];
    std::vector<std::string> expected;
    std::vector<std::string> group_names = keys_of(groups);
    std::sort(group_names.begin(), group_names.end());
    for (const auto& group : group_names) {
        if (group == "httpproxygroup") {
            continue;
        }
        std::map<std::string, ordered_json> settings;  // sorted by setting name
        for (const auto& item : groups[group]["Items"]) {
            settings.emplace(item["Setting"]["Name"].get<std::string>(), item["Setting"]);
        }
        for (const auto& [name, setting] : settings) {
            const auto prefix = join({group, ".", name});
            if (setting.contains("Display")) {
                expected.push_back(prefix + ".display");
            }
            if (setting.contains("Help")) {
                expected.push_back(prefix + ".help");
            }
            for (const auto& option :
                 setting.value("Selection", ordered_json::object()).value("Options", ordered_json::array())) {
                expected.push_back(prefix + ".option." + option["Value"].get<std::string>());
            }
        }
    }
    EXPECT_EQ(keys_in_block(10), expected);
    EXPECT_THAT(keys_in_block(1),
                ElementsAre("httpproxygroup.name.display", "httpproxygroup.name.help",
                            "httpproxygroup.password.display", "httpproxygroup.password.help",
                            "httpproxygroup.port.display", "httpproxygroup.port.help",
                            "httpproxygroup.user.display", "httpproxygroup.user.help"));
}

TEST(EnglishTexts, LookupValuesAreKeyedByTheirNameInDeclarationOrder) {
    std::vector<std::string> expected;
    for (const auto& [name, lookup] : parsed_document()["Lookups"].items()) {
        for (const auto& value : lookup["LookupValues"]) {
            expected.push_back("lookup." + name + "." + value["Name"].get<std::string>());
        }
    }
    EXPECT_EQ(keys_in_block(11), expected);
}

// Every key derived from the structure, with the text of the field it names.
std::map<std::string, std::string> structural_texts() {
    const auto& doc = parsed_document();
    std::map<std::string, std::string> texts = {{"module.display", doc["MetaData"]["Display"]},
                                                {"module.description", doc["MetaData"]["Description"]}};
    for (const auto& [name, sensor] : doc["Sensors"].items()) {
        texts[name + ".display"] = sensor["Display"];
        texts[name + ".description"] = sensor["Description"];
        texts[name + ".help"] = sensor["Help"];
    }
    for (const auto& [name, section] : doc["Sections"].items()) {
        texts[name + ".display"] = section["Display"];
    }
    for (const auto& [name, group] : doc["Groups"].items()) {
        for (const auto& item : group["Items"]) {
            const auto& setting = item["Setting"];
            const auto prefix = name + "." + setting["Name"].get<std::string>();
            for (const auto& [member, suffix] :
                 {std::pair{"Display", ".display"}, std::pair{"Help", ".help"}}) {
                if (setting.contains(member)) {
                    texts[prefix + suffix] = setting[member];
                }
            }
            if (setting.contains("Selection")) {
                for (const auto& option : setting["Selection"]["Options"]) {
                    texts[prefix + ".option." + option["Value"].get<std::string>()] = option["Display"];
                }
            }
        }
    }
    for (const auto& [name, lookup] : doc["Lookups"].items()) {
        for (const auto& value : lookup["LookupValues"]) {
            texts["lookup." + name + "." + value["Name"].get<std::string>()] = value["Display"];
        }
    }
    return texts;
}

TEST(EnglishTexts, StructuralKeysCarryExactlyTheTextOfTheFieldTheyName) {
    const auto expected = structural_texts();
    EXPECT_EQ(expected.size(), 115U);
    const auto& english = translation("English");
    for (const auto& [key, text] : expected) {
        ASSERT_TRUE(english.contains(key)) << key;
        EXPECT_EQ(display_of(english, key), text) << key;
    }
}

TEST(EnglishTexts, EnglishOnlyKeysAreChannelsLookupsProxyInstanceNamesAndTheCurrencyError) {
    const auto& english = translation("English");
    std::map<std::string, int> english_only_counts;
    for (const auto& key : keys_of(english)) {
        if (english_only(key)) {
            ++english_only_counts[first_part(key)];
        }
    }
    using ::testing::Pair;
    EXPECT_THAT(english_only_counts,
                ElementsAre(Pair("channel", 75), Pair("error", 1), Pair("httpproxy", 1),
                            Pair("httpproxygroup", 8), Pair("lookup", 78), Pair("metascan", 5)));
    for (const auto language : kTranslatedLanguages) {
        const auto keys = keys_of(translation(language));
        EXPECT_EQ(keys.size(), 158U) << language;
        std::vector<std::string> expected;
        for (const auto& key : keys_of(english)) {
            if (!english_only(key)) {
                expected.push_back(key);
            }
        }
        EXPECT_EQ(keys, expected) << language << " must hold the translated keys in English order";
    }
}

struct text_case {
    std::string_view key;
    std::string_view text;
};

void PrintTo(const text_case& c, std::ostream* out) {
    *out << c.key;
}

class EnglishText : public ::testing::TestWithParam<text_case> {};

TEST_P(EnglishText, HasItsFixedText) {
    EXPECT_EQ(display_of(translation("English"), std::string(GetParam().key)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, EnglishText,
    ::testing::Values(
        text_case{"httpproxy.display",
                  "\U0001F47B Shared HTTP Proxy - this is an invisible shared setting \U0001F47B"},
        text_case{"lookup.status_code.418", "I'm a teapot"},
        text_case{"lookup.status_code.510", "Not Extended"},
        text_case{"lookup.lookup_volume_status.Error", "Error"},
        text_case{"channel.Latency", "Response Time"},
        text_case{"channel.HTTPCode_ELB_5XX_Count", "ELB 5XX Count"},
        text_case{"libvexahelper.error.setting_invalid_less_min",
                  "The value %0:s of the setting \"%1:s\" is less than the minimum of %2:s."},
        text_case{"libvexahelper.error.instance_not_available_key",
                  "The instance store can't find an instance with type %0:s and key %1:s."},
        text_case{
            "error.authentication_failed",
            "The sensor could not authenticate with AWS. Check your credentials for AWS or select 'Store "
            "result' under Debug Options | Result Handling in the sensor settings, rescan, and check the "
            "\\Logs\\sensors subfolder of the Halden data directory on the probe system. %0:s"},
        text_case{"metascan.requesting_regions", "Requesting available regions"},
        text_case{"httpproxygroup.port.help", "Proxy Port"},
        text_case{"cost_forecast_group.forecast_additional.option.enabled",
                  "Enable (creates additional fees)"},
        text_case{
            "rds_sensor.help",
            "Requires credentials for AWS. Shows the CPU utilization, network traffic, and I/O operations. "
            "Every sensor scan can generate costs in your AWS account based on the number of API calls."},
        text_case{"awscredentials.display", "Credentials for AWS"}),
    [](const auto& info) {
        auto name = std::string(info.param.key);
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

TEST(EnglishTexts, CredentialHelpsEndInTheKnowledgeBaseLink) {
    for (const auto* key : {"credentials_group.access_key.help", "credentials_group.secret_key.help"}) {
        const auto text = display_of(translation("English"), key);
        EXPECT_THAT(text,
                    ::testing::MatchesRegex(
                        "Enter the AWS (access|secret) key\\. For more information, see the Knowledge Base: "
                        "\\[https://[a-z.]*orvane\\.com/[^] ]+\\]"))
            << key;
    }
}

}  // namespace
}  // namespace orvane::tessel::aws::definition::testing
