#pragma once

#include <string>

namespace Aws {
// The official SDK's default build (no custom memory management) makes this plain std::string.
using String = std::string;
}  // namespace Aws
