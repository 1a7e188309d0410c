#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <thread>
#include <vector>

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

// Counts scans and notices when two scans of the same sensor overlap.
class counting_sensor final : public sensors::sensor_base<aws::settings::access_settings> {
public:
    explicit counting_sensor(sensor_context<settings_type> context)
        : sensor_base(std::move(context), "Counter") {}

    void work() override {
        if (running_.exchange(true)) {
            overlapped = true;
        }
        ++scans;
        std::this_thread::yield();
        running_ = false;
    }

    static inline std::atomic<int> scans{0};
    static inline std::atomic<bool> overlapped{false};

private:
    std::atomic<bool> running_{false};
};

class other_sensor final : public sensors::sensor_base<aws::settings::access_settings> {
public:
    explicit other_sensor(sensor_context<settings_type> context) : sensor_base(std::move(context), "Other") {}
    void work() override { throw 42; }  // not a std::exception: nothing may catch it on the way
};

class noop_check final : public checks::check_base<aws::settings::access_settings> {
public:
    explicit noop_check(check_context<settings_type> context)
        : check_base(std::move(context), "noop_check") {}
    void work() override { send(check_result(get_id())); }
};

class noop_metascan final : public metascans::metascan_base<aws::settings::access_settings> {
public:
    explicit noop_metascan(metascan_context<settings_type> context)
        : metascan_base(std::move(context), "noop") {}
    void work() override { send(meta_scan_result(get_id(), get_request_number())); }
};

struct Dispatcher : ::testing::Test {
    fake_host host;
    sensor_dispatcher dispatcher{host.container, "1.0"};

    void SetUp() override {
        counting_sensor::scans = 0;
        counting_sensor::overlapped = false;
        dispatcher.register_sensor_as<counting_sensor>("counter");
        dispatcher.register_sensor_as<other_sensor>("counter");  // ignored: the first stays
        dispatcher.register_sensor_as<other_sensor>("thrower");
        dispatcher.register_check_as<noop_check>("counter");  // another map: no clash
        dispatcher.register_meta_as<noop_metascan>("noop");
    }

    sensor_create_response_code create(std::int32_t id, const std::string& kind = "counter") {
        return dispatcher.create_sensor_instance(id, settings_buffer(kind).wrapper());
    }
};

TEST_F(Dispatcher, RegistryKeepsTheFirstFactoryPerNameAndSeparatesTheMaps) {
    EXPECT_EQ(dispatcher.registrations(),
              (std::vector<std::pair<kind_category, std::string>>{{kind_category::sensor, "counter"},
                                                                  {kind_category::sensor, "thrower"},
                                                                  {kind_category::check, "counter"},
                                                                  {kind_category::meta_scan, "noop"}}));
    ASSERT_EQ(create(1), sensor_create_response_code::success);
    EXPECT_EQ(dispatcher.execute_sensor_scan(1), sensor_scan_response_code::success);
    EXPECT_EQ(counting_sensor::scans, 1);
    EXPECT_EQ(dispatcher.execute_check(2, settings_buffer("counter").wrapper()),
              check_response_code::success);
}

TEST_F(Dispatcher, CreationFailuresReturnTheirCodes) {
    EXPECT_EQ(create(1, "nonexistent"), sensor_create_response_code::unknown_kind);
    EXPECT_TRUE(
        host.runtime_log->contains("A sensor registry error occurred. Unknown sensor kind \"nonexistent\"."));

    const std::string garbage = "not json";
    EXPECT_EQ(dispatcher.create_sensor_instance(
                  1, sensor_data_wrapper(reinterpret_cast<const std::uint8_t*>(garbage.data()),
                                         static_cast<std::uint32_t>(garbage.size()))),
              sensor_create_response_code::invalid_settings_buffer);

    EXPECT_EQ(
        dispatcher.create_sensor_instance(1, settings_buffer("counter").set("logging", "yes").wrapper()),
        sensor_create_response_code::creation_failed);
    EXPECT_TRUE(host.runtime_log->contains(
        "Creating sensor 1 of kind \"counter\" failed: Value \"yes\" could not be parsed into selection type "
        "\"logging\"."));

    ASSERT_EQ(create(1), sensor_create_response_code::success);
    const auto lines = host.sensor_log->lines().size();
    EXPECT_EQ(create(1), sensor_create_response_code::sensor_already_exists);
    EXPECT_EQ(host.sensor_log->lines().size(), lines);  // no second sensor was built to be refused
    EXPECT_EQ(dispatcher.stock().size(), 1u);
}

