#include "aws/clients/decimal_text.h"

#include <array>
#include <charconv>
#include <clocale>
#include <cstdlib>

#ifndef _WIN32
#include <locale.h>
#endif

namespace orvane::tessel::aws {

namespace {

#ifdef _WIN32
_locale_t c_locale() {
    static const _locale_t locale = _create_locale(LC_ALL, "C");
    return locale;
}
#else
locale_t c_locale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}
#endif

}  // namespace

std::string six_decimals(double value) {
    std::array<char, 400> text{};  // the largest double has 309 digits before the point
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 6).ptr;
    return std::string(text.data(), end);
}

double c_strtod(const char* text, char** end) {
#ifdef _WIN32
    return _strtod_l(text, end, c_locale());
#else
    return strtod_l(text, end, c_locale());
#endif
}

}  // namespace orvane::tessel::aws
