#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class DescribeRegionsRequest {
public:
    DescribeRegionsRequest() = default;
    const char* GetServiceRequestName() const { return "DescribeRegions"; }
    Aws::String SerializePayload() const;

    const Aws::Vector<Aws::String>& GetRegionNames() const { return m_regionNames; }
    bool RegionNamesHasBeenSet() const { return m_regionNamesHasBeenSet; }
    template <typename RegionNamesT = Aws::Vector<Aws::String>>
    void SetRegionNames(RegionNamesT&& value) {
        m_regionNamesHasBeenSet = true;
        m_regionNames = std::forward<RegionNamesT>(value);
    }
    template <typename RegionNamesT = Aws::Vector<Aws::String>>
    DescribeRegionsRequest& WithRegionNames(RegionNamesT&& value) {
        SetRegionNames(std::forward<RegionNamesT>(value));
        return *this;
    }
    template <typename RegionNamesItemT = Aws::String>
    DescribeRegionsRequest& AddRegionNames(RegionNamesItemT&& value) {
        m_regionNamesHasBeenSet = true;
        m_regionNames.emplace_back(std::forward<RegionNamesItemT>(value));
        return *this;
    }

    bool GetDryRun() const { return m_dryRun; }
    bool DryRunHasBeenSet() const { return m_dryRunHasBeenSet; }
    void SetDryRun(bool value) {
        m_dryRunHasBeenSet = true;
        m_dryRun = value;
    }
    DescribeRegionsRequest& WithDryRun(bool value) {
        SetDryRun(value);
        return *this;
    }

    bool GetAllRegions() const { return m_allRegions; }
    bool AllRegionsHasBeenSet() const { return m_allRegionsHasBeenSet; }
    void SetAllRegions(bool value) {
        m_allRegionsHasBeenSet = true;
        m_allRegions = value;
    }
    DescribeRegionsRequest& WithAllRegions(bool value) {
        SetAllRegions(value);
        return *this;
    }

private:
    Aws::Vector<Aws::String> m_regionNames;
    bool m_dryRun = false;
    bool m_allRegions = false;
    bool m_regionNamesHasBeenSet = false;
    bool m_dryRunHasBeenSet = false;
    bool m_allRegionsHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
