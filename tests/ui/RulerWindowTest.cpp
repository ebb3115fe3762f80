#include "ruler/RulerWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "RulerFixture.h"
#include "dialogs/Messages.h"
#include "draw/CommonFunctions.h"
#include "lang/Languages.h"
#include "online/WebSites.h"
#include "support/Fakes.h"
#include "support/FixedTextRasterizer.h"

namespace {

class RulerWindowTest : public RulerFixture {
protected:
    TWindowBounds B() const { return ruler.Bounds(); }
    void HoverAt(QPoint p)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(ruler.mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&ruler, &move);
    }
    QPoint LogoCentre() const
    {
        const TFloatRect& r = ruler.Picture.LogoLayer.Location;
        return {static_cast<int>((r.Left + r.Right) / 2), static_cast<int>((r.Top + r.Bottom) / 2)};
    }
};

TEST_F(RulerWindowTest, StartsCentredAtThreeQuartersWithTheDefaultLook)
{
    ruler.StartUp();
    EXPECT_TRUE(ruler.isVisible());
    EXPECT_EQ(B(), (TWindowBounds{240, 510, 1440, 60}));
    EXPECT_NEAR(ruler.windowOpacity(), 204 / 255.0, 0.002);
    EXPECT_EQ(ruler.ShownImage().size(), QSize(1440, 60));
    EXPECT_EQ(ruler.Picture.RulerImage.Bitmap.Width(), 1440);
    EXPECT_EQ(ruler.Picture.InfoLayer.Bitmap.Width(), 1440);
    EXPECT_FALSE(ruler.StickTimer.isActive());
    // Row 30 of the body is the lightened highlight of scheme White.
    EXPECT_EQ(ruler.ShownImage().pixel(300, 30), DarkenColor(0xFFFFFFFF, 15));
}

TEST_F(RulerWindowTest, ColourChoiceRepaintsTheBody)
{
    ruler.StartUp();
    ruler.Commands.RunMenuItem({TMenuId::ColorMenuItem, 4});
    EXPECT_EQ(ruler.ShownImage().pixel(300, 30), DarkenColor(0xFF60FF60, 15));
    EXPECT_EQ(ruler.ShownImage().pixel(300, 0), 0xFF60FF60u);  // the bevel's outer ring is the highlight
    EXPECT_FALSE(ColorItemEnabled(ruler.State, 4));
}

TEST_F(RulerWindowTest, SizeCommandsSetTheAxisLockAndResize)
{
    ruler.StartUp();
    ruler.Commands.RunMenuItem({TMenuId::menuFullSize});
    EXPECT_TRUE(ruler.State.AxisLocked);
    EXPECT_EQ(B(), (TWindowBounds{0, 510, 1920, 60}));
    EXPECT_TRUE(ruler.isVisible());
    ruler.Commands.RunMenuItem({TMenuId::menu050Size});
    EXPECT_FALSE(ruler.State.AxisLocked);
    EXPECT_EQ(B(), (TWindowBounds{480, 510, 960, 60}));
    ruler.State.CustomSize = 85;
    ruler.State.CustomSizeInPixels = false;
    ruler.Commands.RunMenuItem({TMenuId::menuCustomSize});
    EXPECT_EQ(B(), (TWindowBounds{144, 510, 1632, 60}));
    EXPECT_TRUE(ruler.Drag.SizeChanged);
}

TEST_F(RulerWindowTest, RotationTurnsTheRulerAboutTheMonitorCentre)
{
    ruler.StartUp();
    ruler.Commands.RunMenuItem({TMenuId::menuRotate});
    EXPECT_TRUE(ruler.State.Rotate);
    EXPECT_EQ(B(), (TWindowBounds{930, 135, 60, 810}));
    EXPECT_EQ(ruler.ShownImage().size(), QSize(60, 810));
    EXPECT_FALSE(UpDownEnabled(ruler.State));
    EXPECT_TRUE(RightLeftEnabled(ruler.State));
    ruler.Commands.RunMenuItem({TMenuId::menuRotate});
    EXPECT_EQ(B(), (TWindowBounds{240, 510, 1440, 60}));
}

