#pragma once

#include <date/date.h>

#include <cstdint>
#include <functional>
#include <string>

namespace orvane::tessel::aws::utils {

// The current UTC date.
date::year_month_day utc_today();

// Where "today" comes from; the module registers utc_today, tests their own day.
using today_function = date::year_month_day();
using today_source = std::function<today_function>;

date::year_month_day first_day_of_month(date::year_month_day day);
date::year_month_day first_day_of_year(date::year_month_day day);
date::year_month_day last_day_of_month(date::year_month_day day);
date::year_month_day last_day_of_year(date::year_month_day day);

// YYYY-MM-DD, the year with at least four digits; an invalid date throws utils::invalid_date.
std::string to_string(const date::year_month_day& day);

// The smallest multiple of `multiple` that is not below `value` (for value >= 0 and multiple > 0);
// a multiple of 0 throws std::invalid_argument.
std::int64_t align_up(std::int64_t value, std::int64_t multiple);

}  // namespace orvane::tessel::aws::utils
