#pragma once

#include "libs/i18n/i18n.h"

// English texts of the helper library's own messages. The definition document carries the same
// keys with their translations; a test keeps both identical.
namespace orvane::tessel::libvexahelper::texts {

using libi18n::i18n_text;

inline constexpr i18n_text sensor_registry{"libvexahelper.error.sensor_registry",
                                           "A sensor registry error occurred. %0:s"};
inline constexpr i18n_text sensor_already_registered{"libvexahelper.error.sensor_already_registered",
                                                     "Sensor with ID %0:s is already registered."};
inline constexpr i18n_text sensor_not_in_sensor_stock{"libvexahelper.error.sensor_not_in_sensor_stock",
                                                      "Sensor with ID %0:s is not in sensor stock."};

inline constexpr i18n_text service_container{"libvexahelper.error.service_container",
                                             "A service container error occurred. %0:s"};
inline constexpr i18n_text already_contains_factory{
    "libvexahelper.error.already_contains_factory",
    "The factory store already contains a factory with type %0:s."};
inline constexpr i18n_text factory_not_available{"libvexahelper.error.factory_not_available",
                                                 "The factory store can't find a factory with type %0:s."};
inline constexpr i18n_text already_contains_instance{
    "libvexahelper.error.already_contains_instance",
    "The instance store already contains an instance with type %0:s."};
inline constexpr i18n_text instance_not_available{
    "libvexahelper.error.instance_not_available",
    "The instance store can't find an instance with type %0:s."};
inline constexpr i18n_text already_contains_instance_key{
    "libvexahelper.error.already_contains_instance_key",
    "The instance store already contains an instance with type %0:s and key %1:s."};
inline constexpr i18n_text instance_not_available_key{
    "libvexahelper.error.instance_not_available_key",
    "The instance store can't find an instance with type %0:s and key %1:s."};

inline constexpr i18n_text initialization{"libvexahelper.error.initialization", "Initialization error. %0:s"};
inline constexpr i18n_text channel_map_not_initialized{"libvexahelper.error.channel_map_not_initialized",
                                                       "Channel map is not initialized."};
inline constexpr i18n_text invalid_channel_mode{
    "libvexahelper.error.invalid_channel_mode",
    "set_value called with an %0:s value, but the channel's value mode is not %1:s."};
inline constexpr i18n_text channel_already_defined{"libvexahelper.error.channel_already_defined",
                                                   "Channel with ID %0:s and name %1:s is already defined."};
inline constexpr i18n_text channel_not_defined{"libvexahelper.error.channel_not_defined",
                                               "Channel with ID %0:s is not defined."};

inline constexpr i18n_text setting_not_available{"libvexahelper.error.setting_not_available",
                                                 "The setting \"%0:s\" was not available."};
inline constexpr i18n_text setting_selection_parse_error{
    "libvexahelper.error.setting_selection_parse_error",
    "Value \"%0:s\" could not be parsed into selection type \"%1:s\"."};
inline constexpr i18n_text setting_invalid{
    "libvexahelper.error.setting_invalid",
    "The value \"%0:s\" of the setting \"%1:s\" is not a valid integer."};
inline constexpr i18n_text setting_invalid_less_min{
    "libvexahelper.error.setting_invalid_less_min",
    "The value %0:s of the setting \"%1:s\" is less than the minimum of %2:s."};
inline constexpr i18n_text setting_invalid_bigger_max{
    "libvexahelper.error.setting_invalid_bigger_max",
    "The value %0:s of the setting \"%1:s\" is bigger than the maximum of %2:s."};
inline constexpr i18n_text string_too_long{
    "libvexahelper.error.string_too_long",
    "The value of the setting \"%0:s\" is longer than the maximum length of %1:s characters."};

inline constexpr i18n_text message_exception{"libvexahelper.error.message_exception",
                                             "A message error occurred. %0:s"};
inline constexpr i18n_text message_too_long{
    "libvexahelper.error.message_too_long",
    "The Message with size %0:s bytes is larger than the maximum allowed length of %1:s bytes."};

// Texts of the parsers the helper library reads the host's settings with.
inline constexpr i18n_text json_parse{"libjsonparser.error.parse",
                                      "The received JSON data could not be parsed. %0:s"};
inline constexpr i18n_text unexpected_type{"libparser.error.unexpected_type",
                                           "The received value has an unexpected data type. %0:s"};

inline constexpr i18n_text all[] = {
    sensor_registry,
    sensor_already_registered,
    sensor_not_in_sensor_stock,
    service_container,
    already_contains_factory,
    factory_not_available,
    already_contains_instance,
    instance_not_available,
    already_contains_instance_key,
    instance_not_available_key,
    initialization,
    channel_map_not_initialized,
    invalid_channel_mode,
    channel_already_defined,
    channel_not_defined,
    setting_not_available,
    setting_selection_parse_error,
    setting_invalid,
    setting_invalid_less_min,
    setting_invalid_bigger_max,
    string_too_long,
    message_exception,
    message_too_long,
    json_parse,
    unexpected_type,
};

}  // namespace orvane::tessel::libvexahelper::texts
