#pragma once

#include <aws/core/utils/logging/LogSystemInterface.h>

#include <atomic>

namespace Aws {
namespace Utils {
namespace Logging {

// Formats every statement as "[LEVEL] date time.ms tag [thread] message" and hands it on.
class FormattedLogSystem : public LogSystemInterface {
public:
    using Base = LogSystemInterface;

    explicit FormattedLogSystem(LogLevel logLevel);
    ~FormattedLogSystem() override = default;

    LogLevel GetLogLevel() const override { return m_logLevel.load(std::memory_order_relaxed); }
    void SetLogLevel(LogLevel logLevel) { m_logLevel.store(logLevel, std::memory_order_relaxed); }

    void Log(LogLevel logLevel, const char* tag, const char* formatStr, ...) override;
    void vaLog(LogLevel logLevel, const char* tag, const char* formatStr, va_list args) override;
    void LogStream(LogLevel logLevel, const char* tag, const Aws::OStringStream& messageStream) override;
    void Flush() override = 0;

protected:
    virtual void ProcessFormattedStatement(Aws::String&& statement) = 0;

private:
    std::atomic<LogLevel> m_logLevel;
};

}  // namespace Logging
}  // namespace Utils
}  // namespace Aws
