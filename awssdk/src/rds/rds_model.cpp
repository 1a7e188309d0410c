#include "core/query_writer.h"
#include "core/xml_reader.h"
#include "rds/rds_unmarshal.h"

#include <aws/rds/model/DBInstance.h>
#include <aws/rds/model/DescribeDBInstancesRequest.h>
#include <aws/rds/model/DescribeDBInstancesResult.h>

namespace Aws {
namespace RDS {
namespace Model {

using Aws::Internal::XmlLocalName;
using Aws::Internal::XmlText;

namespace {
void Unmarshal(const pugi::xml_node& node, DBInstance& out);

template <typename T>
T Read(const pugi::xml_node& node) {
    T value;
    Unmarshal(node, value);
    return value;
}

void Unmarshal(const pugi::xml_node& node, DBInstance& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "DBInstanceIdentifier") {
            out.SetDBInstanceIdentifier(XmlText(child));
        } else if (name == "DBInstanceClass") {
            out.SetDBInstanceClass(XmlText(child));
        } else if (name == "Engine") {
            out.SetEngine(XmlText(child));
        } else if (name == "DBInstanceStatus") {
            out.SetDBInstanceStatus(XmlText(child));
        } else if (name == "AllocatedStorage") {
            out.SetAllocatedStorage(Aws::Internal::XmlInt(child));
        } else if (name == "InstanceCreateTime") {
            out.SetInstanceCreateTime(Aws::Internal::XmlDateTime(child));
        } else if (name == "AvailabilityZone") {
            out.SetAvailabilityZone(XmlText(child));
        } else if (name == "MultiAZ") {
            out.SetMultiAZ(Aws::Internal::XmlBool(child));
        } else if (name == "EngineVersion") {
            out.SetEngineVersion(XmlText(child));
        } else if (name == "StorageType") {
            out.SetStorageType(XmlText(child));
        } else if (name == "DBInstanceArn") {
            out.SetDBInstanceArn(XmlText(child));
        }
    }
}

}  // namespace

void UnmarshalDescribeDBInstancesResult(const pugi::xml_node& node, DescribeDBInstancesResult& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Marker") {
            out.SetMarker(XmlText(child));
        } else if (name == "DBInstances") {
            out.SetDBInstances(Aws::Internal::XmlList<DBInstance>(child, "DBInstance", Unmarshal));
        }
    }
}

Aws::String DescribeDBInstancesRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("DescribeDBInstances");
    if (m_dBInstanceIdentifierHasBeenSet) {
        writer.Add("DBInstanceIdentifier", m_dBInstanceIdentifier);
    }
    if (m_maxRecordsHasBeenSet) {
        writer.Add("MaxRecords", Aws::Internal::ToDecimal(m_maxRecords));
    }
    if (m_markerHasBeenSet) {
        writer.Add("Marker", m_marker);
    }
    return writer.Finish("2014-10-31");
}

}  // namespace Model
}  // namespace RDS
}  // namespace Aws
