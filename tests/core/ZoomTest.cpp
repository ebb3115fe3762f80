#include "precise/Zoom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "draw/CommonFunctions.h"
#include "support/FixedTextRasterizer.h"

namespace {

using FTR = FixedTextRasterizer;

constexpr TColor32 kBack = 0xFF204060;
constexpr TColor32 kAim = 0xFF000000;

std::string Narrow(const std::u16string& s)
{
    std::string out;
    for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::string Str(TPoint p)
{
    return "(" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ")";
}

// A source whose every pixel has its own colour, so a copied pixel tells
// where it came from.
TColor32 Numbered(int x, int y)
{
    return Color32(x, y, 0x80);
}

TBitmap32 NumberedSource(int width, int height)
{
    TBitmap32 b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.SetPixelS(x, y, Numbered(x, y));
    return b;
}

// The lengths of the runs of equal pixels along a row or column of the square.
std::vector<int> Runs(const TBitmap32& b, const TZoomRect& r, bool alongRow, int at)
{
    std::vector<int> runs;
    TColor32 last = 0;
    const int from = alongRow ? r.Left : r.Top;
    const int to = alongRow ? r.Right : r.Bottom;
    for (int i = from; i < to; ++i) {
        const TColor32 c = alongRow ? b.Pixel(i, at) : b.Pixel(at, i);
        if (i == from || c != last)
            runs.push_back(1);
        else
            ++runs.back();
        last = c;
    }
    return runs;
}

struct SizeCase {
    TPMTSize size;
    TZoomSize expected;
};

TEST(ZoomSizeOf, WindowAndSquareForEachSize)
{
    const SizeCase cases[] = {
        {TPMTSize::Small, {185, 95, {5, 5, 90, 90}}},
        {TPMTSize::Medium, {205, 115, {5, 5, 110, 110}}},
        {TPMTSize::Large, {225, 135, {5, 5, 130, 130}}},
        // A size the settings file should never hold reads as Small.
        {static_cast<TPMTSize>(7), {185, 95, {5, 5, 90, 90}}},
    };
    for (const SizeCase& c : cases) {
        const TZoomSize z = ZoomSizeOf(c.size);
        EXPECT_EQ(z, c.expected) << static_cast<int>(c.size);
        // 5 pixels left, above and below the square, 95 right of it for the
        // read-out.
        EXPECT_EQ(z.Height - z.ZoomRect.Bottom, 5);
        EXPECT_EQ(z.Width - z.ZoomRect.Right, 95);
    }
    EXPECT_EQ(ZoomFactorOf(TZoomLevel::Zoom5X), 5);
    EXPECT_EQ(ZoomFactorOf(TZoomLevel::Zoom10X), 10);
    EXPECT_EQ(ZoomFactorOf(TZoomLevel::Zoom15X), 15);
    EXPECT_EQ(ZoomFactorOf(static_cast<TZoomLevel>(9)), 5);
}

struct CaptureCase {
    TPMTSize size;
    TZoomLevel level;
    int side;
};

constexpr CaptureCase kCaptureCases[] = {
    {TPMTSize::Small, TZoomLevel::Zoom5X, 17},   {TPMTSize::Small, TZoomLevel::Zoom10X, 9},
    {TPMTSize::Small, TZoomLevel::Zoom15X, 5},   {TPMTSize::Medium, TZoomLevel::Zoom5X, 21},
    {TPMTSize::Medium, TZoomLevel::Zoom10X, 11}, {TPMTSize::Medium, TZoomLevel::Zoom15X, 7},
    {TPMTSize::Large, TZoomLevel::Zoom5X, 25},   {TPMTSize::Large, TZoomLevel::Zoom10X, 13},
    {TPMTSize::Large, TZoomLevel::Zoom15X, 9},
};

TEST(CaptureRect, OddSquareWithTheTargetInTheMiddle)
{
    for (const CaptureCase& c : kCaptureCases) {
        const TZoomRect square = ZoomSizeOf(c.size).ZoomRect;
        for (TPoint target : {TPoint{500, 300}, TPoint{-1280, -7}, TPoint{0, 0}}) {
            const TWindowBounds r = CaptureRect(target, square, ZoomFactorOf(c.level));
            SCOPED_TRACE("side " + std::to_string(c.side) + " target " + Str(target));
            EXPECT_EQ(r.Width, c.side);
            EXPECT_EQ(r.Height, c.side);
            EXPECT_EQ(r.Left + r.Width / 2, target.X);
            EXPECT_EQ(r.Top + r.Height / 2, target.Y);
        }
    }
}

TEST(EnlargeInto, SmallAt5XShowsEachSourcePixelAsA5By5Block)
{
    const TZoomSize z = ZoomSizeOf(TPMTSize::Small);
    TBitmap32 dest(z.Width, z.Height);
    dest.Clear(kBack);
    EnlargeInto(dest, z.ZoomRect, NumberedSource(17, 17));

    for (int y = 0; y < dest.Height(); ++y)
        for (int x = 0; x < dest.Width(); ++x) {
            const bool inSquare = x >= 5 && x < 90 && y >= 5 && y < 90;
            const TColor32 expected = inSquare ? Numbered((x - 5) / 5, (y - 5) / 5) : kBack;
            ASSERT_EQ(dest.Pixel(x, y), expected) << x << ", " << y;
        }
}

struct RunCase {
    TPMTSize size;
    int sourceWidth, sourceHeight;
    std::vector<int> columnRuns, rowRuns;
};

TEST(EnlargeInto, NonWholeFactorsRepeatBySourcePixelFloorOfTheScaledIndex)
{
    // Source pixel k covers the dest pixels i with k <= i * side / dest < k+1,
    // that is from ceil(k * dest / side): worked out by hand for each case.
    const RunCase cases[] = {
        // Small at 10 X: 9 into 85.
        {TPMTSize::Small, 9, 9, {10, 9, 10, 9, 10, 9, 10, 9, 9}, {10, 9, 10, 9, 10, 9, 10, 9, 9}},
        // Large at 15 X: 9 into 125.
        {TPMTSize::Large, 9, 9, {14, 14, 14, 14, 14, 14, 14, 14, 13}, {14, 14, 14, 14, 14, 14, 14, 14, 13}},
        // A grab that came back smaller than asked still fills the square.
        {TPMTSize::Small, 3, 2, {29, 28, 28}, {43, 42}},
        {TPMTSize::Small, 1, 1, {85}, {85}},
    };
    for (const RunCase& c : cases) {
        const TZoomSize z = ZoomSizeOf(c.size);
        TBitmap32 dest(z.Width, z.Height);
        dest.Clear(kBack);
        EnlargeInto(dest, z.ZoomRect, NumberedSource(c.sourceWidth, c.sourceHeight));
        SCOPED_TRACE(std::to_string(c.sourceWidth) + " x " + std::to_string(c.sourceHeight));
        for (int at : {z.ZoomRect.Top, z.ZoomRect.Bottom - 1})
            EXPECT_EQ(Runs(dest, z.ZoomRect, true, at), c.columnRuns);
        for (int at : {z.ZoomRect.Left, z.ZoomRect.Right - 1}) EXPECT_EQ(Runs(dest, z.ZoomRect, false, at), c.rowRuns);
        // The last dest pixel shows the last source pixel; nothing spills out.
        EXPECT_EQ(dest.Pixel(z.ZoomRect.Right - 1, z.ZoomRect.Bottom - 1),
                  Numbered(c.sourceWidth - 1, c.sourceHeight - 1));
        EXPECT_EQ(dest.Pixel(z.ZoomRect.Right, z.ZoomRect.Bottom - 1), kBack);
        EXPECT_EQ(dest.Pixel(z.ZoomRect.Right - 1, z.ZoomRect.Bottom), kBack);
        EXPECT_EQ(dest.Pixel(z.ZoomRect.Left - 1, z.ZoomRect.Top), kBack);
    }
}

TEST(EnlargeInto, EmptySourceLeavesTheSquareAndPixelsKeepTheirAlpha)
{
    const TZoomSize z = ZoomSizeOf(TPMTSize::Medium);
    TBitmap32 dest(z.Width, z.Height);
    dest.Clear(kBack);
    EnlargeInto(dest, z.ZoomRect, TBitmap32());
    EnlargeInto(dest, z.ZoomRect, TBitmap32(0, 21));
    for (int y = 0; y < dest.Height(); ++y)
        for (int x = 0; x < dest.Width(); ++x) ASSERT_EQ(dest.Pixel(x, y), kBack);

    // Copied, not blended: a translucent source pixel lands as it is.
    TBitmap32 source(1, 1);
    source.Clear(0x40123456);
    EnlargeInto(dest, z.ZoomRect, source);
    EXPECT_EQ(dest.Pixel(50, 50), 0x40123456u);
}

TEST(EnlargeInto, ASquarePartlyOffTheSurfaceIsClipped)
{
    // 2 x 2 into a 20 x 20 square: each source pixel a 10 x 10 quarter.
    struct Case {
        TZoomRect rect;
        TColor32 topLeft;  // what dest (0, 0) shows
        int inkRight, inkBottom;
    };
    const Case cases[] = {
        {{-10, -10, 10, 10}, Numbered(1, 1), 10, 10},
        {{-15, 0, 5, 20}, Numbered(1, 0), 5, 12},
        {{0, 0, 20, 20}, Numbered(0, 0), 12, 12},
    };
    for (const Case& c : cases) {
        TBitmap32 dest(12, 12);
        dest.Clear(kBack);
        EnlargeInto(dest, c.rect, NumberedSource(2, 2));
        SCOPED_TRACE(std::to_string(c.rect.Left) + ", " + std::to_string(c.rect.Top));
        EXPECT_EQ(dest.Pixel(0, 0), c.topLeft);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool inSquare = x < c.inkRight && y < c.inkBottom;
                const int sx = (x - c.rect.Left) / 10, sy = (y - c.rect.Top) / 10;
                ASSERT_EQ(dest.Pixel(x, y), inSquare ? Numbered(sx, sy) : kBack) << x << ", " << y;
            }
    }
}

TEST(DrawCentreLines, CrossInTheTargetPixelsBlockAndStopShortOfTheEdge)
{
    // The target pixel alone is marked; the lines must cross on it, in the
    // very middle of its block wherever the enlargement is whole.
    constexpr TColor32 kTarget = 0xFFFF0000, kOther = 0xFF0000FF;
    for (const CaptureCase& c : kCaptureCases) {
        const TZoomSize z = ZoomSizeOf(c.size);
        const TZoomRect& r = z.ZoomRect;
        TBitmap32 source(c.side, c.side);
        source.Clear(kOther);
        source.SetPixelS(c.side / 2, c.side / 2, kTarget);
        TBitmap32 dest(z.Width, z.Height);
        dest.Clear(kBack);
        EnlargeInto(dest, r, source);
        int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (dest.Pixel(x, y) == kTarget) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }

        DrawCentreLines(dest, r, kAim);
        SCOPED_TRACE("side " + std::to_string(c.side) + " in " + std::to_string(r.Right - r.Left));
        int crossX = -1, crossY = -1;
        for (int y = r.Top; y < r.Bottom; ++y)
            if (dest.Pixel(r.Left, y) == kAim) crossY = y;
        for (int x = r.Left; x < r.Right; ++x)
            if (dest.Pixel(x, r.Top) == kAim) crossX = x;
        EXPECT_GE(crossX, left);
        EXPECT_LE(crossX, right);
        EXPECT_GE(crossY, top);
        EXPECT_LE(crossY, bottom);
        if ((r.Right - r.Left) % c.side == 0) {
            EXPECT_EQ(crossX - left, right - crossX);
            EXPECT_EQ(crossY - top, bottom - crossY);
        }
        // Whole lines across the square, and not one pixel beyond it.
        for (int x = r.Left; x < r.Right; ++x) EXPECT_EQ(dest.Pixel(x, crossY), kAim) << x;
        for (int y = r.Top; y < r.Bottom; ++y) EXPECT_EQ(dest.Pixel(crossX, y), kAim) << y;
        EXPECT_EQ(dest.Pixel(r.Left - 1, crossY), kBack);
        EXPECT_EQ(dest.Pixel(r.Right, crossY), kBack);
        EXPECT_EQ(dest.Pixel(crossX, r.Top - 1), kBack);
        EXPECT_EQ(dest.Pixel(crossX, r.Bottom), kBack);
    }
}

