#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Client.h>

#include "core/service_client.h"
#include "core/xml_operation.h"
#include "elb/elb_unmarshal.h"

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace {

const Aws::Internal::ServiceTraits kService{{"elasticloadbalancing", "elasticloadbalancing",
                                             "ELASTIC_LOAD_BALANCING_V2", "ELASTICLOADBALANCING", false},
                                            "2015-12-01",
                                            "Elastic_Load_Balancing_v2",
                                            Aws::Internal::WireProtocol::Xml,
                                            &ElasticLoadBalancingv2ErrorMapper::GetErrorForName,
                                            nullptr};

}  // namespace

const char* ElasticLoadBalancingv2Client::GetServiceName() {
    return "elasticloadbalancing";
}
const char* ElasticLoadBalancingv2Client::GetAllocationTag() {
    return "ElasticLoadBalancingv2Client";
}

ElasticLoadBalancingv2Client::ElasticLoadBalancingv2Client(
    const Aws::Auth::AWSCredentials& credentials, const Aws::Client::ClientConfiguration& clientConfiguration)
    : m_core(std::make_shared<const Aws::Internal::ClientCore>(kService, credentials, clientConfiguration)) {}

ElasticLoadBalancingv2Client::~ElasticLoadBalancingv2Client() = default;

Model::DescribeLoadBalancersOutcome ElasticLoadBalancingv2Client::DescribeLoadBalancers(
    const Model::DescribeLoadBalancersRequest& request) const {
    return Aws::Internal::XmlOperation<Model::DescribeLoadBalancersResult, ElasticLoadBalancingv2Error>(
        *m_core, request, true, &Model::UnmarshalDescribeLoadBalancersResult);
}

}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
