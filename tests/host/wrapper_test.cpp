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
    std::string key;
    std::string reason;
};

void PrintTo(const invalid_case& c, std::ostream* os) {
    *os << c.name;
}

class InvalidBuffer : public ::testing::TestWithParam<invalid_case> {};

// The reason names the place and the kind of fault, never the bytes (the parser's own text quotes
// what it read, which may be a piece of a secret).
TEST_P(InvalidBuffer, SaysWhatAndWhereWithoutThrowing) {
    const auto& c = GetParam();
    const auto wrapper = wrap(c.buffer);
    EXPECT_FALSE(wrapper.is_valid());
    EXPECT_EQ(wrapper.error().encoded().substr(0, c.key.size() + 2), "#:" + c.key);
    EXPECT_THAT(wrapper.error().english(), ::testing::EndsWith(c.reason));
    EXPECT_THAT(wrapper.error().english(), ::testing::Not(::testing::HasSubstr("json.exception")));
    EXPECT_THROW(wrapper.lookup("host"), libvexahelper::utils::exceptions::setting_not_available);
    const auto description = nlohmann::json::parse(wrapper.to_json()).at("unreadable_settings_buffer");
    EXPECT_EQ(description.at("bytes"), c.buffer.size());
    EXPECT_EQ(description.at("reason"), wrapper.error().english());
}

constexpr const char* parse_key = "libjsonparser.error.parse";
constexpr const char* shape_key = "libparser.error.unexpected_type";

INSTANTIATE_TEST_SUITE_P(
    Buffers, InvalidBuffer,
    ::testing::Values(
        invalid_case{"empty", "", parse_key, "The settings buffer is empty."},
        invalid_case{"bare_key", "{kind:", parse_key,
                     "Byte 2 of the settings buffer (6 bytes): unexpected character."},
        invalid_case{"tab_in_string", "{\"a\":\"b\tc\"}", parse_key,
                     "Byte 8 of the settings buffer (11 bytes): control character in a string."},
        invalid_case{"not_utf8", "\xff\xfe{}", parse_key,
                     "Byte 1 of the settings buffer (4 bytes): unexpected character."},
        invalid_case{"truncated_utf8", "{\"kind\":\"\xC3\",\"settings\":{}}", parse_key,
                     "Byte 11 of the settings buffer (26 bytes): byte that is not UTF-8 in a string."},
        invalid_case{"cut_in_string", "{\"a\":\"abc", parse_key,
                     "Byte 9 of the settings buffer (9 bytes): string without its closing quote."},
        invalid_case{
            "cut_after_value", "{\"a\":1", parse_key,
            "Byte 6 of the settings buffer (6 bytes): end of the text before the end of the JSON value."},
        invalid_case{"bad_escape", "{\"a\":\"\\x\"}", parse_key,
                     "Byte 8 of the settings buffer (10 bytes): unknown escape in a string."},
        invalid_case{"lone_surrogate", "{\"a\":\"\\ud800\"}", parse_key,
                     "Byte 13 of the settings buffer (14 bytes): unpaired surrogate escape in a string."},
        invalid_case{"short_unicode_escape", "{\"a\":\"\\u12\"}", parse_key,
                     "Byte 11 of the settings buffer (12 bytes): incomplete \\u escape in a string."},
        invalid_case{"bad_number", "{\"a\":1.}", parse_key,
                     "Byte 8 of the settings buffer (8 bytes): malformed number."},
        invalid_case{"missing_colon", "{\"a\" 1}", parse_key,
                     "Byte 6 of the settings buffer (7 bytes): unexpected token."},
        invalid_case{"array", "[]", shape_key, "The settings buffer is not a JSON object."},
        invalid_case{"no_kind", R"({"settings":{}})", shape_key,
                     "The member \"kind\" of the settings buffer is missing or not a string."},
        invalid_case{"kind_not_text", R"({"kind":1,"settings":{}})", shape_key,
                     "The member \"kind\" of the settings buffer is missing or not a string."},
        invalid_case{"no_settings", R"({"kind":"x"})", shape_key,
                     "The member \"settings\" of the settings buffer is missing."},
        invalid_case{"settings_not_object", R"({"kind":"x","settings":[]})", shape_key,
                     "The member \"settings\" of the settings buffer is not an object."},
        invalid_case{"nested_value", R"({"kind":"x","settings":{"a":"1","b":{}}})", shape_key,
                     "Value 2 of \"settings\" in the settings buffer is an object, not a string."},
        invalid_case{"secret_not_text", R"({"kind":"x","settings":{},"secure_settings":{"k":["s"]}})",
                     shape_key,
                     "Value 1 of \"secure_settings\" in the settings buffer is an array, not a string."},
        invalid_case{"channel_id_not_number", R"({"kind":"x","settings":{},"channels":{"1":"a","one":"b"}})",
                     shape_key, "The id of channel 2 in the settings buffer is not a 32-bit integer."}),
    [](const auto& info) { return info.param.name; });

TEST(SensorDataWrapper, ReadsEverySection) {
    const auto wrapper = wrap(R"({"kind":"awscost","settings":{"interval":3600,"flag":true,"host":"h"},
        "secure_settings":{"orvanecloudapikey":"k"},"channels":{"0":"Monthly Cost","-1":"x"},
        "persistent_data":{"aws_cost_currency":"EUR"}})");
    ASSERT_TRUE(wrapper.is_valid()) << wrapper.error().english();
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

TEST(SensorDataWrapper, JsonHidesASecretTheHostPutAmongThePlainSettingsAndKeepsTheirOrder) {
    const auto wrapper =
        wrap(R"({"kind":"k","settings":{"z":"1","httpproxy.httpproxygroup.password":"pw","password":"p2"}})");
    EXPECT_EQ(
        wrapper.to_json(),
        R"({"kind":"k","settings":{"z":"1","httpproxy.httpproxygroup.password":"***","password":"***"},)"
        R"("secure_settings":{},"channels":{},"persistent_data":{}})");
}

}  // namespace
