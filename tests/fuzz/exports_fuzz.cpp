// The nine exports fed a settings buffer for every kind, with a secret planted where it belongs and
// AWS behind a closed loopback port, so that nothing leaves the machine. Checked on every run: each
// message is strict UTF-8 JSON, each return code a documented one, a check or meta-scan answers once,
// and no piece of the secret shows in a message, the module's logs or the SDK's trace log.
#include <aws/core/client/ClientConfiguration.h>
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/LogSystemInterface.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "aws/clients/client_configuration.h"
#include "module/module_slot.h"
#include "tests/fuzz/fuzz_support.h"
#include "vexa_module.h"

namespace {

namespace fuzz = orvane::tessel::fuzz;
namespace fs = std::filesystem;
using orvane::tessel::libvexahelper::kind_category;

std::vector<std::string> messages;

void on_message(std::uint64_t, const std::uint8_t* buffer, std::uint32_t length) {
    messages.emplace_back(reinterpret_cast<const char*>(buffer), length);
}

void quick(Aws::Client::ClientConfiguration& configuration) {
    configuration.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(0, 0);
    configuration.connectTimeoutMs = 200;
    configuration.requestTimeoutMs = 200;
}

fs::path log_directory;

void check_logs() {
    if (auto* sdk_log = Aws::Utils::Logging::GetLogSystem()) {
        sdk_log->Flush();
    }
    for (const auto& file : fs::directory_iterator(log_directory)) {
        std::ifstream in(file.path(), std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            fuzz::require_log_line(line);
            fuzz::require_no_secret("a log line", line);
        }
    }
    for (const auto& file : fs::directory_iterator(log_directory)) {
        std::ofstream(file.path(), std::ios::trunc);  // the SDK keeps its file open
    }
}

void require_code(std::int32_t code, std::initializer_list<std::int32_t> documented) {
    if (std::find(documented.begin(), documented.end(), code) == documented.end()) {
        fuzz::fail("an undocumented return code", std::to_string(code));
    }
}

void require_one_answer(const char* type, const char* id_member, std::int32_t id) {
    const auto answers = std::count_if(messages.begin(), messages.end(), [&](const std::string& text) {
        const auto message = nlohmann::json::parse(text);
        return message["type"] == type && message[id_member] == id;
    });
    if (answers != 1) {
        fuzz::fail("a call that did not answer exactly once", type);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    log_directory = fs::temp_directory_path() / ("vexa_fuzz_exports_" + std::to_string(::getpid()));
    fs::create_directories(log_directory);
    fs::current_path(log_directory);  // where the SDK writes its trace log
    // Before the module exists, no other thread reads the environment.
    ::setenv("VEXA_LOG_DIR", log_directory.c_str(), 1);     // NOLINT(concurrency-mt-unsafe)
    ::setenv("VEXA_AWS_VERBOSE_LOGGING", "1", 1);           // NOLINT(concurrency-mt-unsafe)
    ::setenv("AWS_ENDPOINT_URL", "http://127.0.0.1:9", 1);  // NOLINT(concurrency-mt-unsafe)
    ::setenv("AWS_EC2_METADATA_DISABLED", "true", 1);       // NOLINT(concurrency-mt-unsafe)
    orvane::tessel::aws::set_configuration_adjuster(&quick);
    if (InitializeModule(1, &on_message) != 0) {
        fuzz::fail("the module did not start", "");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return -1;
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (fuzz::holds_secret_fragment(input)) {
        return -1;
    }
    const auto& kinds =
        orvane::tessel::libvexahelper::module::module_slot::adapter()->module().dispatcher()->registrations();
    const auto& [category, kind] = kinds[data[0] % kinds.size()];
    const auto [before, after] = fuzz::split_at_nul(input);
    std::string buffer = R"({"kind":")" + kind + R"(",)";
    buffer.append(before)
        .append(R"("secure_settings":{"awscredentials.credentials_group.secret_key":")")
        .append(fuzz::secret)
        .append(after);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
    const auto length = static_cast<std::uint32_t>(buffer.size());

    messages.clear();
    const std::int32_t id = 7;
    switch (category) {
        case kind_category::sensor:
            require_code(CreateSensorInstance(id, bytes, length), {0, 10, 11, 12, 13});
            require_code(ExecuteSensorScan(id), {0, 14});
            require_code(DestroySensorInstance(id), {0, 14});
            break;
        case kind_category::check:
            require_code(ExecuteCheck(id, bytes, length), {0, 10, 11, 12});
            break;
        case kind_category::meta_scan:
            require_code(ExecuteMetaScan(id, 3, bytes, length), {0, 10, 11, 12});
            break;
    }
    for (const auto& message : messages) {
        fuzz::require_strict_json(message);
        fuzz::require_no_secret("a message", message);
    }
    // A scan answers even for a sensor that could not be created; checks and meta-scans always do.
    switch (category) {
        case kind_category::sensor:
            require_one_answer("sensor_scan_result", "sensor_id", id);
            break;
        case kind_category::check:
            require_one_answer("check_result", "id", id);
            break;
        case kind_category::meta_scan:
            require_one_answer("meta_scan_result", "id", id);
            break;
    }
    check_logs();
    return 0;
}
