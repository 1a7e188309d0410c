#include "libs/i18n/i18n.h"

#include "libs/i18n/format.h"

namespace orvane::tessel::libi18n {

namespace {

constexpr std::string_view structural_characters = "\\#[],:";

}  // namespace

void append_escaped(std::string& out, std::string_view argument) {
    for (const char c : argument) {
        if (structural_characters.find(c) != std::string_view::npos) {
            out.push_back('\\');
        }
        out.push_back(c);
    }
}

i18n_msg::i18n_msg(const i18n_text& text, const std::vector<std::string>& arguments)
    : english_(libstringutils::format(text.english, arguments)) {
    encoded_.reserve(text.key.size() + 4 + 16 * arguments.size());
    encoded_.append("#:").append(text.key).push_back('[');
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) {
            encoded_.push_back(',');
        }
        append_escaped(encoded_, arguments[i]);
    }
    encoded_.push_back(']');
}

i18n_msg i18n_msg::plain(std::string text) {
    i18n_msg message;
    message.encoded_ = text;
    message.english_ = std::move(text);
    return message;
}

}  // namespace orvane::tessel::libi18n
