#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "framework/templates/banners.h"
#include "host/channel_map.h"
#include "host/exceptions.h"
#include "host/log_interface.h"
#include "host/log_services.h"
#include "host/message_service.h"
#include "host/messages.h"
#include "host/persistent_data_storage.h"
#include "host/sensor_interfaces.h"
#include "host/service_container.h"
#include "libs/i18n/i18n.h"

namespace orvane::tessel::libvexahelper::sensors {

// The life of every sensor kind: its logger and banners, the scan frame that turns every failure of
// the kind's work into an error result, channel definitions and persistent data. A kind only
// implements work().
template <class S>
class sensor_base : public sensor_interface {
public:
    using settings_type = S;

    sensor_base(sensor_context<S> context, std::string_view display_name)
        : id_(context.id),
          settings_(std::move(context.settings)),
          container_(std::move(context.container)),
          logger_(std::make_shared<liblog::null_logger>()),
          channels_(std::move(context.channels)),
          persistent_data_(std::move(context.persistent_data)) {
        if (context.logging) {
            logger_ = container_->template create<sensor_log, std::int32_t>(id_);
            scan_logger_ = logger_;
        }
        log(banners::initializing);
        log(std::string(display_name) + " version is: " + std::string(context.module_version) + "\n");
    }

    ~sensor_base() override {
        try {
            log(banners::cleaning_up);
        } catch (...) {
            // A destructor must not throw; a lost log line is acceptable.
        }
    }

    sensor_base(const sensor_base&) = delete;
    sensor_base& operator=(const sensor_base&) = delete;

    std::int32_t get_id() const override { return id_; }
    void log_with_level(std::string_view text, std::int32_t level) override { logger_->log(level, text); }
    void log(std::string_view text) override { log_with_level(text, liblog::trace); }

    // The scan frame.
    void execute() override {
        log(banners::enter_scan);
        try {
            work();
        } catch (const libi18n::i18n_exception& error) {
            report(error);
        } catch (const std::exception& error) {
            report(error);
        }
        log(banners::exit_scan);
    }

    virtual void work() = 0;

protected:
    sensor_scan_result make_result(libi18n::i18n_msg message, std::int32_t response_code) const {
        sensor_scan_result result(id_, channels_);
        result.set_response_message(std::move(message));
        result.set_response_code(response_code);
        return result;
    }

    template <class E>
    sensor_scan_result make_error_result(const E& error, std::int32_t error_code,
                                         std::int32_t response_code) const {
        sensor_scan_result result(id_, error);
        result.set_error_code(error_code);
        result.set_response_code(response_code);
        return result;
    }

    void send(const vexa_message& message) const {
        container_->template get<message_service_interface>()->send(message);
    }

    // Makes the channel known to the sensor and, where the host does not know it yet, to the host:
    // a definition is announced at most once in the sensor's life.
    void define_channel(const dynamic_channel_options& options) {
        if (!channels_) {
            throw utils::exceptions::channel_map_not_initialized();
        }
        if (channels_->is_definition_registered(options.channel_id)) {
            return;
        }
        channels_->register_definition(options);
        if (!channels_->is_known_to_runtime(options.channel_id)) {
            send(dynamic_channel(id_, options));
        }
    }

    // Updates the sensor's copy and asks the host to keep the value.
    void store_persistent_data(const std::string& key, std::string value) {
        persistent_data_[key] = value;
        send_persistent_data(key, std::move(value));
    }

    // Asks the host to keep the value; the sensor sees it only when the host creates it anew.
    void send_persistent_data(std::string key, std::string value) const {
        send(persistent_data(id_, std::move(key), std::move(value)));
    }

    const S& settings() const noexcept { return settings_; }
    std::int64_t interval() const noexcept { return settings_.common.interval; }
    const std::shared_ptr<service_container>& container() const noexcept { return container_; }
    // The logger to hand on to the AWS clients: empty while logging is disabled, so that they do not
    // format lines nobody will read (dates and values on every request).
    const std::shared_ptr<liblog::log_interface>& logger() const noexcept { return scan_logger_; }
    const std::shared_ptr<channel_map>& channels() const noexcept { return channels_; }
    persistent_data_storage& stored_data() noexcept { return persistent_data_; }

private:
    template <class E>
    void report(const E& error) {
        log(error.what());
        try {
            send(make_error_result(error, 0, scan_error));
        } catch (const std::exception& failure) {
            log(failure.what());  // nothing else can carry the result to the host
        }
    }

    std::int32_t id_;
    S settings_;
    std::shared_ptr<service_container> container_;
    std::shared_ptr<liblog::log_interface> logger_;
    std::shared_ptr<liblog::log_interface> scan_logger_;
    std::shared_ptr<channel_map> channels_;
    persistent_data_storage persistent_data_;
};

}  // namespace orvane::tessel::libvexahelper::sensors
