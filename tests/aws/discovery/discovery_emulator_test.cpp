// Meta-scans and checks through the module's exported functions, against the AWS emulator's demo
// account: regions us-east-1, eu-central-1 and sa-east-1, in that order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/module_on_emulator.h"

namespace {

using namespace orvane::tessel;
namespace emu = orvane::tessel::emulator;
using nlohmann::ordered_json;
using test_support::call_with;
using ::testing::ElementsAre;

std::vector<ordered_json> received(std::string_view type) {
    return test_support::inbox().of_type(type);
}

class DiscoveryEndToEnd : public ::testing::Test {
protected:
    // Runs a meta-scan; its one result.
    static ordered_json metascan(const std::string& kind) {
        test_support::inbox().clear();
        const auto text = test_support::settings_buffer(kind).json();
        EXPECT_EQ(ExecuteMetaScan(21, 4, reinterpret_cast<const std::uint8_t*>(text.data()),
                                  static_cast<std::uint32_t>(text.size())),
                  0);
        const auto results = received("meta_scan_result");
        EXPECT_EQ(results.size(), 1u);
        return results.empty() ? ordered_json() : results.back();
    }

    static bool check(const test_support::settings_buffer& settings) {
        test_support::inbox().clear();
        EXPECT_EQ(call_with(&ExecuteCheck, 31, settings), 0);
        const auto results = received("check_result");
        EXPECT_EQ(results.size(), 1u);
        return !results.empty() && results.back().at("success").get<bool>();
    }

