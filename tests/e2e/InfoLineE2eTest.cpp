// The information line on screen: over a background whose every pixel is
// known, the line shows the pointer's co-ordinates and the colour under it,
// drawn as the program's own face draws it, and follows the pointer.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "ProgramFixture.h"
#include "platform/QtTextRasterizer.h"
#include "ruler/InfoLine.h"
#include "ruler/ScalePainter.h"

namespace {

using namespace std::chrono_literals;

TColor32 Tile(int x, int y)
{
    return Color32(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x5A);
}

class InfoLineE2e : public ProgramE2e {};

TEST_F(InfoLineE2e, ShowsThePointerAndTheColourUnderIt)
{
    // The face the program draws with needs a Qt application; this one never
    // shows anything, and goes before the test ends, after the face.
    int argc = 3;
    char name[] = "e2e", option[] = "-platform", platform[] = "offscreen";
    char* argv[] = {name, option, platform, nullptr};
    QGuiApplication gui(argc, argv);
    QtTextRasterizer face;
    ASSERT_EQ(x.Error(), "");
    ASSERT_TRUE(x.SetBackground(Tile));
    WriteSettings("[Display]\r\nTransparency=0%\r\n");
    Start();

    // What the opaque ruler must show at the left of its top half for the
    // pointer at p: its own picture with the line over it.
    RulerState s;
    s.Transparency = TTransparency::Opaque;
    SetResParams(s, TLanguageTable{});
    SetColor(s);
    const auto expected = [&](TPoint p) {
        TRulerPicture picture(face);
        picture.Resize(at.Width, at.Height);
        PaintRulerPicture(picture, s, u'.');
        const TColor32 under = Tile(p.X % 256, p.Y % 256);
        DrawInfoLine(picture.InfoLayer.Bitmap, ComposeInfoLine(s, TLanguageTable{}, p, under, {}), s);
        return picture.RulerImage.Composite();
    };
    const auto matches = [&](TPoint p) {
        const TBitmap32 want = expected(p);
        const TBitmap32 shot = x.Screenshot(at.X, at.Y, 560, at.Height);
        for (int y = 30; y < 56; ++y)
            for (int px = 0; px < 560; ++px)
                if (shot.Pixel(px, y) != Opaque(want.Pixel(px, y))) return false;
        return true;
    };
    for (const TPoint p : {TPoint{500, 300}, TPoint{1234, 877}}) {
        ASSERT_TRUE(x.Xdotool({"mousemove", std::to_string(p.X), std::to_string(p.Y)}));
        EXPECT_TRUE(x.WaitFor([&] { return matches(p); }, 2s)) << "the line for " << p.X << ", " << p.Y;
    }
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "information-line.png");
}

}  // namespace