TEST(CrossHairImage, FourArmsRoundASeeThroughCentre)
{
    for (TColor32 aim : {clBlack32, clWhite32}) {
        const TBitmap32 image = CrossHairImage(aim);
        ASSERT_EQ(image.Width(), kCrossHairSize);
        ASSERT_EQ(image.Height(), kCrossHairSize);
        int armPixels = 0;
        for (int y = 0; y < kCrossHairSize; ++y)
            for (int x = 0; x < kCrossHairSize; ++x) {
                // On the centre row or column, and at least 2 from the target.
                const bool arm = (x == 5 && std::abs(y - 5) >= 2) || (y == 5 && std::abs(x - 5) >= 2);
                armPixels += arm;
                EXPECT_EQ(image.Pixel(x, y), arm ? aim : kCrossHairKey) << x << ", " << y;
            }
        EXPECT_EQ(armPixels, 16);
    }
    const TBitmap32 blank = CrossHairImage(0);
    for (int y = 0; y < kCrossHairSize; ++y)
        for (int x = 0; x < kCrossHairSize; ++x) EXPECT_EQ(blank.Pixel(x, y), kCrossHairKey);
}

TEST(NextAimColor, BlackFirstThenAlternating)
{
    TColor32 aim = 0;
    std::vector<TColor32> seen(4);
    for (TColor32& c : seen) c = aim = NextAimColor(aim);
    EXPECT_EQ(seen, (std::vector<TColor32>{clBlack32, clWhite32, clBlack32, clWhite32}));
}

