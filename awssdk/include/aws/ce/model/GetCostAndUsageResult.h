#pragma once

#include <aws/ce/model/ResultByTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class GetCostAndUsageResult {
public:
    GetCostAndUsageResult() = default;

    const Aws::String& GetNextPageToken() const { return m_nextPageToken; }
    bool NextPageTokenHasBeenSet() const { return m_nextPageTokenHasBeenSet; }
    template <typename NextPageTokenT = Aws::String>
    void SetNextPageToken(NextPageTokenT&& value) {
        m_nextPageTokenHasBeenSet = true;
        m_nextPageToken = std::forward<NextPageTokenT>(value);
    }
    template <typename NextPageTokenT = Aws::String>
    GetCostAndUsageResult& WithNextPageToken(NextPageTokenT&& value) {
        SetNextPageToken(std::forward<NextPageTokenT>(value));
        return *this;
    }

    const Aws::Vector<ResultByTime>& GetResultsByTime() const { return m_resultsByTime; }
    bool ResultsByTimeHasBeenSet() const { return m_resultsByTimeHasBeenSet; }
    template <typename ResultsByTimeT = Aws::Vector<ResultByTime>>
    void SetResultsByTime(ResultsByTimeT&& value) {
        m_resultsByTimeHasBeenSet = true;
        m_resultsByTime = std::forward<ResultsByTimeT>(value);
    }
    template <typename ResultsByTimeT = Aws::Vector<ResultByTime>>
    GetCostAndUsageResult& WithResultsByTime(ResultsByTimeT&& value) {
        SetResultsByTime(std::forward<ResultsByTimeT>(value));
        return *this;
    }
    template <typename ResultsByTimeItemT = ResultByTime>
    GetCostAndUsageResult& AddResultsByTime(ResultsByTimeItemT&& value) {
        m_resultsByTimeHasBeenSet = true;
        m_resultsByTime.emplace_back(std::forward<ResultsByTimeItemT>(value));
        return *this;
    }

private:
    Aws::String m_nextPageToken;
    Aws::Vector<ResultByTime> m_resultsByTime;
    bool m_nextPageTokenHasBeenSet = false;
    bool m_resultsByTimeHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
