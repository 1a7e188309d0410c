#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <exception>
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
namespace errors = aws::exceptions;

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

std::string text_of(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    }
}

// The listing answers in call order, one outcome per region; the resources of the k-th call are named
// "res-k-j" so that rows can be traced back to their region.
template <class Result, class Expectation, class Make>
void answer_in_turn(Expectation&& expectation, const std::vector<outcome>& outcomes, Make make) {
    expectation.Times(static_cast<int>(outcomes.size()));
    for (std::size_t call = 0; call < outcomes.size(); ++call) {
        expectation.WillOnce([what = outcomes[call], call, make](auto&&...) -> Result {
            if (what.failure) {
                std::rethrow_exception(what.failure);
            }
            Result resources;
            for (std::size_t j = 0; j < what.resources; ++j) {
                resources.push_back(make("res-" + std::to_string(call) + "-" + std::to_string(j)));
            }
            return resources;
        });
    }
}

std::shared_ptr<Alarm> metric_alarm(const std::string& name, const std::string& description) {
    Aws::CloudWatch::Model::MetricAlarm alarm;
    alarm.SetAlarmName(name);
    alarm.SetAlarmDescription(description);
    return std::make_shared<aws::MetricAlarm>(alarm);
}

// What differs between the five kinds, as far as the region walk is concerned.
struct metascan_kind {
    std::string_view name;
    std::string_view client;                // as the fake host records obtained clients
    std::string_view progress_key;          // of the per-region progress message
    std::string_view request_line;          // level 6: this, the region code ...
    std::string_view request_end;           // ... and this
    std::array<std::string_view, 3> found;  // level 6 after listing 0, 1 and 2 resources
    std::string_view identity;              // the setting that names a resource in its row
    void (*run)(discovery_host&, std::int32_t);
    void (*expect_listings)(discovery_host&, const std::vector<outcome>&);
};

// The log lines keep the module's historical spelling, which differs between kinds on purpose.
// clang-format off
constexpr metascan_kind ec2_kind{
    "ec2_metascan", "ec2", "metascan.requesting_ec2_instances", "Requesting EC2 instances for region ", "",
    {"Found 0 instance(s)", "Found 1 instance(s)", "Found 2 instance(s)"}, "ec2_metascan_section.ec2_metascan_group.id",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::ec2_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        answer_in_turn<std::vector<aws::ec2_instance_info>>(EXPECT_CALL(*host.aws.ec2, get_instances(_)), outcomes,
            [](const std::string& id) { return aws::ec2_instance_info{"", id}; });
    }};
constexpr metascan_kind ebs_kind{
    "ebs_metascan", "ec2", "metascan.requesting_volumes", "Requesting EBS Volumes for region ", "",
    {"Found 0 volume(s)", "Found 1 volume(s)", "Found 2 volume(s)"}, "ebs_metascan_section.ebs_metascan_group.id",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::ebs_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        answer_in_turn<std::vector<aws::ebs_volume_info>>(EXPECT_CALL(*host.aws.ec2, get_volumes(_)), outcomes,
            [](const std::string& id) { return aws::ebs_volume_info{id, "", 8, "gp3", "", "available"}; });
    }};
constexpr metascan_kind elb_kind{
    "elb_metascan", "elb", "metascan.requesting_elb_instances", "Requesting ELB instances for region ", ".",
    {"Found 0 ELB instance(s).", "Found 1 ELB instance(s).", "Found 2 ELB instance(s)."},
    "elb_metascan_section.elb_metascan_group.name",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::elb_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        answer_in_turn<std::vector<aws::load_balancer>>(EXPECT_CALL(*host.aws.elb, list_load_balancers(_)), outcomes,
            [](const std::string& name) { return aws::load_balancer{"app/" + name, name, LoadBalancerType::application}; });
    }};
constexpr metascan_kind rds_kind{
    "rds_metascan", "rds", "metascan.requesting_rds_instances", "Requesting RDS instances for region ", "",
    {"Found 0 instance.", "Found 1 instance.", "Found 2 instances."}, "rds_metascan_section.rds_metascan_group.identifier",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::rds_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        answer_in_turn<std::vector<aws::rds_instance>>(EXPECT_CALL(*host.aws.rds, list_db_instances(_)), outcomes,
            [](const std::string& id) { return aws::rds_instance{id, "postgres"}; });
    }};
