#include "libs/i18n/format.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace orvane::tessel::libstringutils {

namespace {

bool is_digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The digits of a placeholder as a long, failing like the standard conversion does.
long to_long(std::string_view digits) {
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        throw std::out_of_range("stol argument out of range");
    }
    return value;
}

}  // namespace

std::string format(std::string_view text, std::span<const std::string> arguments) {
    std::string out;
    out.reserve(text.size() + 16 * arguments.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto percent = text.find('%', pos);
        if (percent == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, percent - pos));

        std::size_t digits_end = percent + 1;
        while (digits_end < text.size() && is_digit(text[digits_end])) {
            ++digits_end;
        }
        const bool has_digits = digits_end > percent + 1;
        if (has_digits && text.substr(digits_end, 2) == ":s") {
            const long index = to_long(text.substr(percent + 1, digits_end - percent - 1));
            if (index < 0 || static_cast<unsigned long>(index) >= arguments.size()) {
                throw placeholder_index_not_in_arguments(index);
            }
            out.append(arguments[static_cast<std::size_t>(index)]);
            pos = digits_end + 2;
        } else if (text.substr(percent + 1, 1) == "%") {
            out.push_back('%');
            pos = percent + 2;
        } else {
            throw format_string_error();
        }
    }
    return out;
}

}  // namespace orvane::tessel::libstringutils
