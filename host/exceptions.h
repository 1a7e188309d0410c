#pragma once

#include <cstdint>
#include <string>

#include "host/texts.h"
#include "libs/i18n/i18n.h"

namespace orvane::tessel::libvexahelper::utils::exceptions {

using libi18n::_i18n_exception;
using libi18n::i18n_msg;

// Base of the helper library's exceptions.
class exception : public _i18n_exception<libi18n::i18n_exception> {
protected:
    explicit exception(i18n_msg message) : _i18n_exception(std::move(message)) {}
};

// Failures of the service container and its stores. Arguments: the type's name, and the key.
class service_container_error : public _i18n_exception<exception> {
public:
    explicit service_container_error(std::string detail)
        : _i18n_exception(i18n_msg(texts::service_container, std::move(detail))) {}

protected:
    explicit service_container_error(i18n_msg message) : _i18n_exception(std::move(message)) {}
};

class already_contains_factory : public _i18n_exception<service_container_error> {
public:
    explicit already_contains_factory(std::string type)
        : _i18n_exception(i18n_msg(texts::already_contains_factory, std::move(type))) {}
};

class factory_not_available : public _i18n_exception<service_container_error> {
public:
    explicit factory_not_available(std::string type)
        : _i18n_exception(i18n_msg(texts::factory_not_available, std::move(type))) {}
};

class already_contains_instance : public _i18n_exception<service_container_error> {
public:
    explicit already_contains_instance(std::string type)
        : _i18n_exception(i18n_msg(texts::already_contains_instance, std::move(type))) {}
};

class instance_not_available : public _i18n_exception<service_container_error> {
public:
    explicit instance_not_available(std::string type)
        : _i18n_exception(i18n_msg(texts::instance_not_available, std::move(type))) {}
};

class already_contains_instance_key : public _i18n_exception<service_container_error> {
public:
    already_contains_instance_key(std::string type, std::string key)
        : _i18n_exception(i18n_msg(texts::already_contains_instance_key, std::move(type), std::move(key))) {}
};

class instance_not_available_key : public _i18n_exception<service_container_error> {
public:
    instance_not_available_key(std::string type, std::string key)
        : _i18n_exception(i18n_msg(texts::instance_not_available_key, std::move(type), std::move(key))) {}
};

// Objects that cannot be set up.
class initialization_error : public _i18n_exception<exception> {
public:
    explicit initialization_error(std::string detail)
        : _i18n_exception(i18n_msg(texts::initialization, std::move(detail))) {}

protected:
    explicit initialization_error(i18n_msg message) : _i18n_exception(std::move(message)) {}
};

class channel_map_not_initialized : public _i18n_exception<initialization_error> {
public:
    channel_map_not_initialized() : _i18n_exception(i18n_msg(texts::channel_map_not_initialized)) {}
};

// Channels.
class channel_already_defined : public _i18n_exception<exception> {
public:
    channel_already_defined(std::int32_t id, std::string name)
        : _i18n_exception(i18n_msg(texts::channel_already_defined, std::to_string(id), std::move(name))) {}
};

class channel_not_defined : public _i18n_exception<exception> {
public:
    explicit channel_not_defined(std::int32_t id)
        : _i18n_exception(i18n_msg(texts::channel_not_defined, std::to_string(id))) {}
};

class invalid_channel_mode : public _i18n_exception<exception> {
public:
    invalid_channel_mode(std::string given, std::string expected)
        : _i18n_exception(i18n_msg(texts::invalid_channel_mode, std::move(given), std::move(expected))) {}
};

// Settings.
class setting_not_available : public _i18n_exception<exception> {
public:
    explicit setting_not_available(std::string key)
        : _i18n_exception(i18n_msg(texts::setting_not_available, std::move(key))) {}
};

class setting_selection_parse_error : public _i18n_exception<exception> {
public:
    setting_selection_parse_error(std::string value, std::string setting)
        : _i18n_exception(
              i18n_msg(texts::setting_selection_parse_error, std::move(value), std::move(setting))) {}
};

class setting_invalid : public _i18n_exception<exception> {
public:
    setting_invalid(std::string value, std::string setting)
        : _i18n_exception(i18n_msg(texts::setting_invalid, std::move(value), std::move(setting))) {}
};

class setting_invalid_less_min : public _i18n_exception<exception> {
public:
    setting_invalid_less_min(std::string value, std::string setting, std::string minimum)
        : _i18n_exception(i18n_msg(texts::setting_invalid_less_min, std::move(value), std::move(setting),
                                   std::move(minimum))) {}
};

class setting_invalid_bigger_max : public _i18n_exception<exception> {
public:
    setting_invalid_bigger_max(std::string value, std::string setting, std::string maximum)
        : _i18n_exception(i18n_msg(texts::setting_invalid_bigger_max, std::move(value), std::move(setting),
                                   std::move(maximum))) {}
};

class string_too_long : public _i18n_exception<exception> {
public:
    string_too_long(std::string setting, std::size_t maximum)
        : _i18n_exception(i18n_msg(texts::string_too_long, std::move(setting), std::to_string(maximum))) {}
};

// The registry and the sensor stock.
class sensor_registry_error : public _i18n_exception<exception> {
public:
    explicit sensor_registry_error(std::string detail)
        : _i18n_exception(i18n_msg(texts::sensor_registry, std::move(detail))) {}
};

class sensor_already_registered : public _i18n_exception<exception> {
public:
    explicit sensor_already_registered(std::int32_t id)
        : _i18n_exception(i18n_msg(texts::sensor_already_registered, std::to_string(id))) {}
};

class sensor_not_in_sensor_stock : public _i18n_exception<exception> {
public:
    explicit sensor_not_in_sensor_stock(std::int32_t id)
        : _i18n_exception(i18n_msg(texts::sensor_not_in_sensor_stock, std::to_string(id))) {}
};

// A settings buffer that could not be read; the message says what is wrong with it and where.
class settings_buffer_unreadable : public _i18n_exception<exception> {
public:
    explicit settings_buffer_unreadable(i18n_msg reason) : _i18n_exception(std::move(reason)) {}
};

// Messages.
class message_error : public _i18n_exception<exception> {
public:
    explicit message_error(std::string detail)
        : _i18n_exception(i18n_msg(texts::message_exception, std::move(detail))) {}
};

class message_too_long : public _i18n_exception<exception> {
public:
    message_too_long(std::size_t size, std::size_t maximum)
        : _i18n_exception(i18n_msg(texts::message_too_long, std::to_string(size), std::to_string(maximum))) {}
};

}  // namespace orvane::tessel::libvexahelper::utils::exceptions
