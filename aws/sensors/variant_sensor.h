#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "aws/clients/logger.h"
#include "aws/sensors/sensor_support.h"
#include "framework/templates/sensor_base.h"
#include "framework/templates/sub_sensor_interface.h"

namespace orvane::tessel::aws {

// What a variant borrows from the sensor that owns it. The sensor outlives its variant.
class variant_services {
public:
    // A result for this scan: message "OK", response code 0.
    virtual libvexahelper::sensor_scan_result new_result() const = 0;
    virtual void define(const libvexahelper::dynamic_channel_options& options) = 0;
    // Logs the response message and sends the result.
    virtual void deliver(const libvexahelper::sensor_scan_result& result) const = 0;
    // Persistent data: kept locally and sent to the host.
    virtual void keep(const std::string& key, std::string value) = 0;
    virtual const libvexahelper::persistent_data_storage& kept() = 0;
    virtual const logger_ptr& scan_logger() const = 0;
    virtual libvexahelper::service_container& services() const = 0;
    virtual std::int64_t scan_interval() const = 0;

protected:
    ~variant_services() = default;
};

// A sensor kind whose settings choose one variant at creation and whose scans run that variant.
template <class S>
class variant_sensor : public libvexahelper::sensors::sensor_base<S>, private variant_services {
protected:
    using base = libvexahelper::sensors::sensor_base<S>;

    variant_sensor(libvexahelper::sensor_context<S> context, std::string_view display_name)
        : base(std::move(context), display_name) {}

    variant_services& services_for_variant() noexcept { return *this; }

private:
    libvexahelper::sensor_scan_result new_result() const override {
        return this->make_result(libi18n::i18n_msg::plain("OK"), libvexahelper::scan_ok);
    }
    void define(const libvexahelper::dynamic_channel_options& options) override {
        this->define_channel(options);
    }
    void deliver(const libvexahelper::sensor_scan_result& result) const override {
        trace(this->logger(), sensor_support::response_line(result));
        this->send(result);
    }
    void keep(const std::string& key, std::string value) override {
        this->store_persistent_data(key, std::move(value));
    }
    const libvexahelper::persistent_data_storage& kept() override { return this->stored_data(); }
    const logger_ptr& scan_logger() const override { return this->logger(); }
    libvexahelper::service_container& services() const override { return *this->container(); }
    std::int64_t scan_interval() const override { return this->interval(); }
};

}  // namespace orvane::tessel::aws
