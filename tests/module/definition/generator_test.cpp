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
#include "texts_emitter.h"

namespace orvane::tessel::aws::definition::testing {
namespace {

namespace docgen = definition::docgen;
using ::testing::HasSubstr;

TEST(OneLineWriter, WritesTheHostsSeparatorsAndRawUtf8) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {R"({"b":1,"a":[true,false,null]})", R"({"b": 1, "a": [true, false, null]})"},
        {R"({"o":{},"a":[]})", R"({"o": {}, "a": []})"},
        {R"([[1,[2]],{"x":{"y":-3}}])", R"([[1, [2]], {"x": {"y": -3}}])"},
        {"18446744073709551615", "18446744073709551615"},
        {R"("say \"hi\" in C:\\dir")", R"("say \"hi\" in C:\\dir")"},
        {R"("a\nb\tc\rd\be\f")", R"("a\nb\tc\rd\be\f")"},
        {R"("\u0001\u001f")", R"("\u0001\u001f")"},
        {R"("a/b\u007f")", "\"a/b\x7f\""},
        {R"("\u00e9 \u0416 \u65e5 \ud83d\udc7b")", "\"é Ж 日 👻\""}};
    for (const auto& [json, expected] : cases) {
        EXPECT_EQ(docgen::write_one_line(ordered_json::parse(json)), expected) << json;
    }
    EXPECT_THROW(docgen::write_one_line(ordered_json::parse(R"({"a": 1.5})")), docgen::docgen_error);
}

TEST(OneLineDocument, IsTheCompiledConstantAndRewritesToTheSameBytes) {
    std::ifstream in(VEXA_DOCUMENT_JSON, std::ios::binary);
    ASSERT_TRUE(in) << VEXA_DOCUMENT_JSON;
    const std::string generated((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(definition::document(), generated);
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
        } else if (c == '"') {
            in_string = true;
        } else if (c == ',' || c == ':') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], ' ') << "after " << c << " at " << i;
        } else if (c == ' ') {
            EXPECT_TRUE(text[i - 1] == ',' || text[i - 1] == ':') << "stray blank at " << i;
        } else {
            EXPECT_NE(std::string_view("{}[]-0123456789truefalsn").find(c), std::string_view::npos)
                << "unexpected character " << c << " at " << i;
        }
    }
    EXPECT_FALSE(in_string);
    EXPECT_EQ(text.find("\\u"), std::string_view::npos) << "no character needs a \\u escape";
    EXPECT_NE(text.find("\xF0\x9F\x91\xBB"), std::string_view::npos) << "the ghost emoji is written raw";
    EXPECT_NE(text.find(R"(\\Logs\\sensors)"), std::string_view::npos);
}

TEST(CppEmitter, EscapesWhatCppWouldReadDifferentlyAndWritesEveryByteOnce) {
    const std::pair<char, std::string_view> literals[] = {
        {'a', "'a'"}, {' ', "' '"},        {'"', "'\"'"},         {'\'', R"('\'')"},     {'\\', R"('\\')"},
        {'?', "'?'"}, {'\n', R"('\x0a')"}, {'\x7f', R"('\x7f')"}, {'\xf0', R"('\xf0')"}, {'\0', R"('\x00')"}};
    for (const auto& [byte, literal] : literals) {
        EXPECT_EQ(docgen::char_literal(byte), literal);
    }
    const auto source = docgen::emit_cpp("{\"a\": \"\xC3\xA9\"}", "1.2.3");
    EXPECT_THAT(source, HasSubstr("'{', '\"', 'a', '\"', ':', ' ', '\"', '\\xc3', '\\xa9', '\"', '}',\n};"));
    EXPECT_THAT(source, HasSubstr("std::string_view document() noexcept"));
    EXPECT_THAT(source, HasSubstr("std::string_view version() noexcept { return \"1.2.3\"; }"));
    EXPECT_THAT(docgen::emit_cpp(std::string(17, 'x'), "1"), HasSubstr("'x',\n    'x',\n};"))
        << "16 bytes per line";
    for (const auto& [document, version] :
         {std::pair{"", "1.2"}, {"{}", ""}, {"{}", "1.2\"; }"}, {"{}", "v1"}}) {
        EXPECT_THROW(docgen::emit_cpp(document, version), docgen::docgen_error) << version;
    }
}

