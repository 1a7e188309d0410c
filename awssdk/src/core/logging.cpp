#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/DefaultLogSystem.h>
#include <aws/core/utils/logging/FormattedLogSystem.h>

#include "libs/stringutils/safe_text.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

namespace Aws {
namespace Utils {
namespace Logging {
namespace {

std::mutex g_loggerMutex;
std::shared_ptr<LogSystemInterface> g_logger;
std::shared_ptr<LogSystemInterface> g_pushedLogger;
std::atomic<LogSystemInterface*> g_activeLogger{nullptr};

constexpr size_t kBatchSize = 100;

Aws::String Prefix(LogLevel level, const char* tag) {
    const DateTime now = DateTime::Now();
    Aws::OStringStream ss;
    ss << '[' << GetLogLevelName(level) << "] " << now.ToGmtString("%Y-%m-%d %H:%M:%S");
    std::array<char, 8> ms{};
    std::snprintf(ms.data(), ms.size(), ".%03d", static_cast<int>(now.Millis() % 1000));
    ss << ms.data() << ' ' << (tag != nullptr ? tag : "") << " [" << std::this_thread::get_id() << "] ";
    return ss.str();
}

// One line of valid UTF-8 per statement, whatever an answer put into it.
Aws::String Statement(LogLevel level, const char* tag, std::string_view message) {
    Aws::String statement = Prefix(level, tag);
    orvane::tessel::libstringutils::append_log_text(statement, message);
    statement.push_back('\n');
    return statement;
}

}  // namespace

Aws::String GetLogLevelName(LogLevel logLevel) {
    static constexpr std::array<const char*, 7> kNames = {"OFF",  "FATAL", "ERROR", "WARN",
                                                          "INFO", "DEBUG", "TRACE"};
    const auto index = static_cast<size_t>(logLevel);
    return index < kNames.size() ? kNames[index] : "";
}

void InitializeAWSLogging(const std::shared_ptr<LogSystemInterface>& logSystem) {
    const std::lock_guard<std::mutex> lock(g_loggerMutex);
    g_logger = logSystem;
    g_activeLogger.store(logSystem.get(), std::memory_order_release);
}

void ShutdownAWSLogging() {
    std::shared_ptr<LogSystemInterface> old;
    {
        const std::lock_guard<std::mutex> lock(g_loggerMutex);
        g_activeLogger.store(nullptr, std::memory_order_release);
        old = std::move(g_logger);
    }
    // Lets a statement that already holds the pointer finish before the logger goes.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    old.reset();
}

LogSystemInterface* GetLogSystem() {
    return g_activeLogger.load(std::memory_order_acquire);
}

void PushLogger(const std::shared_ptr<LogSystemInterface>& logSystem) {
    const std::lock_guard<std::mutex> lock(g_loggerMutex);
    g_pushedLogger = g_logger;
    g_logger = logSystem;
    g_activeLogger.store(logSystem.get(), std::memory_order_release);
}

void PopLogger() {
    const std::lock_guard<std::mutex> lock(g_loggerMutex);
    g_logger = std::move(g_pushedLogger);
    g_activeLogger.store(g_logger.get(), std::memory_order_release);
}

FormattedLogSystem::FormattedLogSystem(LogLevel logLevel) : m_logLevel(logLevel) {}

void FormattedLogSystem::Log(LogLevel logLevel, const char* tag, const char* formatStr, ...) {
    va_list args;
    va_start(args, formatStr);
    vaLog(logLevel, tag, formatStr, args);
    va_end(args);
}

void FormattedLogSystem::vaLog(LogLevel logLevel, const char* tag, const char* formatStr, va_list args) {
    Aws::String message;
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, formatStr, copy);
    va_end(copy);
    if (length > 0) {
        message.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(message.data(), message.size(), formatStr, args);
        message.resize(static_cast<size_t>(length));
    }
    ProcessFormattedStatement(Statement(logLevel, tag, message));
}

void FormattedLogSystem::LogStream(LogLevel logLevel, const char* tag,
                                   const Aws::OStringStream& messageStream) {
    ProcessFormattedStatement(Statement(logLevel, tag, messageStream.str()));
}

struct DefaultLogSystem::Writer {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable flushed;
    std::vector<Aws::String> queue;
    bool stop = false;
    uint64_t flushRequests = 0;
    uint64_t flushesDone = 0;
    std::shared_ptr<Aws::OStream> stream;  // set: write there, never roll
    Aws::String prefix;
    Aws::String currentFileName;
    std::ofstream file;
    std::thread thread;

    void Run() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock,
                      [this] { return stop || queue.size() >= kBatchSize || flushRequests != flushesDone; });
            std::vector<Aws::String> batch;
            batch.swap(queue);
            const uint64_t flushTarget = flushRequests;
            const bool stopping = stop;
            lock.unlock();
            Write(batch);
            lock.lock();
            flushesDone = flushTarget;
            flushed.notify_all();
            if (stopping && queue.empty()) {
                return;
            }
        }
    }

    void Write(const std::vector<Aws::String>& batch) {
        if (batch.empty()) {
            return;
        }
        Aws::OStream* out = stream.get();
        if (out == nullptr) {
            const Aws::String name = prefix + DateTime::Now().ToGmtString("%Y-%m-%d-%H") + ".log";
            if (name != currentFileName) {
                file.close();
                file.open(name, std::ios::out | std::ios::app);
                currentFileName = name;
            }
            out = &file;
        }
        for (const auto& line : batch) {
            out->write(line.data(), static_cast<std::streamsize>(line.size()));
        }
        out->flush();
    }
};

DefaultLogSystem::DefaultLogSystem(LogLevel logLevel, const std::shared_ptr<Aws::OStream>& logFile)
    : Base(logLevel), m_writer(std::make_unique<Writer>()) {
    m_writer->stream = logFile;
    m_writer->thread = std::thread([writer = m_writer.get()] { writer->Run(); });
}

DefaultLogSystem::DefaultLogSystem(LogLevel logLevel, const Aws::String& filenamePrefix)
    : Base(logLevel), m_writer(std::make_unique<Writer>()) {
    m_writer->prefix = filenamePrefix;
    m_writer->thread = std::thread([writer = m_writer.get()] { writer->Run(); });
}

DefaultLogSystem::~DefaultLogSystem() {
    {
        const std::lock_guard<std::mutex> lock(m_writer->mutex);
        m_writer->stop = true;
    }
    m_writer->wake.notify_all();
    m_writer->thread.join();
}

void DefaultLogSystem::Flush() {
    std::unique_lock<std::mutex> lock(m_writer->mutex);
    const uint64_t ticket = ++m_writer->flushRequests;
    m_writer->wake.notify_all();
    m_writer->flushed.wait(lock, [&] { return m_writer->flushesDone >= ticket || m_writer->stop; });
}

void DefaultLogSystem::ProcessFormattedStatement(Aws::String&& statement) {
    bool notify = false;
    {
        const std::lock_guard<std::mutex> lock(m_writer->mutex);
        m_writer->queue.push_back(std::move(statement));
        notify = m_writer->queue.size() >= kBatchSize;
    }
    if (notify) {
        m_writer->wake.notify_one();
    }
}

}  // namespace Logging
}  // namespace Utils
}  // namespace Aws
