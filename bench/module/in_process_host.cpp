#include "bench/module/in_process_host.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "vexa_module.h"

namespace orvane::tessel::bench {

namespace {

constexpr std::string_view scan_result_type = R"("type":"sensor_scan_result")";

const std::uint8_t* bytes(std::string_view text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

}  // namespace

in_process_host::in_process_host() {
    if (InitializeModule(reinterpret_cast<std::uint64_t>(this), &in_process_host::on_message) != 0) {
        throw std::runtime_error("InitializeModule refused");
    }
}

in_process_host::~in_process_host() {
    CleanupModule();
}

std::int32_t in_process_host::create_sensor(std::int32_t id, std::string_view settings) {
    return CreateSensorInstance(id, bytes(settings), static_cast<std::uint32_t>(settings.size()));
}

std::int32_t in_process_host::scan(std::int32_t id) {
    return ExecuteSensorScan(id);
}

std::int32_t in_process_host::destroy_sensor(std::int32_t id) {
    return DestroySensorInstance(id);
}

void in_process_host::on_message(std::uint64_t handle, const std::uint8_t* buffer, std::uint32_t length) {
    auto* host = reinterpret_cast<in_process_host*>(handle);  // NOLINT(performance-no-int-to-ptr)
    ++host->messages_;
    const std::string_view message(reinterpret_cast<const char*>(buffer), length);
    if (message.find(scan_result_type) != std::string_view::npos) {
        host->last_scan_result_.assign(message);
        ++host->scan_results_;
    }
}

int response_code(std::string_view scan_result) {
    const auto message = nlohmann::json::parse(scan_result, nullptr, false);
    if (message.is_discarded() || !message.is_object() || message.value("type", "") != "sensor_scan_result") {
        return -1;
    }
    const auto code = message.find("response_code");
    return code != message.end() && code->is_number_integer() ? code->get<int>() : -1;
}

}  // namespace orvane::tessel::bench