// Discovery lists alarms without their children.
constexpr metascan_kind alarm_kind{
    "alarm_metascan", "cloudwatch", "metascan.requesting_alarms", "Requesting alarms for region ", ".",
    {"Found 0 alarm.", "Found 1 alarm.", "Found 2 alarms."}, "alarm_metascan_section.alarm_metascan_group.name",
    [](discovery_host& host, std::int32_t id) { host.run_metascan<aws::alarm_metascan>(id); },
    [](discovery_host& host, const std::vector<outcome>& outcomes) {
        answer_in_turn<std::vector<std::shared_ptr<Alarm>>>(EXPECT_CALL(*host.aws.cloudwatch, get_alarms(_, false)),
            outcomes, [](const std::string& name) { return metric_alarm(name, "d"); });
    }};
// clang-format on

// One walk over the regions and everything the host must see of it.
struct walk {
    std::string_view name;
    std::vector<std::string> regions;
    std::vector<outcome> listings;  // one per listing call, in region order
    std::string refusing_client;    // obtaining the client for this region fails with access_denied
    std::exception_ptr regions_failure;
    std::vector<std::uint32_t> progress;
    std::string message;            // the result's encoded message; empty when the walk succeeds
    std::vector<std::string> rows;  // the resources delivered, in order
};

std::vector<walk> walks() {
    std::vector<std::string> seventeen;
    seventeen.reserve(17);
    for (int i = 0; i < 17; ++i) {
        seventeen.push_back("r-" + std::to_string(i));
    }
    const auto denied = [](const char* text) { return throws(errors::access_denied(text)); };
    const auto unauthorized = [](const char* text) { return throws(errors::unauthorized_operation(text)); };
    // clang-format off
    return {
        {"OneRegion", {"a-1"}, {answers(2)}, "", nullptr, {1, 2}, "", {"res-0-0", "res-0-1"}},
        {"DeniedRegionIsSkipped", {"a-1", "b-1", "c-1"}, {answers(1), denied("no"), answers(2)}, "", nullptr,
         {1, 2, 34, 67}, "", {"res-0-0", "res-2-0", "res-2-1"}},
        {"UnauthorizedRegionIsSkipped", {"a-1", "b-1", "c-1"}, {answers(0), unauthorized("scp"), answers(1)}, "",
         nullptr, {1, 2, 34, 67}, "", {"res-2-0"}},
        {"EmptyRegionCountsAsAnswered", {"a-1", "b-1"}, {denied("x"), answers(0)}, "", nullptr, {1, 2, 51}, "", {}},
        {"EveryRegionRefuses", {"a-1", "b-1"}, {unauthorized("a"), denied("b")}, "", nullptr, {1, 2, 51},
         "#:error.no_regions_accessible[]", {}},
        {"ThrottlingDeliversNothing", {"a-1", "b-1", "c-1"}, {answers(2), throws(errors::limit_exceeded())}, "",
         nullptr, {1, 2, 34}, "#:error.limit_exceeded[]", {}},
        {"AuthenticationFailureIsNotARefusal", {"a-1", "b-1"}, {throws(errors::authentication_failed("bad"))}, "",
         nullptr, {1, 2}, "#:error.authentication_failed[bad]", {}},
        {"StandardFailureEndsTheWalk", {"a-1"}, {throws(std::runtime_error("reset"))}, "", nullptr, {1, 2}, "reset", {}},
        // Obtaining the client is not part of the listing: even a refusal there ends the meta-scan.
        {"UnobtainableClientEndsTheWalk", {"a-1", "b-1", "c-1"}, {answers(1)}, "b-1", nullptr, {1, 2, 34},
         "#:error.access_denied[no client]", {}},
        {"EmptyRegionList", {}, {}, "", nullptr, {1}, "Maximum must be greater than 0.", {}},
        {"FailedRegionList", {}, {}, "", std::make_exception_ptr(errors::access_denied("regions")), {1},
         "#:error.access_denied[regions]", {}},
        {"SeventeenRegions", seventeen, std::vector<outcome>(17, answers(0)), "", nullptr,
         {1, 2, 7, 13, 19, 25, 30, 36, 42, 48, 53, 59, 65, 71, 76, 82, 88, 94}, "", {}},
    };
    // clang-format on
}

