#include "tools/probe/renderer.h"

#include "tools/probe/diagnosis.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

// How the host's unit codes read; 8 is the channel's own unit text.
const std::map<std::int32_t, std::string>& unit_labels() {
    static const std::map<std::int32_t, std::string> labels{
        {1, "B"}, {3, "B"}, {5, "%"}, {6, "ms"}, {7, "s"}, {10, "#"}, {11, "%"}, {12, "B"}, {14, "B/s"},
    };
    return labels;
}

std::string number_text(const json& value) {
    if (value.is_number_integer()) {
        return std::to_string(value.get<std::int64_t>());
    }
    if (value.is_number()) {
        std::ostringstream text;
        text << std::setprecision(10) << value.get<double>();
        return text.str();
    }
    return value.dump();
}

std::string pad(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

}  // namespace

renderer::renderer(std::ostream& out, const json& document) : out_(out), document_(document) {}

std::string renderer::english(const std::string& key) const {
    const auto& english = document_["Text"]["English"]["Translation"];
    const auto it = english.find(key);
    return it == english.end() ? key : (*it)["Display"].get<std::string>();
}

std::string renderer::channel_name(const json& definition) const {
    const std::string display = definition.value("display_text", "");
    return display.empty() ? english(definition.value("name", "")) : display;
}

std::string renderer::value_text(const json& definition, const json& value) const {
    std::string text = number_text(value);
    const std::string lookup = definition.value("value_lookup", "");
    if (!lookup.empty() && document_["Lookups"].contains(lookup) && value.is_number_integer()) {
        for (const auto& entry : document_["Lookups"][lookup]["LookupValues"]) {
            if (entry["Value"] == value) {
                return text + " (" + english("lookup." + lookup + "." + entry["Name"].get<std::string>()) +
                       ")";
            }
        }
        return text;
    }
    const std::int32_t unit = definition.value("unit", 0);
    if (unit == 8) {
        return text + " " + definition.value("custom_unit", "");
    }
    const auto label = unit_labels().find(unit);
    return label == unit_labels().end() ? text : text + " " + label->second;
}

void renderer::render(const json& message) {
    const std::string type = message.value("type", "");
    if (type == "dynamic_channel") {
        const auto& channel = message["channel"];
        channels_[message["sensor_id"]][channel["channel_id"]] = channel;
        out_ << "  new channel " << channel["channel_id"] << ": " << channel_name(channel) << "\n";
    } else if (type == "sensor_scan_result") {
        scan_result(message);
    } else if (type == "metascan_progress") {
        out_ << "  [" << std::setw(3) << message["progress"].get<int>() << "%] "
             << printable_line(message["text"]["text"].get<std::string>()) << "\n";
    } else if (type == "meta_scan_result") {
        meta_scan_result(message);
    } else if (type == "check_result") {
        out_ << "  check " << message["id"] << ": "
             << (message["success"].get<bool>() ? "credentials work" : "failed") << "\n";
    } else if (type == "persistent_data") {
        out_ << "  keeps " << printable_line(message["key"].get<std::string>()) << " = "
             << printable_line(message["value"].get<std::string>()) << "\n";
    } else if (type == "module_information") {
        summary(message);
    } else {
        out_ << message.dump() << "\n";
    }
}

void renderer::scan_result(const json& message) {
    const std::int32_t sensor = message["sensor_id"];
    const std::int32_t response = message["response_code"];
    const std::string text = printable_line(message["response_message"]["text"].get<std::string>());
    if (response == 3) {
        out_ << "  scan failed: " << text << "\n";
        return;
    }
    out_ << "  scan result (response " << response << ", error " << message["error_code"] << "): " << text
         << "\n";
    const auto& known = channels_[sensor];
    for (const auto& value : message["channels"]) {
        const std::int32_t id = value["id"];
        const json& number = value.contains("integer") ? value["integer"] : value["float"];
        const auto definition = known.find(id);
        const json empty = json::object();
        const json& channel = definition == known.end() ? empty : definition->second;
        out_ << "    " << std::setw(3) << id << "  " << pad(channel_name(channel), 34)
             << value_text(channel, number) << "\n";
    }
}

void renderer::meta_scan_result(const json& message) {
    if (message["response"] != 0) {
        out_ << "  meta-scan failed: " << printable_line(message["message"]["text"].get<std::string>()) << "\n";
        return;
    }
    out_ << "  found " << message["entries"].size() << " resource(s)\n";
    for (const auto& entry : message["entries"]) {
        out_ << "    " << pad(printable_line(entry["display_name"]["text"].get<std::string>()), 44);
        for (const auto& [key, value] : entry["settings"].items()) {
            const auto setting = key.substr(key.rfind('.') + 1);
            if (setting != "region_display_name") {
                out_ << " " << printable_line(setting) << "=" << printable_line(value.get<std::string>());
            }
        }
        out_ << "\n";
    }
}

void renderer::summary(const json& module_information) {
    // Ordered, so that languages and kinds show in the document's own order.
    const auto document = nlohmann::ordered_json::parse(module_information["document"].get<std::string>());
    const auto& meta = document["MetaData"];
    out_ << meta["Display"].get<std::string>() << " " << meta["Version"].get<std::string>() << " (revision "
         << document["Revision"] << ") by " << meta["Vendor"].get<std::string>() << " <"
         << meta["Contact"].get<std::string>() << ">\n"
         << meta["Description"].get<std::string>() << "\n\nSensors\n";
    for (const auto& [name, sensor] : document["Sensors"].items()) {
        out_ << "  " << pad(name, 14) << pad(sensor["Display"], 14) << " interval "
             << sensor["MinimumInterval"] << " s and up, recommended " << sensor["RecommendedInterval"]
             << " s; check " << sensor["RequiredChecks"][0].get<std::string>();
        if (sensor.contains("FirstMetaStep")) {
            out_ << ", meta-scan " << sensor["FirstMetaStep"].get<std::string>();
        }
        out_ << "\n";
    }
    out_ << "Meta-scans: ";
    for (const auto& [name, scan] : document["MetaScans"].items()) {
        out_ << name << " ";
    }
    out_ << "\nChecks: ";
    for (const auto& [name, check] : document["Checks"].items()) {
        out_ << name << " ";
    }
    out_ << "\nLookups: ";
    for (const auto& [name, lookup] : document["Lookups"].items()) {
        out_ << name << " (" << lookup["LookupValues"].size() << " values) ";
    }
    out_ << "\nLanguages (loadLanguages "
         << (module_information["loadLanguages"].get<bool>() ? "true" : "false") << ")\n";
    for (const auto& [language, texts] : document["Text"].items()) {
        out_ << "  " << pad(language, 18) << texts["Translation"].size() << " keys\n";
    }
}

}  // namespace orvane::tessel::probe
