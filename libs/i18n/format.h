#pragma once

#include <span>
#include <string>
#include <string_view>

#include "libs/i18n/exception.h"

namespace orvane::tessel::libstringutils {

class exception : public libexception::_exception<libexception::exception> {
public:
    using _exception::_exception;
};

// A lone percent sign in a format text.
class format_string_error : public libexception::_exception<exception> {
public:
    format_string_error() : _exception("Malformed placeholder in format string.") {}
};

// A placeholder whose number has no argument.
class placeholder_index_not_in_arguments : public libexception::_exception<exception> {
public:
    explicit placeholder_index_not_in_arguments(long index)
        : _exception("Index " + std::to_string(index) + " is too high for argument list.") {}
};

// Renders a format text: "%N:s" is the N-th argument (from 0), "%%" a percent sign, any other
// percent sign an error. Arguments are inserted verbatim and never scanned again.
std::string format(std::string_view text, std::span<const std::string> arguments);

}  // namespace orvane::tessel::libstringutils
