// The module object registers exactly the seventeen kinds the definition document declares.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

TEST(Registry, HoldsTheSeventeenKindsInOrder) {
    const aws::VexaModuleAWS module(1, &ignore);
    using entry = std::pair<kind_category, std::string>;
    constexpr auto sensor = kind_category::sensor;
    constexpr auto check = kind_category::check;
    constexpr auto meta = kind_category::meta_scan;
    EXPECT_EQ(module.dispatcher()->registrations(), (std::vector<entry>{{sensor, "awscost"},
                                                                        {check, "awscost_check"},
                                                                        {sensor, "ebs_sensor"},
                                                                        {meta, "ebs_metascan"},
                                                                        {check, "ebs_check"},
                                                                        {sensor, "ec2_sensor"},
                                                                        {meta, "ec2_metascan"},
                                                                        {check, "ec2_check"},
                                                                        {sensor, "elb_sensor"},
                                                                        {meta, "elb_metascan"},
                                                                        {check, "elb_check"},
                                                                        {sensor, "rds_sensor"},
                                                                        {meta, "rds_metascan"},
                                                                        {check, "rds_check"},
                                                                        {sensor, "alarm_sensor"},
                                                                        {meta, "alarm_metascan"},
                                                                        {check, "alarm_check"}}));
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
    EXPECT_EQ(nlohmann::json::parse(module.get_module_information())["MetaData"]["Version"], "0.87.0.17330");
}

}  // namespace
