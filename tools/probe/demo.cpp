#include "tools/probe/demo.h"

#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

constexpr std::array<const char*, 6> checks{"ec2_check", "ebs_check",   "rds_check",
                                            "elb_check", "alarm_check", "awscost_check"};

// Which discovered rows become sensors: the meta-scan, the sensor kind, and a filter on the row's
// settings (empty: the first row).
struct sensor_pick {
    const char* meta_scan;
    const char* sensor;
    const char* setting;  // a setting name of the row, or nullptr
    const char* value;
};

constexpr std::array<sensor_pick, 7> picks{{
    {"ec2_metascan", "ec2_sensor", nullptr, nullptr},
    {"ebs_metascan", "ebs_sensor", "state", "in-use"},
    {"rds_metascan", "rds_sensor", nullptr, nullptr},
    {"elb_metascan", "elb_sensor", "type", "application"},
    {"elb_metascan", "elb_sensor", "type", "network"},
    {"alarm_metascan", "alarm_sensor", "type", "Metric"},
    {"alarm_metascan", "alarm_sensor", "type", "Composite"},
}};

void heading(std::ostream& out, const std::string& text) {
    out << "\n== " << text << " ==\n";
}

std::string setting_name(const std::string& key) {
    return key.substr(key.rfind('.') + 1);
}

std::optional<json> first_row(const json& result, const sensor_pick& pick) {
    const auto entries = result.is_object() ? result.value("entries", json::array()) : json::array();
    for (const auto& entry : entries) {
        if (pick.setting == nullptr) {
            return entry;
        }
        for (const auto& [key, value] : entry["settings"].items()) {
            if (setting_name(key) == pick.setting && value == pick.value) {
                return entry;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

void run_demo(host_session& session, const json& document, std::ostream& out,
              const settings_request& credentials, outcome& result) {
    const auto request_for = [&](const std::string& kind) {
        settings_request request = credentials;
        request.kind = kind;
        return request;
    };

    heading(out, "Checks: do the credentials work?");
    std::int32_t id = 100;
    for (const char* check : checks) {
        out << check << "\n";
        result.begin();
        const auto code = session.check(++id, build_settings(document, request_for(check)));
        const auto sent = last_of(session.take_messages(), "check_result");
        if (result.export_result(module_export::check, code)) {
            result.check_result(check, sent);
        }
    }

    heading(out, "Meta-scans: what can be monitored?");
    std::map<std::string, json> discovered;
    std::uint32_t request_number = 0;
    for (const auto& pick : picks) {
        if (discovered.contains(pick.meta_scan)) {
            continue;
        }
        out << pick.meta_scan << "\n";
        result.begin();
        const auto code =
            session.metascan(++id, ++request_number, build_settings(document, request_for(pick.meta_scan)));
        discovered[pick.meta_scan] = last_of(session.take_messages(), "meta_scan_result");
        if (result.export_result(module_export::meta_scan, code)) {
            result.meta_scan_result(pick.meta_scan, discovered[pick.meta_scan]);
        }
    }

    heading(out, "Sensors: created from a discovered row, scanned twice");
    std::int32_t sensor_id = 0;
    const auto scan_twice = [&](const std::string& title, const settings_request& request) {
        out << "sensor " << ++sensor_id << ": " << title << "\n";
        result.begin();
        if (!result.export_result(module_export::create,
                                  session.create(sensor_id, build_settings(document, request)))) {
            return;
        }
        for (int scan = 0; scan < 2; ++scan) {
            result.begin();
            const auto code = session.scan(sensor_id);
            const auto sent = last_of(session.take_messages(), "sensor_scan_result");
            if (result.export_result(module_export::scan, code)) {
                result.scan_result("sensor " + std::to_string(sensor_id), sent);
            }
        }
        result.begin();
        result.export_result(module_export::destroy, session.destroy(sensor_id));
    };
    for (const auto& pick : picks) {
        const auto row = first_row(discovered[pick.meta_scan], pick);
        if (!row) {
            result.fail(std::string("no ") + pick.meta_scan + " row for " + pick.sensor);
            continue;
        }
        auto request = request_for(pick.sensor);
        for (const auto& [key, value] : (*row)["settings"].items()) {
            request.overrides.emplace_back(key, value.get<std::string>());
        }
        scan_twice(std::string(pick.sensor) + " for " + (*row)["display_name"]["text"].get<std::string>(),
                   request);
    }

    auto cost = request_for("awscost");
    cost.overrides = {
        {"cost_specific_section.cost_optional_channel_group.optional_channel", "enabled"},
        {"cost_specific_section.cost_optional_channel_group.cost_types", "amortized_cost,unblended_cost"},
        {"cost_specific_section.cost_forecast_group.forecast_additional", "enabled"},
        {"cost_specific_section.cost_forecast_group.forecast_cost_types", "blended_cost"}};
    scan_twice("awscost with amortized and unblended costs and the blended forecast", cost);
}

}  // namespace orvane::tessel::probe
