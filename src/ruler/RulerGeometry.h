#pragma once
// The ruler window's size, centring, placement rules and transparency, as
// pure functions of the ruler's state and the window's current bounds.

#include "ruler/Desktop.h"
#include "ruler/RulerState.h"

inline constexpr int RulerThickness = 60;
// X11 keeps window sizes in 16 bits (and Qt below that).
inline constexpr int kMaxWindowLength = 32767;

struct TWindowBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TWindowBounds&) const = default;
};

// The length SetSize asks of the window along the ruler's axis; a hand-edited
// custom size never asks for more than a window can be, or for nothing.
int WantedRulerLength(const RulerState& s);
// The bounds SetSize gives the window once it has taken the length `taken`:
// centred along the ruler's axis on the active monitor, 60 across, the other
// axis' position unchanged.
TWindowBounds SizedBounds(const RulerState& s, const TWindowBounds& current, int taken);
// The window's top-left corner centred on the active monitor.
TPoint CenteredPosition(const MonitorRect& area, int width, int height);
// Where RepositionRuler puts the window asked to go to `wanted`: the
// containment and minimum-overlap rules, then the axis lock, which keeps the
// current position along the ruler's own axis.
TPoint ClampedRulerPosition(const RulerState& s, TPoint wanted, const TWindowBounds& current);

// Window alpha of the transparency choice (custom: trunc((100 - t) * 2.55)).
int TransparencyAlpha(const RulerState& s);
inline bool TransparencyItemEnabled(const RulerState& s, TTransparency item)
{
    return item != s.Transparency;
}
