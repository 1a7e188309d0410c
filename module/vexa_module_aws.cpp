#include "module/vexa_module_aws.h"

#include "aws/clients/client_factories.h"
#include "aws/clients/dates.h"
#include "module/definition/module_definition.h"

namespace orvane::tessel::aws {

VexaModuleAWS::VexaModuleAWS(std::uint64_t host_handle, vexa_message_callback callback)
    : module_instance(host_handle, callback) {
    auto& factories = container()->factories();
    factories.add<client_factory_function<ec2_client_interface>>(get_ec2_client_factory());
    factories.add<client_factory_function<elb_client_interface>>(get_elb_client_factory());
    factories.add<client_factory_function<rds_client_interface>>(get_rds_client_factory());
    factories.add<client_factory_function<cloudwatch_client_interface>>(get_cloudwatch_client_factory());
    factories.add<cost_api_factory_function>(get_cost_api_factory());
    factories.add<utils::today_function>(&utils::utc_today);
}

std::string VexaModuleAWS::get_module_information() const {
    return std::string(definition::document());
}

}  // namespace orvane::tessel::aws
