#pragma once

#include <string_view>

namespace orvane::tessel::aws::definition {

// The module definition document: one line of UTF-8 JSON, constant from load time.
std::string_view document() noexcept;

// The module's version: the document's MetaData.Version, the one place it is written.
std::string_view version() noexcept;

}  // namespace orvane::tessel::aws::definition
