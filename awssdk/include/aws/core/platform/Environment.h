#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace Environment {
// The variable's value, or an empty string when it is not set.
Aws::String GetEnv(const char* name);
}  // namespace Environment
}  // namespace Aws
