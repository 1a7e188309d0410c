#include "tests/support/strict_json.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::tessel::test_support {

namespace {

std::string hex_dump(std::string_view buffer) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string out;
    for (const char c : buffer.substr(0, 512)) {
        out.push_back(hex[(static_cast<unsigned char>(c) >> 4) & 0xF]);
        out.push_back(hex[static_cast<unsigned char>(c) & 0xF]);
    }
    return out;
}

}  // namespace

template <class Json>
Json decode_message(std::string_view buffer) {
    // nlohmann's reader rejects ill-formed UTF-8, overlong forms, encoded surrogates and raw control
    // characters in strings, which is what a strict host reader does.
    auto message = Json::parse(buffer, nullptr, false);
    if (message.is_discarded() || !message.is_object() || !message.contains("type") ||
        !message["type"].is_string()) {
        ADD_FAILURE() << "the module sent a message that is not a strict UTF-8 JSON object with a type: "
                      << hex_dump(buffer);
        return Json{{"type", "undecodable"}};
    }
    return message;
}

template nlohmann::json decode_message<nlohmann::json>(std::string_view);
template nlohmann::ordered_json decode_message<nlohmann::ordered_json>(std::string_view);

}  // namespace orvane::tessel::test_support