TEST(CrossHairPosition, TargetTenPixelsBeyondEachCorner)
{
    const TWindowBounds zoom{100, 200, 185, 95};
    struct Case {
        int corner;
        TPoint target;
    };
    const Case cases[] = {
        {0, {90, 190}},
        {1, {100 + 185 + 9, 190}},
        {2, {100 + 185 + 9, 200 + 95 + 9}},
        {3, {90, 200 + 95 + 9}},
        // Four double-clicks come back round; counting backwards too.
        {4, {90, 190}},
        {5, {100 + 185 + 9, 190}},
        {-1, {90, 200 + 95 + 9}},
    };
    for (const Case& c : cases) {
        const TPoint cross = CrossHairPosition(c.corner, zoom);
        EXPECT_EQ(TargetOfCrossHair(cross), c.target) << c.corner << ": " << Str(TargetOfCrossHair(cross));
        // A gap of 4 pixels between the crosshair window and the magnifier.
        const int gapX =
            cross.X < zoom.Left ? zoom.Left - (cross.X + kCrossHairSize) : cross.X - (zoom.Left + zoom.Width);
        const int gapY =
            cross.Y < zoom.Top ? zoom.Top - (cross.Y + kCrossHairSize) : cross.Y - (zoom.Top + zoom.Height);
        EXPECT_EQ(gapX, 4) << c.corner;
        EXPECT_EQ(gapY, 4) << c.corner;
    }
}

