#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

namespace orvane::tessel::aws::definition::docgen {

// Writes the one-line form the host expects: ", " between members and elements, ": " after keys,
// member order kept, non-ASCII characters raw. Floating-point values are rejected: the document has none,
// and their text form would depend on the writer.
std::string write_one_line(const nlohmann::ordered_json& value);

// The JSON string literal for a text, quotes included; escapes only what JSON requires.
std::string quote(const std::string& text);

}  // namespace orvane::tessel::aws::definition::docgen
