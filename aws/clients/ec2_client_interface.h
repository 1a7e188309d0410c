#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aws/clients/logger.h"

namespace orvane::tessel::aws {

struct ec2_instance_info {
    std::string name;  // the value of the tag "name" in any letter case; empty without one
    std::string id;

    bool operator==(const ec2_instance_info&) const = default;
};

struct ebs_volume_info {
    std::string id;
    std::string name;       // the value of the first tag "name" in any letter case
    std::int32_t size = 0;  // GiB
    std::string type;
    std::string attachment_information;  // "instance:device (state)", joined by ", "
    std::string state;

    bool operator==(const ebs_volume_info&) const = default;
};

// Amazon EC2 in the client's region. Listings throw the classified AWS error; probes answer false.
class ec2_client_interface {
public:
    virtual ~ec2_client_interface() = default;
    virtual std::vector<std::string> get_regions(const logger_ptr& logger) = 0;
    // Running instances that belong to no auto scaling group.
    virtual std::vector<ec2_instance_info> get_instances(const logger_ptr& logger) = 0;
    virtual bool can_describe_instances() = 0;
    virtual ebs_volume_info get_volume(const std::string& volume_id, const logger_ptr& logger) = 0;
    virtual std::vector<ebs_volume_info> get_volumes(const logger_ptr& logger) = 0;
    virtual bool can_describe_volumes() = 0;
};

}  // namespace orvane::tessel::aws
