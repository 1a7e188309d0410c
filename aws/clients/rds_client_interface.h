#pragma once

#include <string>
#include <vector>

#include "aws/clients/logger.h"

namespace orvane::tessel::aws {

struct rds_instance {
    std::string identifier;
    std::string engine;

    bool operator==(const rds_instance&) const = default;
};

// Amazon RDS in the client's region.
class rds_client_interface {
public:
    virtual ~rds_client_interface() = default;
    virtual std::vector<rds_instance> list_db_instances(const logger_ptr& logger) = 0;
    virtual bool test_connection() = 0;
};

}  // namespace orvane::tessel::aws