TEST(SourceParser, RejectsDuplicateKeysAndBrokenJsonNamingTheFile) {
    for (const auto* accepted :
         {R"({"a": "x", "b": "y"})", R"([{"a": 1}, {"a": 2}])", R"({"a": {"a": 1}, "b": {"a": 2}})"}) {
        EXPECT_NO_THROW(docgen::parse_source(accepted, "texts/German.json")) << accepted;
    }
    for (const auto* rejected : {R"({"a": "x", "a": "y"})", R"({"x": {"b": 1, "c": 2, "b": 3}})",
                                 R"({"a": {"z": 1}, "a": 2})", R"({"a": "x",})", "{\"a\": \"\xC3\"}", ""}) {
        try {
            docgen::parse_source(rejected, "texts/German.json");
            ADD_FAILURE() << "accepted " << rejected;
        } catch (const docgen::docgen_error& error) {
            EXPECT_THAT(error.what(), HasSubstr("texts/German.json"));
        }
    }
}

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
                 "httpproxygroup": {"Items": [{"Setting": {"Name": "port", "Display": "Port", "Help": "P"}}]},
                 "alpha_group": {"Items": [{"Setting": {"Name": "z", "Help": "Zh"}}]}},
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

std::string joined_keys(const ordered_json& object) {
    std::string out;
    for (const auto& key : keys_of(object)) {
        out += (out.empty() ? "" : " ") + key;
    }
    return out;
}

TEST(TextConstants, NameEveryKeyAndTakeItsEnglishTextAsItStands) {
    const auto keys =
        docgen::parse_keys("# comment\n\nerror.no_data\n  lib.error.parse   json_parse  \r\n", "k");
    ASSERT_EQ(keys.size(), 2U);
    EXPECT_EQ(keys[1].key, "lib.error.parse");
    EXPECT_EQ(keys[1].name, "json_parse");
    const auto english = ordered_json::parse(
        R"({"error.no_data": "No \"data\" in C:\\dir\u0007", "lib.error.parse": "%0:s"})");
    const std::string header = docgen::emit_texts_header(english, keys, "a::b", "x.json and k");
    EXPECT_THAT(header, ::testing::StartsWith("// Generated by vexa_docgen from x.json and k; edit those"));
    EXPECT_THAT(header, HasSubstr(R"(no_data{"error.no_data", "No \"data\" in C:\\dir\x07" ""};)"));
    EXPECT_THAT(header, HasSubstr("all[] = {\n    no_data,\n    json_parse,\n};"));
}

TEST(TextConstants, RefuseAKeyWithoutTextAndANameCppCannotTake) {
    const auto english = ordered_json::parse(R"({"error.a": "A", "error.n": 1})");
    for (const char* keys : {"error.missing", "error.n"}) {
        EXPECT_THROW(docgen::emit_texts_header(english, docgen::parse_keys(keys, "k"), "n", "s"),
                     docgen::docgen_error)
            << keys;
    }
    for (const char* keys : {"error.a 1st", "error.a Bad", "error.a-b", "error.a x y"}) {
        EXPECT_THROW(docgen::parse_keys(keys, "k"), docgen::docgen_error) << keys;
    }
}

