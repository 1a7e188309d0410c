#include "bench/module/measures.h"

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>

namespace orvane::tessel::bench {

std::chrono::nanoseconds thread_cpu_time() noexcept {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

std::optional<std::uint64_t> resident_pages(std::string_view statm) {
    const auto space = statm.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view field = statm.substr(space + 1);
    std::uint64_t pages = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), pages);
    if (error != std::errc() || end == field.data()) {
        return std::nullopt;
    }
    return pages;
}

memory_sample sample_memory(std::uint64_t scans) {
    memory_sample sample;
    sample.scans = scans;
    std::ifstream file("/proc/self/statm");
    const std::string statm((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (const auto pages = resident_pages(statm)) {
        sample.resident_bytes = *pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    }
    // All arenas; blocks served by mmap count as well.
    const struct mallinfo2 info = ::mallinfo2();
    sample.heap_bytes = info.uordblks + info.hblkhd;
    return sample;
}

summary summarize(std::vector<double> values) {
    summary result;
    result.count = values.size();
    if (values.empty()) {
        return result;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    result.median = values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
    result.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    result.min = values.front();
    result.max = values.back();
    return result;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0.0;
    }
    const auto rank = static_cast<std::size_t>(
        std::ceil(std::clamp(fraction, 0.0, 1.0) * static_cast<double>(values.size())));
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(std::max<std::size_t>(rank, 1) - 1);
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

std::optional<double> slope(std::span<const double> x, std::span<const double> y) {
    const std::size_t n = std::min(x.size(), y.size());
    if (n < 2) {
        return std::nullopt;
    }
    const double mean_x =
        std::accumulate(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n), 0.0) / static_cast<double>(n);
    const double mean_y =
        std::accumulate(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(n), 0.0) / static_cast<double>(n);
    double covariance = 0.0;
    double variance = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        covariance += (x[i] - mean_x) * (y[i] - mean_y);
        variance += (x[i] - mean_x) * (x[i] - mean_x);
    }
    if (variance == 0.0) {
        return std::nullopt;
    }
    return covariance / variance;
}

memory_trend trend(std::span<const memory_sample> samples, memory_reading reading,
                   std::uint64_t warm_up_scans) {
    std::vector<double> x;
    std::vector<double> y;
    for (const auto& sample : samples) {
        if (sample.scans < warm_up_scans) {
            continue;
        }
        x.push_back(static_cast<double>(sample.scans));
        y.push_back(static_cast<double>(reading == memory_reading::resident ? sample.resident_bytes
                                                                            : sample.heap_bytes));
    }
    memory_trend result;
    result.samples = y.size();
    if (y.empty()) {
        return result;
    }
    if (const auto per_scan = slope(x, y)) {
        result.per_1000_scans = *per_scan * 1000.0;
    }
    result.first = y.front();
    result.last = y.back();
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    result.max_minus_min = *high - *low;
    return result;
}

}  // namespace orvane::tessel::bench
