// The SDK subset runs inside the host's process, whatever locale the host has set: numbers on the
// wire and in logged JSON keep their decimal point.
#include "tests/support/comma_locale.h"
#include "core/string_utils.h"
#include "core/xml_reader.h"

#include <aws/core/utils/json/JsonSerializer.h>

#include <pugixml.hpp>

#include <string>

namespace {

struct xml_number {
    const char* text;
    double value;
};

class XmlNumbers : public CommaLocale, public ::testing::WithParamInterface<xml_number> {};

TEST_P(XmlNumbers, AreReadWithTheirDecimalPoint) {
    pugi::xml_document doc;
    const std::string xml = std::string("<Average>") + GetParam().text + "</Average>";
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    EXPECT_DOUBLE_EQ(Aws::Internal::XmlDouble(doc.first_child()), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, XmlNumbers,
                         ::testing::Values(xml_number{"12.5", 12.5}, xml_number{"+0.25", 0.25},
                                           xml_number{"-3.75", -3.75}, xml_number{"1.25E3", 1250.0},
                                           xml_number{" 7.5\n", 7.5}, xml_number{"99", 99.0},
                                           xml_number{"", 0.0}, xml_number{"n/a", 0.0}));

struct json_number {
    double value;
    const char* text;
};

class JsonNumbers : public CommaLocale, public ::testing::WithParamInterface<json_number> {};

TEST_P(JsonNumbers, AreWrittenWithADecimalPointAndReadBackExactly) {
    const Aws::Utils::Json::JsonValue json = Aws::Utils::Json::JsonValue().WithDouble("v", GetParam().value);
    EXPECT_EQ(json.View().WriteCompact(), std::string(R"({"v":)") + GetParam().text + "}");
}

INSTANTIATE_TEST_SUITE_P(Values, JsonNumbers,
                         ::testing::Values(json_number{0.25, "0.25"}, json_number{-1234567.5, "-1234567.5"},
                                           json_number{0.1 + 0.2, "0.30000000000000004"},
                                           json_number{42.0, "42"}, json_number{-0.0, "0"},
                                           json_number{3e9, "3000000000"}, json_number{1e300, "1e+300"}));

TEST_F(CommaLocale, QueryDecimalsKeepTheirPoint) {
    EXPECT_EQ(Aws::Internal::ToDecimal(0.5), "0.5");
    EXPECT_EQ(Aws::Internal::ToDecimal(1e21), "1e+21");
}

}  // namespace
