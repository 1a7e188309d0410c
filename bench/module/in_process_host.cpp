#include "bench/module/in_process_host.h"

#include <charconv>
#include <stdexcept>

#include "vexa_module.h"

namespace orvane::tessel::bench {

namespace {

constexpr std::string_view scan_result_type = R"("type":"sensor_scan_result")";

const std::uint8_t* bytes(std::string_view text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

}  // namespace

in_process_host::in_process_host(message_receiver& receiver) : receiver_(receiver) {
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
    host->receiver_.receive(std::string_view(reinterpret_cast<const char*>(buffer), length));
}

void last_result_receiver::receive(std::string_view message) {
    ++messages_;
    if (is_scan_result(message)) {
        last_scan_result_.assign(message);
        ++scan_results_;
    }
}

bool is_scan_result(std::string_view message) {
    return message.find(scan_result_type) != std::string_view::npos;
}

// Read from the text rather than parsed: it runs inside every scan of the scale benchmark. A key
// cannot occur inside a string value, whose quotes are escaped.
int response_code(std::string_view scan_result) {
    constexpr std::string_view key = R"("response_code":)";
    const auto at = scan_result.find(key);
    if (!is_scan_result(scan_result) || at == std::string_view::npos) {
        return -1;
    }
    const auto digits = scan_result.substr(at + key.size());
    int code = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    return error == std::errc() && end != digits.data() ? code : -1;
}

}  // namespace orvane::tessel::bench
