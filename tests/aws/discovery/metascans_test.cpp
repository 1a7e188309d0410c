#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "aws/discovery/metascans.h"
#include "framework/exceptions.h"
#include "tests/aws/discovery/discovery_host.h"

namespace {

using namespace orvane::tessel;
using aws::Alarm;
using nlohmann::ordered_json;
using test_support::discovery_host;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Return;
using LoadBalancerType = Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnum;

// What a listing does in one region: answer with so many resources, or throw.
struct outcome {
    std::size_t resources = 0;
    std::exception_ptr failure;
};

outcome answers(std::size_t resources) {
    return {resources, nullptr};
}

template <class E>
outcome throws(E error) {
    return {0, std::make_exception_ptr(std::move(error))};
}

// The listing answers in call order, one outcome per region; resources of the k-th call are named
// "res-k-j" so that rows can be traced back to their region.
template <class Result, class Make>
auto listing_answer(const outcome& what, std::size_t call, Make make) {
    return [what, call, make](auto&&...) -> Result {
        if (what.failure) {
            std::rethrow_exception(what.failure);
        }
        Result resources;
        for (std::size_t j = 0; j < what.resources; ++j) {
            resources.push_back(make("res-" + std::to_string(call) + "-" + std::to_string(j)));
        }
        return resources;
    };
}

template <class Expectation, class Result, class Make>
void answer_in_turn(Expectation& expectation, const std::vector<outcome>& outcomes, Make make) {
    expectation.Times(static_cast<int>(outcomes.size()));
    for (std::size_t call = 0; call < outcomes.size(); ++call) {
        expectation.WillOnce(listing_answer<Result>(outcomes[call], call, make));
    }
}

std::shared_ptr<Alarm> metric_alarm(const std::string& name, const std::string& description) {
    Aws::CloudWatch::Model::MetricAlarm alarm;
    alarm.SetAlarmName(name);
    alarm.SetAlarmDescription(description);
    return std::make_shared<aws::MetricAlarm>(alarm);
}

std::shared_ptr<Alarm> composite_alarm(const std::string& name, const std::string& description) {
    Aws::CloudWatch::Model::CompositeAlarm alarm;
    alarm.SetAlarmName(name);
    alarm.SetAlarmDescription(description);
    return std::make_shared<aws::CompositeAlarm>(alarm, std::vector<std::shared_ptr<Alarm>>{});
}

// What differs between the five kinds, as far as the region walk is concerned.
struct metascan_kind {
    std::string_view name;
    std::string_view client;        // as the fake host records obtained clients
    std::string_view progress_key;  // of the per-region progress message
    std::string_view request_line;  // followed by the region code ...
    std::string_view request_end;   // ... and this
    std::string_view identity;      // the setting that carries a resource's name in the rows
    void (*run)(discovery_host&, std::int32_t);
    void (*expect_listings)(discovery_host&, const std::vector<outcome>&);
};

void PrintTo(const metascan_kind& kind, std::ostream* out) {
    *out << kind.name;
}

constexpr metascan_kind ec2_kind{
    "ec2_metascan",
    "ec2",
    "metascan.requesting_ec2_instances",
    "Requesting EC2 instances for region ",
    "",
    "ec2_metascan_section.ec2_metascan_group.id",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::ec2_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        auto& call = EXPECT_CALL(*host.aws.ec2, get_instances(_));
        answer_in_turn<decltype(call), std::vector<aws::ec2_instance_info>>(
            call, outcomes, [](const std::string& id) {
                return aws::ec2_instance_info{"", id};
            });
    }};

constexpr metascan_kind ebs_kind{
    "ebs_metascan",
    "ec2",
    "metascan.requesting_volumes",
    "Requesting EBS Volumes for region ",
    "",
    "ebs_metascan_section.ebs_metascan_group.id",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::ebs_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        auto& call = EXPECT_CALL(*host.aws.ec2, get_volumes(_));
        answer_in_turn<decltype(call), std::vector<aws::ebs_volume_info>>(
            call, outcomes,
            [](const std::string& id) { return aws::ebs_volume_info{id, "", 8, "gp3", "", "available"}; });
    }};

