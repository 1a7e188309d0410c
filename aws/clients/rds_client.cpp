#include "aws/clients/rds_client.h"

#include <aws/core/auth/AWSCredentials.h>
#include <aws/rds/model/DescribeDBInstancesRequest.h>

#include "aws/clients/error_classification.h"
#include "aws/clients/paging.h"

namespace orvane::tessel::aws {

namespace model = Aws::RDS::Model;

rds_client::rds_client(const std::string& access_key, const std::string& secret_key,
                       const Aws::Client::ClientConfiguration& configuration)
    : redactor_(secret_key, configuration.proxyUserName, configuration.proxyPassword),
      client_(std::make_unique<Aws::RDS::RDSClient>(Aws::Auth::AWSCredentials(access_key, secret_key),
                                                    configuration)) {}

std::vector<rds_instance> rds_client::list_db_instances(const logger_ptr& logger) {
    std::vector<rds_instance> instances;
    model::DescribeDBInstancesRequest request;
    const auto read_page = [&] {
        auto outcome = client_->DescribeDBInstances(request);
        if (!outcome.IsSuccess()) {
            std::rethrow_exception(translate_rds_error(outcome.GetError(), logger, redactor_));
        }
        const auto& result = outcome.GetResult();
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
    return client_->DescribeDBInstances(model::DescribeDBInstancesRequest()).IsSuccess();
}

}  // namespace orvane::tessel::aws
