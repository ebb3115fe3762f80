#include "ruler/RulerInteraction.h"

#include <gtest/gtest.h>

namespace {

TEST(TDragState, DragKeepsTheGrabPointUnderThePointer)
{
    TDragState d;
    EXPECT_EQ(d.Move(TPoint{500, 300}), std::nullopt);  // no drag yet
    d.Press(10, 5, false);
    EXPECT_EQ(d.Move(TPoint{500, 300}), (TPoint{490, 295}));
    EXPECT_EQ(d.Move(std::nullopt), std::nullopt);  // pointer unreadable: no move
    EXPECT_TRUE(d.Dragging);
    d.Release();
    EXPECT_FALSE(d.Dragging);
    EXPECT_EQ(d.Move(TPoint{600, 300}), std::nullopt);
}

TEST(TDragState, AResizeEndsTheDragAtTheNextMove)
{
    TDragState d;
    d.Press(10, 5, false);
    d.SizeChanged = true;
    EXPECT_EQ(d.Move(TPoint{500, 300}), std::nullopt);
    EXPECT_FALSE(d.Dragging);
    EXPECT_FALSE(d.SizeChanged);
    EXPECT_EQ(d.DragX, 0);
    EXPECT_EQ(d.Move(TPoint{510, 300}), std::nullopt);
}

TEST(TDragState, LogoClickOpensOnceAndAnyMoveCancelsIt)
{
    TDragState d;
    d.Press(900, 20, true);
    d.Release();
    EXPECT_TRUE(d.Click(false));
    EXPECT_FALSE(d.Click(false));

    d.Press(900, 20, true);
    d.Move(TPoint{900, 20});
    d.Release();
    EXPECT_FALSE(d.Click(false));

    d.Press(900, 20, false);  // the logo hidden: a plain drag
    d.Release();
    EXPECT_FALSE(d.Click(false));
}

TEST(TDragState, ClickFlipsAStuckRuler)
{
    TDragState d;
    EXPECT_EQ(d.StickOffset, 50);
    d.Click(false);
    EXPECT_EQ(d.StickOffset, 50);
    d.Press(1, 1, true);
    EXPECT_TRUE(d.Click(true));  // the logo opens and the ruler flips
    EXPECT_EQ(d.StickOffset, -50);
    d.Click(true);
    EXPECT_EQ(d.StickOffset, 50);
}

TEST(NudgeTarget, StepsByModifierSet)
{
    const TWindowBounds w{100, 200, 960, 60};
    const TDragState idle;
    struct Case {
        TArrowKey key;
        TModifiers mods;
        TPoint expected;
    };
    const Case cases[] = {
        {TArrowKey::Right, {}, {101, 200}},
        {TArrowKey::Right, {true, false, false}, {105, 200}},
        {TArrowKey::Up, {false, true, false}, {100, 190}},
        {TArrowKey::Left, {false, false, true}, {80, 200}},
        {TArrowKey::Down, {false, false, true}, {100, 220}},
        {TArrowKey::Right, {true, true, false}, {101, 200}},
        {TArrowKey::Left, {true, true, true}, {99, 200}},
        {TArrowKey::None, {true, false, false}, {100, 200}},  // any key re-applies the clamps in place
    };
    for (const Case& c : cases) EXPECT_EQ(NudgeTarget(idle, false, c.key, c.mods, w), c.expected);

    TDragState dragging;
    dragging.Press(1, 1, false);
    EXPECT_EQ(NudgeTarget(dragging, false, TArrowKey::Right, {}, w), std::nullopt);
    EXPECT_EQ(NudgeTarget(idle, true, TArrowKey::Right, {}, w), std::nullopt);
}

TEST(StickTarget, RulerFollowsThePointerAtItsOffset)
{
    const TWindowBounds h{0, 0, 960, 60};
    // Offset 50: the top edge runs 20 pixels below the pointer; flipped, the
    // bottom edge 20 above.
    EXPECT_EQ(StickTarget(false, {500, 300}, h, 50), (TPoint{20, 320}));
    EXPECT_EQ(StickTarget(false, {500, 300}, h, -50), (TPoint{20, 220}));
    const TWindowBounds v{0, 0, 60, 811};
    EXPECT_EQ(StickTarget(true, {500, 300}, v, 50), (TPoint{520, 300 - 405}));
    EXPECT_EQ(StickTarget(true, {500, 300}, v, -50), (TPoint{420, 300 - 405}));
}

TEST(DoubleClickChoices, ResizeCyclesAndNextMonitorWraps)
{
    EXPECT_EQ(NextResizeStep(TRulerSize::Half), TRulerSize::ThreeQuarters);
    EXPECT_EQ(NextResizeStep(TRulerSize::ThreeQuarters), TRulerSize::Full);
    EXPECT_EQ(NextResizeStep(TRulerSize::Full), TRulerSize::Half);
    EXPECT_EQ(NextResizeStep(TRulerSize::Custom), TRulerSize::ThreeQuarters);

    int m = 1;
    std::vector<int> seen;
    seen.reserve(4);
    for (int i = 0; i < 4; ++i) seen.push_back(m = NextMonitor(3, m));
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(NextMonitor(1, 1), 1);
    EXPECT_EQ(NextMonitor(4, 4), 1);
    EXPECT_EQ(NextMonitor(2, 3), 1);
}

// The double-click runs a menu command: the chosen action's, its argument
// taken from the state at the time.
TEST(DoubleClickCommand, EachActionRunsItsMenuCommand)
{
    using I = TMenuId;
    struct Case {
        TDoubleClickAction action;
        TRulerSize size;
        int activeMon;
        TMenuItemRef expected;
    };
    const Case cases[] = {
        {TDoubleClickAction::AxisLock, TRulerSize::Full, 1, {I::menuAxisLocked}},
        {TDoubleClickAction::Resize, TRulerSize::Half, 1, {I::menu075Size}},
        {TDoubleClickAction::Resize, TRulerSize::ThreeQuarters, 1, {I::menuFullSize}},
        {TDoubleClickAction::Resize, TRulerSize::Full, 1, {I::menu050Size}},
        {TDoubleClickAction::Resize, TRulerSize::Custom, 1, {I::menu075Size}},
        {TDoubleClickAction::Rotate, TRulerSize::Half, 1, {I::menuRotate}},
        {TDoubleClickAction::ScaleAndHints, TRulerSize::Half, 1, {I::menuScaleShow}},
        {TDoubleClickAction::PreciseOn, TRulerSize::Half, 1, {I::menuPreciseShow}},
        {TDoubleClickAction::PreciseLock, TRulerSize::Half, 1, {I::menuPreciseLock}},
        {TDoubleClickAction::NextMonitor, TRulerSize::Half, 2, {I::menuMonitor, 2}},
        {TDoubleClickAction::NextMonitor, TRulerSize::Half, 3, {I::menuMonitor, 0}},
        {TDoubleClickAction::CustomSettings, TRulerSize::Half, 1, {I::menuCustomize}},
    };
    for (const Case& c : cases) {
        RulerState s;
        s.DoubleClick = c.action;
        s.Size = c.size;
        s.MonitorCount = 3;
        s.ActiveMon = c.activeMon;
        const TMenuItemRef got = DoubleClickCommand(s);
        EXPECT_EQ(got.Id, c.expected.Id) << static_cast<int>(c.action);
        EXPECT_EQ(got.Index, c.expected.Index) << static_cast<int>(c.action);
    }
}

// After the scale was toggled, exactly the information items that differ
// from it are run, in the menu's order.
TEST(DoubleClickCommand, ScaleAndHintsBringsTheInformationItemsInLine)
{
    RulerState s;
    s.Scale = true;
    s.ShowMouse = true;
    s.ShowRGB = false;
    s.ShowHints = false;
    std::vector<TMenuId> ids;
    for (const TMenuItemRef& item : ScaleAndHintsFollowUps(s)) ids.push_back(item.Id);
    EXPECT_EQ(ids, (std::vector<TMenuId>{TMenuId::menuInfoRGB, TMenuId::menuInfoHints}));
    s.Scale = false;
    ids.clear();
    for (const TMenuItemRef& item : ScaleAndHintsFollowUps(s)) ids.push_back(item.Id);
    EXPECT_EQ(ids, (std::vector<TMenuId>{TMenuId::menuInfoMouse}));
}
}  // namespace