struct ClampCase {
    int corner;
    TPoint wanted;
    TPoint expected;
};

TEST(ClampedZoomPosition, KeepsTheWindowAndItsTargetOnTheArea)
{
    const int w = 185, h = 95;
    const MonitorRect hd{0, 0, 1920, 1080};
    // Left of and above a primary monitor, as a second monitor often is.
    const MonitorRect neg{-1280, -200, 1280, 1024};
    struct AreaCases {
        MonitorRect area;
        std::vector<ClampCase> cases;
    };
    const AreaCases table[] = {
        {hd,
         {
             {0, {300, 400}, {300, 400}},     // inside: unchanged
             {0, {-50, -50}, {10, 10}},       // dragged against the top-left
             {0, {5000, 5000}, {1735, 985}},  // the far side only has to keep the window on
             {1, {5000, -50}, {1725, 10}},
             {1, {-50, 400}, {0, 400}},
             {2, {5000, 5000}, {1725, 975}},
             {2, {300, -50}, {300, 0}},
             {3, {-50, 5000}, {10, 975}},
             {7, {-50, 5000}, {10, 975}},  // corner 7 is corner 3
         }},
        {neg,
         {
             {0, {-2000, -900}, {-1270, -190}},
             {2, {500, 5000}, {-1280 + 1280 - w - 10, -200 + 1024 - h - 10}},
             {3, {-1279, -201}, {-1270, -200}},
         }},
        // Too narrow and too low for the window: the far side's rule, applied
        // last, wins.
        {{0, 0, 150, 80},
         {
             {0, {0, 0}, {150 - w, 80 - h}},
             {2, {0, 0}, {0, 0}},
         }},
    };
    for (const AreaCases& t : table)
        for (const ClampCase& c : t.cases) {
            const TPoint p = ClampedZoomPosition(c.corner, c.wanted, w, h, t.area);
            EXPECT_EQ(p, c.expected) << "corner " << c.corner << " wanted " << Str(c.wanted) << " got " << Str(p);
        }
}

