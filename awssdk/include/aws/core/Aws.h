#pragma once

#include <aws/core/VersionConfig.h>
#include <aws/core/utils/logging/LogLevel.h>
#include <aws/core/utils/logging/LogSystemInterface.h>

#include <functional>
#include <memory>

namespace Aws {

static const char* DEFAULT_LOG_PREFIX = "aws_sdk_";  // NOLINT(cert-err58-cpp)

struct LoggingOptions {
    // Anything but Off installs logger_create_fn's logger, or a DefaultLogSystem writing
    // "<defaultLogPrefix><hour>.log" files.
    Aws::Utils::Logging::LogLevel logLevel = Aws::Utils::Logging::LogLevel::Off;
    const char* defaultLogPrefix = DEFAULT_LOG_PREFIX;
    std::function<std::shared_ptr<Aws::Utils::Logging::LogSystemInterface>()> logger_create_fn;
};

struct HttpOptions {
    bool initAndCleanupCurl = true;
    bool installSigPipeHandler = false;
    bool compliantRfc3986Encoding = false;
};

struct CryptoOptions {
    bool initAndCleanupOpenSSL = true;
};

struct SDKOptions {
    LoggingOptions loggingOptions;
    HttpOptions httpOptions;
    CryptoOptions cryptoOptions;

    struct SDKVersion {
        unsigned char major = AWS_SDK_VERSION_MAJOR;
        unsigned char minor = AWS_SDK_VERSION_MINOR;
        unsigned short patch = AWS_SDK_VERSION_PATCH;
    } sdkVersion;
};

// Starts process-wide state: error tables, logging, libcurl and the shared connection pool.
void InitAPI(const SDKOptions& options);
// Releases what InitAPI started; clients must be gone by then.
void ShutdownAPI(const SDKOptions& options);

}  // namespace Aws
