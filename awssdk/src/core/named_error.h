#pragma once

#include <aws/core/client/AWSError.h>
#include <aws/core/client/CoreErrors.h>

#include <string_view>

namespace Aws {
namespace Internal {

// One row of an error table: the wire name, the enumerator and whether the SDK retries it.
template <typename ErrorEnum>
struct NamedError {
    std::string_view name;
    ErrorEnum error;
    bool retryable;
};

// The error a wire name stands for; UNKNOWN (not retryable) for names the table does not hold.
template <typename Table>
Aws::Client::AWSError<Aws::Client::CoreErrors> ErrorForName(const Table& table, const char* errorName) {
    const std::string_view name = errorName != nullptr ? errorName : "";
    for (const auto& entry : table) {
        if (entry.name == name) {
            return {static_cast<Aws::Client::CoreErrors>(entry.error), entry.retryable};
        }
    }
    return {Aws::Client::CoreErrors::UNKNOWN, false};
}

}  // namespace Internal
}  // namespace Aws