class Discovery : public ::testing::Test {
protected:
    void TearDown() override { host.expect_no_secret(); }

    void regions(const std::vector<std::string>& codes) {
        EXPECT_CALL(*host.aws.ec2, get_regions(_)).WillOnce(Return(codes));
    }

    std::vector<std::uint32_t> progress(std::int32_t id = 7) const {
        std::vector<std::uint32_t> values;
        for (const auto& message : host.messages->of_type("metascan_progress")) {
            if (message.at("id") == id) {
                values.push_back(message.at("progress").get<std::uint32_t>());
            }
        }
        return values;
    }

    // The one result the meta-scan sent.
    ordered_json result() const {
        const auto results = host.messages->of_type("meta_scan_result");
        EXPECT_EQ(results.size(), 1u);
        return results.empty() ? ordered_json() : results.front();
    }

    discovery_host host;
};

class RegionWalk : public Discovery, public ::testing::WithParamInterface<std::tuple<metascan_kind, walk>> {};

TEST_P(RegionWalk, ReportsToleratesAndDeliversAsTheWalkDemands) {
    const auto& kind = std::get<0>(GetParam());
    const auto& scenario = std::get<1>(GetParam());
    EXPECT_CALL(*host.aws.ec2, get_regions(_)).WillOnce([&](auto&&...) {
        if (scenario.regions_failure) {
            std::rethrow_exception(scenario.regions_failure);
        }
        return scenario.regions;
    });
    if (!scenario.refusing_client.empty()) {
        host.fail_obtaining(scenario.refusing_client,
                            std::make_exception_ptr(errors::access_denied("no client")));
    }
    kind.expect_listings(host, scenario.listings);
    kind.run(host, 7);

    // Progress: the region list first, then each region walked, by its code.
    EXPECT_EQ(progress(), scenario.progress);
    const auto reports = host.messages->of_type("metascan_progress");
    std::vector<std::string> expected_lines;
    std::vector<std::string> expected_clients{"ec2@aws-global"};
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].at("request_number"), 3);
        if (i == 0) {
            EXPECT_EQ(reports[i].at("text").at("encoded"), "#:metascan.requesting_regions[]");
            continue;
        }
        const auto& region = scenario.regions.at(i - 1);
        EXPECT_EQ(reports[i].at("text").at("encoded"),
                  "#:" + std::string(kind.progress_key) + "[" + region + "]");
        expected_lines.push_back(std::string(kind.request_line) + region + std::string(kind.request_end));
        if (region != scenario.refusing_client) {
            expected_clients.push_back(std::string(kind.client) + "@" + region);
        }
        if (i - 1 < scenario.listings.size() && !scenario.listings[i - 1].failure) {
            expected_lines.emplace_back(kind.found.at(scenario.listings[i - 1].resources));
        }
    }
    EXPECT_EQ(host.log_at(6), expected_lines);
    EXPECT_EQ(host.aws.obtained(), expected_clients);
    // Every refusal and failure is in the log, as a trace.
    for (const auto& listing : scenario.listings) {
        if (listing.failure) {
            EXPECT_THAT(host.log_at(7), ::testing::Contains(text_of(listing.failure)));
        }
    }

    // One result, sent last; rows only when the walk succeeded.
    const auto sent = result();
    EXPECT_EQ(host.messages->size(), reports.size() + 1);
    EXPECT_EQ(sent.at("id"), 7);
    EXPECT_EQ(sent.at("request_number"), 3);
    EXPECT_EQ(sent.at("response"), scenario.message.empty() ? 0 : 5);
    if (!scenario.message.empty()) {
        EXPECT_EQ(sent.at("message").at("encoded"), scenario.message);
    }
    std::vector<std::string> rows;
    for (const auto& row : sent.at("entries")) {
        rows.push_back(row.at("settings").at(std::string(kind.identity)).get<std::string>());
    }
    EXPECT_EQ(rows, scenario.rows);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RegionWalk,
                         ::testing::Combine(::testing::Values(ec2_kind, ebs_kind, elb_kind, rds_kind,
                                                              alarm_kind),
                                            ::testing::ValuesIn(walks())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::string(std::get<1>(info.param).name);
                         });

