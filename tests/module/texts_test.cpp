// The English texts the code carries and the English texts of the definition document are one
// source of truth: every message key the code can send must read the same in both.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/texts.h"
#include "host/texts.h"
#include "module/definition/module_definition.h"

namespace {

using namespace orvane::tessel;

std::vector<libi18n::i18n_text> texts_of_the_code() {
    std::vector<libi18n::i18n_text> texts(std::begin(aws::texts::all), std::end(aws::texts::all));
    texts.insert(texts.end(), std::begin(libvexahelper::texts::all), std::end(libvexahelper::texts::all));
    texts.push_back(libi18n::generic_error_text);
    return texts;
}

TEST(MessageTexts, ReadTheSameInTheCodeAndInTheDefinitionDocument) {
    const auto document = nlohmann::json::parse(aws::definition::document());
    const auto& english = document.at("Text").at("English").at("Translation");
    for (const auto& text : texts_of_the_code()) {
        const std::string key(text.key);
        ASSERT_TRUE(english.contains(key)) << key << " is missing from the document";
        EXPECT_EQ(english.at(key).at("Display").get<std::string>(), text.english) << key;
    }
}

TEST(MessageTexts, EveryKeyTheCodeSendsIsTranslatedWhereTranslationsExist) {
    const auto document = nlohmann::json::parse(aws::definition::document());
    const auto& german = document.at("Text").at("German").at("Translation");
    for (const auto& text : texts_of_the_code()) {
        const std::string key(text.key);
        // Keys the host shows only in English (instance names, the billing-currency error) are the
        // definition document's business; every other message reaches users translated.
        const bool english_only =
            key.ends_with("_sensor_instance_name") || key == "error.changed_billing_currency";
        EXPECT_EQ(german.contains(key), !english_only) << key;
    }
}

}  // namespace