constexpr metascan_kind elb_kind{
    "elb_metascan",
    "elb",
    "metascan.requesting_elb_instances",
    "Requesting ELB instances for region ",
    ".",
    "elb_metascan_section.elb_metascan_group.name",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::elb_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        auto& call = EXPECT_CALL(*host.aws.elb, list_load_balancers(_));
        answer_in_turn<decltype(call), std::vector<aws::load_balancer>>(
            call, outcomes, [](const std::string& name) {
                return aws::load_balancer{"app/" + name, name, LoadBalancerType::application};
            });
    }};

constexpr metascan_kind rds_kind{
    "rds_metascan",
    "rds",
    "metascan.requesting_rds_instances",
    "Requesting RDS instances for region ",
    "",
    "rds_metascan_section.rds_metascan_group.identifier",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::rds_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        auto& call = EXPECT_CALL(*host.aws.rds, list_db_instances(_));
        answer_in_turn<decltype(call), std::vector<aws::rds_instance>>(
            call, outcomes, [](const std::string& id) {
                return aws::rds_instance{id, "postgres"};
            });
    }};

constexpr metascan_kind alarm_kind{
    "alarm_metascan",
    "cloudwatch",
    "metascan.requesting_alarms",
    "Requesting alarms for region ",
    ".",
    "alarm_metascan_section.alarm_metascan_group.name",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::alarm_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        // Discovery lists alarms without their children.
        auto& call = EXPECT_CALL(*host.aws.cloudwatch, get_alarms(_, false));
        answer_in_turn<decltype(call), std::vector<std::shared_ptr<Alarm>>>(
            call, outcomes, [](const std::string& name) { return metric_alarm(name, "d"); });
    }};

// Whatever happened, the secret key reaches neither the host nor the log.
void expect_no_secret(const discovery_host& host) {
    for (const auto& line : host.log()) {
        EXPECT_EQ(line.text.find(test_support::secret_key), std::string::npos) << line.text;
    }
    for (const auto* type : {"metascan_progress", "meta_scan_result"}) {
        for (const auto& message : host.messages->of_type(type)) {
            EXPECT_EQ(message.dump().find(test_support::secret_key), std::string::npos);
        }
    }
}

class Discovery : public ::testing::Test {
protected:
    void TearDown() override { expect_no_secret(host); }

    void regions(const std::vector<std::string>& codes) {
        EXPECT_CALL(*host.aws.ec2, get_regions(_)).WillOnce(Return(codes));
    }

    std::vector<std::uint32_t> progress() const {
        std::vector<std::uint32_t> values;
        for (const auto& message : host.messages->of_type("metascan_progress")) {
            values.push_back(message.at("progress").get<std::uint32_t>());
        }
        return values;
    }

    // The one result the meta-scan sent.
    ordered_json result() const {
        const auto results = host.messages->of_type("meta_scan_result");
        EXPECT_EQ(results.size(), 1u);
        return results.empty() ? ordered_json() : results.front();
    }

    std::vector<std::string> identities(const std::string& key) const {
        std::vector<std::string> values;
        const auto sent = result();
        for (const auto& row : sent.at("entries")) {
            values.push_back(row.at("settings").at(key).get<std::string>());
        }
        return values;
    }

    discovery_host host;
};

class EveryKind : public Discovery, public ::testing::WithParamInterface<metascan_kind> {
protected:
    const metascan_kind& kind() const { return GetParam(); }
    void run(std::int32_t id = 7) { kind().run(host, id); }
    void listings(const std::vector<outcome>& outcomes) { kind().expect_listings(host, outcomes); }
    std::string request_line(const std::string& region) const {
        return std::string(kind().request_line) + region + std::string(kind().request_end);
    }
};

