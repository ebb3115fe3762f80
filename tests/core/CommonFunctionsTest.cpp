#include "draw/CommonFunctions.h"

#include <gtest/gtest.h>

namespace {

TEST(DrawGradient, RowsOfSixteenBySixteenGreyToWhite)
{
    TBitmap32 b(16, 16);
    DrawGradient(b, 0xFF808080, 0xFFFFFFFF, false);
    // v = 128 - trunc(t * (128 - 255) / 8), mirrored.
    const TColor32 rows[8] = {0xFF808080, 0xFF8F8F8F, 0xFF9F9F9F, 0xFFAFAFAF,
                              0xFFBFBFBF, 0xFFCFCFCF, 0xFFDFDFDF, 0xFFFFFFFF};
    for (int t = 0; t < 8; ++t)
        for (int x : {0, 7, 15}) {
            EXPECT_EQ(b.Pixel(x, t), rows[t]) << "row " << t;
            EXPECT_EQ(b.Pixel(x, 15 - t), rows[t]) << "row " << 15 - t;
        }
}

TEST(DrawGradient, VerticalShadesColumnsAndWritesOpaquePixelsOnly)
{
    TBitmap32 b(9, 3);
    b.Clear(0);
    DrawGradient(b, 0x10000000, 0x2000FF00, true);
    // half = 4: columns 0 and 8 the edge colour, column 4 the centre.
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(b.Pixel(0, y), 0xFF000000u);
        EXPECT_EQ(b.Pixel(8, y), 0xFF000000u);
        EXPECT_EQ(b.Pixel(1, y), 0xFF003F00u);  // 0 - trunc(1 * -255 / 4)
        EXPECT_EQ(b.Pixel(4, y), 0xFF00FF00u);
        for (int x = 0; x < 9; ++x) EXPECT_EQ(AlphaComponent(b.Pixel(x, y)), 255);
    }
}

TEST(DrawGradient, OddSizesAndASingleLine)
{
    TBitmap32 odd(2, 5);
    DrawGradient(odd, 0xFF000000, 0xFF646464, false);  // half = 2
    EXPECT_EQ(odd.Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(odd.Pixel(0, 1), 0xFF323232u);
    EXPECT_EQ(odd.Pixel(0, 2), 0xFF646464u);
    EXPECT_EQ(odd.Pixel(0, 4), 0xFF000000u);

    TBitmap32 line(3, 1);
    DrawGradient(line, 0xFF102030, 0xFFFFFFFF, false);
    EXPECT_EQ(line.Pixel(1, 0), 0xFF102030u);
}

TEST(DrawBevel, CornersOnOneHundredBySixty)
{
    TBitmap32 b(100, 60);
    b.Clear(0xFF808080);
    DrawBevel(b, 0, 0, 100, 60, 5, 0xFFFFFFFF, false);
    EXPECT_EQ(b.Pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(b.Pixel(99, 59), 0xFF000000u);
    EXPECT_EQ(b.Pixel(99, 0), 0xFF808080u);
    EXPECT_EQ(b.Pixel(0, 59), 0xFF808080u);
    // Ring 1: factor 0.8 toward white on the top and left, toward black on
    // the bottom and right.
    EXPECT_EQ(b.Pixel(50, 1), Color32(128 + 101, 128 + 101, 128 + 101));
    EXPECT_EQ(b.Pixel(1, 30), Color32(229, 229, 229));
    EXPECT_EQ(b.Pixel(50, 58), Color32(128 - 102, 128 - 102, 128 - 102));
    EXPECT_EQ(b.Pixel(98, 30), Color32(26, 26, 26));
    // Each ring's own top-right and bottom-left corners stay untouched.
    EXPECT_EQ(b.Pixel(98, 1), 0xFF808080u);
    EXPECT_EQ(b.Pixel(1, 58), 0xFF808080u);
    // Inside the rings nothing changes.
    EXPECT_EQ(b.Pixel(5, 5), 0xFF808080u);
    EXPECT_EQ(b.Pixel(50, 30), 0xFF808080u);
}

TEST(DrawBevel, InvertedIsSunkenAndRingsOutsideTheSurfaceAreDropped)
{
    TBitmap32 b(10, 6);
    b.Clear(0xFF808080);
    DrawBevel(b, 0, 0, 10, 6, 1, 0xFFFFFFFF, true);
    EXPECT_EQ(b.Pixel(3, 0), 0xFF000000u);
    EXPECT_EQ(b.Pixel(3, 5), 0xFFFFFFFFu);
    EXPECT_EQ(b.Pixel(0, 3), 0xFF000000u);
    EXPECT_EQ(b.Pixel(9, 3), 0xFFFFFFFFu);

    // Ring 0 lies wholly outside; ring 1 (factor 0.5) is the surface's edge.
    TBitmap32 small(4, 4);
    small.Clear(0xFF404040);
    small.OuterColor = 0xFF000000;
    DrawBevel(small, -1, -1, 5, 5, 2, 0xFFFFFFFF, false);
    EXPECT_EQ(small.Pixel(0, 0), Color32(0x40 + (255 - 0x40) / 2, 0x40 + (255 - 0x40) / 2, 0x40 + (255 - 0x40) / 2));
}

struct ShadeCase {
    TColor32 p, c;
    double f;
    TColor32 expected;
};

TEST(ShadeColor, Table)
{
    const ShadeCase cases[] = {
        {0x80102030, 0x00AABBCC, 1, 0xFFAABBCC},
        {0x80102030, 0x00AABBCC, 2, 0xFFAABBCC},
        {0x80102030, 0x00AABBCC, -1, 0xFF000000},
        {0x80102030, 0x00AABBCC, -5, 0xFF000000},
        {0x80102030, 0x00AABBCC, 0, 0xFF102030},
        {0xFF646464, 0xFFFFFFFF, 0.5, Color32(100 + 77, 100 + 77, 100 + 77)},
        {0xFF646464, 0xFFFFFFFF, -0.25, Color32(75, 75, 75)},
        {0xFFFF0000, 0xFF0000FF, 0.5, Color32(128, 0, 127)},
    };
    for (const ShadeCase& c : cases) EXPECT_EQ(ShadeColor(c.p, c.c, c.f), c.expected) << c.f;
}

TEST(DarkenColor, Table)
{
    const std::tuple<TColor32, int, TColor32> cases[] = {
        {0xFFFFFFFF, 15, 0xFFD8D8D8}, {0xFF123456, 100, 0xFF000000}, {0xFF123456, 250, 0xFF000000},
        {0x80102030, 0, 0xFF102030},  {0x80102030, -7, 0xFF102030},  {0xFFC86432, 50, 0xFF643219},
    };
    for (auto [c, percent, expected] : cases) EXPECT_EQ(DarkenColor(c, percent), expected) << percent;
}

TEST(TextColors, LightKeepsTheColourAtAlphaA0AndDarkIsTranslucentBlack)
{
    EXPECT_EQ(TextLightColor(0xFFFF6060), 0xA0FF6060u);
    EXPECT_EQ(TextLightColor(0x10FFFFFF), 0x00FFFFFFu);
    EXPECT_EQ(TextDarkColor(), 0xA0000000u);
}

}  // namespace
