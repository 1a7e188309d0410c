#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/ec2/model/Instance.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class Reservation {
public:
    Reservation() = default;

    const Aws::Vector<Instance>& GetInstances() const { return m_instances; }
    bool InstancesHasBeenSet() const { return m_instancesHasBeenSet; }
    template <typename InstancesT = Aws::Vector<Instance>>
    void SetInstances(InstancesT&& value) {
        m_instancesHasBeenSet = true;
        m_instances = std::forward<InstancesT>(value);
    }
    template <typename InstancesT = Aws::Vector<Instance>>
    Reservation& WithInstances(InstancesT&& value) {
        SetInstances(std::forward<InstancesT>(value));
        return *this;
    }
    template <typename InstancesItemT = Instance>
    Reservation& AddInstances(InstancesItemT&& value) {
        m_instancesHasBeenSet = true;
        m_instances.emplace_back(std::forward<InstancesItemT>(value));
        return *this;
    }

    const Aws::String& GetOwnerId() const { return m_ownerId; }
    bool OwnerIdHasBeenSet() const { return m_ownerIdHasBeenSet; }
    template <typename OwnerIdT = Aws::String>
    void SetOwnerId(OwnerIdT&& value) {
        m_ownerIdHasBeenSet = true;
        m_ownerId = std::forward<OwnerIdT>(value);
    }
    template <typename OwnerIdT = Aws::String>
    Reservation& WithOwnerId(OwnerIdT&& value) {
        SetOwnerId(std::forward<OwnerIdT>(value));
        return *this;
    }

    const Aws::String& GetRequesterId() const { return m_requesterId; }
    bool RequesterIdHasBeenSet() const { return m_requesterIdHasBeenSet; }
    template <typename RequesterIdT = Aws::String>
    void SetRequesterId(RequesterIdT&& value) {
        m_requesterIdHasBeenSet = true;
        m_requesterId = std::forward<RequesterIdT>(value);
    }
    template <typename RequesterIdT = Aws::String>
    Reservation& WithRequesterId(RequesterIdT&& value) {
        SetRequesterId(std::forward<RequesterIdT>(value));
        return *this;
    }

    const Aws::String& GetReservationId() const { return m_reservationId; }
    bool ReservationIdHasBeenSet() const { return m_reservationIdHasBeenSet; }
    template <typename ReservationIdT = Aws::String>
    void SetReservationId(ReservationIdT&& value) {
        m_reservationIdHasBeenSet = true;
        m_reservationId = std::forward<ReservationIdT>(value);
    }
    template <typename ReservationIdT = Aws::String>
    Reservation& WithReservationId(ReservationIdT&& value) {
        SetReservationId(std::forward<ReservationIdT>(value));
        return *this;
    }

private:
    Aws::Vector<Instance> m_instances;
    Aws::String m_ownerId;
    Aws::String m_requesterId;
    Aws::String m_reservationId;
    bool m_instancesHasBeenSet = false;
    bool m_ownerIdHasBeenSet = false;
    bool m_requesterIdHasBeenSet = false;
    bool m_reservationIdHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
