#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <ostream>
#include <random>
#include <string>

#include "host/exceptions.h"
#include "host/sensor_data_wrapper.h"
#include "tests/support/settings_buffer.h"

namespace {

using namespace orvane::tessel;
using libvexahelper::sensor_data_wrapper;
using test_support::settings_buffer;

sensor_data_wrapper wrap(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), static_cast<std::uint32_t>(text.size())};
}

struct invalid_case {
    const char* name;
    std::string buffer;
    std::string reason;
};

void PrintTo(const invalid_case& c, std::ostream* os) {
    *os << c.name;
}

class InvalidBuffer : public ::testing::TestWithParam<invalid_case> {};

TEST_P(InvalidBuffer, MakesTheWrapperInvalidWithoutThrowing) {
    const auto& c = GetParam();
    const auto wrapper = wrap(c.buffer);
    EXPECT_FALSE(wrapper.is_valid());
    EXPECT_THAT(wrapper.error(), ::testing::HasSubstr(c.reason));
    EXPECT_THROW(wrapper.lookup("host"), libvexahelper::utils::exceptions::setting_not_available);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, InvalidBuffer,
    ::testing::Values(invalid_case{"empty", "", "empty"}, invalid_case{"not_json", "{kind:", "parse"},
                      invalid_case{"array", "[]", "not a JSON object"},
                      invalid_case{"no_kind", R"({"settings":{}})", "\"kind\""},
                      invalid_case{"kind_not_text", R"({"kind":1,"settings":{}})", "\"kind\""},
                      invalid_case{"no_settings", R"({"kind":"x"})", "\"settings\" is missing"},
                      invalid_case{"settings_not_object", R"({"kind":"x","settings":[]})",
                                   "must be an object"},
                      invalid_case{"nested_value", R"({"kind":"x","settings":{"a":{}}})", "must be a string"},
                      invalid_case{"channel_id_not_number",
                                   R"({"kind":"x","settings":{},"channels":{"one":"a"}})", "channel id"},
                      invalid_case{"truncated_utf8", "{\"kind\":\"\xC3\",\"settings\":{}}", "parse"}),
    [](const auto& info) { return info.param.name; });

TEST(SensorDataWrapper, ReadsEverySection) {
    const auto wrapper = wrap(R"({"kind":"awscost","settings":{"interval":3600,"flag":true,"host":"h"},
        "secure_settings":{"orvanecloudapikey":"k"},"channels":{"0":"Monthly Cost","-1":"x"},
        "persistent_data":{"aws_cost_currency":"EUR"}})");
    ASSERT_TRUE(wrapper.is_valid()) << wrapper.error();
    EXPECT_EQ(wrapper.kind(), "awscost");
    EXPECT_EQ(wrapper.lookup("interval"), "3600");
    EXPECT_EQ(wrapper.lookup("flag"), "true");
    EXPECT_EQ(wrapper.lookup_secure("orvanecloudapikey").get_as_plaintext(), "k");
    EXPECT_THROW(wrapper.lookup("orvanecloudapikey"),
                 libvexahelper::utils::exceptions::setting_not_available);
    EXPECT_EQ(wrapper.get_channels().at(0), "Monthly Cost");
    EXPECT_EQ(wrapper.get_channels().at(-1), "x");
    EXPECT_EQ(wrapper.get_persistent_data().at("aws_cost_currency"), "EUR");
}

TEST(SensorDataWrapper, MissingSettingNamesTheKey) {
    try {
        settings_buffer("x").wrapper().lookup("nowhere.group.setting");
        FAIL() << "no exception";
    } catch (const libi18n::i18n_exception& error) {
        EXPECT_STREQ(error.what(), "The setting \"nowhere.group.setting\" was not available.");
    }
}

TEST(SensorDataWrapper, JsonNeverShowsASecret) {
    std::mt19937 random(7);
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/+=\"\\,:{}";
    for (int round = 0; round < 200; ++round) {
        std::string secret;
        const int length = 8 + static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            secret.push_back(alphabet[random() % alphabet.size()]);
        }
        const auto buffer = settings_buffer("ec2_sensor")
                                .secure("awscredentials.credentials_group.secret_key", secret)
                                .secure("httpproxy.httpproxygroup.password", secret + "p")
                                .secure("orvanecloudapikey", "k" + secret);
        const std::string rendered = buffer.wrapper().to_json();
        EXPECT_EQ(rendered.find(secret), std::string::npos) << rendered;
        const auto parsed = nlohmann::json::parse(rendered);
        for (const auto& [key, value] : parsed["secure_settings"].items()) {
            EXPECT_EQ(value, "***") << key;
        }
    }
}

TEST(SensorDataWrapper, JsonKeepsTheOrderTheHostSent) {
    const auto wrapper = wrap(R"({"kind":"k","settings":{"z":"1","a":"2"}})");
    EXPECT_EQ(
        wrapper.to_json(),
        R"({"kind":"k","settings":{"z":"1","a":"2"},"secure_settings":{},"channels":{},"persistent_data":{}})");
}

}  // namespace
