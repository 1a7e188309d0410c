#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/exceptions.h"

namespace {

using namespace orvane::tessel;
namespace ex = aws::exceptions;

// One row per module exception: how to raise it, its encoded form and English text.
struct exception_case {
    const char* name;
    std::function<void()> raise;
    std::string encoded;
    std::string english;
};

void PrintTo(const exception_case& c, std::ostream* os) {
    *os << c.name;
}

class ModuleExceptions : public ::testing::TestWithParam<exception_case> {};

TEST_P(ModuleExceptions, CarryTheirMessageAndAreCaughtAsTheModuleFamily) {
    const auto& c = GetParam();
    try {
        c.raise();
        FAIL() << "no exception";
    } catch (const ex::exception& error) {
        EXPECT_EQ(error.message().encoded(), c.encoded);
        EXPECT_EQ(error.message().english(), c.english);
        EXPECT_EQ(std::string(error.what()), c.english);
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, ModuleExceptions,
    ::testing::Values(
        exception_case{"access_denied", [] { throw ex::access_denied(""); }, "#:error.access_denied[]",
                       "You do not have permission to perform this request. "},
        exception_case{
            "authentication_failed", [] { throw ex::authentication_failed("bad key"); },
            "#:error.authentication_failed[bad key]",
            "The sensor could not authenticate with AWS. Check your credentials for AWS or select 'Store "
            "result' under Debug Options | Result Handling in the sensor settings, rescan, and check the "
            "\\Logs\\sensors subfolder of the Halden data directory on the probe system. bad key"},
        exception_case{
            "unauthorized_operation", [] { throw ex::unauthorized_operation("no: way"); },
            "#:error.unauthorized_operation[no\\: way]",
            "The access to the operation was denied or has been restricted via AWS Control Tower. no: way"},
        exception_case{
            "data_unavailable", [] { throw ex::data_unavailable(); }, "#:error.data_unavailable[]",
            "The requested data is not available. If you have recently activated the Cost Explorer, it "
            "might take a few days for the data to be available."},
        exception_case{"limit_exceeded", [] { throw ex::limit_exceeded(); }, "#:error.limit_exceeded[]",
                       "You made too many API calls in a short period of time. Try again later."},
        exception_case{
            "no_regions_accessible", [] { throw ex::no_regions_accessible(); },
            "#:error.no_regions_accessible[]",
            "Access to all regions was denied or has been restricted via the AWS Control Tower. Make sure "
            "that your AWS credentials are valid for all the regions you want to monitor."},
        exception_case{
            "conversion_failed", [] { throw ex::conversion_failed("abc"); }, "#:error.conversion_failed[abc]",
            "Could not find a valid double-precision floating-point number inside the result \"abc\" for "
            "conversion."},
        exception_case{"no_alarm_found", [] { throw ex::no_alarm_found("cpu,high"); },
                       "#:error.no_alarm_found[cpu\\,high]", "No alarm with the name cpu,high was found."},
        exception_case{"no_datapoints_found", [] { throw ex::no_datapoints_found(); },
                       "#:error.no_datapoints_found[]", "There is no data for any of the requested metrics."},
        exception_case{"no_volume_found", [] { throw ex::no_volume_found("vol-1"); },
                       "#:error.no_volume_found[vol-1]", "No volume with the ID vol-1 was found."},
        exception_case{"result_pages_overflow", [] { throw ex::result_pages_overflow("100"); },
                       "#:error.result_pages_overflow[100]", "Too many results. Reached limit of 100 pages."},
        exception_case{"unsupported_statistic_type", [] { throw ex::unsupported_statistic_type(""); },
                       "#:error.unsupported_statistic_type[]", "The statistic type  is not supported."},
        exception_case{
            "alarm_has_wrong_metric", [] { throw ex::alarm_has_wrong_metric("a", "CPU", "Net"); },
            "#:error.alarm_has_wrong_metric[a,CPU,Net]",
            "The monitored alarm a changed its metric from CPU to Net. Please create the sensor anew."},
        exception_case{
            "alarm_has_wrong_type", [] { throw ex::alarm_has_wrong_type("a", "Metric", "Composite"); },
            "#:error.alarm_has_wrong_type[a,Metric,Composite]",
            "The monitored alarm a changed its type from Metric to Composite. Please create the sensor "
            "anew."},
        exception_case{
            "alarm_has_wrong_unit", [] { throw ex::alarm_has_wrong_unit("a", "Percent", "Count"); },
            "#:error.alarm_has_wrong_unit[a,Percent,Count]",
            "The monitored alarm a changed the unit of its metric from Percent to Count. Please create the "
            "sensor anew."},
        exception_case{"unknown_alarm_type", [] { throw ex::unknown_alarm_type("Log"); },
                       "#:error.unknown_alarm_type[Log]", "The alarm type Log is not supported."},
        exception_case{"unknown_loadbalancer_type", [] { throw ex::unknown_loadbalancer_type("gateway"); },
                       "#:error.unknown_loadbalancer_type[gateway]",
                       "The load balancer type gateway is not supported."}),
    [](const auto& info) { return info.param.name; });

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
    static_assert(!std::is_base_of_v<ex::exception, aws::utils::invalid_date>);
    static_assert(std::is_base_of_v<libvexahelper::utils::exceptions::exception, aws::utils::invalid_date>);
    static_assert(!std::is_base_of_v<ex::exception, libi18n::error_generic>);
    static_assert(std::is_base_of_v<libi18n::i18n_exception, libi18n::error_generic>);

    static_assert(std::is_base_of_v<libvexahelper::utils::exceptions::service_container_error,
                                    libvexahelper::utils::exceptions::instance_not_available_key>);
    static_assert(std::is_base_of_v<libvexahelper::utils::exceptions::initialization_error,
                                    libvexahelper::utils::exceptions::channel_map_not_initialized>);
}

TEST(ExceptionChains, CatchOrderPrefersTheLocalisedHandler) {
    const auto caught_as = [](const std::function<void()>& raise) -> std::string {
        try {
            raise();
        } catch (const libi18n::i18n_exception&) {
            return "i18n";
        } catch (const std::exception&) {
            return "std";
        }
        return "none";
    };
    EXPECT_EQ(caught_as([] { throw aws::utils::invalid_date("2024-02-30 is not a valid year_month_day"); }),
              "i18n");
    EXPECT_EQ(caught_as([] { throw libi18n::error_generic("Metric does not include a value."); }), "i18n");
    EXPECT_EQ(caught_as([] { throw std::out_of_range("stod argument out of range"); }), "std");
}

TEST(ExceptionChains, GenericErrorAndDateErrorRenderTheirArgument) {
    const libi18n::error_generic generic("Throttling: Rate exceeded");
    EXPECT_EQ(generic.message().encoded(), "#:libi18n.error.generic[Throttling\\: Rate exceeded]");
    EXPECT_TRUE(std::string(generic.what()).ends_with("on the probe system. Throttling: Rate exceeded"));

    const aws::utils::invalid_date date("2023-02-29 is not a valid year_month_day");
    EXPECT_EQ(std::string(date.what()), "Invalid date: 2023-02-29 is not a valid year_month_day");
}

}  // namespace
