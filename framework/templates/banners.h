#pragma once

#include <string_view>

namespace orvane::tessel::libvexahelper::banners {

inline constexpr std::string_view initializing = "#################### Initializing ####################";
inline constexpr std::string_view cleaning_up = "#################### Cleaning Up  ####################";
inline constexpr std::string_view enter_scan = "#################### Enter sensor scan ####################";
inline constexpr std::string_view exit_scan = "#################### Exit sensor scan  ####################";

}  // namespace orvane::tessel::libvexahelper::banners
