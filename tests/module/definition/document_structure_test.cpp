#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document_fixture.h"

namespace orvane::tessel::aws::definition::testing {
namespace {

using ::testing::ElementsAre;

// Member names in document order; a trailing '?' marks an optional one.
using schema = std::vector<std::string_view>;

// The members present must follow the schema's order, all required ones present, nothing else.
void expect_members(const ordered_json& object, const schema& members, const std::string& where) {
    ASSERT_TRUE(object.is_object()) << where;
    const auto optional = [](std::string_view member) { return member.back() == '?'; };
    auto next = members.begin();
    for (const auto& entry : object.items()) {
        const auto found = std::find_if(next, members.end(), [&](std::string_view member) {
            return member.substr(0, member.find('?')) == entry.key();
        });
        ASSERT_NE(found, members.end()) << where << ": \"" << entry.key() << "\" unknown or out of order";
        for (; next != found; ++next) {
            EXPECT_TRUE(optional(*next)) << where << ": \"" << *next << "\" missing before " << entry.key();
        }
        ++next;
    }
    for (; next != members.end(); ++next) {
        EXPECT_TRUE(optional(*next)) << where << ": \"" << *next << "\" missing at the end";
    }
}

TEST(DocumentStructure, MembersFollowTheDocumentOrderAtEveryLevel) {
    const auto& doc = parsed_document();
    expect_members(
        doc,
        {"MetaData", "Sensors", "Sections", "Groups", "Revision", "MetaScans", "Checks", "Lookups", "Text"},
        "document");
    expect_members(doc["MetaData"], {"Vendor", "Name", "Contact", "Version", "Display", "Description"},
                   "MetaData");
    const std::vector<std::pair<const char*, schema>> collections = {
        {"Sensors",
         {"Name", "Display", "Description", "Help", "ManualLink", "ResourceUsage", "MinimumInterval",
          "RecommendedInterval", "FirstMetaStep?", "Compatibility", "Family", "Flag?", "RequiredChecks",
          "Settings", "Tags"}},
        {"Sections", {"Name", "Display", "Scope", "Groups"}},
        {"Groups", {"Name", "Items"}},
        {"MetaScans", {"Name", "Mode", "Section", "Sections"}},
        {"Checks", {"Name", "Sections"}},
        {"Lookups", {"Name", "Mode", "LookupValues"}},
        {"Text", {"Translation"}}};
    for (const auto& [collection, members] : collections) {
        for (const auto& [name, entry] : doc[collection].items()) {
            expect_members(entry, members, name);
            EXPECT_TRUE(entry.contains("Translation") || entry["Name"] == name)
                << name << " carries another name";
        }
    }
    for (const auto& [name, sensor] : doc["Sensors"].items()) {
        expect_members(sensor["Settings"], {"Sections"}, name + ".Settings");
    }
    for (const auto& [name, lookup] : doc["Lookups"].items()) {
        for (const auto& value : lookup["LookupValues"]) {
            expect_members(value, {"Name", "Display", "Value", "ReverseValue?", "State"}, name);
        }
    }
    for (const auto& [language, texts] : doc["Text"].items()) {
        for (const auto& [key, entry] : texts["Translation"].items()) {
            expect_members(entry, {"Display"}, join({language, ": ", key}));
        }
    }
    const std::vector<std::pair<const char*, schema>> kinds = {
        {"Text", {"Security?"}},
        {"IntegerSigned", {"IsMinimumSet", "Minimum", "IsMaximumSet", "Maximum"}},
        {"Selection", {"Mode?", "Options"}}};
    for_each_item([&](const std::string& group, const ordered_json&, const ordered_json& item) {
        const auto& setting = item["Setting"];
        const auto where = group + "." + setting.value("Name", "?");
        expect_members(item, {"DependsOn?", "Condition?", "Setting"}, where);
        EXPECT_EQ(item.contains("DependsOn"), item.contains("Condition")) << where;
        expect_members(setting,
                       {"Name", "Display?", "Help?", "Default?", "Text?", "IntegerSigned?", "Selection?",
                        "Flags?", "MaxLengthInMetascanTable?"},
                       where);
        EXPECT_EQ(setting.count("Text") + setting.count("IntegerSigned") + setting.count("Selection"), 1U)
            << where << " needs exactly one kind member";
        for (const auto& [kind, members] : kinds) {
            if (setting.contains(kind)) {
                expect_members(setting[kind], members, where + "." + kind);
            }
        }
        for (const auto& option :
             setting.value("Selection", ordered_json::object()).value("Options", ordered_json())) {
            expect_members(option, {"Display", "Value"}, where + " option");
        }
    });
}

// Integers and booleans only where the document has them; every other scalar is a string.
void expect_scalar_types(const ordered_json& value, std::string_view member, const std::string& path) {
    static const std::set<std::string_view> integers = {
        "Revision", "ResourceUsage", "MinimumInterval", "RecommendedInterval",
        "Minimum",  "Maximum",       "Value",           "MaxLengthInMetascanTable"};
    static const std::set<std::string_view> booleans = {"IsMinimumSet", "IsMaximumSet"};
    if (value.is_structured()) {
        for (const auto& [key, child] : value.items()) {
            const auto child_member = value.is_object() ? std::string_view(key) : member;
            expect_scalar_types(child, child_member, join({path, "/", key}));
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

// registry_test.cpp compares the kinds with the registered ones; here their order.
TEST(DocumentStructure, IdentityKindOrderAndLanguages) {
    for (const auto* collection : {"Sensors", "MetaScans", "Checks", "Lookups"}) {
        const auto names = keys_of(parsed_document()[collection]);
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end())) << collection;
    }
    EXPECT_EQ(parsed_document()["MetaData"]["Vendor"], "orvane");
    EXPECT_EQ(parsed_document()["MetaData"]["Name"], "AWS");
    EXPECT_THAT(keys_of(parsed_document()["Text"]),
                ElementsAre("English", "Russian", "Brazilian", "Dutch", "Japanese", "French", "Spanish",
                            "German", "SimplifiedChinese"));
}

TEST(DocumentStructure, SensorsIntervalsChecksAndSections) {
    struct row {
        const char* name;
        const char* display;
        int minimum;
        int recommended;
        const char* kind;  // prefix of its meta-scan and check
    };
    const row rows[] = {
        {"alarm_sensor", "AWS Alarm v2", 60, 300, "alarm"}, {"awscost", "AWS Cost", 3600, 21600, "awscost"},
        {"ebs_sensor", "AWS EBS v2", 60, 300, "ebs"},       {"ec2_sensor", "AWS EC2 v2", 300, 300, "ec2"},
        {"elb_sensor", "AWS ELB v2", 60, 300, "elb"},       {"rds_sensor", "AWS RDS v2", 300, 300, "rds"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto& sensor = parsed_document()["Sensors"][r.name];
        // The cost sensor is created without a discovered row: no meta-scan, no flag, its own section.
        const bool cost = std::string_view(r.name) == "awscost";
        EXPECT_EQ(sensor["Display"], r.display);
        EXPECT_EQ(sensor["ResourceUsage"], 2);
        EXPECT_EQ(sensor["MinimumInterval"], r.minimum);
        EXPECT_EQ(sensor["RecommendedInterval"], r.recommended);
        EXPECT_EQ(sensor.value("FirstMetaStep", ""), cost ? "" : join({r.kind, "_metascan"}));
        EXPECT_EQ(sensor.value("Flag", ordered_json()), cost ? ordered_json() : ordered_json::array());
        EXPECT_THAT(sensor["RequiredChecks"], ElementsAre(join({r.kind, "_check"})));
        std::vector<std::string> sections = {"awscredentials", "httpproxy"};
        if (cost) {
            sections.insert(sections.begin(), "cost_specific_section");
        }
        EXPECT_EQ(sensor["Settings"]["Sections"].get<std::vector<std::string>>(), sections);
        EXPECT_THAT(sensor["Compatibility"],
                    ElementsAre("SystemCompatibilityIPv4", "SystemCompatibilityIPv6"));
        EXPECT_EQ(sensor["Tags"][0], "aws");
    }
}

TEST(DocumentReferences, EveryNameThatIsReferredToExists) {
    const auto& doc = parsed_document();
    // (collection, member of its entries, collection the member names entries of)
    const std::tuple<const char*, const char*, const char*> references[] = {
        {"Sensors", "/FirstMetaStep", "MetaScans"},
        {"Sensors", "/RequiredChecks", "Checks"},
        {"Sensors", "/Settings/Sections", "Sections"},
        {"MetaScans", "/Section", "Sections"},
        {"MetaScans", "/Sections", "Sections"},
        {"Checks", "/Sections", "Sections"},
        {"Sections", "/Groups", "Groups"}};
    std::map<std::string, int> referred;  // "collection/name" -> how often
    for (const auto& [from, member, to] : references) {
        for (const auto& [name, entry] : doc[from].items()) {
            const auto value = entry.value(ordered_json::json_pointer(member), ordered_json::array());
            for (const auto& target : value.is_array() ? value : ordered_json::array({value})) {
                EXPECT_TRUE(doc[to].contains(target.get<std::string>()))
                    << name << member << " names " << target;
                ++referred[join({to, "/", target.get<std::string>()})];
            }
        }
    }
    // Every group is in exactly one section; every meta-scan is the first step of a sensor.
    for (const auto* collection : {"Groups", "MetaScans"}) {
        for (const auto& [name, entry] : doc[collection].items()) {
            EXPECT_EQ(referred[join({collection, "/", name})], 1) << name;
        }
    }
}

bool has_option(const ordered_json& setting, const ordered_json& value) {
    const auto& options = setting.value("Selection", ordered_json::object()).value("Options", ordered_json());
    return std::any_of(options.begin(), options.end(),
                       [&](const auto& option) { return option["Value"] == value; });
}

TEST(DocumentReferences, DependsOnAndDefaultsNameAnOptionOfASelection) {
    int dependent = 0;
    for_each_item([&](const std::string& group_name, const ordered_json& group, const ordered_json& item) {
        const auto& setting = item["Setting"];
        const auto where = group_name + "." + setting["Name"].get<std::string>();
        if (setting.contains("Selection") && setting.contains("Default")) {
            EXPECT_TRUE(has_option(setting, setting["Default"])) << where;
        }
        if (!item.contains("DependsOn")) {
            return;
        }
        ++dependent;
        const auto& items = group["Items"];
        const auto target = std::find_if(items.begin(), items.end(), [&](const ordered_json& other) {
            return other["Setting"]["Name"] == item["DependsOn"];
        });
        ASSERT_NE(target, items.end()) << where << ": " << item["DependsOn"] << " is not in the group";
        EXPECT_TRUE(has_option((*target)["Setting"], item["Condition"]))
            << where << ": condition " << item["Condition"] << " is no option";
    });
    EXPECT_EQ(dependent, 2);
}

TEST(DocumentStructure, MetaScanGroupsHaveOneDiscoveryIdAndAHiddenRegion) {
    std::map<std::string, std::pair<int, bool>> groups;  // discovery ids, hidden region
    for_each_item([&](const std::string& group, const ordered_json&, const ordered_json& item) {
        if (group.find("_metascan_group") == std::string::npos) {
            return;
        }
        const auto& setting = item["Setting"];
        const auto flags = setting.value("Flags", ordered_json::array());
        const auto flagged = [&](const char* flag) {
            return std::count(flags.begin(), flags.end(), flag) != 0;
        };
        auto& [ids, hidden_region] = groups[group];
        ids += flagged("SettingFlagDiscoveryID") ? 1 : 0;
        if (setting["Name"] == "region") {
            hidden_region = !setting.contains("Display") && !setting.contains("Help") &&
                            flagged("SettingFlagVisibilityNotInMetascanTable");
        }
    });
    EXPECT_EQ(groups.size(), 5U);
    for (const auto& [group, found] : groups) {
        EXPECT_EQ(found, std::pair(1, true)) << group;
    }
}

TEST(DocumentStructure, LookupsMapAwsStatesToValuesCountingFromZero) {
    const std::map<std::string, std::vector<std::string>> aws_states = {
        {"lookup_alarm_status", {"INSUFFICIENT_DATA", "OK", "ALARM"}},
        {"lookup_status_check", {}},
        {"lookup_volume_status",
         {"not-set", "creating", "available", "in-use", "deleting", "deleted", "error"}}};
    for (const auto& [name, lookup] : parsed_document()["Lookups"].items()) {
        std::vector<std::string> states;
        int expected = 0;
        for (const auto& value : lookup["LookupValues"]) {
            EXPECT_EQ(value["Value"], expected++) << name;
            if (value.contains("ReverseValue")) {
                states.push_back(value["ReverseValue"]);
            }
        }
        EXPECT_EQ(states, aws_states.at(name)) << name;
    }
    EXPECT_EQ(parsed_document()["Lookups"]["lookup_status_check"]["Mode"], "LookupDisplayModeBoolean");
}

}  // namespace
}  // namespace orvane::tessel::aws::definition::testing