TEST_P(EveryKind, OneRegionReportsOneThenTwoAndSendsItsRowsOnce) {
    regions({"eu-west-1"});
    listings({answers(2)});
    run();

    EXPECT_THAT(progress(), ElementsAre(1u, 2u));
    const auto progress_messages = host.messages->of_type("metascan_progress");
    EXPECT_EQ(progress_messages[0].at("message").at("encoded"), "#:metascan.requesting_regions[]");
    EXPECT_EQ(progress_messages[1].at("message").at("encoded"),
              "#:" + std::string(kind().progress_key) + "[eu-west-1]");
    EXPECT_EQ(progress_messages[1].at("id"), 7);
    EXPECT_EQ(progress_messages[1].at("request_number"), 3);

    const auto sent = result();
    EXPECT_EQ(sent.at("id"), 7);
    EXPECT_EQ(sent.at("request_number"), 3);
    EXPECT_EQ(sent.at("response"), 0);
    EXPECT_THAT(identities(std::string(kind().identity)), ElementsAre("res-0-0", "res-0-1"));
    // The result is the last thing sent.
    EXPECT_EQ(host.messages->size(), 3u);

    const auto info = host.log_at(6);
    ASSERT_EQ(info.size(), 2u);
    EXPECT_EQ(info[0], request_line("eu-west-1"));
    EXPECT_EQ(info[1].rfind("Found 2 ", 0), 0u) << info[1];
    EXPECT_TRUE(host.aws.runtime_log->contains("Initialize: " + std::string(kind().name) +
                                               " version is: 0.87.0.17330"));
}

TEST_P(EveryKind, ClientsAreObtainedForTheRegionListThenPerRegionInListOrder) {
    regions({"us-east-2", "eu-central-1", "sa-east-1"});
    listings({answers(0), answers(0), answers(0)});
    run();
    EXPECT_THAT(host.aws.obtained(), ElementsAre("ec2@aws-global", std::string(kind().client) + "@us-east-2",
                                                 std::string(kind().client) + "@eu-central-1",
                                                 std::string(kind().client) + "@sa-east-1"));
    EXPECT_THAT(host.log_at(6),
                ElementsAre(request_line("us-east-2"), ::testing::_, request_line("eu-central-1"),
                            ::testing::_, request_line("sa-east-1"), ::testing::_));
}

TEST_P(EveryKind, RefusingRegionIsSkippedAndOnlyLogged) {
    const std::vector<outcome> refusals{throws(aws::exceptions::access_denied("no eu")),
                                        throws(aws::exceptions::unauthorized_operation("scp"))};
    for (const auto& refusal : refusals) {
        discovery_host h;
        EXPECT_CALL(*h.aws.ec2, get_regions(_))
            .WillOnce(Return(std::vector<std::string>{"a-1", "b-1", "c-1"}));
        kind().expect_listings(h, {answers(1), refusal, answers(2)});
        kind().run(h, 7);

        const auto results = h.messages->of_type("meta_scan_result");
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].at("response"), 0);
        std::vector<std::string> names;
        for (const auto& row : results[0].at("entries")) {
            names.push_back(row.at("settings").at(std::string(kind().identity)).get<std::string>());
        }
        EXPECT_THAT(names, ElementsAre("res-0-0", "res-2-0", "res-2-1"));
        try {
            std::rethrow_exception(refusal.failure);
        } catch (const std::exception& error) {
            EXPECT_TRUE(h.aws.runtime_log->contains(error.what()));
            for (const auto& line : h.log()) {
                if (line.text == error.what()) {
                    EXPECT_EQ(line.level, 7);
                }
            }
        }
        // Every region was still reported and requested.
        std::vector<std::uint32_t> values;
        for (const auto& message : h.messages->of_type("metascan_progress")) {
            values.push_back(message.at("progress").get<std::uint32_t>());
        }
        EXPECT_THAT(values, ElementsAre(1u, 2u, 34u, 67u));
        EXPECT_EQ(h.log_at(6).size(), 5u);  // three request lines, two found lines
        expect_no_secret(h);
    }
}

