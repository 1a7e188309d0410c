#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/exceptions.h"
#include "framework/settings/records.h"
#include "framework/templates/check_base.h"
#include "framework/templates/metascan_base.h"
#include "framework/templates/sensor_base.h"
#include "host/sensor_dispatcher.h"
#include "tests/support/fake_host.h"
#include "tests/support/settings_buffer.h"

namespace {

using namespace orvane::tessel;
using namespace libvexahelper;
using test_support::fake_host;
using test_support::settings_buffer;
using ::testing::ElementsAre;

// A sensor whose scan does whatever the test hands it.
class probe_sensor final : public sensors::sensor_base<aws::settings::ec2_sensor> {
public:
    using sensor_base::define_channel;
    using sensor_base::make_result;
    using sensor_base::send;
    using sensor_base::send_persistent_data;
    using sensor_base::store_persistent_data;
    using sensor_base::stored_data;

    explicit probe_sensor(sensor_context<settings_type> context)
        : sensor_base(std::move(context), "AWS EC2 v2") {}

    void work() override { scan(*this); }

    static inline std::function<void(probe_sensor&)> scan = [](probe_sensor&) {};
};

struct SensorTemplate : ::testing::Test {
    fake_host host;
    sensor_dispatcher dispatcher{host.container, "9.8.7"};

    void SetUp() override {
        dispatcher.register_sensor_as<probe_sensor>("ec2_sensor");
        probe_sensor::scan = [](probe_sensor&) {};
    }

    std::shared_ptr<sensor_interface> create(settings_buffer buffer = settings_buffer("ec2_sensor")) {
        buffer.set("ec2_metascan_section.ec2_metascan_group.id", "i-1")
            .set("ec2_metascan_section.ec2_metascan_group.name", "web")
            .set("ec2_metascan_section.ec2_metascan_group.region", "us-east-1")
            .set("ec2_metascan_section.ec2_metascan_group.region_display_name",
                 "US East (Northern Virginia)");
        EXPECT_EQ(dispatcher.create_sensor_instance(7, buffer.wrapper()),
                  sensor_create_response_code::success);
        return dispatcher.stock().find(7).sensor;
    }
};

TEST_F(SensorTemplate, CreationLogsBannerVersionAndSettingsWithoutSecrets) {
    create();
    const auto lines = host.sensor_log->texts();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "#################### Initializing ####################");
    EXPECT_EQ(lines[1], "AWS EC2 v2 version is: 9.8.7\n");
    EXPECT_THAT(
        lines[2],
        ::testing::HasSubstr("\"secure_settings\":{\"awscredentials.credentials_group.secret_key\":\"***\""));
    EXPECT_THAT(lines[2], ::testing::Not(::testing::HasSubstr("EXAMPLEKEY")));
}

TEST_F(SensorTemplate, LocalisedFailureBecomesOneErrorResultBetweenTheBanners) {
    create();
    host.sensor_log->clear();
    probe_sensor::scan = [](probe_sensor&) { throw aws::exceptions::no_volume_found("vol-9"); };

    EXPECT_EQ(dispatcher.execute_sensor_scan(7), sensor_scan_response_code::success);

    const auto results = host.messages->of_type("sensor_scan_result");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]["sensor_id"], 7);
    EXPECT_EQ(results[0]["response_code"], 3);
    EXPECT_EQ(results[0]["error_code"], 0);
    EXPECT_EQ(results[0]["response_message"]["encoded"], "#:error.no_volume_found[vol-9]");
    EXPECT_THAT(host.sensor_log->texts(),
                ElementsAre("#################### Enter sensor scan ####################",
                            "No volume with the ID vol-9 was found.",
                            "#################### Exit sensor scan  ####################"));
}

TEST_F(SensorTemplate, StandardFailureIsReportedWithItsText) {
    create();
    probe_sensor::scan = [](probe_sensor&) { (void)std::optional<int>().value(); };
    dispatcher.execute_sensor_scan(7);
    const auto results = host.messages->of_type("sensor_scan_result");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]["response_code"], 3);
    EXPECT_EQ(results[0]["response_message"]["text"], std::bad_optional_access().what());
    EXPECT_EQ(results[0]["response_message"]["encoded"], results[0]["response_message"]["text"]);
}

TEST_F(SensorTemplate, DisabledLoggingWritesNothingButStillReports) {
    create(settings_buffer("ec2_sensor").set("logging", "disabled"));
    probe_sensor::scan = [](probe_sensor& sensor) {
        sensor.log("should vanish");
        sensor.send(sensor.make_result(libi18n::i18n_msg::plain("OK"), 0));
    };
    dispatcher.execute_sensor_scan(7);
    dispatcher.destroy_sensor_instance(7);
    EXPECT_TRUE(host.sensor_log->lines().empty());
    EXPECT_EQ(host.messages->of_type("sensor_scan_result").size(), 1u);
}

TEST_F(SensorTemplate, ChannelIsAnnouncedAtMostOnceAndNeverWhenTheHostKnowsIt) {
    create(settings_buffer("ec2_sensor").channel(2, "Network In"));
    probe_sensor::scan = [](probe_sensor& sensor) {
        dynamic_channel_options options;
        options.mode = value_mode::floating_point;
        for (int id : {1, 2, 1}) {
            options.channel_id = id;
            options.name = "channel.test" + std::to_string(id);
            sensor.define_channel(options);
        }
    };
    dispatcher.execute_sensor_scan(7);
    dispatcher.execute_sensor_scan(7);
    const auto announced = host.messages->of_type("dynamic_channel");
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0]["sensor_id"], 7);
    EXPECT_EQ(announced[0]["channel"]["channel_id"], 1);
    EXPECT_EQ(announced[0]["channel"]["name"], "channel.test1");
}

