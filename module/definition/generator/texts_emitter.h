#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace orvane::tessel::aws::definition::docgen {

// One message a library sends: its key in the document and the name of its C++ constant.
struct text_key {
    std::string key;
    std::string name;
};

// Reads a keys file: one key per line, optionally followed by the constant's name (the key's last
// part otherwise); blank lines and lines starting with '#' are skipped.
std::vector<text_key> parse_keys(std::string_view text, std::string_view origin);

// The C++ header with one i18n_text constant per key, its English text taken from the document's
// English texts, and `all` listing them in order. A key the texts lack is an error, so that a message
// the code sends can never be missing from the document.
std::string emit_texts_header(const nlohmann::ordered_json& english, const std::vector<text_key>& keys,
                              std::string_view cpp_namespace, std::string_view sources);

}  // namespace orvane::tessel::aws::definition::docgen