TEST_P(EveryKind, EveryRegionRefusingEndsWithoutAnyRow) {
    regions({"a-1", "b-1"});
    listings({throws(aws::exceptions::unauthorized_operation("scp")),
              throws(aws::exceptions::access_denied("x"))});
    run();
    const auto sent = result();
    EXPECT_EQ(sent.at("response"), 5);
    EXPECT_EQ(sent.at("message").at("encoded"), "#:error.no_regions_accessible[]");
    EXPECT_EQ(sent.at("message").at("text"),
              "Access to all regions was denied or has been restricted via the AWS Control Tower. Make sure "
              "that your AWS credentials are valid for all the regions you want to monitor.");
    EXPECT_TRUE(sent.at("entries").empty());
}

TEST_P(EveryKind, ThrottlingEndsTheWalkAndDeliversNothingFoundBefore) {
    regions({"a-1", "b-1", "c-1"});
    listings({answers(3), throws(aws::exceptions::limit_exceeded())});
    run();
    const auto sent = result();
    EXPECT_EQ(sent.at("response"), 5);
    EXPECT_EQ(sent.at("message").at("encoded"), "#:error.limit_exceeded[]");
    EXPECT_TRUE(sent.at("entries").empty());
    // The third region was never asked.
    EXPECT_THAT(progress(), ElementsAre(1u, 2u, 34u));
    const auto obtained = host.aws.obtained();
    EXPECT_EQ(std::count(obtained.begin(), obtained.end(), std::string(kind().client) + "@c-1"), 0);
}

TEST_P(EveryKind, OtherModuleAndStandardFailuresInARegionAreNotTolerated) {
    const std::vector<outcome> failures{throws(aws::exceptions::authentication_failed("bad key")),
                                        throws(aws::exceptions::result_pages_overflow("100")),
                                        throws(std::runtime_error("connection reset"))};
    for (const auto& failure : failures) {
        discovery_host h;
        EXPECT_CALL(*h.aws.ec2, get_regions(_)).WillOnce(Return(std::vector<std::string>{"a-1", "b-1"}));
        kind().expect_listings(h, {failure});
        kind().run(h, 7);
        const auto results = h.messages->of_type("meta_scan_result");
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].at("response"), 5);
        EXPECT_NE(results[0].at("message").at("encoded"), "#:error.no_regions_accessible[]");
        expect_no_secret(h);
    }
}

TEST_P(EveryKind, ARegionWithoutResourcesStillCountsAsAnswered) {
    regions({"a-1", "b-1"});
    listings({throws(aws::exceptions::access_denied("x")), answers(0)});
    run();
    const auto sent = result();
    EXPECT_EQ(sent.at("response"), 0);
    EXPECT_TRUE(sent.at("entries").empty());
}

TEST_P(EveryKind, EmptyRegionListEndsWithTheTrackersError) {
    regions({});
    listings({});
    run();
    const auto sent = result();
    EXPECT_EQ(sent.at("response"), 5);
    EXPECT_EQ(sent.at("message").at("text"), "Maximum must be greater than 0.");
    EXPECT_THAT(progress(), ElementsAre(1u));
    EXPECT_THAT(host.aws.obtained(), ElementsAre("ec2@aws-global"));
}

TEST_P(EveryKind, FailedRegionListEndsBeforeAnyRegion) {
    EXPECT_CALL(*host.aws.ec2, get_regions(_))
        .WillOnce(::testing::Throw(aws::exceptions::access_denied("DescribeRegions")));
    listings({});
    run();
    const auto sent = result();
    EXPECT_EQ(sent.at("response"), 5);
    EXPECT_EQ(sent.at("message").at("encoded"), "#:error.access_denied[DescribeRegions]");
    EXPECT_THAT(progress(), ElementsAre(1u));
    EXPECT_TRUE(host.log_at(6).empty());
}

