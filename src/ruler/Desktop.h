#pragma once
// What the ruler asks of the desktop: the pointer, the screen's pixels and
// the monitors. One real implementation (Qt/X11) and a fake for tests.

#include <optional>
#include <vector>

#include "draw/Bitmap32.h"
#include "ruler/RulerState.h"

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// The colour a platform gives for a pixel it cannot read.
inline constexpr TColor32 kInvalidPixel = 0xFFFFFFFF;

class IDesktop {
public:
    virtual ~IDesktop() = default;
    // The pointer in virtual-screen pixels; nothing when it cannot be read.
    virtual std::optional<TPoint> PointerPos() = 0;
    // One screen pixel, opaque; kInvalidPixel when that pixel cannot be
    // read, nothing when the screen cannot be read at all.
    virtual std::optional<TColor32> ScreenPixel(int x, int y) = 0;
    // A copy of a screen rectangle (empty when it cannot be read).
    virtual TBitmap32 GrabScreen(int x, int y, int width, int height) = 0;
    // Every monitor's full rectangle, in the system's order (primary first).
    virtual std::vector<MonitorRect> Monitors() = 0;
};
