#include "tests/support/fake_host.h"

#include <algorithm>

namespace orvane::tessel::test_support {

void log_book::add(std::int32_t level, std::string_view text) {
    std::lock_guard lock(mutex_);
    lines_.push_back({level, std::string(text)});
}

std::vector<log_line> log_book::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<std::string> log_book::texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> result;
    for (const auto& line : lines_) {
        result.push_back(line.text);
    }
    return result;
}

bool log_book::contains(std::string_view text) const {
    std::lock_guard lock(mutex_);
    return std::any_of(lines_.begin(), lines_.end(), [&](const log_line& line) { return line.text == text; });
}

void log_book::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

fake_host::fake_host() {
    auto& factories = container->factories();
    factories.add<std::unique_ptr<libvexahelper::message_service_interface>()>(
        [messages = messages] { return std::make_unique<recording_message_service<json>>(messages); });
    factories.add<std::unique_ptr<liblog::log_interface>()>(
        [book = runtime_log]() -> std::unique_ptr<liblog::log_interface> {
            return std::make_unique<memory_log>(book);
        });
    factories.add<std::unique_ptr<libvexahelper::sensor_log>(std::int32_t)>(
        [book = sensor_log](std::int32_t) { return std::make_unique<memory_log>(book); });
}

}  // namespace orvane::tessel::test_support
