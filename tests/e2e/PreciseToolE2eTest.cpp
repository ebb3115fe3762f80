// The precise measuring tool on a private X server: its four windows, what
// the magnifiers show of a known screen, the blinking crosshairs, the lock to
// the ruler, and its options in the settings file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QGuiApplication>

#include "ProgramFixture.h"
#include "draw/CommonFunctions.h"
#include "draw/Image32.h"
#include "platform/QtTextRasterizer.h"
#include "precise/Zoom.h"

namespace {

using namespace std::chrono_literals;

// Each pixel of the background tile tells its place in the tile.
TColor32 Tile(int x, int y)
{
    return Color32(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x5A);
}
TColor32 Background(int x, int y)
{
    return Tile(((x % 256) + 256) % 256, ((y % 256) + 256) % 256);
}

using Window = std::pair<unsigned long, TWindowGeometry>;

class PreciseToolE2e : public ProgramE2e {
protected:
    // The program's windows, bottom first.
    std::vector<Window> Shown() { return x.ShownTopLevels("scalio"); }
    std::vector<Window> OfSize(int width, int height)
    {
        std::vector<Window> found = Shown();
        std::erase_if(found, [&](const Window& w) { return w.second.Width != width || w.second.Height != height; });
        return found;
    }
    // Shows the tool with Ctrl+P and waits for its four windows: the
    // crosshairs come on the first blink.
    void ShowTool()
    {
        Keys({"ctrl+p"});
        ASSERT_TRUE(x.WaitFor([&] { return Shown().size() == 5; }, 5s)) << Shown().size() << " windows";
    }
    // Drags the top magnifier by its image so that it lands at (left, top).
    TWindowGeometry DragTopMagnifier(int left, int top)
    {
        const TWindowGeometry from = OfSize(185, 95).back().second;
        EXPECT_TRUE(
            x.Xdotool({"mousemove", std::to_string(from.X + 40), std::to_string(from.Y + 40), "mousedown", "1"}));
        EXPECT_TRUE(x.Xdotool({"mousemove", std::to_string(left + 20), std::to_string(top + 20)}));
        EXPECT_TRUE(x.Xdotool({"mousemove", std::to_string(left + 40), std::to_string(top + 40), "mouseup", "1"}));
        const unsigned long id = OfSize(185, 95).back().first;
        return x
            .WaitForGeometry(
                id, [&](const TWindowGeometry& g) { return g.X == left && g.Y == top; }, 5s)
            .value_or(from);
    }
};

TEST_F(PreciseToolE2e, CtrlPShowsFourWindowsInTheirOrderAndHidesThem)
{
    Start();
    ClickRuler();
    ShowTool();
    const std::vector<Window> all = Shown();
    // From the bottom: ruler, magnifier, its crosshair, magnifier, its crosshair.
    std::vector<std::pair<int, int>> sizes;
    sizes.reserve(all.size());
    for (const Window& w : all) sizes.emplace_back(w.second.Width, w.second.Height);
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{1440, 60}, {185, 95}, {11, 11}, {185, 95}, {11, 11}}));
    for (std::size_t i : {1u, 3u}) {
        const TWindowGeometry& zoom = all[i].second;
        // First shown centred over the ruler; the target off the top-left corner.
        EXPECT_EQ(zoom, (TWindowGeometry{240 + 720 - 92, 510 + 30 - 47, 185, 95}));
        EXPECT_EQ(all[i + 1].second, (TWindowGeometry{zoom.X - 15, zoom.Y - 15, 11, 11}));
    }
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "precise-tool-shown.png");
    Keys({"ctrl+p"});
    EXPECT_TRUE(x.WaitFor([&] { return Shown().size() == 1; }, 5s)) << Shown().size() << " windows";
}

