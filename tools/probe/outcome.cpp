#include "tools/probe/outcome.h"

#include <array>

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

constexpr std::array<const char*, 5> export_names{"CreateSensorInstance", "DestroySensorInstance",
                                                  "ExecuteSensorScan", "ExecuteCheck", "ExecuteMetaScan"};

// A localised message as sent: its key (in the encoded form) and its English text.
std::string message_text(const json& message) {
    if (!message.is_object()) {
        return {};
    }
    return message.value("encoded", "") + "\n" + message.value("text", "");
}

}  // namespace

outcome::outcome(std::ostream& errors, module_log& log, bool results_shown)
    : errors_(errors), log_(log), results_shown_(results_shown) {}

void outcome::begin() {
    log_.mark();
}

std::vector<std::string> outcome::shown(const json& message) const {
    if (results_shown_ || !message.is_object()) {
        return {};
    }
    return {message.value("text", "")};
}

void outcome::report(const std::string& what, const std::vector<std::string>& reasons, std::string hint) {
    succeeded_ = false;
    errors_ << "probe: " << what << "\n";
    std::string all;
    for (const auto& reason : reasons) {
        errors_ << "probe:   " << printable_line(reason) << "\n";
        all += reason + "\n";
    }
    if (hint.empty()) {
        hint = hint_for(all);
    }
    if (!hint.empty()) {
        errors_ << "probe: hint: " << hint << "\n";
    }
}

bool outcome::export_result(module_export call, std::int32_t code) {
    if (code == 0) {
        return true;
    }
    report(std::string(export_names.at(static_cast<std::size_t>(call))) + " returned " +
               std::to_string(code) + ": " + code_meaning(call, code) +
               (code == 12 ? "; the module says:" : ""),
           reasons(log_.since_mark()), {});
    return false;
}

bool outcome::check_result(const std::string& check, const json& result) {
    if (result.is_object() && result.value("success", false)) {
        return true;
    }
    const auto why = reasons(log_.since_mark());
    report(check + " failed" + (why.empty() ? "" : "; the module says:"), why,
           why.empty() ? silent_check_hint() : "");
    return false;
}

bool outcome::scan_result(const std::string& sensor, const json& result) {
    if (result.is_object() && result.value("response_code", -1) == 0) {
        return true;
    }
    if (!result.is_object()) {
        report("the scan of " + sensor + " sent no result", {}, {});
        return false;
    }
    const auto message = result.value("response_message", json());
    report("the scan of " + sensor + " failed:", {message.value("text", "")},
           hint_for(message_text(message)));
    return false;
}

bool outcome::meta_scan_result(const std::string& meta_scan, const json& result) {
    if (result.is_object() && result.value("response", -1) == 0) {
        return true;
    }
    if (!result.is_object()) {
        report(meta_scan + " sent no result", {}, {});
        return false;
    }
    const auto message = result.value("message", json());
    report(meta_scan + " failed" + (results_shown_ ? "" : ":"), shown(message),
           hint_for(message_text(message)));
    return false;
}

void outcome::fail(const std::string& what) {
    report(what, {}, {});
}

json last_of(const std::vector<json>& messages, std::string_view type) {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
        if (it->value("type", "") == type) {
            return *it;
        }
    }
    return json();
}

}  // namespace orvane::tessel::probe
