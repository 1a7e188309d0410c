#include "bench/module/bench_environment.h"

#include <cstdlib>
#include <filesystem>
#include <limits>

namespace orvane::tessel::bench {

namespace {

void set_environment(const char* name, const std::string& value) {
    ::setenv(name, value.c_str(), 1);  // NOLINT(concurrency-mt-unsafe): no other thread reads it yet
}

}  // namespace

std::unique_ptr<emulator::server> start_emulator(const emulator::scenario& scenario, bool tls,
                                                 std::size_t workers, bool keep_request_log) {
    emulator::server_options settings;
    settings.threads = workers;
    settings.keep_request_log = keep_request_log;
    settings.keep_alive_max_requests = std::numeric_limits<std::size_t>::max();
    auto aws = std::make_unique<emulator::server>(scenario, settings);
    aws->start(0, tls);
    return aws;
}

void point_module_at(const std::string& base_url, bool tls, const std::string& log_dir) {
    set_environment("AWS_ENDPOINT_URL", base_url);
    set_environment("AWS_EC2_METADATA_DISABLED", "true");
    if (tls) {
        set_environment("VEXA_AWS_DISABLE_VERIFY_SSL", "1");
    }
    if (!log_dir.empty()) {
        std::filesystem::create_directories(log_dir);
        set_environment("VEXA_LOG_DIR", log_dir);
    } else {
        ::unsetenv("VEXA_LOG_DIR");  // NOLINT(concurrency-mt-unsafe): no other thread reads it yet
    }
}

}  // namespace orvane::tessel::bench
