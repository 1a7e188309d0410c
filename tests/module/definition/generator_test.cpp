#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "assembler.h"
#include "cpp_emitter.h"
#include "docgen_error.h"
#include "document_fixture.h"
#include "json_writer.h"
#include "source_parser.h"

namespace orvane::tessel::aws::definition::testing {
namespace {

namespace docgen = definition::docgen;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

struct write_case {
    std::string_view name;
    std::string_view json;
    std::string_view expected;
};

void PrintTo(const write_case& c, std::ostream* out) {
    *out << c.name;
}

class OneLineWriter : public ::testing::TestWithParam<write_case> {};

TEST_P(OneLineWriter, WritesTheHostsSeparatorsAndRawUtf8) {
    EXPECT_EQ(docgen::write_one_line(ordered_json::parse(GetParam().json)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, OneLineWriter,
    ::testing::Values(
        write_case{"members_keep_order", R"({"b":1,"a":[true,false,null]})",
                   R"({"b": 1, "a": [true, false, null]})"},
        write_case{"empty_containers", R"({"o":{},"a":[]})", R"({"o": {}, "a": []})"},
        write_case{"nested", R"([[1,[2]],{"x":{"y":-3}}])", R"([[1, [2]], {"x": {"y": -3}}])"},
        write_case{"large_unsigned", "18446744073709551615", "18446744073709551615"},
        write_case{"quote_and_backslash", R"("say \"hi\" in C:\\dir")", R"("say \"hi\" in C:\\dir")"},
        write_case{"short_escapes", R"("a\nb\tc\rd\be\f")", R"("a\nb\tc\rd\be\f")"},
        write_case{"other_controls", R"("\u0001\u001f")", R"("\u0001\u001f")"},
        write_case{"slash_and_delete_stay_raw", R"("a/b\u007f")", "\"a/b\x7f\""},
        write_case{"non_ascii_stays_raw", R"("\u00e9 \u0416 \u65e5 \ud83d\udc7b")", "\"é Ж 日 👻\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OneLineWriter, RejectsFloatingPointValues) {
    EXPECT_THROW(docgen::write_one_line(ordered_json::parse(R"({"a": 1.5})")), docgen::docgen_error);
}

TEST(OneLineDocument, RewritingTheParsedDocumentGivesTheSameBytes) {
    EXPECT_EQ(docgen::write_one_line(parsed_document()), definition::document());
}

TEST(OneLineDocument, UsesOnlyTheStatedSeparatorsOutsideStrings) {
    const auto text = definition::document();
    bool in_string = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (in_string) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                in_string = false;
            }
            ASSERT_NE(c, '\n') << "raw line feed at " << i;
            continue;
        }
        if (c == '"') {
            in_string = true;
        } else if (c == ',' || c == ':') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], ' ') << "after " << c << " at " << i;
        } else if (c == ' ') {
            EXPECT_TRUE(text[i - 1] == ',' || text[i - 1] == ':') << "stray blank at " << i;
        } else {
            EXPECT_TRUE(std::string_view("{}[]-0123456789truefalsn").find(c) != std::string_view::npos)
                << "unexpected character " << c << " at " << i;
        }
    }
    EXPECT_FALSE(in_string);
    EXPECT_EQ(text.find('\n'), std::string_view::npos);
    EXPECT_EQ(text.find("\\u"), std::string_view::npos) << "no character needs a \\u escape";
    EXPECT_NE(text.find("\xF0\x9F\x91\xBB"), std::string_view::npos) << "the ghost emoji is written raw";
    EXPECT_NE(text.find(R"(\\Logs\\sensors)"), std::string_view::npos);
}

