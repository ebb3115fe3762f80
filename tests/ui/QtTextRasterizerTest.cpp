#include "platform/QtTextRasterizer.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontInfo>

#include "draw/Bitmap32.h"
#include "draw/CommonFunctions.h"

namespace {

TEST(QtTextRasterizer, ResolvesTahomaOnAMachineWithWineFonts)
{
    if (!QFileInfo::exists(QString::fromLatin1(kWineTahomaBold))) GTEST_SKIP() << "fonts-wine is not installed";
    QtTextRasterizer r;
    EXPECT_EQ(r.TahomaFamily(), QStringLiteral("Tahoma"));
}

TEST(QtTextRasterizer, MeasuresAndDrawsTheSameCell)
{
    QtTextRasterizer r;
    const TFont32 font;
    const int w = r.TextWidth(font, u"1234567890");
    const int h = r.TextHeight(font, u"1234567890");
    EXPECT_GT(w, 40);
    EXPECT_GE(h, 14);
    EXPECT_LE(h, 20);
    EXPECT_EQ(r.TextWidth(font, u"12") * 2, r.TextWidth(font, u"1212"));

    const TTextCoverage cov = r.Render(font, u"88");
    EXPECT_EQ(cov.Width, r.TextWidth(font, u"88"));
    EXPECT_EQ(cov.Height, h);
    int covered = 0;
    for (auto c : cov.Covered) covered += c != 0;
    EXPECT_GT(covered, 20);
    EXPECT_LT(covered, cov.Width * cov.Height / 2);

    const TTextCoverage blank = r.Render(font, u"   ");
    for (auto c : blank.Covered) EXPECT_EQ(c, 0);
}

TEST(QtTextRasterizer, TextOnTheSurfaceHasNoInBetweenShades)
{
    QtTextRasterizer r;
    TBitmap32 b(80, 20);
    b.SetTextRasterizer(&r);
    b.Clear(0xFFFFFFFF);
    SelectRulerFont(b);
    b.RenderText(2, 2, u"300 dpi", 0, 0xFF000000);
    int black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) {
            const TColor32 p = b.Pixel(x, y);
            EXPECT_TRUE(p == 0xFF000000u || p == 0xFFFFFFFFu) << x << "," << y;
            black += p == 0xFF000000u;
        }
    EXPECT_GT(black, 40);
}

}  // namespace

#include "ruler/ScalePainter.h"

namespace {

// The scale's numbers in the real face: embossed dark text just below the
// top edge's long marks, centred on their marks, and none in the room kept
// for the logo.
TEST(QtTextRasterizer, ScaleNumbersShowInTheRulersFace)
{
    QtTextRasterizer r;
    SetDefaultTextRasterizer(&r);
    RulerState s;
    s.Scale = true;
    SetResParams(s);  // pixels: a number every 100 pixels
    SetColor(s);
    TBitmap32 surface(640, 60);
    surface.SetTextRasterizer(&r);
    DrawGradient(surface, s.CurrentScheme.Shadow, DarkenColor(s.CurrentScheme.Highlight, 15), false);
    TBitmap32 bare = surface;
    DrawScale(surface, s, u'.');
    SetDefaultTextRasterizer(nullptr);

    const auto inkAround = [&](int centre) {
        int ink = 0;
        for (int y = 17; y < 40; ++y)
            for (int x = centre - 14; x <= centre + 14; ++x)
                ink += surface.Pixel(x, y) != bare.Pixel(x, y) && surface.Pixel(x, y) != s.CurrentScheme.Highlight;
        return ink;
    };
    for (int n = 0; n <= 4; ++n) EXPECT_GT(inkAround(20 + 100 * n), 10) << n * 100;
    EXPECT_EQ(inkAround(520), 0);
    EXPECT_EQ(inkAround(620), 0);
    // Nothing of a number reaches into the long marks' rows.
    for (int x = 0; x < 640; ++x)
        for (int y = 0; y < 16; ++y)
            if (surface.Pixel(x, y) != bare.Pixel(x, y)) {
                EXPECT_TRUE(x % 10 == 0 || x % 10 == 9) << x << "," << y;
            }
}

}  // namespace
