#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "host/log_interface.h"
#include "host/log_services.h"
#include "host/message_service.h"
#include "host/service_container.h"
#include "tests/support/strict_json.h"

namespace orvane::tessel::test_support {

using nlohmann::json;

// Keeps every message sent, decoded; with ordered_json, members in the order they were written.
// Thread-safe.
template <class Json>
class basic_message_recorder {
public:
    void record(std::string_view buffer) {
        auto message = decode_message<Json>(buffer);
        std::lock_guard lock(mutex_);
        messages_.push_back(std::move(message));
    }
    std::vector<Json> all() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    // The messages of one type, in the order they were sent.
    std::vector<Json> of_type(std::string_view type) const {
        std::lock_guard lock(mutex_);
        std::vector<Json> result;
        std::copy_if(messages_.begin(), messages_.end(), std::back_inserter(result),
                     [&](const Json& message) { return message.at("type") == type; });
        return result;
    }
    std::size_t size() const {
        std::lock_guard lock(mutex_);
        return messages_.size();
    }
    void clear() {
        std::lock_guard lock(mutex_);
        messages_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<Json> messages_;
};

using message_recorder = basic_message_recorder<json>;

template <class Json>
class recording_message_service final : public libvexahelper::message_service_interface {
public:
    explicit recording_message_service(std::shared_ptr<basic_message_recorder<Json>> recorder)
        : recorder_(std::move(recorder)) {}
    void send(const libvexahelper::vexa_message& message) override { recorder_->record(message.serialize()); }

private:
    std::shared_ptr<basic_message_recorder<Json>> recorder_;
};

struct log_line {
    std::int32_t level;
    std::string text;
    bool operator==(const log_line&) const = default;
};

// Keeps every line of every logger made from it. Thread-safe.
class log_book {
public:
    void add(std::int32_t level, std::string_view text);
    std::vector<log_line> lines() const;
    std::vector<std::string> texts() const;
    bool contains(std::string_view text) const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<log_line> lines_;
};

class memory_log final : public libvexahelper::sensor_log {
public:
    explicit memory_log(std::shared_ptr<log_book> book) : sensor_log(-1), book_(std::move(book)) {}
    void log(std::int32_t level, std::string_view text) override { book_->add(level, text); }

private:
    std::shared_ptr<log_book> book_;
};

// A service container wired like the module's, with recording doubles in place of the host:
// the message service records; every runtime logger (the module's, and those of checks and
// meta-scans) writes into runtime_log, every sensor log into sensor_log.
struct fake_host {
    fake_host();

    std::shared_ptr<libvexahelper::service_container> container =
        std::make_shared<libvexahelper::service_container>();
    std::shared_ptr<message_recorder> messages = std::make_shared<message_recorder>();
    std::shared_ptr<log_book> runtime_log = std::make_shared<log_book>();
    std::shared_ptr<log_book> sensor_log = std::make_shared<log_book>();
};

}  // namespace orvane::tessel::test_support
