#include "aws/clients/decimal_text.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

#ifndef _WIN32
#include <locale.h>
#endif

namespace orvane::tessel::aws {

namespace {

#ifdef _WIN32
// The Windows C runtime's strtod reads no hexadecimal and reports no underflow, so Windows reads
// with from_chars (locale-free) behind strtod's front end and glibc's range rules.
bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Whether a number that from_chars found out of range is too small rather than too large.
bool underflows(std::string_view number, bool hexadecimal) {
    const auto exponent = number.find_first_of(hexadecimal ? "pP" : "eE");
    if (exponent != std::string_view::npos) {
        return exponent + 1 < number.size() && number[exponent + 1] == '-';
    }
    return number.find_first_of("123456789abcdefABCDEF") > number.find('.');
}

double from_chars_strtod(const char* text, char** end) {
    const char* at = text;
    while (is_space(*at)) {
        ++at;
    }
    const bool negative = *at == '-';
    if (*at == '+' || *at == '-') {
        ++at;
    }
    const bool hexadecimal = at[0] == '0' && (at[1] == 'x' || at[1] == 'X');
    const char* digits = hexadecimal ? at + 2 : at;
    const char* last = digits + std::strlen(digits);
    double value = 0;
    const auto [stop, error] =
        *digits == '-' || *digits == '+'
            ? std::from_chars_result{digits, std::errc::invalid_argument}
            : std::from_chars(digits, last, value,
                              hexadecimal ? std::chars_format::hex : std::chars_format::general);
    if (stop == digits) {
        *end = const_cast<char*>(hexadecimal ? at + 1 : text);  // "0x" alone is the number 0
        return negative ? -0.0 : 0.0;
    }
    *end = const_cast<char*>(stop);
    if (error == std::errc::result_out_of_range) {
        errno = ERANGE;
        value = underflows(std::string_view(digits, static_cast<std::size_t>(stop - digits)), hexadecimal)
                    ? 0.0
                    : HUGE_VAL;
    } else if (std::fpclassify(value) == FP_SUBNORMAL) {
        errno = ERANGE;
    }
    return negative ? -value : value;
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
    return from_chars_strtod(text, end);
#else
    return strtod_l(text, end, c_locale());
#endif
}

}  // namespace orvane::tessel::aws
