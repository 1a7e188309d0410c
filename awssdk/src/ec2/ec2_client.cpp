#include <aws/ec2/EC2Client.h>

#include "core/service_client.h"
#include "core/xml_operation.h"
#include "ec2/ec2_unmarshal.h"

namespace Aws {
namespace EC2 {
namespace {

const Aws::Internal::ServiceTraits kService{
    {"ec2", "ec2", "EC2", "EC2", false}, "2016-11-15", "EC2", Aws::Internal::WireProtocol::Xml,
    &EC2ErrorMapper::GetErrorForName,    nullptr};

}  // namespace

const char* EC2Client::GetServiceName() {
    return "ec2";
}
const char* EC2Client::GetAllocationTag() {
    return "EC2Client";
}

EC2Client::EC2Client(const Aws::Auth::AWSCredentials& credentials,
                     const Aws::Client::ClientConfiguration& clientConfiguration)
    : m_core(std::make_shared<const Aws::Internal::ClientCore>(kService, credentials, clientConfiguration)) {}

EC2Client::~EC2Client() = default;

Model::DescribeRegionsOutcome EC2Client::DescribeRegions(const Model::DescribeRegionsRequest& request) const {
    return Aws::Internal::XmlOperation<Model::DescribeRegionsResponse, EC2Error>(
        *m_core, request, false, &Model::UnmarshalDescribeRegionsResponse);
}

Model::DescribeInstancesOutcome EC2Client::DescribeInstances(
    const Model::DescribeInstancesRequest& request) const {
    return Aws::Internal::XmlOperation<Model::DescribeInstancesResponse, EC2Error>(
        *m_core, request, false, &Model::UnmarshalDescribeInstancesResponse);
}

Model::DescribeVolumesOutcome EC2Client::DescribeVolumes(const Model::DescribeVolumesRequest& request) const {
    return Aws::Internal::XmlOperation<Model::DescribeVolumesResponse, EC2Error>(
        *m_core, request, false, &Model::UnmarshalDescribeVolumesResponse);
}

}  // namespace EC2
}  // namespace Aws
