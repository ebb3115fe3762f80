#include "monitors/Monitors.h"

#include <gtest/gtest.h>

namespace {

const std::vector<MonitorRect> kTwo = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

TEST(DetectMonitors, FillsTheTableInTheSystemsOrder)
{
    RulerState s;
    s.MonitorRects[3] = {1, 2, 3, 4};
    DetectMonitors(s, kTwo);
    EXPECT_EQ(s.MonitorCount, 2);
    EXPECT_EQ(s.MonitorRects[1], kTwo[1]);
    EXPECT_EQ(s.MonitorRects[3], MonitorRect{});
    DetectMonitors(s, {});
    EXPECT_EQ(s.MonitorCount, 1);
    std::vector<MonitorRect> six(6, MonitorRect{0, 0, 800, 600});
    DetectMonitors(s, six);
    EXPECT_EQ(s.MonitorCount, 4);
}

TEST(EnsureUsableActiveArea, AMonitorThatCannotShowTheRulerGivesWayToMonitorOne)
{
    struct Case {
        const char* name;
        int count, active;
        MonitorRect area;
        bool manualEmpty;  // monitor 1's entry holds zeros
        bool changed;
        int activeAfter;
        MonitorRect areaAfter;
    };
    const Case cases[] = {
        {"usable monitor 2", 2, 2, kTwo[1], false, false, 2, kTwo[1]},
        {"monitor 2 of one", 1, 2, {}, false, true, 1, kTwo[0]},
        {"active 7", 2, 7, {}, false, true, 1, kTwo[0]},
        {"zero-sized entry", 2, 2, {1920, 0, 0, 0}, false, true, 1, kTwo[0]},
        {"empty manual table", 1, 1, {}, true, true, 1, kTwo[0]},
    };
    for (const Case& c : cases) {
        RulerState s;
        DetectMonitors(s, kTwo);
        s.MonitorCount = c.count;
        s.ActiveMon = c.active;
        s.ActiveArea = c.area;
        if (c.manualEmpty) s.MonitorRects[0] = {};
        EXPECT_EQ(EnsureUsableActiveArea(s, kTwo), c.changed) << c.name;
        EXPECT_EQ(s.ActiveMon, c.activeAfter) << c.name;
        EXPECT_EQ(s.ActiveArea, c.areaAfter) << c.name;
    }
}

TEST(SelectMonitor, TakesTheEntryAndClampsTheNumber)
{
    RulerState s;
    s.MonitorRects = {MonitorRect{0, 0, 1920, 1080}, MonitorRect{-1280, 0, 1280, 1024},
                      MonitorRect{1920, -200, 800, 600}, MonitorRect{}};
    for (const auto& [n, active] : std::vector<std::pair<int, int>>{{2, 2}, {3, 3}, {0, 1}, {7, 4}}) {
        SelectMonitor(s, n);
        EXPECT_EQ(s.ActiveMon, active) << n;
        EXPECT_EQ(s.ActiveArea, s.MonitorRects[static_cast<std::size_t>(active - 1)]) << n;
    }
}

TEST(FitDoubleClickToMonitors, NextMonitorRotatesWithOneMonitorOnly)
{
    // A hand-edited count of 0 leaves the action as it is.
    for (int count : {0, 1, 2, 4}) {
        RulerState s;
        s.MonitorCount = count;
        s.DoubleClick = TDoubleClickAction::NextMonitor;
        FitDoubleClickToMonitors(s);
        EXPECT_EQ(s.DoubleClick, count == 1 ? TDoubleClickAction::Rotate : TDoubleClickAction::NextMonitor) << count;
    }
    RulerState resize;
    resize.DoubleClick = TDoubleClickAction::Resize;
    FitDoubleClickToMonitors(resize);
    EXPECT_EQ(resize.DoubleClick, TDoubleClickAction::Resize);
}
TEST(MonitorToReselect, TheCheckedMonitorWhileInUseElseMonitorOne)
{
    struct Case {
        int count, active, expected;
    };
    for (const Case& c : {Case{4, 4, 4}, Case{3, 4, 1}, Case{3, 3, 3}, Case{2, 3, 1}, Case{2, 4, 1}, Case{2, 2, 2},
                          Case{1, 2, 1}, Case{1, 1, 1}, Case{0, 1, 1}, Case{7, 4, 4}, Case{4, 9, 1}}) {
        RulerState s;
        s.MonitorCount = c.count;
        s.ActiveMon = c.active;
        EXPECT_EQ(MonitorToReselect(s), c.expected) << c.count << " monitors, " << c.active << " checked";
    }
}

TEST(ActiveMonitorGone, DetectedFollowsTheScreensAManualTableOnlyWhenNothingOverlaps)
{
    const MonitorRect left{-1280, 0, 1280, 1024}, main{0, 0, 1920, 1080};
    struct Case {
        bool manual;
        MonitorRect active;
        std::vector<MonitorRect> screens;
        bool gone;
    };
    const Case cases[] = {
        {false, left, {main, left}, false},
        {false, left, {main}, true},
        {false, MonitorRect{0, 0, 1600, 900}, {main}, true},  // the same place, another size
        {true, MonitorRect{-1000, 0, 1000, 800}, {main, left}, false},
        {true, MonitorRect{-1000, 0, 1000, 800}, {main}, true},
        {true, MonitorRect{-100, 0, 1000, 800}, {main}, false},  // still partly on a screen
        {true, MonitorRect{1920, 0, 800, 600}, {main}, true},     // touching is not overlapping
    };
    for (const Case& c : cases) {
        RulerState s;
        s.ManualCfg = c.manual;
        s.ActiveArea = c.active;
        EXPECT_EQ(ActiveMonitorGone(s, c.screens), c.gone) << (c.manual ? "manual " : "detected ") << c.active.Left;
    }
}

}  // namespace
