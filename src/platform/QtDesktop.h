#pragma once
// The desktop as Qt sees it on X11: pointer, screen pixels and monitors.

#include "ruler/Desktop.h"

class QtDesktop : public IDesktop {
public:
    std::optional<TPoint> PointerPos() override;
    std::optional<TColor32> ScreenPixel(int x, int y) override;
    TBitmap32 GrabScreen(int x, int y, int width, int height) override;
    std::vector<MonitorRect> Monitors() override;
};
