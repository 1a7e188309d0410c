#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/exceptions.h"

namespace {

using namespace orvane::tessel;
namespace ex = aws::exceptions;

// What can go wrong between an exception and its message: arguments that contain the characters
// that structure the encoded form, and arguments out of order.
struct exception_case {
    const char* name;
    std::function<void()> raise;
    std::string encoded;
};

void PrintTo(const exception_case& c, std::ostream* os) {
    *os << c.name;
}

class ModuleExceptions : public ::testing::TestWithParam<exception_case> {};

TEST_P(ModuleExceptions, CarryTheirArgumentsEscapedAndInOrder) {
    const auto& c = GetParam();
    try {
        c.raise();
        FAIL() << "no exception";
    } catch (const ex::exception& error) {
        EXPECT_EQ(error.message().encoded(), c.encoded);
        EXPECT_EQ(std::string(error.what()), error.message().english());
        EXPECT_EQ(error.message().english().find('%'), std::string::npos) << "unfilled placeholder";
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, ModuleExceptions,
    ::testing::Values(exception_case{"colon", [] { throw ex::unauthorized_operation("no: way"); },
                                     "#:error.unauthorized_operation[no\\: way]"},
                      exception_case{"comma", [] { throw ex::no_alarm_found("cpu,high"); },
                                     "#:error.no_alarm_found[cpu\\,high]"},
                      exception_case{"empty", [] { throw ex::access_denied(""); }, "#:error.access_denied[]"},
                      exception_case{"three_in_order",
                                     [] { throw ex::alarm_has_wrong_type("a", "Metric", "Composite"); },
                                     "#:error.alarm_has_wrong_type[a,Metric,Composite]"}),
    [](const auto& info) { return info.param.name; });

TEST(ModuleExceptions, WhatIsTheEnglishRendering) {
    EXPECT_STREQ(ex::no_volume_found("vol-1").what(), "No volume with the ID vol-1 was found.");
    EXPECT_STREQ(ex::access_denied("").what(), "You do not have permission to perform this request. ");
}

// The handlers of the module catch by these bases; each class must sit exactly where they expect it.
TEST(ExceptionChains, FollowTheFamilies) {
    static_assert(std::is_base_of_v<ex::access_denied, ex::no_regions_accessible>);
    static_assert(std::is_base_of_v<ex::exception, ex::no_regions_accessible>);
    static_assert(!std::is_base_of_v<ex::access_denied, ex::unauthorized_operation>);
    static_assert(std::is_base_of_v<libi18n::_i18n_exception<ex::exception>, ex::no_alarm_found>);
    static_assert(std::is_base_of_v<libi18n::_i18n_exception<libi18n::i18n_exception>, ex::exception>);
    static_assert(std::is_base_of_v<libexception::exception, libi18n::i18n_exception>);

    // Neither the date error nor the generic one belong to the module's family: handlers that keep
    // a scan alive on module errors must let them through.
    // Both still reach the localised handlers, which come before those of std::exception.
    static_assert(!std::is_base_of_v<ex::exception, aws::utils::invalid_date>);
    static_assert(std::is_base_of_v<libvexahelper::utils::exceptions::exception, aws::utils::invalid_date>);
    static_assert(std::is_base_of_v<libi18n::i18n_exception, aws::utils::invalid_date>);
    static_assert(!std::is_base_of_v<ex::exception, libi18n::error_generic>);
    static_assert(std::is_base_of_v<libi18n::i18n_exception, libi18n::error_generic>);

    static_assert(std::is_base_of_v<libvexahelper::utils::exceptions::service_container_error,
                                    libvexahelper::utils::exceptions::instance_not_available_key>);
    static_assert(std::is_base_of_v<libvexahelper::utils::exceptions::initialization_error,
                                    libvexahelper::utils::exceptions::channel_map_not_initialized>);
}

TEST(ExceptionChains, GenericErrorAndDateErrorRenderTheirArgument) {
    const libi18n::error_generic generic("Throttling: Rate exceeded");
    EXPECT_EQ(generic.message().encoded(), "#:libi18n.error.generic[Throttling\\: Rate exceeded]");
    EXPECT_TRUE(std::string(generic.what()).ends_with("on the probe system. Throttling: Rate exceeded"));

    const aws::utils::invalid_date date("2023-02-29 is not a valid year_month_day");
    EXPECT_EQ(std::string(date.what()), "Invalid date: 2023-02-29 is not a valid year_month_day");
}

}  // namespace
