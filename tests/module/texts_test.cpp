// Every message the code can send reaches users translated, wherever the document has translations.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/texts.h"
#include "host/texts.h"
#include "libs/i18n/texts.h"
#include "module/definition/module_definition.h"

namespace {

using namespace orvane::tessel;

std::vector<libi18n::i18n_text> texts_of_the_code() {
    std::vector<libi18n::i18n_text> texts(std::begin(aws::texts::all), std::end(aws::texts::all));
    texts.insert(texts.end(), std::begin(libvexahelper::texts::all), std::end(libvexahelper::texts::all));
    texts.push_back(libi18n::texts::generic);
    return texts;
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
