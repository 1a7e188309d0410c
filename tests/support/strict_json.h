#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace orvane::tessel::test_support {

// Decodes a message as a strict host would: RFC 8259 JSON in well-formed UTF-8, one object with a
// "type". Anything else fails the running test, naming the bytes in hex, and decodes as a message of
// type "undecodable" so that the test's own expectations fail too.
template <class Json = nlohmann::json>
Json decode_message(std::string_view buffer);

extern template nlohmann::json decode_message<nlohmann::json>(std::string_view);
extern template nlohmann::ordered_json decode_message<nlohmann::ordered_json>(std::string_view);

}  // namespace orvane::tessel::test_support
