#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/rds/model/DBInstance.h>

#include <utility>

namespace Aws {
namespace RDS {
namespace Model {

class DescribeDBInstancesResult {
public:
    DescribeDBInstancesResult() = default;

    const Aws::String& GetMarker() const { return m_marker; }
    bool MarkerHasBeenSet() const { return m_markerHasBeenSet; }
    template <typename MarkerT = Aws::String>
    void SetMarker(MarkerT&& value) {
        m_markerHasBeenSet = true;
        m_marker = std::forward<MarkerT>(value);
    }
    template <typename MarkerT = Aws::String>
    DescribeDBInstancesResult& WithMarker(MarkerT&& value) {
        SetMarker(std::forward<MarkerT>(value));
        return *this;
    }

    const Aws::Vector<DBInstance>& GetDBInstances() const { return m_dBInstances; }
    bool DBInstancesHasBeenSet() const { return m_dBInstancesHasBeenSet; }
    template <typename DBInstancesT = Aws::Vector<DBInstance>>
    void SetDBInstances(DBInstancesT&& value) {
        m_dBInstancesHasBeenSet = true;
        m_dBInstances = std::forward<DBInstancesT>(value);
    }
    template <typename DBInstancesT = Aws::Vector<DBInstance>>
    DescribeDBInstancesResult& WithDBInstances(DBInstancesT&& value) {
        SetDBInstances(std::forward<DBInstancesT>(value));
        return *this;
    }
    template <typename DBInstancesItemT = DBInstance>
    DescribeDBInstancesResult& AddDBInstances(DBInstancesItemT&& value) {
        m_dBInstancesHasBeenSet = true;
        m_dBInstances.emplace_back(std::forward<DBInstancesItemT>(value));
        return *this;
    }

private:
    Aws::String m_marker;
    Aws::Vector<DBInstance> m_dBInstances;
    bool m_markerHasBeenSet = false;
    bool m_dBInstancesHasBeenSet = false;
};

}  // namespace Model
}  // namespace RDS
}  // namespace Aws
