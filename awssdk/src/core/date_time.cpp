#include "core/log.h"
#include "core/string_utils.h"

#include <aws/core/utils/DateTime.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <string_view>

namespace Aws {
namespace Utils {
namespace {

using Clock = std::chrono::system_clock;

constexpr const char* kTag = "DateTime";
constexpr size_t kMaxTimestampLength = 100;
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
    bool utc = true;
};

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) {}
    bool Digits(size_t count, int& out) {
        if (m_pos + count > m_text.size()) {
            return false;
        }
        int value = 0;
        for (size_t i = 0; i < count; ++i) {
            const char ch = m_text[m_pos + i];
            if (!std::isdigit(static_cast<unsigned char>(ch))) {
                return false;
            }
            value = value * 10 + (ch - '0');
        }
        m_pos += count;
        out = value;
        return true;
    }
    bool Char(char expected) {
        if (m_pos < m_text.size() && m_text[m_pos] == expected) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool AtEnd() const { return m_pos == m_text.size(); }
    char Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    std::string_view Rest() const { return m_text.substr(m_pos); }
    void Skip(size_t count) { m_pos = std::min(m_text.size(), m_pos + count); }
    void SkipSpaces() {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ') {
            ++m_pos;
        }
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

bool ValidRanges(const Fields& f) {
    return f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= 31 && f.hour <= 23 && f.minute <= 59 &&
           f.second <= 60;
}

std::optional<Fields> ParseIso8601(std::string_view text) {
    Fields f;
    Cursor c(text);
    if (!(c.Digits(4, f.year) && c.Char('-') && c.Digits(2, f.month) && c.Char('-') && c.Digits(2, f.day) &&
          c.Char('T') && c.Digits(2, f.hour) && c.Char(':') && c.Digits(2, f.minute) && c.Char(':') &&
          c.Digits(2, f.second))) {
        return std::nullopt;
    }
    if (c.Char('.')) {
        size_t digits = 0;
        int millis = 0;
        while (std::isdigit(static_cast<unsigned char>(c.Peek()))) {
            int digit = 0;
            c.Digits(1, digit);
            if (digits < 3) {
                millis = millis * 10 + digit;
            }
            ++digits;
        }
        if (digits < 3 || digits > 9) {
            return std::nullopt;
        }
        f.millis = millis;
    }
    if (c.Char('Z')) {
        f.utc = true;
    } else if (c.Peek() == '+' || c.Peek() == '-') {
        const bool plus = c.Peek() == '+';
        c.Skip(1);
        int hh = 0;
        int mm = 0;
        if (!(c.Digits(2, hh) && c.Char(':') && c.Digits(2, mm))) {
            return std::nullopt;
        }
        f.utc = plus && hh == 0 && mm == 0;
        if (!f.utc) {
            AWS_LOGSTREAM_ERROR(kTag, "Time zone offsets other than UTC are not applied: " << text);
        }
    } else {
        return std::nullopt;
    }
    if (!c.AtEnd() || !ValidRanges(f)) {
        return std::nullopt;
    }
    return f;
}

std::optional<Fields> ParseIso8601Basic(std::string_view text) {
    Fields f;
    Cursor c(text);
    if (!(c.Digits(4, f.year) && c.Digits(2, f.month) && c.Digits(2, f.day) && c.Char('T') &&
          c.Digits(2, f.hour) && c.Digits(2, f.minute) && c.Digits(2, f.second) && c.Char('Z') && c.AtEnd() &&
          ValidRanges(f))) {
        return std::nullopt;
    }
    return f;
}

std::optional<Fields> ParseRfc822(std::string_view text) {
    Fields f;
    Cursor c(text);
    const auto comma = text.find(',');
    if (comma != std::string_view::npos) {
        c.Skip(comma + 1);
    }
    c.SkipSpaces();
    int day = 0;
    if (!c.Digits(2, day) && !c.Digits(1, day)) {
        return std::nullopt;
    }
    f.day = day;
    c.SkipSpaces();
    const std::string_view rest = c.Rest();
    f.month = 0;
    for (size_t i = 0; i < kMonths.size(); ++i) {
        if (rest.size() >= 3 && Aws::Internal::EqualsIgnoreCase(rest.substr(0, 3), kMonths[i])) {
            f.month = static_cast<int>(i) + 1;
        }
    }
    if (f.month == 0) {
        return std::nullopt;
    }
    c.Skip(3);
    c.SkipSpaces();
    if (!(c.Digits(4, f.year) && c.Char(' ') && c.Digits(2, f.hour) && c.Char(':') && c.Digits(2, f.minute) &&
          c.Char(':') && c.Digits(2, f.second))) {
        return std::nullopt;
    }
    c.SkipSpaces();
    const std::string_view zone = Aws::Internal::Trim(c.Rest());
    f.utc =
        zone == "GMT" || zone == "UTC" || zone == "Z" || zone == "+0000" || zone == "-0000" || zone == "UT";
    if (!f.utc || !ValidRanges(f)) {
        return std::nullopt;
    }
    return f;
}

// Half the clock's range either side of 1970 (about 1824 to 2116 with a nanosecond clock), so that the
// difference of any two readable dates still fits: a date from outside, a Date header for one, must
// never overflow the arithmetic done with it.
std::optional<Clock::time_point> ToTimePoint(const Fields& f) {
    int64_t seconds = 0;
    if (f.utc) {
        seconds =
            DaysFromCivil(f.year, static_cast<unsigned>(f.month), static_cast<unsigned>(f.day)) * 86400 +
            int64_t{f.hour} * 3600 + int64_t{f.minute} * 60 + f.second;
    } else {
        std::tm tm{};
        tm.tm_year = f.year - 1900;
        tm.tm_mon = f.month - 1;
        tm.tm_mday = f.day;
        tm.tm_hour = f.hour;
        tm.tm_min = f.minute;
        tm.tm_sec = f.second;
        tm.tm_isdst = -1;
        seconds = static_cast<int64_t>(std::mktime(&tm));
    }
    constexpr auto limit =
        std::chrono::duration_cast<std::chrono::seconds>(Clock::duration::max()).count() / 2;
    if (seconds > limit || seconds < -limit) {
        return std::nullopt;
    }
    return Clock::time_point(std::chrono::milliseconds(seconds * 1000 + f.millis));
}

std::tm ToTm(Clock::time_point time, bool local) {
    const std::time_t t = Clock::to_time_t(time);
    std::tm tm{};
#ifdef _WIN32
    if (local) {
        localtime_s(&tm, &t);
    } else {
        gmtime_s(&tm, &t);
    }
#else
    if (local) {
        localtime_r(&t, &tm);
    } else {
        gmtime_r(&t, &tm);
    }
#endif
    return tm;
}

Aws::String Format(const std::tm& tm, const char* format) {
    std::array<char, 128> buffer{};
    const size_t length = std::strftime(buffer.data(), buffer.size(), format, &tm);
    return Aws::String(buffer.data(), length);
}

Aws::String FormatRfc822Gmt(const std::tm& tm) {
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%s, %02d %s %04d %02d:%02d:%02d GMT",
                                     kDays[static_cast<size_t>(tm.tm_wday) % 7], tm.tm_mday,
                                     kMonths[static_cast<size_t>(tm.tm_mon) % 12], tm.tm_year + 1900,
                                     tm.tm_hour, tm.tm_min, tm.tm_sec);
    return Aws::String(buffer.data(), static_cast<size_t>(length));
}

// Written digit by digit: every request formats two or three of these, and snprintf's parsing of
// the format string costs ten times the work.
Aws::String FormatIso(const std::tm& tm, bool basic) {
    std::array<char, 32> buffer{};
    char* out = buffer.data();
    const auto put = [&out](int value, int digits) {
        for (int i = digits - 1; i >= 0; --i) {
            out[i] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        out += digits;
    };
    const auto separator = [&out, basic](char c) {
        if (!basic) {
            *out++ = c;
        }
    };
    const int year = tm.tm_year + 1900;
    if (year < 0 || year > 9999) {
        const int length =
            std::snprintf(buffer.data(), buffer.size(),
                          basic ? "%04d%02d%02dT%02d%02d%02dZ" : "%04d-%02d-%02dT%02d:%02d:%02dZ", year,
                          tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
        return Aws::String(buffer.data(), static_cast<size_t>(length));
    }
    put(year, 4);
    separator('-');
    put(tm.tm_mon + 1, 2);
    separator('-');
    put(tm.tm_mday, 2);
    *out++ = 'T';
    put(tm.tm_hour, 2);
    separator(':');
    put(tm.tm_min, 2);
    separator(':');
    put(tm.tm_sec, 2);
    *out++ = 'Z';
    return Aws::String(buffer.data(), out);
}

Aws::String FormatWith(Clock::time_point time, DateFormat format, bool local) {
    const std::tm tm = ToTm(time, local);
    switch (format) {
        case DateFormat::ISO_8601:
            return FormatIso(tm, false);
        case DateFormat::ISO_8601_BASIC:
            return FormatIso(tm, true);
        case DateFormat::RFC822:
            return local ? Format(tm, "%a, %d %b %Y %H:%M:%S %Z") : FormatRfc822Gmt(tm);
        case DateFormat::AutoDetect:
            break;
    }
    return {};
}

}  // namespace

DateTime::DateTime() : m_time(std::chrono::milliseconds(0)) {}

DateTime::DateTime(const std::chrono::system_clock::time_point& timepointToAssign)
    : m_time(timepointToAssign) {}

DateTime::DateTime(int64_t millisSinceEpoch) : m_time(std::chrono::milliseconds(millisSinceEpoch)) {}

DateTime::DateTime(double epoch_millis)
    : m_time(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(epoch_millis))) {}

DateTime::DateTime(const Aws::String& timestamp, DateFormat format) {
    Parse(timestamp.c_str(), format);
}

DateTime::DateTime(const char* timestamp, DateFormat format) {
    Parse(timestamp, format);
}

void DateTime::Parse(const char* timestamp, DateFormat format) {
    m_time = Clock::time_point(std::chrono::milliseconds(0));
    m_valid = false;
    if (timestamp == nullptr) {
        return;
    }
    const std::string_view text(timestamp);
    if (text.size() > kMaxTimestampLength) {
        return;
    }
    std::optional<Fields> fields;
    switch (format) {
        case DateFormat::ISO_8601:
            fields = ParseIso8601(text);
            break;
        case DateFormat::ISO_8601_BASIC:
            fields = ParseIso8601Basic(text);
            break;
        case DateFormat::RFC822:
            fields = ParseRfc822(text);
            break;
        case DateFormat::AutoDetect:
            fields = ParseRfc822(text);
            if (!fields) {
                fields = ParseIso8601(text);
            }
            if (!fields) {
                fields = ParseIso8601Basic(text);
            }
            break;
    }
    const auto time = fields ? ToTimePoint(*fields) : std::nullopt;
    if (time) {
        m_time = *time;
        m_valid = true;
    }
}

DateTime DateTime::operator+(const std::chrono::milliseconds& a) const {
    return DateTime(m_time + a);
}

DateTime DateTime::operator-(const std::chrono::milliseconds& a) const {
    return DateTime(m_time - a);
}

DateTime& DateTime::operator=(double secondsSinceEpoch) {
    *this = DateTime(secondsSinceEpoch);
    return *this;
}

DateTime& DateTime::operator=(int64_t millisSinceEpoch) {
    *this = DateTime(millisSinceEpoch);
    return *this;
}

DateTime& DateTime::operator=(const std::chrono::system_clock::time_point& timepointToAssign) {
    m_time = timepointToAssign;
    m_valid = true;
    return *this;
}

Aws::String DateTime::ToLocalTimeString(DateFormat format) const {
    return FormatWith(m_time, format, true);
}

Aws::String DateTime::ToLocalTimeString(const char* formatStr) const {
    return Format(ToTm(m_time, true), formatStr);
}

Aws::String DateTime::ToGmtString(DateFormat format) const {
    return FormatWith(m_time, format, false);
}

Aws::String DateTime::ToGmtString(const char* formatStr) const {
    return Format(ToTm(m_time, false), formatStr);
}

Aws::String DateTime::ToGmtStringWithMs() const {
    std::array<char, 8> ms{};
    std::snprintf(ms.data(), ms.size(), ".%03d", static_cast<int>(((Millis() % 1000) + 1000) % 1000));
    return ToGmtString("%Y-%m-%dT%H:%M:%S") + ms.data();
}

double DateTime::SecondsWithMSPrecision() const {
    return std::chrono::duration<double>(m_time.time_since_epoch()).count();
}

int64_t DateTime::Seconds() const {
    return std::chrono::duration_cast<std::chrono::seconds>(m_time.time_since_epoch()).count();
}

int64_t DateTime::Millis() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_time.time_since_epoch()).count();
}