// ---- rows of each kind: settings keys in order, values and display message --------------------------

struct row {
    std::string encoded;
    std::string text;
    std::vector<std::string> values;  // in the order of the kind's keys
};

struct rows_case {
    std::string_view name;
    std::string region;
    void (*list)(discovery_host&);  // answers the kind's listing
    std::string group;
    std::vector<std::string> keys;
    std::vector<row> rows;
    std::string found;  // the level-6 line after the listing: everything listed counts
};

class Rows : public Discovery, public ::testing::WithParamInterface<rows_case> {};

TEST_P(Rows, CarryTheSettingsInTheKindsOrderAndADisplayName) {
    const auto& c = GetParam();
    regions({c.region});
    c.list(host);
    const auto entries = result().at("entries");
    ASSERT_EQ(entries.size(), c.rows.size());
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        EXPECT_EQ(entries[i].at("display_name").at("encoded"), c.rows[i].encoded);
        EXPECT_EQ(entries[i].at("display_name").at("text"), c.rows[i].text);
        ordered_json expected = ordered_json::object();
        for (std::size_t k = 0; k < c.keys.size(); ++k) {
            expected[c.group + "." + c.keys[k]] = c.rows[i].values.at(k);
        }
        EXPECT_EQ(entries[i].at("settings").dump(), expected.dump());
    }
    EXPECT_THAT(host.log_at(6), ElementsAre(_, c.found));
}

