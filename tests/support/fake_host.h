#pragma once

#include <cstdint>
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

namespace orvane::tessel::test_support {

using nlohmann::json;

// Keeps every message sent, decoded. Thread-safe.
class message_recorder {
public:
    void record(std::string_view buffer);
    std::vector<json> all() const;
    // The messages of one type, in the order they were sent.
    std::vector<json> of_type(std::string_view type) const;
    std::size_t size() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<json> messages_;
};

class recording_message_service final : public libvexahelper::message_service_interface {
public:
    explicit recording_message_service(std::shared_ptr<message_recorder> recorder)
        : recorder_(std::move(recorder)) {}
    void send(const libvexahelper::vexa_message& message) override { recorder_->record(message.serialize()); }

private:
    std::shared_ptr<message_recorder> recorder_;
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