TEST_F(RulerWindowTest, DoubleClickRunsTheChosenAction)
{
    ruler.StartUp();
    ruler.RulerImageDblClick();  // default: axis lock
    EXPECT_TRUE(ruler.State.AxisLocked);

    ruler.State.DoubleClick = TDoubleClickAction::Resize;
    ruler.Commands.RunMenuItem({TMenuId::menu050Size});
    ruler.RulerImageDblClick();
    EXPECT_EQ(ruler.State.Size, TRulerSize::ThreeQuarters);
    ruler.RulerImageDblClick();
    EXPECT_EQ(ruler.State.Size, TRulerSize::Full);
    EXPECT_TRUE(ruler.State.AxisLocked);
    ruler.RulerImageDblClick();
    EXPECT_EQ(ruler.State.Size, TRulerSize::Half);
    EXPECT_FALSE(ruler.State.AxisLocked);

    ruler.State.DoubleClick = TDoubleClickAction::ScaleAndHints;
    ASSERT_FALSE(ruler.State.Scale);
    ruler.State.ShowUnitsAndRes = false;
    ruler.RulerImageDblClick();
    EXPECT_TRUE(ruler.State.Scale && ruler.State.ShowMouse && ruler.State.ShowRGB && ruler.State.ShowHints);
    ruler.RulerImageDblClick();
    EXPECT_FALSE(ruler.State.Scale || ruler.State.ShowMouse || ruler.State.ShowRGB || ruler.State.ShowHints);
    EXPECT_FALSE(ruler.State.ShowUnitsAndRes);  // left alone

    ruler.State.DoubleClick = TDoubleClickAction::Rotate;
    ruler.RulerImageDblClick();
    EXPECT_TRUE(ruler.State.Rotate);
}

TEST_F(RulerWindowTest, NextMonitorCyclesThroughTheMonitorsInUse)
{
    ruler.State.MonitorCount = 3;
    ruler.State.MonitorRects = {{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {-1024, 0, 1024, 768}, {}}};
    ruler.StartUp();
    ruler.State.DoubleClick = TDoubleClickAction::NextMonitor;
    std::vector<int> lefts;
    for (int i = 0; i < 3; ++i) {
        ruler.RulerImageDblClick();
        lefts.push_back(B().Left);
    }
    EXPECT_EQ(lefts, (std::vector<int>{1920 + 160, -1024 + 128, 240}));
    EXPECT_EQ(ruler.State.ActiveMon, 1);
}

TEST_F(RulerWindowTest, DragFollowsThePointerAndAResizeEndsIt)
{
    ruler.StartUp();
    ruler.State.BoundToScreen = false;
    ruler.RulerImageMouseMove();  // the pointer arrives: the start-up layout's size change is seen
    ruler.RulerImageMouseDown(Qt::LeftButton, 10, 5);
    desktop.Pointer = TPoint{500, 300};
    ruler.RulerImageMouseMove();
    EXPECT_EQ(B().Left, 490);
    EXPECT_EQ(B().Top, 295);
    desktop.Pointer.reset();  // unreadable: the ruler stays
    ruler.RulerImageMouseMove();
    EXPECT_EQ(B().Left, 490);
    desktop.Pointer = TPoint{600, 300};
    ruler.RulerImageMouseDown(Qt::LeftButton, 10, 5);
    ruler.Commands.RunMenuItem({TMenuId::menu050Size});
    ruler.RulerImageMouseMove();
    EXPECT_FALSE(ruler.Drag.Dragging);
    const TWindowBounds afterResize = B();
    ruler.RulerImageMouseMove();
    EXPECT_EQ(B(), afterResize);
    // Other buttons never drag.
    ruler.RulerImageMouseDown(Qt::RightButton, 10, 5);
    EXPECT_FALSE(ruler.Drag.Dragging);
}

TEST_F(RulerWindowTest, AClickOnTheVisibleLogoOpensTheProductPage)
{
    ruler.StartUp();
    QTest::mouseClick(&ruler, Qt::LeftButton, {}, LogoCentre());
    EXPECT_EQ(shell.Urls, (std::vector<std::string>{ProductPage("")}));

    QTest::mousePress(&ruler, Qt::LeftButton, {}, LogoCentre());
    QTest::mouseMove(&ruler, LogoCentre() + QPoint(1, 0));
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, LogoCentre() + QPoint(1, 0));
    EXPECT_EQ(shell.Urls.size(), 1u);

    ruler.State.HideLogo = true;
    ruler.PaintRuler();
    QTest::mouseClick(&ruler, Qt::LeftButton, {}, LogoCentre());
    EXPECT_EQ(shell.Urls.size(), 1u);
}

