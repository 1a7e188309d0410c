#include "core/enum_table.h"
#include "core/log.h"
#include "core/transport.h"
#include "core/transport_platform.h"

#include <aws/core/Aws.h>
#include <aws/core/client/CoreErrors.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/DefaultLogSystem.h>

namespace Aws {
namespace {

constexpr const char* kTag = "Aws_Init_Cleanup";
// Idle connections kept across clients: enough for the module's services in several regions.
constexpr size_t kMaxIdleHandles = 64;

}  // namespace

void InitAPI(const SDKOptions& options) {
    Aws::Client::CoreErrorsMapper::InitCoreErrorsMapper();
    if (options.loggingOptions.logLevel != Aws::Utils::Logging::LogLevel::Off) {
        if (options.loggingOptions.logger_create_fn) {
            Aws::Utils::Logging::InitializeAWSLogging(options.loggingOptions.logger_create_fn());
        } else {
            Aws::Utils::Logging::InitializeAWSLogging(std::make_shared<Aws::Utils::Logging::DefaultLogSystem>(
                options.loggingOptions.logLevel, Aws::String(options.loggingOptions.defaultLogPrefix)));
        }
        AWS_LOGSTREAM_INFO(kTag, "Initiate AWS SDK for C++ with Version:" << AWS_SDK_VERSION_STRING);
    }
    Aws::Internal::GlobalHttpInit(options.httpOptions.initAndCleanupCurl);
    Aws::Internal::StartConnectionPool(kMaxIdleHandles);
    Aws::Internal::InitEnumOverflowContainer();
}

void ShutdownAPI(const SDKOptions& options) {
    Aws::Internal::CleanupEnumOverflowContainer();
    Aws::Internal::StopConnectionPool();
    Aws::Internal::GlobalHttpCleanup(options.httpOptions.initAndCleanupCurl);
    Aws::Client::CoreErrorsMapper::CleanupCoreErrorsMapper();
    if (options.loggingOptions.logLevel != Aws::Utils::Logging::LogLevel::Off) {
        Aws::Utils::Logging::ShutdownAWSLogging();
    }
}

}  // namespace Aws
