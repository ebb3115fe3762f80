#pragma once
// The table of monitor rectangles the ruler works with.

#include <vector>

#include "ruler/RulerState.h"

// Fills MonitorCount (1..4) and MonitorRects from the system's monitors, in
// the system's order; unused entries are zeros.
void DetectMonitors(RulerState& s, const std::vector<MonitorRect>& system);

// The ruler must land on a monitor it can be seen on: an active monitor
// beyond those in use, or one whose rectangle has no area (a hand-edited
// file, a monitor since unplugged), gives way to monitor 1, and an empty
// monitor 1 to the system's first monitor. True when anything changed.
bool EnsureUsableActiveArea(RulerState& s, const std::vector<MonitorRect>& system);

// Makes monitor n (1..4, clamped) the active one: ActiveMon and ActiveArea.
void SelectMonitor(RulerState& s, int n);
// NEXT MONITOR means nothing with one monitor: that double-click action
// rotates instead, once the monitors are known. (A hand-edited count of 0
// leaves the action alone; the item is merely disabled.)
void FitDoubleClickToMonitors(RulerState& s);
// The monitor to select again after the table changed: the checked one
// while it is still in use, else monitor 1.
int MonitorToReselect(const RulerState& s);

// After a monitor went away while the program runs, whether the ruler has
// lost the monitor it is on: with detected monitors, when its area is no
// longer one of the screens; with a manual table, only when its area
// overlaps no screen at all.
bool ActiveMonitorGone(const RulerState& s, const std::vector<MonitorRect>& screens);
