#include "host/sensor_dispatcher.h"

#include "host/exceptions.h"
#include "host/message_service.h"

namespace orvane::tessel::libvexahelper {

namespace {

utils::exceptions::sensor_registry_error unknown_kind(std::string_view category, const std::string& kind) {
    return utils::exceptions::sensor_registry_error("Unknown " + std::string(category) + " kind \"" + kind +
                                                    "\".");
}

}  // namespace

void sensor_dispatcher::log(std::string_view text) const {
    try {
        container_->get<liblog::log_interface>()->log(liblog::trace, text);
    } catch (const std::exception&) {
        // Without a runtime log there is nowhere to write to.
    }
}

void sensor_dispatcher::send(const vexa_message& message) const {
    container_->get<message_service_interface>()->send(message);
}

sensor_create_response_code sensor_dispatcher::create_sensor_instance(std::int32_t id,
                                                                      const sensor_data_wrapper& settings) {
    using code = sensor_create_response_code;
    if (!settings.is_valid()) {
        log(settings.error().english());
        return code::invalid_settings_buffer;
    }
    const auto factory = sensor_factories_.find(settings.kind());
    if (factory == sensor_factories_.end()) {
        log(unknown_kind("sensor", settings.kind()).what());
        return code::unknown_kind;
    }
    // A sensor built only to be refused would already have announced its channels and written into
    // the log of the sensor that has the id.
    const sensor_stock::claim claim(stock_, id);
    if (!claim) {
        log(utils::exceptions::sensor_already_registered(id).what());
        return code::sensor_already_exists;
    }
    try {
        factory->second(container_, id, settings);
        return code::success;
    } catch (const utils::exceptions::sensor_already_registered& error) {
        log(error.what());
        return code::sensor_already_exists;
    } catch (const std::exception& error) {
        log("Creating sensor " + std::to_string(id) + " of kind \"" + settings.kind() +
            "\" failed: " + error.what());
        return code::creation_failed;
    }
}

sensor_scan_response_code sensor_dispatcher::execute_sensor_scan(std::int32_t id) {
    const auto entry = stock_.find(id);
    if (!entry.sensor) {
        const utils::exceptions::sensor_not_in_sensor_stock error(id);
        log(error.what());
        sensor_scan_result result(id, error);
        result.set_response_code(scan_error);
        send(result);
        return sensor_scan_response_code::sensor_not_found;
    }
    std::lock_guard scan(*entry.scan_lock);
    entry.sensor->execute();
    return sensor_scan_response_code::success;
}

sensor_destroy_response_code sensor_dispatcher::destroy_sensor_instance(std::int32_t id) {
    if (!stock_.remove(id)) {
        log(utils::exceptions::sensor_not_in_sensor_stock(id).what());
        return sensor_destroy_response_code::sensor_not_found;
    }
    return sensor_destroy_response_code::success;
}

check_response_code sensor_dispatcher::execute_check(std::int32_t id, const sensor_data_wrapper& settings) {
    using code = check_response_code;
    const auto refuse = [&](std::string_view reason, code result) {
        log(reason);
        send(check_result(id));
        return result;
    };
    if (!settings.is_valid()) {
        return refuse(settings.error().english(), code::invalid_settings_buffer);
    }
    const auto factory = check_factories_.find(settings.kind());
    if (factory == check_factories_.end()) {
        return refuse(unknown_kind("check", settings.kind()).what(), code::unknown_kind);
    }
    try {
        factory->second(container_, id, settings);
        return code::success;
    } catch (const std::exception& error) {
        return refuse(
            "Check " + std::to_string(id) + " of kind \"" + settings.kind() + "\" failed: " + error.what(),
            code::not_run);
    }
}

meta_scan_response_code sensor_dispatcher::execute_meta_scan(std::int32_t id, std::uint32_t request_number,
                                                             const sensor_data_wrapper& settings) {
    using code = meta_scan_response_code;
    const auto refuse = [&](const auto& error, code result) {
        log(error.what());
        meta_scan_result failed(id, request_number, error);
        failed.set_response(metascan_error);
        send(failed);
        return result;
    };
    if (!settings.is_valid()) {
        return refuse(utils::exceptions::settings_buffer_unreadable(settings.error()),
                      code::invalid_settings_buffer);
    }
    const auto factory = meta_factories_.find(settings.kind());
    if (factory == meta_factories_.end()) {
        return refuse(unknown_kind("meta-scan", settings.kind()), code::unknown_kind);
    }
    try {
        factory->second(container_, id, request_number, settings);
        return code::success;
    } catch (const libi18n::i18n_exception& error) {
        return refuse(error, code::not_run);
    } catch (const std::exception& error) {
        return refuse(error, code::not_run);
    }
}

}  // namespace orvane::tessel::libvexahelper
