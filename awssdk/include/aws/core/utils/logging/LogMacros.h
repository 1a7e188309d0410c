#pragma once

#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/LogSystemInterface.h>
#include <aws/core/utils/memory/stl/AWSStringStream.h>

// Each macro costs one pointer load when logging is off; the message is built only when it is written.
#define AWS_LOG(level, tag, ...)                                        \
    do {                                                                \
        auto* awsLogSystem_ = Aws::Utils::Logging::GetLogSystem();      \
        if (awsLogSystem_ && awsLogSystem_->GetLogLevel() >= (level)) { \
            awsLogSystem_->Log((level), (tag), __VA_ARGS__);            \
        }                                                               \
    } while (0)

#define AWS_LOGSTREAM(level, tag, streamExpression)                     \
    do {                                                                \
        auto* awsLogSystem_ = Aws::Utils::Logging::GetLogSystem();      \
        if (awsLogSystem_ && awsLogSystem_->GetLogLevel() >= (level)) { \
            Aws::OStringStream awsLogStream_;                           \
            awsLogStream_ << streamExpression;                          \
            awsLogSystem_->LogStream((level), (tag), awsLogStream_);    \
        }                                                               \
    } while (0)

#define AWS_LOG_FATAL(tag, ...) AWS_LOG(Aws::Utils::Logging::LogLevel::Fatal, tag, __VA_ARGS__)
#define AWS_LOG_ERROR(tag, ...) AWS_LOG(Aws::Utils::Logging::LogLevel::Error, tag, __VA_ARGS__)
#define AWS_LOG_WARN(tag, ...) AWS_LOG(Aws::Utils::Logging::LogLevel::Warn, tag, __VA_ARGS__)
#define AWS_LOG_INFO(tag, ...) AWS_LOG(Aws::Utils::Logging::LogLevel::Info, tag, __VA_ARGS__)
#define AWS_LOG_DEBUG(tag, ...) AWS_LOG(Aws::Utils::Logging::LogLevel::Debug, tag, __VA_ARGS__)
#define AWS_LOG_TRACE(tag, ...) AWS_LOG(Aws::Utils::Logging::LogLevel::Trace, tag, __VA_ARGS__)

#define AWS_LOGSTREAM_FATAL(tag, streamExpression) \
    AWS_LOGSTREAM(Aws::Utils::Logging::LogLevel::Fatal, tag, streamExpression)
#define AWS_LOGSTREAM_ERROR(tag, streamExpression) \
    AWS_LOGSTREAM(Aws::Utils::Logging::LogLevel::Error, tag, streamExpression)
#define AWS_LOGSTREAM_WARN(tag, streamExpression) \
    AWS_LOGSTREAM(Aws::Utils::Logging::LogLevel::Warn, tag, streamExpression)
#define AWS_LOGSTREAM_INFO(tag, streamExpression) \
    AWS_LOGSTREAM(Aws::Utils::Logging::LogLevel::Info, tag, streamExpression)
#define AWS_LOGSTREAM_DEBUG(tag, streamExpression) \
    AWS_LOGSTREAM(Aws::Utils::Logging::LogLevel::Debug, tag, streamExpression)
#define AWS_LOGSTREAM_TRACE(tag, streamExpression) \
    AWS_LOGSTREAM(Aws::Utils::Logging::LogLevel::Trace, tag, streamExpression)
#define AWS_LOGSTREAM_FLUSH()                                      \
    do {                                                           \
        auto* awsLogSystem_ = Aws::Utils::Logging::GetLogSystem(); \
        if (awsLogSystem_) {                                       \
            awsLogSystem_->Flush();                                \
        }                                                          \
    } while (0)