// Obtaining the client is not part of listing: even a refusal there ends the meta-scan.
TEST_P(EveryKind, ClientThatCannotBeObtainedEndsTheScan) {
    regions({"a-1", "b-1", "c-1"});
    host.fail_obtaining("b-1", std::make_exception_ptr(aws::exceptions::access_denied("no client")));
    listings({answers(1)});
    run();
    const auto sent = result();
    EXPECT_EQ(sent.at("response"), 5);
    EXPECT_EQ(sent.at("message").at("encoded"), "#:error.access_denied[no client]");
    EXPECT_TRUE(sent.at("entries").empty());
}

TEST_P(EveryKind, SeventeenRegionsReportTheDocumentedSequence) {
    std::vector<std::string> codes;
    std::vector<outcome> outcomes;
    for (int i = 0; i < 17; ++i) {
        codes.push_back("r-" + std::to_string(i));
        outcomes.push_back(answers(0));
    }
    regions(codes);
    listings(outcomes);
    run();
    EXPECT_THAT(progress(), ElementsAre(1u, 2u, 7u, 13u, 19u, 25u, 30u, 36u, 42u, 48u, 53u, 59u, 65u, 71u,
                                        76u, 82u, 88u, 94u));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKind,
                         ::testing::Values(ec2_kind, ebs_kind, elb_kind, rds_kind, alarm_kind),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- progress over many region counts -------------------------------------------------------------

class ProgressOver : public Discovery, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ProgressOver, RegionsNeverGoBackwardsAndNeverReachAHundred) {
    const std::size_t count = GetParam();
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < count; ++i) {
        codes.push_back("r-" + std::to_string(i));
    }
    regions(codes);
    EXPECT_CALL(*host.aws.ec2, get_instances(_)).Times(static_cast<int>(count));
    host.run_metascan<aws::ec2_metascan>();

    const auto values = progress();
    ASSERT_EQ(values.size(), count + 1);
    EXPECT_EQ(values[0], 1u);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(values[i + 1], 2 + i * 98 / count) << "region " << i;
    }
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_LT(values.back(), 100u);
    EXPECT_EQ(result().at("response"), 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, ProgressOver, ::testing::Values(1, 2, 3, 49, 98, 99, 100, 101, 197, 1000));

// ---- found lines ------------------------------------------------------------------------------------

struct found_case {
    const metascan_kind* kind;
    std::size_t listed;
    std::string line;
};

void PrintTo(const found_case& found, std::ostream* out) {
    *out << found.kind->name << " listing " << found.listed;
}

class FoundLine : public Discovery, public ::testing::WithParamInterface<found_case> {};

