#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "host/json_writer.h"
#include "host/messages.h"

namespace {

using namespace orvane::tessel;
using namespace libvexahelper;
using nlohmann::json;
using nlohmann::ordered_json;

// The member tables of docs/host-protocol.md: first column (in backticks) -> members (in backticks).
std::map<std::string, std::vector<std::string>> documented_members() {
    std::ifstream file(std::string(VEXA_SOURCE_DIR) + "/docs/host-protocol.md");
    std::map<std::string, std::vector<std::string>> tables;
    const std::regex row(R"(^\| (.+?) \| (`.*`) \|$)");
    const std::regex name(R"(`([A-Za-z_]+)`)");
    for (std::string line; std::getline(file, line);) {
        std::smatch match;
        if (!std::regex_match(line, match, row)) {
            continue;
        }
        const std::string first = match[1];
        const std::string members = match[2];
        std::smatch key;
        if (!std::regex_search(first, key, name)) {
            continue;
        }
        std::vector<std::string> names;
        for (std::sregex_iterator it(members.begin(), members.end(), name), end; it != end; ++it) {
            names.push_back((*it)[1]);
        }
        tables[key[1]] = names;
    }
    return tables;
}

std::vector<std::string> keys_of(const ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) {
        keys.push_back(item.key());
    }
    return keys;
}

std::vector<std::unique_ptr<vexa_message>> one_of_each() {
    auto channels = std::make_shared<channel_map>();
    dynamic_channel_options options;
    options.channel_id = 1;
    options.mode = value_mode::floating_point;
    channels->register_definition(options);
    auto scan = std::make_unique<sensor_scan_result>(3, channels);
    scan->set_value(1, 2.5);

    auto meta = std::make_unique<meta_scan_result>(4, 8);
    meta->add_entry(libi18n::i18n_msg::plain("web"), {{"ec2_metascan_section.ec2_metascan_group.id", "i-1"}});

    std::vector<std::unique_ptr<vexa_message>> messages;
    messages.push_back(std::make_unique<module_information_message>(R"({"Text": {"English": {}}})", true));
    messages.push_back(std::move(scan));
    messages.push_back(std::make_unique<dynamic_channel>(3, options));
    messages.push_back(std::make_unique<persistent_data>(3, "k", "v"));
    messages.push_back(std::make_unique<metascan_progress>(4, 8, 13, libi18n::i18n_msg::plain("step")));
    messages.push_back(std::move(meta));
    messages.push_back(std::make_unique<check_result>(5));
    return messages;
}

TEST(HostProtocolDocument, ListsEveryMemberOfEveryMessageInOrder) {
    const auto tables = documented_members();
    const auto member_table = [&](const std::string& name) {
        const auto it = tables.find(name);
        EXPECT_NE(it, tables.end()) << name << " is not documented";
        return it == tables.end() ? std::vector<std::string>{} : it->second;
    };
    for (const auto& message : one_of_each()) {
        const auto parsed = ordered_json::parse(message->serialize());
        const std::string type = parsed.at("type");
        EXPECT_EQ(keys_of(parsed), member_table(type)) << type;
        for (const auto& [member, table] : std::map<std::string, std::string>{{"response_message", "message"},
                                                                              {"text", "message"},
                                                                              {"message", "message"},
                                                                              {"display_name", "message"},
                                                                              {"channel", "channel"}}) {
            if (parsed.contains(member)) {
                EXPECT_EQ(keys_of(parsed[member]), member_table(table)) << type << "." << member;
            }
        }
        if (type == "meta_scan_result") {
            EXPECT_EQ(keys_of(parsed["entries"][0]), member_table("entries")) << type;
            EXPECT_EQ(keys_of(parsed["entries"][0]["display_name"]), member_table("message"));
        }
        if (type == "dynamic_channel") {
            EXPECT_EQ(keys_of(parsed["channel"]["limits"][0]), member_table("limits"));
        }
        if (type == "sensor_scan_result") {
            // "id", then one of the two value members the table lists after it.
            const auto documented = member_table("channels");
            const auto value = keys_of(parsed["channels"][0]);
            ASSERT_EQ(value.size(), 2u);
            EXPECT_EQ(value[0], documented.at(0));
            EXPECT_THAT(std::vector<std::string>(documented.begin() + 1, documented.end()),
                        ::testing::Contains(value[1]));
        }
    }
}

