#pragma once

#include <aws/rds/RDSClient.h>

#include <string>
#include <vector>

#include "aws/clients/error_classification.h"
#include "aws/clients/rds_client_interface.h"
#include "aws/clients/sdk_client.h"

namespace orvane::tessel::aws {

class rds_client final : public rds_client_interface,
                         private sdk_client<Aws::RDS::RDSClient, &translate_rds_error> {
public:
    using sdk_client::sdk_client;

    std::vector<rds_instance> list_db_instances(const logger_ptr& logger) override;
    bool test_connection() override;

    static constexpr int max_pages = 10000;
};

}  // namespace orvane::tessel::aws
