#include "tests/support/fake_host.h"

#include <algorithm>

#include "tests/support/strict_json.h"

namespace orvane::tessel::test_support {

void message_recorder::record(std::string_view buffer) {
    auto message = decode_message(buffer);
    std::lock_guard lock(mutex_);
    messages_.push_back(std::move(message));
}

std::vector<json> message_recorder::all() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<json> message_recorder::of_type(std::string_view type) const {
    std::lock_guard lock(mutex_);
    std::vector<json> result;
    for (const auto& message : messages_) {
        if (message.at("type") == type) {
            result.push_back(message);
        }
    }
    return result;
}

std::size_t message_recorder::size() const {
    std::lock_guard lock(mutex_);
    return messages_.size();
}

void message_recorder::clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

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
        [messages = messages] { return std::make_unique<recording_message_service>(messages); });
    factories.add<std::unique_ptr<liblog::log_interface>()>(
        [book = runtime_log]() -> std::unique_ptr<liblog::log_interface> {
            return std::make_unique<memory_log>(book);
        });
    factories.add<std::unique_ptr<libvexahelper::sensor_log>(std::int32_t)>(
        [book = sensor_log](std::int32_t) { return std::make_unique<memory_log>(book); });
}

}  // namespace orvane::tessel::test_support
