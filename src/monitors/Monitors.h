#pragma once
// The table of monitor rectangles the ruler works with.

#include <vector>

#include "ruler/RulerState.h"

// Fills MonitorCount (1..4) and MonitorRects from the system's monitors, in
// the system's order; unused entries are zeros.
void DetectMonitors(RulerState& s, const std::vector<MonitorRect>& system);
