#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace RDS {
namespace Model {

class DBInstance {
public:
    DBInstance() = default;

    const Aws::String& GetDBInstanceIdentifier() const { return m_dBInstanceIdentifier; }
    bool DBInstanceIdentifierHasBeenSet() const { return m_dBInstanceIdentifierHasBeenSet; }
    template <typename DBInstanceIdentifierT = Aws::String>
    void SetDBInstanceIdentifier(DBInstanceIdentifierT&& value) {
        m_dBInstanceIdentifierHasBeenSet = true;
        m_dBInstanceIdentifier = std::forward<DBInstanceIdentifierT>(value);
    }
    template <typename DBInstanceIdentifierT = Aws::String>
    DBInstance& WithDBInstanceIdentifier(DBInstanceIdentifierT&& value) {
        SetDBInstanceIdentifier(std::forward<DBInstanceIdentifierT>(value));
        return *this;
    }

    const Aws::String& GetDBInstanceClass() const { return m_dBInstanceClass; }
    bool DBInstanceClassHasBeenSet() const { return m_dBInstanceClassHasBeenSet; }
    template <typename DBInstanceClassT = Aws::String>
    void SetDBInstanceClass(DBInstanceClassT&& value) {
        m_dBInstanceClassHasBeenSet = true;
        m_dBInstanceClass = std::forward<DBInstanceClassT>(value);
    }
    template <typename DBInstanceClassT = Aws::String>
    DBInstance& WithDBInstanceClass(DBInstanceClassT&& value) {
        SetDBInstanceClass(std::forward<DBInstanceClassT>(value));
        return *this;
    }

    const Aws::String& GetEngine() const { return m_engine; }
    bool EngineHasBeenSet() const { return m_engineHasBeenSet; }
    template <typename EngineT = Aws::String>
    void SetEngine(EngineT&& value) {
        m_engineHasBeenSet = true;
        m_engine = std::forward<EngineT>(value);
    }
    template <typename EngineT = Aws::String>
    DBInstance& WithEngine(EngineT&& value) {
        SetEngine(std::forward<EngineT>(value));
        return *this;
    }

    const Aws::String& GetDBInstanceStatus() const { return m_dBInstanceStatus; }
    bool DBInstanceStatusHasBeenSet() const { return m_dBInstanceStatusHasBeenSet; }
    template <typename DBInstanceStatusT = Aws::String>
    void SetDBInstanceStatus(DBInstanceStatusT&& value) {
        m_dBInstanceStatusHasBeenSet = true;
        m_dBInstanceStatus = std::forward<DBInstanceStatusT>(value);
    }
    template <typename DBInstanceStatusT = Aws::String>
    DBInstance& WithDBInstanceStatus(DBInstanceStatusT&& value) {
        SetDBInstanceStatus(std::forward<DBInstanceStatusT>(value));
        return *this;
    }

    int GetAllocatedStorage() const { return m_allocatedStorage; }
    bool AllocatedStorageHasBeenSet() const { return m_allocatedStorageHasBeenSet; }
    void SetAllocatedStorage(int value) {
        m_allocatedStorageHasBeenSet = true;
        m_allocatedStorage = value;
    }
    DBInstance& WithAllocatedStorage(int value) {
        SetAllocatedStorage(value);
        return *this;
    }

    const Aws::Utils::DateTime& GetInstanceCreateTime() const { return m_instanceCreateTime; }
    bool InstanceCreateTimeHasBeenSet() const { return m_instanceCreateTimeHasBeenSet; }
    template <typename InstanceCreateTimeT = Aws::Utils::DateTime>
    void SetInstanceCreateTime(InstanceCreateTimeT&& value) {
        m_instanceCreateTimeHasBeenSet = true;
        m_instanceCreateTime = std::forward<InstanceCreateTimeT>(value);
    }
    template <typename InstanceCreateTimeT = Aws::Utils::DateTime>
    DBInstance& WithInstanceCreateTime(InstanceCreateTimeT&& value) {
        SetInstanceCreateTime(std::forward<InstanceCreateTimeT>(value));
        return *this;
    }

