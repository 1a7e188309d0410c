#include "aws/discovery/checks.h"

#include <exception>
#include <functional>
#include <string>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/cost_explorer.h"
#include "aws/clients/dates.h"
#include "aws/clients/ec2_client_interface.h"
#include "aws/clients/elb_client_interface.h"
#include "aws/clients/rds_client_interface.h"
#include "host/log_interface.h"
#include "host/messages.h"

namespace orvane::tessel::aws {

namespace {

// The read that decides a check, on the client of the given service interface.
template <class Client, auto Read>
bool probe(libvexahelper::service_container& container, const credential_settings& key) {
    return std::invoke(Read, *obtain_client<Client>(container, key));
}

}  // namespace

const discovery::check_row ec2_check_row{
    "ec2_check", &probe<ec2_client_interface, &ec2_client_interface::can_describe_instances>};
const discovery::check_row ebs_check_row{
    "ebs_check", &probe<ec2_client_interface, &ec2_client_interface::can_describe_volumes>};
const discovery::check_row elb_check_row{
    "elb_check", &probe<elb_client_interface, &elb_client_interface::test_connection>};
const discovery::check_row rds_check_row{
    "rds_check", &probe<rds_client_interface, &rds_client_interface::test_connection>};
const discovery::check_row alarm_check_row{
    "alarm_check", &probe<cloudwatch_client_interface, &cloudwatch_client_interface::test_connection>};

awscost_check::awscost_check(libvexahelper::check_context<settings_type> context)
    : check_base(std::move(context), "awscost_check") {}

void awscost_check::work() {
    libvexahelper::check_result result(get_id());
    try {
        const auto& factories = container()->factories();
        const auto api = factories.invoke<cost_api_factory_function>(cost_api_arguments{
            make_credential_settings(settings().credentials, settings().proxy, std::string(global_region)),
            logger()});
        const forecast_types no_forecasts;
        aws_cost_explorer explorer(&no_forecasts, api.get(), logger());
        const auto today = factories.invoke<utils::today_function>();
        cost_interval_query query(logger(), &explorer, [today] { return today; });
        // The amounts do not matter: an account without any cost passes too.
        (void)query.monthly_costs();
        result.set_success(true);
    } catch (const std::exception& failure) {
        log_with_level(failure.what(), liblog::failure);
    }
    send(result);
}

}  // namespace orvane::tessel::aws