TEST(ClampedZoomPosition, DraggedAnywhereTheTargetStaysOnTheArea)
{
    const MonitorRect areas[] = {{0, 0, 1920, 1080}, {-1280, -200, 1280, 1024}};
    const int w = 225, h = 135;
    for (const MonitorRect& a : areas)
        for (int corner = 0; corner < 4; ++corner)
            for (int x = a.Left - 3000; x <= a.Left + a.Width + 3000; x += 97)
                for (int y = a.Top - 3000; y <= a.Top + a.Height + 3000; y += 89) {
                    const TPoint p = ClampedZoomPosition(corner, {x, y}, w, h, a);
                    const TPoint t = TargetOfCrossHair(CrossHairPosition(corner, {p.X, p.Y, w, h}));
                    ASSERT_TRUE(p.X >= a.Left && p.X + w <= a.Left + a.Width && p.Y >= a.Top &&
                                p.Y + h <= a.Top + a.Height)
                        << corner << " " << Str({x, y}) << " -> " << Str(p);
                    ASSERT_TRUE(t.X >= a.Left && t.X < a.Left + a.Width && t.Y >= a.Top && t.Y < a.Top + a.Height)
                        << corner << " " << Str({x, y}) << " target " << Str(t);
                }

    // Against the left edge with the target top-left, the target sits on the
    // area's first column.
    for (const MonitorRect& a : areas) {
        const TPoint p = ClampedZoomPosition(0, {a.Left - 40, a.Top + 300}, w, h, a);
        EXPECT_EQ(p.X, a.Left + 10);
        EXPECT_EQ(TargetOfCrossHair(CrossHairPosition(0, {p.X, p.Y, w, h})).X, a.Left);
    }
}

TEST(LockedZoomPosition, CentredAcrossTheRulerKeepingItsPlaceAlongIt)
{
    struct Case {
        bool rotate;
        TWindowBounds ruler, zoom;
        TPoint expected;
    };
    const Case cases[] = {
        // 400 + 60 div 2 - 95 div 2
        {false, {100, 400, 1440, 60}, {700, 900, 185, 95}, {700, 383}},
        {false, {-1280, -100, 960, 60}, {-900, 0, 225, 135}, {-900, -100 + 30 - 67}},
        {true, {300, 0, 60, 810}, {700, 250, 205, 115}, {300 + 30 - 102, 250}},
        {true, {-61, 0, 60, 810}, {0, -40, 185, 95}, {-61 + 30 - 92, -40}},
    };
    for (const Case& c : cases) {
        const TPoint p = LockedZoomPosition(c.rotate, c.ruler, c.zoom);
        EXPECT_EQ(p, c.expected) << Str(p);
    }
}

TEST(ZoomDragTarget, ALockedMagnifierSlidesOnlyAlongTheRuler)
{
    const TWindowBounds zoom{100, 200, 185, 95};
    const TPoint pointer{500, 300}, grab{20, 10};
    struct Case {
        bool locked, rotate;
        TPoint expected;
    };
    const Case cases[] = {
        {false, false, {480, 290}},
        {false, true, {480, 290}},
        {true, false, {480, 200}},
        {true, true, {100, 290}},
    };
    for (const Case& c : cases) {
        RulerState s;
        s.PMTLocked = c.locked;
        s.Rotate = c.rotate;
        EXPECT_EQ(ZoomDragTarget(s, pointer, grab, zoom), c.expected) << c.locked << c.rotate;
    }
}

