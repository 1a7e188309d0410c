#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <optional>

#include "aws/sensors/awscost.h"
#include "framework/exceptions.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace ce = Aws::CostExplorer::Model;

// Month to date costs 1 to 5 (blended, amortized, net amortized, unblended, net unblended) in every
// month; a period over several months sums them.
ce::GetCostAndUsageResult usage(const ce::GetCostAndUsageRequest& request, const std::string& unit) {
    const auto& period = request.GetTimePeriod();
    const int months =
        std::stoi(period.GetEnd().substr(5, 2)) - std::stoi(period.GetStart().substr(5, 2)) + 1;
    ce::GetCostAndUsageResult result;
    for (int month = 0; month < months; ++month) {
        ce::ResultByTime entry;
        int amount = 1;
        for (const char* metric :
             {"BlendedCost", "AmortizedCost", "NetAmortizedCost", "UnblendedCost", "NetUnblendedCost"}) {
            entry.AddTotal(metric, ce::MetricValue().WithAmount(std::to_string(amount++)).WithUnit(unit));
        }
        result.AddResultsByTime(entry);
    }
    return result;
}

// Forecasts 10 to 50 in the same order for the month, ten times that for the year.
ce::GetCostForecastResult forecast(const ce::GetCostForecastRequest& request) {
    const bool year = request.GetTimePeriod().GetEnd().ends_with("-12-31");
    const std::map<ce::Metric, int> amounts{{ce::Metric::BLENDED_COST, 10},
                                            {ce::Metric::AMORTIZED_COST, 20},
                                            {ce::Metric::NET_AMORTIZED_COST, 30},
                                            {ce::Metric::UNBLENDED_COST, 40},
                                            {ce::Metric::NET_UNBLENDED_COST, 50}};
    const int amount = amounts.at(request.GetMetric()) * (year ? 10 : 1);
    return ce::GetCostForecastResult().WithTotal(ce::MetricValue().WithAmount(std::to_string(amount)));
}

// A switch and its types: null is "disabled" without types, a leading '!' "disabled" with them.
settings_buffer& switched(settings_buffer& settings, const std::string& group, const char* switch_name,
                          const char* types_name, const char* types) {
    const std::string prefix = "cost_specific_section.cost_" + group + "_group.";
    const bool off = types == nullptr || *types == '!';
    settings.set(prefix + switch_name, off ? "disabled" : "enabled");
    return settings.set(prefix + types_name, types == nullptr ? "" : types + (off ? 1 : 0));
}

settings_buffer cost(const char* additional, const char* forecasts) {
    auto settings = sensor_harness::settings("awscost");
    switched(settings, "optional_channel", "optional_channel", "cost_types", additional);
    return switched(settings, "forecast", "forecast_additional", "forecast_cost_types", forecasts);
}

struct CostSensor : ::testing::Test, sensor_harness {
    CostSensor() {
        ON_CALL(*host.cost, get_cost_and_usage)
            .WillByDefault(
                [this](const ce::GetCostAndUsageRequest& request) { return usage(request, currency); });
        ON_CALL(*host.cost, get_cost_forecast)
            .WillByDefault([this](const ce::GetCostForecastRequest& request) {
                std::lock_guard lock(mutex);
                forecast_metrics.push_back(ce::MetricMapper::GetNameForMetric(request.GetMetric()));
                return forecast(request);
            });
    }

    std::string currency = "USD";
    std::mutex mutex;
    std::vector<std::string> forecast_metrics;
};

struct request_case {
    const char* name;
    const char* additional;
    const char* forecasts;
    date::year_month_day today;
    std::vector<std::string> forecast_metrics;
    std::vector<std::int32_t> channels;
    const char* price;
};

class CostRequests : public CostSensor, public ::testing::WithParamInterface<request_case> {};

TEST_P(CostRequests, SwitchesDecideRequestsChannelsAndTheirPrice) {
    const auto& c = GetParam();
    host.today = c.today;
    create(cost(c.additional, c.forecasts));
    EXPECT_CALL(*host.cost, get_cost_and_usage).Times(2);
    scan();
    EXPECT_EQ(forecast_metrics, c.forecast_metrics);
    EXPECT_THAT(announced_ids(), ElementsAreArray(c.channels));
    EXPECT_EQ(values().size(), c.channels.size());
    EXPECT_EQ(last_result()["response_code"], 0);
    EXPECT_EQ(last_result()["response_message"]["text"],
              std::string("Costs of API calls per sensor scan: $") + c.price + "\n");
}

