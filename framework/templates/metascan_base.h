#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "host/log_interface.h"
#include "host/message_service.h"
#include "host/messages.h"
#include "host/sensor_interfaces.h"
#include "host/service_container.h"
#include "libs/i18n/i18n.h"

namespace orvane::tessel::libvexahelper::metascans {

// A meta-scan lives for one call: it gets its own logger, runs work() through execute(), which turns
// every failure into a meta_scan_result with response 5.
template <class S>
class metascan_base : public metascan_interface {
public:
    using settings_type = S;

    metascan_base(metascan_context<S> context, std::string_view kind_name)
        : id_(context.id),
          request_number_(context.request_number),
          settings_(std::move(context.settings)),
          container_(std::move(context.container)),
          logger_(container_->template create<liblog::log_interface>()) {
        log("Initialize: " + std::string(kind_name) + " version is: " + std::string(context.module_version));
    }

    std::uint32_t get_request_number() const override { return request_number_; }
    std::int32_t get_id() const override { return id_; }
    void log(std::string_view text) override { log_with_level(text, liblog::trace); }
    void log_with_level(std::string_view text, std::int32_t level) override { logger_->log(level, text); }

    void execute() override {
        try {
            work();
        } catch (const libi18n::i18n_exception& error) {
            fail(error);
        } catch (const std::exception& error) {
            fail(error);
        }
    }

    virtual void work() = 0;

protected:
    void send(const vexa_message& message) const {
        container_->template get<message_service_interface>()->send(message);
    }

    void report_progress(std::uint32_t percentage, const libi18n::i18n_msg& message) {
        log(message.english());
        send(metascan_progress(id_, request_number_, percentage, message));
    }

    const S& settings() const noexcept { return settings_; }
    const std::shared_ptr<service_container>& container() const noexcept { return container_; }
    const std::shared_ptr<liblog::log_interface>& logger() const noexcept { return logger_; }

private:
    template <class E>
    void fail(const E& error) {
        log(error.what());
        meta_scan_result result(id_, request_number_, error);
        result.set_response(metascan_error);
        try {
            send(result);
        } catch (const std::exception& failure) {
            log(failure.what());
        }
    }

    std::int32_t id_;
    std::uint32_t request_number_;
    S settings_;
    std::shared_ptr<service_container> container_;
    std::shared_ptr<liblog::log_interface> logger_;
};

}  // namespace orvane::tessel::libvexahelper::metascans
