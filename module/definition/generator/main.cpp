// vexa_docgen: builds the module definition document from its sources.
//
//   vexa_docgen --structure document.json --vendor vendor.json --texts texts/ --languages English,Russian,...
//               [--cpp out.cpp] [--json out.json] [--review Language]
//   vexa_docgen --english texts/English.json --keys library/texts.keys --namespace NS --header out.h
//
// --cpp writes the source of definition::document(), --json the one-line document itself, and --review
// prints key, English text and translation of one language, tab-separated, for proofreading. The second
// form writes the C++ text constants of one library's messages, from the document's English texts.
#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "assembler.h"
#include "cpp_emitter.h"
#include "docgen_error.h"
#include "json_writer.h"
#include "source_parser.h"
#include "texts_emitter.h"

namespace {

namespace docgen = orvane::tessel::aws::definition::docgen;
using docgen::docgen_error;

std::map<std::string, std::string> parse_arguments(int argc, char** argv) {
    const std::vector<std::string> known = {"--structure", "--vendor",    "--texts",  "--languages",
                                            "--cpp",       "--json",      "--review", "--english",
                                            "--keys",      "--namespace", "--header"};
    std::map<std::string, std::string> options;
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        if (std::find(known.begin(), known.end(), name) == known.end() || i + 1 >= argc) {
            throw docgen_error(
                "usage: vexa_docgen --structure F --vendor F --texts DIR --languages A,B,... "
                "[--cpp F] [--json F] [--review LANGUAGE]\n"
                "       vexa_docgen --english F --keys F --namespace NS --header F");
        }
        options[name] = argv[i + 1];
    }
    const bool texts_header = options.count("--header") != 0;
    const auto required = texts_header
                              ? std::vector<const char*>{"--english", "--keys", "--namespace"}
                              : std::vector<const char*>{"--structure", "--vendor", "--texts", "--languages"};
    for (const auto* option : required) {
        if (options.count(option) == 0) {
            throw docgen_error(std::string("missing option ") + option);
        }
    }
    return options;
}

std::vector<std::string> split_languages(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto end = std::min(list.find_first_of(",;", start), list.size());
        if (end > start) {
            names.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

void write_file(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) {
        throw docgen_error(path.string() + ": cannot be written");
    }
}

std::string version_of(const nlohmann::ordered_json& document) {
    const auto* version = document.contains("MetaData") ? &document["MetaData"] : nullptr;
    if (version == nullptr || !version->contains("Version") || !(*version)["Version"].is_string()) {
        throw docgen::docgen_error("the document has no MetaData.Version text");
    }
    return (*version)["Version"].get<std::string>();
}

void print_review(const nlohmann::ordered_json& document, const std::string& language) {
    const auto& text = document.at("Text");
    if (!text.contains(language)) {
        throw docgen_error("no language " + language);
    }
    const auto& english = text.at("English").at("Translation");
    for (const auto& [key, entry] : text.at(language).at("Translation").items()) {
        std::cout << key << '\t' << english.at(key).at("Display").get<std::string>() << '\t'
                  << entry.at("Display").get<std::string>() << '\n';
    }
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw docgen_error(path.string() + ": cannot be opened");
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_texts_header(const std::map<std::string, std::string>& options) {
    const std::filesystem::path english = options.at("--english");
    const std::filesystem::path keys = options.at("--keys");
    const auto header = docgen::emit_texts_header(
        docgen::read_source(english), docgen::parse_keys(read_file(keys), keys.string()),
        options.at("--namespace"), english.generic_string() + " and " + keys.generic_string());
    write_file(options.at("--header"), header);
}

int run(int argc, char** argv) {
    const auto options = parse_arguments(argc, argv);
    if (options.count("--header") != 0) {
        write_texts_header(options);
        return 0;
    }
    docgen::document_sources sources;
    sources.structure = docgen::read_source(options.at("--structure"));
    sources.vendor = docgen::read_source(options.at("--vendor"));
    const std::filesystem::path texts = options.at("--texts");
    for (const auto& name : split_languages(options.at("--languages"))) {
        sources.languages.push_back({name, docgen::read_source(texts / (name + ".json"))});
    }
    const auto document = docgen::assemble(sources);
    const auto line = docgen::write_one_line(document);
    if (const auto json = options.find("--json"); json != options.end()) {
        write_file(json->second, line);
    }
    if (const auto cpp = options.find("--cpp"); cpp != options.end()) {
        write_file(cpp->second, docgen::emit_cpp(line, version_of(document)));
    }
    if (const auto review = options.find("--review"); review != options.end()) {
        print_review(document, review->second);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "vexa_docgen: " << error.what() << '\n';
        return 1;
    }
}
