#include "aws/clients/client_factories.h"

#include "aws/clients/aws_cost_api.h"
#include "aws/clients/aws_ec2_client.h"
#include "aws/clients/client_configuration.h"
#include "aws/clients/cloudwatch_client.h"
#include "aws/clients/elb_client.h"
#include "aws/clients/rds_client.h"

namespace orvane::tessel::aws {

namespace {

template <class Interface, class Client>
std::function<client_factory_function<Interface>> factory_of() {
    return [](credential_settings key) -> std::unique_ptr<Interface> {
        return std::make_unique<Client>(key.access_key, key.secret_key,
                                        make_client_configuration(key.proxy, key.region));
    };
}

}  // namespace

std::function<client_factory_function<ec2_client_interface>> get_ec2_client_factory() {
    return factory_of<ec2_client_interface, aws_ec2_client>();
}

std::function<client_factory_function<cloudwatch_client_interface>> get_cloudwatch_client_factory() {
    return factory_of<cloudwatch_client_interface, cloudwatch_client>();
}

std::function<client_factory_function<elb_client_interface>> get_elb_client_factory() {
    return factory_of<elb_client_interface, elb_client>();
}

std::function<client_factory_function<rds_client_interface>> get_rds_client_factory() {
    return factory_of<rds_client_interface, rds_client>();
}

std::function<cost_api_factory_function> get_cost_api_factory() {
    return [](cost_api_arguments arguments) -> std::unique_ptr<cost_api_interface> {
        return std::make_unique<aws_cost_api>(arguments.credentials.access_key,
                                              arguments.credentials.secret_key, arguments.credentials.proxy,
                                              std::move(arguments.logger));
    };
}

}  // namespace orvane::tessel::aws
