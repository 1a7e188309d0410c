#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/log_interface.h"
#include "host/message_service.h"
#include "host/sensor_interfaces.h"
#include "host/service_container.h"

namespace orvane::tessel::libvexahelper::checks {

// A check lives for one call: it gets its own logger, runs work() once and reports through a
// check_result that work() sends. The template catches nothing.
template <class S>
class check_base : public check_interface {
public:
    using settings_type = S;

    check_base(check_context<S> context, std::string_view kind_name)
        : id_(context.id),
          settings_(std::move(context.settings)),
          container_(std::move(context.container)),
          logger_(container_->template create<liblog::log_interface>()) {
        log("Initialize: " + std::string(kind_name) + " version is: " + std::string(context.module_version));
    }

    std::int32_t get_id() const override { return id_; }
    void log(std::string_view text) override { log_with_level(text, liblog::trace); }
    void log_with_level(std::string_view text, std::int32_t level) override { logger_->log(level, text); }

    virtual void work() = 0;

protected:
    void send(const vexa_message& message) const {
        container_->template get<message_service_interface>()->send(message);
    }

    const S& settings() const noexcept { return settings_; }
    const std::shared_ptr<service_container>& container() const noexcept { return container_; }
    const std::shared_ptr<liblog::log_interface>& logger() const noexcept { return logger_; }

private:
    std::int32_t id_;
    S settings_;
    std::shared_ptr<service_container> container_;
    std::shared_ptr<liblog::log_interface> logger_;
};

}  // namespace orvane::tessel::libvexahelper::checks
