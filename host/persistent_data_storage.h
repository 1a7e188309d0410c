#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvane::tessel::libvexahelper {

// The values the host keeps for a sensor and hands back with its settings.
class persistent_data_storage {
public:
    using map_type = std::map<std::string, std::string, std::less<>>;

    persistent_data_storage() = default;
    explicit persistent_data_storage(map_type values) : values_(std::move(values)) {}

    bool exists(std::string_view key) const { return values_.find(key) != values_.end(); }

    // Throws std::out_of_range when the key is absent.
    const std::string& at(std::string_view key) const {
        const auto it = values_.find(key);
        if (it == values_.end()) {
            throw std::out_of_range("persistent data has no key \"" + std::string(key) + "\"");
        }
        return it->second;
    }

    std::string& operator[](const std::string& key) { return values_[key]; }

    const map_type& values() const noexcept { return values_; }

private:
    map_type values_;
};

}  // namespace orvane::tessel::libvexahelper
