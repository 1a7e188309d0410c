#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace EC2 {
namespace Model {

class Region {
public:
    Region() = default;

    const Aws::String& GetEndpoint() const { return m_endpoint; }
    bool EndpointHasBeenSet() const { return m_endpointHasBeenSet; }
    template <typename EndpointT = Aws::String>
    void SetEndpoint(EndpointT&& value) {
        m_endpointHasBeenSet = true;
        m_endpoint = std::forward<EndpointT>(value);
    }
    template <typename EndpointT = Aws::String>
    Region& WithEndpoint(EndpointT&& value) {
        SetEndpoint(std::forward<EndpointT>(value));
        return *this;
    }

    const Aws::String& GetRegionName() const { return m_regionName; }
    bool RegionNameHasBeenSet() const { return m_regionNameHasBeenSet; }
    template <typename RegionNameT = Aws::String>
    void SetRegionName(RegionNameT&& value) {
        m_regionNameHasBeenSet = true;
        m_regionName = std::forward<RegionNameT>(value);
    }
    template <typename RegionNameT = Aws::String>
    Region& WithRegionName(RegionNameT&& value) {
        SetRegionName(std::forward<RegionNameT>(value));
        return *this;
    }

    const Aws::String& GetOptInStatus() const { return m_optInStatus; }
    bool OptInStatusHasBeenSet() const { return m_optInStatusHasBeenSet; }
    template <typename OptInStatusT = Aws::String>
    void SetOptInStatus(OptInStatusT&& value) {
        m_optInStatusHasBeenSet = true;
        m_optInStatus = std::forward<OptInStatusT>(value);
    }
    template <typename OptInStatusT = Aws::String>
    Region& WithOptInStatus(OptInStatusT&& value) {
        SetOptInStatus(std::forward<OptInStatusT>(value));
        return *this;
    }

private:
    Aws::String m_endpoint;
    Aws::String m_regionName;
    Aws::String m_optInStatus;
    bool m_endpointHasBeenSet = false;
    bool m_regionNameHasBeenSet = false;
    bool m_optInStatusHasBeenSet = false;
};

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
