#pragma once

#include <array>
#include <string_view>

namespace Aws {
namespace Internal {

using Sha256Digest = std::array<unsigned char, 32>;

Sha256Digest Sha256(std::string_view data);
Sha256Digest HmacSha256(std::string_view key, std::string_view data);

}  // namespace Internal
}  // namespace Aws
