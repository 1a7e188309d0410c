#include "module/module_instance_adapter.h"

#include <stdexcept>
#include <string>

#include "host/log_services.h"
#include "host/message_service.h"
#include "host/sensor_data_wrapper.h"

namespace orvane::tessel::libvexahelper::module {

namespace {

constexpr std::string_view qualified_prefix =
    "orvane::tessel::libvexahelper::module::module_instance_adapter::";

// Writes the begin banner at construction and, if the operation returns, the end banner.
class banner {
public:
    banner(module_instance_adapter& adapter, std::string_view operation)
        : adapter_(adapter), operation_(operation) {
        adapter_.log(line("### Begin "));
    }
    void end() { adapter_.log(line("### End   ")); }

private:
    std::string line(std::string_view marker) const {
        return std::string(marker).append(qualified_prefix).append(operation_).append(" ###");
    }

    module_instance_adapter& adapter_;
    std::string_view operation_;
};

template <class Code>
std::int32_t code(Code value) {
    return static_cast<std::int32_t>(value);
}

}  // namespace

module_instance_adapter::module_instance_adapter(std::unique_ptr<module_instance> module)
    : module_(std::move(module)) {
    if (!module_) {
        throw std::invalid_argument("module_instance_adapter: module_instance must not be null");
    }
    register_runtime_log(*module_->container());
    register_sensor_log(*module_->container());
}

void module_instance_adapter::log(std::string_view text) {
    try {
        module_->container()->get<liblog::log_interface>()->log(liblog::trace, text);
    } catch (const std::exception&) {
        // No logger: the line is skipped.
    }
}

void module_instance_adapter::get_module_information(bool load_languages) {
    banner frame(*this, "get_module_information");
    const std::string document = module_->get_module_information();
    log(std::string("Do loadLanguages: ") + (load_languages ? "Yes" : "No"));
    const module_information_message message(document, load_languages);
    module_->container()->get<message_service_interface>()->send(message);
    frame.end();
}

std::int32_t module_instance_adapter::create_sensor_instance(std::int32_t sensor_id,
                                                             const std::uint8_t* buffer,
                                                             std::uint32_t length) {
    banner frame(*this, "create_sensor_instance");
    const sensor_data_wrapper settings(buffer, length);
    log(settings.to_json());
    const auto dispatcher = module_->dispatcher();
    const auto result = code(dispatcher->create_sensor_instance(sensor_id, settings));
    frame.end();
    return result;
}

std::int32_t module_instance_adapter::execute_sensor_scan(std::int32_t sensor_id) {
    banner frame(*this, "execute_sensor_scan");
    const auto dispatcher = module_->dispatcher();
    const auto result = code(dispatcher->execute_sensor_scan(sensor_id));
    frame.end();
    return result;
}

std::int32_t module_instance_adapter::destroy_sensor_instance(std::int32_t sensor_id) {
    banner frame(*this, "destroy_sensor_instance");
    const auto dispatcher = module_->dispatcher();
    const auto result = code(dispatcher->destroy_sensor_instance(sensor_id));
    frame.end();
    return result;
}

std::int32_t module_instance_adapter::execute_meta_scan(std::int32_t id, std::uint32_t request_number,
                                                        const std::uint8_t* buffer, std::uint32_t length) {
    banner frame(*this, "execute_meta_scan");
    const sensor_data_wrapper settings(buffer, length);
    log(settings.to_json());
    const auto dispatcher = module_->dispatcher();
    const auto result = code(dispatcher->execute_meta_scan(id, request_number, settings));
    frame.end();
    return result;
}

std::int32_t module_instance_adapter::execute_check(std::int32_t id, const std::uint8_t* buffer,
                                                    std::uint32_t length) {
    banner frame(*this, "execute_check");
    const sensor_data_wrapper settings(buffer, length);
    log(settings.to_json());
    const auto dispatcher = module_->dispatcher();
    const auto result = code(dispatcher->execute_check(id, settings));
    frame.end();
    return result;
}

}  // namespace orvane::tessel::libvexahelper::module
