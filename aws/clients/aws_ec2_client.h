#pragma once

#include <aws/ec2/EC2Client.h>

#include <string>
#include <vector>

#include "aws/clients/ec2_client_interface.h"
#include "aws/clients/error_classification.h"
#include "aws/clients/sdk_client.h"

namespace orvane::tessel::aws {

class aws_ec2_client final : public ec2_client_interface,
                             private sdk_client<Aws::EC2::EC2Client, &translate_ec2_error> {
public:
    using sdk_client::sdk_client;

    std::vector<std::string> get_regions(const logger_ptr& logger) override;
    std::vector<ec2_instance_info> get_instances(const logger_ptr& logger) override;
    bool can_describe_instances() override;
    ebs_volume_info get_volume(const std::string& volume_id, const logger_ptr& logger) override;
    std::vector<ebs_volume_info> get_volumes(const logger_ptr& logger) override;
    bool can_describe_volumes() override;

    static constexpr int max_pages = 100;
    static constexpr int instances_per_page = 1000;
    static constexpr int volumes_per_page = 500;

private:
    std::vector<ebs_volume_info> list_volumes(Aws::EC2::Model::DescribeVolumesRequest request,
                                              const logger_ptr& logger);
};

}  // namespace orvane::tessel::aws