int DateTime::GetYear(bool localTime) const {
    return ToTm(m_time, localTime).tm_year + 1900;
}
Month DateTime::GetMonth(bool localTime) const {
    return static_cast<Month>(ToTm(m_time, localTime).tm_mon);
}
int DateTime::GetDay(bool localTime) const {
    return ToTm(m_time, localTime).tm_mday;
}
DayOfWeek DateTime::GetDayOfWeek(bool localTime) const {
    return static_cast<DayOfWeek>(ToTm(m_time, localTime).tm_wday);
}
int DateTime::GetHour(bool localTime) const {
    return ToTm(m_time, localTime).tm_hour;
}
int DateTime::GetMinute(bool localTime) const {
    return ToTm(m_time, localTime).tm_min;
}
int DateTime::GetSecond(bool localTime) const {
    return ToTm(m_time, localTime).tm_sec;
}
bool DateTime::IsDST(bool localTime) const {
    return ToTm(m_time, localTime).tm_isdst > 0;
}

DateTime DateTime::Now() {
    return DateTime(Clock::now());
}

int64_t DateTime::CurrentTimeMillis() {
    return Now().Millis();
}

Aws::String DateTime::CalculateLocalTimestampAsString(const char* formatStr) {
    return Now().ToLocalTimeString(formatStr);
}

Aws::String DateTime::CalculateGmtTimestampAsString(const char* formatStr) {
    return Now().ToGmtString(formatStr);
}

int DateTime::CalculateCurrentHour() {
    return Now().GetHour(true);
}

std::chrono::milliseconds DateTime::Diff(const DateTime& a, const DateTime& b) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(a.m_time - b.m_time);
}

}  // namespace Utils
}  // namespace Aws
