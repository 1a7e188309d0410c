#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

#include <aws/core/utils/json/JsonSerializer.h>
#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

class DateInterval {
public:
    DateInterval() = default;
    Aws::Utils::Json::JsonValue Jsonize() const;

    const Aws::String& GetStart() const { return m_start; }
    bool StartHasBeenSet() const { return m_startHasBeenSet; }
    template <typename StartT = Aws::String>
    void SetStart(StartT&& value) {
        m_startHasBeenSet = true;
        m_start = std::forward<StartT>(value);
    }
    template <typename StartT = Aws::String>
    DateInterval& WithStart(StartT&& value) {
        SetStart(std::forward<StartT>(value));
        return *this;
    }

    const Aws::String& GetEnd() const { return m_end; }
    bool EndHasBeenSet() const { return m_endHasBeenSet; }
    template <typename EndT = Aws::String>
    void SetEnd(EndT&& value) {
        m_endHasBeenSet = true;
        m_end = std::forward<EndT>(value);
    }
    template <typename EndT = Aws::String>
    DateInterval& WithEnd(EndT&& value) {
        SetEnd(std::forward<EndT>(value));
        return *this;
    }

private:
    Aws::String m_start;
    Aws::String m_end;
    bool m_startHasBeenSet = false;
    bool m_endHasBeenSet = false;
};

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
