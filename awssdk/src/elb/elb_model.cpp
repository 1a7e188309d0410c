#include "core/query_writer.h"
#include "core/xml_reader.h"
#include "elb/elb_unmarshal.h"

#include <aws/elasticloadbalancingv2/model/DescribeLoadBalancersRequest.h>
#include <aws/elasticloadbalancingv2/model/DescribeLoadBalancersResult.h>
#include <aws/elasticloadbalancingv2/model/LoadBalancer.h>
#include <aws/elasticloadbalancingv2/model/LoadBalancerState.h>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

using Aws::Internal::XmlLocalName;
using Aws::Internal::XmlText;

namespace {
void Unmarshal(const pugi::xml_node& node, LoadBalancerState& out);
void Unmarshal(const pugi::xml_node& node, LoadBalancer& out);

template <typename T>
T Read(const pugi::xml_node& node) {
    T value;
    Unmarshal(node, value);
    return value;
}

void Unmarshal(const pugi::xml_node& node, LoadBalancerState& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "Code") {
            out.SetCode(LoadBalancerStateEnumMapper::GetLoadBalancerStateEnumForName(XmlText(child)));
        } else if (name == "Reason") {
            out.SetReason(XmlText(child));
        }
    }
}

void Unmarshal(const pugi::xml_node& node, LoadBalancer& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "LoadBalancerArn") {
            out.SetLoadBalancerArn(XmlText(child));
        } else if (name == "DNSName") {
            out.SetDNSName(XmlText(child));
        } else if (name == "CanonicalHostedZoneId") {
            out.SetCanonicalHostedZoneId(XmlText(child));
        } else if (name == "CreatedTime") {
            out.SetCreatedTime(Aws::Internal::XmlDateTime(child));
        } else if (name == "LoadBalancerName") {
            out.SetLoadBalancerName(XmlText(child));
        } else if (name == "VpcId") {
            out.SetVpcId(XmlText(child));
        } else if (name == "State") {
            out.SetState(Read<LoadBalancerState>(child));
        } else if (name == "Type") {
            out.SetType(LoadBalancerTypeEnumMapper::GetLoadBalancerTypeEnumForName(XmlText(child)));
        }
    }
}

}  // namespace

void UnmarshalDescribeLoadBalancersResult(const pugi::xml_node& node, DescribeLoadBalancersResult& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = XmlLocalName(child);
        if (name == "LoadBalancers") {
            out.SetLoadBalancers(Aws::Internal::XmlList<LoadBalancer>(child, "member", Unmarshal));
        } else if (name == "NextMarker") {
            out.SetNextMarker(XmlText(child));
        }
    }
}

Aws::String DescribeLoadBalancersRequest::SerializePayload() const {
    Aws::Internal::QueryWriter writer("DescribeLoadBalancers");
    if (m_loadBalancerArnsHasBeenSet) {
        if (m_loadBalancerArns.empty()) {
            writer.Add("LoadBalancerArns", "");
        }
        unsigned index = 1;
        for (const auto& item : m_loadBalancerArns) {
            writer.AddIndexed("LoadBalancerArns.member.", index, "", item);
            ++index;
        }
    }
    if (m_namesHasBeenSet) {
        if (m_names.empty()) {
            writer.Add("Names", "");
        }
        unsigned index = 1;
        for (const auto& item : m_names) {
            writer.AddIndexed("Names.member.", index, "", item);
            ++index;
        }
    }
    if (m_markerHasBeenSet) {
        writer.Add("Marker", m_marker);
    }
    if (m_pageSizeHasBeenSet) {
        writer.Add("PageSize", Aws::Internal::ToDecimal(m_pageSize));
    }
    return writer.Finish("2015-12-01");
}

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
