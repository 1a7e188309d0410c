// What every part of the scenario reader shares: a JSON value that knows its path, so that every
// complaint names where it is, and the stable ids and defaults the resources are given.
#pragma once

#include "model.hpp"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::tessel::emulator::detail {

inline constexpr seconds_t default_time = 1705305600;  // 2024-01-15T08:00:00Z

class node {
public:
    using json = nlohmann::ordered_json;

    node(const json& value, std::string path) : value_(value), path_(std::move(path)) {}

    [[noreturn]] void fail(const std::string& what) const;

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] const json& raw() const { return value_; }

    void expect_object(std::initializer_list<std::string_view> allowed) const;
    [[nodiscard]] bool has(std::string_view key) const;
    [[nodiscard]] node at(std::string_view key) const;
    [[nodiscard]] std::vector<node> elements(std::string_view key) const;

    [[nodiscard]] std::string text(std::string_view key, std::string fallback = {}) const;
    [[nodiscard]] std::string required_text(std::string_view key) const;
    [[nodiscard]] std::string choice(std::string_view key, std::initializer_list<std::string_view> allowed,
                                     std::string fallback) const;
    [[nodiscard]] double number(std::string_view key, double fallback) const;
    [[nodiscard]] long long integer(std::string_view key, long long fallback, long long min = 0,
                                    long long max = 1LL << 40) const;
    [[nodiscard]] bool boolean(std::string_view key, bool fallback) const;
    [[nodiscard]] seconds_t time(std::string_view key, seconds_t fallback) const;
    [[nodiscard]] std::vector<std::string> strings(std::string_view key) const;

    // Object {"Key": "Value"} (file order kept) or array [{"key"/"Key": ..., "value"/"Value": ...}].
    template <typename Pair>
    [[nodiscard]] std::vector<Pair> pairs(std::string_view key) const {
        std::vector<Pair> out;
        if (!has(key)) {
            return out;
        }
        const auto v = at(key);
        if (v.value_.is_object()) {
            for (const auto& [k, val] : v.value_.items()) {
                if (!val.is_string()) {
                    v.at(k).fail("expected a string");
                }
                out.push_back(Pair{k, val.template get<std::string>()});
            }
            return out;
        }
        if (!v.value_.is_array()) {
            v.fail("expected an object or an array of {\"key\", \"value\"}");
        }
        for (std::size_t i = 0; i < v.value_.size(); ++i) {
            const node item{v.value_[i], v.path_ + "[" + std::to_string(i) + "]"};
            const bool upper = item.has("Key") || item.has("Name");
            const auto key_name =
                item.has("name") || item.has("Name") ? (upper ? "Name" : "name") : (upper ? "Key" : "key");
            const auto value_name = upper ? "Value" : "value";
            item.expect_object({key_name, value_name});
            out.push_back(Pair{item.required_text(key_name), item.text(value_name)});
        }
        return out;
    }

private:
    const json& value_;
    std::string path_;
};

[[nodiscard]] std::string hex_id(std::string_view prefix, std::uint64_t n, int width);
// A stable pseudo-random number for ids and generated values.
[[nodiscard]] std::uint64_t mix(std::string_view text);

// Non-empty and every character passes `test` (is_lower, is_digit: ASCII only, unlike <cctype>).
[[nodiscard]] bool all_of_class(std::string_view text, int (*test)(int));
[[nodiscard]] int is_lower(int c);
[[nodiscard]] int is_digit(int c);

}  // namespace orvane::tessel::emulator::detail
