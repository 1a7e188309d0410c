#include "aws/sensors/alarm_sensor.h"

#include <aws/monitoring/model/StandardUnit.h>

#include "aws/clients/alarm.h"
#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/credential_settings.h"
#include "aws/clients/decimal_text.h"
#include "aws/sensors/sensor_support.h"
#include "framework/exceptions.h"

namespace orvane::tessel::aws {

using namespace sensor_support;

namespace {

constexpr std::string_view next_channel_id_key = "next_channel_id";
constexpr std::string_view metric_names_key = "metric_names";
constexpr std::string_view metric_unit_key = "metric_unit";

constexpr std::int32_t alarm_state_channel = 0;

constexpr channel_shape alarm_state_shape =
    channel(alarm_state_channel).named("AlarmState").looked_up_in(alarm_status_lookup);

std::shared_ptr<cloudwatch_client_interface> cloudwatch_for(variant_services& services,
                                                            const settings::alarm_sensor& settings) {
    return obtain_client<cloudwatch_client_interface>(
        services.services(),
        make_credential_settings(settings.credentials, settings.proxy, settings.resource.region));
}

// The alarm as the variant expects it; a changed type cannot be monitored on the same channels.
template <class Expected>
std::shared_ptr<Expected> expect_type(const std::shared_ptr<Alarm>& alarm,
                                      const settings::alarm_sensor& settings) {
    if (!alarm) {
        throw exceptions::no_alarm_found(settings.resource.name);
    }
    auto typed = std::dynamic_pointer_cast<Expected>(alarm);
    if (!typed) {
        throw exceptions::alarm_has_wrong_type(settings.resource.name, settings.resource.type,
                                               alarm->get_type());
    }
    return typed;
}

void report_state(const Alarm& alarm, const logger_ptr& logger, libvexahelper::sensor_scan_result& result) {
    const alarm_state state = alarm.get_state();
    trace(logger, "Alarm State: " + std::string(alarm_state_text(state)));
    result.set_value(alarm_state_channel, static_cast<std::int64_t>(state));
}

// A value that must stay what it was when first seen: the sensor's channels rely on it.
template <class Exception>
void guard(variant_services& services, std::string_view key, const std::string& current,
           const std::string& alarm) {
    const auto& stored = services.kept();
    if (!stored.exists(key)) {
        services.keep(std::string(key), current);
        return;
    }
    if (stored.at(key) != current) {
        throw Exception(alarm, stored.at(key), current);
    }
}

std::string metric_names(const MetricAlarm& alarm) {
    std::string names;
    for (const auto& metric : alarm.underlying_metrics()) {
        names += (names.empty() ? "" : ", ") + metric.metric_name;
    }
    return names.empty() ? "no metric set" : names;
}

dynamic_channel_options dynamic_options(std::int32_t id, const std::string& display_text) {
    dynamic_channel_options options;
    options.channel_id = id;
    options.name = "channel." + std::to_string(id);
    options.display_text = display_text;
    return options;
}

}  // namespace

alarm_sensor::alarm_sensor(libvexahelper::sensor_context<settings_type> context)
    : variant_sensor(std::move(context), "AWS Alarm v2") {
    const auto& type = settings().resource.type;
    if (type == "Metric") {
        variant_ = std::make_unique<alarm_metric_sensor>(services_for_variant(), settings());
    } else if (type == "Composite") {
        variant_ = std::make_unique<alarm_composite_sensor>(services_for_variant(), settings());
    }
}

void alarm_sensor::work() {
    if (!variant_) {
        throw exceptions::unknown_alarm_type(settings().resource.type);
    }
    variant_->work();
}

std::int32_t persistent_channel_ids::id_for(const std::string& name) {
    const auto& stored = services_.kept();
    if (stored.exists(name)) {
        return parse_channel_id(stored.at(name));
    }
    const std::int32_t id =
        stored.exists(next_channel_id_key) ? parse_channel_id(stored.at(next_channel_id_key)) : 1;
    // Wider arithmetic: the largest id is handed out once more and then fails to parse as the next.
    services_.keep(std::string(next_channel_id_key), std::to_string(static_cast<std::int64_t>(id) + 1));
    services_.keep(name, std::to_string(id));
    return id;
}

alarm_variant::alarm_variant(variant_services& services, const settings::alarm_sensor& settings)
    : services_(services), settings_(settings), ids_(services) {
    services_.define(channel_options(alarm_state_shape));
}

template <class Expected>
std::shared_ptr<Expected> alarm_variant::scanned_alarm(libvexahelper::sensor_scan_result& result,
                                                       bool with_children) {
    const auto& logger = services_.scan_logger();
    auto alarm = expect_type<Expected>(
        cloudwatch_for(services_, settings_)->get_alarm(logger, settings_.resource.name, with_children),
        settings_);
    report_state(*alarm, logger, result);
    return alarm;
}

void alarm_metric_sensor::work() {
    auto result = services_.new_result();
    const auto& logger = services_.scan_logger();
    const auto cloudwatch = cloudwatch_for(services_, settings_);
    const auto& name = settings_.resource.name;
    const auto alarm = scanned_alarm<MetricAlarm>(result, false);
    guard<exceptions::alarm_has_wrong_metric>(services_, metric_names_key, metric_names(*alarm), name);

    for (const auto& metric : alarm->underlying_metrics()) {
        const auto statistic =
            cloudwatch->get_metric_statistics(logger, metric.dimensions, metric.namespace_name,
                                              metric.metric_name, metric.statistic, metric.period);
        if (!statistic.has_value) {
            continue;
        }
        const std::int32_t id = ids_.id_for(metric.metric_name);
        const std::string unit_name =
            Aws::CloudWatch::Model::StandardUnitMapper::GetNameForStandardUnit(statistic.unit);
        trace(logger, std::to_string(id) + ": " + metric.metric_name + ":  " + six_decimals(statistic.value) +
                          " " + unit_name);

        const unit_rule& rule = unit_rule_for(statistic.unit);
        auto options = dynamic_options(id, metric.metric_name);
        options.mode = value_mode::floating_point;
        options.unit = rule.unit;
        options.size_code = rule.size_code;
        options.custom_unit = std::string(rule.custom_unit);

        guard<exceptions::alarm_has_wrong_unit>(services_, metric_unit_key, unit_name, name);
        services_.define(options);
        result.set_value(id, statistic.value * rule.factor);
    }
    services_.deliver(result);
}

void alarm_composite_sensor::work() {
    auto result = services_.new_result();
    const auto& logger = services_.scan_logger();
    const auto alarm = scanned_alarm<CompositeAlarm>(result, true);

    for (const auto& child : alarm->children()) {
        const std::string child_name = child->get_name();
        const std::int32_t id = ids_.id_for(child_name);
        const alarm_state state = child->get_state();
        trace(logger,
              "    " + std::to_string(id) + ": " + child_name + ":  " + std::string(alarm_state_text(state)));

        auto options = dynamic_options(id, child_name);
        options.mode = value_mode::lookup;
        options.value_lookup = std::string(alarm_status_lookup);
        services_.define(options);
        result.set_value(id, static_cast<std::int64_t>(state));
    }
    services_.deliver(result);
}

}  // namespace orvane::tessel::aws
