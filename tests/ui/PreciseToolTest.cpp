// The precise measuring tool's windows on the fake desktop: showing and
// hiding, the blink, what a magnifier shows, the lock to the ruler, sizes,
// transparency, keys and the end of the program.
#include <gtest/gtest.h>

#include <QTest>

#include "RulerFixture.h"
#include "precise/Zoom.h"

namespace {

// Every screen pixel's colour tells its position.
TColor32 PixelAt(int x, int y)
{
    return Color32(static_cast<std::uint8_t>(x & 0xFF), static_cast<std::uint8_t>(y & 0xFF),
                   static_cast<std::uint8_t>(((x >> 8) << 4) | (y >> 8)));
}

class PreciseToolTest : public RulerFixture {
protected:
    PreciseToolTest() { desktop.Pixels = PixelAt; }
    void Start()
    {
        ruler.StartUp();
        ruler.PreciseTool.FormCreate();
    }
    void Run(TMenuId id, int index = 0) { ruler.Commands.RunMenuItem({id, index}); }
    TPreciseTool& Tool() { return ruler.PreciseTool; }
    std::vector<QWidget*> Windows() { return {&Tool().Zoom1, &Tool().CrossHair1, &Tool().Zoom2, &Tool().CrossHair2}; }
    // The image pixel of the enlarged screen at square position (x, y).
    TColor32 Shown(const TfrmZoom& zoom, int x, int y)
    {
        return zoom.ShownImage().pixel(zoom.ZoomRect.Left + x, zoom.ZoomRect.Top + y);
    }
};

TEST_F(PreciseToolTest, ShowBringsFourWindowsAndTheBlinkAndHidesThemAgain)
{
    Start();
    for (QWidget* w : Windows()) EXPECT_FALSE(w->isVisible());
    Run(TMenuId::menuPreciseShow);
    EXPECT_TRUE(ruler.State.PMTShow);
    EXPECT_TRUE(Tool().PMTLInesRefresh.isActive());
    EXPECT_EQ(Tool().Zoom1.size(), QSize(185, 95));
    EXPECT_EQ(Tool().Zoom2.size(), QSize(185, 95));
    // First shown centred over the ruler.
    EXPECT_EQ(Tool().Zoom1.pos(), QPoint(240 + 1440 / 2 - 185 / 2, 510 + 60 / 2 - 95 / 2));
    // The crosshairs wait for their first arms: an empty shape would show
    // the whole square.
    EXPECT_FALSE(Tool().CrossHair1.isVisible());
    Tool().PMTLInesRefreshTimer();
    EXPECT_EQ(Tool().AimColor, 0xFF000000u);
    for (QWidget* w : Windows()) EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(Tool().CrossHair1.Cross().Pixel(5, 0), 0xFF000000u);
    EXPECT_EQ(Tool().CrossHair1.Cross().Pixel(5, 5), kCrossHairKey);
    Tool().PMTLInesRefreshTimer();
    EXPECT_EQ(Tool().CrossHair2.Cross().Pixel(0, 5), 0xFFFFFFFFu);

    Run(TMenuId::menuPreciseShow);
    for (QWidget* w : Windows()) EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(Tool().PMTLInesRefresh.isActive());
    // The blink goes on from where it stopped.
    Run(TMenuId::menuPreciseShow);
    Tool().PMTLInesRefreshTimer();
    EXPECT_EQ(Tool().AimColor, 0xFF000000u);
}

TEST_F(PreciseToolTest, ASmallMagnifierAtFiveTimesShowsSeventeenPixelsAsBlocks)
{
    Start();
    Run(TMenuId::menuPreciseShow);
    TfrmZoom& zoom = Tool().Zoom1;
    zoom.move(700, 300);
    zoom.RepositionTarget();
    ASSERT_EQ(zoom.Target(), (TPoint{690, 290}));
    Tool().PMTLInesRefreshTimer();
    // Pixel (i, j) of the square shows screen pixel (682 + i div 5, 282 + j div 5),
    // but on the centre lines through the target's block.
    for (int j : {0, 4, 5, 39, 84})
        for (int i : {0, 4, 5, 41, 84})
            EXPECT_EQ(Shown(zoom, i, j), PixelAt(682 + i / 5, 282 + j / 5)) << i << "," << j;
    EXPECT_EQ(Shown(zoom, 40, 42), Tool().AimColor);
    EXPECT_EQ(Shown(zoom, 42, 40), Tool().AimColor);
    EXPECT_EQ(Shown(zoom, 43, 43), PixelAt(690, 290));  // the target pixel's block

    // 15 X shows at the next refresh, not before.
    Run(TMenuId::menuZoom15X);
    EXPECT_EQ(Shown(zoom, 0, 0), PixelAt(682, 282));
    Tool().PMTLInesRefreshTimer();
    EXPECT_EQ(Shown(zoom, 0, 0), PixelAt(688, 288));
    EXPECT_EQ(Shown(zoom, 84, 84), PixelAt(692, 292));
}

TEST_F(PreciseToolTest, TheReadOutFollowsBothTargets)
{
    Start();
    Run(TMenuId::menuPreciseShow);
    TfrmZoom& a = Tool().Zoom1;
    TfrmZoom& b = Tool().Zoom2;
    a.move(200, 200);
    a.RepositionTarget();
    b.move(500, 600);
    b.RepositionTarget();
    desktop.Pointer = TPoint{510, 610};
    b.imgZoomMouseDown(Qt::LeftButton, 10, 10);
    b.imgZoomMouseMove();  // a move of b redraws both read-outs
    b.imgZoomMouseUp();
    const auto values = ReadOutValues(a.Target(), b.Target(), ruler.State.PixelsPerUnit, ruler.State.UnitCode, u'.');
    EXPECT_EQ(values[2], u"300 px");
    EXPECT_EQ(values[3], u"400 px");
    EXPECT_EQ(values[4], u"500 px");
    EXPECT_EQ(values[5], u"53.1°");
    // Both layers show the same distances: the rows below X and Y agree.
    const TBitmap32& la = a.TextLayer.Bitmap;
    const TBitmap32& lb = b.TextLayer.Bitmap;
    int same = 0, inked = 0;
    for (int y = 30; y < la.Height(); ++y)
        for (int x = a.ZoomRect.Right; x < la.Width(); ++x) {
            same += la.Pixel(x, y) == lb.Pixel(x, y);
            inked += la.Pixel(x, y) != 0;
        }
    EXPECT_EQ(same, (la.Height() - 30) * (la.Width() - a.ZoomRect.Right));
    EXPECT_GT(inked, 100);
}

TEST_F(PreciseToolTest, LockedMagnifiersRideTheRulersCentreLine)
{
    Start();
    Run(TMenuId::menuPreciseShow);
    ruler.move(240, 400);
    Run(TMenuId::menuPreciseLock);  // aligns at once while shown
    for (TfrmZoom* z : {&Tool().Zoom1, &Tool().Zoom2}) EXPECT_EQ(z->y(), 383);
    const int left = Tool().Zoom1.x();
    // Down in the ruler moves ruler and magnifiers one pixel; they keep their Left.
    QTest::keyClick(&ruler, Qt::Key_Down);
    EXPECT_EQ(ruler.y(), 401);
    EXPECT_EQ(Tool().Zoom1.y(), 384);
    EXPECT_EQ(Tool().Zoom1.x(), left);
    EXPECT_EQ(Tool().Zoom1.Target(), (TPoint{left - 10, 374}));
    // A locked magnifier slides only along the ruler.
    TfrmZoom& z = Tool().Zoom2;
    const QPoint before = z.pos();
    desktop.Pointer = TPoint{before.x() + 50 + 10, before.y() - 200 + 10};
    z.imgZoomMouseDown(Qt::LeftButton, 10, 10);
    z.imgZoomMouseMove();
    z.imgZoomMouseUp();
    EXPECT_EQ(z.pos(), QPoint(before.x() + 50, before.y()));
    QTest::keyClick(&z, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(z.pos(), QPoint(before.x() + 50, before.y()));
    QTest::keyClick(&z, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(z.pos(), QPoint(before.x() + 45, before.y()));

    // Larger magnifiers are re-centred on the line at once.
    Run(TMenuId::menuPreciseLarge);
    EXPECT_EQ(Tool().Zoom1.size(), QSize(225, 135));
    EXPECT_EQ(Tool().Zoom1.y(), 401 + 30 - 67);
}

TEST_F(PreciseToolTest, MagnifiersShareTheRulersTransparencyWhenAsked)
{
    Start();
    Run(TMenuId::menuPreciseShow);
    EXPECT_DOUBLE_EQ(Tool().Zoom1.windowOpacity(), 1.0);
    Run(TMenuId::menuPreciseTransparency);
    for (TfrmZoom* z : {&Tool().Zoom1, &Tool().Zoom2}) EXPECT_NEAR(z->windowOpacity(), 204 / 255.0, 0.002);
    Run(TMenuId::MenuOpaque);
    EXPECT_DOUBLE_EQ(Tool().Zoom2.windowOpacity(), 1.0);
    Run(TMenuId::Menu50Percent);
    EXPECT_NEAR(Tool().Zoom2.windowOpacity(), 128 / 255.0, 0.002);
    EXPECT_DOUBLE_EQ(Tool().CrossHair2.windowOpacity(), 1.0);
}

TEST_F(PreciseToolTest, MenuKeysWorkInAMagnifierAndStickingStopsItsArrows)
{
    Start();
    Run(TMenuId::menuPreciseShow);
    TfrmZoom& z = Tool().Zoom1;
    QTest::keyClick(&z, Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(ruler.State.Rotate);
    const QPoint before = z.pos();
    ruler.State.StickToMouse = true;
    QTest::keyClick(&z, Qt::Key_Right);
    EXPECT_EQ(z.pos(), before);
    ruler.State.StickToMouse = false;
    QTest::keyClick(&z, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(z.pos(), before + QPoint(20, 0));
    // Four double-clicks bring the target back to the top-left corner.
    for (int n = 1; n <= 4; ++n) {
        z.imgZoomDblClick();
        EXPECT_EQ(z.TargetCorner, n % 4);
    }
    EXPECT_EQ(z.Target(), (TPoint{z.x() - 10, z.y() - 10}));
}

TEST_F(PreciseToolTest, ASavedShownToolComesBackShownAndBlinkingAndIsHiddenAtTheEnd)
{
    ruler.State.PMTShow = true;
    ruler.State.PMTSize = TPMTSize::Medium;
    Start();
    EXPECT_TRUE(Tool().Zoom1.isVisible());
    EXPECT_TRUE(Tool().Zoom2.isVisible());
    EXPECT_EQ(Tool().Zoom2.size(), QSize(205, 115));
    EXPECT_TRUE(Tool().PMTLInesRefresh.isActive());
    ruler.FormDestroy();
    for (QWidget* w : Windows()) EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(Tool().PMTLInesRefresh.isActive());
    EXPECT_TRUE(ruler.State.PMTShow);  // saved as shown
}

TEST_F(PreciseToolTest, AChangeOfMonitorCarriesLockedMagnifiersAlong)
{
    desktop.MonitorList = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    ruler.State.MonitorCount = 2;
    ruler.State.MonitorRects[1] = {-1280, 0, 1280, 1024};
    Start();
    Run(TMenuId::menuPreciseShow);
    Run(TMenuId::menuPreciseLock);
    Run(TMenuId::menuMonitor, 1);
    EXPECT_TRUE(ruler.State.PMTShow);
    EXPECT_TRUE(ruler.State.PMTLocked);
    const QRect r = ruler.geometry();
    EXPECT_EQ(r.top(), 482);
    for (TfrmZoom* z : {&Tool().Zoom1, &Tool().Zoom2}) {
        EXPECT_EQ(z->y(), r.top() + 30 - 47);
        EXPECT_GE(z->x(), -1280 + 10);
        EXPECT_LE(z->x() + z->width(), 0);
    }
}

// The unit, colour and EMBOSSED commands reach the shown magnifiers: the
// read-out speaks the new unit, the background takes the new colours.
TEST_F(PreciseToolTest, UnitColourAndEmbossingReachTheMagnifiers)
{
    Start();
    Run(TMenuId::menuPreciseShow);
    TfrmZoom& z = Tool().Zoom1;
    const auto pixels = [](const TBitmap32& b) {
        return std::vector<TColor32>(b.Bits(), b.Bits() + static_cast<std::ptrdiff_t>(b.Width()) * b.Height());
    };
    const std::vector<TColor32> inPixels = pixels(z.TextLayer.Bitmap);
    Run(TMenuId::menuCM);
    EXPECT_NE(pixels(z.TextLayer.Bitmap), inPixels);
    const QRgb body = z.ShownImage().pixel(z.width() - 3, z.height() / 2);
    Run(TMenuId::ColorMenuItem, 4);
    EXPECT_NE(z.ShownImage().pixel(z.width() - 3, z.height() / 2), body);
    const QRgb edge = z.ShownImage().pixel(0, z.height() / 2);
    Run(TMenuId::MenuEmbossed);
    EXPECT_NE(z.ShownImage().pixel(0, z.height() / 2), edge);
}

// LOCK 2 RULER while the tool is hidden changes the option alone; SHOW does
// not move the magnifiers; a rotation carries locked ones to the new line.
TEST_F(PreciseToolTest, LockWhileHiddenWaitsAndRotationRealigns)
{
    Start();
    Run(TMenuId::menuPreciseShow);
    Tool().Zoom1.move(100, 100);
    Tool().Zoom2.move(300, 700);
    Run(TMenuId::menuPreciseShow);
    Run(TMenuId::menuPreciseLock);
    EXPECT_TRUE(ruler.State.PMTLocked);
    Run(TMenuId::menuPreciseShow);
    EXPECT_EQ(Tool().Zoom1.pos(), QPoint(100, 100));
    EXPECT_EQ(Tool().Zoom2.pos(), QPoint(300, 700));
    Run(TMenuId::menuRotate);  // vertical, centred: 60 wide at x 930
    for (TfrmZoom* z : {&Tool().Zoom1, &Tool().Zoom2}) EXPECT_EQ(z->x(), 930 + 30 - 92);
    EXPECT_EQ(Tool().Zoom2.y(), 700);
}

// A change of monitor with the tool shown but not locked brings it back
// shown, where it was, and still unlocked.
TEST_F(PreciseToolTest, AChangeOfMonitorKeepsAnUnlockedToolShown)
{
    desktop.MonitorList = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    ruler.State.MonitorCount = 2;
    ruler.State.MonitorRects[1] = {-1280, 0, 1280, 1024};
    Start();
    Run(TMenuId::menuPreciseShow);
    Tool().Zoom1.move(100, 100);
    Run(TMenuId::menuMonitor, 1);
    EXPECT_TRUE(ruler.State.PMTShow);
    EXPECT_FALSE(ruler.State.PMTLocked);
    EXPECT_TRUE(Tool().Zoom1.isVisible());
    EXPECT_EQ(Tool().Zoom1.pos(), QPoint(100, 100));
}

}  // namespace
