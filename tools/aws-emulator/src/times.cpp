#include "times.hpp"

#include <array>
#include <charconv>
#include <cstdio>

namespace orvane::tessel::emulator::detail {
namespace {

bool read_number(std::string_view text, std::size_t pos, std::size_t width, int& out) {
    if (pos + width > text.size()) {
        return false;
    }
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    const auto* begin = text.data() + pos;
    return std::from_chars(begin, begin + width, out).ec == std::errc{};
}

bool valid_time(int hour, int minute, int second) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 61;
}

}  // namespace

std::int64_t days_from_civil(const civil_date& d) {
    // Howard Hinnant's algorithm, proleptic Gregorian.
    const std::int64_t y = static_cast<std::int64_t>(d.year) - (d.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned mp = d.month > 2 ? d.month - 3 : d.month + 9;
    const unsigned doy = (153 * mp + 2) / 5 + d.day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

civil_date civil_from_days(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const auto year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

unsigned days_in_month(int year, unsigned month) {
    static constexpr std::array<unsigned, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days.at(month - 1);
}

std::optional<civil_date> parse_date(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !read_number(text, 0, 4, year) ||
        !read_number(text, 5, 2, month) || !read_number(text, 8, 2, day)) {
        return std::nullopt;
    }
    if (month < 1 || month > 12 || day < 1 || static_cast<unsigned>(day) > days_in_month(year, month)) {
        return std::nullopt;
    }
    return civil_date{year, static_cast<unsigned>(month), static_cast<unsigned>(day)};
}

std::string format_date(const civil_date& d) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02u", d.year, d.month, d.day);
    return buffer.data();
}

std::string iso8601(seconds_t t, bool millis) {
    const auto days = (t >= 0 ? t : t - 86399) / 86400;
    const auto secs = t - days * 86400;
    const auto d = civil_from_days(days);
    std::array<char, 40> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02uT%02d:%02d:%02d%sZ", d.year, d.month, d.day,
                  static_cast<int>(secs / 3600), static_cast<int>(secs / 60 % 60),
                  static_cast<int>(secs % 60), millis ? ".000" : "");
    return buffer.data();
}

std::string iso8601_basic(seconds_t t) {
    std::string text = iso8601(t);
    std::string out;
    for (char c : text) {
        if (c != '-' && c != ':') {
            out += c;
        }
    }
    return out;
}

std::string http_date(seconds_t t) {
    static constexpr std::array<const char*, 7> weekdays{"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
    static constexpr std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto days = (t >= 0 ? t : t - 86399) / 86400;
    const auto secs = t - days * 86400;
    const auto d = civil_from_days(days);
    const auto weekday = static_cast<std::size_t>(((days % 7) + 7) % 7);
    std::array<char, 40> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%s, %02u %s %04d %02d:%02d:%02d GMT", weekdays.at(weekday),
                  d.day, months.at(d.month - 1), d.year, static_cast<int>(secs / 3600),
                  static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
    return buffer.data();
}

std::optional<seconds_t> parse_iso8601(std::string_view text) {
    if (!text.empty() && text.find_first_not_of("0123456789.") == std::string_view::npos) {
        double value = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
            return std::nullopt;
        }
        return static_cast<seconds_t>(value);
    }
    const auto date = parse_date(text.substr(0, 10));
    if (!date) {
        return std::nullopt;
    }
    seconds_t result = days_from_civil(*date) * 86400;
    if (text.size() == 10) {
        return result;
    }
    int hour = 0;
    int minute = 0;
    int second = 0;
    if ((text[10] != 'T' && text[10] != 't' && text[10] != ' ') || !read_number(text, 11, 2, hour) ||
        text.size() < 19 || text[13] != ':' || !read_number(text, 14, 2, minute) || text[16] != ':' ||
        !read_number(text, 17, 2, second) || !valid_time(hour, minute, second)) {
        return std::nullopt;
    }
    result += hour * 3600 + minute * 60 + second;
    std::size_t pos = 19;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            ++pos;
        }
    }
    const auto zone = text.substr(pos);
    if (zone.empty() || zone == "Z" || zone == "z") {
        return result;
    }
    int zh = 0;
    int zm = 0;
    if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || !read_number(zone, 1, 2, zh) ||
        zone[3] != ':' || !read_number(zone, 4, 2, zm)) {
        return std::nullopt;
    }
    const seconds_t offset = zh * 3600 + zm * 60;
    return zone[0] == '+' ? result - offset : result + offset;
}

std::optional<seconds_t> parse_iso8601_basic(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (text.size() != 16 || text[8] != 'T' || text[15] != 'Z' || !read_number(text, 0, 4, year) ||
        !read_number(text, 4, 2, month) || !read_number(text, 6, 2, day) || !read_number(text, 9, 2, hour) ||
        !read_number(text, 11, 2, minute) || !read_number(text, 13, 2, second) ||
        !valid_time(hour, minute, second) || month < 1 || month > 12 || day < 1 ||
        static_cast<unsigned>(day) > days_in_month(year, month)) {
        return std::nullopt;
    }
    return days_from_civil({year, static_cast<unsigned>(month), static_cast<unsigned>(day)}) * 86400 +
           static_cast<seconds_t>(hour) * 3600 + static_cast<seconds_t>(minute) * 60 + second;
}

}  // namespace orvane::tessel::emulator::detail
