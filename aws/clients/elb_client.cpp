#include "aws/clients/elb_client.h"

#include <aws/core/auth/AWSCredentials.h>
#include <aws/elasticloadbalancingv2/model/DescribeLoadBalancersRequest.h>

#include "aws/clients/error_classification.h"
#include "aws/clients/paging.h"

namespace orvane::tessel::aws {

namespace model = Aws::ElasticLoadBalancingv2::Model;

std::string load_balancer_id(const std::string& arn) {
    constexpr std::string_view marker = ":loadbalancer/";
    const auto position = arn.find(marker);
    return position == std::string::npos ? arn : arn.substr(position + marker.size());
}

std::vector<load_balancer> elb_client::list_load_balancers(const logger_ptr& logger) {
    std::vector<load_balancer> balancers;
    model::DescribeLoadBalancersRequest request;
    const auto read_page = [&] {
        const auto outcome = sdk().DescribeLoadBalancers(request);
        const auto& result = result_of(outcome, logger);
        trace(logger, "Found " + std::to_string(result.GetLoadBalancers().size()) + " load-balancer(s).");
        for (const auto& balancer : result.GetLoadBalancers()) {
            load_balancer entry{load_balancer_id(balancer.GetLoadBalancerArn()),
                                balancer.GetLoadBalancerName(), balancer.GetType()};
            trace(logger, "Load Balancer " + entry.name + " (" + entry.id + ") has type " +
                              model::LoadBalancerTypeEnumMapper::GetNameForLoadBalancerTypeEnum(entry.type) +
                              ".");
            balancers.push_back(std::move(entry));
        }
        return result.GetNextMarker();
    };
    follow_pages(max_pages, read_page, [&](const std::string& marker) { request.SetMarker(marker); });
    return balancers;
}

bool elb_client::test_connection() {
    model::DescribeLoadBalancersRequest request;
    request.SetPageSize(1);
    return sdk().DescribeLoadBalancers(request).IsSuccess();
}

}  // namespace orvane::tessel::aws
