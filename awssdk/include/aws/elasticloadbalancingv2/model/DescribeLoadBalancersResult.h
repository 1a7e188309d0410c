#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/elasticloadbalancingv2/model/LoadBalancer.h>

#include <utility>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

class DescribeLoadBalancersResult {
public:
    DescribeLoadBalancersResult() = default;

    const Aws::Vector<LoadBalancer>& GetLoadBalancers() const { return m_loadBalancers; }
    bool LoadBalancersHasBeenSet() const { return m_loadBalancersHasBeenSet; }
    template <typename LoadBalancersT = Aws::Vector<LoadBalancer>>
    void SetLoadBalancers(LoadBalancersT&& value) {
        m_loadBalancersHasBeenSet = true;
        m_loadBalancers = std::forward<LoadBalancersT>(value);
    }
    template <typename LoadBalancersT = Aws::Vector<LoadBalancer>>
    DescribeLoadBalancersResult& WithLoadBalancers(LoadBalancersT&& value) {
        SetLoadBalancers(std::forward<LoadBalancersT>(value));
        return *this;
    }
    template <typename LoadBalancersItemT = LoadBalancer>
    DescribeLoadBalancersResult& AddLoadBalancers(LoadBalancersItemT&& value) {
        m_loadBalancersHasBeenSet = true;
        m_loadBalancers.emplace_back(std::forward<LoadBalancersItemT>(value));
        return *this;
    }

    const Aws::String& GetNextMarker() const { return m_nextMarker; }
    bool NextMarkerHasBeenSet() const { return m_nextMarkerHasBeenSet; }
    template <typename NextMarkerT = Aws::String>
    void SetNextMarker(NextMarkerT&& value) {
        m_nextMarkerHasBeenSet = true;
        m_nextMarker = std::forward<NextMarkerT>(value);
    }
    template <typename NextMarkerT = Aws::String>
    DescribeLoadBalancersResult& WithNextMarker(NextMarkerT&& value) {
        SetNextMarker(std::forward<NextMarkerT>(value));
        return *this;
    }

private:
    Aws::Vector<LoadBalancer> m_loadBalancers;
    Aws::String m_nextMarker;
    bool m_loadBalancersHasBeenSet = false;
    bool m_nextMarkerHasBeenSet = false;
};

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
