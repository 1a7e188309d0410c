#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>

#include "framework/settings/records.h"
#include "host/exceptions.h"
#include "tests/support/settings_buffer.h"

namespace {

using namespace orvane::tessel;
namespace settings = aws::settings;
namespace hx = libvexahelper::utils::exceptions;
using test_support::settings_buffer;

// The encoded message of whatever localised error parsing raised, or "" when it succeeded.
template <class Record>
std::string parse_error(const settings_buffer& buffer) {
    try {
        Record::parse(buffer.wrapper());
    } catch (const libi18n::i18n_exception& error) {
        return error.message().encoded();
    }
    return "";
}

struct selection_case {
    std::string value;
    std::optional<settings::ip_version> expected;  // nullopt: rejected
};

void PrintTo(const selection_case& c, std::ostream* os) {
    *os << c.value;
}

class IpVersion : public ::testing::TestWithParam<selection_case> {};

TEST_P(IpVersion, AcceptsExactlyTheFourSpellings) {
    const auto& c = GetParam();
    const auto buffer = settings_buffer("ec2_check").set("ipversion", c.value);
    if (c.expected) {
        EXPECT_EQ(settings::ec2_check::parse(buffer.wrapper()).common.ipversion, *c.expected);
    } else {
        EXPECT_EQ(parse_error<settings::ec2_check>(buffer),
                  "#:libvexahelper.error.setting_selection_parse_error[" + c.value + ",ipversion]");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Selections, IpVersion,
    ::testing::Values(selection_case{"IPv4", settings::ip_version::ipv4},
                      selection_case{"0", settings::ip_version::ipv4},
                      selection_case{"IPv6", settings::ip_version::ipv6},
                      selection_case{"1", settings::ip_version::ipv6}, selection_case{"ipv4", std::nullopt},
                      selection_case{"IPV6", std::nullopt}, selection_case{" IPv4", std::nullopt},
                      selection_case{"2", std::nullopt}, selection_case{"", std::nullopt}));

struct cost_types_case {
    const char* name;
    std::string value;
    bool amortized, net_amortized, unblended, net_unblended;
    std::string error;  // encoded error, or empty
};

void PrintTo(const cost_types_case& c, std::ostream* os) {
    *os << c.name;
}

class CostTypes : public ::testing::TestWithParam<cost_types_case> {};

TEST_P(CostTypes, SplitAtEveryComma) {
    const auto& c = GetParam();
    const auto buffer =
        settings_buffer("awscost")
            .set("cost_specific_section.cost_optional_channel_group.optional_channel", "disabled")
            .set("cost_specific_section.cost_optional_channel_group.cost_types", c.value)
            .set("cost_specific_section.cost_forecast_group.forecast_additional", "disabled")
            .set("cost_specific_section.cost_forecast_group.forecast_cost_types", "blended_cost");
    if (!c.error.empty()) {
        EXPECT_EQ(parse_error<settings::awscost>(buffer), c.error);
        return;
    }
    const auto types = settings::awscost::parse(buffer.wrapper()).optional_channels.cost_types;
    EXPECT_EQ(types[aws::settings::cost_type::amortized], c.amortized);
    EXPECT_EQ(types[aws::settings::cost_type::net_amortized], c.net_amortized);
    EXPECT_EQ(types[aws::settings::cost_type::unblended], c.unblended);
    EXPECT_EQ(types[aws::settings::cost_type::net_unblended], c.net_unblended);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, CostTypes,
    ::testing::Values(
        cost_types_case{"first_and_third", "amortized_cost,unblended_cost", true, false, true, false, ""},
        cost_types_case{"all_four", "net_unblended_cost,unblended_cost,net_amortized_cost,amortized_cost",
                        true, true, true, true, ""},
        cost_types_case{"repeated_once", "unblended_cost,unblended_cost", false, false, true, false, ""},
        cost_types_case{"empty_selects_nothing", "", false, false, false, false, ""},
        cost_types_case{"blank_after_comma", "amortized_cost, unblended_cost", false, false, false, false,
                        "#:libvexahelper.error.setting_selection_parse_error[ unblended_cost,cost_types]"},
        cost_types_case{"trailing_comma", "amortized_cost,", false, false, false, false,
                        "#:libvexahelper.error.setting_selection_parse_error[,cost_types]"},
        cost_types_case{"blended_is_no_additional_type", "blended_cost", false, false, false, false,
                        "#:libvexahelper.error.setting_selection_parse_error[blended_cost,cost_types]"},
        cost_types_case{"invalid_even_when_switched_off", "Amortized_cost", false, false, false, false,
                        "#:libvexahelper.error.setting_selection_parse_error[Amortized_cost,cost_types]"}),
    [](const auto& info) { return info.param.name; });

struct integer_case {
    const char* name;
    std::string key;
    std::string value;
    std::string error;  // encoded error, or empty when accepted
};

void PrintTo(const integer_case& c, std::ostream* os) {
    *os << c.name;
}

class IntegerBounds : public ::testing::TestWithParam<integer_case> {};

TEST_P(IntegerBounds, AreEnforced) {
    const auto& c = GetParam();
    EXPECT_EQ(parse_error<settings::ec2_check>(settings_buffer("ec2_check").set(c.key, c.value)), c.error);
}

constexpr const char* port = "httpproxy.httpproxygroup.port";

INSTANTIATE_TEST_SUITE_P(
    Settings, IntegerBounds,
    ::testing::Values(
        integer_case{"port_1", port, "1", ""}, integer_case{"port_65535", port, "65535", ""},
        integer_case{"port_0", port, "0", "#:libvexahelper.error.setting_invalid_less_min[0,port,1]"},
        integer_case{"port_65536", port, "65536",
                     "#:libvexahelper.error.setting_invalid_bigger_max[65536,port,65535]"},
        integer_case{"port_text", port, "http", "#:libvexahelper.error.setting_invalid[http,port]"},
        integer_case{"port_fraction", port, "80.5", "#:libvexahelper.error.setting_invalid[80.5,port]"},
        integer_case{"timeout_0", "timeout", "0", ""},
        integer_case{"timeout_negative", "timeout", "-1",
                     "#:libvexahelper.error.setting_invalid_less_min[-1,timeout,0]"},
        integer_case{"interval_1", "interval", "1", ""},
        integer_case{"interval_0", "interval", "0",
                     "#:libvexahelper.error.setting_invalid_less_min[0,interval,1]"},
        integer_case{"interval_overflow", "interval", "9223372036854775808",
                     "#:libvexahelper.error.setting_invalid[9223372036854775808,interval]"}),
    [](const auto& info) { return info.param.name; });

// Which keys each record reads, from which part of the buffer, and that a missing one is named in
// full, is settings_keys_test.cpp's business.
TEST(SettingsParsing, EmptyIntegerIsTheStandardBadOptionalAccess) {
    EXPECT_THROW(settings::ec2_check::parse(settings_buffer("ec2_check").set("interval", "").wrapper()),
                 std::bad_optional_access);
}

TEST(SettingsParsing, FirstBadValueInReadingOrderWins) {
    // Interval is read last, after the IP version, although it is declared before it.
    const auto buffer = settings_buffer("ec2_check").set("interval", "0").set("ipversion", "v6");
    EXPECT_EQ(parse_error<settings::ec2_check>(buffer),
              "#:libvexahelper.error.setting_selection_parse_error[v6,ipversion]");
    // The common settings come before every group.
    EXPECT_EQ(
        parse_error<settings::ec2_check>(settings_buffer("ec2_check").set(port, "0").set("logging", "on")),
        "#:libvexahelper.error.setting_selection_parse_error[on,logging]");
}

}  // namespace
