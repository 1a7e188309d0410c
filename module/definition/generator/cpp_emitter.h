#pragma once

#include <string>
#include <string_view>

namespace orvane::tessel::aws::definition::docgen {

// The C++ source that defines definition::document() over the given bytes, and definition::version()
// as the document's own version. The bytes become one constant character array written element by
// element, so no compiler limit on string literals applies and nothing runs at load time.
std::string emit_cpp(std::string_view document, std::string_view version);

// The C++ character literal for one byte, as emit_cpp writes it.
std::string char_literal(char byte);

}  // namespace orvane::tessel::aws::definition::docgen