TEST_F(SensorTemplate, ValuesOnlyGoToDefinedChannelsOfTheirMode) {
    create();
    probe_sensor::scan = [](probe_sensor& sensor) {
        auto result = sensor.make_result(libi18n::i18n_msg::plain("OK"), 0);
        dynamic_channel_options options;
        options.channel_id = 0;
        options.mode = value_mode::lookup;
        sensor.define_channel(options);
        result.set_value(0, std::int64_t{2});
        EXPECT_THROW(result.set_value(0, 2.0), utils::exceptions::invalid_channel_mode);
        EXPECT_THROW(result.set_value(5, 1.0), utils::exceptions::channel_not_defined);
        sensor.send(result);
    };
    dispatcher.execute_sensor_scan(7);
    const auto results = host.messages->of_type("sensor_scan_result");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]["channels"], test_support::json::parse(R"([{"id":0,"integer":2}])"));
}

TEST_F(SensorTemplate, PersistentDataIsStoredLocallyOnlyWhenAsked) {
    create(settings_buffer("ec2_sensor").persistent("next_channel_id", "3"));
    probe_sensor::scan = [](probe_sensor& sensor) {
        sensor.store_persistent_data("next_channel_id", "4");
        sensor.send_persistent_data("aws_cost_currency", "EUR");
        EXPECT_EQ(sensor.stored_data().at("next_channel_id"), "4");
        EXPECT_FALSE(sensor.stored_data().exists("aws_cost_currency"));
    };
    dispatcher.execute_sensor_scan(7);
    const auto stored = host.messages->of_type("persistent_data");
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0],
              test_support::json::parse(
                  R"({"type":"persistent_data","sensor_id":7,"key":"next_channel_id","value":"4"})"));
    EXPECT_EQ(stored[1]["value"], "EUR");
}

TEST_F(SensorTemplate, DestroyingLogsTheCleanUpBanner) {
    create();
    dispatcher.destroy_sensor_instance(7);
    EXPECT_EQ(host.sensor_log->texts().back(), "#################### Cleaning Up  ####################");
}

// ---- meta-scans and checks ----------------------------------------------------------------------

class probe_metascan final : public metascans::metascan_base<aws::settings::ec2_metascan> {
public:
    explicit probe_metascan(metascan_context<settings_type> context)
        : metascan_base(std::move(context), "ec2_metascan") {}
    void work() override {
        report_progress(1, libi18n::i18n_msg::plain("starting"));
        throw aws::exceptions::limit_exceeded();
    }
};

class probe_check final : public checks::check_base<aws::settings::ec2_check> {
public:
    explicit probe_check(check_context<settings_type> context)
        : check_base(std::move(context), "ec2_check") {}
    void work() override {
        check_result result(get_id());
        result.set_success(settings().credentials.access_key == "AKIDEXAMPLE");
        send(result);
    }
};

TEST(MetaScanTemplate, FailureSendsOneResultWithResponseFiveAndNothingAfter) {
    fake_host host;
    sensor_dispatcher dispatcher(host.container, "9.8.7");
    dispatcher.register_meta_as<probe_metascan>("ec2_metascan");
    EXPECT_EQ(dispatcher.execute_meta_scan(3, 42, settings_buffer("ec2_metascan").wrapper()),
              meta_scan_response_code::success);

    const auto messages = host.messages->all();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]["type"], "metascan_progress");
    EXPECT_EQ(messages[1]["type"], "meta_scan_result");
    EXPECT_EQ(messages[1]["response"], 5);
    EXPECT_EQ(messages[1]["request_number"], 42);
    EXPECT_EQ(messages[1]["message"]["encoded"], "#:error.limit_exceeded[]");
    EXPECT_TRUE(messages[1]["entries"].empty());
    EXPECT_TRUE(host.runtime_log->contains("Initialize: ec2_metascan version is: 9.8.7"));
}

TEST(CheckTemplate, RunsOnceWithItsOwnLogger) {
    fake_host host;
    sensor_dispatcher dispatcher(host.container, "9.8.7");
    dispatcher.register_check_as<probe_check>("ec2_check");
    EXPECT_EQ(dispatcher.execute_check(5, settings_buffer("ec2_check").wrapper()),
              check_response_code::success);
    const auto results = host.messages->of_type("check_result");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], test_support::json::parse(R"({"type":"check_result","id":5,"success":true})"));
    EXPECT_TRUE(host.runtime_log->contains("Initialize: ec2_check version is: 9.8.7"));
}

TEST(CheckTemplate, SettingsThatFailToParseBuildNoCheckButStillAnswer) {
    fake_host host;
    sensor_dispatcher dispatcher(host.container, "9.8.7");
    dispatcher.register_check_as<probe_check>("ec2_check");
    const auto buffer = settings_buffer("ec2_check").remove("awscredentials.credentials_group.access_key");
    EXPECT_EQ(dispatcher.execute_check(5, buffer.wrapper()), check_response_code::not_run);
    EXPECT_EQ(host.messages->of_type("check_result").at(0)["success"], false);
    EXPECT_FALSE(host.runtime_log->contains("Initialize: ec2_check version is: 9.8.7"));
    EXPECT_TRUE(
        host.runtime_log->contains("Check 5 of kind \"ec2_check\" failed: The setting "
                                   "\"awscredentials.credentials_group.access_key\" was not "
                                   "available."));
}

}  // namespace
