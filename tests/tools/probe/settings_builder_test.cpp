// Default filling: a settings buffer built for a kind carries every setting the module's own
// definition document declares for it, with the document's default, unless the user gives it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tools/probe/host_session.h"
#include "tools/probe/settings_builder.h"

namespace {

using namespace orvane::tessel::probe;
using json = nlohmann::ordered_json;

class SettingsBuilder : public ::testing::Test {
protected:
    // The document as the module sends it, fetched once.
    static const json& document() {
        static const json fetched = [] {
            module_library library(VEXA_MODULE_PATH);
            host_session session(library, nullptr);
            return session.document();
        }();
        return fetched;
    }

    static settings_request of_kind(const char* kind) {
        settings_request request;
        request.kind = kind;
        return request;
    }

    static json build(const settings_request& request) {
        return json::parse(build_settings(document(), request));
    }
    static json build(const char* kind) { return build(of_kind(kind)); }
};

struct expected_default {
    const char* kind;
    const char* part;  // settings or secure_settings
    const char* key;
    const char* value;
};

// Defaults that matter: the meta-scan group a sensor is made from (not among its own sections), the
// proxy port, selections with and without a declared default, secrets, and the common settings.
constexpr expected_default defaults[] = {
    {"ec2_sensor", "settings", "ec2_metascan_section.ec2_metascan_group.name", ""},
    {"alarm_sensor", "settings", "alarm_metascan_section.alarm_metascan_group.description", ""},
    {"ec2_sensor", "settings", "httpproxy.httpproxygroup.port", "8080"},
    {"ec2_sensor", "secure_settings", "httpproxy.httpproxygroup.password", ""},
    {"ec2_sensor", "secure_settings", "awscredentials.credentials_group.secret_key", ""},
    {"awscost", "settings", "cost_specific_section.cost_forecast_group.forecast_cost_types", "blended_cost"},
    {"awscost", "settings", "cost_specific_section.cost_optional_channel_group.cost_types", ""},
    {"awscost", "settings", "interval", "21600"},
    {"ec2_sensor", "settings", "interval", "300"},
    {"ec2_check", "settings", "awscredentials.credentials_group.access_key", ""},
    {"alarm_metascan", "settings", "logging", "enabled"},
};

TEST_F(SettingsBuilder, EveryDeclaredSettingTakesItsDefault) {
    for (const auto& row : defaults) {
        const auto built = build(row.kind);
        ASSERT_TRUE(built.at(row.part).contains(row.key)) << row.kind << " " << row.key;
        EXPECT_EQ(built.at(row.part).at(row.key), row.value) << row.kind << " " << row.key;
    }
}

TEST_F(SettingsBuilder, SensorsGetTheirMetaScanGroupButChecksAndMetaScansDoNot) {
    EXPECT_TRUE(build("ec2_sensor").at("settings").contains("ec2_metascan_section.ec2_metascan_group.id"));
    EXPECT_FALSE(build("ec2_check").at("settings").contains("ec2_metascan_section.ec2_metascan_group.id"));
    EXPECT_FALSE(build("ec2_metascan").at("settings").contains("ec2_metascan_section.ec2_metascan_group.id"));
}

TEST_F(SettingsBuilder, TheUserWinsOverTheFileAndTheFileOverTheDefaults) {
    settings_request request;
    request.file = json{{"kind", "ec2_sensor"},
                        {"settings", {{"interval", 600}, {"logging", "disabled"}}},
                        {"secure_settings", {{"httpproxy.httpproxygroup.password", "p"}}},
                        {"persistent_data", {{"k", "v"}}}};
    request.overrides = {{"interval", "900"}, {"httpproxy.httpproxygroup.password", "q"}};
    request.access_key = "AKID";
    request.secret_key = "SECRET";
    const auto built = build(request);
    EXPECT_EQ(built.at("kind"), "ec2_sensor");
    EXPECT_EQ(built.at("settings").at("interval"), "900");
    EXPECT_EQ(built.at("settings").at("logging"), "disabled");
    EXPECT_EQ(built.at("secure_settings").at("httpproxy.httpproxygroup.password"), "q");
    EXPECT_EQ(built.at("settings").at("awscredentials.credentials_group.access_key"), "AKID");
    EXPECT_EQ(built.at("secure_settings").at("awscredentials.credentials_group.secret_key"), "SECRET");
    EXPECT_FALSE(built.at("settings").contains("awscredentials.credentials_group.secret_key"));
    EXPECT_EQ(built.at("persistent_data").at("k"), "v");
}

TEST_F(SettingsBuilder, WhatCannotBeBuiltIsAUsageError) {
    const auto unknown_kind = of_kind("no_such_sensor");
    auto not_an_object = of_kind("");
    not_an_object.file = json::array();
    auto bad_part = of_kind("ec2_sensor");
    bad_part.file = json{{"settings", "interval=5"}};
    for (const auto& request : std::vector<settings_request>{unknown_kind, not_an_object, bad_part}) {
        EXPECT_THROW(build_settings(document(), request), usage_error);
    }
}

}  // namespace
