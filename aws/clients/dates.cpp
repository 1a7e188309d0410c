#include "aws/clients/dates.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "framework/exceptions.h"

namespace orvane::tessel::aws::utils {

date::year_month_day utc_today() {
    return date::year_month_day{date::floor<date::days>(std::chrono::system_clock::now())};
}

date::year_month_day first_day_of_month(date::year_month_day day) {
    return day.year() / day.month() / 1;
}

date::year_month_day first_day_of_year(date::year_month_day day) {
    return day.year() / date::January / 1;
}

date::year_month_day last_day_of_month(date::year_month_day day) {
    return date::year_month_day{day.year() / day.month() / date::last};
}

date::year_month_day last_day_of_year(date::year_month_day day) {
    return day.year() / date::December / 31;
}

std::string to_string(const date::year_month_day& day) {
    const int year = static_cast<int>(day.year());
    const auto month = static_cast<unsigned>(day.month());
    const auto day_of_month = static_cast<unsigned>(day.day());
    char text[32];
    // The sign goes before the four digits rather than into them.
    std::snprintf(text, sizeof text, "%s%04d-%02u-%02u", year < 0 ? "-" : "", std::abs(year), month,
                  day_of_month);
    if (!day.ok()) {
        throw invalid_date(std::string(text) + " is not a valid year_month_day");
    }
    return text;
}

std::int64_t align_up(std::int64_t value, std::int64_t multiple) {
    if (multiple == 0) {
        throw std::invalid_argument("<num> must not be 0");
    }
    const std::int64_t raised = value + multiple - 1;
    return raised - raised % multiple;
}

}  // namespace orvane::tessel::aws::utils