constexpr const char* sao_paulo = "South America (S&atilde;o Paulo)";
constexpr const char* frankfurt = "Europe (Frankfurt)";
constexpr const char* oregon = "US West (Oregon)";
constexpr const char* virginia = "US East (Northern Virginia)";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, Rows, ::testing::Values(
    // Plain text: the name and id, or the id alone.
    rows_case{"ec2", "sa-east-1", [](discovery_host& host) {
        EXPECT_CALL(*host.aws.ec2, get_instances(_)).WillOnce(Return(std::vector<aws::ec2_instance_info>{{"web-01", "i-1"}, {"", "i-2"}}));
        host.run_metascan<aws::ec2_metascan>();
    }, "ec2_metascan_section.ec2_metascan_group", {"id", "name", "region", "region_display_name"},
    {{"web-01 (i-1)", "web-01 (i-1)", {"i-1", "web-01", "sa-east-1", sao_paulo}}, {"i-2", "i-2", {"i-2", "", "sa-east-1", sao_paulo}}},
    "Found 2 instance(s)"},
    // The size in gigabytes; the attachment text as it is.
    rows_case{"ebs", "eu-central-1", [](discovery_host& host) {
        EXPECT_CALL(*host.aws.ec2, get_volumes(_)).WillOnce(Return(std::vector<aws::ebs_volume_info>{
            {"vol-1", "data", 100, "gp2", "i-1:/dev/sdf (attached), i-2:/dev/sdg (attaching)", "in-use"}, {"vol-2", "", 8, "gp3", "", "available"}}));
        host.run_metascan<aws::ebs_metascan>();
    }, "ebs_metascan_section.ebs_metascan_group", {"id", "name", "size", "type", "state", "attachment_information", "region", "region_display_name"},
    {{"#:metascan.ebs_sensor_instance_name[data (vol-1)]", "AWS EBS: data (vol-1)",
      {"vol-1", "data", "100 GB", "gp2", "in-use", "i-1:/dev/sdf (attached), i-2:/dev/sdg (attaching)", "eu-central-1", frankfurt}},
     {"#:metascan.ebs_sensor_instance_name[vol-2]", "AWS EBS: vol-2", {"vol-2", "", "8 GB", "gp3", "available", "", "eu-central-1", frankfurt}}},
    "Found 2 volume(s)"},
    // Gateways have no sensor: no row, but counted.
    rows_case{"elb", "us-west-2", [](discovery_host& host) {
        EXPECT_CALL(*host.aws.elb, list_load_balancers(_)).WillOnce(Return(std::vector<aws::load_balancer>{
            {"gwy/inspect/1", "inspect", LoadBalancerType::gateway}, {"app/web/50dc", "web", LoadBalancerType::application},
            {"net/tcp/a1b2", "tcp", LoadBalancerType::network}}));
        host.run_metascan<aws::elb_metascan>();
    }, "elb_metascan_section.elb_metascan_group", {"id", "name", "type", "region", "region_display_name"},
    {{"#:metascan.elb_sensor_instance_name[web,application]", "AWS ELB: web (application)", {"app/web/50dc", "web", "application", "us-west-2", oregon}},
     {"#:metascan.elb_sensor_instance_name[tcp,network]", "AWS ELB: tcp (network)", {"net/tcp/a1b2", "tcp", "network", "us-west-2", oregon}}},
    "Found 3 ELB instance(s)."},
    // A region the table does not know shows its code.
    rows_case{"rds", "ap-south-2", [](discovery_host& host) {
        EXPECT_CALL(*host.aws.rds, list_db_instances(_)).WillOnce(Return(std::vector<aws::rds_instance>{{"orders-db", "mysql"}}));
        host.run_metascan<aws::rds_metascan>();
    }, "rds_metascan_section.rds_metascan_group", {"identifier", "engine", "region", "region_display_name"},
    {{"#:metascan.rds_sensor_instance_name[orders-db,mysql]", "AWS RDS: orders-db (mysql)", {"orders-db", "mysql", "ap-south-2", "ap-south-2"}}},
    "Found 1 instance."},
    // Names may hold the characters that structure an encoded message: only the message escapes them.
    // An empty alarm pointer is counted but gets no row.
    rows_case{"alarm", "us-east-1", [](discovery_host& host) {
        EXPECT_CALL(*host.aws.cloudwatch, get_alarms(_, false)).WillOnce(Return(std::vector<std::shared_ptr<Alarm>>{
            metric_alarm("cpu, high: web", "CPU above 80 %"), nullptr, std::make_shared<aws::CompositeAlarm>(
                Aws::CloudWatch::Model::CompositeAlarm().WithAlarmName("web-degraded"), std::vector<std::shared_ptr<Alarm>>{})}));
        host.run_metascan<aws::alarm_metascan>();
    }, "alarm_metascan_section.alarm_metascan_group", {"name", "type", "description", "region", "region_display_name"},
    {{"#:metascan.alarm_sensor_instance_name[cpu\\, high\\: web,Metric]", "AWS Alarm: cpu, high: web (Metric)",
      {"cpu, high: web", "Metric", "CPU above 80 %", "us-east-1", virginia}},
     {"#:metascan.alarm_sensor_instance_name[web-degraded,Composite]", "AWS Alarm: web-degraded (Composite)",
      {"web-degraded", "Composite", "No description", "us-east-1", virginia}}},
    "Found 3 alarms."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Hosts run meta-scans of several users at once: each keeps its own progress and rows while they share
// the container and its clients.
TEST_F(Discovery, ConcurrentMetaScansKeepTheirOwnProgressAndRows) {
    EXPECT_CALL(*host.aws.ec2, get_regions(_))
        .WillRepeatedly(Return(std::vector<std::string>{"a-1", "b-1", "c-1"}));
    EXPECT_CALL(*host.aws.ec2, get_instances(_))
        .WillRepeatedly(Return(std::vector<aws::ec2_instance_info>{{"n", "i-1"}, {"m", "i-2"}}));
    std::vector<std::thread> threads;
    for (int id = 1; id <= 6; ++id) {
        threads.emplace_back([this, id] { host.run_metascan<aws::ec2_metascan>(id, 100U + id); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const auto results = host.messages->of_type("meta_scan_result");
    ASSERT_EQ(results.size(), 6u);
    for (const auto& sent : results) {
        const auto id = sent.at("id").get<std::int32_t>();
        EXPECT_EQ(sent.at("request_number"), 100 + id);
        EXPECT_EQ(sent.at("entries").size(), 6u);
        EXPECT_THAT(progress(id), ElementsAre(1u, 2u, 34u, 67u));
    }
}

}  // namespace
