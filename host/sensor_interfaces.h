#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "host/channel_map.h"
#include "host/persistent_data_storage.h"
#include "host/service_container.h"

namespace orvane::tessel::libvexahelper {

class sensor_interface {
public:
    virtual ~sensor_interface() = default;
    virtual std::int32_t get_id() const = 0;
    virtual void log_with_level(std::string_view text, std::int32_t level) = 0;
    virtual void log(std::string_view text) = 0;
    // One scan; reports every failure of the scan to the host as an error result.
    virtual void execute() = 0;
};

class check_interface {
public:
    virtual ~check_interface() = default;
    virtual std::int32_t get_id() const = 0;
    virtual void log(std::string_view text) = 0;
    virtual void log_with_level(std::string_view text, std::int32_t level) = 0;
};

class metascan_interface {
public:
    virtual ~metascan_interface() = default;
    virtual std::uint32_t get_request_number() const = 0;
    virtual std::int32_t get_id() const = 0;
    virtual void log(std::string_view text) = 0;
    virtual void log_with_level(std::string_view text, std::int32_t level) = 0;
    virtual void execute() = 0;
};

// What the dispatcher hands a kind's constructor. The module's version is the one the templates log;
// a sensor writes its own log only when its settings switch logging on.
template <class Settings>
struct sensor_context {
    std::shared_ptr<service_container> container;
    std::int32_t id = 0;
    Settings settings;
    std::shared_ptr<channel_map> channels;
    persistent_data_storage persistent_data;
    bool logging = false;
    std::string_view module_version;
};

template <class Settings>
struct check_context {
    std::shared_ptr<service_container> container;
    std::int32_t id = 0;
    Settings settings;
    std::string_view module_version;
};

template <class Settings>
struct metascan_context {
    std::shared_ptr<service_container> container;
    std::int32_t id = 0;
    std::uint32_t request_number = 0;
    Settings settings;
    std::string_view module_version;
};

}  // namespace orvane::tessel::libvexahelper