// Over a known screen: each of the 17 x 17 pixels round the target as a
// 5 x 5 block, then at 15 X each of 5 x 5 as a 17 x 17 block; the crosshair
// blinks black and white and leaves the target pixel itself in sight.
TEST_F(PreciseToolE2e, TheMagnifierEnlargesTheScreenRoundItsTarget)
{
    ASSERT_EQ(x.Error(), "");
    ASSERT_TRUE(x.SetBackground(Tile));
    Start();
    ClickRuler();
    ShowTool();
    const TWindowGeometry zoom = DragTopMagnifier(1300, 200);
    ASSERT_EQ(zoom.X, 1300);
    const int tx = zoom.X - 10, ty = zoom.Y - 10;
    // A source pixel the screen shows as it is: not an arm of the crosshair
    // (its see-through centre leaves the target pixel itself in sight).
    const auto plain = [](int dx, int dy) {
        const bool arm =
            (dx == 0 && std::abs(dy) >= 2 && std::abs(dy) <= 5) || (dy == 0 && std::abs(dx) >= 2 && std::abs(dx) <= 5);
        return !arm;
    };
    const auto showsBlocks = [&](int half, int block, std::string* why) {
        const TBitmap32 square = x.Screenshot(zoom.X + 5, zoom.Y + 5, 85, 85);
        for (int j = 0; j < 85; ++j)
            for (int i = 0; i < 85; ++i) {
                if (i == 42 || j == 42) continue;  // the centre lines
                const int dx = i / block - half, dy = j / block - half;
                if (!plain(dx, dy)) continue;
                if (square.Pixel(i, j) != Opaque(Background(tx + dx, ty + dy))) {
                    if (why) *why = "pixel " + std::to_string(i) + "," + std::to_string(j);
                    return false;
                }
            }
        return true;
    };
    std::string why;
    EXPECT_TRUE(x.WaitFor([&] { return showsBlocks(8, 5, nullptr); }, 2s) || (showsBlocks(8, 5, &why), false)) << why;
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "precise-tool-5x.png");

    RulerState now;
    now.PMTShow = true;
    ChooseMenuItem({TMenuId::menuZoom15X}, now);
    EXPECT_TRUE(x.WaitFor([&] { return showsBlocks(2, 17, nullptr); }, 2s) || (showsBlocks(2, 17, &why), false)) << why;

    // The crosshair's arms blink; its centre pixel is the screen's.
    const TWindowGeometry cross = OfSize(11, 11).back().second;
    const auto arm = [&] { return x.Screenshot(cross.X + 5, cross.Y, 1, 1).Pixel(0, 0); };
    EXPECT_TRUE(x.WaitFor([&] { return arm() == 0xFF000000u; }, 2s));
    EXPECT_TRUE(x.WaitFor([&] { return arm() == 0xFFFFFFFFu; }, 2s));
    EXPECT_TRUE(x.WaitFor([&] { return arm() == 0xFF000000u; }, 2s));
    EXPECT_EQ(x.Screenshot(tx, ty, 1, 1).Pixel(0, 0), Opaque(Background(tx, ty)));
}

// Locked to a horizontal ruler at Top 400 the magnifiers ride its centre
// line; a move of the ruler carries them; a drag moves them along it only.
TEST_F(PreciseToolE2e, LockedMagnifiersFollowTheRuler)
{
    Start();
    ClickRuler();
    // The ruler from Top 510 to 400.
    for (int i = 0; i < 11; ++i) Keys({"ctrl+Up"});
    ASSERT_TRUE(x.WaitForGeometry(
        ruler, [](const TWindowGeometry& g) { return g.Y == 400; }, 5s));
    ShowTool();
    DragTopMagnifier(1300, 200);
    ClickRuler();
    Keys({"ctrl+b"});
    ASSERT_TRUE(x.WaitFor(
        [&] {
            const auto zooms = OfSize(185, 95);
            return zooms.size() == 2 && zooms[0].second.Y == 383 && zooms[1].second.Y == 383;
        },
        5s));
    const int left = OfSize(185, 95).back().second.X;
    EXPECT_EQ(left, 1300);
    Keys({"Down"});
    EXPECT_TRUE(x.WaitFor(
        [&] {
            const auto zooms = OfSize(185, 95);
            return x.Geometry(ruler)->Y == 401 && zooms[0].second.Y == 384 && zooms[1].second.Y == 384 &&
                   zooms[1].second.X == left;
        },
        5s));
    const TWindowGeometry dragged = DragTopMagnifier(1200, 100);
    EXPECT_EQ(dragged.X, 1200);
    EXPECT_EQ(dragged.Y, 384);
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "precise-tool-locked.png");
}

// A clicked magnifier has the keyboard: the ruler's menu keys and Alt+F4
// work there as on the ruler.
TEST_F(PreciseToolE2e, AClickedMagnifierAnswersTheKeys)
{
    Start();
    ClickRuler();
    ShowTool();
    const Window zoom = OfSize(185, 95).back();
    ASSERT_TRUE(
        x.Xdotool({"mousemove", std::to_string(zoom.second.X + 40), std::to_string(zoom.second.Y + 40), "click", "1"}));
    ASSERT_TRUE(x.WaitForFocus(zoom.first, 5s));
    Keys({"ctrl+r"});
    ASSERT_TRUE(x.WaitForGeometry(
        ruler, [](const TWindowGeometry& g) { return g.Width == 60; }, 5s));
    ASSERT_TRUE(x.WaitForFocus(zoom.first, 5s));
    Keys({"alt+F4"});
    EXPECT_TRUE(x.WaitForExit(10s));
}

