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
using nlohmann::ordered_json;
using test_support::discovery_host;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Return;

// What a probe does in one region: answer yes or no, or throw.
struct answer {
    bool yes = false;
    std::exception_ptr failure;
};

const answer no{false, nullptr};
const answer yes{true, nullptr};

template <class E>
answer throws(E error) {
    return {false, std::make_exception_ptr(std::move(error))};
}

template <class Expectation>
void answer_in_turn(Expectation& expectation, const std::vector<answer>& answers) {
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

void PrintTo(const check_kind& kind, std::ostream* out) {
    *out << kind.name;
}

constexpr check_kind ec2_kind{"ec2_check", "ec2",
                              [](discovery_host& host) { host.run_check<aws::ec2_check>(); },
                              [](discovery_host& host, const std::vector<answer>& answers) {
                                  auto& call = EXPECT_CALL(*host.aws.ec2, can_describe_instances());
                                  answer_in_turn(call, answers);
                                  EXPECT_CALL(*host.aws.ec2, can_describe_volumes()).Times(0);
                              }};
constexpr check_kind ebs_kind{"ebs_check", "ec2",
                              [](discovery_host& host) { host.run_check<aws::ebs_check>(); },
                              [](discovery_host& host, const std::vector<answer>& answers) {
                                  auto& call = EXPECT_CALL(*host.aws.ec2, can_describe_volumes());
                                  answer_in_turn(call, answers);
                                  EXPECT_CALL(*host.aws.ec2, can_describe_instances()).Times(0);
                              }};
constexpr check_kind elb_kind{"elb_check", "elb",
                              [](discovery_host& host) { host.run_check<aws::elb_check>(); },
                              [](discovery_host& host, const std::vector<answer>& answers) {
                                  auto& call = EXPECT_CALL(*host.aws.elb, test_connection());
                                  answer_in_turn(call, answers);
                              }};
constexpr check_kind rds_kind{"rds_check", "rds",
                              [](discovery_host& host) { host.run_check<aws::rds_check>(); },
                              [](discovery_host& host, const std::vector<answer>& answers) {
                                  auto& call = EXPECT_CALL(*host.aws.rds, test_connection());
                                  answer_in_turn(call, answers);
                              }};
constexpr check_kind alarm_kind{"alarm_check", "cloudwatch",
                                [](discovery_host& host) { host.run_check<aws::alarm_check>(); },
                                [](discovery_host& host, const std::vector<answer>& answers) {
                                    auto& call = EXPECT_CALL(*host.aws.cloudwatch, test_connection());
                                    answer_in_turn(call, answers);
                                }};

class Checks : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto& line : host.log()) {
            EXPECT_EQ(line.text.find(test_support::secret_key), std::string::npos) << line.text;
        }
    }

    // Every check ends with exactly one result for its id.
    bool succeeded() const {
        const auto results = host.messages->of_type("check_result");
        EXPECT_EQ(results.size(), 1u);
        if (results.empty()) {
            return false;
        }
        EXPECT_EQ(results.front().at("id"), 9);
        return results.front().at("success").get<bool>();
    }

    std::vector<std::string> traces_after_initialize() const {
        auto lines = host.log_at(7);
        EXPECT_FALSE(lines.empty());
        if (!lines.empty()) {
            lines.erase(lines.begin());
        }
        return lines;
    }

    discovery_host host;
};

class RegionCheck : public Checks, public ::testing::WithParamInterface<check_kind> {
protected:
    const check_kind& kind() const { return GetParam(); }
    void regions(const std::vector<std::string>& codes) {
        EXPECT_CALL(*host.aws.ec2, get_regions(_)).WillOnce(Return(codes));
    }
    void probes(const std::vector<answer>& answers) { kind().expect_probes(host, answers); }
    void run() { kind().run(host); }
};

TEST_P(RegionCheck, StopsAtTheFirstRegionThatAnswersAndNeverContactsTheRest) {
    regions({"a-1", "b-1", "c-1"});
    probes({no, yes});
    run();
    EXPECT_TRUE(succeeded());
    EXPECT_THAT(host.aws.obtained(), ElementsAre("ec2@aws-global", std::string(kind().client) + "@a-1",
                                                 std::string(kind().client) + "@b-1"));
    EXPECT_THAT(host.log(), ElementsAre(test_support::log_line{
                                7, "Initialize: " + std::string(kind().name) + " version is: 0.87.0.17330"}));
}

