#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/probe/module_log.h"

namespace orvane::tessel::probe {

// Turns the module's failures into the operator's words: what a result code of an export means,
// which lines of the module's log tell why, and what to try next.

enum class module_export { create, destroy, scan, check, meta_scan };

// The meaning of a non-zero result of an export.
std::string code_meaning(module_export call, std::int32_t code);

// The lines of the module's log that tell why a call failed: the failure that ended it when the module
// logged one at level 0, otherwise its error lines; never the banners or the settings it echoes.
std::vector<std::string> reasons(const std::vector<log_entry>& entries);

// What to try for a failure text (a localised message, its encoded form or a log line); empty when no
// hint applies.
std::string hint_for(std::string_view failure);

// The hint for a check that failed without a reason in the log: no region accepted its test request.
std::string silent_check_hint();

// The first line of a text with control characters replaced, so that bytes from outside cannot
// steer the terminal.
std::string printable_line(std::string_view text);

}  // namespace orvane::tessel::probe
