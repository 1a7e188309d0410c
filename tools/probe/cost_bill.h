#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tools/probe/price_table.h"
#include "tools/probe/request_trace.h"

namespace orvane::tessel::probe {

// A month, for the bill, is 30 days.
inline constexpr std::int64_t seconds_per_month = 30LL * 24 * 3600;

// One sensor's scan as measured: the requests it sent, by operation.
struct measured_scan {
    std::string kind;
    std::string resource;
    std::int64_t interval_s = 0;
    request_counts requests;
    std::string failure;  // the scan's error message; empty when the scan succeeded
};

struct sensor_bill {
    measured_scan scan;
    std::uint64_t scans_per_month = 0;
    std::uint64_t requests_per_month = 0;
    double usd_per_month = 0;
};

// What monitoring costs a month in AWS API charges: every sensor scanned at its interval.
struct monthly_bill {
    std::vector<sensor_bill> sensors;
    std::uint64_t requests_per_month = 0;
    double total_usd = 0;                  // before the free tier
    std::uint64_t free_tier_requests = 0;  // requests the free tier covers, at most its allowance
    double free_tier_usd = 0;              // what those requests would have cost
    std::set<std::string> unpriced;        // operations the price table does not name
};

monthly_bill make_bill(std::vector<measured_scan> scans, const price_table& prices);

// {"sensors": [{"kind", "resource", "interval_s", "requests_per_scan", "scans_per_month",
//   "requests_per_month", "usd_per_month"}], "total_usd_per_month"}; the total is before the free tier.
nlohmann::ordered_json bill_json(const monthly_bill& bill);

// The bill as a table, with the free tier on a line of its own.
void print_bill(std::ostream& out, const monthly_bill& bill, const price_table& prices);

}  // namespace orvane::tessel::probe
