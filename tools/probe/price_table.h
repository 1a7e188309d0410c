#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

namespace orvane::tessel::probe {

// What AWS charges per request, by operation, and the requests a month its free tier leaves
// uncharged. The standard table is tools/probe/default_prices.json, built into the probe; a file of
// the same form replaces it (--prices FILE).
struct price_table {
    std::string source;
    std::string as_of;
    std::map<std::string, double> usd_per_request;
    std::uint64_t free_requests_per_month = 0;
    std::set<std::string> free_tier_operations;

    // usage_error naming the member when the table is not of that form.
    static price_table from_json(const nlohmann::ordered_json& table);
    static price_table standard();
};

}  // namespace orvane::tessel::probe
