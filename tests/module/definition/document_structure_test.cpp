#include <algorithm>
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
using ::testing::ElementsAreArray;

struct member {
    std::string_view name;
    bool required = true;
};

using schema = std::vector<member>;

// The members present must follow the schema's order, all required ones present, nothing else.
void expect_members(const ordered_json& object, const schema& members, const std::string& where) {
    ASSERT_TRUE(object.is_object()) << where;
    auto next = members.begin();
    for (const auto& entry : object.items()) {
        const auto& key = entry.key();
        const auto found = std::find_if(next, members.end(), [&](const member& m) { return m.name == key; });
        ASSERT_NE(found, members.end()) << where << ": member \"" << key << "\" unknown or out of order";
        for (auto skipped = next; skipped != found; ++skipped) {
            EXPECT_FALSE(skipped->required)
                << where << ": \"" << skipped->name << "\" missing before " << key;
        }
        next = std::next(found);
    }
    for (; next != members.end(); ++next) {
        EXPECT_FALSE(next->required) << where << ": \"" << next->name << "\" missing at the end";
    }
}

const schema& setting_schema() {
    static const schema members = {{"Name"},
                                   {"Display", false},
                                   {"Help", false},
                                   {"Default", false},
                                   {"Text", false},
                                   {"IntegerSigned", false},
                                   {"Selection", false},
                                   {"Flags", false},
                                   {"MaxLengthInMetascanTable", false}};
    return members;
}

TEST(DocumentStructure, MembersFollowTheDocumentOrderAtEveryLevel) {
    const auto& doc = parsed_document();
    expect_members(doc,
                   {{"MetaData"},
                    {"Sensors"},
                    {"Sections"},
                    {"Groups"},
                    {"Revision"},
                    {"MetaScans"},
                    {"Checks"},
                    {"Lookups"},
                    {"Text"}},
                   "document");
    expect_members(doc["MetaData"],
                   {{"Vendor"}, {"Name"}, {"Contact"}, {"Version"}, {"Display"}, {"Description"}},
                   "MetaData");
    for (const auto& [name, sensor] : doc["Sensors"].items()) {
        expect_members(sensor,
                       {{"Name"},
                        {"Display"},
                        {"Description"},
                        {"Help"},
                        {"ManualLink"},
                        {"ResourceUsage"},
                        {"MinimumInterval"},
                        {"RecommendedInterval"},
                        {"FirstMetaStep", false},
                        {"Compatibility"},
                        {"Family"},
                        {"Flag", false},
                        {"RequiredChecks"},
                        {"Settings"},
                        {"Tags"}},
                       name);
        expect_members(sensor["Settings"], {{"Sections"}}, name + ".Settings");
    }
    for (const auto& [name, section] : doc["Sections"].items()) {
        expect_members(section, {{"Name"}, {"Display"}, {"Scope"}, {"Groups"}}, name);
    }
    for (const auto& [name, group] : doc["Groups"].items()) {
        expect_members(group, {{"Name"}, {"Items"}}, name);
        for (const auto& item : group["Items"]) {
            expect_members(item, {{"DependsOn", false}, {"Condition", false}, {"Setting"}}, name + " item");
            const auto& setting = item["Setting"];
            const auto where = name + "." + setting.value("Name", "?");
            expect_members(setting, setting_schema(), where);
            EXPECT_EQ(setting.count("Text") + setting.count("IntegerSigned") + setting.count("Selection"), 1U)
                << where << " needs exactly one kind member";
            EXPECT_EQ(item.contains("DependsOn"), item.contains("Condition")) << where;
            if (setting.contains("Text")) {
                expect_members(setting["Text"], {{"Security", false}}, where + ".Text");
            }
            if (setting.contains("IntegerSigned")) {
                expect_members(setting["IntegerSigned"],
                               {{"IsMinimumSet"}, {"Minimum"}, {"IsMaximumSet"}, {"Maximum"}}, where);
            }
            if (setting.contains("Selection")) {
                expect_members(setting["Selection"], {{"Mode", false}, {"Options"}}, where + ".Selection");
                for (const auto& option : setting["Selection"]["Options"]) {
                    expect_members(option, {{"Display"}, {"Value"}}, where + " option");
                }
            }
        }
    }
    for (const auto& entry : doc["MetaScans"].items()) {
        const auto& name = entry.key();
        const auto& scan = entry.value();
        expect_members(scan, {{"Name"}, {"Mode"}, {"Section"}, {"Sections"}}, name);
    }
    for (const auto& [name, check] : doc["Checks"].items()) {
        expect_members(check, {{"Name"}, {"Sections"}}, name);
    }
    for (const auto& [name, lookup] : doc["Lookups"].items()) {
        expect_members(lookup, {{"Name"}, {"Mode"}, {"LookupValues"}}, name);
        for (const auto& value : lookup["LookupValues"]) {
            expect_members(value, {{"Name"}, {"Display"}, {"Value"}, {"ReverseValue", false}, {"State"}},
                           name);
        }
    }
    for (const auto& [language, texts] : doc["Text"].items()) {
        expect_members(texts, {{"Translation"}}, language);
        for (const auto& [key, entry] : texts["Translation"].items()) {
            expect_members(entry, {{"Display"}}, join({language, ": ", key}));
        }
    }
}

