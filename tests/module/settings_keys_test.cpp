// The settings records and the definition document agree: every key a kind's record reads is a
// setting the document declares for that kind (or one the host sends itself), with a type whose
// values the record accepts and the same secrecy, and every setting the document declares for a kind
// is read by its record. A renamed setting fails here rather than on a host at run time.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "aws/discovery/checks.h"
#include "aws/discovery/metascans.h"
#include "aws/sensors/alarm_sensor.h"
#include "aws/sensors/awscost.h"
#include "aws/sensors/ebs_sensor.h"
#include "aws/sensors/ec2_sensor.h"
#include "aws/sensors/elb_sensor.h"
#include "aws/sensors/rds_sensor.h"
#include "host/exceptions.h"
#include "module/definition/module_definition.h"
#include "module/vexa_module_aws.h"
#include "tests/support/settings_buffer.h"

namespace {

using namespace orvane::tessel;
using json = nlohmann::json;
using test_support::settings_buffer;
using parse_function = std::function<void(const libvexahelper::sensor_data_wrapper&)>;

template <class Kind>
parse_function parser() {
    return [](const libvexahelper::sensor_data_wrapper& settings) {
        (void)Kind::settings_type::parse(settings);
    };
}

const std::map<std::string, parse_function>& records() {
    static const std::map<std::string, parse_function> all{
        {"awscost", parser<aws::awscost>()},           {"awscost_check", parser<aws::awscost_check>()},
        {"ebs_sensor", parser<aws::ebs_sensor>()},     {"ebs_metascan", parser<aws::ebs_metascan>()},
        {"ebs_check", parser<aws::ebs_check>()},       {"ec2_sensor", parser<aws::ec2_sensor>()},
        {"ec2_metascan", parser<aws::ec2_metascan>()}, {"ec2_check", parser<aws::ec2_check>()},
        {"elb_sensor", parser<aws::elb_sensor>()},     {"elb_metascan", parser<aws::elb_metascan>()},
        {"elb_check", parser<aws::elb_check>()},       {"rds_sensor", parser<aws::rds_sensor>()},
        {"rds_metascan", parser<aws::rds_metascan>()}, {"rds_check", parser<aws::rds_check>()},
        {"alarm_sensor", parser<aws::alarm_sensor>()}, {"alarm_metascan", parser<aws::alarm_metascan>()},
        {"alarm_check", parser<aws::alarm_check>()},
    };
    return all;
}

// What the host sends every kind under bare names, with values it would send.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> host_settings{{{"host", "aws.example"},
                                                                                      {"logging", "enabled"},
                                                                                      {"interval", "300"},
                                                                                      {"timeout", "60"},
                                                                                      {"ipversion", "IPv4"}}};
constexpr std::string_view host_secure_setting = "orvanecloudapikey";

// The host's value of a bare setting, or nothing when the host does not send it in the clear.
const std::string_view* host_value(const std::string& key) {
    for (const auto& [name, value] : host_settings) {
        if (name == key) {
            return &value;
        }
    }
    return nullptr;
}

struct declared_setting {
    std::string value;  // one the document's type allows
    bool secure = false;
};

declared_setting example_of(const json& setting) {
    declared_setting example;
    if (setting.contains("Selection")) {
        example.value =
            setting.value("Default", setting["Selection"]["Options"][0]["Value"].get<std::string>());
    } else if (setting.contains("IntegerSigned")) {
        example.value =
            setting.value("Default", std::to_string(setting["IntegerSigned"].value("Minimum", 1)));
    } else {
        example.value = setting.value("Default", std::string());
        example.value = example.value.empty() ? "x" : example.value;
        // A setting with a security level travels among the secure settings.
        example.secure = setting["Text"].contains("Security");
    }
    return example;
}

// Every setting of the sections a kind's settings name, keyed "section.group.setting".
std::map<std::string, declared_setting> declared_settings(const json& document, const std::string& kind) {
    const json* entry = nullptr;
    for (const char* part : {"Sensors", "Checks", "MetaScans"}) {
        if (document[part].contains(kind)) {
            entry = &document[part][kind];
        }
    }
    json sections = entry->contains("Settings") ? (*entry)["Settings"]["Sections"] : (*entry)["Sections"];
    // A sensor made from a meta-scan's row also receives the section that row fills.
    if (entry->contains("FirstMetaStep")) {
        sections.push_back(document["MetaScans"][(*entry)["FirstMetaStep"].get<std::string>()]["Section"]);
    }
    std::map<std::string, declared_setting> declared;
    for (const auto& section : sections) {
        for (const auto& group : document["Sections"][section.get<std::string>()]["Groups"]) {
            for (const auto& item : document["Groups"][group.get<std::string>()]["Items"]) {
                const auto& setting = item["Setting"];
                declared[section.get<std::string>() + "." + group.get<std::string>() + "." +
                         setting["Name"].get<std::string>()] = example_of(setting);
            }
        }
    }
    return declared;
}

// The key a missing-setting error names, or "" for any other failure.
std::string missing_key(const libi18n::i18n_exception& error) {
    if (dynamic_cast<const libvexahelper::utils::exceptions::setting_not_available*>(&error) == nullptr) {
        return "";
    }
    const auto message = error.message();
    const std::string& encoded = message.encoded();
    const auto open = encoded.find('[');
    return encoded.substr(open + 1, encoded.rfind(']') - open - 1);
}

TEST(SettingsKeys, EveryKindCoversTheRegisteredKinds) {
    const aws::VexaModuleAWS module(1, [](std::uint64_t, const std::uint8_t*, std::uint32_t) {});
    std::set<std::string> registered;
    for (const auto& [category, name] : module.dispatcher()->registrations()) {
        registered.insert(name);
    }
    std::set<std::string> here;
    for (const auto& [name, parse] : records()) {
        here.insert(name);
    }
    EXPECT_EQ(here, registered);
}

// Starting from an empty buffer, the record names each key it reads as the one missing; each is
// given a value of its declared type until the record reads the buffer through.
TEST(SettingsKeys, RecordsReadExactlyWhatTheDocumentDeclaresWithItsTypes) {
    const auto document = json::parse(aws::definition::document());
    for (const auto& [kind, parse] : records()) {
        SCOPED_TRACE(kind);
        const auto declared = declared_settings(document, kind);
        settings_buffer buffer(kind);
        buffer.clear();
        std::set<std::string> read;
        for (bool done = false; !done;) {
            try {
                parse(buffer.wrapper());
                done = true;
            } catch (const libi18n::i18n_exception& error) {
                const auto key = missing_key(error);
                ASSERT_FALSE(key.empty()) << "a value of the declared type is refused: " << error.what();
                ASSERT_TRUE(read.insert(key).second) << key << " is read with another secrecy than declared";
                if (const auto found = declared.find(key); found != declared.end()) {
                    found->second.secure ? buffer.secure(key, found->second.value)
                                         : buffer.set(key, found->second.value);
                } else if (const auto* value = host_value(key)) {
                    buffer.set(key, std::string(*value));
                } else {
                    ASSERT_EQ(key, host_secure_setting) << key << " is read but not declared";
                    buffer.secure(key, "");
                }
            }
        }
        for (const auto& [key, setting] : declared) {
            EXPECT_TRUE(read.contains(key)) << key << " is declared but no record reads it";
        }
    }
}

}  // namespace