TEST(ZoomNudgeTarget, TheRulersStepsAlongTheRulerWhileLocked)
{
    const TWindowBounds zoom{100, 200, 185, 95};
    const TModifiers none{}, shift{true, false, false}, ctrl{false, true, false}, alt{false, false, true},
        shiftCtrl{true, true, false};
    struct Case {
        bool locked, rotate;
        TArrowKey key;
        TModifiers mods;
        TPoint expected;
    };
    const Case cases[] = {
        {false, false, TArrowKey::Up, ctrl, {100, 190}},
        {false, false, TArrowKey::Left, alt, {80, 200}},
        {false, false, TArrowKey::Right, shiftCtrl, {101, 200}},  // two modifiers: a plain step
        {false, true, TArrowKey::Down, shift, {100, 205}},
        // Locked to a horizontal ruler: up and down stay put, left and right move.
        {true, false, TArrowKey::Up, none, {100, 200}},
        {true, false, TArrowKey::Down, ctrl, {100, 200}},
        {true, false, TArrowKey::Left, none, {99, 200}},
        {true, false, TArrowKey::Right, alt, {120, 200}},
        // Locked to a vertical ruler: the other way round.
        {true, true, TArrowKey::Left, shift, {100, 200}},
        {true, true, TArrowKey::Down, shift, {100, 205}},
        // Any other key still gives the position, so the clamps are re-applied.
        {true, false, TArrowKey::None, shift, {100, 200}},
    };
    for (const Case& c : cases) {
        RulerState s;
        s.PMTLocked = c.locked;
        s.Rotate = c.rotate;
        const auto p = ZoomNudgeTarget(s, false, c.key, c.mods, zoom);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(*p, c.expected) << c.locked << c.rotate << static_cast<int>(c.key) << " got " << Str(*p);
    }

    RulerState s;
    EXPECT_EQ(ZoomNudgeTarget(s, true, TArrowKey::Right, none, zoom), std::nullopt);
    s.StickToMouse = true;
    EXPECT_EQ(ZoomNudgeTarget(s, false, TArrowKey::Right, none, zoom), std::nullopt);
    EXPECT_EQ(ZoomNudgeTarget(s, false, TArrowKey::None, none, zoom), std::nullopt);
}

struct ReadOutCase {
    TPoint own, twin;
    double pixelsPerUnit;
    std::u16string unit;
    char16_t separator;
    std::array<std::u16string, 6> expected;
};

TEST(ReadOutValues, CoordinatesDistancesAndAngle)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ReadOutCase cases[] = {
        {{100, 200}, {400, 600}, 1, u"px", u'.', {u"100", u"200", u"300 px", u"400 px", u"500 px", u"53.1°"}},
        // Both read-outs show the same distances.
        {{400, 600}, {100, 200}, 1, u"px", u'.', {u"400", u"600", u"300 px", u"400 px", u"500 px", u"53.1°"}},
        // Inches at 100 dpi.
        {{100, 200}, {400, 600}, 100, u"in", u'.', {u"100", u"200", u"3.000 in", u"4.000 in", u"5.000 in", u"53.1°"}},
        {{7, 7}, {7, 7}, 1, u"px", u'.', {u"7", u"7", u"0 px", u"0 px", u"0 px", u"90.0°"}},
        {{7, 7}, {7, 7}, 100, u"in", u'.', {u"7", u"7", u"0.000 in", u"0.000 in", u"0.000 in", u"90.0°"}},
        {{-1280, -5}, {-980, -205}, 1, u"px", u'.', {u"-1280", u"-5", u"300 px", u"200 px", u"361 px", u"33.7°"}},
        {{0, 10}, {250, 10}, 1, u"px", u'.', {u"0", u"10", u"250 px", u"0 px", u"250 px", u"0.0°"}},
        // 40 pixels a centimetre, written with a decimal comma.
        {{0, 0}, {300, 400}, 40, u"cm", u',', {u"0", u"0", u"7,500 cm", u"10,00 cm", u"12,50 cm", u"53,1°"}},
        // D is taken from the unrounded dX and dY: sqrt(0.1^2 + 0.1^2).
        {{0, 0}, {1, 1}, 10, u"cm", u'.', {u"0", u"0", u"0.100 cm", u"0.100 cm", u"0.141 cm", u"45.0°"}},
        // As far apart as targets can be: no overflow.
        {{INT_MIN, 0},
         {INT_MAX, 0},
         1,
         u"px",
         u'.',
         {u"-2147483648", u"0", u"4294967295 px", u"0 px", u"4294967295 px", u"0.0°"}},
        // A unit of no usable size shows no distances, and still the angle.
        {{100, 200}, {400, 600}, 0, u"cm", u'.', {u"100", u"200", u"0.000 cm", u"0.000 cm", u"0.000 cm", u"53.1°"}},
        {{100, 200}, {400, 600}, nan, u"cm", u'.', {u"100", u"200", u"0.000 cm", u"0.000 cm", u"0.000 cm", u"53.1°"}},
        {{100, 200}, {400, 600}, inf, u"px", u'.', {u"100", u"200", u"0 px", u"0 px", u"0 px", u"53.1°"}},
        {{100, 200}, {400, 600}, -2, u"cm", u'.', {u"100", u"200", u"0.000 cm", u"0.000 cm", u"0.000 cm", u"53.1°"}},
        {{100, 200}, {100, 600}, 0, u"cm", u'.', {u"100", u"200", u"0.000 cm", u"0.000 cm", u"0.000 cm", u"90.0°"}},
    };
    for (const ReadOutCase& c : cases) {
        const auto values = ReadOutValues(c.own, c.twin, c.pixelsPerUnit, c.unit, c.separator);
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i], c.expected[i]) << Str(c.own) << " to " << Str(c.twin) << " at " << c.pixelsPerUnit
                                                << ": value " << i << " is " << Narrow(values[i]);
    }
}