TEST_P(FoundLine, CountsEverythingListedWithTheKindsWording) {
    regions({"eu-west-1"});
    GetParam().kind->expect_listings(host, {answers(GetParam().listed)});
    GetParam().kind->run(host, 1);
    EXPECT_THAT(host.log_at(6), ElementsAre(::testing::_, GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FoundLine,
    ::testing::Values(
        found_case{&ec2_kind, 0, "Found 0 instance(s)"}, found_case{&ec2_kind, 1, "Found 1 instance(s)"},
        found_case{&ec2_kind, 2, "Found 2 instance(s)"}, found_case{&ebs_kind, 0, "Found 0 volume(s)"},
        found_case{&ebs_kind, 12, "Found 12 volume(s)"}, found_case{&elb_kind, 0, "Found 0 ELB instance(s)."},
        found_case{&elb_kind, 2, "Found 2 ELB instance(s)."}, found_case{&rds_kind, 0, "Found 0 instance."},
        found_case{&rds_kind, 1, "Found 1 instance."}, found_case{&rds_kind, 2, "Found 2 instances."},
        found_case{&alarm_kind, 0, "Found 0 alarm."}, found_case{&alarm_kind, 1, "Found 1 alarm."},
        found_case{&alarm_kind, 10, "Found 10 alarms."}));

// ---- rows of each kind ------------------------------------------------------------------------------

using Rows = Discovery;

TEST_F(Rows, Ec2ShowsNameAndIdOrTheIdAloneAsPlainText) {
    regions({"sa-east-1"});
    EXPECT_CALL(*host.aws.ec2, get_instances(_))
        .WillOnce(Return(std::vector<aws::ec2_instance_info>{{"web-01", "i-1"}, {"", "i-2"}}));
    host.run_metascan<aws::ec2_metascan>();
    EXPECT_EQ(result().at("entries").dump(), ordered_json::parse(R"json([
        {"display_name": {"encoded": "web-01 (i-1)", "text": "web-01 (i-1)"},
         "settings": {"ec2_metascan_section.ec2_metascan_group.id": "i-1",
                      "ec2_metascan_section.ec2_metascan_group.name": "web-01",
                      "ec2_metascan_section.ec2_metascan_group.region": "sa-east-1",
                      "ec2_metascan_section.ec2_metascan_group.region_display_name": "South America (S&atilde;o Paulo)"}},
        {"display_name": {"encoded": "i-2", "text": "i-2"},
         "settings": {"ec2_metascan_section.ec2_metascan_group.id": "i-2",
                      "ec2_metascan_section.ec2_metascan_group.name": "",
                      "ec2_metascan_section.ec2_metascan_group.region": "sa-east-1",
                      "ec2_metascan_section.ec2_metascan_group.region_display_name": "South America (S&atilde;o Paulo)"}}
    ])json")
                                                 .dump());
}

TEST_F(Rows, EbsShowsTheSizeInGigabytesAndTheAttachmentUnescaped) {
    regions({"eu-central-1"});
    EXPECT_CALL(*host.aws.ec2, get_volumes(_))
        .WillOnce(Return(std::vector<aws::ebs_volume_info>{
            {"vol-1", "data", 100, "gp2", "i-1:/dev/sdf (attached), i-2:/dev/sdg (attaching)", "in-use"},
            {"vol-2", "", 8, "gp3", "", "available"}}));
    host.run_metascan<aws::ebs_metascan>();
    EXPECT_EQ(result().at("entries").dump(), ordered_json::parse(R"json([
        {"display_name": {"encoded": "#:metascan.ebs_sensor_instance_name[data (vol-1)]", "text": "AWS EBS: data (vol-1)"},
         "settings": {"ebs_metascan_section.ebs_metascan_group.id": "vol-1",
                      "ebs_metascan_section.ebs_metascan_group.name": "data",
                      "ebs_metascan_section.ebs_metascan_group.size": "100 GB",
                      "ebs_metascan_section.ebs_metascan_group.type": "gp2",
                      "ebs_metascan_section.ebs_metascan_group.state": "in-use",
                      "ebs_metascan_section.ebs_metascan_group.attachment_information": "i-1:/dev/sdf (attached), i-2:/dev/sdg (attaching)",
                      "ebs_metascan_section.ebs_metascan_group.region": "eu-central-1",
                      "ebs_metascan_section.ebs_metascan_group.region_display_name": "Europe (Frankfurt)"}},
        {"display_name": {"encoded": "#:metascan.ebs_sensor_instance_name[vol-2]", "text": "AWS EBS: vol-2"},
         "settings": {"ebs_metascan_section.ebs_metascan_group.id": "vol-2",
                      "ebs_metascan_section.ebs_metascan_group.name": "",
                      "ebs_metascan_section.ebs_metascan_group.size": "8 GB",
                      "ebs_metascan_section.ebs_metascan_group.type": "gp3",
                      "ebs_metascan_section.ebs_metascan_group.state": "available",
                      "ebs_metascan_section.ebs_metascan_group.attachment_information": "",
                      "ebs_metascan_section.ebs_metascan_group.region": "eu-central-1",
                      "ebs_metascan_section.ebs_metascan_group.region_display_name": "Europe (Frankfurt)"}}
    ])json")
                                                 .dump());
}

