// The module object registers exactly the kinds the definition document declares, and its version
// is the document's.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "module/definition/module_definition.h"
#include "module/vexa_module_aws.h"

namespace {

using namespace orvane::tessel;
using libvexahelper::kind_category;

void ignore(std::uint64_t, const std::uint8_t*, std::uint32_t) {}

std::set<std::string> names_of(const nlohmann::json& section) {
    std::set<std::string> names;
    for (const auto& [name, value] : section.items()) {
        names.insert(name);
    }
    return names;
}

TEST(Registry, EqualsTheKindsOfTheDefinitionDocument) {
    const aws::VexaModuleAWS module(1, &ignore);
    std::set<std::string> sensors, checks, meta_scans;
    for (const auto& [category, name] : module.dispatcher()->registrations()) {
        (category == kind_category::sensor  ? sensors
         : category == kind_category::check ? checks
                                            : meta_scans)
            .insert(name);
    }
    const auto document = nlohmann::json::parse(module.get_module_information());
    EXPECT_EQ(sensors, names_of(document.at("Sensors")));
    EXPECT_EQ(checks, names_of(document.at("Checks")));
    EXPECT_EQ(meta_scans, names_of(document.at("MetaScans")));
}

TEST(Registry, TheDocumentIsTheOneTheLibraryHolds) {
    const aws::VexaModuleAWS module(1, &ignore);
    EXPECT_EQ(module.get_module_information(), aws::definition::document());
    EXPECT_EQ(nlohmann::json::parse(module.get_module_information())["MetaData"]["Version"],
              aws::definition::version());
}

}  // namespace