TEST(OneLineDocument, TheCompiledConstantHoldsExactlyTheGeneratedBytes) {
    std::ifstream in(VEXA_DOCUMENT_JSON, std::ios::binary);
    ASSERT_TRUE(in) << VEXA_DOCUMENT_JSON;
    const std::string generated((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(definition::document(), generated);
    EXPECT_EQ(definition::document().data(), definition::document().data())
        << "one constant, not a copy per call";
}

struct literal_case {
    char byte;
    std::string_view literal;
};

class CharLiteral : public ::testing::TestWithParam<literal_case> {};

TEST_P(CharLiteral, EscapesWhatCppWouldReadDifferently) {
    EXPECT_EQ(docgen::char_literal(GetParam().byte), GetParam().literal);
}

void PrintTo(const literal_case& c, std::ostream* out) {
    *out << c.literal;
}

INSTANTIATE_TEST_SUITE_P(Bytes, CharLiteral,
                         ::testing::Values(literal_case{'a', "'a'"}, literal_case{' ', "' '"},
                                           literal_case{'"', "'\"'"}, literal_case{'\'', R"('\'')"},
                                           literal_case{'\\', R"('\\')"}, literal_case{'?', "'?'"},
                                           literal_case{'\n', R"('\x0a')"}, literal_case{'\x7f', R"('\x7f')"},
                                           literal_case{'\xf0', R"('\xf0')"},
                                           literal_case{'\0', R"('\x00')"}));

TEST(CppEmitter, WritesEveryByteOnceAndRefusesAnEmptyDocument) {
    const auto source = docgen::emit_cpp("{\"a\": \"\xC3\xA9\"}");
    EXPECT_THAT(source, HasSubstr("'{', '\"', 'a', '\"', ':', ' ', '\"', '\\xc3', '\\xa9', '\"', '}',\n};"));
    EXPECT_THAT(source, HasSubstr("std::string_view document() noexcept"));
    EXPECT_THROW(docgen::emit_cpp(""), docgen::docgen_error);
    const std::string seventeen(17, 'x');
    const auto lines = docgen::emit_cpp(seventeen);
    EXPECT_THAT(lines, HasSubstr("'x',\n    'x',\n};")) << "sixteen bytes per line";
}

struct parse_case {
    std::string_view name;
    std::string_view json;
    bool accepted;
};

void PrintTo(const parse_case& c, std::ostream* out) {
    *out << c.name;
}

class SourceParser : public ::testing::TestWithParam<parse_case> {};

TEST_P(SourceParser, RejectsDuplicateKeysAndBrokenJsonNamingTheFile) {
    if (GetParam().accepted) {
        EXPECT_NO_THROW(docgen::parse_source(GetParam().json, "texts/German.json"));
        return;
    }
    try {
        docgen::parse_source(GetParam().json, "texts/German.json");
        FAIL() << "accepted";
    } catch (const docgen::docgen_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("texts/German.json"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SourceParser,
    ::testing::Values(parse_case{"plain", R"({"a": "x", "b": "y"})", true},
                      parse_case{"same_key_in_sibling_objects", R"([{"a": 1}, {"a": 2}])", true},
                      parse_case{"same_key_at_different_depths", R"({"a": {"a": 1}, "b": {"a": 2}})", true},
                      parse_case{"duplicate_key", R"({"a": "x", "a": "y"})", false},
                      parse_case{"nested_duplicate", R"({"x": {"b": 1, "c": 2, "b": 3}})", false},
                      parse_case{"duplicate_after_nested_object", R"({"a": {"z": 1}, "a": 2})", false},
                      parse_case{"trailing_comma", R"({"a": "x",})", false},
                      parse_case{"invalid_utf8", "{\"a\": \"\xC3\"}", false}, parse_case{"empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VendorValues, AreSubstitutedWhereReferenced) {
    const auto vendor =
        ordered_json::parse(R"({"contact": "support@orvane.com", "kb": "[https://kb.orvane.com/x]"})");
    EXPECT_EQ(docgen::substitute_vendor_values("Mail ${contact}.", vendor), "Mail support@orvane.com.");
    EXPECT_EQ(docgen::substitute_vendor_values("${kb}${contact}", vendor),
              "[https://kb.orvane.com/x]support@orvane.com");
    EXPECT_EQ(docgen::substitute_vendor_values("100% $contact {contact}", vendor), "100% $contact {contact}");
    EXPECT_THROW(docgen::substitute_vendor_values("${unknown}", vendor), docgen::docgen_error);
    EXPECT_THROW(docgen::substitute_vendor_values("see ${contact", vendor), docgen::docgen_error);
    EXPECT_THROW(docgen::substitute_vendor_values("${n}", ordered_json::parse(R"({"n": 1})")),
                 docgen::docgen_error);
}

// A small structure whose names are out of order everywhere, to see the ordering rules at work.
docgen::document_sources small_sources() {
    docgen::document_sources sources;
    sources.structure = ordered_json::parse(R"({
      "MetaData": {"Contact": "${contact}", "Display": "M", "Description": "Module."},
      "Sensors": {"zeta_sensor": {"Display": "Z", "Description": "Zd", "Help": "Zh"},
                  "awscost": {"Display": "C", "Description": "Cd", "Help": "Ch"},
                  "alpha_sensor": {"Display": "A", "Description": "Ad", "Help": "Ah"}},
      "Sections": {"awscredentials": {"Display": "Cred"}, "zeta_section": {"Display": "ZS"},
                   "httpproxy": {"Display": "Proxy"}, "alpha_section": {"Display": "AS"}},
      "Groups": {"zeta_group": {"Items": [
                    {"Setting": {"Name": "b", "Display": "B", "Help": "Bh", "Selection": {"Options": [
                        {"Display": "Two", "Value": "2"}, {"Display": "One", "Value": "1"}]}}},
                    {"Setting": {"Name": "a", "Display": "A", "Help": "Write to ${contact}"}},
                    {"Setting": {"Name": "hidden", "Text": {}}}]},
                 "httpproxygroup": {"Items": [{"Setting": {"Name": "port", "Display": "Port", "Help": "P"}}]}},
      "Revision": 1,
      "Lookups": {"lk": {"LookupValues": [{"Name": "z", "Display": "Zed"}, {"Name": "a", "Display": "Ay"}]}}
    })");
    sources.vendor = ordered_json::parse(R"({"contact": "x@orvane.com"})");
    sources.languages.push_back({"English", ordered_json::parse(R"({"error.b": "B.", "metascan.x": "X %0:s",
        "channel.C": "C", "libi18n.error.generic": "G", "lookup.status_code.0": "Unknown", "error.a": "A."})")});
    sources.languages.push_back({"German", ordered_json::parse(R"({"error.a": "A-de.", "zeta_group.a.help":
        "Schreiben an ${contact}", "alpha_sensor.display": "A-de"})")});
    sources.languages.push_back({"Dutch", ordered_json::parse(R"({"alpha_sensor.display": "A-nl",
        "zeta_group.a.help": "Schrijf naar ${contact}", "error.a": "A-nl."})")});
    return sources;
}

TEST(Assembler, OrdersEnglishByBlockThenNameAndTranslationsLikeEnglish) {
    const auto document = docgen::assemble(small_sources());
    const auto& text = document.at("Text");
    EXPECT_THAT(keys_of(text.at("English").at("Translation")),
                ElementsAreArray({"httpproxy.display",
                                  "httpproxygroup.port.display",
                                  "httpproxygroup.port.help",
                                  "lookup.status_code.0",
                                  "libi18n.error.generic",
                                  "module.display",
                                  "module.description",
                                  "channel.C",
                                  "error.b",
                                  "error.a",
                                  "metascan.x",
                                  "alpha_sensor.display",
                                  "alpha_sensor.description",
                                  "alpha_sensor.help",
                                  "zeta_sensor.display",
                                  "zeta_sensor.description",
                                  "zeta_sensor.help",
                                  "alpha_section.display",
                                  "zeta_section.display",
                                  "zeta_group.a.display",
                                  "zeta_group.a.help",
                                  "zeta_group.b.display",
                                  "zeta_group.b.help",
                                  "zeta_group.b.option.2",
                                  "zeta_group.b.option.1",
                                  "lookup.lk.z",
                                  "lookup.lk.a",
                                  "awscost.display",
                                  "awscost.description",
                                  "awscost.help",
                                  "awscredentials.display"}));
    for (const auto* language : {"German", "Dutch"}) {
        EXPECT_THAT(keys_of(text.at(language).at("Translation")),
                    ElementsAreArray({"error.a", "alpha_sensor.display", "zeta_group.a.help"}))
            << language;
    }
    EXPECT_THAT(keys_of(document), ElementsAreArray({"MetaData", "Sensors", "Sections", "Groups", "Revision",
                                                     "Lookups", "Text"}));
    EXPECT_EQ(document.at("MetaData").at("Contact"), "x@orvane.com");
    EXPECT_EQ(text.at("English").at("Translation").at("zeta_group.a.help").at("Display"),
              "Write to x@orvane.com");
    EXPECT_EQ(text.at("German").at("Translation").at("zeta_group.a.help").at("Display"),
              "Schreiben an x@orvane.com");
}

struct fault_case {
    std::string_view name;
    void (*break_sources)(docgen::document_sources&);
    std::string_view message;
};

void PrintTo(const fault_case& c, std::ostream* out) {
    *out << c.name;
}

class AssemblerFault : public ::testing::TestWithParam<fault_case> {};

TEST_P(AssemblerFault, IsReportedWithWhatAndWhere) {
    auto sources = small_sources();
    GetParam().break_sources(sources);
    try {
        docgen::assemble(sources);
        FAIL() << "assembled";
    } catch (const docgen::docgen_error& error) {
        EXPECT_THAT(error.what(), HasSubstr(std::string(GetParam().message)));
    }
}

ordered_json& texts_of(docgen::document_sources& s, std::size_t i) {
    return s.languages.at(i).texts;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AssemblerFault,
    ::testing::Values(
        fault_case{"translation_of_unknown_key", [](auto& s) { texts_of(s, 1)["error.typo"] = "x"; },
                   "German: \"error.typo\" is not an English key"},
        fault_case{"languages_with_different_keys", [](auto& s) { texts_of(s, 2).erase("error.a"); },
                   "Dutch: the keys differ from German's; missing: [error.a]"},
        fault_case{"language_with_an_extra_key", [](auto& s) { texts_of(s, 2)["error.b"] = "B-nl."; },
                   "extra: [error.b]"},
        fault_case{"empty_translation", [](auto& s) { texts_of(s, 1)["error.a"] = ""; },
                   "German: the text of \"error.a\""},
        fault_case{"translation_not_text", [](auto& s) { texts_of(s, 1)["error.a"] = 3; },
                   "must be a non-empty string"},
        fault_case{"english_key_outside_the_message_blocks",
                   [](auto& s) { texts_of(s, 0)["warning.x"] = "W"; },
                   "\"warning.x\" belongs to no message block"},
        fault_case{"structural_text_in_the_english_file",
                   [](auto& s) { texts_of(s, 0)["alpha_sensor.display"] = "A"; },
                   "belongs to no message block"},
        fault_case{"structural_key_clashing_with_a_message_key",
                   [](auto& s) {
                       s.structure["Lookups"]["status_code"] =
                           ordered_json::parse(R"({"LookupValues": [{"Name": "0", "Display": "Zero"}]})");
                   },
                   "\"lookup.status_code.0\" is defined twice"},
        fault_case{"english_not_first", [](auto& s) { std::swap(s.languages[0], s.languages[1]); },
                   "first language must be English"},
        fault_case{"language_listed_twice", [](auto& s) { s.languages.push_back(s.languages[1]); },
                   "German: the language is listed twice"},
        fault_case{"generated_member_in_the_structure",
                   [](auto& s) { s.structure["Text"] = ordered_json::object(); },
                   "without a \"Text\" member"},
        fault_case{"missing_structure_member", [](auto& s) { s.structure.erase("Lookups"); },
                   "document.json"},
        fault_case{"sensor_without_help",
                   [](auto& s) { s.structure["Sensors"]["alpha_sensor"].erase("Help"); },
                   "alpha_sensor has no text member \"Help\""},
        fault_case{"unknown_vendor_value", [](auto& s) { texts_of(s, 2)["error.a"] = "${phone}"; },
                   "unknown vendor value ${phone}"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvane::tessel::aws::definition::testing