TEST_F(RulerWindowTest, HandPointerOnlyOverTheVisibleLogo)
{
    ruler.StartUp();
    HoverAt(LogoCentre());
    EXPECT_EQ(ruler.cursor().shape(), Qt::PointingHandCursor);
    HoverAt(QPoint(100, 30));
    EXPECT_EQ(ruler.cursor().shape(), Qt::ArrowCursor);
    ruler.State.HideLogo = true;
    ruler.PaintRuler();
    HoverAt(LogoCentre());
    EXPECT_EQ(ruler.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(RulerWindowTest, StickToMouseShowsItsHintOnceAndFollowsThePointer)
{
    ruler.State.FirstRun = true;
    ruler.State.BoundToScreen = false;
    ruler.StartUp();
    ruler.Commands.RunMenuItem({TMenuId::menuStickToMouse});
    ASSERT_EQ(messages.Asked.size(), 1u);
    EXPECT_EQ(messages.Asked[0].Caption, u"Scalio");
    EXPECT_EQ(messages.Asked[0].Text, GetLangText(202));
    EXPECT_EQ(messages.Asked[0].Buttons, (std::vector<std::u16string>{u"OK"}));
    EXPECT_EQ(messages.Asked[0].Icon, TAnswerIcon::Warning);
    EXPECT_FALSE(ruler.State.FirstRun);
    EXPECT_TRUE(ruler.StickTimer.isActive());
    EXPECT_EQ(ruler.StickTimer.interval(), 20);

    desktop.Pointer = TPoint{700, 400};
    ruler.StickTimerTimer();
    EXPECT_EQ(B().Left, 700 - 720);
    EXPECT_EQ(B().Top, 400 - 30 + 50);
    QTest::mouseClick(&ruler, Qt::LeftButton, {}, QPoint(100, 30));
    ruler.StickTimerTimer();
    EXPECT_EQ(B().Top, 400 - 30 - 50);
    desktop.Pointer.reset();
    ruler.StickTimerTimer();
    EXPECT_EQ(B().Top, 400 - 30 - 50);

    ruler.Commands.RunMenuItem({TMenuId::menuStickToMouse});  // off again: no second hint
    EXPECT_EQ(messages.Asked.size(), 1u);
    EXPECT_FALSE(ruler.StickTimer.isActive());
}

TEST_F(RulerWindowTest, ArrowKeysNudgeUnlessStuck)
{
    ruler.StartUp();
    const TWindowBounds at = B();
    QTest::keyClick(&ruler, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(B().Left, at.Left + 5);
    QTest::keyClick(&ruler, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(B().Top, at.Top - 10);
    QTest::keyClick(&ruler, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(B().Left, at.Left + 5 - 20);
    ruler.State.AxisLocked = true;
    QTest::keyClick(&ruler, Qt::Key_Left);
    EXPECT_EQ(B().Left, at.Left - 15);
    QTest::keyClick(&ruler, Qt::Key_Down);
    EXPECT_EQ(B().Top, at.Top - 9);
    ruler.State.AxisLocked = false;
    ruler.State.StickToMouse = true;
    QTest::keyClick(&ruler, Qt::Key_Right);
    EXPECT_EQ(B().Left, at.Left - 15);
}

TEST_F(RulerWindowTest, AnyKeyReappliesTheClamps)
{
    ruler.StartUp();
    ruler.State.BoundToScreen = false;
    ruler.RepositionRuler(1800, 1050);
    ruler.State.BoundToScreen = true;
    QTest::keyClick(&ruler, Qt::Key_A);
    EXPECT_EQ(B().Left, 1920 - 1440);
    EXPECT_EQ(B().Top, 1080 - 60);
}

TEST_F(RulerWindowTest, BoundToScreenAndDragToCentre)
{
    ruler.StartUp();
    ruler.State.BoundToScreen = false;
    ruler.RepositionRuler(-1000, 20);
    EXPECT_EQ(B().Left, -1000);
    ruler.Commands.RunMenuItem({TMenuId::menuBoundToScreen});
    EXPECT_TRUE(ruler.State.BoundToScreen);
    EXPECT_EQ(B().Left, 0);
    ruler.State.AxisLocked = true;
    ruler.Commands.RunMenuItem({TMenuId::menuDragToCenter});  // the lock does not hold it back
    EXPECT_EQ(B(), (TWindowBounds{240, 510, 1440, 60}));
}

TEST_F(RulerWindowTest, TransparencyCommandsSetTheWindowAlpha)
{
    ruler.StartUp();
    ruler.Commands.RunMenuItem({TMenuId::MenuOpaque});
    EXPECT_DOUBLE_EQ(ruler.windowOpacity(), 1.0);
    ruler.State.CustomTransparency = 60;
    ruler.Commands.RunMenuItem({TMenuId::menuCustomTransparency});
    EXPECT_NEAR(ruler.windowOpacity(), 102 / 255.0, 0.002);
}

// The information line: composed every tick, painted only when it changes,
// kept while dragging, blanked and stopped with its last option.
TEST_F(RulerWindowTest, TheInformationLineFollowsThePointerAndPaintsOnlyChanges)
{
    desktop.Pixels = [](int x, int y) {
        return Color32(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7);
    };
    ruler.State.ShowUnitsAndRes = false;
    ruler.State.ShowHints = false;
    ruler.StartUp();
    EXPECT_TRUE(ruler.HintTimer.isActive());
    desktop.Pointer = TPoint{10, 20};
    ruler.HintTimerTimer();
    EXPECT_EQ(ruler.Picture.LastInfoText, u"Mouse: (10, 20) \u2022 RGB: 10, 20, 7 (#0A1407)");
    const qint64 painted = ruler.ShownImage().cacheKey();
    const auto inked = [&] {
        int n = 0;
        const TBitmap32& layer = ruler.Picture.InfoLayer.Bitmap;
        for (int y = 0; y < layer.Height(); ++y)
            for (int x = 0; x < 400; ++x) n += layer.Pixel(x, y) != 0;
        return n;
    };
    EXPECT_GT(inked(), 50);
    // No change: one pointer read and nothing painted.
    const int reads = desktop.PointerReads;
    ruler.HintTimerTimer();
    EXPECT_EQ(desktop.PointerReads, reads + 1);
    EXPECT_EQ(ruler.ShownImage().cacheKey(), painted);
    // While dragging the line keeps its text.
    ruler.RulerImageMouseDown(Qt::LeftButton, 300, 30);
    desktop.Pointer = TPoint{11, 20};
    ruler.HintTimerTimer();
    EXPECT_EQ(ruler.Picture.LastInfoText, u"Mouse: (10, 20) \u2022 RGB: 10, 20, 7 (#0A1407)");
    ruler.RulerImageMouseUp();
    ruler.HintTimerTimer();
    EXPECT_EQ(ruler.Picture.LastInfoText, u"Mouse: (11, 20) \u2022 RGB: 11, 20, 7 (#0B1407)");
    EXPECT_NE(ruler.ShownImage().cacheKey(), painted);
    // The last option off blanks the line at once and stops the tick.
    ruler.Commands.RunMenuItem({TMenuId::menuInfoMouse});
    EXPECT_TRUE(ruler.HintTimer.isActive());
    ruler.Commands.RunMenuItem({TMenuId::menuInfoRGB});
    EXPECT_FALSE(ruler.HintTimer.isActive());
    EXPECT_EQ(inked(), 0);
    EXPECT_EQ(ruler.Picture.LastInfoText, kRefreshInfoText);
    ruler.Commands.RunMenuItem({TMenuId::menuInfoMouse});
    EXPECT_TRUE(ruler.HintTimer.isActive());
    // A vertical ruler shows no line; turned back, the line shows again at
    // the next tick.
    ruler.Commands.RunMenuItem({TMenuId::menuRotate});
    ruler.HintTimerTimer();
    EXPECT_EQ(inked(), 0);
    ruler.Commands.RunMenuItem({TMenuId::menuRotate});
    ruler.HintTimerTimer();
    EXPECT_GT(inked(), 50);
}

// The menu's links reach the desktop, each its own page or mail.
TEST_F(RulerWindowTest, LinksOfTheMenuOpenTheirPages)
{
    ruler.StartUp();
    struct Case {
        TMenuId item;
        std::string url;
    };
    const Case cases[] = {
        {TMenuId::menuMore, LanguagesDownloadPage()},
        {TMenuId::menuScalioOnline, ProductPage("", ProcessEnvironment())},
        {TMenuId::menuVendraOnline, MakerPage()},
        {TMenuId::menuQuestion, MailLink(TMailTopic::Question)},
        {TMenuId::menuComments, MailLink(TMailTopic::Comments)},
        {TMenuId::menuBug, MailLink(TMailTopic::Bug)},
    };
    for (const Case& c : cases) {
        shell.Urls.clear();
        ruler.Commands.RunMenuItem({c.item});
        EXPECT_EQ(shell.Urls, std::vector<std::string>{c.url}) << MenuEntry(c.item).Name;
    }
    ruler.Commands.RunMenuItem({TMenuId::menuHelp});
    EXPECT_EQ(shell.HelpTopics, std::vector<std::string>{""});
}

// A monitor unplugged while the program runs never strands the ruler.
TEST_F(RulerWindowTest, AMonitorThatGoesAwayTakesTheRulerBackToOneThatIsThere)
{
    desktop.MonitorList = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    ruler.State.MonitorCount = 2;
    ruler.State.MonitorRects[1] = {-1280, 0, 1280, 1024};
    ruler.StartUp();
    ruler.Commands.RunMenuItem({TMenuId::menuMonitor, 1});
    EXPECT_EQ(B(), (TWindowBounds{-1280 + 160, 482, 960, 60}));
    // Another monitor going leaves it where it is.
    desktop.MonitorList = {{-1280, 0, 1280, 1024}};
    ruler.Commands.MonitorRemoved();
    EXPECT_EQ(ruler.State.ActiveMon, 2);
    desktop.MonitorList = {{0, 0, 1920, 1080}};
    ruler.Commands.MonitorRemoved();
    EXPECT_EQ(ruler.State.ActiveMon, 1);
    EXPECT_EQ(ruler.State.MonitorCount, 1);
    EXPECT_EQ(B(), (TWindowBounds{240, 510, 1440, 60}));
}

// Manual configuration asks first, with help at hand, and opens the monitor
// dialog only on OK.
TEST_F(RulerWindowTest, ADialogIsMadeTheFirstTimeItIsAskedForAndThenKept)
{
    ruler.StartUp();
    QWidget dialog;
    int made = 0;
    ruler.Commands.SetAboutDialog([&] {
        ++made;
        return &dialog;
    });
    EXPECT_EQ(made, 0);
    ruler.Commands.RunMenuItem({TMenuId::menuAbout});
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(dialog.isVisible());
    dialog.hide();
    ruler.Commands.RunMenuItem({TMenuId::menuAbout});
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(dialog.isVisible());
    dialog.hide();
}

TEST_F(RulerWindowTest, ManualConfigurationAsksBeforeTheDialogOpens)
{
    ruler.StartUp();
    QWidget dialog;
    ruler.Commands.SetMonitorDialog([&dialog] { return &dialog; });
    messages.Answers = {2, 1};
    ruler.Commands.RunMenuItem({TMenuId::menuManualConfig});
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(messages.Asked.size(), 1u);
    const TMessageRequest& q = messages.Asked[0];
    EXPECT_EQ(q.Caption, u"Scalio");
    EXPECT_EQ(q.Text, GetLangText(208) + u"\r\r" + GetLangText(209));
    EXPECT_EQ(q.Buttons, (std::vector<std::u16string>{u"OK", u"Cancel", u"Help"}));
    EXPECT_EQ(q.Icon, TAnswerIcon::Information);
    EXPECT_TRUE(q.Cancelable);
    EXPECT_EQ(q.HelpButton, 3);
    EXPECT_EQ(q.HelpTopic, "2B_Behavior.htm#Multiple");
    ruler.Commands.RunMenuItem({TMenuId::menuManualConfig});
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