TEST_F(Rows, ElbSkipsGatewaysButCountsThem) {
    regions({"us-west-2"});
    EXPECT_CALL(*host.aws.elb, list_load_balancers(_))
        .WillOnce(Return(std::vector<aws::load_balancer>{
            {"gwy/inspect/1", "inspect", LoadBalancerType::gateway},
            {"app/web-alb/50dc6c495c0c9188", "web-alb", LoadBalancerType::application},
            {"net/tcp-nlb/a1b2", "tcp-nlb", LoadBalancerType::network}}));
    host.run_metascan<aws::elb_metascan>();
    EXPECT_EQ(result().at("entries").dump(), ordered_json::parse(R"json([
        {"display_name": {"encoded": "#:metascan.elb_sensor_instance_name[web-alb,application]", "text": "AWS ELB: web-alb (application)"},
         "settings": {"elb_metascan_section.elb_metascan_group.id": "app/web-alb/50dc6c495c0c9188",
                      "elb_metascan_section.elb_metascan_group.name": "web-alb",
                      "elb_metascan_section.elb_metascan_group.type": "application",
                      "elb_metascan_section.elb_metascan_group.region": "us-west-2",
                      "elb_metascan_section.elb_metascan_group.region_display_name": "US West (Oregon)"}},
        {"display_name": {"encoded": "#:metascan.elb_sensor_instance_name[tcp-nlb,network]", "text": "AWS ELB: tcp-nlb (network)"},
         "settings": {"elb_metascan_section.elb_metascan_group.id": "net/tcp-nlb/a1b2",
                      "elb_metascan_section.elb_metascan_group.name": "tcp-nlb",
                      "elb_metascan_section.elb_metascan_group.type": "network",
                      "elb_metascan_section.elb_metascan_group.region": "us-west-2",
                      "elb_metascan_section.elb_metascan_group.region_display_name": "US West (Oregon)"}}
    ])json")
                                                 .dump());
    EXPECT_THAT(host.log_at(6),
                ElementsAre("Requesting ELB instances for region us-west-2.", "Found 3 ELB instance(s)."));
}

TEST_F(Rows, ElbRegionWithOnlyGatewaysAnswersWithoutRows) {
    regions({"us-west-2"});
    EXPECT_CALL(*host.aws.elb, list_load_balancers(_))
        .WillOnce(Return(std::vector<aws::load_balancer>{{"gwy/a/1", "a", LoadBalancerType::gateway}}));
    host.run_metascan<aws::elb_metascan>();
    EXPECT_EQ(result().at("response"), 0);
    EXPECT_TRUE(result().at("entries").empty());
}

TEST_F(Rows, RdsInARegionTheTableDoesNotKnowShowsTheCode) {
    regions({"ap-south-2"});
    EXPECT_CALL(*host.aws.rds, list_db_instances(_))
        .WillOnce(Return(std::vector<aws::rds_instance>{{"orders-db", "mysql"}}));
    host.run_metascan<aws::rds_metascan>();
    EXPECT_EQ(result().at("entries").dump(), ordered_json::parse(R"json([
        {"display_name": {"encoded": "#:metascan.rds_sensor_instance_name[orders-db,mysql]", "text": "AWS RDS: orders-db (mysql)"},
         "settings": {"rds_metascan_section.rds_metascan_group.identifier": "orders-db",
                      "rds_metascan_section.rds_metascan_group.engine": "mysql",
                      "rds_metascan_section.rds_metascan_group.region": "ap-south-2",
                      "rds_metascan_section.rds_metascan_group.region_display_name": "ap-south-2"}}
    ])json")
                                                 .dump());
}

