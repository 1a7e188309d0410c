#pragma once

#include "core/http.h"

#include <aws/core/client/AWSError.h>
#include <aws/core/client/CoreErrors.h>

#include <string_view>

namespace Aws {
namespace Internal {

enum class WireProtocol { Xml, Json };

// A service's own error names: UNKNOWN when the name is not one of them.
using ServiceErrorLookup = Aws::Client::AWSError<Aws::Client::CoreErrors> (*)(const char* errorName);

using CoreError = Aws::Client::AWSError<Aws::Client::CoreErrors>;

// Error for an exception name and message: service names first, then the core names. Unknown names keep
// their raw text and are not retried.
CoreError MarshallError(std::string_view exceptionName, const Aws::String& message,
                        ServiceErrorLookup lookup);

// Error for a failed exchange (transport failure or a status outside 2xx). Copies status, headers and
// the remote address, and logs it.
CoreError BuildError(const HttpResponse& response, WireProtocol protocol, ServiceErrorLookup lookup);

}  // namespace Internal
}  // namespace Aws
