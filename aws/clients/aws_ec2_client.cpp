#include "aws/clients/aws_ec2_client.h"

#include <aws/ec2/model/DescribeInstancesRequest.h>
#include <aws/ec2/model/DescribeRegionsRequest.h>
#include <aws/ec2/model/DescribeVolumesRequest.h>

#include <algorithm>
#include <cctype>

#include "aws/clients/error_classification.h"
#include "aws/clients/paging.h"
#include "framework/exceptions.h"

namespace orvane::tessel::aws {

namespace model = Aws::EC2::Model;

namespace {

bool is_name_key(const std::string& key) {
    return key.size() == 4 && std::equal(key.begin(), key.end(), "name", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

ebs_volume_info volume_info(const model::Volume& volume) {
    ebs_volume_info info;
    info.id = volume.GetVolumeId();
    const auto& tags = volume.GetTags();
    const auto name = std::find_if(tags.begin(), tags.end(),
                                   [](const model::Tag& tag) { return is_name_key(tag.GetKey()); });
    if (name != tags.end()) {
        info.name = name->GetValue();
    }
    info.size = volume.GetSize();
    info.type = model::VolumeTypeMapper::GetNameForVolumeType(volume.GetVolumeType());
    for (const auto& attachment : volume.GetAttachments()) {
        if (!info.attachment_information.empty()) {
            info.attachment_information += ", ";
        }
        info.attachment_information +=
            attachment.GetInstanceId() + ":" + attachment.GetDevice() + " (" +
            model::VolumeAttachmentStateMapper::GetNameForVolumeAttachmentState(attachment.GetState()) + ")";
    }
    info.state = model::VolumeStateMapper::GetNameForVolumeState(volume.GetState());
    return info;
}

}  // namespace

std::vector<std::string> aws_ec2_client::get_regions(const logger_ptr& logger) {
    trace(logger, "Getting a list of all available AWS regions.");
    const auto outcome = sdk().DescribeRegions(model::DescribeRegionsRequest());
    const auto& result = result_of(outcome, logger);
    std::vector<std::string> regions;
    trace(logger, "Found regions are: ");
    for (const auto& region : result.GetRegions()) {
        trace(logger, "    " + region.GetRegionName());
        regions.push_back(region.GetRegionName());
    }
    trace(logger, "Found " + std::to_string(regions.size()) + " AWS region(s)");
    return regions;
}

std::vector<ec2_instance_info> aws_ec2_client::get_instances(const logger_ptr& logger) {
    model::DescribeInstancesRequest request;
    request.SetMaxResults(instances_per_page);
    std::vector<ec2_instance_info> instances;
    const auto read_page = [&] {
        const auto outcome = sdk().DescribeInstances(request);
        const auto& result = result_of(outcome, logger);
        trace(logger, "Found " + std::to_string(result.GetReservations().size()) + " reservation(s)");
        for (const auto& reservation : result.GetReservations()) {
            trace(logger, "Reservation " + reservation.GetReservationId() + " contains " +
                              std::to_string(reservation.GetInstances().size()) + " instance(s)");
            for (const auto& instance : reservation.GetInstances()) {
                const auto state = instance.GetState().GetName();
                if (state != model::InstanceStateName::running) {
                    trace(logger, "instance id=" + instance.GetInstanceId() + ", state=" +
                                      model::InstanceStateNameMapper::GetNameForInstanceStateName(state) +
                                      " will be ignored");
                    continue;
                }
                std::string name;
                std::string auto_scaling_group;
                for (const auto& tag : instance.GetTags()) {
                    if (is_name_key(tag.GetKey())) {
                        name = tag.GetValue();
                    } else if (tag.GetKey() == "aws:autoscaling:groupName") {
                        auto_scaling_group = tag.GetValue();
                    }
                }
                if (!auto_scaling_group.empty()) {
                    trace(logger, "instance id=" + instance.GetInstanceId() +
                                      " is part of auto scaling group '" + auto_scaling_group +
                                      "' and will be ignored");
                    continue;
                }
                instances.push_back({name, instance.GetInstanceId()});
                trace(logger, "instance id=" + instance.GetInstanceId() + ", name='" + name + "'");
            }
        }
        return result.GetNextToken();
    };
    follow_pages(max_pages, read_page, [&](const std::string& token) { request.SetNextToken(token); });
    return instances;
}

bool aws_ec2_client::can_describe_instances() {
    model::DescribeInstancesRequest request;
    request.SetMaxResults(5);
    return sdk().DescribeInstances(request).IsSuccess();
}

ebs_volume_info aws_ec2_client::get_volume(const std::string& volume_id, const logger_ptr& logger) {
    model::DescribeVolumesRequest request;
    request.SetVolumeIds({volume_id});
    auto volumes = list_volumes(std::move(request), logger);
    if (volumes.empty()) {
        throw exceptions::no_volume_found(volume_id);
    }
    if (volumes.size() > 1) {
        trace(logger, "More than one Volume with the id " + volume_id + " was found. Using first one.");
    }
    return std::move(volumes.front());
}

std::vector<ebs_volume_info> aws_ec2_client::get_volumes(const logger_ptr& logger) {
    model::DescribeVolumesRequest request;
    request.SetMaxResults(volumes_per_page);
    return list_volumes(std::move(request), logger);
}

bool aws_ec2_client::can_describe_volumes() {
    model::DescribeVolumesRequest request;
    request.SetMaxResults(5);
    return sdk().DescribeVolumes(request).IsSuccess();
}

std::vector<ebs_volume_info> aws_ec2_client::list_volumes(model::DescribeVolumesRequest request,
                                                          const logger_ptr& logger) {
    std::vector<ebs_volume_info> volumes;
    const auto read_page = [&]() -> std::string {
        const auto outcome = sdk().DescribeVolumes(request);
        // An unknown volume id ends the listing quietly; get_volume reports it by its own name.
        if (!outcome.IsSuccess() &&
            outcome.GetError().GetErrorType() == Aws::EC2::EC2Errors::INVALID_VOLUME__NOT_FOUND) {
            return {};
        }
        const auto& result = result_of(outcome, logger);
        trace(logger, "Found " + std::to_string(result.GetVolumes().size()) + " volume(s)");
        for (const auto& volume : result.GetVolumes()) {
            volumes.push_back(volume_info(volume));
            trace(logger, "volume id=" + volumes.back().id + ", name='" + volumes.back().name + "'");
            trace(logger, "attachment information: " + volumes.back().attachment_information);
        }
        return result.GetNextToken();
    };
    follow_pages(max_pages, read_page, [&](const std::string& token) { request.SetNextToken(token); });
    return volumes;
}

}  // namespace orvane::tessel::aws