constexpr auto mid_june = date::year{2025} / date::June / 15;
constexpr const char* all_types =
    "blended_cost,amortized_cost,net_amortized_cost,unblended_cost,net_unblended_cost";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Switches, CostRequests, ::testing::Values(
    request_case{"defaults", nullptr, nullptr, mid_june, {}, {0, 1}, "0.02"},
    request_case{"forecast_blended", nullptr, "blended_cost", mid_june, {"BLENDED_COST", "BLENDED_COST"}, {0, 1, 2, 3}, "0.04"},
    request_case{"forecast_all_on_last_day", nullptr, all_types, date::year{2025} / date::June / 30,
                 {"AMORTIZED_COST", "NET_AMORTIZED_COST", "BLENDED_COST", "UNBLENDED_COST", "NET_UNBLENDED_COST"},
                 {0, 1, 2, 3, 12, 13, 22, 23, 42, 43, 32, 33}, "0.07"},
    request_case{"forecast_on_leap_day", nullptr, "blended_cost", date::year{2024} / date::February / 29, {"BLENDED_COST"}, {0, 1, 2, 3}, "0.03"},
    request_case{"forecast_nothing_selected", nullptr, "", mid_june, {}, {0, 1}, "0.02"},
    request_case{"forecast_switched_off", nullptr, "!blended_cost", mid_june, {}, {0, 1}, "0.02"},
    request_case{"forecast_one_type", nullptr, "net_amortized_cost", mid_june, {"NET_AMORTIZED_COST", "NET_AMORTIZED_COST"}, {0, 1, 22, 23}, "0.04"},
    request_case{"additional_nothing_selected", "", nullptr, mid_june, {}, {0, 1}, "0.02"},
    request_case{"additional_switched_off", "!amortized_cost,unblended_cost", nullptr, mid_june, {}, {0, 1}, "0.02"},
    request_case{"additional_two", "net_unblended_cost,amortized_cost", nullptr, mid_june, {}, {0, 1, 10, 11, 30, 31}, "0.02"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(CostSensor, EveryChannelCarriesItsTypeAndPeriodInDefinitionOrder) {
    create(cost("amortized_cost,net_amortized_cost,unblended_cost,net_unblended_cost", all_types));
    scan();
    EXPECT_THAT(announced_ids(),
                ElementsAre(0, 1, 10, 11, 20, 21, 40, 41, 30, 31, 2, 3, 12, 13, 22, 23, 42, 43, 32, 33));
    // clang-format off
    EXPECT_EQ(numbers(), (std::map<std::int32_t, double>{{0, 1}, {1, 6}, {10, 2}, {11, 12}, {20, 3}, {21, 18}, {40, 4},
        {41, 24}, {30, 5}, {31, 30}, {2, 10}, {3, 100}, {12, 20}, {13, 200}, {22, 30}, {23, 300}, {42, 40}, {43, 400},
        {32, 50}, {33, 500}}));
    // clang-format on
    const auto channels = announced();
    EXPECT_EQ(channels[0]["name"], "channel.monthly_cost");
    EXPECT_EQ(channels[7]["name"], "channel.unblended_yearly");
    EXPECT_EQ(channels[19]["name"], "channel.forecast_net_unblended_yearly");
    for (const auto& channel : channels) {
        EXPECT_TRUE(has_members(channel, {{"value_mode", 3}, {"unit", 8}, {"custom_unit", "USD"}}));
    }
    EXPECT_EQ(last_result()["response_message"]["text"], "Costs of API calls per sensor scan: $0.12\n");
}

// The currency the sensor was created with against the account's: a sensor created without one
// asks the host at every scan to keep the current one.
struct currency_case {
    std::optional<std::string> stored;
    const char* current;
    bool refused;
    json unit;
};

class CostCurrency : public CostSensor, public ::testing::WithParamInterface<currency_case> {};

TEST_P(CostCurrency, ChangedCurrencyIsRefusedBeforeAnyChannel) {
    const auto& c = GetParam();
    currency = c.current;
    auto settings = cost(nullptr, nullptr);
    if (c.stored) {
        settings.persistent("aws_cost_currency", *c.stored);
    }
    create(settings);
    scan();
    scan();
    ASSERT_EQ(results().size(), 2u);
    const auto kept = host.messages->of_type("persistent_data");
    EXPECT_EQ(kept.size(), c.stored ? 0u : 2u);
    for (const auto& message : kept) {
        EXPECT_TRUE(has_members(message, {{"key", "aws_cost_currency"}, {"value", c.current}}));
    }
    if (c.refused) {
        EXPECT_TRUE(has_members(last_result(),
                                {{"response_code", 1}, {"error_code", 2}, {"channels", json::array()}}));
        EXPECT_EQ(last_result()["response_message"]["encoded"], "#:error.changed_billing_currency[]");
    } else {
        EXPECT_EQ(last_result()["response_code"], 0);
        EXPECT_EQ(values().size(), 2u);
    }
    ASSERT_EQ(announced().size(), c.refused ? 0u : 2u);
    EXPECT_TRUE(c.refused || has_members(announced()[0], c.unit));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Currencies, CostCurrency, ::testing::Values(
    currency_case{std::nullopt, "EUR", false, {{"unit", 8}, {"custom_unit", "EUR"}}},
    currency_case{std::nullopt, "", false, {{"unit", 0}, {"custom_unit", ""}}},
    currency_case{"USD", "USD", false, {{"unit", 8}, {"custom_unit", "USD"}}},
    currency_case{"EUR", "USD", true, nullptr}, currency_case{"USD", "EUR", true, nullptr}, currency_case{"usd", "USD", true, nullptr}));
// clang-format on

// A forecast that fails: which forecasts survive, and what the scan says.
struct forecast_failure_case {
    const char* name;
    std::size_t failing_call;  // 0: the monthly forecast, 1: the yearly one
    std::function<void()> failure;
    double monthly;
    double yearly;
    std::int32_t response_code;
    const char* message;
};

class CostForecastFailures : public CostSensor,
                             public ::testing::WithParamInterface<forecast_failure_case> {};

TEST_P(CostForecastFailures, ModuleErrorsKeepTheScanAliveOthersEndIt) {
    const auto& c = GetParam();
    create(cost(nullptr, "blended_cost"));
    std::size_t calls = 0;
    ON_CALL(*host.cost, get_cost_forecast).WillByDefault([&](const ce::GetCostForecastRequest& request) {
        if (calls++ == c.failing_call) {
            c.failure();
        }
        return forecast(request);
    });
    scan();
    ASSERT_EQ(results().size(), 1u);
    EXPECT_EQ(last_result()["response_code"], c.response_code);
    EXPECT_EQ(last_result()["response_message"]["encoded"], c.message);
    if (c.response_code == 0) {
        EXPECT_EQ(numbers(), (std::map<std::int32_t, double>{{0, 1}, {1, 6}, {2, c.monthly}, {3, c.yearly}}));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Failures, CostForecastFailures, ::testing::Values(
    forecast_failure_case{"monthly_limit", 0, [] { throw aws::exceptions::limit_exceeded(); }, 0, 0, 0, "#:error.limit_exceeded[]"},
    forecast_failure_case{"yearly_unavailable", 1, [] { throw aws::exceptions::data_unavailable(); }, 10, 0, 0, "#:error.data_unavailable[]"},
    forecast_failure_case{"unreadable_amount", 0, [] { throw aws::exceptions::conversion_failed("abc"); }, 0, 0, 0, "#:error.conversion_failed[abc]"},
    forecast_failure_case{"empty_total", 1, [] { throw libi18n::error_generic("Total does not include a value."); }, 0, 0, 3,
                          "#:libi18n.error.generic[Total does not include a value.]"},
    forecast_failure_case{"out_of_range", 0, [] { throw std::out_of_range("stod argument out of range"); }, 0, 0, 3, "stod argument out of range"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(CostSensor, FailedCostQueryEndsTheScan) {
    create(cost(nullptr, nullptr));
    EXPECT_CALL(*host.cost, get_cost_and_usage)
        .WillOnce(::testing::Throw(aws::exceptions::data_unavailable()));
    scan();
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["response_message"]["encoded"], "#:error.data_unavailable[]");
    EXPECT_TRUE(announced().empty());
    EXPECT_EQ(host.obtained(), std::vector<std::string>{"cost@aws-global"});
}

TEST(CostText, ThreeSignificantDigits) {
    const std::vector<std::pair<std::uint32_t, std::string>> cases{
        {0, "0"},     {1, "0.01"},  {2, "0.02"},    {7, "0.07"},
        {12, "0.12"}, {1000, "10"}, {1234, "12.3"}, {123456, "1.23e+03"}};
    for (const auto& [requests, amount] : cases) {
        EXPECT_EQ(aws::api_cost_text(requests), "Costs of API calls per sensor scan: $" + amount + "\n")
            << requests;
    }
}

}  // namespace
