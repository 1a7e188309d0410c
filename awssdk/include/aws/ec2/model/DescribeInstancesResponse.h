#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/ec2/model/Reservation.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class DescribeInstancesResponse {
public:
    DescribeInstancesResponse() = default;

    const Aws::Vector<Reservation>& GetReservations() const { return m_reservations; }
    bool ReservationsHasBeenSet() const { return m_reservationsHasBeenSet; }
    template <typename ReservationsT = Aws::Vector<Reservation>>
    void SetReservations(ReservationsT&& value) {
        m_reservationsHasBeenSet = true;
        m_reservations = std::forward<ReservationsT>(value);
    }
    template <typename ReservationsT = Aws::Vector<Reservation>>
    DescribeInstancesResponse& WithReservations(ReservationsT&& value) {
        SetReservations(std::forward<ReservationsT>(value));
        return *this;
    }
    template <typename ReservationsItemT = Reservation>
    DescribeInstancesResponse& AddReservations(ReservationsItemT&& value) {
        m_reservationsHasBeenSet = true;
        m_reservations.emplace_back(std::forward<ReservationsItemT>(value));
        return *this;
    }

    const Aws::String& GetNextToken() const { return m_nextToken; }
    bool NextTokenHasBeenSet() const { return m_nextTokenHasBeenSet; }
    template <typename NextTokenT = Aws::String>
    void SetNextToken(NextTokenT&& value) {
        m_nextTokenHasBeenSet = true;
        m_nextToken = std::forward<NextTokenT>(value);
    }
    template <typename NextTokenT = Aws::String>
    DescribeInstancesResponse& WithNextToken(NextTokenT&& value) {
        SetNextToken(std::forward<NextTokenT>(value));
        return *this;
    }

private:
    Aws::Vector<Reservation> m_reservations;
    Aws::String m_nextToken;
    bool m_reservationsHasBeenSet = false;
    bool m_nextTokenHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