TEST(FormatDistance, DecimalsBySizeWholePixels)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        std::u16string unit;
        char16_t separator;
        std::u16string expected;
    };
    const Case cases[] = {
        {12, u"px", u'.', u"12 px"},
        {12.4, u"px", u'.', u"12 px"},
        {12.6, u"px", u'.', u"13 px"},
        {1234.4, u"cm", u'.', u"1234 cm"},
        {123.44, u"km", u'.', u"123.4 km"},
        {12.349, u"in", u'.', u"12.35 in"},
        {0.254, u"in", u'.', u"0.254 in"},
        {0.254, u"in", u',', u"0,254 in"},
        {123.44, u"km", u',', u"123,4 km"},
        // The decimals follow the value before it is rounded.
        {9.9995, u"in", u'.', u"9.999 in"},  // just below the half in binary
        {9.9996, u"in", u'.', u"10.000 in"},
        {10, u"in", u'.', u"10.00 in"},
        {99.99, u"in", u'.', u"99.99 in"},
        {99.996, u"in", u'.', u"100.00 in"},
        {100, u"in", u'.', u"100.0 in"},
        {999.95, u"in", u'.', u"1000.0 in"},  // just above the half in binary
        {1000, u"in", u'.', u"1000 in"},
        {1e6, u"mm", u'.', u"1000000 mm"},
        // Only exactly "px" means pixels.
        {12, u"PX", u'.', u"12.00 PX"},
        {12, u"px ", u'.', u"12.00 px "},
        {12, u"", u'.', u"12.00 "},
        // A value that is no number reads as zero.
        {nan, u"px", u'.', u"0 px"},
        {inf, u"cm", u',', u"0,000 cm"},
        {-inf, u"cm", u'.', u"0.000 cm"},
    };
    for (const Case& c : cases) {
        const std::u16string text = FormatDistance(c.value, c.unit, c.separator);
        EXPECT_EQ(text, c.expected) << c.value << " gave " << Narrow(text);
    }
}

TEST(FormatAngle, OneDecimalAndNinetyForAVerticalLine)
{
    struct Case {
        double dx, dy;
        char16_t separator;
        std::u16string expected;
    };
    const Case cases[] = {
        {0, 0, u'.', u"90.0°"}, {0, 5, u'.', u"90.0°"}, {3, 4, u'.', u"53.1°"},    {3, 2, u'.', u"33.7°"},
        {5, 0, u'.', u"0.0°"},  {1, 1, u',', u"45,0°"}, {1e-9, 1, u'.', u"90.0°"}, {4, 3, u'.', u"36.9°"},
    };
    for (const Case& c : cases) {
        const std::u16string text = FormatAngle(c.dx, c.dy, c.separator);
        EXPECT_EQ(text, c.expected) << c.dx << ", " << c.dy << " gave " << Narrow(text);
    }
}

// Which copies of the read-out's texts cover a layer pixel.
struct Ink {
    bool dark = false;
    bool light = false;
};

