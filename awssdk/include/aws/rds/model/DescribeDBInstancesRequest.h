#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace RDS {
namespace Model {

class DescribeDBInstancesRequest {
public:
    DescribeDBInstancesRequest() = default;
    const char* GetServiceRequestName() const { return "DescribeDBInstances"; }
    Aws::String SerializePayload() const;

    const Aws::String& GetDBInstanceIdentifier() const { return m_dBInstanceIdentifier; }
    bool DBInstanceIdentifierHasBeenSet() const { return m_dBInstanceIdentifierHasBeenSet; }
    template <typename DBInstanceIdentifierT = Aws::String>
    void SetDBInstanceIdentifier(DBInstanceIdentifierT&& value) {
        m_dBInstanceIdentifierHasBeenSet = true;
        m_dBInstanceIdentifier = std::forward<DBInstanceIdentifierT>(value);
    }
    template <typename DBInstanceIdentifierT = Aws::String>
    DescribeDBInstancesRequest& WithDBInstanceIdentifier(DBInstanceIdentifierT&& value) {
        SetDBInstanceIdentifier(std::forward<DBInstanceIdentifierT>(value));
        return *this;
    }

    int GetMaxRecords() const { return m_maxRecords; }
    bool MaxRecordsHasBeenSet() const { return m_maxRecordsHasBeenSet; }
    void SetMaxRecords(int value) {
        m_maxRecordsHasBeenSet = true;
        m_maxRecords = value;
    }
    DescribeDBInstancesRequest& WithMaxRecords(int value) {
        SetMaxRecords(value);
        return *this;
    }

    const Aws::String& GetMarker() const { return m_marker; }
    bool MarkerHasBeenSet() const { return m_markerHasBeenSet; }
    template <typename MarkerT = Aws::String>
    void SetMarker(MarkerT&& value) {
        m_markerHasBeenSet = true;
        m_marker = std::forward<MarkerT>(value);
    }
    template <typename MarkerT = Aws::String>
    DescribeDBInstancesRequest& WithMarker(MarkerT&& value) {
        SetMarker(std::forward<MarkerT>(value));
        return *this;
    }

private:
    Aws::String m_dBInstanceIdentifier;
    int m_maxRecords = 0;
    Aws::String m_marker;
    bool m_dBInstanceIdentifierHasBeenSet = false;
    bool m_maxRecordsHasBeenSet = false;
    bool m_markerHasBeenSet = false;
};

}  // namespace Model
}  // namespace RDS
}  // namespace Aws
