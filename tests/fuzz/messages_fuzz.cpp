// Format strings and localised messages from the fuzzer: format either renders or fails with one of
// its two documented errors (or the number conversion's own range error), and the encoded form of a
// message always decodes back into its key and its arguments, whatever characters they hold.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/messages.h"
#include "libs/i18n/format.h"
#include "libs/i18n/i18n.h"
#include "tests/fuzz/fuzz_support.h"

namespace fuzz = orvane::tessel::fuzz;
using namespace orvane::tessel;

namespace {

// Reads "#:key[a,b]" back, undoing the backslash escapes.
std::vector<std::string> decode(std::string_view encoded, std::string_view key) {
    const std::string head = "#:" + std::string(key) + "[";
    if (encoded.substr(0, head.size()) != head || encoded.empty() || encoded.back() != ']') {
        fuzz::fail("an encoded message without its frame", encoded);
    }
    encoded = encoded.substr(head.size(), encoded.size() - head.size() - 1);
    std::vector<std::string> arguments;
    if (encoded.empty()) {
        return arguments;
    }
    arguments.emplace_back();
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '\\' && i + 1 < encoded.size()) {
            arguments.back().push_back(encoded[++i]);
        } else if (c == ',') {
            arguments.emplace_back();
        } else if (c == '#' || c == '[' || c == ']' || c == ':' || c == '\\') {
            fuzz::fail("a structuring character left unescaped", encoded);
        } else {
            arguments.back().push_back(c);
        }
    }
    return arguments;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto [format_text, rest] = fuzz::split_at_nul(input);
    std::vector<std::string> arguments;
    for (std::string_view left = rest; !left.empty();) {
        const auto [argument, tail] = fuzz::split_at_nul(left);
        arguments.emplace_back(argument);
        left = tail;
    }

    std::string rendered;
    try {
        rendered = libstringutils::format(format_text, arguments);
    } catch (const libstringutils::format_string_error&) {
        return 0;
    } catch (const libstringutils::placeholder_index_not_in_arguments&) {
        return 0;
    } catch (const std::out_of_range&) {
        return 0;  // a placeholder number beyond a long
    }
    if (format_text.find('%') == std::string_view::npos && rendered != format_text) {
        fuzz::fail("a text without placeholders changed by format", rendered);
    }

    const libi18n::i18n_text text{"error.fuzzed", format_text};
    const libi18n::i18n_msg message(text, arguments);
    if (message.english() != rendered) {
        fuzz::fail("the English rendering differs from format", message.english());
    }
    const std::vector<std::string> decoded = decode(message.encoded(), text.key);
    if (decoded != arguments && !(arguments.size() == 1 && arguments[0].empty() && decoded.empty())) {
        fuzz::fail("the encoded arguments do not decode to the arguments", message.encoded());
    }
    libvexahelper::sensor_scan_result result(1, libi18n::i18n_exception(message));
    fuzz::require_strict_json(result.serialize());
    return 0;
}
