#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "host/channel_map.h"
#include "libs/i18n/i18n.h"

namespace orvane::tessel::libvexahelper {

// What every result and notice sent to the host derives from: it serialises itself into the one
// buffer that a call of the host's callback carries (JSON; docs/host-protocol.md).
class vexa_message {
public:
    virtual ~vexa_message() = default;
    virtual std::string serialize() const = 0;
};

// Response codes of sensor scans and meta-scans.
enum scan_response_codes : std::int32_t {
    scan_ok = 0,
    scan_warning = 1,
    scan_error = 3,
    metascan_error = 5,
};

class module_information_message final : public vexa_message {
public:
    module_information_message(std::string document, bool load_languages);
    std::string serialize() const override;

private:
    std::string document_;
    bool load_languages_;
};

// The definition document with every translation but English removed, byte for byte otherwise.
std::string without_translations(std::string_view document);

class sensor_scan_result final : public vexa_message {
public:
    struct channel_value {
        std::int32_t channel_id;
        std::variant<std::int64_t, double> value;
    };

    sensor_scan_result(std::int32_t sensor_id, std::shared_ptr<const channel_map> channels);
    sensor_scan_result(std::int32_t sensor_id, const std::exception& error);
    sensor_scan_result(std::int32_t sensor_id, const libi18n::i18n_exception& error);

    // Values must go to channels the sensor defined, in the channel's value mode.
    void set_value(std::int32_t channel_id, std::int64_t value);
    void set_value(std::int32_t channel_id, double value);

    void set_response_message(libi18n::i18n_msg message) { message_ = std::move(message); }
    void set_response_code(std::int32_t code) noexcept { response_code_ = code; }
    void set_error_code(std::int32_t code) noexcept { error_code_ = code; }

    const libi18n::i18n_msg& response_message() const noexcept { return message_; }
    std::int32_t response_code() const noexcept { return response_code_; }
    std::int32_t error_code() const noexcept { return error_code_; }
    std::int32_t sensor_id() const noexcept { return sensor_id_; }
    const std::vector<channel_value>& values() const noexcept { return values_; }

    std::string serialize() const override;

private:
    void store(std::int32_t channel_id, std::variant<std::int64_t, double> value, value_mode expected);

    std::int32_t sensor_id_;
    std::shared_ptr<const channel_map> channels_;
    libi18n::i18n_msg message_;
    std::int32_t response_code_ = scan_ok;
    std::int32_t error_code_ = 0;
    std::vector<channel_value> values_;
};

// Settings of one discovered resource, in the order they were added.
using entry_settings = std::vector<std::pair<std::string, std::string>>;

class meta_scan_result final : public vexa_message {
public:
    struct entry {
        libi18n::i18n_msg display_name;
        entry_settings settings;
    };

    meta_scan_result(std::int32_t id, std::uint32_t request_number);
    meta_scan_result(std::int32_t id, std::uint32_t request_number, const std::exception& error);
    meta_scan_result(std::int32_t id, std::uint32_t request_number, const libi18n::i18n_exception& error);

    void add_entry(libi18n::i18n_msg display_name, entry_settings settings);
    void set_response(std::int32_t response) noexcept { response_ = response; }

    std::int32_t response() const noexcept { return response_; }
    const libi18n::i18n_msg& message() const noexcept { return message_; }
    const std::vector<entry>& entries() const noexcept { return entries_; }

    std::string serialize() const override;

private:
    std::int32_t id_;
    std::uint32_t request_number_;
    std::int32_t response_ = scan_ok;
    libi18n::i18n_msg message_;
    std::vector<entry> entries_;
};

class check_result final : public vexa_message {
public:
    explicit check_result(std::int32_t id) : id_(id) {}
    void set_success(bool success) noexcept { success_ = success; }
    bool success() const noexcept { return success_; }
    std::string serialize() const override;

private:
    std::int32_t id_;
    bool success_ = false;
};

class metascan_progress final : public vexa_message {
public:
    metascan_progress(std::int32_t id, std::uint32_t request_number, std::uint32_t progress,
                      libi18n::i18n_msg message);
    std::string serialize() const override;

private:
    std::int32_t id_;
    std::uint32_t request_number_;
    std::uint32_t progress_;
    libi18n::i18n_msg message_;
};

// Announces a channel the host does not know yet.
class dynamic_channel final : public vexa_message {
public:
    dynamic_channel(std::int32_t sensor_id, dynamic_channel_options options);
    std::string serialize() const override;

private:
    std::int32_t sensor_id_;
    dynamic_channel_options options_;
};

// A value the host keeps for the sensor and hands back with its settings.
class persistent_data final : public vexa_message {
public:
    persistent_data(std::int32_t sensor_id, std::string key, std::string value);
    std::string serialize() const override;

private:
    std::int32_t sensor_id_;
    std::string key_;
    std::string value_;
};

}  // namespace orvane::tessel::libvexahelper
