#pragma once

#include <aws/core/client/AWSError.h>
#include <aws/core/client/CoreErrors.h>

namespace Aws {
namespace Client {

class RetryStrategy {
public:
    virtual ~RetryStrategy() = default;
    // attemptedRetries counts from 0 for the first failure.
    virtual bool ShouldRetry(const AWSError<CoreErrors>& error, long attemptedRetries) const = 0;
    virtual long CalculateDelayBeforeNextRetry(const AWSError<CoreErrors>& error,
                                               long attemptedRetries) const = 0;
    virtual bool HasSendToken() { return true; }
    virtual void GetSendToken() {}
    virtual long GetMaxAttempts() const { return 0; }
    virtual const char* GetStrategyName() const = 0;
};

}  // namespace Client
}  // namespace Aws
