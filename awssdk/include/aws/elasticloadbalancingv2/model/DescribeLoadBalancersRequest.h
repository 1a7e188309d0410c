#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

class DescribeLoadBalancersRequest {
public:
    DescribeLoadBalancersRequest() = default;
    const char* GetServiceRequestName() const { return "DescribeLoadBalancers"; }
    Aws::String SerializePayload() const;

    const Aws::Vector<Aws::String>& GetLoadBalancerArns() const { return m_loadBalancerArns; }
    bool LoadBalancerArnsHasBeenSet() const { return m_loadBalancerArnsHasBeenSet; }
    template <typename LoadBalancerArnsT = Aws::Vector<Aws::String>>
    void SetLoadBalancerArns(LoadBalancerArnsT&& value) {
        m_loadBalancerArnsHasBeenSet = true;
        m_loadBalancerArns = std::forward<LoadBalancerArnsT>(value);
    }
    template <typename LoadBalancerArnsT = Aws::Vector<Aws::String>>
    DescribeLoadBalancersRequest& WithLoadBalancerArns(LoadBalancerArnsT&& value) {
        SetLoadBalancerArns(std::forward<LoadBalancerArnsT>(value));
        return *this;
    }
    template <typename LoadBalancerArnsItemT = Aws::String>
    DescribeLoadBalancersRequest& AddLoadBalancerArns(LoadBalancerArnsItemT&& value) {
        m_loadBalancerArnsHasBeenSet = true;
        m_loadBalancerArns.emplace_back(std::forward<LoadBalancerArnsItemT>(value));
        return *this;
    }

    const Aws::Vector<Aws::String>& GetNames() const { return m_names; }
    bool NamesHasBeenSet() const { return m_namesHasBeenSet; }
    template <typename NamesT = Aws::Vector<Aws::String>>
    void SetNames(NamesT&& value) {
        m_namesHasBeenSet = true;
        m_names = std::forward<NamesT>(value);
    }
    template <typename NamesT = Aws::Vector<Aws::String>>
    DescribeLoadBalancersRequest& WithNames(NamesT&& value) {
        SetNames(std::forward<NamesT>(value));
        return *this;
    }
    template <typename NamesItemT = Aws::String>
    DescribeLoadBalancersRequest& AddNames(NamesItemT&& value) {
        m_namesHasBeenSet = true;
        m_names.emplace_back(std::forward<NamesItemT>(value));
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
    DescribeLoadBalancersRequest& WithMarker(MarkerT&& value) {
        SetMarker(std::forward<MarkerT>(value));
        return *this;
    }

    int GetPageSize() const { return m_pageSize; }
    bool PageSizeHasBeenSet() const { return m_pageSizeHasBeenSet; }
    void SetPageSize(int value) {
        m_pageSizeHasBeenSet = true;
        m_pageSize = value;
    }
    DescribeLoadBalancersRequest& WithPageSize(int value) {
        SetPageSize(value);
        return *this;
    }

private:
    Aws::Vector<Aws::String> m_loadBalancerArns;
    Aws::Vector<Aws::String> m_names;
    Aws::String m_marker;
    int m_pageSize = 0;
    bool m_loadBalancerArnsHasBeenSet = false;
    bool m_namesHasBeenSet = false;
    bool m_markerHasBeenSet = false;
    bool m_pageSizeHasBeenSet = false;
};

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
