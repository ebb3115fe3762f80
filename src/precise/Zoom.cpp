#include "precise/Zoom.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "draw/CommonFunctions.h"

namespace {

// Corners counted round the window; any int names one of the four.
int CornerOf(int corner)
{
    return ((corner % 4) + 4) % 4;
}

bool TargetOnLeft(int corner)
{
    const int c = CornerOf(corner);
    return c == 0 || c == 3;
}

bool TargetAbove(int corner)
{
    const int c = CornerOf(corner);
    return c == 0 || c == 1;
}

std::u16string Widen(std::string_view s)
{
    return {s.begin(), s.end()};
}

// The one number format of the read-out. to_chars ignores the C locale, which
// a Qt program sets from the user's, so the separator is always ours to put
// in. A value that is not a number (a unit of no size) reads as zero rather
// than as "inf" or "nan".
std::u16string FixedNumber(double value, int decimals, char16_t decimalSeparator)
{
    if (!std::isfinite(value)) value = 0;
    // The largest double has 309 integer digits.
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::u16string out = Widen(std::string_view(buf, static_cast<std::size_t>(result.ptr - buf)));
    std::replace(out.begin(), out.end(), u'.', decimalSeparator);
    return out;
}

constexpr double kDegreesPerRadian = 57.29577951308232;

constexpr std::u16string_view kReadOutLabels[6] = {u"X:", u"Y:", u"dX:", u"dY:", u"D:", u"a:"};

}  // namespace

TZoomSize ZoomSizeOf(TPMTSize size)
{
    switch (size) {
        case TPMTSize::Large: return {225, 135, {5, 5, 130, 130}};
        case TPMTSize::Medium: return {205, 115, {5, 5, 110, 110}};
        default: return {185, 95, {5, 5, 90, 90}};
    }
}

int ZoomFactorOf(TZoomLevel level)
{
    switch (level) {
        case TZoomLevel::Zoom15X: return 15;
        case TZoomLevel::Zoom10X: return 10;
        default: return 5;
    }
}

TWindowBounds CaptureRect(TPoint target, const TZoomRect& zoomRect, int factor)
{
    const int hx = (zoomRect.Right - zoomRect.Left) / (2 * factor);
    const int hy = (zoomRect.Bottom - zoomRect.Top) / (2 * factor);
    return {target.X - hx, target.Y - hy, 2 * hx + 1, 2 * hy + 1};
}

void EnlargeInto(TBitmap32& dest, const TZoomRect& rect, const TBitmap32& source)
{
    if (source.Empty() || dest.Empty()) return;
    const std::int64_t destW = rect.Right - rect.Left;
    const std::int64_t destH = rect.Bottom - rect.Top;
    if (destW <= 0 || destH <= 0) return;
    // Only the part of the rectangle that lies on dest, counted from its edge.
    const int firstCol = std::max(0, -rect.Left);
    const int endCol = static_cast<int>(std::min<std::int64_t>(destW, std::int64_t{dest.Width()} - rect.Left));
    const int firstRow = std::max(0, -rect.Top);
    const int endRow = static_cast<int>(std::min<std::int64_t>(destH, std::int64_t{dest.Height()} - rect.Top));
    if (firstCol >= endCol || firstRow >= endRow) return;

    const std::int64_t srcW = source.Width();
    const std::int64_t srcH = source.Height();
    std::vector<int> columnOf(static_cast<std::size_t>(endCol - firstCol));
    for (int i = firstCol; i < endCol; ++i)
        columnOf[static_cast<std::size_t>(i - firstCol)] = static_cast<int>(i * srcW / destW);

    const TColor32* previous = nullptr;
    int previousRow = -1;
    for (int j = firstRow; j < endRow; ++j) {
        const int sy = static_cast<int>(j * srcH / destH);
        TColor32* out = dest.ScanLine(rect.Top + j) + (rect.Left + firstCol);
        // Rows enlarged from the same source row are equal: copy the one
        // already built instead of gathering its pixels again.
        if (sy == previousRow) {
            std::copy(previous, previous + columnOf.size(), out);
        } else {
            const TColor32* in = source.ScanLine(sy);
            for (std::size_t k = 0; k < columnOf.size(); ++k) out[k] = in[columnOf[k]];
            previousRow = sy;
        }
        previous = out;
    }
}

void DrawCentreLines(TBitmap32& dest, const TZoomRect& rect, TColor32 aim)
{
    const int midY = (rect.Top + rect.Bottom) / 2;
    const int midX = (rect.Left + rect.Right) / 2;
    dest.Line(rect.Left, midY, rect.Right, midY, aim);
    dest.Line(midX, rect.Top, midX, rect.Bottom, aim);
}

TPoint CrossHairPosition(int corner, const TWindowBounds& zoom)
{
    const int x = TargetOnLeft(corner) ? zoom.Left - 15 : zoom.Left + zoom.Width + 4;
    const int y = TargetAbove(corner) ? zoom.Top - 15 : zoom.Top + zoom.Height + 4;
    return {x, y};
}

namespace {
// One axis of the clamps: the target lies 10 pixels beyond the window on
// one side, so the window keeps 10 pixels from the area's edge there; the
// other side only has to stay on the area, and wins when the area is too
// small for both.
int ClampAlongAxis(int position, int size, int start, int length, bool targetBefore)
{
    if (targetBefore) {
        if (position < start + 10) position = start + 10;
        if (position + size > start + length) position = start + length - size;
    } else {
        if (position + size + 10 > start + length) position = start + length - size - 10;
        if (position < start) position = start;
    }
    return position;
}
}  // namespace

