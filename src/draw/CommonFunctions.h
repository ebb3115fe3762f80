#pragma once
// The shared drawing helpers: the mirrored gradient that shades the ruler and
// the magnifiers, the bevel, colour shading and the colours of embossed text.

#include <string_view>

#include "draw/Bitmap32.h"

// Gradient from colour a at two opposite edges to b in the middle: between
// the left and right edges when vertical, else between top and bottom.
void DrawGradient(TBitmap32& surface, TColor32 a, TColor32 b, bool vertical);
// Rings of a raised (or, inverted, sunken) frame inside L, T, R, B, where R
// and B are exclusive.
void DrawBevel(TBitmap32& surface, int left, int top, int right, int bottom, int width, TColor32 c, bool inverted);
TColor32 ShadeColor(TColor32 p, TColor32 c, double factor);
TColor32 DarkenColor(TColor32 c, int percent);
constexpr TColor32 TextLightColor(TColor32 c)
{
    return c & 0xA0FFFFFFu;
}
constexpr TColor32 TextDarkColor()
{
    return 0xA0000000u;
}

// Every text on the ruler, the magnifiers and the preview: a light copy one
// pixel right and down, then the dark text at (x, y). The surface's font must
// already be selected.
void DrawEmbossedText(TBitmap32& surface, int x, int y, std::u16string_view text, TColor32 highlight);
// The font all those texts use.
void SelectRulerFont(TBitmap32& surface);
