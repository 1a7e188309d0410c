#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "aws_emulator/emulator.hpp"

// The emulator the module benchmarks scan against, and the environment that points the module at it.
namespace orvane::tessel::bench {

// Started on a free loopback port. It never ends a keep-alive connection on its own count: what is
// measured is the module's reuse. Each open connection holds one of its worker threads. Without its
// request log it only counts (emulator::server::traffic).
std::unique_ptr<emulator::server> start_emulator(const emulator::scenario& scenario, bool tls,
                                                 std::size_t workers, bool keep_request_log = true);

// Sets AWS_ENDPOINT_URL to the emulator (and, with TLS, turns the module's certificate check off),
// keeps the SDK away from the instance metadata service and turns the sensors' logs off, or on into
// log_dir. Call before the module exists and before any other thread reads the environment.
void point_module_at(const std::string& base_url, bool tls, const std::string& log_dir = {});

}  // namespace orvane::tessel::bench