TEST(Assembler, OrdersEnglishByBlockThenNameAndTranslationsLikeEnglish) {
    const auto document = docgen::assemble(small_sources());
    const auto& text = document.at("Text");
    EXPECT_EQ(
        joined_keys(text.at("English").at("Translation")),
        "httpproxy.display httpproxygroup.port.display httpproxygroup.port.help lookup.status_code.0 "
        "libi18n.error.generic module.display module.description channel.C error.b error.a metascan.x "
        "alpha_sensor.display alpha_sensor.description alpha_sensor.help zeta_sensor.display "
        "zeta_sensor.description zeta_sensor.help alpha_section.display zeta_section.display "
        "alpha_group.z.help zeta_group.a.display zeta_group.a.help zeta_group.b.display zeta_group.b.help "
        "zeta_group.b.option.2 zeta_group.b.option.1 lookup.lk.z lookup.lk.a awscost.display "
        "awscost.description awscost.help awscredentials.display");
    for (const auto* language : {"German", "Dutch"}) {
        EXPECT_EQ(joined_keys(text.at(language).at("Translation")),
                  "error.a alpha_sensor.display zeta_group.a.help")
            << language;
    }
    EXPECT_EQ(joined_keys(document), "MetaData Sensors Sections Groups Revision Lookups Text");
    EXPECT_EQ(document.at("MetaData").at("Contact"), "x@orvane.com");
    // Each structural key carries the text of the field it names.
    const auto& english = text.at("English").at("Translation");
    for (const auto& [key, field] :
         std::vector<std::pair<std::string, std::string>>{{"zeta_group.a.help", "Write to x@orvane.com"},
                                                          {"zeta_group.b.option.2", "Two"},
                                                          {"lookup.lk.a", "Ay"},
                                                          {"alpha_sensor.description", "Ad"},
                                                          {"alpha_section.display", "AS"},
                                                          {"module.display", "M"}}) {
        EXPECT_EQ(display_of(english, key), field) << key;
    }
    EXPECT_EQ(text.at("German").at("Translation").at("zeta_group.a.help").at("Display"),
              "Schreiben an x@orvane.com");
}

ordered_json& texts_of(docgen::document_sources& s, std::size_t i) {
    return s.languages.at(i).texts;
}

TEST(Assembler, ReportsEveryFaultWithWhatAndWhere) {
    struct fault_case {
        void (*break_sources)(docgen::document_sources&);
        std::string_view message;
    };
    const fault_case cases[] = {
        {[](auto& s) { texts_of(s, 1)["error.typo"] = "x"; }, "German: \"error.typo\" is not an English key"},
        {[](auto& s) { texts_of(s, 2).erase("error.a"); },
         "Dutch: the keys differ from German's; missing: [error.a]"},
        {[](auto& s) { texts_of(s, 2)["error.b"] = "B-nl."; }, "extra: [error.b]"},
        {[](auto& s) { texts_of(s, 1)["error.a"] = ""; }, "German: the text of \"error.a\""},
        {[](auto& s) { texts_of(s, 1)["error.a"] = 3; }, "must be a non-empty string"},
        {[](auto& s) { texts_of(s, 0)["warning.x"] = "W"; }, "\"warning.x\" belongs to no message block"},
        {[](auto& s) { texts_of(s, 0)["alpha_sensor.display"] = "A"; }, "belongs to no message block"},
        {[](auto& s) {
             s.structure["Lookups"]["status_code"] =
                 ordered_json::parse(R"({"LookupValues": [{"Name": "0", "Display": "Zero"}]})");
         },
         "\"lookup.status_code.0\" is defined twice"},
        {[](auto& s) { std::swap(s.languages[0], s.languages[1]); }, "first language must be English"},
        {[](auto& s) { s.languages.push_back(s.languages[1]); }, "German: the language is listed twice"},
        {[](auto& s) { s.structure["Text"] = ordered_json::object(); }, "without a \"Text\" member"},
        {[](auto& s) { s.structure.erase("Lookups"); }, "document.json"},
        {[](auto& s) { s.structure["Sensors"]["alpha_sensor"].erase("Help"); },
         "alpha_sensor has no text member \"Help\""},
        {[](auto& s) { texts_of(s, 2)["error.a"] = "${phone}"; }, "unknown vendor value ${phone}"}};
    for (const auto& c : cases) {
        auto sources = small_sources();
        c.break_sources(sources);
        try {
            docgen::assemble(sources);
            ADD_FAILURE() << "assembled despite: " << c.message;
        } catch (const docgen::docgen_error& error) {
            EXPECT_THAT(error.what(), HasSubstr(std::string(c.message)));
        }
    }
}

}  // namespace
}  // namespace orvane::tessel::aws::definition::testing