TEST_P(RegionCheck, NoRegionAnsweringFails) {
    regions({"a-1", "b-1"});
    probes({no, no});
    run();
    EXPECT_FALSE(succeeded());
    EXPECT_TRUE(traces_after_initialize().empty());
    EXPECT_TRUE(host.log_at(0).empty());
}

TEST_P(RegionCheck, ModuleFailuresOnlySkipTheirRegion) {
    regions({"a-1", "b-1", "c-1", "d-1"});
    host.fail_obtaining("c-1", std::make_exception_ptr(aws::exceptions::unauthorized_operation("c")));
    probes({throws(aws::exceptions::access_denied("a")), throws(aws::exceptions::limit_exceeded()), yes});
    run();
    EXPECT_TRUE(succeeded());
    EXPECT_THAT(
        traces_after_initialize(),
        ElementsAre(
            "You do not have permission to perform this request. a",
            "You made too many API calls in a short period of time. Try again later.",
            "The access to the operation was denied or has been restricted via AWS Control Tower. c"));
    EXPECT_TRUE(host.log_at(0).empty());
}

TEST_P(RegionCheck, EveryRegionFailingLeavesOneTraceEach) {
    regions({"a-1", "b-1"});
    host.fail_obtaining("a-1", std::make_exception_ptr(aws::exceptions::unauthorized_operation("a")));
    host.fail_obtaining("b-1", std::make_exception_ptr(aws::exceptions::unauthorized_operation("b")));
    probes({});
    run();
    EXPECT_FALSE(succeeded());
    EXPECT_EQ(traces_after_initialize().size(), 2u);
    EXPECT_TRUE(host.log_at(0).empty());
}

TEST_P(RegionCheck, AuthenticationFailureStopsTheWalkAtOnce) {
    regions({"a-1", "b-1"});
    probes({throws(
        aws::exceptions::authentication_failed("The security token included in the request is invalid."))});
    run();
    EXPECT_FALSE(succeeded());
    EXPECT_THAT(host.aws.obtained(), ElementsAre("ec2@aws-global", std::string(kind().client) + "@a-1"));
    const auto failures = host.log_at(0);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_THAT(failures[0], ::testing::EndsWith("The security token included in the request is invalid."));
    EXPECT_TRUE(traces_after_initialize().empty());
}

TEST_P(RegionCheck, AuthenticationFailureWhileObtainingTheClientStopsTheWalkToo) {
    regions({"a-1", "b-1"});
    host.fail_obtaining("a-1", std::make_exception_ptr(aws::exceptions::authentication_failed("x")));
    probes({});
    run();
    EXPECT_FALSE(succeeded());
    EXPECT_EQ(host.log_at(0).size(), 1u);
}

TEST_P(RegionCheck, FailureOutsideTheModuleFamilyEndsTheWalk) {
    regions({"a-1", "b-1"});
    probes({throws(std::runtime_error("connection pool exhausted"))});
    run();
    EXPECT_FALSE(succeeded());
    EXPECT_THAT(host.log_at(0), ElementsAre("connection pool exhausted"));
}

TEST_P(RegionCheck, NoRegionAtAllFailsSilently) {
    regions({});
    probes({});
    run();
    EXPECT_FALSE(succeeded());
    EXPECT_EQ(host.log().size(), 1u);  // only the initialize line
}

