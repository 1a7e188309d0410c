#include "libs/stringutils/json_error.h"

#include <array>

namespace orvane::tessel::libstringutils {

std::string_view json_error_reason(std::string_view reader_error) {
    struct reason {
        std::string_view contains;
        std::string_view shown;
    };
    // Most specific first: every text of the reader starts with "syntax error".
    static constexpr std::array<reason, 11> reasons{{
        {"control character", "control character in a string"},
        {"ill-formed UTF-8", "byte that is not UTF-8 in a string"},
        {"surrogate", "unpaired surrogate escape in a string"},
        {"4 hex digits", "incomplete \\u escape in a string"},
        {"after backslash", "unknown escape in a string"},
        {"missing closing quote", "string without its closing quote"},
        {"invalid BOM", "incomplete byte order mark"},
        {"invalid number", "malformed number"},
        {"invalid literal", "unexpected character"},
        {"unexpected end of input", "end of the text before the end of the JSON value"},
        {"syntax error", "unexpected token"},
    }};
    for (const auto& candidate : reasons) {
        if (reader_error.find(candidate.contains) != std::string_view::npos) {
            return candidate.shown;
        }
    }
    return "not JSON";
}

}  // namespace orvane::tessel::libstringutils
