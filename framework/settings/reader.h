#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "host/exceptions.h"
#include "host/kinds.h"
#include "host/sensor_data_wrapper.h"

namespace orvane::tessel::aws::settings {

using libvexahelper::secure_string;
using libvexahelper::sensor_data_wrapper;

// One option of a selection setting: its text and what it stands for.
template <class T>
using option = std::pair<std::string_view, T>;

// Reads the settings of one group: each under "section.group.setting" (or the bare setting name for
// the common settings, which have no section). Every value goes through the helper library's typed
// parsers; the first bad value throws.
class reader {
public:
    // The common settings, under their bare names.
    explicit reader(const sensor_data_wrapper& settings) : settings_(settings) {}
    reader(const sensor_data_wrapper& settings, std::string_view section, std::string_view group)
        : settings_(settings), prefix_(std::string(section) + "." + std::string(group) + ".") {}

    std::string text(std::string_view setting) const;
    secure_string secret(std::string_view setting) const;
    std::int64_t integer(std::string_view setting, std::optional<std::int64_t> minimum,
                         std::optional<std::int64_t> maximum) const;

    // A single choice: the text must be exactly one of the options.
    template <class T>
    T selection(std::string_view setting, std::span<const option<T>> options) const {
        const std::string& value = settings_.lookup(key(setting));
        for (const auto& [text, result] : options) {
            if (value == text) {
                return result;
            }
        }
        throw libvexahelper::utils::exceptions::setting_selection_parse_error(value, std::string(setting));
    }

    // A multiple choice: options separated by "," (an empty text selects nothing). Each option sets
    // its flag in the result, which is indexed by the options' keys.
    template <class Flags>
    Flags flags(std::string_view setting, std::span<const option<typename Flags::key_type>> options) const {
        const std::string_view value = settings_.lookup(key(setting));
        Flags result{};
        if (value.empty()) {
            return result;
        }
        for (std::size_t start = 0;;) {
            const auto comma = value.find(',', start);
            const auto token = value.substr(start, comma == std::string_view::npos ? comma : comma - start);
            const auto match = std::find_if(options.begin(), options.end(),
                                            [&](const auto& entry) { return entry.first == token; });
            if (match == options.end()) {
                throw libvexahelper::utils::exceptions::setting_selection_parse_error(std::string(token),
                                                                                      std::string(setting));
            }
            result[match->second] = true;
            if (comma == std::string_view::npos) {
                return result;
            }
            start = comma + 1;
        }
    }

private:
    std::string key(std::string_view setting) const { return prefix_ + std::string(setting); }

    const sensor_data_wrapper& settings_;
    std::string prefix_;
};

}  // namespace orvane::tessel::aws::settings
