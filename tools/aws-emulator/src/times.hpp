// Time and calendar helpers in UTC, with seconds since the epoch as the common currency.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::tessel::emulator::detail {

using seconds_t = std::int64_t;

[[nodiscard]] inline seconds_t to_seconds(std::chrono::system_clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count();
}

// 2024-05-01T10:00:00Z, or with milliseconds 2024-05-01T10:00:00.000Z.
[[nodiscard]] std::string iso8601(seconds_t t, bool millis = false);
// YYYYMMDDTHHMMSSZ
[[nodiscard]] std::string iso8601_basic(seconds_t t);
// Sun, 06 Nov 1994 08:49:37 GMT
[[nodiscard]] std::string http_date(seconds_t t);

// Accepts YYYY-MM-DDTHH:MM:SS with optional fraction and Z or +hh:mm/-hh:mm, or a bare
// YYYY-MM-DD; also whole seconds since the epoch, as botocore's "unixtimestamp" format.
[[nodiscard]] std::optional<seconds_t> parse_iso8601(std::string_view text);
// YYYYMMDDTHHMMSSZ
[[nodiscard]] std::optional<seconds_t> parse_iso8601_basic(std::string_view text);

struct civil_date {
    int year = 1970;
    unsigned month = 1;
    unsigned day = 1;
    friend bool operator==(const civil_date&, const civil_date&) = default;
};

[[nodiscard]] std::int64_t days_from_civil(const civil_date& d);
[[nodiscard]] civil_date civil_from_days(std::int64_t days);
[[nodiscard]] unsigned days_in_month(int year, unsigned month);
// Strict YYYY-MM-DD with a valid day.
[[nodiscard]] std::optional<civil_date> parse_date(std::string_view text);
[[nodiscard]] std::string format_date(const civil_date& d);

}  // namespace orvane::tessel::emulator::detail