TEST_P(RegionCheck, FailedRegionListFailsWithOneLine) {
    EXPECT_CALL(*host.aws.ec2, get_regions(_))
        .WillOnce(::testing::Throw(aws::exceptions::access_denied("regions")));
    probes({});
    run();
    EXPECT_FALSE(succeeded());
    EXPECT_THAT(host.log_at(0), ElementsAre("You do not have permission to perform this request. regions"));
    EXPECT_THAT(host.aws.obtained(), ElementsAre("ec2@aws-global"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, RegionCheck,
                         ::testing::Values(ec2_kind, ebs_kind, elb_kind, rds_kind, alarm_kind),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- cost check -------------------------------------------------------------------------------------

using CostCheck = Checks;

struct month_case {
    date::year_month_day today;
    std::string start;
    std::string end;
};

void PrintTo(const month_case& month, std::ostream* out) {
    *out << date::format("%F", date::sys_days(month.today));
}

class CostCheckMonth : public Checks, public ::testing::WithParamInterface<month_case> {};

TEST_P(CostCheckMonth, QueriesTheWholeCalendarMonthOnAnyDay) {
    host.aws.today = GetParam().today;
    // An account without any cost answers with no period at all, and passes.
    EXPECT_CALL(*host.aws.cost, get_cost_and_usage(_)).Times(1);
    EXPECT_CALL(*host.aws.cost, get_cost_forecast(_)).Times(0);
    host.run_check<aws::awscost_check>();
    EXPECT_TRUE(succeeded());
    EXPECT_TRUE(host.aws.runtime_log->contains("Dates: INTERVAL START: " + GetParam().start +
                                               " INTERVAL END: " + GetParam().end));
    EXPECT_THAT(host.aws.obtained(), ElementsAre("cost@aws-global"));
}

INSTANTIATE_TEST_SUITE_P(Days, CostCheckMonth,
                         ::testing::Values(month_case{date::year{2025} / 1 / 1, "2025-01-01", "2025-01-31"},
                                           month_case{date::year{2025} / 1 / 31, "2025-01-01", "2025-01-31"},
                                           month_case{date::year{2024} / 2 / 15, "2024-02-01", "2024-02-29"},
                                           month_case{date::year{2100} / 2 / 28, "2100-02-01", "2100-02-28"},
                                           month_case{date::year{2000} / 2 / 29, "2000-02-01", "2000-02-29"},
                                           month_case{date::year{2025} / 4 / 30, "2025-04-01", "2025-04-30"},
                                           month_case{date::year{2025} / 12 / 31, "2025-12-01",
                                                      "2025-12-31"}));

TEST_F(CostCheck, SendsTheIntervalInTheRequest) {
    host.aws.today = date::year{2024} / 2 / 10;
    Aws::CostExplorer::Model::GetCostAndUsageRequest seen;
    EXPECT_CALL(*host.aws.cost, get_cost_and_usage(_)).WillOnce([&seen](const auto& request) {
        seen = request;
        return Aws::CostExplorer::Model::GetCostAndUsageResult();
    });
    host.run_check<aws::awscost_check>();
    EXPECT_TRUE(succeeded());
    EXPECT_EQ(seen.GetTimePeriod().GetStart(), "2024-02-01");
    EXPECT_EQ(seen.GetTimePeriod().GetEnd(), "2024-02-29");
}

TEST_F(CostCheck, FailedQueryFailsTheCheckWithOneLine) {
    EXPECT_CALL(*host.aws.cost, get_cost_and_usage(_))
        .WillOnce(::testing::Throw(aws::exceptions::data_unavailable()));
    host.run_check<aws::awscost_check>();
    EXPECT_FALSE(succeeded());
    EXPECT_THAT(host.log_at(0),
                ElementsAre("The requested data is not available. If you have recently activated the "
                            "Cost Explorer, it might take a few days for the data to be available."));
}

TEST_F(CostCheck, ApiThatCannotBeMadeFailsTheCheck) {
    // A container without a Cost Explorer factory.
    auto bare = std::make_shared<libvexahelper::service_container>();
    bare->factories().add<std::unique_ptr<libvexahelper::message_service_interface>()>(
        [&] { return host.container->factories().create<libvexahelper::message_service_interface>(); });
    bare->factories().add<std::unique_ptr<liblog::log_interface>()>(
        [&] { return host.container->factories().create<liblog::log_interface>(); });
    aws::awscost_check check(
        libvexahelper::check_context<aws::settings::access_settings>{bare, 9, discovery_host::settings()});
    check.work();
    EXPECT_FALSE(succeeded());
    EXPECT_EQ(host.log_at(0).size(), 1u);
}

TEST_F(CostCheck, NeverWalksRegions) {
    EXPECT_CALL(*host.aws.ec2, get_regions(_)).Times(0);
    host.run_check<aws::awscost_check>();
    EXPECT_TRUE(succeeded());
}

}  // namespace
