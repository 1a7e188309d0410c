#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <cstddef>

namespace Aws {
namespace Internal {

// Model enums: names[i] is the wire text of value i + 1 (0 is NOT_SET). Unknown names are kept in the
// process-wide overflow store under their hash, so that they survive a round trip, as in the official SDK.
int EnumForName(const char* const* names, size_t count, const Aws::String& name);
Aws::String NameForEnum(const char* const* names, size_t count, int value);

template <size_t N>
int EnumForName(const char* const (&names)[N], const Aws::String& name) {
    return EnumForName(names, N, name);
}

template <size_t N>
Aws::String NameForEnum(const char* const (&names)[N], int value) {
    return NameForEnum(names, N, value);
}

// The official HashingUtils::HashString: h = c + 31 * h over signed chars, unsigned 32-bit.
int HashString(const char* text);

void InitEnumOverflowContainer();
void CleanupEnumOverflowContainer();

}  // namespace Internal
}  // namespace Aws
