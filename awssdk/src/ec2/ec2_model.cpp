#include "core/query_writer.h"
#include "core/xml_reader.h"
#include "ec2/ec2_unmarshal.h"

#include <aws/ec2/model/DescribeInstancesRequest.h>
#include <aws/ec2/model/DescribeInstancesResponse.h>
#include <aws/ec2/model/DescribeRegionsRequest.h>
#include <aws/ec2/model/DescribeRegionsResponse.h>
#include <aws/ec2/model/DescribeVolumesRequest.h>
#include <aws/ec2/model/DescribeVolumesResponse.h>
#include <aws/ec2/model/Instance.h>
#include <aws/ec2/model/InstanceState.h>
#include <aws/ec2/model/Region.h>
#include <aws/ec2/model/Reservation.h>
#include <aws/ec2/model/Tag.h>
#include <aws/ec2/model/Volume.h>
#include <aws/ec2/model/VolumeAttachment.h>

namespace Aws {
namespace EC2 {
namespace Model {

using Aws::Internal::XmlLocalName;
using Aws::Internal::XmlText;

namespace {
void Unmarshal(const pugi::xml_node& node, Tag& out);
void Unmarshal(const pugi::xml_node& node, Region& out);
void Unmarshal(const pugi::xml_node& node, InstanceState& out);
void Unmarshal(const pugi::xml_node& node, Instance& out);
void Unmarshal(const pugi::xml_node& node, Reservation& out);
void Unmarshal(const pugi::xml_node& node, VolumeAttachment& out);
void Unmarshal(const pugi::xml_node& node, Volume& out);

template <typename T>
T Read(const pugi::xml_node& node) {
    T value;
    Unmarshal(node, value);
    return value;
}

void Unmarshal(const pugi::xml_node& node, Tag& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "key") {
            out.SetKey(XmlText(child));
        } else if (name == "value") {
            out.SetValue(XmlText(child));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, Region& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "regionEndpoint") {
            out.SetEndpoint(XmlText(child));
        } else if (name == "regionName") {
            out.SetRegionName(XmlText(child));
        } else if (name == "optInStatus") {
            out.SetOptInStatus(XmlText(child));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, InstanceState& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "code") {
            out.SetCode(Aws::Internal::XmlInt(child));
        } else if (name == "name") {
            out.SetName(InstanceStateNameMapper::GetInstanceStateNameForName(XmlText(child)));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, Instance& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "instanceId") {
            out.SetInstanceId(XmlText(child));
        } else if (name == "launchTime") {
            out.SetLaunchTime(Aws::Internal::XmlDateTime(child));
        } else if (name == "privateIpAddress") {
            out.SetPrivateIpAddress(XmlText(child));
        } else if (name == "ipAddress") {
            out.SetPublicIpAddress(XmlText(child));
        } else if (name == "instanceState") {
            out.SetState(Read<InstanceState>(child));
        } else if (name == "subnetId") {
            out.SetSubnetId(XmlText(child));
        } else if (name == "vpcId") {
            out.SetVpcId(XmlText(child));
        } else if (name == "tagSet") {
            out.SetTags(Aws::Internal::XmlList<Tag>(child, "item", Unmarshal));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, Reservation& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "instancesSet") {
            out.SetInstances(Aws::Internal::XmlList<Instance>(child, "item", Unmarshal));
        } else if (name == "ownerId") {
            out.SetOwnerId(XmlText(child));
        } else if (name == "requesterId") {
            out.SetRequesterId(XmlText(child));
        } else if (name == "reservationId") {
            out.SetReservationId(XmlText(child));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, VolumeAttachment& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "attachTime") {
            out.SetAttachTime(Aws::Internal::XmlDateTime(child));
        } else if (name == "device") {
            out.SetDevice(XmlText(child));
        } else if (name == "instanceId") {
            out.SetInstanceId(XmlText(child));
        } else if (name == "status") {
            out.SetState(VolumeAttachmentStateMapper::GetVolumeAttachmentStateForName(XmlText(child)));
        } else if (name == "volumeId") {
            out.SetVolumeId(XmlText(child));
        } else if (name == "deleteOnTermination") {
            out.SetDeleteOnTermination(Aws::Internal::XmlBool(child));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, Volume& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "attachmentSet") {
            out.SetAttachments(Aws::Internal::XmlList<VolumeAttachment>(child, "item", Unmarshal));
        } else if (name == "availabilityZone") {
            out.SetAvailabilityZone(XmlText(child));
        } else if (name == "createTime") {
            out.SetCreateTime(Aws::Internal::XmlDateTime(child));
        } else if (name == "encrypted") {
            out.SetEncrypted(Aws::Internal::XmlBool(child));
        } else if (name == "size") {
            out.SetSize(Aws::Internal::XmlInt(child));
        } else if (name == "snapshotId") {
            out.SetSnapshotId(XmlText(child));
        } else if (name == "status") {
            out.SetState(VolumeStateMapper::GetVolumeStateForName(XmlText(child)));
        } else if (name == "volumeId") {
            out.SetVolumeId(XmlText(child));
        } else if (name == "iops") {
            out.SetIops(Aws::Internal::XmlInt(child));
        } else if (name == "tagSet") {
            out.SetTags(Aws::Internal::XmlList<Tag>(child, "item", Unmarshal));
        } else if (name == "volumeType") {
            out.SetVolumeType(VolumeTypeMapper::GetVolumeTypeForName(XmlText(child)));
        } else if (name == "throughput") {
            out.SetThroughput(Aws::Internal::XmlInt(child));
        }
    }
}

}  // namespace

void UnmarshalDescribeRegionsResponse(const pugi::xml_node& node, DescribeRegionsResponse& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "regionInfo") {
            out.SetRegions(Aws::Internal::XmlList<Region>(child, "item", Unmarshal));
        }
    }
}

