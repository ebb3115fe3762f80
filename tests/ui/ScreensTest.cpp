// Monitors left of and above the main one, as the platform reports them:
// every geometry stays in the desktop's pixels, negative where the monitor
// is. Runs where the offscreen platform is given several screens (a ctest of
// its own); elsewhere it skips.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "RulerFixture.h"
#include "monitors/Monitors.h"
#include "platform/QtDesktop.h"

namespace {

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("SCALIO_SEVERAL_SCREENS")) GTEST_SKIP() << "one screen here";
        InstallMessageDialog(&messages);
    }
    void TearDown() override { InstallMessageDialog(nullptr); }

    FixedTextRasterizer fixed;
    FakeShell shell;
    FakeMessageDialog messages;
    QtDesktop desktop;
};

TEST_F(ScreensTest, MonitorsAtNegativeOriginsKeepTheirCoordinates)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 3);
    const MonitorRect main{0, 0, 1920, 1080}, left{-1280, 0, 1280, 1024}, above{0, -900, 1600, 900};
    const std::vector<MonitorRect> found = desktop.Monitors();
    ASSERT_EQ(found.size(), 3u);
    // The primary monitor first; every rectangle as the platform has it.
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(found[0], (MonitorRect{primary.x(), primary.y(), primary.width(), primary.height()}));
    for (const MonitorRect& m : {main, left, above})
        EXPECT_EQ(std::count(found.begin(), found.end(), m), 1) << m.Left << "," << m.Top;
    const auto itemOf = [&](const MonitorRect& m) {
        return static_cast<int>(std::find(found.begin(), found.end(), m) - found.begin());
    };

    TfrmRuler ruler{desktop, shell, fixed};
    ruler.State.FirstRun = false;
    DetectMonitors(ruler.State, found);
    SelectMonitor(ruler.State, itemOf(main) + 1);
    ruler.StartUp();
    EXPECT_EQ(ruler.Bounds(), (TWindowBounds{240, 510, 1440, 60}));
    ruler.Commands.RunMenuItem({TMenuId::menuMonitor, itemOf(left)});
    EXPECT_EQ(ruler.Bounds(), (TWindowBounds{-1280 + 160, 482, 960, 60}));
    ruler.Commands.RunMenuItem({TMenuId::menuMonitor, itemOf(above)});
    EXPECT_EQ(ruler.Bounds(), (TWindowBounds{200, -900 + 420, 1200, 60}));
    // Bound to the monitor, a move far up stops at its top edge.
    ruler.RepositionRuler(200, -5000);
    EXPECT_EQ(ruler.y(), -900);
}

}  // namespace
