#pragma once
// What the ruler window shows: its image with the information and logo
// layers over it, and the logo picture they are painted from.

#include <string>

#include "draw/Image32.h"

// The text no information line ever equals: after a repaint it makes the
// information line clear and redraw its layer on the next tick.
inline constexpr char16_t kRefreshInfoText[] = u"Refresh, please. :)";

inline constexpr int kLogoWidth = 101;
inline constexpr int kLogoHeight = 38;

class TRulerPicture {
public:
    // Creates InfoLayer, then LogoLayer on top of it; the image and the
    // information layer draw their text with the rasterizer.
    explicit TRulerPicture(ITextRasterizer& text);
    TRulerPicture(const TRulerPicture&) = delete;
    TRulerPicture& operator=(const TRulerPicture&) = delete;

    // The image, its surface and InfoLayer at the window's size.
    void Resize(int width, int height);

    TImage32 RulerImage;
    TBitmapLayer& InfoLayer;
    TBitmapLayer& LogoLayer;
    // 101 x 38 with per-pixel alpha; drawn blended.
    TBitmap32 LogoImage;
    std::u16string LastInfoText = kRefreshInfoText;
};