TPoint ClampedZoomPosition(int corner, TPoint wanted, int width, int height, const MonitorRect& area)
{
    return {ClampAlongAxis(wanted.X, width, area.Left, area.Width, TargetOnLeft(corner)),
            ClampAlongAxis(wanted.Y, height, area.Top, area.Height, TargetAbove(corner))};
}

TPoint LockedZoomPosition(bool rotate, const TWindowBounds& ruler, const TWindowBounds& zoom)
{
    if (rotate) return {ruler.Left + ruler.Width / 2 - zoom.Width / 2, zoom.Top};
    return {zoom.Left, ruler.Top + ruler.Height / 2 - zoom.Height / 2};
}

TPoint ZoomDragTarget(const RulerState& s, TPoint pointer, TPoint grab, const TWindowBounds& zoom)
{
    const int x = s.PMTLocked && s.Rotate ? zoom.Left : pointer.X - grab.X;
    const int y = s.PMTLocked && !s.Rotate ? zoom.Top : pointer.Y - grab.Y;
    return {x, y};
}

std::optional<TPoint> ZoomNudgeTarget(const RulerState& s, bool dragging, TArrowKey key, TModifiers mods,
                                      const TWindowBounds& zoom)
{
    // The ruler's own keys, so that both windows step alike.
    TDragState drag;
    drag.Dragging = dragging;
    std::optional<TPoint> target = NudgeTarget(drag, s.StickToMouse, key, mods, zoom);
    if (!target || !s.PMTLocked) return target;
    if (s.Rotate)
        target->X = zoom.Left;
    else
        target->Y = zoom.Top;
    return target;
}

std::array<std::u16string, 6> ReadOutValues(TPoint own, TPoint twin, double pixelsPerUnit,
                                            const std::u16string& unitCode, char16_t decimalSeparator)
{
    // In double, so that targets far apart on a huge desktop cannot overflow.
    const double pixelsX = std::abs(static_cast<double>(own.X) - twin.X);
    const double pixelsY = std::abs(static_cast<double>(own.Y) - twin.Y);
    // A unit of no size (or none at all) has no distances to show: they read
    // as zero rather than as infinities.
    const bool sized = std::isfinite(pixelsPerUnit) && pixelsPerUnit > 0;
    const double dx = sized ? pixelsX / pixelsPerUnit : 0;
    const double dy = sized ? pixelsY / pixelsPerUnit : 0;
    const double d = std::sqrt(dx * dx + dy * dy);
    return {
        Widen(std::to_string(own.X)),
        Widen(std::to_string(own.Y)),
        FormatDistance(dx, unitCode, decimalSeparator),
        FormatDistance(dy, unitCode, decimalSeparator),
        FormatDistance(d, unitCode, decimalSeparator),
        // The unit cancels out of the angle; the pixel distances give it
        // even when the unit's size is unusable.
        FormatAngle(pixelsX, pixelsY, decimalSeparator),
    };
}

std::u16string FormatDistance(double value, const std::u16string& unitCode, char16_t decimalSeparator)
{
    // The decimals follow the value before rounding: 999.96 cm is in the
    // one-decimal range and reads 1000.0. A value that is no number reads as
    // the zero it stands in for, decimals and all.
    if (!std::isfinite(value)) value = 0;
    int decimals = 0;
    if (unitCode != u"px") decimals = value >= 1000 ? 0 : value >= 100 ? 1 : value >= 10 ? 2 : 3;
    return FixedNumber(value, decimals, decimalSeparator) + u' ' + unitCode;
}

std::u16string FormatAngle(double dx, double dy, char16_t decimalSeparator)
{
    const double degrees = dx == 0 ? 90 : std::atan(dy / dx) * kDegreesPerRadian;
    return FixedNumber(degrees, 1, decimalSeparator) + u'\u00B0';
}

void DrawReadOut(TBitmap32& layer, int height, const TZoomRect& zoomRect, const std::array<std::u16string, 6>& values,
                 TColor32 highlight)
{
    layer.Clear(0);
    const int gap = (height - 66) / 7;
    const int step = gap + 10;
    for (int k = 0; k < 6; ++k) {
        const int y = gap + 1 + k * step;
        DrawEmbossedText(layer, zoomRect.Right + 7, y, kReadOutLabels[k], highlight);
        DrawEmbossedText(layer, zoomRect.Right + 30, y, values[static_cast<std::size_t>(k)], highlight);
    }
}

void PaintZoomBackground(TBitmap32& surface, const TZoomRect& zoomRect, const ColorScheme& scheme, bool embossed)
{
    // Shaded like a horizontal ruler, whatever the ruler's own orientation.
    DrawGradient(surface, scheme.Shadow, DarkenColor(scheme.Highlight, 15), false);
    if (!embossed) return;
    DrawBevel(surface, 0, 0, surface.Width(), surface.Height(), 2, scheme.Highlight, false);
    DrawBevel(surface, zoomRect.Left - 2, zoomRect.Top - 2, zoomRect.Right + 2, zoomRect.Bottom + 2, 2,
              scheme.Highlight, true);
}

TBitmap32 CrossHairImage(TColor32 aim)
{
    TBitmap32 image(kCrossHairSize, kCrossHairSize);
    image.Clear(kCrossHairKey);
    if (aim == 0) return image;
    // Four arms of 4 pixels; the 3 x 3 round the target pixel stays clear so
    // that the cross never hides what it points at.
    image.Line(5, 0, 5, 4, aim);
    image.Line(5, 7, 5, 11, aim);
    image.Line(0, 5, 4, 5, aim);
    image.Line(7, 5, 11, 5, aim);
    return image;
}

TColor32 NextAimColor(TColor32 aim)
{
    return aim == clBlack32 ? clWhite32 : clBlack32;
}