// Integers and booleans only where the document has them; every other scalar is a string.
void expect_scalar_types(const ordered_json& value, std::string_view member, const std::string& path) {
    static const std::set<std::string_view> integers = {
        "Revision", "ResourceUsage", "MinimumInterval", "RecommendedInterval",
        "Minimum",  "Maximum",       "Value",           "MaxLengthInMetascanTable"};
    static const std::set<std::string_view> booleans = {"IsMinimumSet", "IsMaximumSet"};
    if (value.is_object()) {
        for (const auto& [key, child] : value.items()) {
            expect_scalar_types(child, key, join({path, "/", key}));
        }
    } else if (value.is_array()) {
        for (const auto& child : value) {
            expect_scalar_types(child, member, path + "[]");
        }
    } else if (integers.count(member) != 0 && !value.is_string()) {
        EXPECT_TRUE(value.is_number_integer()) << path;
    } else if (booleans.count(member) != 0) {
        EXPECT_TRUE(value.is_boolean()) << path;
    } else {
        EXPECT_TRUE(value.is_string()) << path << " is " << value.type_name();
    }
}

TEST(DocumentStructure, IntegersAndBooleansAreBareAndEverythingElseIsText) {
    expect_scalar_types(parsed_document(), "", "");
    EXPECT_TRUE(parsed_document()["Revision"].is_number_integer());
    // Lookup values and option values share the member name "Value" but differ in type.
    EXPECT_TRUE(parsed_document()["Lookups"]["lookup_alarm_status"]["LookupValues"][0]["Value"].is_number());
}

TEST(DocumentStructure, IdentityAndRevision) {
    const auto& meta = parsed_document()["MetaData"];
    EXPECT_EQ(meta["Vendor"], "orvane");
    EXPECT_EQ(meta["Name"], "AWS");
    EXPECT_EQ(meta["Version"], "0.87.0.17330");
    EXPECT_EQ(meta["Display"], "AWS");
    EXPECT_EQ(meta["Description"], "Monitoring module to bundle AWS-related sensors.");
    const auto contact = meta["Contact"].get<std::string>();
    EXPECT_THAT(contact, ::testing::MatchesRegex("[a-z.]+@orvane\\.com"));
    EXPECT_EQ(parsed_document()["Revision"], 67);
}

TEST(DocumentStructure, KindsAreExactlyTheRegisteredOnes) {
    const auto& doc = parsed_document();
    EXPECT_THAT(keys_of(doc["Sensors"]), ElementsAre("alarm_sensor", "awscost", "ebs_sensor", "ec2_sensor",
                                                     "elb_sensor", "rds_sensor"));
    EXPECT_THAT(keys_of(doc["MetaScans"]), ElementsAre("alarm_metascan", "ebs_metascan", "ec2_metascan",
                                                       "elb_metascan", "rds_metascan"));
    EXPECT_THAT(keys_of(doc["Checks"]), ElementsAre("alarm_check", "awscost_check", "ebs_check", "ec2_check",
                                                    "elb_check", "rds_check"));
    EXPECT_THAT(keys_of(doc["Lookups"]),
                ElementsAre("lookup_alarm_status", "lookup_status_check", "lookup_volume_status"));
}

TEST(DocumentStructure, EveryNamedObjectCarriesItsKeyAsName) {
    for (const auto* collection : {"Sensors", "Sections", "Groups", "MetaScans", "Checks", "Lookups"}) {
        for (const auto& [key, value] : parsed_document()[collection].items()) {
            EXPECT_EQ(value["Name"], key) << collection;
        }
    }
}

struct sensor_row {
    std::string_view name;
    std::string_view display;
    int minimum;
    int recommended;
    std::string_view first_meta_step;  // empty: absent
    std::string_view check;
    std::vector<std::string> sections;
    bool has_flag;
};

void PrintTo(const sensor_row& row, std::ostream* out) {
    *out << row.name;
}

