#pragma once
// The precise measuring tool's rules, as pure functions: a magnifier's size,
// the screen square it enlarges and how, where its target and crosshair lie,
// how it is kept on the monitor and on the ruler's centre line, its
// background and its read-out, and the blinking crosshair.

#include <array>
#include <optional>
#include <string>

#include "draw/Bitmap32.h"
#include "ruler/Desktop.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerInteraction.h"
#include "ruler/RulerState.h"

// A rectangle with exclusive right and bottom edges.
struct TZoomRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TZoomRect&) const = default;
};

// A magnifier's window size and the square in it that shows the screen.
struct TZoomSize {
    int Width = 0;
    int Height = 0;
    TZoomRect ZoomRect;
    bool operator==(const TZoomSize&) const = default;
};

TZoomSize ZoomSizeOf(TPMTSize size);
// 5, 10 or 15.
int ZoomFactorOf(TZoomLevel level);

// The screen rectangle RefreshZoom copies: odd sides, the target pixel in the
// middle.
TWindowBounds CaptureRect(TPoint target, const TZoomRect& zoomRect, int factor);

// Copies source into dest's rectangle, enlarged by repeating pixels: dest
// pixel i (counted from the rectangle's edge) takes source pixel
// floor(i * source side / dest side). Nothing is smoothed; pixels outside
// dest are left alone, and an empty source leaves the rectangle as it was.
void EnlargeInto(TBitmap32& dest, const TZoomRect& rect, const TBitmap32& source);
// The horizontal and then the vertical centre line through the square, end
// points left out.
void DrawCentreLines(TBitmap32& dest, const TZoomRect& rect, TColor32 aim);

// Where the crosshair window (11 x 11) goes for a magnifier at (left, top) of
// this size with its target off the given corner (0 top-left, 1 top-right,
// 2 bottom-right, 3 bottom-left); the target is its centre pixel, (5, 5) in.
inline constexpr int kCrossHairSize = 11;
TPoint CrossHairPosition(int corner, const TWindowBounds& zoom);
inline TPoint TargetOfCrossHair(TPoint crossHair)
{
    return {crossHair.X + 5, crossHair.Y + 5};
}

// RepositionZoom's clamps: the window and its target kept on the area.
TPoint ClampedZoomPosition(int corner, TPoint wanted, int width, int height, const MonitorRect& area);

// The lock alignment: where a magnifier goes so that it is centred across
// the ruler, keeping its place along it.
TPoint LockedZoomPosition(bool rotate, const TWindowBounds& ruler, const TWindowBounds& zoom);

// Where a drag of a magnifier asks it to go for the pointer at p; a locked
// magnifier slides only along the ruler.
TPoint ZoomDragTarget(const RulerState& s, TPoint pointer, TPoint grab, const TWindowBounds& zoom);
// Where a key asks a magnifier to go: the ruler's steps, along the ruler only
// while locked; nothing while it is dragged or the ruler sticks to the
// pointer. Any key, arrow or not, gives a position.
std::optional<TPoint> ZoomNudgeTarget(const RulerState& s, bool dragging, TArrowKey key, TModifiers mods,
                                      const TWindowBounds& zoom);

// The six values of the read-out for this magnifier's target and its twin's:
// X, Y, dX, dY, D and the angle, as they are shown.
std::array<std::u16string, 6> ReadOutValues(TPoint own, TPoint twin, double pixelsPerUnit,
                                            const std::u16string& unitCode, char16_t decimalSeparator);
// A distance in units as the read-out writes it: whole numbers for pixels,
// else 0 to 3 decimals by size.
std::u16string FormatDistance(double value, const std::u16string& unitCode, char16_t decimalSeparator);
// The angle of the line between the targets against the horizontal.
std::u16string FormatAngle(double dx, double dy, char16_t decimalSeparator);

// The read-out on a layer the size of the window: cleared, then the six
// labels and values embossed in rows. The layer's font must be selected.
void DrawReadOut(TBitmap32& layer, int height, const TZoomRect& zoomRect, const std::array<std::u16string, 6>& values,
                 TColor32 highlight);

// A magnifier's background: the ruler's shading, and with Embossed a raised
// frame round the window and a sunken one round the square.
void PaintZoomBackground(TBitmap32& surface, const TZoomRect& zoomRect, const ColorScheme& scheme, bool embossed);

// The crosshair: fuchsia (see-through) with four arms of the aim colour
// round a 3 x 3 see-through centre; 0 as the aim gives no arms.
inline constexpr TColor32 kCrossHairKey = 0xFFFF00FF;
TBitmap32 CrossHairImage(TColor32 aim);
// Black, white, black, ...; from 0 (nothing drawn yet) black first.
TColor32 NextAimColor(TColor32 aim);
