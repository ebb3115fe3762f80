// The real program on a private X server, driven like a user would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "XSession.h"
#include "draw/CommonFunctions.h"
#include "ruler/RulerState.h"

namespace {

using namespace std::chrono_literals;

class RulerE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(x.Error(), "");
        // Not a first start: no About dialog over the ruler.
        const std::filesystem::path settings = x.Home() / ".config/Vendra/Scalio/Settings.ini";
        std::filesystem::create_directories(settings.parent_path());
        std::ofstream(settings, std::ios::binary) << "";
        const auto started =
            x.StartAndSettle(SCALIO_BINARY, "Scalio", [](const TWindowGeometry& now) { return now.Width == 1440; });
        ASSERT_TRUE(started.has_value()) << "the ruler never showed at its size";
        std::tie(ruler, start) = *started;
    }

    TWindowGeometry WaitForMove(const TWindowGeometry& from)
    {
        return x
            .WaitForGeometry(
                ruler, [&](const TWindowGeometry& g) { return g.X != from.X || g.Y != from.Y; }, 5s)
            .value_or(from);
    }

    // Press on a spot of the ruler away from the logo and wait until the
    // window has the keyboard.
    void ClickRuler()
    {
        ASSERT_TRUE(
            x.Xdotool({"mousemove", std::to_string(start.X + 300), std::to_string(start.Y + 30), "click", "1"}));
    }

    XSession x;
    unsigned long ruler = 0;
    TWindowGeometry start;
};

TEST_F(RulerE2e, StartsAtThreeQuartersCentredOnTheMonitor)
{
    EXPECT_EQ(start, (TWindowGeometry{240, 510, 1440, 60}));
}

TEST_F(RulerE2e, DragKeepsTheGrabPointUnderThePointer)
{
    ASSERT_TRUE(x.Xdotool({"mousemove", "540", "530", "mousedown", "1"}));
    ASSERT_TRUE(x.Xdotool({"mousemove", "600", "600"}));
    ASSERT_TRUE(x.Xdotool({"mousemove", "640", "730"}));
    const auto g = x.WaitForGeometry(
        ruler, [](const TWindowGeometry& now) { return now.X == 340 && now.Y == 710; }, 5s);
    ASSERT_TRUE(x.Xdotool({"mouseup", "1"}));
    EXPECT_EQ(g, (TWindowGeometry{340, 710, 1440, 60}));
}

TEST_F(RulerE2e, BoundToScreenStopsAtTheMonitorEdge)
{
    ASSERT_TRUE(x.Xdotool({"mousemove", "300", "530", "mousedown", "1"}));
    ASSERT_TRUE(x.Xdotool({"mousemove", "1000", "1000"}));
    ASSERT_TRUE(x.Xdotool({"mousemove", "1910", "1075"}));
    const auto g = x.WaitForGeometry(
        ruler, [](const TWindowGeometry& now) { return now.X == 480 && now.Y == 1020; }, 5s);
    ASSERT_TRUE(x.Xdotool({"mouseup", "1"}));
    EXPECT_EQ(g, (TWindowGeometry{480, 1020, 1440, 60}));
}

TEST_F(RulerE2e, ArrowKeysNudgeByModifier)
{
    ClickRuler();
    struct Step {
        const char* key;
        int dx, dy;
    };
    TWindowGeometry at = start;
    for (const Step& s : {Step{"shift+Right", 5, 0}, Step{"ctrl+Up", 0, -10}, Step{"alt+Left", -20, 0},
                          Step{"Down", 0, 1}, Step{"shift+ctrl+Right", 1, 0}}) {
        ASSERT_TRUE(x.Xdotool({"key", s.key}));
        const TWindowGeometry moved = WaitForMove(at);
        EXPECT_EQ(moved.X - at.X, s.dx) << s.key;
        EXPECT_EQ(moved.Y - at.Y, s.dy) << s.key;
        at = moved;
    }
}

TEST_F(RulerE2e, ScreenShowsTheBodyBlendedAtTheWindowAlpha)
{
    // The default look: scheme White, embossed, 20 % transparent (alpha 204)
    // over whatever the desktop shows beside the ruler.
    TBitmap32 body(1440, 60);
    DrawGradient(body, 0xFF808080, DarkenColor(0xFFFFFFFF, 15), false);
    DrawBevel(body, 0, 0, 1440, 60, 5, 0xFFFFFFFF, false);
    const TColor32 desktop = x.Screenshot(start.X - 5, start.Y - 5, 1, 1).Pixel(0, 0);
    const auto mismatches = [&](const TBitmap32& shot) {
        std::vector<std::string> wrong;
        for (int px : {3, 700, 1000})  // clear of the information line and the logo
            for (int py : {0, 2, 10, 29, 30, 45, 57, 59})
                for (int shift : {16, 8, 0}) {
                    const double painted = (body.Pixel(px, py) >> shift) & 0xFF, under = (desktop >> shift) & 0xFF;
                    const int expected = static_cast<int>(std::lround((painted * 204 + under * 51) / 255.0));
                    const int got = static_cast<int>((shot.Pixel(px, py) >> shift) & 0xFF);
                    if (std::abs(got - expected) > 2)
                        wrong.push_back(std::to_string(px) + "," + std::to_string(py) + ": " + std::to_string(got) +
                                        " instead of " + std::to_string(expected));
                }
        return wrong;
    };
    // The compositor paints the new window a moment after it maps.
    x.WaitForScreen(
        start.X, start.Y, 1440, 60, [&](const TBitmap32& shot) { return mismatches(shot).empty(); }, 5s);
    const std::vector<std::string> wrong = mismatches(x.Screenshot(start.X, start.Y, 1440, 60));
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " channels differ, first " << wrong.front();
}

}  // namespace