class SensorTable : public ::testing::TestWithParam<sensor_row> {};

TEST_P(SensorTable, IntervalsChecksAndSections) {
    const auto& row = GetParam();
    const auto& sensor = parsed_document()["Sensors"][std::string(row.name)];
    EXPECT_EQ(sensor["Display"], row.display);
    EXPECT_EQ(sensor["ResourceUsage"], 2);
    EXPECT_EQ(sensor["MinimumInterval"], row.minimum);
    EXPECT_EQ(sensor["RecommendedInterval"], row.recommended);
    EXPECT_LE(sensor["MinimumInterval"].get<int>(), sensor["RecommendedInterval"].get<int>());
    if (row.first_meta_step.empty()) {
        EXPECT_FALSE(sensor.contains("FirstMetaStep"));
    } else {
        EXPECT_EQ(sensor["FirstMetaStep"], row.first_meta_step);
    }
    EXPECT_EQ(sensor.contains("Flag"), row.has_flag);
    if (row.has_flag) {
        EXPECT_EQ(sensor["Flag"], ordered_json::array());
    }
    EXPECT_THAT(sensor["RequiredChecks"], ElementsAre(std::string(row.check)));
    EXPECT_EQ(sensor["Settings"]["Sections"].get<std::vector<std::string>>(), row.sections);
    EXPECT_THAT(sensor["Compatibility"], ElementsAre("SystemCompatibilityIPv4", "SystemCompatibilityIPv6"));
    EXPECT_EQ(sensor["Tags"][0], "aws");
}