TEST_F(Rows, AlarmsWithoutDescriptionSayNoDescriptionAndNamesAreEscapedOnlyInTheMessage) {
    regions({"us-east-1"});
    EXPECT_CALL(*host.aws.cloudwatch, get_alarms(_, false))
        .WillOnce(Return(std::vector<std::shared_ptr<Alarm>>{metric_alarm("cpu, high: web", "CPU above 80 %"),
                                                             composite_alarm("web-degraded", "")}));
    host.run_metascan<aws::alarm_metascan>();
    EXPECT_EQ(result().at("entries").dump(), ordered_json::parse(R"json([
        {"display_name": {"encoded": "#:metascan.alarm_sensor_instance_name[cpu\\, high\\: web,Metric]", "text": "AWS Alarm: cpu, high: web (Metric)"},
         "settings": {"alarm_metascan_section.alarm_metascan_group.name": "cpu, high: web",
                      "alarm_metascan_section.alarm_metascan_group.type": "Metric",
                      "alarm_metascan_section.alarm_metascan_group.description": "CPU above 80 %",
                      "alarm_metascan_section.alarm_metascan_group.region": "us-east-1",
                      "alarm_metascan_section.alarm_metascan_group.region_display_name": "US East (Northern Virginia)"}},
        {"display_name": {"encoded": "#:metascan.alarm_sensor_instance_name[web-degraded,Composite]", "text": "AWS Alarm: web-degraded (Composite)"},
         "settings": {"alarm_metascan_section.alarm_metascan_group.name": "web-degraded",
                      "alarm_metascan_section.alarm_metascan_group.type": "Composite",
                      "alarm_metascan_section.alarm_metascan_group.description": "No description",
                      "alarm_metascan_section.alarm_metascan_group.region": "us-east-1",
                      "alarm_metascan_section.alarm_metascan_group.region_display_name": "US East (Northern Virginia)"}}
    ])json")
                                                 .dump());
}

TEST_F(Rows, AnEmptyAlarmPointerIsCountedButGetsNoRow) {
    regions({"us-east-1"});
    EXPECT_CALL(*host.aws.cloudwatch, get_alarms(_, false))
        .WillOnce(Return(std::vector<std::shared_ptr<Alarm>>{nullptr, metric_alarm("a", "b")}));
    host.run_metascan<aws::alarm_metascan>();
    EXPECT_EQ(result().at("entries").size(), 1u);
    EXPECT_THAT(host.log_at(6), ElementsAre(::testing::_, "Found 2 alarms."));
}

// ---- concurrency ------------------------------------------------------------------------------------

// Hosts run meta-scans of several users at once: each gets its own progress and rows while they share
// the container and its clients.
TEST_F(Discovery, ConcurrentMetaScansKeepTheirOwnProgressAndRows) {
    EXPECT_CALL(*host.aws.ec2, get_regions(_))
        .WillRepeatedly(Return(std::vector<std::string>{"a-1", "b-1", "c-1"}));
    EXPECT_CALL(*host.aws.ec2, get_instances(_))
        .WillRepeatedly(Return(std::vector<aws::ec2_instance_info>{{"n", "i-1"}, {"m", "i-2"}}));
    constexpr int scans = 6;
    std::vector<std::thread> threads;
    for (int id = 1; id <= scans; ++id) {
        threads.emplace_back(
            [this, id] { host.run_metascan<aws::ec2_metascan>(id, static_cast<std::uint32_t>(100 + id)); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const auto results = host.messages->of_type("meta_scan_result");
    ASSERT_EQ(results.size(), static_cast<std::size_t>(scans));
    for (int id = 1; id <= scans; ++id) {
        const auto mine =
            std::find_if(results.begin(), results.end(), [id](const auto& r) { return r.at("id") == id; });
        ASSERT_NE(mine, results.end());
        EXPECT_EQ(mine->at("request_number"), 100 + id);
        EXPECT_EQ(mine->at("entries").size(), 6u);
        std::vector<std::uint32_t> values;
        for (const auto& message : host.messages->of_type("metascan_progress")) {
            if (message.at("id") == id) {
                values.push_back(message.at("progress").get<std::uint32_t>());
            }
        }
        EXPECT_THAT(values, ElementsAre(1u, 2u, 34u, 67u));
    }
}

}  // namespace
