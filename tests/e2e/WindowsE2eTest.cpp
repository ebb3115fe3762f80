// How the program's windows stack and keep the keyboard through its own
// commands, and that it measures device pixels whatever scale the desktop
// asks for, on a private X server.
#include <gtest/gtest.h>

#include <string>

#include "ProgramFixture.h"

namespace {

using namespace std::chrono_literals;

struct TIntersection {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

TIntersection Intersect(const TWindowGeometry& a, const TWindowGeometry& b)
{
    const int left = std::max(a.X, b.X), top = std::max(a.Y, b.Y);
    const int right = std::min(a.X + a.Width, b.X + b.Width), bottom = std::min(a.Y + a.Height, b.Y + b.Height);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

using WindowsE2e = ProgramE2e;

class MenuAboveTheRuler : public ProgramE2e, public ::testing::WithParamInterface<bool> {};

// A new user's first step: a right click on an opaque ruler that has never
// been clicked. The menu must cover the ruler where they overlap.
TEST_P(MenuAboveTheRuler, WhereverTheyOverlap)
{
    const bool vertical = GetParam();
    WriteSettings(std::string("[Display]\r\nTransparency=0%\r\nRotate=") + (vertical ? "1" : "0") + "\r\n");
    Start();
    // What the ruler looks like on its own, once the compositor shows it.
    TBitmap32 alone;
    ASSERT_TRUE(x.WaitForScreen(
        at.X, at.Y, at.Width, at.Height,
        [&](const TBitmap32& shot) {
            const bool same =
                alone.Width() == shot.Width() && alone.Height() == shot.Height() &&
                std::equal(shot.Bits(), shot.Bits() + static_cast<std::ptrdiff_t>(shot.Width()) * shot.Height(),
                           alone.Bits());
            alone = shot;
            return same;
        },
        5s));
    OpenMenu();
    const auto menu = Menus().front();
    const TIntersection overlap = Intersect(menu.second, at);
    ASSERT_GT(overlap.Width * overlap.Height, 0) << "the menu at " << menu.second << " misses the ruler at " << at;
    EXPECT_TRUE(x.WaitFor([&] { return x.StackingIndex(menu.first) > x.StackingIndex(ruler); }, 2s))
        << "the ruler is stacked above its menu";
    // Over the overlap the screen shows the menu, not the ruler: most pixels
    // differ from the ruler's own picture there.
    const auto differing = [&] {
        const TBitmap32 shot = x.Screenshot(overlap.X, overlap.Y, overlap.Width, overlap.Height);
        int n = 0;
        for (int py = 0; py < overlap.Height; ++py)
            for (int px = 0; px < overlap.Width; ++px)
                n += shot.Pixel(px, py) != alone.Pixel(overlap.X - at.X + px, overlap.Y - at.Y + py);
        return n;
    };
    EXPECT_TRUE(x.WaitFor([&] { return differing() * 2 > overlap.Width * overlap.Height; }, 2s))
        << differing() << " of " << overlap.Width * overlap.Height << " pixels show the menu";
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) /
              (vertical ? "menu-over-vertical-ruler.png" : "menu-over-horizontal-ruler.png"));
    Keys({"Escape"});
}

INSTANTIATE_TEST_SUITE_P(Rulers, MenuAboveTheRuler, ::testing::Values(false, true),
                         [](const auto& p) { return p.param ? "Vertical" : "Horizontal"; });

// A ruler that has the keyboard keeps it through its own relayouts: a full
// size, then one rotation after another, each answered.
TEST_F(WindowsE2e, TheKeyboardStaysThroughResizesAndRotations)
{
    Start();
    ClickRuler();
    Keys({"ctrl+f"});
    ASSERT_TRUE(x.WaitForGeometry(
        ruler, [](const TWindowGeometry& g) { return g.Width == 1920; }, 5s));
    ASSERT_TRUE(x.WaitForFocus(ruler, 5s));
    for (int turn = 1; turn <= 3; ++turn) {
        const bool vertical = turn % 2 == 1;
        UserPause();
        Keys({"ctrl+r"});
        ASSERT_TRUE(x.WaitForGeometry(
            ruler,
            [vertical](const TWindowGeometry& g) { return (g.Width == 60) == vertical && (g.Height > 60) == vertical; },
            5s))
            << "rotation " << turn << " was not answered";
        EXPECT_TRUE(x.WaitForFocus(ruler, 5s)) << "the keyboard was lost after rotation " << turn;
    }
    // The arrow keys still reach it: full size locks a vertical ruler to
    // sideways moves.
    const TWindowGeometry before = *x.Geometry(ruler);
    UserPause();
    Keys({"Left"});
    const auto after = x.WaitForGeometry(
        ruler, [&](const TWindowGeometry& g) { return g.X != before.X; }, 5s);
    EXPECT_EQ(after->X, before.X - 1);
}

class AltF4AfterACommand : public ProgramE2e, public ::testing::WithParamInterface<const char*> {};

// Alt+F4 ends the program whenever the ruler has the keyboard, after any of
// its commands, whether it relaid the window out or not.
TEST_P(AltF4AfterACommand, EndsTheProgram)
{
    Start();
    ClickRuler();
    const TWindowGeometry before = at;
    Keys({GetParam()});
    if (std::string(GetParam()) != "ctrl+shift+F3") {
        ASSERT_TRUE(x.WaitForGeometry(
            ruler, [&](const TWindowGeometry& g) { return !(g == before); }, 5s));
    }
    ASSERT_TRUE(x.WaitForFocus(ruler, 5s));
    ASSERT_TRUE(x.ProgramRunning());
    UserPause();
    // With Shift or Ctrl held it is another key.
    Keys({"shift+alt+F4", "ctrl+alt+F4"});
    EXPECT_FALSE(x.WaitForExit(1s));
    Keys({"alt+F4"});
    EXPECT_TRUE(x.WaitForExit(10s));
}

INSTANTIATE_TEST_SUITE_P(Commands, AltF4AfterACommand, ::testing::Values("ctrl+r", "ctrl+f", "ctrl+shift+F3"),
                         [](const auto& p) {
                             std::string name = p.param;
                             std::erase(name, '+');
                             return name;
                         });

// The desktop's scale variables must not turn device pixels into logical
// ones: the ruler comes up as it does without them.
TEST_F(WindowsE2e, ScaleVariablesLeaveTheRulerInDevicePixels)
{
    x.ProgramEnvironment = {"QT_SCALE_FACTOR=2", "QT_SCREEN_SCALE_FACTORS=2", "QT_ENABLE_HIGHDPI_SCALING=1"};
    Start();
    EXPECT_EQ(at, (TWindowGeometry{240, 510, 1440, 60}));
}

}  // namespace
