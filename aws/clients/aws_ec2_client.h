#pragma once

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/ec2/EC2Client.h>

#include <memory>
#include <string>
#include <vector>

#include "aws/clients/ec2_client_interface.h"
#include "aws/clients/secret_redactor.h"

namespace orvane::tessel::aws {

class aws_ec2_client final : public ec2_client_interface {
public:
    aws_ec2_client(const std::string& access_key, const std::string& secret_key,
                   const Aws::Client::ClientConfiguration& configuration);

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

    secret_redactor redactor_;
    std::unique_ptr<Aws::EC2::EC2Client> client_;
};

}  // namespace orvane::tessel::aws
