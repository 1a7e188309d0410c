#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The host side of the benchmark: loads nothing (the module is linked in), calls the exported
// functions as a host does and keeps, cheaply, what the module sends back.
namespace orvane::tessel::bench {

class in_process_host {
public:
    // InitializeModule; throws std::runtime_error when it refuses.
    in_process_host();
    // CleanupModule.
    ~in_process_host();
    in_process_host(const in_process_host&) = delete;
    in_process_host& operator=(const in_process_host&) = delete;

    std::int32_t create_sensor(std::int32_t id, std::string_view settings);
    std::int32_t scan(std::int32_t id);
    std::int32_t destroy_sensor(std::int32_t id);

    // The last sensor_scan_result, as sent. Copying it is all the callback does during a scan, so
    // that the host's share of a scan's CPU time stays negligible.
    [[nodiscard]] const std::string& last_scan_result() const noexcept { return last_scan_result_; }
    [[nodiscard]] std::uint64_t scan_results() const noexcept { return scan_results_; }
    [[nodiscard]] std::uint64_t messages() const noexcept { return messages_; }

private:
    static void on_message(std::uint64_t handle, const std::uint8_t* buffer, std::uint32_t length);

    std::string last_scan_result_;
    std::uint64_t scan_results_ = 0;
    std::uint64_t messages_ = 0;
};

// The response code of a sensor_scan_result text; -1 when it is not one.
int response_code(std::string_view scan_result);

}  // namespace orvane::tessel::bench
