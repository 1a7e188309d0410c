#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document_fixture.h"

namespace orvane::tessel::aws::definition::testing {
namespace {

// Length of the placeholder "%N:s" at pos, or 0.
std::size_t placeholder_at(const std::string& text, std::size_t pos) {
    auto end = pos + 1;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0) {
        ++end;
    }
    return end == pos + 1 || text.compare(end, 2, ":s") != 0 ? 0 : end + 2 - pos;
}

// The tokens the host's formatter reads: a placeholder "%N:s", an escaped "%%", or a lone "%" (which it
// rejects).
std::vector<std::string> format_tokens(const std::string& text) {
    std::vector<std::string> tokens;
    for (auto pos = text.find('%'); pos != std::string::npos; pos = text.find('%', pos)) {
        auto length = placeholder_at(text, pos);
        if (length == 0) {
            length = text.compare(pos, 2, "%%") == 0 ? 2 : 1;
        }
        tokens.push_back(text.substr(pos, length));
        pos += length;
    }
    std::sort(tokens.begin(), tokens.end());
    return tokens;
}

// Substrings a translator must carry over unchanged: quoted placeholders, bracketed links and
// backslash paths.
std::vector<std::string> fixed_parts(const std::string& text) {
    std::vector<std::string> parts;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"' || c == '\'') {
            const auto length = text.compare(pos + 1, 1, "%") == 0 ? placeholder_at(text, pos + 1) : 0;
            if (length != 0 && text.compare(pos + 1 + length, 1, std::string(1, c)) == 0) {
                parts.push_back(text.substr(pos, length + 2));
            }
        } else if (c == '[') {
            parts.push_back(text.substr(pos, text.find(']', pos) - pos + 1));
        } else if (c == '\\') {
            const auto end = std::find_if(
                text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(),
                [](char d) { return std::isalpha(static_cast<unsigned char>(d)) == 0 && d != '\\'; });
            parts.emplace_back(text.begin() + static_cast<std::ptrdiff_t>(pos), end);
            pos = static_cast<std::size_t>(end - text.begin()) - 1;
        }
    }
    std::sort(parts.begin(), parts.end());
    return parts;
}

bool is_sentence(const std::string& english) {
    return std::count(english.begin(), english.end(), ' ') >= 3;  // four words or more
}

// Code points of a UTF-8 text; the document is valid UTF-8 because the JSON parser accepted it.
std::vector<char32_t> code_points(const std::string& text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0xFFU >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            point = (point << 6U) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

struct script {
    char32_t first;
    char32_t end;
};

constexpr script kLatin{0, 0x250}, kCyrillic{0x400, 0x500}, kKana{0x3040, 0x3100}, kHan{0x4E00, 0xA000};

struct language_case {
    std::string_view language;
    script required;                // every sentence uses it (Latin: not checked)
    std::vector<script> forbidden;  // no text uses these
};

void PrintTo(const language_case& c, std::ostream* out) {
    *out << c.language;
}

class Translation : public ::testing::TestWithParam<language_case> {
protected:
    template <typename Check>
    void for_each_text(Check check) const {
        const auto& english = translation("English");
        const auto& translated = translation(GetParam().language);
        for (const auto& key : keys_of(translated)) {
            check(key, display_of(english, key), display_of(translated, key));
        }
    }
};

TEST_P(Translation, IsNonEmptyTranslatedAndKeepsPlaceholdersQuotesLinksAndProductNames) {
    static const std::vector<std::string> names = {
        "AWS",        "EC2",    "EBS",           "RDS",           "ELB",
        "CloudWatch", "Halden", "Cost Explorer", "Control Tower", "Amazon Web Services",
        "JSON"};
    for_each_text([](const std::string& key, const std::string& english, const std::string& text) {
        EXPECT_FALSE(text.empty()) << key;
        if (is_sentence(english)) {
            EXPECT_NE(text, english) << key << " is left in English";
        }
        EXPECT_EQ(format_tokens(text), format_tokens(english)) << key << ": " << text;
        EXPECT_THAT(format_tokens(text), ::testing::Not(::testing::Contains("%")))
            << key << " has a malformed placeholder: " << text;
        EXPECT_EQ(fixed_parts(text), fixed_parts(english)) << key << ": " << text;
        for (const char c : {'"', '\\', '|', '[', ']'}) {
            EXPECT_EQ(std::count(text.begin(), text.end(), c), std::count(english.begin(), english.end(), c))
                << key << ": count of " << c << " in " << text;
        }
        for (const auto& name : names) {
            if (english.find(name) != std::string::npos) {
                EXPECT_NE(text.find(name), std::string::npos) << key << " lost \"" << name << "\": " << text;
            }
        }
    });
}

TEST_P(Translation, TextsAreWrittenInTheLanguagesScript) {
    const auto& param = GetParam();
    const auto in = [](char32_t c, script s) { return c >= s.first && c < s.end; };
    for_each_text([&](const std::string& key, const std::string& english, const std::string& text) {
        const auto points = code_points(text);
        if (is_sentence(english) && param.required.first != kLatin.first) {
            EXPECT_TRUE(
                std::any_of(points.begin(), points.end(), [&](char32_t c) { return in(c, param.required); }))
                << key << ": " << text;
        }
        for (const auto forbidden : param.forbidden) {
            EXPECT_TRUE(
                std::none_of(points.begin(), points.end(), [&](char32_t c) { return in(c, forbidden); }))
                << key << " mixes in another script: " << text;
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Languages, Translation,
                         ::testing::Values(language_case{"Russian", kCyrillic, {kKana, kHan}},
                                           language_case{"Brazilian", kLatin, {kCyrillic, kKana, kHan}},
                                           language_case{"Dutch", kLatin, {kCyrillic, kKana, kHan}},
                                           language_case{"Japanese", kKana, {kCyrillic}},
                                           language_case{"French", kLatin, {kCyrillic, kKana, kHan}},
                                           language_case{"Spanish", kLatin, {kCyrillic, kKana, kHan}},
                                           language_case{"German", kLatin, {kCyrillic, kKana, kHan}},
                                           language_case{"SimplifiedChinese", kHan, {kCyrillic, kKana}}),
                         [](const auto& info) { return std::string(info.param.language); });

TEST(Translations, NoTwoLanguagesShareASentenceAndRepeatedTextsStayAlike) {
    const auto& english = translation("English");
    std::map<std::string, std::string> first_language_of;
    for (const auto language : kTranslatedLanguages) {
        std::map<std::string, std::pair<std::string, std::string>> seen;  // English -> (key, translation)
        for (const auto& [key, entry] : translation(language).items()) {
            const auto text = entry.at("Display").get<std::string>();
            if (is_sentence(display_of(english, key))) {
                const auto [found, inserted] = first_language_of.emplace(text, std::string(language));
                EXPECT_TRUE(inserted)
                    << key << ": " << language << " repeats the " << found->second << " text";
            }
            // Option labels and help texts that repeat in English must not drift apart.
            const auto [found, inserted] = seen.emplace(display_of(english, key), std::pair{key, text});
            EXPECT_TRUE(inserted || text == found->second.second)
                << language << ": " << key << " vs " << found->second.first;
        }
    }
}

}  // namespace
}  // namespace orvane::tessel::aws::definition::testing
