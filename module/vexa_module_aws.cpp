#include "module/vexa_module_aws.h"

#include "aws/clients/client_factories.h"
#include "aws/clients/dates.h"
#include "aws/discovery/checks.h"
#include "aws/discovery/metascans.h"
#include "aws/sensors/alarm_sensor.h"
#include "aws/sensors/awscost.h"
#include "aws/sensors/ebs_sensor.h"
#include "aws/sensors/ec2_sensor.h"
#include "aws/sensors/elb_sensor.h"
#include "aws/sensors/rds_sensor.h"
#include "module/definition/module_definition.h"

namespace orvane::tessel::aws {

VexaModuleAWS::VexaModuleAWS(std::uint64_t host_handle, vexa_message_callback callback)
    : module_instance(host_handle, callback, definition::version()) {
    auto& factories = container()->factories();
    factories.add<client_factory_function<ec2_client_interface>>(get_ec2_client_factory());
    factories.add<client_factory_function<elb_client_interface>>(get_elb_client_factory());
    factories.add<client_factory_function<rds_client_interface>>(get_rds_client_factory());
    factories.add<client_factory_function<cloudwatch_client_interface>>(get_cloudwatch_client_factory());
    factories.add<cost_api_factory_function>(get_cost_api_factory());
    factories.add<utils::today_function>(&utils::utc_today);

    // The seventeen kinds, in the order hosts see them listed.
    auto& kinds = *dispatcher();
    kinds.register_sensor_as<awscost>("awscost");
    kinds.register_check_as<awscost_check>("awscost_check");
    kinds.register_sensor_as<ebs_sensor>("ebs_sensor");
    kinds.register_meta_as<ebs_metascan>("ebs_metascan");
    kinds.register_check_as<ebs_check>("ebs_check");
    kinds.register_sensor_as<ec2_sensor>("ec2_sensor");
    kinds.register_meta_as<ec2_metascan>("ec2_metascan");
    kinds.register_check_as<ec2_check>("ec2_check");
    kinds.register_sensor_as<elb_sensor>("elb_sensor");
    kinds.register_meta_as<elb_metascan>("elb_metascan");
    kinds.register_check_as<elb_check>("elb_check");
    kinds.register_sensor_as<rds_sensor>("rds_sensor");
    kinds.register_meta_as<rds_metascan>("rds_metascan");
    kinds.register_check_as<rds_check>("rds_check");
    kinds.register_sensor_as<alarm_sensor>("alarm_sensor");
    kinds.register_meta_as<alarm_metascan>("alarm_metascan");
    kinds.register_check_as<alarm_check>("alarm_check");
}

std::string VexaModuleAWS::get_module_information() const {
    return std::string(definition::document());
}

}  // namespace orvane::tessel::aws
