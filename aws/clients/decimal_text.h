#pragma once

#include <string>

// Numbers as text the same way whatever locale the host process has set: a host that switches
// LC_NUMERIC to a comma locale must not turn "12.5" into 12 or write "12,500000" into a log.
namespace orvane::tessel::aws {

// What printf's "%f" writes in the C locale.
std::string six_decimals(double value);

// strtod in the C locale: the same leading white space, signs, hexadecimal, exponents, end pointer and
// ERANGE in errno.
double c_strtod(const char* text, char** end);

}  // namespace orvane::tessel::aws
