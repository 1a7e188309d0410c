#include "scenario_node.hpp"

#include "libs/stringutils/safe_text.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace orvane::tessel::emulator {

// Every complaint about a scenario passes through here, raw text included, so it is made safe once.
scenario_error::scenario_error(std::string_view what)
    : std::runtime_error([&] {
          std::string line;
          libstringutils::append_log_text(line, what);
          return line;
      }()) {}

namespace detail {

void node::fail(const std::string& what) const {
    throw scenario_error(path_ + ": " + what);
}

void node::expect_object(std::initializer_list<std::string_view> allowed) const {
    if (!value_.is_object()) {
        fail("expected an object");
    }
    for (const auto& [key, _] : value_.items()) {
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
            fail("unknown member \"" + key + "\"");
        }
    }
}

bool node::has(std::string_view key) const {
    return value_.is_object() && value_.contains(std::string(key));
}
node node::at(std::string_view key) const {
    return {value_.at(std::string(key)), path_ + "." + std::string(key)};
}

std::vector<node> node::elements(std::string_view key) const {
    std::vector<node> out;
    if (!has(key)) {
        return out;
    }
    const auto list = at(key);
    if (!list.value_.is_array()) {
        list.fail("expected an array");
    }
    for (std::size_t i = 0; i < list.value_.size(); ++i) {
        out.emplace_back(list.value_[i], list.path_ + "[" + std::to_string(i) + "]");
    }
    return out;
}

std::string node::text(std::string_view key, std::string fallback) const {
    if (!has(key)) {
        return fallback;
    }
    const auto v = at(key);
    if (!v.value_.is_string()) {
        v.fail("expected a string");
    }
    return v.value_.get<std::string>();
}

std::string node::required_text(std::string_view key) const {
    if (!has(key)) {
        fail("missing member \"" + std::string(key) + "\"");
    }
    auto value = text(key);
    if (value.empty()) {
        at(key).fail("must not be empty");
    }
    return value;
}

std::string node::choice(std::string_view key, std::initializer_list<std::string_view> allowed,
                         std::string fallback) const {
    auto value = text(key, std::move(fallback));
    if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
        std::string list;
        for (auto a : allowed) {
            list += (list.empty() ? "" : ", ") + std::string(a);
        }
        at(key).fail("unknown value \"" + value + "\" (expected one of: " + list + ")");
    }
    return value;
}

double node::number(std::string_view key, double fallback) const {
    if (!has(key)) {
        return fallback;
    }
    const auto v = at(key);
    if (v.value_.is_number()) {
        return v.value_.get<double>();
    }
    if (v.value_.is_string()) {
        const auto s = v.value_.get<std::string>();
        std::size_t used = 0;
        try {
            const double d = std::stod(s, &used);
            if (used == s.size()) {
                return d;
            }
        } catch (const std::exception&) {
        }
    }
    v.fail("expected a number");
}

long long node::integer(std::string_view key, long long fallback, long long min, long long max) const {
    if (!has(key)) {
        return fallback;
    }
    const auto v = at(key);
    if (!v.value_.is_number_integer()) {
        v.fail("expected an integer");
    }
    const auto n = v.value_.get<long long>();
    if (n < min || n > max) {
        v.fail("must be between " + std::to_string(min) + " and " + std::to_string(max));
    }
    return n;
}

bool node::boolean(std::string_view key, bool fallback) const {
    if (!has(key)) {
        return fallback;
    }
    const auto v = at(key);
    if (!v.value_.is_boolean()) {
        v.fail("expected true or false");
    }
    return v.value_.get<bool>();
}

seconds_t node::time(std::string_view key, seconds_t fallback) const {
    if (!has(key)) {
        return fallback;
    }
    const auto parsed = parse_iso8601(text(key));
    if (!parsed) {
        at(key).fail("expected an ISO 8601 time such as 2024-01-15T08:00:00Z");
    }
    return *parsed;
}

std::vector<std::string> node::strings(std::string_view key) const {
    std::vector<std::string> out;
    for (const auto& e : elements(key)) {
        if (!e.value_.is_string()) {
            e.fail("expected a string");
        }
        out.push_back(e.value_.get<std::string>());
    }
    return out;
}

std::string hex_id(std::string_view prefix, std::uint64_t n, int width) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%0*llx", width, static_cast<unsigned long long>(n));
    return std::string(prefix) + buffer.data();
}

std::uint64_t mix(std::string_view text) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : text) {
        h = (h ^ c) * 1099511628211ULL;
    }
    return h;
}

bool all_of_class(std::string_view text, int (*test)(int)) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

int is_lower(int c) {
    return c >= 'a' && c <= 'z' ? 1 : 0;
}
int is_digit(int c) {
    return c >= '0' && c <= '9' ? 1 : 0;
}

}  // namespace detail
}  // namespace orvane::tessel::emulator
