#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "aws/discovery/checks.h"
#include "framework/exceptions.h"
#include "tests/aws/discovery/discovery_host.h"

namespace {

using namespace orvane::tessel;
using test_support::discovery_host;
using ::testing::_;
using ::testing::ElementsAre;
namespace errors = aws::exceptions;

// What the probe does in one region: answer yes or no, or throw.
struct answer {
    bool yes = false;
    std::exception_ptr failure;
};

template <class E>
answer throws(E error) {
    return {false, std::make_exception_ptr(std::move(error))};
}

template <class Expectation>
void answer_in_turn(Expectation&& expectation, const std::vector<answer>& answers) {
    expectation.Times(static_cast<int>(answers.size()));
    for (const auto& what : answers) {
        expectation.WillOnce([what]() -> bool {
            if (what.failure) {
                std::rethrow_exception(what.failure);
            }
            return what.yes;
        });
    }
}

struct check_kind {
    std::string_view name;
    std::string_view client;  // as the fake host records obtained clients
    void (*run)(discovery_host&);
    void (*expect_probes)(discovery_host&, const std::vector<answer>&);
};

// clang-format off
constexpr check_kind ec2_kind{"ec2_check", "ec2", [](discovery_host& host) { host.run_check<aws::ec2_check>(); },
    [](discovery_host& host, const std::vector<answer>& answers) {
        answer_in_turn(EXPECT_CALL(*host.aws.ec2, can_describe_instances()), answers);
    }};
constexpr check_kind ebs_kind{"ebs_check", "ec2", [](discovery_host& host) { host.run_check<aws::ebs_check>(); },
    [](discovery_host& host, const std::vector<answer>& answers) {
        answer_in_turn(EXPECT_CALL(*host.aws.ec2, can_describe_volumes()), answers);
    }};
constexpr check_kind elb_kind{"elb_check", "elb", [](discovery_host& host) { host.run_check<aws::elb_check>(); },
    [](discovery_host& host, const std::vector<answer>& answers) {
        answer_in_turn(EXPECT_CALL(*host.aws.elb, test_connection()), answers);
    }};
constexpr check_kind rds_kind{"rds_check", "rds", [](discovery_host& host) { host.run_check<aws::rds_check>(); },
    [](discovery_host& host, const std::vector<answer>& answers) {
        answer_in_turn(EXPECT_CALL(*host.aws.rds, test_connection()), answers);
    }};
constexpr check_kind alarm_kind{"alarm_check", "cloudwatch", [](discovery_host& host) { host.run_check<aws::alarm_check>(); },
    [](discovery_host& host, const std::vector<answer>& answers) {
        answer_in_turn(EXPECT_CALL(*host.aws.cloudwatch, test_connection()), answers);
    }};
// clang-format on

// One search for an answering region and what the host and the log must see of it.
struct search {
    std::string_view name;
    std::vector<std::string> regions;
    std::exception_ptr regions_failure;
    std::vector<answer> probes;         // one per probe call, in region order
    std::string failing_client;         // obtaining the client for this region throws ...
    std::exception_ptr client_failure;  // ... this
    bool success;
    std::vector<std::string> contacted;  // regions whose client was obtained
    std::size_t skipped;                 // level-7 lines after the initialize line, one per skipped region
    std::string failure;                 // the level-0 line; empty: none
};

std::vector<search> searches() {
    const answer yes{true, nullptr};
    const answer no{false, nullptr};
    const auto auth = std::make_exception_ptr(errors::authentication_failed("invalid token"));
    const std::string auth_text = errors::authentication_failed("invalid token").what();
    // clang-format off
    return {
        {"FirstAnsweringRegionEndsTheSearch", {"a-1", "b-1", "c-1"}, nullptr, {no, yes}, "", nullptr, true,
         {"a-1", "b-1"}, 0, ""},
        {"NoRegionAnswers", {"a-1", "b-1"}, nullptr, {no, no}, "", nullptr, false, {"a-1", "b-1"}, 0, ""},
        {"ModuleFailuresOnlySkipTheirRegion", {"a-1", "b-1", "c-1", "d-1"}, nullptr,
         {throws(errors::access_denied("a")), throws(errors::limit_exceeded()), yes}, "c-1",
         std::make_exception_ptr(errors::unauthorized_operation("c")), true, {"a-1", "b-1", "d-1"}, 3, ""},
        {"EveryRegionFailing", {"a-1", "b-1"}, nullptr, {throws(errors::result_pages_overflow("1"))}, "b-1",
         std::make_exception_ptr(errors::unauthorized_operation("b")), false, {"a-1"}, 2, ""},
        {"AuthenticationFailureStopsAtOnce", {"a-1", "b-1"}, nullptr, {answer{false, auth}}, "", nullptr, false,
         {"a-1"}, 0, auth_text},
        {"AuthenticationFailureOfTheClientStopsAtOnce", {"a-1", "b-1"}, nullptr, {}, "a-1", auth, false, {}, 0,
         auth_text},
        {"FailureOutsideTheModuleFamilyStops", {"a-1", "b-1"}, nullptr, {throws(std::runtime_error("pool"))}, "",
         nullptr, false, {"a-1"}, 0, "pool"},
        {"NoRegionAtAll", {}, nullptr, {}, "", nullptr, false, {}, 0, ""},
        {"FailedRegionList", {}, std::make_exception_ptr(errors::access_denied("regions")), {}, "", nullptr, false,
         {}, 0, "You do not have permission to perform this request. regions"},
    };
    // clang-format on
}

class Checks : public ::testing::Test {
protected:
    void TearDown() override { host.expect_no_secret(); }

