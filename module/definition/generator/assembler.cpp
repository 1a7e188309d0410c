#include "assembler.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <set>

#include "docgen_error.h"

namespace orvane::tessel::aws::definition::docgen {
namespace {

using nlohmann::ordered_json;

struct field_key {
    std::string_view member;  // the structure's member holding the text
    std::string_view suffix;  // the last part of the key
};

constexpr std::array kModuleFields = {field_key{"Display", "display"},
                                      field_key{"Description", "description"}};
constexpr std::array kSensorFields = {field_key{"Display", "display"},
                                      field_key{"Description", "description"}, field_key{"Help", "help"}};
constexpr std::array kSectionFields = {field_key{"Display", "display"}};
constexpr std::array kSettingFields = {field_key{"Display", "display"}, field_key{"Help", "help"}};

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const auto part : parts) {
        out += part;
    }
    return out;
}

const std::string& text_member(const ordered_json& object, std::string_view member,
                               const std::string& where) {
    const auto found = object.find(member);
    if (found == object.end() || !found->is_string()) {
        throw docgen_error("document.json: " + where + " has no text member \"" + std::string(member) + "\"");
    }
    return found->get_ref<const std::string&>();
}

class english_builder {
public:
    void add(std::string key, const std::string& text, order_key order) {
        if (!keys_.insert(key).second) {
            throw docgen_error("the English key \"" + key + "\" is defined twice");
        }
        entries_.push_back({std::move(key), text, std::move(order)});
    }

    template <std::size_t N>
    void add_fields(const ordered_json& object, const std::string& prefix,
                    const std::array<field_key, N>& fields, entity kind, const std::string& name,
                    bool required) {
        for (std::size_t i = 0; i < N; ++i) {
            if (!required && !object.contains(fields[i].member)) {
                continue;
            }
            add(prefix + "." + std::string(fields[i].suffix), text_member(object, fields[i].member, prefix),
                {block_of(kind, name), name, {}, i});
        }
    }

    std::vector<english_entry> sorted() && {
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const english_entry& a, const english_entry& b) { return a.order < b.order; });
        return std::move(entries_);
    }

private:
    std::set<std::string> keys_;
    std::vector<english_entry> entries_;
};

void add_setting(english_builder& out, const std::string& group, const ordered_json& setting) {
    const auto& name = setting.at("Name").get_ref<const std::string&>();
    const auto prefix = group + "." + name;
    const order_key order{block_of(entity::group, group), group, name, 0};
    std::size_t position = 0;
    for (const auto& field : kSettingFields) {
        if (setting.contains(field.member)) {
            out.add(prefix + "." + std::string(field.suffix), text_member(setting, field.member, prefix),
                    {order.block, group, name, position});
        }
        ++position;
    }
    if (const auto selection = setting.find("Selection"); selection != setting.end()) {
        for (const auto& option : selection->at("Options")) {
            const auto& value = option.at("Value").get_ref<const std::string&>();
            out.add(joined({prefix, ".option.", value}),
                    text_member(option, "Display", joined({prefix, " option ", value})),
                    {order.block, group, name, position++});
        }
    }
}

void add_structure(english_builder& out, const ordered_json& structure) {
    out.add_fields(structure.at("MetaData"), "module", kModuleFields, entity::module, "module", true);
    for (const auto& [name, sensor] : structure.at("Sensors").items()) {
        out.add_fields(sensor, name, kSensorFields, entity::sensor, name, true);
    }
    for (const auto& [name, section] : structure.at("Sections").items()) {
        out.add_fields(section, name, kSectionFields, entity::section, name, true);
    }
    for (const auto& [name, group] : structure.at("Groups").items()) {
        for (const auto& item : group.at("Items")) {
            add_setting(out, name, item.at("Setting"));
        }
    }
    for (const auto& [name, lookup] : structure.at("Lookups").items()) {
        std::size_t position = 0;
        for (const auto& value : lookup.at("LookupValues")) {
            const auto key = "lookup." + name + "." + value.at("Name").get<std::string>();
            out.add(key, text_member(value, "Display", key),
                    {block_of(entity::lookup, name), name, {}, position++});
        }
    }
}

const std::string& translation_text(const std::string& language, const std::string& key,
                                    const ordered_json& text) {
    if (!text.is_string() || text.get_ref<const std::string&>().empty()) {
        throw docgen_error(language + ": the text of \"" + key + "\" must be a non-empty string");
    }
    return text.get_ref<const std::string&>();
}

void add_messages(english_builder& out, const ordered_json& messages) {
    std::size_t position = 0;
    for (const auto& [key, text] : messages.items()) {
        const auto block = message_block_of(key);
        if (!block) {
            throw docgen_error("English: \"" + key +
                               "\" belongs to no message block (status code, library, " +
                               "channel, error or meta-scan key); structural texts come from document.json");
        }
        out.add(key, translation_text("English", key, text), {*block, {}, {}, position++});
    }
}

void substitute_all(ordered_json& value, const ordered_json& vendor) {
    if (value.is_string()) {
        value = substitute_vendor_values(value.get_ref<const std::string&>(), vendor);
    } else if (value.is_structured()) {
        for (auto& element : value) {
            substitute_all(element, vendor);
        }
    }
}

