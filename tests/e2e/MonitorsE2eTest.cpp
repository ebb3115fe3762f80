// Several monitors on a private X server: the ruler on each, NEXT MONITOR,
// RESET, and the monitor table in the settings file.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

namespace {

using namespace std::chrono_literals;

class MonitorsE2e : public ProgramE2e {
protected:
    void SetUp() override
    {
        ASSERT_EQ(x.Error(), "");
        ASSERT_TRUE(x.SetMonitors({{0, 0, 960, 1080}, {960, 0, 960, 1080}}));
    }
    bool RulerAt(const TWindowGeometry& g)
    {
        return x
            .WaitForGeometry(
                ruler, [&](const TWindowGeometry& now) { return now == g; }, 5s)
            .has_value();
    }
};

TEST_F(MonitorsE2e, TheRulerMovesBetweenTwoMonitorsAndTheTableIsSaved)
{
    WriteSettings("[Behavior]\r\nDoubleClick=NextMonitor\r\n");
    Start();
    EXPECT_EQ(at, (TWindowGeometry{120, 510, 720, 60}));
    ClickRuler();
    Keys({"ctrl+2"});
    EXPECT_TRUE(RulerAt({960 + 120, 510, 720, 60})) << *x.Geometry(ruler);
    // NEXT MONITOR from the last monitor goes back to the first.
    at = *x.Geometry(ruler);
    ASSERT_TRUE(x.Xdotool({"mousemove", std::to_string(at.X + 200), std::to_string(at.Y + 30), "click", "--repeat", "2",
                           "--delay", "80", "1"}));
    EXPECT_TRUE(RulerAt({120, 510, 720, 60})) << *x.Geometry(ruler);
    ClickRuler();
    Keys({"ctrl+2"});
    ASSERT_TRUE(RulerAt({960 + 120, 510, 720, 60}));
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "ruler-on-monitor-2.png");
    Keys({"ctrl+d"});
    EXPECT_TRUE(RulerAt({120, 510, 720, 60})) << *x.Geometry(ruler);
    // RESET lays the ruler out twice (the monitor re-selected, then monitor
    // 1), and the keyboard comes back after the last one: a key typed before
    // then goes nowhere, so the next one waits as a person would.
    UserPause();
    EXPECT_TRUE(RulerAt({120, 510, 720, 60})) << "after a pause: " << *x.Geometry(ruler);
    EXPECT_TRUE(x.WaitForFocus(ruler, 5s));
    Keys({"ctrl+2"});
    ASSERT_TRUE(RulerAt({960 + 120, 510, 720, 60}));

    // The ruler has the keyboard still: no click, which with NEXT MONITOR
    // as the double-click action could pair with the one before.
    ASSERT_TRUE(x.WaitForFocus(ruler, 5s));
    Keys({"alt+F4"});
    ASSERT_TRUE(x.WaitForExit(15s));
    const Ini ini = ParseIni(ReadAll(SettingsFile()));
    const auto& m = ini.at("Monitors");
    EXPECT_EQ(m.at("Count"), "2");
    EXPECT_EQ(m.at("ManualCfg"), "0");
    EXPECT_EQ(m.at("ActiveMon"), "2") << ReadAll(SettingsFile());
    const std::map<std::string, std::string> table = {
        {"M1L", "0"},   {"M1T", "0"},    {"M1W", "960"}, {"M1H", "1080"}, {"M2L", "960"}, {"M2T", "0"},
        {"M2W", "960"}, {"M2H", "1080"}, {"M3L", "0"},   {"M3T", "0"},    {"M3W", "0"},   {"M3H", "0"},
        {"M4L", "0"},   {"M4T", "0"},    {"M4W", "0"},   {"M4H", "0"},
    };
    for (const auto& [key, value] : table) EXPECT_EQ(m.at(key), value) << key;
}

// The manual configuration: confirmed, the dialog opens above the ruler; a
// narrower monitor 1 applied re-lays the ruler at once.
TEST_F(MonitorsE2e, AManualTableAppliedMovesTheRulerAtOnce)
{
    Start();
    RulerState now;
    now.MonitorCount = 2;
    ChooseMenuItem({TMenuId::menuManualConfig}, now);
    const auto question = x.WaitForWindow(" Scalio", 10s);
    ASSERT_TRUE(question.has_value()) << "no question";
    ASSERT_TRUE(x.WaitForFocus(*question, 5s));
    Keys({"Return"});
    const auto dialog = x.WaitForWindow(" Manual Monitors Configuration", 10s);
    ASSERT_TRUE(dialog.has_value()) << "no monitor dialog";
    EXPECT_TRUE(x.WaitFor([&] { return x.StackingIndex(*dialog) > x.StackingIndex(ruler); }, 5s));
    const TWindowGeometry d = *x.WaitUntilSettled(
        *dialog, [](const TWindowGeometry& g) { return g.Width > 0; }, 5s);
    const auto click = [&](int cx, int cy) {
        return x.Xdotool({"mousemove", std::to_string(d.X + cx), std::to_string(d.Y + cy), "click", "1"});
    };
    ASSERT_TRUE(click(8 + 20, 320 + 8));           // Use Manual Settings
    ASSERT_TRUE(click(8 + 80 + 24, 8 + 84 + 10));  // monitor 1's width
    Keys({"ctrl+a", "8", "0", "0"});
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "monitor-dialog.png");
    ASSERT_TRUE(click(8 + 44, 344 + 12));  // Apply
    EXPECT_TRUE(RulerAt({100, 510, 600, 60})) << *x.Geometry(ruler);
    ASSERT_TRUE(click(104 + 44, 344 + 12));  // OK
    EXPECT_TRUE(x.WaitFor([&] { return !x.WindowShown(" Manual Monitors Configuration"); }, 5s));
    const Ini ini = ExitAndRead();
    EXPECT_EQ(ini.at("Monitors").at("ManualCfg"), "1");
    EXPECT_EQ(ini.at("Monitors").at("M1W"), "800");
}

}  // namespace
