#include <aws/rds/RDSClient.h>

#include "core/service_client.h"
#include "core/xml_operation.h"
#include "rds/rds_unmarshal.h"

namespace Aws {
namespace RDS {
namespace {

const Aws::Internal::ServiceTraits kService{
    {"rds", "rds", "RDS", "RDS", false}, "2014-10-31", "RDS", Aws::Internal::WireProtocol::Xml,
    &RDSErrorMapper::GetErrorForName,    nullptr};

}  // namespace

const char* RDSClient::GetServiceName() {
    return "rds";
}
const char* RDSClient::GetAllocationTag() {
    return "RDSClient";
}

RDSClient::RDSClient(const Aws::Auth::AWSCredentials& credentials,
                     const Aws::Client::ClientConfiguration& clientConfiguration)
    : m_core(std::make_shared<const Aws::Internal::ClientCore>(kService, credentials, clientConfiguration)) {}

RDSClient::~RDSClient() = default;

Model::DescribeDBInstancesOutcome RDSClient::DescribeDBInstances(
    const Model::DescribeDBInstancesRequest& request) const {
    return Aws::Internal::XmlOperation<Model::DescribeDBInstancesResult, RDSError>(
        *m_core, request, true, &Model::UnmarshalDescribeDBInstancesResult);
}

}  // namespace RDS
}  // namespace Aws
