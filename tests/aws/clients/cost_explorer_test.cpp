#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aws/clients/cost_explorer.h"
#include "framework/exceptions.h"
#include "tests/aws/support/client_mocks.h"

namespace {

using namespace orvane::tessel;
using namespace orvane::tessel::aws;
using namespace date::literals;
namespace model = Aws::CostExplorer::Model;
using ::testing::_;
using ::testing::Return;

model::MetricValue amount(const std::string& value, const std::string& unit = "USD") {
    model::MetricValue metric;
    metric.SetAmount(value);
    metric.SetUnit(unit);
    return metric;
}

// One ResultsByTime entry with the same amount for every metric.
model::ResultByTime month(const std::string& value, const std::string& unit = "USD") {
    model::ResultByTime entry;
    for (const char* metric :
         {"BlendedCost", "AmortizedCost", "NetAmortizedCost", "UnblendedCost", "NetUnblendedCost"}) {
        entry.AddTotal(metric, amount(value, unit));
    }
    return entry;
}

model::GetCostAndUsageResult result_of(std::vector<model::ResultByTime> months) {
    model::GetCostAndUsageResult result;
    result.SetResultsByTime(std::move(months));
    return result;
}

model::GetCostForecastResult forecast_of(const std::string& value) {
    model::GetCostForecastResult result;
    result.SetTotal(amount(value));
    return result;
}

struct CostExplorer : ::testing::Test {
    test_support::mock_cost_api api;
    forecast_types forecasts;
    std::shared_ptr<test_support::log_book> book = std::make_shared<test_support::log_book>();
    aws_cost_explorer explorer{&forecasts, &api, std::make_shared<test_support::memory_log>(book)};
};

TEST_F(CostExplorer, RequestsFiveMetricsMonthlyWithTheExactPayload) {
    model::GetCostAndUsageRequest seen;
    EXPECT_CALL(api, get_cost_and_usage(_)).WillOnce([&](const model::GetCostAndUsageRequest& request) {
        seen = request;
        return result_of({month("1")});
    });
    explorer.get_costs("2024-05-01", "2024-05-31");
    EXPECT_EQ(seen.SerializePayload(),
              "{\n\t\"TimePeriod\":\t{\n\t\t\"Start\":\t\"2024-05-01\",\n\t\t\"End\":\t\"2024-05-31\"\n\t},\n"
              "\t\"Granularity\":\t\"MONTHLY\",\n\t\"Metrics\":\t[\"BlendedCost\", \"AmortizedCost\", "
              "\"NetAmortizedCost\", \"UnblendedCost\", \"NetUnblendedCost\"]\n}");
    EXPECT_TRUE(book->contains("COST REQUEST: " + seen.SerializePayload()));
}

TEST_F(CostExplorer, CurrencyFollowsTheLastParsedAmountAndStaysWithoutResults) {
    EXPECT_EQ(explorer.currency(), "USD");
    EXPECT_CALL(api, get_cost_and_usage(_))
        .WillOnce(Return(result_of({month("1", "EUR")})))
        .WillOnce(Return(result_of({})));
    explorer.get_costs("2024-01-01", "2024-01-31");
    EXPECT_EQ(explorer.currency(), "EUR");
    EXPECT_EQ(explorer.get_costs("2024-01-01", "2024-01-31"), cost_values{});
    EXPECT_EQ(explorer.currency(), "EUR");
}

struct amount_case {
    const char* name;
    std::string text;
    double value;       // when accepted
    std::string error;  // encoded module error, "generic:<detail>" or "std:<what>"
};

void PrintTo(const amount_case& c, std::ostream* os) {
    *os << c.name;
}

class Amounts : public CostExplorer, public ::testing::WithParamInterface<amount_case> {};

TEST_P(Amounts, AreReadLikeTheStandardConversionButLocaleFree) {
    const auto& c = GetParam();
    EXPECT_CALL(api, get_cost_and_usage(_)).WillOnce(Return(result_of({month(c.text)})));
    try {
        const auto costs = explorer.get_costs("2024-01-01", "2024-01-31");
        EXPECT_TRUE(c.error.empty());
        EXPECT_DOUBLE_EQ(costs[aws::settings::cost_type::blended], c.value);
    } catch (const libi18n::i18n_exception& error) {
        EXPECT_EQ(error.message().encoded(), c.error);
    } catch (const std::out_of_range& error) {
        EXPECT_EQ(std::string("std:") + error.what(), c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Amounts,
    ::testing::Values(amount_case{"decimal", "12.3456789", 12.3456789, ""},
                      amount_case{"leading_space", "  7.25", 7.25, ""}, amount_case{"plus", "+3", 3.0, ""},
                      amount_case{"trailing_text", "0.5 USD", 0.5, ""},
                      amount_case{"negative_credit", "-4.2", -4.2, ""},
                      amount_case{"exponent", "1e2", 100.0, ""},
                      amount_case{"letters", "abc", 0, "#:error.conversion_failed[abc]"},
                      amount_case{"empty", "", 0,
                                  "#:libi18n.error.generic[Metric does not include a value.]"},
                      amount_case{"hexadecimal", "0x1A", 26.0, ""},
                      amount_case{"two_signs", "+-1", 0, "#:error.conversion_failed[+-1]"},
                      amount_case{"huge", "1e999", 0, "std:stod argument out of range"},
                      amount_case{"subnormal", "4e-320", 0, "std:stod argument out of range"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CostExplorer, EmptyAmountLogsTheMetricValueBeforeFailing) {
    model::ResultByTime entry;
    entry.AddTotal("BlendedCost", amount("", "USD"));
    EXPECT_CALL(api, get_cost_and_usage(_)).WillOnce(Return(result_of({entry})));
    EXPECT_THROW(explorer.get_costs("2024-01-01", "2024-01-31"), libi18n::error_generic);
    EXPECT_TRUE(book->contains("This should not happen. Extended Debuglogging below."));
    EXPECT_TRUE(book->contains("metric_value: {\n\t\"Amount\":\t\"\",\n\t\"Unit\":\t\"USD\"\n}"));
    EXPECT_TRUE(book->contains("amount_str: "));
}

TEST_F(CostExplorer, MissingMetricCountsAsAnEmptyAmount) {
    model::ResultByTime entry;
    entry.AddTotal("UnblendedCost", amount("1"));
    EXPECT_CALL(api, get_cost_and_usage(_)).WillOnce(Return(result_of({entry})));
    EXPECT_THROW(explorer.get_costs("2024-01-01", "2024-01-31"), libi18n::error_generic);
    EXPECT_EQ(explorer.currency(), "");
}

TEST_F(CostExplorer, ForecastsOnlyWhatIsSelectedInRecordOrder) {
    forecasts[aws::settings::cost_type::blended] = true;
    forecasts[aws::settings::cost_type::net_unblended] = true;
    std::vector<model::Metric> asked;
    EXPECT_CALL(api, get_cost_forecast(_))
        .Times(2)
        .WillRepeatedly([&](const model::GetCostForecastRequest& request) {
            asked.push_back(request.GetMetric());
            return forecast_of(request.GetMetric() == model::Metric::BLENDED_COST ? "10" : "20");
        });
    const auto values = explorer.get_forecasts("2024-05-15", "2024-05-31");
    EXPECT_EQ(asked,
              (std::vector<model::Metric>{model::Metric::BLENDED_COST, model::Metric::NET_UNBLENDED_COST}));
    EXPECT_EQ(values, (cost_values{10, 0, 0, 0, 20}));
}

TEST_F(CostExplorer, ForecastOfAnEmptyPeriodAsksNothing) {
    forecasts = {true, true, true, true, true};
    EXPECT_CALL(api, get_cost_forecast(_)).Times(0);
    EXPECT_EQ(explorer.get_forecasts("2025-01-31", "2025-01-31"), cost_values{});
    EXPECT_TRUE(book->contains("FORECAST SAME DATE: This happens on the last day of the month."));
}

TEST_F(CostExplorer, ForecastWithoutTotalFails) {
    forecasts[aws::settings::cost_type::amortized] = true;
    EXPECT_CALL(api, get_cost_forecast(_)).WillOnce(Return(model::GetCostForecastResult()));
    EXPECT_THROW(explorer.get_forecasts("2024-05-15", "2024-05-31"), libi18n::error_generic);
    EXPECT_TRUE(book->contains("Total does not include a value."));
}

// ---- the four periods ----------------------------------------------------------------------------

class recording_explorer final : public cost_explorer_interface {
public:
    cost_values get_costs(const std::string& start, const std::string& end) override {
        periods.push_back("costs " + start + ".." + end);
        return {};
    }
    cost_values get_forecasts(const std::string& start, const std::string& end) override {
        periods.push_back("forecasts " + start + ".." + end);
        return {};
    }
    std::uint32_t api_call_count() const override { return 0; }
    std::vector<std::string> periods;
};

std::vector<std::string> periods_on(date::year_month_day today) {
    recording_explorer explorer;
    cost_interval_query query(nullptr, &explorer, [today] { return today; });
    query.monthly_costs();
    query.yearly_costs();
    query.monthly_forecasts();
    query.yearly_forecasts();
    return explorer.periods;
}

TEST(CostIntervals, FollowTheCalendar) {
    EXPECT_EQ(
        periods_on(2025_y / date::January / 31),
        (std::vector<std::string>{"costs 2025-01-01..2025-01-31", "costs 2025-01-01..2025-01-31",
                                  "forecasts 2025-01-31..2025-01-31", "forecasts 2025-01-31..2025-12-31"}));
    EXPECT_EQ(
        periods_on(2024_y / date::March / 1),
        (std::vector<std::string>{"costs 2024-03-01..2024-03-31", "costs 2024-01-01..2024-03-31",
                                  "forecasts 2024-03-01..2024-03-31", "forecasts 2024-03-01..2024-12-31"}));
    EXPECT_EQ(periods_on(2024_y / date::February / 29)[0], "costs 2024-02-01..2024-02-29");
}

TEST(CostIntervals, LogTheDates) {
    recording_explorer explorer;
    auto book = std::make_shared<test_support::log_book>();
    cost_interval_query query(std::make_shared<test_support::memory_log>(book), &explorer,
                              [] { return 2024_y / date::June / 10; });
    query.monthly_costs();
    EXPECT_EQ(book->texts(),
              (std::vector<std::string>{"Dates: INTERVAL START: 2024-06-01 INTERVAL END: 2024-06-30"}));
}

}  // namespace
