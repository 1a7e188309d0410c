#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/log_interface.h"
#include "host/messages.h"
#include "host/response_codes.h"
#include "host/sensor_data_wrapper.h"
#include "host/sensor_interfaces.h"
#include "host/sensor_stock.h"
#include "host/service_container.h"

namespace orvane::tessel::libvexahelper {

enum class kind_category { sensor, check, meta_scan };

// Runs what the host asks for: finds the kind registered under the name the settings carry, builds
// the object through its factory and runs it. Failures before a kind can report them itself are
// logged to the module's log and, for checks and meta-scans, answered with a failed result, so that
// the host never waits for a result that does not come.
class sensor_dispatcher {
public:
    using sensor_factory = std::function<void(const std::shared_ptr<service_container>&, std::int32_t,
                                              const sensor_data_wrapper&)>;
    using check_factory = sensor_factory;
    using meta_factory = std::function<void(const std::shared_ptr<service_container>&, std::int32_t,
                                            std::uint32_t, const sensor_data_wrapper&)>;

    // The version is the module's, which every kind logs as it starts.
    sensor_dispatcher(std::shared_ptr<service_container> container, std::string_view module_version)
        : container_(std::move(container)), module_version_(module_version) {}

    // A sensor kind K derives from the sensor template: it names its settings record as
    // K::settings_type (with a static parse, and logging_enabled(record) found beside the record) and
    // is constructible from a sensor_context.
    template <class K>
    void register_sensor_as(std::string name) {
        register_kind(
            sensor_factories_, kind_category::sensor, std::move(name),
            sensor_factory([this](const std::shared_ptr<service_container>& container, std::int32_t id,
                                  const sensor_data_wrapper& settings) {
                using S = typename K::settings_type;
                auto parsed = S::parse(settings);
                const bool logging = logging_enabled(parsed);
                auto sensor = std::make_shared<K>(sensor_context<S>{
                    container, id, std::move(parsed), std::make_shared<channel_map>(settings.get_channels()),
                    persistent_data_storage(settings.get_persistent_data()), logging, module_version_});
                stock_.add_sensor(id, std::move(sensor));
                if (const auto added = stock_.find(id).sensor) {
                    added->log(settings.to_json());
                }
            }));
    }

    // A check kind is constructible from a check_context and runs through its public work().
    template <class K>
    void register_check_as(std::string name) {
        register_kind(check_factories_, kind_category::check, std::move(name),
                      check_factory([this](const std::shared_ptr<service_container>& container,
                                           std::int32_t id, const sensor_data_wrapper& settings) {
                          using S = typename K::settings_type;
                          K check(check_context<S>{container, id, S::parse(settings), module_version_});
                          check.work();
                      }));
    }

    // A meta-scan kind is constructible from a metascan_context and runs through execute().
    template <class K>
    void register_meta_as(std::string name) {
        register_kind(
            meta_factories_, kind_category::meta_scan, std::move(name),
            meta_factory([this](const std::shared_ptr<service_container>& container, std::int32_t id,
                                std::uint32_t request_number, const sensor_data_wrapper& settings) {
                using S = typename K::settings_type;
                K meta_scan(
                    metascan_context<S>{container, id, request_number, S::parse(settings), module_version_});
                meta_scan.execute();
            }));
    }

    sensor_create_response_code create_sensor_instance(std::int32_t id, const sensor_data_wrapper& settings);
    sensor_scan_response_code execute_sensor_scan(std::int32_t id);
    sensor_destroy_response_code destroy_sensor_instance(std::int32_t id);
    check_response_code execute_check(std::int32_t id, const sensor_data_wrapper& settings);
    meta_scan_response_code execute_meta_scan(std::int32_t id, std::uint32_t request_number,
                                              const sensor_data_wrapper& settings);

    // The registered kinds, in the order they were registered.
    const std::vector<std::pair<kind_category, std::string>>& registrations() const noexcept {
        return registrations_;
    }

    sensor_stock& stock() noexcept { return stock_; }

private:
    template <class Factory>
    void register_kind(std::unordered_map<std::string, Factory>& factories, kind_category category,
                       std::string name, Factory factory) {
        // The first factory registered under a name stays.
        if (factories.try_emplace(name, std::move(factory)).second) {
            registrations_.emplace_back(category, std::move(name));
        }
    }

    void log(std::string_view text) const;
    void send(const vexa_message& message) const;

    std::shared_ptr<service_container> container_;
    std::string_view module_version_;
    std::unordered_map<std::string, sensor_factory> sensor_factories_;
    std::unordered_map<std::string, check_factory> check_factories_;
    std::unordered_map<std::string, meta_factory> meta_factories_;
    std::vector<std::pair<kind_category, std::string>> registrations_;
    sensor_stock stock_;
};

}  // namespace orvane::tessel::libvexahelper
