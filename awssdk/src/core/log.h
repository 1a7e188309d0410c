#pragma once

// Internal shorthand: the public macros are what the SDK itself uses to log.
#include <aws/core/utils/logging/LogMacros.h>
