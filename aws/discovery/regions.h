#pragma once

#include <span>
#include <string>
#include <string_view>

namespace orvane::tessel::aws {

struct region_row {
    std::string_view code;
    std::string_view display_name;
};

// The regions that have a display name, in table order. Only names come from here: which regions a
// meta-scan walks is what AWS lists for the account.
std::span<const region_row> region_table() noexcept;

// How the meta-scan tables show a region: its display name, or the code itself when the table does not
// know it. Names are delivered as stored (HTML entities included); codes compare byte for byte.
std::string region_display_name(std::string_view code);

}  // namespace orvane::tessel::aws
