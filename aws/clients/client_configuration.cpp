#include "aws/clients/client_configuration.h"

#include <aws/core/platform/Environment.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/DefaultLogSystem.h>
#include <aws/core/utils/memory/AWSMemory.h>

#include <atomic>

namespace orvane::tessel::aws {

namespace {

std::atomic<configuration_adjuster> adjuster{nullptr};

}  // namespace

void set_configuration_adjuster(configuration_adjuster value) {
    adjuster.store(value);
}

Aws::Client::ClientConfiguration make_client_configuration(const proxy_settings& proxy,
                                                           const std::string& region) {
    Aws::Client::ClientConfigurationInitValues init;
    init.shouldDisableIMDS = true;
    Aws::Client::ClientConfiguration configuration(init);
    if (!Aws::Environment::GetEnv("VEXA_AWS_DISABLE_VERIFY_SSL").empty()) {
        configuration.verifySSL = false;
    }
    if (region != global_region) {
        configuration.region = region;
    }
    if (!proxy.host.empty() && proxy.port) {
        configuration.proxyHost = proxy.host;
        configuration.proxyPort = *proxy.port;
        configuration.proxyScheme = Aws::Http::Scheme::HTTP;
        configuration.proxyUserName = proxy.user;
        configuration.proxyPassword = proxy.password;
        configuration.verifySSL = false;
    }
    if (const auto adjust = adjuster.load()) {
        adjust(configuration);
    }
    return configuration;
}

aws_sdk_guard::aws_sdk_guard() {
    if (live_count_++ != 0) {
        return;  // already running; verbose logging is decided once
    }
    Aws::InitAPI(options_);
    if (Aws::Environment::GetEnv("VEXA_AWS_VERBOSE_LOGGING").empty()) {
        return;
    }
    options_.loggingOptions.logLevel = Aws::Utils::Logging::LogLevel::Trace;
    Aws::Utils::Logging::InitializeAWSLogging(Aws::MakeShared<Aws::Utils::Logging::DefaultLogSystem>(
        "AWS", Aws::Utils::Logging::LogLevel::Trace, "aws_sdk_"));
}

aws_sdk_guard::~aws_sdk_guard() {
    if (live_count_ == 0) {
        return;
    }
    if (--live_count_ == 0) {
        Aws::Utils::Logging::ShutdownAWSLogging();
        Aws::ShutdownAPI(options_);
    }
}

}  // namespace orvane::tessel::aws
