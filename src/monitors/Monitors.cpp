#include "monitors/Monitors.h"

#include <algorithm>

void DetectMonitors(RulerState& s, const std::vector<MonitorRect>& system)
{
    const int n = static_cast<int>(system.size());
    s.MonitorCount = std::clamp(n, 1, kMonitorSlots);
    for (int i = 0; i < kMonitorSlots; ++i)
        s.MonitorRects[static_cast<std::size_t>(i)] =
            i < s.MonitorCount && i < n ? system[static_cast<std::size_t>(i)] : MonitorRect{};
}
