#pragma once
// The information line of a horizontal ruler: the scale's unit and
// resolution, the pointer's screen co-ordinates, the colour under the
// pointer, or the hint of a ruler stuck to the pointer, composed from what
// the ruler knows and drawn embossed on its information layer.

#include <optional>
#include <string>

#include "draw/Bitmap32.h"
#include "lang/Languages.h"
#include "ruler/Desktop.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerState.h"

// Whether any of the four parts is chosen: without one the line is off.
bool AnyInfoShown(const RulerState& s);
// Whether the line needs the pointer, and the pixel under it.
inline bool InfoNeedsPointer(const RulerState& s)
{
    return s.ShowMouse || s.ShowRGB;
}

// The line for the pointer (nothing: it could not be read, and counts as
// (0, 0)) and the pixel under it (nothing: no access to the screen at all,
// shown as 0, 0, 0; a pixel the platform could not read comes as its
// invalid value and shows as it is). ruler: the window's bounds, for the
// hint of a ruler stuck at the monitor's edge.
std::u16string ComposeInfoLine(const RulerState& s, const TLanguageTable& texts, std::optional<TPoint> pointer,
                               std::optional<TColor32> pixel, const TWindowBounds& ruler);

// Clears the layer and, on a horizontal ruler, draws the line embossed at
// (16, y0): y0 9 with the scale along the bottom edge, 35 along the top.
// The layer's font must be selected.
void DrawInfoLine(TBitmap32& layer, const std::u16string& text, const RulerState& s);
