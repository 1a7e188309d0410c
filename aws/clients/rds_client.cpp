#include "aws/clients/rds_client.h"

#include <aws/core/auth/AWSCredentials.h>
#include <aws/rds/model/DescribeDBInstancesRequest.h>

#include "aws/clients/error_classification.h"
#include "aws/clients/paging.h"

namespace orvane::tessel::aws {

namespace model = Aws::RDS::Model;

std::vector<rds_instance> rds_client::list_db_instances(const logger_ptr& logger) {
    std::vector<rds_instance> instances;
    model::DescribeDBInstancesRequest request;
    const auto read_page = [&] {
        const auto outcome = sdk().DescribeDBInstances(request);
        const auto& result = result_of(outcome, logger);
        for (const auto& instance : result.GetDBInstances()) {
            trace(logger, "Database " + instance.GetDBInstanceIdentifier() + " (" +
                              instance.GetDBInstanceArn() + ") has engine '" + instance.GetEngine() + " (" +
                              instance.GetEngineVersion() + ")' and status '" +
                              instance.GetDBInstanceStatus() + "'.");
            instances.push_back({instance.GetDBInstanceIdentifier(), instance.GetEngine()});
        }
        return result.GetMarker();
    };
    follow_pages(max_pages, read_page, [&](const std::string& marker) { request.SetMarker(marker); });
    return instances;
}

bool rds_client::test_connection() {
    return sdk().DescribeDBInstances(model::DescribeDBInstancesRequest()).IsSuccess();
}

}  // namespace orvane::tessel::aws
