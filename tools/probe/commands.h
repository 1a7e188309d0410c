#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::tessel::probe {

// Everything the command line can say.
struct probe_options {
    std::string command;
    std::string module_path;
    std::string log_dir;
    std::string endpoint;
    bool json = false;

    std::string kind;
    std::string settings_file;
    std::vector<std::string> overrides;
    std::string access_key;
    std::string secret_key;
    int count = 1;
    std::int32_t id = 1;
    bool languages = false;
    std::int64_t interval = 0;  // 0: each sensor's own
    std::string prices_file;
};

// Runs one command. Returns the exit status: 0 when every call succeeded, 1 when a call failed, a
// check failed, a result reported an error or a sensor could not be created. Throws usage_error for
// what the user typed wrong (exit status 2).
int run_command(const probe_options& options);

}  // namespace orvane::tessel::probe
