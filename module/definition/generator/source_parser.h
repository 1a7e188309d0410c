#pragma once

#include <filesystem>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace orvane::tessel::aws::definition::docgen {

// Parses one source file's text keeping member order. A key that appears twice in one object is an
// error: the JSON parser would silently keep only one of them, and a translation would go missing.
nlohmann::ordered_json parse_source(std::string_view text, std::string_view origin);

// Reads and parses a source file; the origin in error messages is the file name.
nlohmann::ordered_json read_source(const std::filesystem::path& path);

}  // namespace orvane::tessel::aws::definition::docgen
