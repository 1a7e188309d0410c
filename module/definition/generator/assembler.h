#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "english_order.h"

namespace orvane::tessel::aws::definition::docgen {

struct language_texts {
    std::string name;
    nlohmann::ordered_json texts;  // message key -> text
};

struct document_sources {
    nlohmann::ordered_json structure;       // the document without its "Text" member
    nlohmann::ordered_json vendor;          // name -> value, referred to as ${name} in any text
    std::vector<language_texts> languages;  // English first: its file holds the message texts only
};

struct english_entry {
    std::string key;
    std::string text;
    order_key order;
};

// Replaces every ${name} with the vendor value of that name.
std::string substitute_vendor_values(std::string_view text, const nlohmann::ordered_json& vendor);

// Every English key with its text, in document order: the structure's display, description and help
// texts, option labels and lookup texts, merged with the message texts of the English texts file.
std::vector<english_entry> english_entries(const nlohmann::ordered_json& structure,
                                           const nlohmann::ordered_json& english_messages);

// The complete document: the structure with vendor values filled in and the "Text" member appended.
nlohmann::ordered_json assemble(const document_sources& sources);

}  // namespace orvane::tessel::aws::definition::docgen
