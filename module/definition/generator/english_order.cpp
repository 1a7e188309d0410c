#include "english_order.h"

#include <array>
#include <utility>

namespace orvane::tessel::aws::definition::docgen {
namespace {

struct placement {
    entity kind;
    std::string_view name;
    key_block block;
};

// Shared entities whose keys the host reads outside the general blocks.
constexpr std::array kPlacements = {
    placement{entity::section, "httpproxy", key_block::proxy_section},
    placement{entity::group, "httpproxygroup", key_block::proxy_group},
    placement{entity::sensor, "awscost", key_block::cost_sensor},
    placement{entity::section, "awscredentials", key_block::credentials_section},
};

constexpr std::array kEntityBlocks = {
    std::pair{entity::module, key_block::module},    std::pair{entity::sensor, key_block::sensors},
    std::pair{entity::section, key_block::sections}, std::pair{entity::group, key_block::groups},
    std::pair{entity::lookup, key_block::lookups},
};

struct prefix_rule {
    std::string_view prefix;
    key_block block;
};

constexpr std::array kMessagePrefixes = {
    prefix_rule{"lookup.status_code.", key_block::status_codes},
    prefix_rule{"libi18n.", key_block::library},
    prefix_rule{"libparser.", key_block::library},
    prefix_rule{"libjsonparser.", key_block::library},
    prefix_rule{"libvexahelper.", key_block::library},
    prefix_rule{"channel.", key_block::channels},
    prefix_rule{"error.", key_block::errors},
    prefix_rule{"metascan.", key_block::metascan},
};

constexpr std::array kBlockNames = {
    std::pair{key_block::proxy_section, std::string_view{"proxy section"}},
    std::pair{key_block::proxy_group, std::string_view{"proxy group"}},
    std::pair{key_block::status_codes, std::string_view{"status codes"}},
    std::pair{key_block::library, std::string_view{"library messages"}},
    std::pair{key_block::module, std::string_view{"module"}},
    std::pair{key_block::channels, std::string_view{"channels"}},
    std::pair{key_block::errors, std::string_view{"errors"}},
    std::pair{key_block::metascan, std::string_view{"meta-scan messages"}},
    std::pair{key_block::sensors, std::string_view{"sensors"}},
    std::pair{key_block::sections, std::string_view{"sections"}},
    std::pair{key_block::groups, std::string_view{"groups"}},
    std::pair{key_block::lookups, std::string_view{"lookups"}},
    std::pair{key_block::cost_sensor, std::string_view{"cost sensor"}},
    std::pair{key_block::credentials_section, std::string_view{"credentials section"}},
};

}  // namespace

key_block block_of(entity kind, std::string_view name) noexcept {
    for (const auto& placed : kPlacements) {
        if (placed.kind == kind && placed.name == name) {
            return placed.block;
        }
    }
    for (const auto& [entity_kind, block] : kEntityBlocks) {
        if (entity_kind == kind) {
            return block;
        }
    }
    return key_block::module;  // unreachable: every entity kind has a block
}

std::optional<key_block> message_block_of(std::string_view key) noexcept {
    for (const auto& rule : kMessagePrefixes) {
        if (key.size() > rule.prefix.size() && key.starts_with(rule.prefix)) {
            return rule.block;
        }
    }
    return std::nullopt;
}

std::string_view block_name(key_block block) noexcept {
    for (const auto& [named, name] : kBlockNames) {
        if (named == block) {
            return name;
        }
    }
    return "?";
}

}  // namespace orvane::tessel::aws::definition::docgen
