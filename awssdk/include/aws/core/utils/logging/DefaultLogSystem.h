#pragma once

#include <aws/core/utils/logging/FormattedLogSystem.h>
#include <aws/core/utils/memory/stl/AWSString.h>

#include <memory>

namespace Aws {
namespace Utils {
namespace Logging {

// Writes on a background thread, in batches, either to "<prefix><YYYY-MM-DD-HH>.log" (UTC hour,
// appended, a new file each hour) or to a caller's stream.
class DefaultLogSystem : public FormattedLogSystem {
public:
    using Base = FormattedLogSystem;

    DefaultLogSystem(LogLevel logLevel, const std::shared_ptr<Aws::OStream>& logFile);
    DefaultLogSystem(LogLevel logLevel, const Aws::String& filenamePrefix);
    ~DefaultLogSystem() override;

    DefaultLogSystem(const DefaultLogSystem&) = delete;
    DefaultLogSystem& operator=(const DefaultLogSystem&) = delete;

    void Flush() override;

protected:
    void ProcessFormattedStatement(Aws::String&& statement) override;

private:
    struct Writer;
    std::unique_ptr<Writer> m_writer;
};

}  // namespace Logging
}  // namespace Utils
}  // namespace Aws
