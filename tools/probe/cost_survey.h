#pragma once

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "tools/probe/cost_bill.h"
#include "tools/probe/host_session.h"
#include "tools/probe/outcome.h"
#include "tools/probe/settings_builder.h"

namespace orvane::tessel::probe {

// A sensor to price: its kind, the resource it watches, its scan interval and its settings buffer.
struct sensor_plan {
    std::string kind;
    std::string resource;
    std::int64_t interval_s = 0;
    std::string settings;
};

struct survey_request {
    settings_request common;               // credentials and --set overrides, for every call
    std::optional<std::int64_t> interval;  // --interval: every sensor's, raised to its kind's minimum
};

// One sensor for every resource the meta-scans discover, and one of each kind without a meta-scan
// (the cost sensor). A meta-scan that fails is reported through the outcome; the others still count.
std::vector<sensor_plan> discover_sensors(host_session& session, const nlohmann::ordered_json& document,
                                          const survey_request& request, outcome& result);

// The sensors of a settings file: one settings buffer, or a list of them.
std::vector<sensor_plan> sensors_from_file(const nlohmann::ordered_json& document,
                                           const nlohmann::ordered_json& file, const survey_request& request);

// Scans each sensor once, each in a module session of its own so that the SDK trace of that session
// holds exactly the requests of that scan (creating and destroying a sensor sends none).
std::vector<measured_scan> measure_scans(module_library& library, const std::vector<sensor_plan>& plans,
                                         const std::filesystem::path& trace_folder, outcome& result,
                                         std::ostream* progress);

}  // namespace orvane::tessel::probe
