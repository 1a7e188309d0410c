#pragma once

#include <aws/core/client/DefaultRetryStrategy.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "aws/clients/client_configuration.h"
#include "aws_emulator/emulator.hpp"
#include "tests/support/environment.h"
#include "tests/support/fake_host.h"
#include "tests/support/settings_buffer.h"
#include "vexa_module.h"

// For tests that drive the exported functions as a host does, with the module's AWS clients pointed
// at the emulator. Header-only: only such tests link the module and the emulator.
namespace orvane::tessel::test_support {

// What the host received through the module's callback, members in the order they were written.
inline basic_message_recorder<nlohmann::ordered_json>& inbox() {
    static basic_message_recorder<nlohmann::ordered_json> messages;
    return messages;
}

inline void deliver_to_inbox(std::uint64_t, const std::uint8_t* buffer, std::uint32_t length) {
    inbox().record(std::string_view(reinterpret_cast<const char*>(buffer), length));
}

// Calls an exported function that takes a settings buffer.
inline std::int32_t call_with(std::int32_t (*entry)(std::int32_t, const std::uint8_t*, std::uint32_t),
                              std::int32_t id, const settings_buffer& settings) {
    const auto text = settings.json();
    return entry(id, reinterpret_cast<const std::uint8_t*>(text.data()),
                 static_cast<std::uint32_t>(text.size()));
}

// The SDK's retry counts stay; only its waits go.
inline void no_waits(Aws::Client::ClientConfiguration& configuration) {
    configuration.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(10, 0);
}

// The emulator over the demo account, and the module initialised against it for as long as this
// lives, its log in a directory of its own.
class module_on_emulator {
public:
    module_on_emulator()
        : aws(emulator::scenario::from_file(std::filesystem::path(VEXA_SOURCE_DIR) /
                                            "tools/aws-emulator/scenarios/demo.json")) {
        aws.start();
        // Read when the module and its clients start; no other thread runs yet.
        vexa_test::set_environment("VEXA_LOG_DIR", log_dir_.string());
        vexa_test::set_environment("AWS_ENDPOINT_URL", aws.base_url());
        vexa_test::set_environment("AWS_EC2_METADATA_DISABLED", "true");
        vexa_test::set_environment("AWS_DEFAULT_REGION", "us-east-1");
        aws::set_configuration_adjuster(&no_waits);
        inbox().clear();
        EXPECT_EQ(InitializeModule(1, &deliver_to_inbox), 0);
    }
    ~module_on_emulator() {
        CleanupModule();
        aws::set_configuration_adjuster(nullptr);
        vexa_test::unset_environment("AWS_ENDPOINT_URL");
        vexa_test::unset_environment("VEXA_LOG_DIR");
        aws.stop();
        std::filesystem::remove_all(log_dir_);
    }
    module_on_emulator(const module_on_emulator&) = delete;
    module_on_emulator& operator=(const module_on_emulator&) = delete;

    emulator::server aws;

private:
    std::filesystem::path log_dir_ = std::filesystem::temp_directory_path() /
                                     ("vexa_module_on_emulator_" + std::to_string(vexa_test::process_id()));
};

}  // namespace orvane::tessel::test_support