TEST_F(PreciseToolE2e, TheSettingsFileKeepsTheToolsOptions)
{
    Start();
    ClickRuler();
    ShowTool();
    ClickRuler();
    Keys({"ctrl+b"});
    RulerState now;
    now.PMTShow = true;
    now.PMTLocked = true;
    ChooseMenuItem({TMenuId::menuPreciseLarge}, now);
    now.PMTSize = TPMTSize::Large;
    ChooseMenuItem({TMenuId::menuZoom10X}, now);
    now.PMTZoomLevel = TZoomLevel::Zoom10X;
    ChooseMenuItem({TMenuId::menuPreciseTransparency}, now);
    const Ini ini = ExitAndRead();
    const auto& display = ini.at("Display");
    EXPECT_EQ(display.at("PMTShow"), "1");
    EXPECT_EQ(display.at("PMTLocked"), "1");
    EXPECT_EQ(display.at("PMTSize"), "Large");
    EXPECT_EQ(display.at("PMTZoomLevel"), "10x");
    EXPECT_EQ(display.at("PMTTransparency"), "1");
}

// Two targets 300 pixels apart across and 400 down: both read-outs show
// dX 300 px, dY 400 px, D 500 px and a 53.1°, drawn as the program's face
// draws them.
TEST_F(PreciseToolE2e, TheReadOutShowsTheDistancesBetweenTheTargets)
{
    int argc = 3;
    char name[] = "e2e", option[] = "-platform", platform[] = "offscreen";
    char* argv[] = {name, option, platform, nullptr};
    QGuiApplication gui(argc, argv);
    QtTextRasterizer face;

    Start();
    ClickRuler();
    ShowTool();
    const TWindowGeometry first = OfSize(185, 95).front().second;
    const TWindowGeometry second = DragTopMagnifier(first.X + 300, first.Y + 400);
    ASSERT_EQ(second.X, first.X + 300);
    ASSERT_EQ(second.Y, first.Y + 400);

    RulerState s;
    SetResParams(s, TLanguageTable{});
    SetColor(s);
    const TZoomSize size = ZoomSizeOf(TPMTSize::Small);
    const auto readOut = [&](TPoint own, TPoint twin) {
        TImage32 image;
        image.Bitmap.SetSize(size.Width, size.Height);
        PaintZoomBackground(image.Bitmap, size.ZoomRect, s.CurrentScheme, s.Embossed);
        TBitmapLayer& layer = image.AddLayer();
        layer.Bitmap.SetTextRasterizer(&face);
        layer.Bitmap.SetSize(size.Width, size.Height);
        layer.Bitmap.DrawMode = TDrawMode::dmBlend;
        layer.Bitmap.CombineMode = TCombineMode::cmMerge;
        layer.Location = {0, 0, static_cast<float>(size.Width), static_cast<float>(size.Height)};
        SelectRulerFont(layer.Bitmap);
        const auto values = ReadOutValues(own, twin, s.PixelsPerUnit, s.UnitCode, u'.');
        EXPECT_EQ(values[2], u"300 px");
        EXPECT_EQ(values[3], u"400 px");
        EXPECT_EQ(values[4], u"500 px");
        EXPECT_EQ(values[5], u"53.1\u00B0");
        DrawReadOut(layer.Bitmap, size.Height, size.ZoomRect, values, s.CurrentScheme.Highlight);
        return image.Composite();
    };
    const auto shows = [&](const TWindowGeometry& zoom, const TBitmap32& want) {
        const TBitmap32 shot = x.Screenshot(zoom.X, zoom.Y, zoom.Width, zoom.Height);
        for (int y = 3; y < size.Height - 3; ++y)
            for (int px = size.ZoomRect.Right + 3; px < size.Width - 3; ++px)
                if (shot.Pixel(px, y) != Opaque(want.Pixel(px, y))) return false;
        return true;
    };
    const TPoint a{first.X - 10, first.Y - 10}, b{second.X - 10, second.Y - 10};
    EXPECT_TRUE(x.WaitFor([&] { return shows(first, readOut(a, b)); }, 2s)) << "the first read-out";
    EXPECT_TRUE(x.WaitFor([&] { return shows(second, readOut(b, a)); }, 2s)) << "the second read-out";
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "precise-tool-read-out.png");
}

}  // namespace
