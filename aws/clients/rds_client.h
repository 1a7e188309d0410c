#pragma once

#include <aws/core/client/ClientConfiguration.h>
#include <aws/rds/RDSClient.h>

#include <memory>
#include <string>
#include <vector>

#include "aws/clients/rds_client_interface.h"
#include "aws/clients/secret_redactor.h"

namespace orvane::tessel::aws {

class rds_client final : public rds_client_interface {
public:
    rds_client(const std::string& access_key, const std::string& secret_key,
               const Aws::Client::ClientConfiguration& configuration);

    std::vector<rds_instance> list_db_instances(const logger_ptr& logger) override;
    bool test_connection() override;

    static constexpr int max_pages = 10000;

private:
    secret_redactor redactor_;
    std::unique_ptr<Aws::RDS::RDSClient> client_;
};

}  // namespace orvane::tessel::aws
