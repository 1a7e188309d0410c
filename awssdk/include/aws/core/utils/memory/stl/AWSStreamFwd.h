#pragma once

#include <iosfwd>

namespace Aws {
using IStream = std::istream;
using OStream = std::ostream;
using IOStream = std::iostream;
}  // namespace Aws