    test_support::module_on_emulator module_;
    emu::server& aws_ = module_.aws;
};

struct kind_case {
    std::string_view metascan;
    std::string_view check;
    std::string_view sensor;
    std::string_view operation;                  // what the kind lists and probes
    std::string_view identity;                   // the setting that names a resource in its row
    std::vector<std::string> all;                // every row of the demo account
    std::vector<std::string> without_us_east_1;  // the rows when us-east-1 refuses
};

// clang-format off
std::vector<kind_case> kinds() {
    return {
    {"ec2_metascan", "ec2_check", "ec2_sensor", "DescribeInstances", "ec2_metascan_section.ec2_metascan_group.id",
     {"i-0a1b2c3d4e5f60001", "i-0a1b2c3d4e5f60002", "i-0e1f2a3b4c5d60011", "i-0e1f2a3b4c5d60012", "i-05a6b7c8d9e0f0021"},
     {"i-0e1f2a3b4c5d60011", "i-0e1f2a3b4c5d60012", "i-05a6b7c8d9e0f0021"}},
    {"ebs_metascan", "ebs_check", "ebs_sensor", "DescribeVolumes", "ebs_metascan_section.ebs_metascan_group.id",
     {"vol-0a1b2c3d4e5f70001", "vol-0a1b2c3d4e5f70002", "vol-0a1b2c3d4e5f70003", "vol-0a1b2c3d4e5f70004",
      "vol-0a1b2c3d4e5f70005", "vol-0e1f2a3b4c5d70011", "vol-0e1f2a3b4c5d70012", "vol-05a6b7c8d9e0f0021"},
     {"vol-0e1f2a3b4c5d70011", "vol-0e1f2a3b4c5d70012", "vol-05a6b7c8d9e0f0021"}},
    {"elb_metascan", "elb_check", "elb_sensor", "DescribeLoadBalancers", "elb_metascan_section.elb_metascan_group.id",
     {"app/web-alb/50dc6c495c0c9188", "net/tcp-nlb/a1b2c3d4e5f60718"}, {}},
    {"rds_metascan", "rds_check", "rds_sensor", "DescribeDBInstances", "rds_metascan_section.rds_metascan_group.identifier",
     {"orders-db", "orders-db-replica", "analytics-db"}, {"analytics-db"}},
    {"alarm_metascan", "alarm_check", "alarm_sensor", "DescribeAlarms", "alarm_metascan_section.alarm_metascan_group.name",
     {"web-01-cpu-high", "orders-db-storage-low", "web-alb-unhealthy-hosts", "web-error-rate", "web-service-degraded",
      "analytics-db-cpu"}, {"analytics-db-cpu"}},
    };
}
// clang-format on

class EveryKind : public DiscoveryEndToEnd, public ::testing::WithParamInterface<kind_case> {
protected:
    void fault(const char* region, emu::fault_kind kind) {
        aws_.add_fault({.operation = std::string(GetParam().operation), .region = region, .kind = kind});
    }
    std::vector<std::string> rows(const ordered_json& result) const {
        std::vector<std::string> names;
        for (const auto& row : result.at("entries")) {
            names.push_back(row.at("settings").at(std::string(GetParam().identity)).get<std::string>());
        }
        return names;
    }
};

TEST_P(EveryKind, MetaScanOffersEveryResourceOfEveryRegion) {
    const auto result = metascan(std::string(GetParam().metascan));
    EXPECT_EQ(result.at("response"), 0);
    EXPECT_EQ(rows(result), GetParam().all);
    std::vector<std::uint32_t> progress;
    for (const auto& message : received("metascan_progress")) {
        progress.push_back(message.at("progress").get<std::uint32_t>());
    }
    EXPECT_THAT(progress, ElementsAre(1u, 2u, 34u, 67u));
}

// A refusing region is skipped; throttling, or every region refusing, ends the meta-scan without rows.
TEST_P(EveryKind, MetaScanToleratesRefusalsOnly) {
    struct fault_case {
        const char* region;
        emu::fault_kind kind;
        std::vector<std::string> rows;
        int response;
        std::string message;  // checked when not empty
    };
    for (const auto& c :
         {fault_case{"us-east-1", emu::fault_kind::access_denied, GetParam().without_us_east_1, 0, ""},
          fault_case{"sa-east-1", emu::fault_kind::throttling, {}, 5, ""},
          fault_case{
              "*", emu::fault_kind::unauthorized_operation, {}, 5, "#:error.no_regions_accessible[]"}}) {
        aws_.reset();
        fault(c.region, c.kind);
        const auto result = metascan(std::string(GetParam().metascan));
        EXPECT_EQ(result.at("response"), c.response) << c.region;
        EXPECT_EQ(rows(result), c.rows) << c.region;
        EXPECT_TRUE(c.message.empty() || result.at("message").at("encoded") == c.message) << c.region;
    }
}

TEST_P(EveryKind, CheckPassesOnTheSecondRegionAndNeverAsksTheThird) {
    fault("us-east-1", emu::fault_kind::unauthorized_operation);
    EXPECT_TRUE(check(test_support::settings_buffer(std::string(GetParam().check))));
    EXPECT_EQ(aws_.count(GetParam().operation, "eu-central-1"), 1u);
    EXPECT_EQ(aws_.count(GetParam().operation, "sa-east-1"), 0u);
}

TEST_P(EveryKind, CheckWithAWrongSecretFailsAtTheRegionList) {
    EXPECT_FALSE(check(test_support::settings_buffer(std::string(GetParam().check))
                           .secure("awscredentials.credentials_group.secret_key", "wrong")));
    EXPECT_EQ(aws_.count(GetParam().operation), 0u);
}

// The host copies a chosen row into the new sensor's settings, beside credentials, proxy and common
// settings; the sensor must work at once.
TEST_P(EveryKind, RowOfTheTableMakesAWorkingSensor) {
    const auto result = metascan(std::string(GetParam().metascan));
    ASSERT_FALSE(result.at("entries").empty());
    test_support::settings_buffer settings{std::string(GetParam().sensor)};
    for (const auto& [key, value] : result.at("entries").front().at("settings").items()) {
        settings.set(key, value.get<std::string>());
    }
    ASSERT_EQ(call_with(&CreateSensorInstance, 41, settings), 0);
    ASSERT_EQ(ExecuteSensorScan(41), 0);
    const auto scans = received("sensor_scan_result");
    ASSERT_EQ(scans.size(), 1u);
    EXPECT_EQ(scans[0].at("response_code"), 0) << scans[0].at("response_message").dump();
    EXPECT_FALSE(scans[0].at("channels").empty());
    EXPECT_EQ(DestroySensorInstance(41), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKind, ::testing::ValuesIn(kinds()),
                         [](const auto& info) { return std::string(info.param.metascan); });

TEST_F(DiscoveryEndToEnd, CostCheckPassesAndFailsWithCostExplorer) {
    EXPECT_TRUE(check(test_support::settings_buffer("awscost_check")));
    EXPECT_EQ(aws_.count("GetCostAndUsage"), 1u);
    EXPECT_EQ(aws_.count("DescribeRegions"), 0u);
    aws_.add_fault({.operation = "GetCostAndUsage", .kind = emu::fault_kind::data_unavailable});
    EXPECT_FALSE(check(test_support::settings_buffer("awscost_check")));
}

}  // namespace
