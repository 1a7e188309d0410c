#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <chrono>
#include <cstdint>

namespace Aws {
namespace Utils {

enum class DateFormat { RFC822, ISO_8601, ISO_8601_BASIC, AutoDetect };

enum class Month {
    January = 0,
    February,
    March,
    April,
    May,
    June,
    July,
    August,
    September,
    October,
    November,
    December
};

enum class DayOfWeek { Sunday = 0, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// A point in time with millisecond precision, convertible to and from the AWS wire formats.
class DateTime {
public:
    DateTime();
    DateTime(const std::chrono::system_clock::time_point&
                 timepointToAssign);     // NOLINT(google-explicit-constructor)
    DateTime(int64_t millisSinceEpoch);  // NOLINT(google-explicit-constructor)
    DateTime(double epoch_millis);       // NOLINT(google-explicit-constructor)
    DateTime(const Aws::String& timestamp, DateFormat format);
    DateTime(const char* timestamp, DateFormat format);

    bool operator==(const DateTime& other) const { return m_time == other.m_time; }
    bool operator<(const DateTime& other) const { return m_time < other.m_time; }
    bool operator>(const DateTime& other) const { return m_time > other.m_time; }
    bool operator!=(const DateTime& other) const { return m_time != other.m_time; }
    bool operator<=(const DateTime& other) const { return m_time <= other.m_time; }
    bool operator>=(const DateTime& other) const { return m_time >= other.m_time; }

    DateTime operator+(const std::chrono::milliseconds& a) const;
    DateTime operator-(const std::chrono::milliseconds& a) const;

    DateTime& operator=(double secondsSinceEpoch);
    DateTime& operator=(int64_t millisSinceEpoch);
    DateTime& operator=(const std::chrono::system_clock::time_point& timepointToAssign);

    bool WasParseSuccessful() const { return m_valid; }

    // ISO_8601 keeps its literal 'Z' in local time too, as the official SDK does.
    Aws::String ToLocalTimeString(DateFormat format) const;
    Aws::String ToLocalTimeString(const char* formatStr) const;
    Aws::String ToGmtString(DateFormat format) const;
    Aws::String ToGmtString(const char* formatStr) const;
    Aws::String ToGmtStringWithMs() const;

    double SecondsWithMSPrecision() const;
    int64_t Seconds() const;
    int64_t Millis() const;
    std::chrono::system_clock::time_point UnderlyingTimestamp() const { return m_time; }

    int GetYear(bool localTime = false) const;
    Month GetMonth(bool localTime = false) const;
    int GetDay(bool localTime = false) const;
    DayOfWeek GetDayOfWeek(bool localTime = false) const;
    int GetHour(bool localTime = false) const;
    int GetMinute(bool localTime = false) const;
    int GetSecond(bool localTime = false) const;
    bool IsDST(bool localTime = false) const;

    static DateTime Now();
    static int64_t CurrentTimeMillis();
    static Aws::String CalculateLocalTimestampAsString(const char* formatStr);
    static Aws::String CalculateGmtTimestampAsString(const char* formatStr);
    static int CalculateCurrentHour();
    static std::chrono::milliseconds Diff(const DateTime& a, const DateTime& b);

private:
    void Parse(const char* timestamp, DateFormat format);

    std::chrono::system_clock::time_point m_time;
    bool m_valid = true;
};

}  // namespace Utils
}  // namespace Aws
