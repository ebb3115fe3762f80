#pragma once
// How pointer and keys move the ruler: the drag state, the arrow-key nudge,
// the stick-to-pointer position and the double-click choices.

#include <vector>

#include "ruler/Desktop.h"
#include "ruler/MenuTree.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerState.h"

inline constexpr int kInitialStickOffset = 50;

struct TDragState {
    bool Dragging = false;
    int DragX = 0;
    int DragY = 0;
    bool LogoClicked = false;
    bool SizeChanged = false;
    int StickOffset = kInitialStickOffset;

    // A left press at window point (x, y); onLogo: on the logo while it shows.
    void Press(int x, int y, bool onLogo);
    // A pointer move. Gives the wanted window position while a drag goes on
    // and the pointer could be read; a resize or rotation since the last move
    // ends the drag instead.
    std::optional<TPoint> Move(std::optional<TPoint> pointer);
    void Release();
    // A single click: whether the logo was clicked (then the web page opens);
    // a ruler stuck to the pointer flips to the pointer's other side.
    bool Click(bool stickToMouse);
};

enum class TArrowKey { None, Left, Up, Right, Down };

struct TModifiers {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

// Where a key asks the ruler to go: arrows by 1, or 5, 10, 20 with exactly
// Shift, Ctrl or Alt; any other key the current position, which re-applies
// the clamps. Nothing while a drag or the stick mode is on.
std::optional<TPoint> NudgeTarget(const TDragState& drag, bool stickToMouse, TArrowKey key, TModifiers mods,
                                  const TWindowBounds& window);

// Where the stick timer puts the ruler for the pointer at p.
TPoint StickTarget(bool rotate, TPoint p, const TWindowBounds& window, int stickOffset);

// The RESIZE double-click action: full becomes half, three quarters full,
// anything else three quarters.
TRulerSize NextResizeStep(TRulerSize current);
// The NEXT MONITOR action: 1, 2, .., count, 1.
int NextMonitor(int monitorCount, int activeMon);

// The menu command a double-click on the ruler runs for the chosen action.
TMenuItemRef DoubleClickCommand(const RulerState& s);
// SCALE AND HINTS, once the scale was toggled: the information items to run
// so that mouse co-ordinates, RGB colour and hints follow the scale.
std::vector<TMenuItemRef> ScaleAndHintsFollowUps(const RulerState& s);
