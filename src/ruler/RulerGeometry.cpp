#include "ruler/RulerGeometry.h"

#include <algorithm>

namespace {
long long UnclampedRulerLength(const RulerState& s)
{
    const long long span = s.Rotate ? s.ActiveArea.Height : s.ActiveArea.Width;
    switch (s.Size) {
        case TRulerSize::Full: return span;
        case TRulerSize::ThreeQuarters: return (3 * span) / 4;
        case TRulerSize::Half: return span / 2;
        case TRulerSize::Custom:
            if (s.CustomSizeInPixels) return s.CustomSize;
            return static_cast<long long>(static_cast<double>(span * s.CustomSize) / 100);
    }
    return span;
}
}  // namespace

int WantedRulerLength(const RulerState& s)
{
    return static_cast<int>(std::clamp(UnclampedRulerLength(s), 1LL, static_cast<long long>(kMaxWindowLength)));
}

TWindowBounds SizedBounds(const RulerState& s, const TWindowBounds& current, int taken)
{
    const MonitorRect& a = s.ActiveArea;
    TWindowBounds b = current;
    if (s.Rotate) {
        b.Height = taken;
        b.Top = s.Size == TRulerSize::Full ? a.Top : a.Top + (a.Height - taken) / 2;
        b.Width = RulerThickness;
    } else {
        b.Width = taken;
        b.Left = s.Size == TRulerSize::Full ? a.Left : a.Left + (a.Width - taken) / 2;
        b.Height = RulerThickness;
    }
    return b;
}

TPoint CenteredPosition(const MonitorRect& area, int width, int height)
{
    return {area.Left + area.Width / 2 - width / 2, area.Top + area.Height / 2 - height / 2};
}

TPoint ClampedRulerPosition(const RulerState& s, TPoint wanted, const TWindowBounds& current)
{
    const MonitorRect& a = s.ActiveArea;
    const int w = current.Width;
    const int h = current.Height;
    int x = wanted.X;
    int y = wanted.Y;
    // A ruler stuck to the pointer stays wholly on the monitor across its
    // length, so that the pointer can always reach it.
    if (s.BoundToScreen || (s.StickToMouse && s.Rotate)) {
        if (x < a.Left)
            x = a.Left;
        else if (x + w > a.Left + a.Width)
            x = a.Left + a.Width - w;
    }
    if (s.BoundToScreen || (s.StickToMouse && !s.Rotate)) {
        if (y < a.Top)
            y = a.Top;
        else if (y + h > a.Top + a.Height)
            y = a.Top + a.Height - h;
    }
    // One column and one row always stay on the monitor.
    if (x + w < a.Left + 1) x = a.Left + 1 - w;
    if (x > a.Left + a.Width - 1) x = a.Left + a.Width - 1;
    if (y + h < a.Top + 1) y = a.Top + 1 - h;
    if (y > a.Top + a.Height - 1) y = a.Top + a.Height - 1;

    TPoint result{current.Left, current.Top};
    if (!(s.AxisLocked && s.Rotate)) result.Y = y;
    if (!(s.AxisLocked && !s.Rotate)) result.X = x;
    return result;
}

int TransparencyAlpha(const RulerState& s)
{
    switch (s.Transparency) {
        case TTransparency::Percent50: return 128;
        case TTransparency::Percent40: return 153;
        case TTransparency::Percent30: return 179;
        case TTransparency::Percent15: return 217;
        case TTransparency::Percent10: return 230;
        case TTransparency::Percent5: return 242;
        case TTransparency::Opaque: return 255;
        case TTransparency::Custom: {
            // Integer arithmetic gives trunc((100 - t) * 2.55) exactly for every
            // t in 0..100, where the real product would round 40 * 2.55 down.
            const int t = std::clamp(s.CustomTransparency, 0, 100);
            return (100 - t) * 255 / 100;
        }
        case TTransparency::Percent20: break;
    }
    return 204;
}
