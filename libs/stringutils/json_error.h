#pragma once

#include <string_view>

namespace orvane::tessel::libstringutils {

// What a JSON reader's error text says, in words of our own: the reader's texts quote the bytes it
// read last, which may be a piece of a secret or bytes that are no text at all, so they are only
// ever matched, never shown.
std::string_view json_error_reason(std::string_view reader_error);

}  // namespace orvane::tessel::libstringutils
