#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "tools/probe/diagnosis.h"
#include "tools/probe/module_log.h"

namespace orvane::tessel::probe {

// Whether every call of a command succeeded; each failure is told on the error stream in the
// operator's words, with the module log's reason and a hint. Call begin() before each call of the
// module so that the reason comes from what that call logged.
class outcome {
public:
    // results_shown: the messages of failed results are already on screen, so only the hint is added.
    outcome(std::ostream& errors, module_log& log, bool results_shown);

    void begin();

    // Each returns whether the call (or the result it sent) succeeded.
    bool export_result(module_export call, std::int32_t code);
    bool check_result(const std::string& check, const nlohmann::ordered_json& result);
    bool scan_result(const std::string& sensor, const nlohmann::ordered_json& result);
    bool meta_scan_result(const std::string& meta_scan, const nlohmann::ordered_json& result);
    // A failure the probe found itself (a demo step without the row it needs, an unpriced operation).
    void fail(const std::string& what);

    bool succeeded() const noexcept { return succeeded_; }
    int exit_status() const noexcept { return succeeded_ ? 0 : 1; }

private:
    // The text of a failed result's message, unless it is on screen already.
    std::vector<std::string> shown(const nlohmann::ordered_json& message) const;
    void report(const std::string& what, const std::vector<std::string>& reasons, std::string hint);

    std::ostream& errors_;
    module_log& log_;
    bool results_shown_;
    bool succeeded_ = true;
};

// The last message of a type among those received, or null.
nlohmann::ordered_json last_of(const std::vector<nlohmann::ordered_json>& messages, std::string_view type);

}  // namespace orvane::tessel::probe
