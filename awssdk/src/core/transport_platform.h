#pragma once

#include "core/http.h"

#include <string_view>

namespace Aws {
namespace Internal {

// What each platform's HTTP stack provides (libcurl elsewhere, WinHTTP on Windows). Perform is the
// only caller of PerformOnNetwork; the pool functions of transport.h are defined next to it.
HttpResponse PerformOnNetwork(const TransportSettings& settings, const HttpRequest& request);

// One line of a response head: a status line starts a new response (after 100-continue or a
// redirect), "Name: value" is kept under the lower-cased name with the value trimmed.
void AddResponseHeaderLine(HttpResponse& response, std::string_view line);
// One header already split from its line: kept under the lower-cased name, the value trimmed.
void AddResponseHeader(HttpResponse& response, std::string_view name, std::string_view value);

// Process-wide set-up and tear-down of the HTTP stack, from InitAPI and ShutdownAPI.
void GlobalHttpInit(bool initAndCleanupCurl);
void GlobalHttpCleanup(bool initAndCleanupCurl);

}  // namespace Internal
}  // namespace Aws