void UnmarshalDescribeInstancesResponse(const pugi::xml_node& node, DescribeInstancesResponse& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "reservationSet") {
            out.SetReservations(Aws::Internal::XmlList<Reservation>(child, "item", Unmarshal));
        } else if (name == "nextToken") {
            out.SetNextToken(XmlText(child));
        }
    }
}

void UnmarshalDescribeVolumesResponse(const pugi::xml_node& node, DescribeVolumesResponse& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "volumeSet") {
            out.SetVolumes(Aws::Internal::XmlList<Volume>(child, "item", Unmarshal));
        } else if (name == "nextToken") {
            out.SetNextToken(XmlText(child));
        }
    }
}

Aws::String DescribeRegionsRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("DescribeRegions");
    if (m_regionNamesHasBeenSet) {
        unsigned index = 1;
        for (const auto& item : m_regionNames) {
            writer.AddIndexed("RegionName.", index, "", item);
            ++index;
        }
    }
    if (m_dryRunHasBeenSet) {
        writer.Add("DryRun", (m_dryRun ? "true" : "false"));
    }
    if (m_allRegionsHasBeenSet) {
        writer.Add("AllRegions", (m_allRegions ? "true" : "false"));
    }
    return writer.Finish("2016-11-15");
}

Aws::String DescribeInstancesRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("DescribeInstances");
    if (m_instanceIdsHasBeenSet) {
        unsigned index = 1;
        for (const auto& item : m_instanceIds) {
            writer.AddIndexed("InstanceId.", index, "", item);
            ++index;
        }
    }
    if (m_dryRunHasBeenSet) {
        writer.Add("DryRun", (m_dryRun ? "true" : "false"));
    }
    if (m_maxResultsHasBeenSet) {
        writer.Add("MaxResults", Aws::Internal::ToDecimal(m_maxResults));
    }
    if (m_nextTokenHasBeenSet) {
        writer.Add("NextToken", m_nextToken);
    }
    return writer.Finish("2016-11-15");
}

Aws::String DescribeVolumesRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("DescribeVolumes");
    if (m_volumeIdsHasBeenSet) {
        unsigned index = 1;
        for (const auto& item : m_volumeIds) {
            writer.AddIndexed("VolumeId.", index, "", item);
            ++index;
        }
    }
    if (m_dryRunHasBeenSet) {
        writer.Add("DryRun", (m_dryRun ? "true" : "false"));
    }
    if (m_maxResultsHasBeenSet) {
        writer.Add("MaxResults", Aws::Internal::ToDecimal(m_maxResults));
    }
    if (m_nextTokenHasBeenSet) {
        writer.Add("NextToken", m_nextToken);
    }
    return writer.Finish("2016-11-15");
}

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
