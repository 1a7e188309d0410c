#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>
#include <aws/ec2/model/Region.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class DescribeRegionsResponse {
public:
    DescribeRegionsResponse() = default;

    const Aws::Vector<Region>& GetRegions() const { return m_regions; }
    bool RegionsHasBeenSet() const { return m_regionsHasBeenSet; }
    template <typename RegionsT = Aws::Vector<Region>>
    void SetRegions(RegionsT&& value) {
        m_regionsHasBeenSet = true;
        m_regions = std::forward<RegionsT>(value);
    }
    template <typename RegionsT = Aws::Vector<Region>>
    DescribeRegionsResponse& WithRegions(RegionsT&& value) {
        SetRegions(std::forward<RegionsT>(value));
        return *this;
    }
    template <typename RegionsItemT = Region>
    DescribeRegionsResponse& AddRegions(RegionsItemT&& value) {
        m_regionsHasBeenSet = true;
        m_regions.emplace_back(std::forward<RegionsItemT>(value));
        return *this;
    }

private:
    Aws::Vector<Region> m_regions;
    bool m_regionsHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
