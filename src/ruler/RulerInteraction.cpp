#include "ruler/RulerInteraction.h"

void TDragState::Press(int x, int y, bool onLogo)
{
    if (onLogo) LogoClicked = true;
    Dragging = true;
    DragX = x;
    DragY = y;
}

std::optional<TPoint> TDragState::Move(std::optional<TPoint> pointer)
{
    LogoClicked = false;
    if (SizeChanged) {
        // The grab point does not fit the new window any more.
        Release();
        SizeChanged = false;
        return std::nullopt;
    }
    if (!Dragging || !pointer) return std::nullopt;
    return TPoint{pointer->X - DragX, pointer->Y - DragY};
}

void TDragState::Release()
{
    Dragging = false;
    DragX = 0;
    DragY = 0;
}

bool TDragState::Click(bool stickToMouse)
{
    const bool logo = LogoClicked;
    LogoClicked = false;
    if (stickToMouse) StickOffset = -StickOffset;
    return logo;
}

std::optional<TPoint> NudgeTarget(const TDragState& drag, bool stickToMouse, TArrowKey key, TModifiers mods,
                                  const TWindowBounds& window)
{
    if (drag.Dragging || stickToMouse) return std::nullopt;
    int dx = 0, dy = 0;
    switch (key) {
        case TArrowKey::Left: dx = -1; break;
        case TArrowKey::Up: dy = -1; break;
        case TArrowKey::Right: dx = 1; break;
        case TArrowKey::Down: dy = 1; break;
        case TArrowKey::None: break;
    }
    const int held = int{mods.Shift} + int{mods.Ctrl} + int{mods.Alt};
    int step = 1;
    if (held == 1) step = mods.Shift ? 5 : mods.Ctrl ? 10 : 20;
    return TPoint{window.Left + dx * step, window.Top + dy * step};
}

TPoint StickTarget(bool rotate, TPoint p, const TWindowBounds& window, int stickOffset)
{
    if (rotate) return {p.X - window.Width / 2 + stickOffset, p.Y - window.Height / 2};
    return {p.X - window.Width / 2, p.Y - window.Height / 2 + stickOffset};
}

TRulerSize NextResizeStep(TRulerSize current)
{
    if (current == TRulerSize::Full) return TRulerSize::Half;
    if (current == TRulerSize::ThreeQuarters) return TRulerSize::Full;
    return TRulerSize::ThreeQuarters;
}

TMenuItemRef DoubleClickCommand(const RulerState& s)
{
    using I = TMenuId;
    switch (s.DoubleClick) {
        case TDoubleClickAction::AxisLock: return {I::menuAxisLocked};
        case TDoubleClickAction::Resize:
            switch (NextResizeStep(s.Size)) {
                case TRulerSize::Half: return {I::menu050Size};
                case TRulerSize::Full: return {I::menuFullSize};
                default: return {I::menu075Size};
            }
        case TDoubleClickAction::Rotate: return {I::menuRotate};
        case TDoubleClickAction::ScaleAndHints: return {I::menuScaleShow};
        case TDoubleClickAction::PreciseOn: return {I::menuPreciseShow};
        case TDoubleClickAction::PreciseLock: return {I::menuPreciseLock};
        case TDoubleClickAction::NextMonitor: return {I::menuMonitor, NextMonitor(s.MonitorCount, s.ActiveMon) - 1};
        case TDoubleClickAction::CustomSettings: return {I::menuCustomize};
    }
    return {I::menuAxisLocked};
}

std::vector<TMenuItemRef> ScaleAndHintsFollowUps(const RulerState& s)
{
    std::vector<TMenuItemRef> items;
    if (s.ShowMouse != s.Scale) items.push_back({TMenuId::menuInfoMouse});
    if (s.ShowRGB != s.Scale) items.push_back({TMenuId::menuInfoRGB});
    if (s.ShowHints != s.Scale) items.push_back({TMenuId::menuInfoHints});
    return items;
}

int NextMonitor(int monitorCount, int activeMon)
{
    if (monitorCount > 1 && activeMon == 1) return 2;
    if (monitorCount > 2 && activeMon == 2) return 3;
    if (monitorCount > 3 && activeMon == 3) return 4;
    return 1;
}
