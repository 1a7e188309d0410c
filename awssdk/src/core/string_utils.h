#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <cstdint>
#include <string_view>

namespace Aws {
namespace Internal {

// RFC 3986 encoding: keeps A-Z a-z 0-9 - _ . ~, everything else becomes %XX (upper-case hex).
void AppendUrlEncoded(Aws::String& out, std::string_view text);
Aws::String UrlEncode(std::string_view text);
// Same, but keeps '/' (for paths).
Aws::String UrlEncodePath(std::string_view text);
Aws::String ToLower(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::string_view Trim(std::string_view text);
void AppendHex(Aws::String& out, const unsigned char* data, size_t size);
Aws::String ToDecimal(int64_t value);
Aws::String ToDecimal(int value);
// printf "%g", as the official SDK writes doubles into query strings.
Aws::String ToDecimal(double value);

}  // namespace Internal
}  // namespace Aws
