#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/settings/records.h"
#include "framework/templates/sensor_base.h"
#include "module/module_slot.h"
#include "tests/support/environment.h"
#include "tests/support/settings_buffer.h"
#include "tests/support/strict_json.h"
#include "vexa_module.h"

namespace {

using namespace orvane::tessel;
using namespace libvexahelper;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

// What the host received: handle and decoded message of every callback call.
struct received_message {
    std::uint64_t handle;
    nlohmann::json message;
};
std::mutex received_mutex;
std::vector<received_message> received;

void on_message(std::uint64_t handle, const std::uint8_t* buffer, std::uint32_t length) {
    std::lock_guard lock(received_mutex);
    received.push_back({handle, test_support::decode_message(
                                    std::string_view(reinterpret_cast<const char*>(buffer), length))});
}

// Settings whose parsing fails with something that is not a std::exception.
struct unparsable_settings {
    aws::settings::common_settings common;
    static unparsable_settings parse(const sensor_data_wrapper&) { throw 42; }
};
bool logging_enabled(const unparsable_settings&) {
    return false;
}

class unparsable_sensor final : public sensors::sensor_base<unparsable_settings> {
public:
    explicit unparsable_sensor(sensor_context<settings_type> context)
        : sensor_base(std::move(context), "x") {}
    void work() override {}
};

class test_module final : public module::module_instance {
public:
    test_module() : module_instance(5, on_message, "1.0") {
        dispatcher()->register_sensor_as<unparsable_sensor>("unparsable");
    }
    std::string get_module_information() const override {
        return R"({"Text": {"English": {}, "German": {}}})";
    }
};

std::string begin(std::string_view operation) {
    return "### Begin orvane::tessel::libvexahelper::module::module_instance_adapter::" +
           std::string(operation) + " ###";
}
std::string end(std::string_view operation) {
    return "### End   orvane::tessel::libvexahelper::module::module_instance_adapter::" +
           std::string(operation) + " ###";
}

struct EntryPoints : ::testing::Test {
    fs::path directory =
        fs::temp_directory_path() / ("vexa_entry_points_" + std::to_string(vexa_test::process_id()));

    void SetUp() override {
        fs::remove_all(directory);
        vexa_test::set_environment("VEXA_LOG_DIR", directory.string());
        received.clear();
    }
    void TearDown() override {
        CleanupModule();
        vexa_test::unset_environment("VEXA_LOG_DIR");
        fs::remove_all(directory);
    }

    // The text of every line of the module's log.
    std::vector<std::string> log() const {
        std::vector<std::string> texts;
        std::ifstream file(directory / "vexa_aws.log");
        for (std::string line; std::getline(file, line);) {
            texts.push_back(line.substr(line.find("] ") + 2));
        }
        return texts;
    }
};

TEST_F(EntryPoints, WithoutModuleEverythingAnswersThreeAndNothingIsLogged) {
    const std::string settings = test_support::settings_buffer("ec2_sensor").json();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(settings.data());
    const auto size = static_cast<std::uint32_t>(settings.size());
    EXPECT_EQ(CreateSensorInstance(1, bytes, size), 3);
    EXPECT_EQ(DestroySensorInstance(1), 3);
    EXPECT_EQ(ExecuteSensorScan(1), 3);
    EXPECT_EQ(ExecuteCheck(1, bytes, size), 3);
    EXPECT_EQ(ExecuteMetaScan(1, 1, bytes, size), 3);
    GetModuleInformation(true);
    EXPECT_EQ(GetApiLevel(), 6);
    EXPECT_EQ(CleanupModule(), 0);
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(fs::exists(directory));
}

TEST_F(EntryPoints, SecondInitializationIsRefusedAndLoggedByTheFirstModule) {
    ASSERT_EQ(InitializeModule(11, on_message), 0);
    EXPECT_EQ(InitializeModule(12, on_message), 1);
    EXPECT_THAT(log(), ElementsAre("InitializeModule called on already initialized module."));
    GetModuleInformation(false);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].handle, 11u);  // the first module and its handle stay
    EXPECT_EQ(GetApiLevel(), 6);
}

TEST_F(EntryPoints, CleanupWithoutModuleAndReinitialisation) {
    EXPECT_EQ(CleanupModule(), 0);
    ASSERT_EQ(InitializeModule(1, on_message), 0);
    EXPECT_EQ(CleanupModule(), 0);
    EXPECT_EQ(ExecuteSensorScan(1), 3);
    EXPECT_EQ(InitializeModule(2, on_message), 0);
    EXPECT_EQ(InitializeModule(3, nullptr), 1);
}

TEST_F(EntryPoints, NullCallbackIsRefused) {
    EXPECT_EQ(InitializeModule(1, nullptr), 1);
}

TEST_F(EntryPoints, ModuleInformationSendsOneMessagePerCall) {
    ASSERT_EQ(module::module_slot::initialize([] { return std::make_unique<test_module>(); }), 0);
    GetModuleInformation(false);
    GetModuleInformation(true);
    EXPECT_THAT(log(), ElementsAre(begin("get_module_information"), "Do loadLanguages: No",
                                   end("get_module_information"), begin("get_module_information"),
                                   "Do loadLanguages: Yes", end("get_module_information")));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].handle, 5u);
    EXPECT_EQ(received[0].message["document"], R"({"Text": {"English": {}}})");
    EXPECT_EQ(received[1].message["document"], R"({"Text": {"English": {}, "German": {}}})");
}

TEST_F(EntryPoints, EscapingExceptionGivesTwoWithoutEndLine) {
    ASSERT_EQ(module::module_slot::initialize([] { return std::make_unique<test_module>(); }), 0);
    const std::string settings = test_support::settings_buffer("unparsable").json();
    EXPECT_EQ(CreateSensorInstance(1, reinterpret_cast<const std::uint8_t*>(settings.data()),
                                   static_cast<std::uint32_t>(settings.size())),
              2);
    const auto lines = log();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], begin("create_sensor_instance"));
    EXPECT_THAT(lines[1], HasSubstr(R"("kind":"unparsable")"));
    EXPECT_THAT(lines[1], ::testing::Not(HasSubstr("EXAMPLEKEY")));
}

TEST_F(EntryPoints, DispatcherCodesPassThroughBetweenTheBanners) {
    ASSERT_EQ(InitializeModule(1, on_message), 0);
    const std::string garbage = "{";
    EXPECT_EQ(ExecuteCheck(4, reinterpret_cast<const std::uint8_t*>(garbage.data()), 1), 11);
    EXPECT_EQ(ExecuteSensorScan(9), 14);
    const auto lines = log();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), begin("execute_check"));
    EXPECT_THAT(lines, ::testing::Contains(end("execute_check")));
    EXPECT_EQ(lines.back(), end("execute_sensor_scan"));
}

}  // namespace
