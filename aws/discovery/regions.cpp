#include "aws/discovery/regions.h"

#include <array>
#include <unordered_map>

namespace orvane::tessel::aws {

namespace {

constexpr std::array<region_row, 21> rows{{
    {"us-east-1", "US East (Northern Virginia)"},
    {"us-east-2", "US East (Ohio)"},
    {"us-west-1", "US West (Northern California)"},
    {"us-west-2", "US West (Oregon)"},
    {"af-south-1", "Africa (Cape Town)"},
    {"ap-east-1", "Asia Pacific (Hong Kong)"},
    {"ap-south-1", "Asia Pacific (Mumbai)"},
    {"ap-northeast-1", "Asia Pacific (Tokyo)"},
    {"ap-northeast-2", "Asia Pacific (Seoul)"},
    {"ap-northeast-3", "Asia Pacific (Osaka-Local)"},
    {"ap-southeast-1", "Asia Pacific (Singapore)"},
    {"ap-southeast-2", "Asia Pacific (Sydney)"},
    {"ca-central-1", "Canada (Central)"},
    {"eu-central-1", "Europe (Frankfurt)"},
    {"eu-west-1", "Europe (Ireland)"},
    {"eu-west-2", "Europe (London)"},
    {"eu-west-3", "Europe (Paris)"},
    {"eu-north-1", "Europe (Stockholm)"},
    {"eu-south-1", "Europe (Milan)"},
    {"me-south-1", "Middle East (Bahrain)"},
    // The host renders the entity; the module never decodes it.
    {"sa-east-1", "South America (S&atilde;o Paulo)"},
}};

using name_index = std::unordered_map<std::string_view, std::string_view>;

const name_index& names() {
    static const name_index index([] {
        name_index built;
        for (const auto& row : rows) {
            built.emplace(row.code, row.display_name);
        }
        return built;
    }());
    return index;
}

}  // namespace

std::span<const region_row> region_table() noexcept {
    return rows;
}

std::string region_display_name(std::string_view code) {
    const auto& index = names();
    const auto it = index.find(code);
    return std::string(it == index.end() ? code : it->second);
}

}  // namespace orvane::tessel::aws
