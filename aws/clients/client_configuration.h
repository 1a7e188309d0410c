#pragma once

#include <aws/core/Aws.h>
#include <aws/core/client/ClientConfiguration.h>

#include <cstdint>
#include <string>

#include "aws/clients/credential_settings.h"

namespace orvane::tessel::aws {

// The one place where a client configuration is made, for every client of the module: no instance
// metadata lookups, the region unless it is "aws-global", an HTTP proxy when host and port are both
// given (which also turns TLS verification off, as does VEXA_AWS_DISABLE_VERIFY_SSL). Timeouts,
// retries, connections and endpoints stay the SDK's defaults.
Aws::Client::ClientConfiguration make_client_configuration(const proxy_settings& proxy,
                                                           const std::string& region);

// Tests shorten the SDK's waits (retry backoff, timeouts) through this; the module never sets it,
// so the defaults stay the SDK's own.
using configuration_adjuster = void (*)(Aws::Client::ClientConfiguration&);
void set_configuration_adjuster(configuration_adjuster adjuster);

// Starts the AWS SDK with the first module object of the process and stops it with the last.
class aws_sdk_guard {
public:
    aws_sdk_guard();
    ~aws_sdk_guard();
    aws_sdk_guard(const aws_sdk_guard&) = delete;
    aws_sdk_guard& operator=(const aws_sdk_guard&) = delete;

    static std::uint32_t live_count() noexcept { return live_count_; }
    const Aws::SDKOptions& options() const noexcept { return options_; }

private:
    Aws::SDKOptions options_;
    // Changed only by module objects being built or destroyed, which never happens concurrently.
    static inline std::uint32_t live_count_ = 0;
};

}  // namespace orvane::tessel::aws