INSTANTIATE_TEST_SUITE_P(Sensors, SensorTable,
                         ::testing::Values(sensor_row{"alarm_sensor",
                                                      "AWS Alarm v2",
                                                      60,
                                                      300,
                                                      "alarm_metascan",
                                                      "alarm_check",
                                                      {"awscredentials", "httpproxy"},
                                                      true},
                                           sensor_row{
                                               "awscost",
                                               "AWS Cost",
                                               3600,
                                               21600,
                                               "",
                                               "awscost_check",
                                               {"cost_specific_section", "awscredentials", "httpproxy"},
                                               false},
                                           sensor_row{"ebs_sensor",
                                                      "AWS EBS v2",
                                                      60,
                                                      300,
                                                      "ebs_metascan",
                                                      "ebs_check",
                                                      {"awscredentials", "httpproxy"},
                                                      true},
                                           sensor_row{"ec2_sensor",
                                                      "AWS EC2 v2",
                                                      300,
                                                      300,
                                                      "ec2_metascan",
                                                      "ec2_check",
                                                      {"awscredentials", "httpproxy"},
                                                      true},
                                           sensor_row{"elb_sensor",
                                                      "AWS ELB v2",
                                                      60,
                                                      300,
                                                      "elb_metascan",
                                                      "elb_check",
                                                      {"awscredentials", "httpproxy"},
                                                      true},
                                           sensor_row{"rds_sensor",
                                                      "AWS RDS v2",
                                                      300,
                                                      300,
                                                      "rds_metascan",
                                                      "rds_check",
                                                      {"awscredentials", "httpproxy"},
                                                      true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentReferences, EveryNameThatIsReferredToExists) {
    const auto& doc = parsed_document();
    const auto expect_section = [&](const ordered_json& name, const std::string& where) {
        EXPECT_TRUE(doc["Sections"].contains(name.get<std::string>())) << where << " names " << name;
    };
    for (const auto& [name, sensor] : doc["Sensors"].items()) {
        if (sensor.contains("FirstMetaStep")) {
            EXPECT_TRUE(doc["MetaScans"].contains(sensor["FirstMetaStep"].get<std::string>())) << name;
        }
        for (const auto& check : sensor["RequiredChecks"]) {
            EXPECT_TRUE(doc["Checks"].contains(check.get<std::string>())) << name;
        }
        for (const auto& section : sensor["Settings"]["Sections"]) {
            expect_section(section, name);
        }
    }
    for (const auto& entry : doc["MetaScans"].items()) {
        const auto& name = entry.key();
        const auto& scan = entry.value();
        expect_section(scan["Section"], name);
        for (const auto& section : scan["Sections"]) {
            expect_section(section, name);
        }
        // The section a meta-scan fills belongs to the sensor whose first step it is.
        const auto owner =
            std::find_if(doc["Sensors"].begin(), doc["Sensors"].end(),
                         [&](const auto& sensor) { return sensor.value("FirstMetaStep", "") == name; });
        EXPECT_NE(owner, doc["Sensors"].end()) << name << " is no sensor's first step";
    }
    for (const auto& [name, check] : doc["Checks"].items()) {
        for (const auto& section : check["Sections"]) {
            expect_section(section, name);
        }
    }
    std::set<std::string> grouped;
    for (const auto& [name, section] : doc["Sections"].items()) {
        for (const auto& group : section["Groups"]) {
            EXPECT_TRUE(doc["Groups"].contains(group.get<std::string>())) << name << " names " << group;
            EXPECT_TRUE(grouped.insert(group.get<std::string>()).second) << group << " is in two sections";
        }
    }
    EXPECT_EQ(grouped.size(), doc["Groups"].size()) << "every group belongs to a section";
}

TEST(DocumentReferences, DependsOnNamesASelectionOfTheSameGroupAndOneOfItsValues) {
    int dependent = 0;
    for (const auto& [name, group] : parsed_document()["Groups"].items()) {
        for (const auto& item : group["Items"]) {
            if (!item.contains("DependsOn")) {
                continue;
            }
            ++dependent;
            const auto& items = group["Items"];
            const auto target = std::find_if(items.begin(), items.end(), [&](const ordered_json& other) {
                return other["Setting"]["Name"] == item["DependsOn"];
            });
            ASSERT_NE(target, items.end()) << name << ": " << item["DependsOn"] << " is not in the group";
            ASSERT_TRUE((*target)["Setting"].contains("Selection"));
            const auto& options = (*target)["Setting"]["Selection"]["Options"];
            EXPECT_TRUE(
                std::any_of(options.begin(), options.end(),
                            [&](const ordered_json& option) { return option["Value"] == item["Condition"]; }))
                << name << ": condition " << item["Condition"] << " is no option";
        }
    }
    EXPECT_EQ(dependent, 2);
}

TEST(DocumentReferences, DefaultsOfSelectionsAreOptionValues) {
    for (const auto& [name, group] : parsed_document()["Groups"].items()) {
        for (const auto& item : group["Items"]) {
            const auto& setting = item["Setting"];
            if (!setting.contains("Selection") || !setting.contains("Default")) {
                continue;
            }
            const auto& options = setting["Selection"]["Options"];
            EXPECT_TRUE(std::any_of(
                options.begin(), options.end(),
                [&](const ordered_json& option) { return option["Value"] == setting["Default"]; }))
                << name << "." << setting["Name"];
        }
    }
}

TEST(DocumentStructure, MetaScanGroupsHaveOneDiscoveryIdAndAHiddenRegion) {
    for (const auto& [name, group] : parsed_document()["Groups"].items()) {
        if (name.find("_metascan_group") == std::string::npos) {
            continue;
        }
        int discovery_ids = 0;
        bool hidden_region = false;
        for (const auto& item : group["Items"]) {
            const auto& setting = item["Setting"];
            const auto flags = setting.value("Flags", ordered_json::array());
            discovery_ids +=
                static_cast<int>(std::count(flags.begin(), flags.end(), "SettingFlagDiscoveryID"));
            if (setting["Name"] == "region") {
                hidden_region =
                    !setting.contains("Display") && !setting.contains("Help") &&
                    std::count(flags.begin(), flags.end(), "SettingFlagVisibilityNotInMetascanTable");
            }
        }
        EXPECT_EQ(discovery_ids, 1) << name;
        EXPECT_TRUE(hidden_region) << name;
    }
}

TEST(DocumentStructure, LookupsMapAwsStatesToValues) {
    const auto& lookups = parsed_document()["Lookups"];
    std::vector<std::string> volume_states;
    for (const auto& value : lookups["lookup_volume_status"]["LookupValues"]) {
        volume_states.push_back(value["ReverseValue"]);
    }
    EXPECT_THAT(volume_states, ElementsAreArray({"not-set", "creating", "available", "in-use", "deleting",
                                                 "deleted", "error"}));
    EXPECT_EQ(lookups["lookup_volume_status"]["LookupValues"][6]["Name"], "Error");
    for (const auto& value : lookups["lookup_status_check"]["LookupValues"]) {
        EXPECT_FALSE(value.contains("ReverseValue"));
    }
    EXPECT_EQ(lookups["lookup_status_check"]["Mode"], "LookupDisplayModeBoolean");
    for (const auto& [name, lookup] : lookups.items()) {
        int expected = 0;
        for (const auto& value : lookup["LookupValues"]) {
            EXPECT_EQ(value["Value"], expected++) << name << " values count up from 0";
        }
    }
}

}  // namespace
}  // namespace orvane::tessel::aws::definition::testing
