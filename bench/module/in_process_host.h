#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The host side of the benchmarks: loads nothing (the module is linked in), calls the exported
// functions as a host does and hands what the module sends back to a receiver.
namespace orvane::tessel::bench {

// What the host does with each message; called on the thread whose call into the module sent it.
// Its cost is part of that call's CPU time, so receivers do as little as they can.
class message_receiver {
public:
    virtual ~message_receiver() = default;
    virtual void receive(std::string_view message) = 0;
};

class in_process_host {
public:
    // InitializeModule; throws std::runtime_error when it refuses. The receiver outlives the host.
    explicit in_process_host(message_receiver& receiver);
    // CleanupModule.
    ~in_process_host();
    in_process_host(const in_process_host&) = delete;
    in_process_host& operator=(const in_process_host&) = delete;

    std::int32_t create_sensor(std::int32_t id, std::string_view settings);
    std::int32_t scan(std::int32_t id);
    std::int32_t destroy_sensor(std::int32_t id);

private:
    static void on_message(std::uint64_t handle, const std::uint8_t* buffer, std::uint32_t length);

    message_receiver& receiver_;
};

// Keeps the last sensor_scan_result, as sent: copying it is all it does during a scan, so that the
// host's share of a scan's CPU time stays negligible. For one scanning thread.
class last_result_receiver final : public message_receiver {
public:
    void receive(std::string_view message) override;

    [[nodiscard]] const std::string& last_scan_result() const noexcept { return last_scan_result_; }
    [[nodiscard]] std::uint64_t scan_results() const noexcept { return scan_results_; }
    [[nodiscard]] std::uint64_t messages() const noexcept { return messages_; }

private:
    std::string last_scan_result_;
    std::uint64_t scan_results_ = 0;
    std::uint64_t messages_ = 0;
};

// True for a sensor_scan_result message.
bool is_scan_result(std::string_view message);

// The response code of a sensor_scan_result text; -1 when it is not one.
int response_code(std::string_view scan_result);

}  // namespace orvane::tessel::bench
