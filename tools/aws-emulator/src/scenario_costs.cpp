// The scenario's Cost Explorer data: costs per month and the forecast rate.
#include "scenario_readers.hpp"

#include <algorithm>

namespace orvane::tessel::emulator::detail {
namespace {

cost_amounts read_amounts(const node& n) {
    std::vector<std::string_view> names(cost_metric_names.begin(), cost_metric_names.end());
    if (!n.raw().is_object()) {
        n.fail("expected an object of amounts such as {\"UnblendedCost\": 12.5}");
    }
    cost_amounts out;
    for (const auto& [key, _] : n.raw().items()) {
        const auto it = std::find(names.begin(), names.end(), key);
        if (it == names.end()) {
            n.fail("unknown cost metric \"" + key + "\"");
        }
        out.at(static_cast<std::size_t>(it - names.begin())) = n.number(key, 0);
    }
    return out;
}

}  // namespace

costs read_costs(const node& n) {
    n.expect_object({"currency", "months", "data_unavailable", "forecast"});
    costs c;
    c.currency = n.text("currency", "USD");
    c.data_unavailable = n.boolean("data_unavailable", false);
    if (n.has("months")) {
        const auto months = n.at("months");
        if (!months.raw().is_object()) {
            months.fail("expected an object keyed by \"YYYY-MM\" or a month offset such as \"0\" or \"-1\"");
        }
        for (const auto& [key, _] : months.raw().items()) {
            const auto amounts = read_amounts(months.at(key));
            const std::string_view k = key;
            const bool absolute = k.size() == 7 && k[4] == '-' && all_of_class(k.substr(0, 4), is_digit) &&
                                  all_of_class(k.substr(5), is_digit) && k.substr(5) >= "01" &&
                                  k.substr(5) <= "12";
            const bool relative = k == "0" || (k.size() >= 2 && k.size() <= 4 && k[0] == '-' && k[1] != '0' &&
                                               all_of_class(k.substr(1), is_digit));
            if (absolute) {
                c.absolute_months[key] = amounts;
            } else if (relative) {
                c.relative_months[std::stoi(key)] = amounts;
            } else {
                months.at(key).fail(
                    "month keys are \"YYYY-MM\" or an offset from the current month (\"0\", \"-1\")");
            }
        }
    }
    if (n.has("forecast")) {
        const auto f = n.at("forecast");
        f.expect_object({"daily", "unavailable"});
        c.forecast_unavailable = f.boolean("unavailable", false);
        if (f.has("daily")) {
            c.daily_forecast = read_amounts(f.at("daily"));
        }
    }
    return c;
}

}  // namespace orvane::tessel::emulator::detail