std::string list_keys(const std::vector<std::string>& keys) {
    std::string out;
    for (const auto& key : keys) {
        out += (out.empty() ? "" : ", ") + key;
    }
    return out;
}

using translation = std::vector<std::pair<std::string, std::string>>;

// One translated language in English order; every key must be an English key.
translation order_translation(const language_texts& language,
                              const std::map<std::string, std::size_t>& english) {
    if (!language.texts.is_object()) {
        throw docgen_error(language.name + ": the texts must be one object from key to text");
    }
    std::vector<std::pair<std::size_t, const std::string*>> positions;
    for (const auto& [key, text] : language.texts.items()) {
        const auto found = english.find(key);
        if (found == english.end()) {
            throw docgen_error(language.name + ": \"" + key + "\" is not an English key");
        }
        positions.emplace_back(found->second, &key);
    }
    std::sort(positions.begin(), positions.end());
    translation ordered;
    for (const auto& [position, key] : positions) {
        ordered.emplace_back(*key, translation_text(language.name, *key, language.texts.at(*key)));
    }
    return ordered;
}

void require_same_keys(const std::string& name, const translation& texts, const std::string& reference_name,
                       const translation& reference) {
    std::set<std::string> have;
    for (const auto& entry : texts) {
        have.insert(entry.first);
    }
    std::set<std::string> expected;
    for (const auto& entry : reference) {
        expected.insert(entry.first);
    }
    std::vector<std::string> missing;
    std::vector<std::string> extra;
    std::set_difference(expected.begin(), expected.end(), have.begin(), have.end(),
                        std::back_inserter(missing));
    std::set_difference(have.begin(), have.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra));
    if (!missing.empty() || !extra.empty()) {
        throw docgen_error(name + ": the keys differ from " + reference_name + "'s; missing: [" +
                           list_keys(missing) + "], extra: [" + list_keys(extra) + "]");
    }
}

ordered_json translation_object(const translation& texts) {
    auto object = ordered_json::object();
    for (const auto& [key, text] : texts) {
        object[key] = ordered_json{{"Display", text}};
    }
    return ordered_json{{"Translation", std::move(object)}};
}

}  // namespace

std::string substitute_vendor_values(std::string_view text, const ordered_json& vendor) {
    std::string out;
    std::size_t done = 0;
    for (auto start = text.find("${"); start != std::string_view::npos; start = text.find("${", done)) {
        const auto end = text.find('}', start);
        if (end == std::string_view::npos) {
            throw docgen_error("unterminated vendor reference in \"" + std::string(text) + "\"");
        }
        const std::string name(text.substr(start + 2, end - start - 2));
        const auto value = vendor.find(name);
        if (value == vendor.end() || !value->is_string()) {
            throw docgen_error("unknown vendor value ${" + name + "} (vendor.json)");
        }
        out.append(text.substr(done, start - done));
        out += value->get_ref<const std::string&>();
        done = end + 1;
    }
    out.append(text.substr(done));
    return out;
}

std::vector<english_entry> english_entries(const ordered_json& structure,
                                           const ordered_json& english_messages) {
    english_builder out;
    add_structure(out, structure);
    add_messages(out, english_messages);
    return std::move(out).sorted();
}

ordered_json assemble(const document_sources& sources) {
    if (sources.languages.empty() || sources.languages.front().name != "English") {
        throw docgen_error("the first language must be English");
    }
    if (!sources.structure.is_object() || sources.structure.contains("Text")) {
        throw docgen_error("document.json: must be an object without a \"Text\" member (it is generated)");
    }
    auto document = sources.structure;
    substitute_all(document, sources.vendor);
    auto english_messages = sources.languages.front().texts;
    if (!english_messages.is_object()) {
        throw docgen_error("English: the texts must be one object from key to text");
    }
    substitute_all(english_messages, sources.vendor);

    std::vector<english_entry> english;
    try {
        english = english_entries(document, english_messages);
    } catch (const ordered_json::exception& error) {
        throw docgen_error(std::string("document.json: ") + error.what());
    }

    translation english_texts;
    std::map<std::string, std::size_t> english_positions;
    for (auto& entry : english) {
        english_positions.emplace(entry.key, english_texts.size());
        english_texts.emplace_back(std::move(entry.key), std::move(entry.text));
    }

    auto text = ordered_json::object();
    text["English"] = translation_object(english_texts);
    const language_texts* reference = nullptr;
    translation reference_texts;
    for (auto language = std::next(sources.languages.begin()); language != sources.languages.end();
         ++language) {
        if (text.contains(language->name)) {
            throw docgen_error(language->name + ": the language is listed twice");
        }
        auto substituted = *language;
        substitute_all(substituted.texts, sources.vendor);
        auto ordered = order_translation(substituted, english_positions);
        if (reference == nullptr) {
            reference = &*language;
            reference_texts = ordered;
        } else {
            require_same_keys(language->name, ordered, reference->name, reference_texts);
        }
        text[language->name] = translation_object(ordered);
    }
    document["Text"] = std::move(text);
    return document;
}

}  // namespace orvane::tessel::aws::definition::docgen