TEST_F(Dispatcher, UnknownSensorIsAnsweredWithAnErrorResult) {
    EXPECT_EQ(dispatcher.execute_sensor_scan(99), sensor_scan_response_code::sensor_not_found);
    const auto results = host.messages->of_type("sensor_scan_result");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]["response_code"], 3);
    EXPECT_EQ(results[0]["response_message"]["encoded"],
              "#:libvexahelper.error.sensor_not_in_sensor_stock[99]");
    EXPECT_EQ(dispatcher.destroy_sensor_instance(99), sensor_destroy_response_code::sensor_not_found);
}

TEST_F(Dispatcher, CheckAndMetaScanFailuresStillSendAResult) {
    EXPECT_EQ(dispatcher.execute_check(4, settings_buffer("missing").wrapper()),
              check_response_code::unknown_kind);
    EXPECT_EQ(dispatcher.execute_meta_scan(5, 9, settings_buffer("missing").wrapper()),
              meta_scan_response_code::unknown_kind);
    EXPECT_EQ(dispatcher.execute_meta_scan(5, 9, settings_buffer("noop").set("interval", "0").wrapper()),
              meta_scan_response_code::not_run);

    const auto checks = host.messages->of_type("check_result");
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(checks[0]["success"], false);
    const auto metas = host.messages->of_type("meta_scan_result");
    ASSERT_EQ(metas.size(), 2u);
    EXPECT_EQ(metas[0]["response"], 5);
    EXPECT_EQ(metas[0]["message"]["text"],
              "A sensor registry error occurred. Unknown meta-scan kind \"missing\".");
    EXPECT_EQ(metas[1]["message"]["encoded"], "#:libvexahelper.error.setting_invalid_less_min[0,interval,1]");
    EXPECT_EQ(metas[1]["request_number"], 9);
}

TEST_F(Dispatcher, NonStandardExceptionLeavesTheDispatcher) {
    ASSERT_EQ(create(1, "thrower"), sensor_create_response_code::success);
    EXPECT_THROW(dispatcher.execute_sensor_scan(1), int);
}

TEST_F(Dispatcher, ScansOfOneSensorNeverOverlapWhileOtherSensorsRunAlongside) {
    for (std::int32_t id = 1; id <= 4; ++id) {
        ASSERT_EQ(create(id), sensor_create_response_code::success);
    }
    constexpr int threads = 8;
    constexpr int rounds = 200;
    std::barrier start(threads);
    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int i = 0; i < rounds; ++i) {
                dispatcher.execute_sensor_scan(1 + (t + i) % 4);
            }
        });
    }
    workers.clear();
    EXPECT_EQ(counting_sensor::scans, threads * rounds);
    EXPECT_FALSE(counting_sensor::overlapped);
}

TEST_F(Dispatcher, DestroyWhileScanningIsSafe) {
    ASSERT_EQ(create(1), sensor_create_response_code::success);
    std::atomic<bool> stop{false};
    std::jthread scanner([&] {
        while (!stop) {
            dispatcher.execute_sensor_scan(1);
        }
    });
    for (int i = 0; i < 100; ++i) {
        dispatcher.destroy_sensor_instance(1);
        create(1);
    }
    stop = true;
}

}  // namespace
