#pragma once

#include <string_view>

namespace orvane::tessel::aws {

// The module version; the definition document carries the same text.
inline constexpr std::string_view module_version = "0.87.0.17330";

}  // namespace orvane::tessel::aws
