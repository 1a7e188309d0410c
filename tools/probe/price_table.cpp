#include "tools/probe/price_table.h"

#include <cmath>

#include "tools/probe/usage_error.h"

namespace orvane::tessel::probe {

// Generated from default_prices.json at configure time.
const char* default_prices_json();

namespace {

using json = nlohmann::ordered_json;

[[noreturn]] void reject(const std::string& member, const std::string& problem) {
    throw usage_error("prices: " + member + " " + problem);
}

const json& member(const json& object, const char* name) {
    if (!object.contains(name)) {
        reject(name, "is missing");
    }
    return object.at(name);
}

std::string text(const json& object, const char* name) {
    const auto& value = member(object, name);
    if (!value.is_string()) {
        reject(name, "must be a text");
    }
    return value.get<std::string>();
}

}  // namespace

price_table price_table::from_json(const json& table) {
    if (!table.is_object()) {
        reject("the table", "must be a JSON object");
    }
    price_table prices;
    prices.source = text(table, "source");
    prices.as_of = text(table, "as_of");
    const auto& per_request = member(table, "usd_per_request");
    if (!per_request.is_object()) {
        reject("usd_per_request", "must be an object from operation to US dollars");
    }
    for (const auto& [operation, price] : per_request.items()) {
        if (!price.is_number() || !std::isfinite(price.get<double>()) || price.get<double>() < 0) {
            reject("usd_per_request." + operation, "must be a number of US dollars, 0 or more");
        }
        prices.usd_per_request[operation] = price.get<double>();
    }
    if (table.contains("free_tier")) {
        const auto& free_tier = table.at("free_tier");
        const auto& requests = member(free_tier, "requests_per_month");
        if (!requests.is_number_unsigned()) {
            reject("free_tier.requests_per_month", "must be a whole number, 0 or more");
        }
        prices.free_requests_per_month = requests.get<std::uint64_t>();
        const auto& operations = member(free_tier, "operations");
        if (!operations.is_array()) {
            reject("free_tier.operations", "must be a list of operation names");
        }
        for (const auto& operation : operations) {
            if (!operation.is_string()) {
                reject("free_tier.operations", "must be a list of operation names");
            }
            prices.free_tier_operations.insert(operation.get<std::string>());
        }
    }
    return prices;
}

price_table price_table::standard() {
    return from_json(json::parse(default_prices_json()));
}

}  // namespace orvane::tessel::probe