TEST(Messages, ChannelOptionsTravelWithTheirDefaults) {
    dynamic_channel_options options;
    options.channel_id = 9;
    options.name = "channel.CPUCreditBalance";
    options.mode = value_mode::floating_point;
    options.unit = 10;
    options.limit_mode = true;
    options.limits[0] = {true, 1.0};
    const auto parsed = json::parse(dynamic_channel(2, options).serialize());
    EXPECT_EQ(parsed["channel"], json::parse(R"({
        "channel_id": 9, "name": "channel.CPUCreditBalance", "display_text": "", "value_mode": 3, "unit": 10,
        "custom_unit": "", "size_unit": 0, "speed_unit": 0, "size_code": 0, "hidden": false, "show_chart": true,
        "show_table": true, "decimal_mode": 0, "decimal_digits": 0, "limit_mode": true,
        "limits": [{"enabled": true, "value": 1}, {"enabled": false, "value": 0}, {"enabled": false, "value": 0},
                   {"enabled": false, "value": 0}],
        "limit_error_message": "", "limit_warning_message": "", "value_lookup": "", "scale_mode": 0,
        "scale_factor": 1})"));
}

TEST(Messages, ErrorResultsCarryTheLocalisedMessage) {
    const sensor_scan_result from_module(1, aws::exceptions::no_alarm_found("cpu"));
    EXPECT_EQ(
        json::parse(from_module.serialize())["response_message"],
        json::parse(
            R"({"encoded":"#:error.no_alarm_found[cpu]","text":"No alarm with the name cpu was found."})"));
    meta_scan_result from_std(1, 2, std::runtime_error("boom"));
    EXPECT_EQ(json::parse(from_std.serialize())["message"]["encoded"], "boom");
}

TEST(JsonWriter, EscapesControlCharactersAndKeepsUtf8) {
    json_writer out;
    out.begin_array().value(std::string_view("a\"b\\c\n\t\x01 \xE2\x82\xAC")).end_array();
    EXPECT_EQ(out.str(), "[\"a\\\"b\\\\c\\n\\t\\u0001 \xE2\x82\xAC\"]");
    EXPECT_EQ(json::parse(out.str())[0], "a\"b\\c\n\t\x01 \xE2\x82\xAC");
}

TEST(JsonWriter, DoublesReadBackExactlyAndNonFiniteBecomeNull) {
    for (double value : {0.1, 1e300, -2.5e-308, 12.3456789, 1.0 / 3.0}) {
        json_writer out;
        out.begin_array().value(value).end_array();
        EXPECT_EQ(json::parse(out.str())[0].get<double>(), value) << out.str();
    }
    json_writer out;
    out.begin_array()
        .value(std::numeric_limits<double>::quiet_NaN())
        .value(std::numeric_limits<double>::infinity())
        .end_array();
    EXPECT_EQ(out.str(), "[null,null]");
}

TEST(ModuleInformation, WithoutLanguagesKeepsEnglishAndEverythingElseByteForByte) {
    const std::string document =
        R"({"MetaData": {"Name": "AWS, \"v2\" {x}"}, "Revision": 67, "Text": {"English": {"Translation": )"
        R"({"a": {"Display": "A, }"}}}, "German": {"Translation": {"a": {"Display": "Ä"}}}, )"
        R"("Japanese": {"Translation": {}}}})";
    EXPECT_EQ(
        without_translations(document),
        R"({"MetaData": {"Name": "AWS, \"v2\" {x}"}, "Revision": 67, "Text": {"English": {"Translation": )"
        R"({"a": {"Display": "A, }"}}}}})");

    const auto full = json::parse(module_information_message(document, true).serialize());
    EXPECT_EQ(full["document"], document);
    const auto reduced = json::parse(module_information_message(document, false).serialize());
    EXPECT_EQ(json::parse(reduced["document"].get<std::string>())["Text"].size(), 1u);
}

TEST(ModuleInformation, TextSectionInTheMiddleKeepsTheMembersAfterIt) {
    const std::string document = R"({"Text": {"English": {}, "Dutch": {}}, "Tail": [1, {"b": 2}]})";
    EXPECT_EQ(without_translations(document), R"({"Text": {"English": {}}, "Tail": [1, {"b": 2}]})");
}

}  // namespace
