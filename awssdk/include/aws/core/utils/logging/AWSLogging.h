#pragma once

#include <aws/core/utils/logging/LogLevel.h>

#include <memory>

namespace Aws {
namespace Utils {
namespace Logging {

class LogSystemInterface;

void InitializeAWSLogging(const std::shared_ptr<LogSystemInterface>& logSystem);
void ShutdownAWSLogging();
// The installed logger, or null when logging is off.
LogSystemInterface* GetLogSystem();
void PushLogger(const std::shared_ptr<LogSystemInterface>& logSystem);
void PopLogger();

}  // namespace Logging
}  // namespace Utils
}  // namespace Aws
