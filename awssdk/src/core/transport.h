#pragma once

#include "core/http.h"

#include <cstddef>

namespace Aws {
namespace Internal {

// Sends one request on a pooled curl handle. Thread-safe. Without a started pool (InitAPI not called)
// the request uses a one-off handle.
HttpResponse Perform(const TransportSettings& settings, const HttpRequest& request);

// Process-wide pool of idle curl handles (which keep their connections open) and the shared TLS
// session and DNS caches. Started by InitAPI, stopped by ShutdownAPI.
void StartConnectionPool(size_t maxIdleHandles);
void StopConnectionPool();
size_t IdleHandleCount();

}  // namespace Internal
}  // namespace Aws
