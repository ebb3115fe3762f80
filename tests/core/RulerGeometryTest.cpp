#include "ruler/RulerGeometry.h"

#include <gtest/gtest.h>

namespace {

RulerState OnMonitor(MonitorRect area)
{
    RulerState s;
    s.ActiveArea = area;
    return s;
}

// SetSize asks for the length, the window takes it, then it is centred.
TWindowBounds Sized(const RulerState& s, TWindowBounds current = {7, 9, 100, 60})
{
    return SizedBounds(s, current, WantedRulerLength(s));
}

struct SizeCase {
    const char* name;
    MonitorRect area;
    bool rotate;
    TRulerSize size;
    int customSize;
    bool customInPixels;
    TWindowBounds expected;
};

TEST(RulerGeometry, SizeAndCentringOnTheActiveMonitor)
{
    const MonitorRect hd{0, 0, 1920, 1080};
    const SizeCase cases[] = {
        {"three quarters", hd, false, TRulerSize::ThreeQuarters, 0, true, {240, 9, 1440, 60}},
        {"half", hd, false, TRulerSize::Half, 0, true, {480, 9, 960, 60}},
        {"full", hd, false, TRulerSize::Full, 0, true, {0, 9, 1920, 60}},
        {"custom pixels", hd, false, TRulerSize::Custom, 640, true, {640, 9, 640, 60}},
        {"custom percent", hd, false, TRulerSize::Custom, 85, false, {144, 9, 1632, 60}},
        {"vertical three quarters", hd, true, TRulerSize::ThreeQuarters, 0, true, {7, 135, 60, 810}},
        {"1366 wide", {0, 0, 1366, 768}, false, TRulerSize::ThreeQuarters, 0, true, {171, 9, 1024, 60}},
        {"left of the primary", {-1280, 0, 1280, 1024}, false, TRulerSize::ThreeQuarters, 0, true, {-1120, 9, 960, 60}},
        {"vertical full on a lower monitor",
         {0, 1080, 1920, 1200},
         true,
         TRulerSize::Full,
         0,
         true,
         {7, 1080, 60, 1200}},
    };
    for (const SizeCase& c : cases) {
        RulerState s = OnMonitor(c.area);
        s.Rotate = c.rotate;
        s.Size = c.size;
        s.CustomSize = c.customSize;
        s.CustomSizeInPixels = c.customInPixels;
        EXPECT_EQ(Sized(s), c.expected) << c.name;
    }
}

TEST(RulerGeometry, CentringUsesTheLengthTheWindowTook)
{
    RulerState s = OnMonitor({0, 0, 1920, 1080});
    s.Size = TRulerSize::Custom;
    s.CustomSize = 5000;
    EXPECT_EQ(SizedBounds(s, {0, 0, 10, 60}, 4000), (TWindowBounds{-1040, 0, 4000, 60}));
    s.Size = TRulerSize::Full;
    EXPECT_EQ(SizedBounds(s, {0, 0, 10, 60}, 1000), (TWindowBounds{0, 0, 1000, 60}));
}

TEST(RulerGeometry, CenteredPositionHalvesEachSideSeparately)
{
    EXPECT_EQ(CenteredPosition({0, 0, 1920, 1080}, 1440, 60), (TPoint{240, 510}));
    EXPECT_EQ(CenteredPosition({-1280, 0, 1280, 1024}, 61, 811), (TPoint{-1280 + 640 - 30, 512 - 405}));
    EXPECT_EQ(CenteredPosition({0, 0, 1367, 769}, 60, 60), (TPoint{683 - 30, 384 - 30}));
}

struct MoveCase {
    const char* name;
    bool bound, stick, rotate, locked;
    TWindowBounds window;
    TPoint wanted;
    TPoint expected;
};

TEST(RulerGeometry, RepositionRulerClampsAndLocks)
{
    // Monitor (100, 50) 1920 x 1080.
    const int AL = 100, AT = 50, AW = 1920, AH = 1080;
    const TWindowBounds h{500, 500, 960, 60};
    const TWindowBounds v{500, 500, 60, 810};
    const TWindowBounds full{AL, 500, 1920, 60};
    const MoveCase cases[] = {
        {"free: far right keeps one column", false, false, false, false, h, {AL + AW + 500, 300}, {AL + AW - 1, 300}},
        {"free: far left keeps one column", false, false, false, false, h, {AL - 5000, 300}, {AL - 959, 300}},
        {"free: far down keeps one row", false, false, false, false, h, {300, AT + AH + 9}, {300, AT + AH - 1}},
        {"free: far up keeps one row", false, false, false, false, h, {300, -900}, {300, AT - 59}},
        {"bound: left edge", true, false, false, false, h, {AL - 50, 300}, {AL, 300}},
        {"bound: right edge", true, false, false, false, h, {AL + AW - 10, 300}, {AL + AW - 960, 300}},
        {"bound: bottom edge", true, false, false, false, h, {300, AT + AH}, {300, AT + AH - 60}},
        {"bound: full width always at the left", true, false, false, false, full, {AL + 37, 300}, {AL, 300}},
        {"stuck horizontal: across clamped", false, true, false, false, h, {AL - 500, AT - 20}, {AL - 500, AT}},
        {"stuck horizontal: along only one column",
         false,
         true,
         false,
         false,
         h,
         {AL - 5000, AT + AH},
         {AL - 959, AT + AH - 60}},
        {"stuck vertical: across clamped", false, true, true, false, v, {AL + AW, AT - 700}, {AL + AW - 60, AT - 700}},
        {"locked horizontal moves only up and down", false, false, false, true, h, {900, 600}, {500, 600}},
        {"locked vertical moves only sideways", false, false, true, true, v, {900, 600}, {900, 500}},
        {"unchanged", true, false, false, false, h, {500, 500}, {500, 500}},
    };
    for (const MoveCase& c : cases) {
        RulerState s = OnMonitor({AL, AT, AW, AH});
        s.BoundToScreen = c.bound;
        s.StickToMouse = c.stick;
        s.Rotate = c.rotate;
        s.AxisLocked = c.locked;
        EXPECT_EQ(ClampedRulerPosition(s, c.wanted, c.window), c.expected) << c.name;
    }
}

TEST(RulerGeometry, TransparencyAlphas)
{
    const std::pair<TTransparency, int> fixed[] = {
        {TTransparency::Opaque, 255},    {TTransparency::Percent5, 242},  {TTransparency::Percent10, 230},
        {TTransparency::Percent15, 217}, {TTransparency::Percent20, 204}, {TTransparency::Percent30, 179},
        {TTransparency::Percent40, 153}, {TTransparency::Percent50, 128},
    };
    for (auto [choice, alpha] : fixed) {
        RulerState s;
        s.Transparency = choice;
        EXPECT_EQ(TransparencyAlpha(s), alpha);
        EXPECT_FALSE(TransparencyItemEnabled(s, choice));
        EXPECT_TRUE(TransparencyItemEnabled(s, TTransparency::Custom));
    }
    RulerState s;
    s.Transparency = TTransparency::Custom;
    for (int t = 0; t <= 100; ++t) {
        s.CustomTransparency = t;
        EXPECT_EQ(TransparencyAlpha(s), (100 - t) * 255 / 100) << t;
    }
    const std::pair<int, int> custom[] = {{60, 102}, {0, 255}, {80, 51}, {10, 229}, {-20, 255}, {250, 0}};
    for (auto [t, alpha] : custom) {
        s.CustomTransparency = t;
        EXPECT_EQ(TransparencyAlpha(s), alpha) << t;
    }
}

// A hand-edited custom size never asks for a window X cannot make.
TEST(RulerGeometry, TheWantedLengthStaysWithinWhatAWindowCanBe)
{
    struct Case {
        int customSize;
        bool inPixels;
        int expected;
    };
    for (const Case& c : {Case{0, true, 1}, Case{-40, true, 1}, Case{32767, true, 32767}, Case{100000, true, 32767},
                          Case{2000000000, false, 32767}, Case{1, false, 19}, Case{0, false, 1}}) {
        RulerState s = OnMonitor({0, 0, 1920, 1080});
        s.Size = TRulerSize::Custom;
        s.CustomSize = c.customSize;
        s.CustomSizeInPixels = c.inPixels;
        EXPECT_EQ(WantedRulerLength(s), c.expected) << c.customSize << (c.inPixels ? " px" : " %");
    }
}
}  // namespace
