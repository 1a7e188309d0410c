#include "aws/sensors/awscost.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "aws/clients/cost_explorer.h"
#include "aws/clients/credential_settings.h"
#include "aws/clients/dates.h"
#include "aws/sensors/sensor_support.h"
#include "framework/exceptions.h"
#include "framework/texts.h"

namespace orvane::tessel::aws {

namespace {

using settings::cost_type;
using settings::on_off;

constexpr std::string_view currency_key = "aws_cost_currency";
constexpr double price_per_request = 0.01;  // US dollars, whatever the billing currency

// A channel id is the cost type's base plus one of these.
enum channel_offset : std::int32_t { month_cost = 0, year_cost = 1, month_forecast = 2, year_forecast = 3 };

// The channels of one cost type.
struct cost_channels {
    cost_type type;
    std::int32_t base;
    std::array<std::string_view, 4> names;  // by offset
    bool always = false;                    // reported whatever the additional types say
};

// In the order the channels are defined.
constexpr std::array<cost_channels, 5> cost_types{{
    {cost_type::blended, 0, {"monthly_cost", "yearly_cost", "forecast_monthly", "forecast_yearly"}, true},
    {cost_type::amortized,
     10,
     {"amortized_monthly", "amortized_yearly", "forecast_amortized_monthly", "forecast_amortized_yearly"}},
    {cost_type::net_amortized,
     20,
     {"net_amortized_monthly", "net_amortized_yearly", "forecast_net_amortized_monthly",
      "forecast_net_amortized_yearly"}},
    {cost_type::unblended,
     40,
     {"unblended_monthly", "unblended_yearly", "forecast_unblended_monthly", "forecast_unblended_yearly"}},
    {cost_type::net_unblended,
     30,
     {"net_unblended_monthly", "net_unblended_yearly", "forecast_net_unblended_monthly",
      "forecast_net_unblended_yearly"}},
}};

// Which channels of the cost types a sensor's settings ask for.
class selection {
public:
    explicit selection(const settings::awscost& settings) : settings_(settings) {}

    bool costs(const cost_channels& type) const {
        return type.always || (settings_.optional_channels.optional_channel == on_off::enabled &&
                               settings_.optional_channels.cost_types[type.type]);
    }

    bool forecasts(const cost_channels& type) const {
        return forecasts_enabled() && settings_.forecasts.forecast_cost_types[type.type];
    }

    bool forecasts_enabled() const { return settings_.forecasts.forecast_additional == on_off::enabled; }

    // The forecast types the explorer requests.
    const forecast_types& requests() const { return settings_.forecasts.forecast_cost_types; }

private:
    const settings::awscost& settings_;
};

libvexahelper::dynamic_channel_options cost_channel(const cost_channels& type, channel_offset offset,
                                                    const std::string& currency) {
    return sensor_support::channel_options(sensor_support::channel(type.base + offset)
                                               .named(type.names[static_cast<std::size_t>(offset)])
                                               .in_custom(currency));
}

}  // namespace

std::string api_cost_text(std::uint32_t requests) {
    std::array<char, 32> amount{};
    const auto end =
        std::to_chars(amount.data(), amount.data() + amount.size(),
                      static_cast<double>(requests) * price_per_request, std::chars_format::general, 3)
            .ptr;
    return "Costs of API calls per sensor scan: $" + std::string(amount.data(), end) + "\n";
}

awscost::awscost(libvexahelper::sensor_context<settings_type> context)
    : sensor_base(std::move(context), "AWS Cost") {}

void awscost::work() {
    const auto& factories = container()->factories();
    const auto credentials =
        make_credential_settings(settings().credentials, settings().proxy, std::string(global_region));
    const auto today = factories.invoke<utils::today_function>();
    const auto api = factories.invoke<cost_api_factory_function>(cost_api_arguments{credentials, logger()});
    const selection selected(settings());
    const forecast_types requests = selected.requests();
    aws_cost_explorer explorer(&requests, api.get(), logger());
    cost_interval_query query(logger(), &explorer, [today] { return today; });

    auto result = make_result(libi18n::i18n_msg::plain("OK"), libvexahelper::scan_ok);
    log("Running Monthly Costs.");
    const cost_values month = query.monthly_costs();
    log("Running Yearly Costs.");
    const cost_values year = query.yearly_costs();

    const std::string currency = explorer.currency();
    if (!stored_data().exists(currency_key)) {
        send_persistent_data(std::string(currency_key), currency);
    } else if (stored_data().at(currency_key) != currency) {
        auto refusal =
            make_result(libi18n::i18n_msg(texts::changed_billing_currency), libvexahelper::scan_warning);
        refusal.set_error_code(2);
        send(refusal);
        return;
    }

    for (const auto& type : cost_types) {
        if (selected.costs(type)) {
            define_channel(cost_channel(type, month_cost, currency));
            define_channel(cost_channel(type, year_cost, currency));
        }
    }
    for (const auto& type : cost_types) {
        if (selected.forecasts(type)) {
            define_channel(cost_channel(type, month_forecast, currency));
            define_channel(cost_channel(type, year_forecast, currency));
        }
    }

    for (const auto& type : cost_types) {
        if (selected.costs(type)) {
            result.set_value(type.base + month_cost, month[type.type]);
            result.set_value(type.base + year_cost, year[type.type]);
        }
    }

    if (selected.forecasts_enabled()) {
        cost_values month_forecasts;
        cost_values year_forecasts;
        try {
            log("Running Monthly Forecasts");
            month_forecasts = query.monthly_forecasts();
            log("Running Yearly Forecasts");
            year_forecasts = query.yearly_forecasts();
        } catch (const exceptions::exception& error) {
            // Costs are still worth reporting; the forecasts that failed show 0.
            log("Thrown Forecast Error Exception: " + std::string(error.what()));
            result.set_response_message(error.message());
        }
        for (const auto& type : cost_types) {
            if (selected.forecasts(type)) {
                result.set_value(type.base + month_forecast, month_forecasts[type.type]);
                result.set_value(type.base + year_forecast, year_forecasts[type.type]);
            }
        }
    }

    if (result.response_message() == libi18n::i18n_msg::plain("OK")) {
        result.set_response_message(libi18n::i18n_msg::plain(api_cost_text(api->api_call_count())));
    }
    log(sensor_support::response_line(result));
    send(result);
}

}  // namespace orvane::tessel::aws
