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

// Lets tests and fuzzers answer requests themselves, without a network: while a hook is set, Perform
// hands every request to it. Set and cleared only while no client is sending.
using TransportHook = HttpResponse (*)(const TransportSettings& settings, const HttpRequest& request);
void SetTransportHook(TransportHook hook);

}  // namespace Internal
}  // namespace Aws
