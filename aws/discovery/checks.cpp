#include "aws/discovery/checks.h"

#include <exception>
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

ec2_check::ec2_check(libvexahelper::check_context<settings_type> context)
    : region_walking_check(std::move(context), "ec2_check") {}

bool ec2_check::probe(const credential_settings& key) {
    return obtain_client<ec2_client_interface>(*container(), key)->can_describe_instances();
}

ebs_check::ebs_check(libvexahelper::check_context<settings_type> context)
    : region_walking_check(std::move(context), "ebs_check") {}

bool ebs_check::probe(const credential_settings& key) {
    return obtain_client<ec2_client_interface>(*container(), key)->can_describe_volumes();
}

elb_check::elb_check(libvexahelper::check_context<settings_type> context)
    : region_walking_check(std::move(context), "elb_check") {}

bool elb_check::probe(const credential_settings& key) {
    return obtain_client<elb_client_interface>(*container(), key)->test_connection();
}

rds_check::rds_check(libvexahelper::check_context<settings_type> context)
    : region_walking_check(std::move(context), "rds_check") {}

bool rds_check::probe(const credential_settings& key) {
    return obtain_client<rds_client_interface>(*container(), key)->test_connection();
}

alarm_check::alarm_check(libvexahelper::check_context<settings_type> context)
    : region_walking_check(std::move(context), "alarm_check") {}

bool alarm_check::probe(const credential_settings& key) {
    return obtain_client<cloudwatch_client_interface>(*container(), key)->test_connection();
}

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