    const Aws::String& GetAvailabilityZone() const { return m_availabilityZone; }
    bool AvailabilityZoneHasBeenSet() const { return m_availabilityZoneHasBeenSet; }
    template <typename AvailabilityZoneT = Aws::String>
    void SetAvailabilityZone(AvailabilityZoneT&& value) {
        m_availabilityZoneHasBeenSet = true;
        m_availabilityZone = std::forward<AvailabilityZoneT>(value);
    }
    template <typename AvailabilityZoneT = Aws::String>
    DBInstance& WithAvailabilityZone(AvailabilityZoneT&& value) {
        SetAvailabilityZone(std::forward<AvailabilityZoneT>(value));
        return *this;
    }

    bool GetMultiAZ() const { return m_multiAZ; }
    bool MultiAZHasBeenSet() const { return m_multiAZHasBeenSet; }
    void SetMultiAZ(bool value) {
        m_multiAZHasBeenSet = true;
        m_multiAZ = value;
    }
    DBInstance& WithMultiAZ(bool value) {
        SetMultiAZ(value);
        return *this;
    }

    const Aws::String& GetEngineVersion() const { return m_engineVersion; }
    bool EngineVersionHasBeenSet() const { return m_engineVersionHasBeenSet; }
    template <typename EngineVersionT = Aws::String>
    void SetEngineVersion(EngineVersionT&& value) {
        m_engineVersionHasBeenSet = true;
        m_engineVersion = std::forward<EngineVersionT>(value);
    }
    template <typename EngineVersionT = Aws::String>
    DBInstance& WithEngineVersion(EngineVersionT&& value) {
        SetEngineVersion(std::forward<EngineVersionT>(value));
        return *this;
    }

    const Aws::String& GetStorageType() const { return m_storageType; }
    bool StorageTypeHasBeenSet() const { return m_storageTypeHasBeenSet; }
    template <typename StorageTypeT = Aws::String>
    void SetStorageType(StorageTypeT&& value) {
        m_storageTypeHasBeenSet = true;
        m_storageType = std::forward<StorageTypeT>(value);
    }
    template <typename StorageTypeT = Aws::String>
    DBInstance& WithStorageType(StorageTypeT&& value) {
        SetStorageType(std::forward<StorageTypeT>(value));
        return *this;
    }

    const Aws::String& GetDBInstanceArn() const { return m_dBInstanceArn; }
    bool DBInstanceArnHasBeenSet() const { return m_dBInstanceArnHasBeenSet; }
    template <typename DBInstanceArnT = Aws::String>
    void SetDBInstanceArn(DBInstanceArnT&& value) {
        m_dBInstanceArnHasBeenSet = true;
        m_dBInstanceArn = std::forward<DBInstanceArnT>(value);
    }
    template <typename DBInstanceArnT = Aws::String>
    DBInstance& WithDBInstanceArn(DBInstanceArnT&& value) {
        SetDBInstanceArn(std::forward<DBInstanceArnT>(value));
        return *this;
    }

private:
    Aws::String m_dBInstanceIdentifier;
    Aws::String m_dBInstanceClass;
    Aws::String m_engine;
    Aws::String m_dBInstanceStatus;
    int m_allocatedStorage = 0;
    Aws::Utils::DateTime m_instanceCreateTime;
    Aws::String m_availabilityZone;
    bool m_multiAZ = false;
    Aws::String m_engineVersion;
    Aws::String m_storageType;
    Aws::String m_dBInstanceArn;
    bool m_dBInstanceIdentifierHasBeenSet = false;
    bool m_dBInstanceClassHasBeenSet = false;
    bool m_engineHasBeenSet = false;
    bool m_dBInstanceStatusHasBeenSet = false;
    bool m_allocatedStorageHasBeenSet = false;
    bool m_instanceCreateTimeHasBeenSet = false;
    bool m_availabilityZoneHasBeenSet = false;
    bool m_multiAZHasBeenSet = false;
    bool m_engineVersionHasBeenSet = false;
    bool m_storageTypeHasBeenSet = false;
    bool m_dBInstanceArnHasBeenSet = false;
};

}  // namespace Model
}  // namespace RDS
}  // namespace Aws
