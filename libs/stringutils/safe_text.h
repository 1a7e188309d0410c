#pragma once

#include <string>
#include <string_view>

namespace orvane::tessel::libstringutils {

// The one way any text reaches a message or a log line, whatever bytes it holds: every ill-formed
// UTF-8 sequence becomes U+FFFD and every control character (C0, DEL, C1 and the two Unicode line
// separators) is escaped, so that a message is always valid JSON and a log entry always one line.

// Appends the text as a JSON string literal, quotes included.
void append_json_string(std::string& out, std::string_view text);

// Appends the text for a log line: control characters as JSON-style escapes ("\n", "\u001b").
void append_log_text(std::string& out, std::string_view text);

}  // namespace orvane::tessel::libstringutils
