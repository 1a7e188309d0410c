#include "tools/probe/cost_survey.h"

#include <algorithm>
#include <charconv>

#include "tools/probe/diagnosis.h"

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

std::int64_t seconds(const json& settings, const std::string& kind) {
    const std::string text = settings.value("interval", "");
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1) {
        throw usage_error("the interval of a " + kind +
                          " sensor must be a whole number of seconds, 1 or more");
    }
    return value;
}

std::string resource_of(const json& document, const std::string& kind, const json& settings) {
    const auto keys = resource_keys_of(document, kind);
    if (!keys) {
        return "account";
    }
    const std::string id = settings.value(keys->id, "");
    const std::string region = settings.value(keys->region, "");
    return region.empty() ? id : region + "/" + id;
}

sensor_plan plan_for(const json& document, const settings_request& buffer, const survey_request& request) {
    auto root = json::parse(build_settings(document, buffer));
    const std::string kind = root.at("kind");
    auto& settings = root.at("settings");
    std::int64_t interval = seconds(settings, kind);
    if (request.interval) {
        interval = std::max(*request.interval, intervals_of(document, kind).minimum);
    }
    settings["interval"] = std::to_string(interval);
    return {kind, resource_of(document, kind, settings), interval, root.dump()};
}

settings_request buffer_for(const survey_request& request, std::string kind,
                            std::vector<std::pair<std::string, std::string>> discovered) {
    settings_request buffer = request.common;
    buffer.kind = std::move(kind);
    discovered.insert(discovered.end(), buffer.overrides.begin(), buffer.overrides.end());
    buffer.overrides = std::move(discovered);
    return buffer;
}

}  // namespace

std::vector<sensor_plan> discover_sensors(host_session& session, const json& document,
                                          const survey_request& request, outcome& result) {
    std::vector<sensor_plan> plans;
    std::int32_t id = 0;
    for (const auto& kind : sensor_kinds(document)) {
        if (!kind.meta_scan) {
            plans.push_back(plan_for(document, buffer_for(request, kind.name, {}), request));
            continue;
        }
        settings_request meta_scan = request.common;
        meta_scan.kind = *kind.meta_scan;
        result.begin();
        ++id;
        const auto code =
            session.metascan(id, static_cast<std::uint32_t>(id), build_settings(document, meta_scan));
        const auto found = last_of(session.take_messages(), "meta_scan_result");
        if (!result.export_result(module_export::meta_scan, code) ||
            !result.meta_scan_result(*kind.meta_scan, found)) {
            continue;
        }
        for (const auto& entry : found.at("entries")) {
            std::vector<std::pair<std::string, std::string>> discovered;
            for (const auto& [key, value] : entry.at("settings").items()) {
                discovered.emplace_back(key, value.get<std::string>());
            }
            plans.push_back(
                plan_for(document, buffer_for(request, kind.name, std::move(discovered)), request));
        }
    }
    return plans;
}

std::vector<sensor_plan> sensors_from_file(const json& document, const json& file,
                                           const survey_request& request) {
    const json buffers = file.is_array() ? file : json::array({file});
    std::vector<sensor_plan> plans;
    for (const auto& buffer : buffers) {
        settings_request from_file = request.common;
        from_file.kind.clear();
        from_file.file = buffer;
        plans.push_back(plan_for(document, from_file, request));
    }
    return plans;
}

std::vector<measured_scan> measure_scans(module_library& library, const std::vector<sensor_plan>& plans,
                                         const std::filesystem::path& trace_folder, outcome& result,
                                         std::ostream* progress) {
    constexpr std::int32_t sensor_id = 1;
    std::vector<measured_scan> scans;
    request_trace trace(trace_folder);
    bool any_scan_worked = false;
    for (const auto& plan : plans) {
        // Resource names come from AWS: shown without control characters.
        const std::string sensor = plan.kind + " " + printable_line(plan.resource);
        if (progress != nullptr) {
            *progress << "probe: measuring " << scans.size() + 1 << " of " << plans.size() << ": " << sensor
                      << "\n";
        }
        measured_scan scan{plan.kind, plan.resource, plan.interval_s, {}, {}};
        {
            host_session session(library, nullptr);
            result.begin();
            if (result.export_result(module_export::create, session.create(sensor_id, plan.settings))) {
                session.scan(sensor_id);
                const auto sent = last_of(session.take_messages(), "sensor_scan_result");
                if (result.scan_result(sensor, sent)) {
                    any_scan_worked = true;
                } else {
                    scan.failure =
                        sent.is_object() ? sent.at("response_message").value("text", "") : "no result";
                }
                session.destroy(sensor_id);
            } else {
                scan.failure = "the sensor could not be created";
            }
        }  // the module is cleaned up here, which flushes the trace
        scan.requests = trace.take();
        scans.push_back(std::move(scan));
    }
    const bool none_traced = std::all_of(scans.begin(), scans.end(),
                                         [](const measured_scan& scan) { return scan.requests.empty(); });
    if (any_scan_worked && none_traced) {
        result.fail(
            "the AWS SDK's trace held no \"Sending <operation>\" line, so no request could be counted; "
            "probe cost needs the module built with the bundled AWS SDK subset");
    }
    return scans;
}

}  // namespace orvane::tessel::probe
