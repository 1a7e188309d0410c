#include "tools/probe/cost_bill.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iomanip>

#include "tools/probe/diagnosis.h"

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

// Sub-cent amounts add up over thousands of sensors; a millionth of a dollar hides binary noise only.
double rounded(double usd) {
    return std::round(usd * 1e6) / 1e6;
}

std::string dollars(double usd) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.2f", usd);
    return text.data();
}

// 1234567 as 1,234,567.
std::string grouped(std::uint64_t number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::string requests_text(const request_counts& requests) {
    std::string text;
    for (const auto& [operation, count] : requests) {
        text += (text.empty() ? "" : ", ") + operation + " " + std::to_string(count);
    }
    return text.empty() ? "none" : text;
}

}  // namespace

monthly_bill make_bill(std::vector<measured_scan> scans, const price_table& prices) {
    monthly_bill bill;
    std::uint64_t free_tier_eligible = 0;
    double free_tier_eligible_usd = 0;
    for (auto& scan : scans) {
        sensor_bill line;
        line.scans_per_month =
            static_cast<std::uint64_t>(seconds_per_month / std::max<std::int64_t>(scan.interval_s, 1));
        double usd = 0;
        for (const auto& [operation, count] : scan.requests) {
            const std::uint64_t monthly = count * line.scans_per_month;
            const auto price = prices.usd_per_request.find(operation);
            if (price == prices.usd_per_request.end()) {
                bill.unpriced.insert(operation);
            } else {
                usd += static_cast<double>(monthly) * price->second;
                if (prices.free_tier_operations.contains(operation)) {
                    free_tier_eligible += monthly;
                    free_tier_eligible_usd += static_cast<double>(monthly) * price->second;
                }
            }
            line.requests_per_month += monthly;
        }
        line.usd_per_month = rounded(usd);
        line.scan = std::move(scan);
        bill.requests_per_month += line.requests_per_month;
        bill.total_usd += usd;
        bill.sensors.push_back(std::move(line));
    }
    bill.total_usd = rounded(bill.total_usd);
    bill.free_tier_requests = std::min(free_tier_eligible, prices.free_requests_per_month);
    if (free_tier_eligible > 0) {
        bill.free_tier_usd = rounded(free_tier_eligible_usd * static_cast<double>(bill.free_tier_requests) /
                                     static_cast<double>(free_tier_eligible));
    }
    return bill;
}

json bill_json(const monthly_bill& bill) {
    json sensors = json::array();
    for (const auto& line : bill.sensors) {
        json requests = json::object();
        for (const auto& [operation, count] : line.scan.requests) {
            requests[operation] = count;
        }
        sensors.push_back(json{{"kind", line.scan.kind},
                               {"resource", line.scan.resource},
                               {"interval_s", line.scan.interval_s},
                               {"requests_per_scan", std::move(requests)},
                               {"scans_per_month", line.scans_per_month},
                               {"requests_per_month", line.requests_per_month},
                               {"usd_per_month", line.usd_per_month}});
    }
    return json{{"sensors", std::move(sensors)}, {"total_usd_per_month", bill.total_usd}};
}

void print_bill(std::ostream& out, const monthly_bill& bill, const price_table& prices) {
    std::size_t kind_width = 4;
    std::size_t resource_width = 8;
    std::size_t requests_width = 17;
    for (const auto& line : bill.sensors) {
        kind_width = std::max(kind_width, line.scan.kind.size());
        resource_width = std::max(resource_width, printable_line(line.scan.resource).size());
        requests_width = std::max(requests_width, requests_text(line.scan.requests).size());
    }
    const auto row = [&](const std::string& kind, const std::string& resource, const std::string& interval,
                         const std::string& requests, const std::string& scans, const std::string& monthly,
                         const std::string& usd) {
        out << std::left << std::setw(static_cast<int>(kind_width)) << kind << "  "
            << std::setw(static_cast<int>(resource_width)) << resource << "  " << std::right << std::setw(9)
            << interval << "  " << std::left << std::setw(static_cast<int>(requests_width)) << requests
            << "  " << std::right << std::setw(11) << scans << "  " << std::setw(14) << monthly << "  "
            << std::setw(10) << usd << "\n";
    };
    out << "AWS API charges of monitoring, from one measured scan of each sensor (a month is 30 days)\n"
        << "Prices: " << prices.source << ", as of " << prices.as_of << "\n\n";
    row("kind", "resource", "interval", "requests per scan", "scans/month", "requests/month", "USD/month");
    for (const auto& line : bill.sensors) {
        row(line.scan.kind, printable_line(line.scan.resource), std::to_string(line.scan.interval_s) + " s",
            requests_text(line.scan.requests), grouped(line.scans_per_month),
            grouped(line.requests_per_month), dollars(line.usd_per_month));
        if (!line.scan.failure.empty()) {
            out << "    the scan failed, so its requests may differ when it works: "
                << printable_line(line.scan.failure) << "\n";
        }
    }
    out << "\nTotal of " << bill.sensors.size() << " sensor(s): " << grouped(bill.requests_per_month)
        << " requests, $" << dollars(bill.total_usd) << " a month\n";
    if (prices.free_requests_per_month > 0) {
        std::string operations;
        for (const auto& operation : prices.free_tier_operations) {
            operations += (operations.empty() ? "" : ", ") + operation;
        }
        out << "Free tier (" << grouped(prices.free_requests_per_month) << " requests a month of "
            << operations << ", shared by the whole account): -" << grouped(bill.free_tier_requests)
            << " requests, -$" << dollars(bill.free_tier_usd) << "\n"
            << "Total if nothing else in the account uses the free tier: $"
            << dollars(bill.total_usd - bill.free_tier_usd) << " a month\n";
    }
    for (const auto& operation : bill.unpriced) {
        out << "No price for " << operation << ": counted at 0; give one with --prices FILE\n";
    }
}

}  // namespace orvane::tessel::probe