TEST(DrawReadOut, LabelsAndValuesEmbossedInSixRows)
{
    constexpr TColor32 kHighlight = 0xFFFF6060;
    const std::array<std::u16string, 6> values = {u"-1280", u"5", u"12.35 in", u"0 px", u"1234", u"53.1°"};
    const std::u16string labels[6] = {u"X:", u"Y:", u"dX:", u"dY:", u"D:", u"a:"};
    struct Case {
        TPMTSize size;
        int rows[6];
    };
    const Case cases[] = {
        {TPMTSize::Small, {5, 19, 33, 47, 61, 75}},
        {TPMTSize::Medium, {8, 25, 42, 59, 76, 93}},
        {TPMTSize::Large, {10, 29, 48, 67, 86, 105}},
    };
    for (const Case& c : cases) {
        const TZoomSize z = ZoomSizeOf(c.size);
        FixedTextRasterizer fixed;
        TBitmap32 layer(z.Width, z.Height);
        layer.SetTextRasterizer(&fixed);
        SelectRulerFont(layer);
        layer.Clear(0xFF00FF00);  // whatever the layer held before is cleared away
        DrawReadOut(layer, z.Height, z.ZoomRect, values, kHighlight);

        // Where the fixed glyph boxes fall: each text dark at its place and
        // light one pixel right and down.
        std::vector<Ink> ink(static_cast<std::size_t>(z.Width * z.Height));
        const auto mark = [&](int x0, int y0, const std::u16string& text) {
            for (int y = 0; y < FTR::kCellHeight + 1; ++y)
                for (int x = 0; x < FTR::kAdvance * static_cast<int>(text.size()) + 1; ++x) {
                    const int px = x0 + x, py = y0 + y;
                    if (px >= z.Width || py >= z.Height) continue;
                    Ink& i = ink[static_cast<std::size_t>(py) * static_cast<std::size_t>(z.Width) +
                                 static_cast<std::size_t>(px)];
                    i.dark = i.dark || FTR::Covers(text, x, y);
                    i.light = i.light || FTR::Covers(text, x - 1, y - 1);
                }
        };
        for (int k = 0; k < 6; ++k) {
            mark(z.ZoomRect.Right + 7, c.rows[k], labels[k]);
            mark(z.ZoomRect.Right + 30, c.rows[k], values[static_cast<std::size_t>(k)]);
        }

        const TColor32 dark = TextDarkColor(), light = TextLightColor(kHighlight);
        const TColor32 darkOverLight = MergeColor32(dark, light, 255);
        int errors = 0;
        for (int y = 0; y < z.Height && errors < 5; ++y)
            for (int x = 0; x < z.Width && errors < 5; ++x) {
                const Ink i =
                    ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(z.Width) + static_cast<std::size_t>(x)];
                const TColor32 expected = i.dark && i.light ? darkOverLight : i.dark ? dark : i.light ? light : 0;
                if (layer.Pixel(x, y) != expected) {
                    ++errors;
                    ADD_FAILURE() << "size " << static_cast<int>(c.size) << " pixel " << x << ", " << y;
                }
            }
    }
}

TEST(PaintZoomBackground, ShadedLikeAHorizontalRulerWithTwoFrames)
{
    const ColorScheme scheme{0xFFFF6060, 0xFF800000};
    const TColor32 middle = DarkenColor(scheme.Highlight, 15);
    for (TPMTSize size : {TPMTSize::Small, TPMTSize::Large}) {
        const TZoomSize z = ZoomSizeOf(size);
        const TZoomRect& r = z.ZoomRect;
        TBitmap32 plain(z.Width, z.Height), embossed(z.Width, z.Height);
        PaintZoomBackground(plain, r, scheme, false);
        PaintZoomBackground(embossed, r, scheme, true);

        // Bands across: each row one colour, the shadow at the edges and the
        // lighter colour in the middle.
        for (int y = 0; y < z.Height; ++y)
            for (int x = 1; x < z.Width; ++x) ASSERT_EQ(plain.Pixel(x, y), plain.Pixel(0, y)) << x << ", " << y;
        EXPECT_EQ(plain.Pixel(0, 0), scheme.Shadow);
        EXPECT_EQ(plain.Pixel(0, z.Height - 1), scheme.Shadow);
        EXPECT_EQ(plain.Pixel(0, z.Height / 2), middle);

        const int midY = z.Height / 2;
        // Raised round the window: lit top-left, black bottom-right.
        EXPECT_EQ(embossed.Pixel(0, midY), scheme.Highlight);
        EXPECT_EQ(embossed.Pixel(z.Width - 1, midY), clBlack32);
        // Sunken round the square: black top-left, lit bottom-right, two
        // rings just outside it.
        EXPECT_EQ(embossed.Pixel(r.Left - 2, midY), clBlack32);
        EXPECT_EQ(embossed.Pixel(r.Right + 1, midY), scheme.Highlight);
        EXPECT_NE(embossed.Pixel(r.Left - 1, midY), plain.Pixel(r.Left - 1, midY));
        EXPECT_NE(embossed.Pixel(r.Right, midY), plain.Pixel(r.Right, midY));
        // Between the frames and inside the square the shading is untouched.
        for (int x : {2, r.Left - 3, r.Left, r.Right - 1, r.Right + 2, z.Width - 3})
            EXPECT_EQ(embossed.Pixel(x, midY), plain.Pixel(x, midY)) << x;
    }
}

}  // namespace
