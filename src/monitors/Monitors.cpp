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

namespace {
bool HasArea(const MonitorRect& r)
{
    return r.Width > 0 && r.Height > 0;
}
}  // namespace

void SelectMonitor(RulerState& s, int n)
{
    n = std::clamp(n, 1, kMonitorSlots);
    s.ActiveMon = n;
    s.ActiveArea = s.MonitorRects[static_cast<std::size_t>(n - 1)];
}

void FitDoubleClickToMonitors(RulerState& s)
{
    if (s.MonitorCount == 1 && s.DoubleClick == TDoubleClickAction::NextMonitor)
        s.DoubleClick = TDoubleClickAction::Rotate;
}

namespace {
bool Overlap(const MonitorRect& a, const MonitorRect& b)
{
    const long long left = std::max<long long>(a.Left, b.Left);
    const long long top = std::max<long long>(a.Top, b.Top);
    const long long right =
        std::min<long long>(static_cast<long long>(a.Left) + a.Width, static_cast<long long>(b.Left) + b.Width);
    const long long bottom =
        std::min<long long>(static_cast<long long>(a.Top) + a.Height, static_cast<long long>(b.Top) + b.Height);
    return left < right && top < bottom;
}
}  // namespace

bool ActiveMonitorGone(const RulerState& s, const std::vector<MonitorRect>& screens)
{
    if (s.ManualCfg)
        return std::none_of(screens.begin(), screens.end(),
                            [&](const MonitorRect& r) { return Overlap(r, s.ActiveArea); });
    return std::find(screens.begin(), screens.end(), s.ActiveArea) == screens.end();
}

int MonitorToReselect(const RulerState& s)
{
    const int n = s.ActiveMon;
    if (n < 2 || n > kMonitorSlots) return 1;
    const bool beyond = (s.MonitorCount == 3 && n == 4) || (s.MonitorCount == 2 && n >= 3) || (s.MonitorCount == 1);
    return beyond ? 1 : n;
}

bool EnsureUsableActiveArea(RulerState& s, const std::vector<MonitorRect>& system)
{
    if (s.ActiveMon >= 1 && s.ActiveMon <= s.MonitorCount && HasArea(s.ActiveArea)) return false;
    s.ActiveMon = 1;
    if (!HasArea(s.MonitorRects[0]) && !system.empty() && HasArea(system.front())) s.MonitorRects[0] = system.front();
    s.ActiveArea = s.MonitorRects[0];
    return true;
}