    // Every check ends with exactly one result for its id.
    bool succeeded() const {
        const auto results = host.messages->of_type("check_result");
        EXPECT_EQ(results.size(), 1u);
        EXPECT_EQ(host.messages->size(), 1u);
        return !results.empty() && results.front().at("id") == 9 && results.front().at("success").get<bool>();
    }

    discovery_host host;
};

class RegionCheck : public Checks, public ::testing::WithParamInterface<std::tuple<check_kind, search>> {};

TEST_P(RegionCheck, FindsTheFirstAnsweringRegionOrSaysWhyNot) {
    const auto& kind = std::get<0>(GetParam());
    const auto& scenario = std::get<1>(GetParam());
    EXPECT_CALL(*host.aws.ec2, get_regions(_)).WillOnce([&](auto&&...) {
        if (scenario.regions_failure) {
            std::rethrow_exception(scenario.regions_failure);
        }
        return scenario.regions;
    });
    if (scenario.client_failure) {
        host.fail_obtaining(scenario.failing_client, scenario.client_failure);
    }
    kind.expect_probes(host, scenario.probes);
    kind.run(host);

    EXPECT_EQ(succeeded(), scenario.success);
    std::vector<std::string> contacted{"ec2@aws-global"};
    for (const auto& region : scenario.contacted) {
        contacted.push_back(std::string(kind.client) + "@" + region);
    }
    EXPECT_EQ(host.aws.obtained(), contacted);
    const auto traces = host.log_at(7);
    ASSERT_EQ(traces.size(), scenario.skipped + 1);
    EXPECT_TRUE(traces.front().starts_with("Initialize: " + std::string(kind.name) + " version is: "));
    EXPECT_EQ(host.log_at(0), scenario.failure.empty() ? std::vector<std::string>{}
                                                       : std::vector<std::string>{scenario.failure});
}

INSTANTIATE_TEST_SUITE_P(Kinds, RegionCheck,
                         ::testing::Combine(::testing::Values(ec2_kind, ebs_kind, elb_kind, rds_kind,
                                                              alarm_kind),
                                            ::testing::ValuesIn(searches())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::string(std::get<1>(info.param).name);
                         });

// ---- cost check -------------------------------------------------------------------------------------

struct month_case {
    date::year_month_day today;
    std::string start;
    std::string end;
};

class CostCheck : public Checks, public ::testing::WithParamInterface<month_case> {};

// An account without any cost answers with no period at all, and passes all the same.
TEST_P(CostCheck, QueriesTheWholeCalendarMonthOnAnyDay) {
    host.aws.today = GetParam().today;
    Aws::CostExplorer::Model::GetCostAndUsageRequest seen;
    EXPECT_CALL(*host.aws.cost, get_cost_and_usage(_)).WillOnce([&seen](const auto& request) {
        seen = request;
        return Aws::CostExplorer::Model::GetCostAndUsageResult();
    });
    EXPECT_CALL(*host.aws.cost, get_cost_forecast(_)).Times(0);
    host.run_check<aws::awscost_check>();
    EXPECT_TRUE(succeeded());
    EXPECT_EQ(seen.GetTimePeriod().GetStart(), GetParam().start);
    EXPECT_EQ(seen.GetTimePeriod().GetEnd(), GetParam().end);
    EXPECT_TRUE(host.aws.runtime_log->contains("Dates: INTERVAL START: " + GetParam().start +
                                               " INTERVAL END: " + GetParam().end));
    EXPECT_THAT(host.aws.obtained(), ElementsAre("cost@aws-global"));
}

// The month's ends themselves (leap years, short months) are dates_test.cpp's.
INSTANTIATE_TEST_SUITE_P(Days, CostCheck,
                         ::testing::Values(month_case{date::year{2025} / 1 / 1, "2025-01-01", "2025-01-31"},
                                           month_case{date::year{2024} / 2 / 15, "2024-02-01", "2024-02-29"},
                                           month_case{date::year{2025} / 12 / 31, "2025-12-01",
                                                      "2025-12-31"}));

TEST_F(Checks, FailedCostQueryFailsTheCostCheckWithOneLine) {
    EXPECT_CALL(*host.aws.cost, get_cost_and_usage(_)).WillOnce(::testing::Throw(errors::data_unavailable()));
    host.run_check<aws::awscost_check>();
    EXPECT_FALSE(succeeded());
    EXPECT_THAT(host.log_at(0), ElementsAre(errors::data_unavailable().what()));
}

}  // namespace
