#pragma once
// The keys that reach a context-menu item from a freshly opened menu, found
// from the menu table and the state the program is known to be in, so that
// a test still reaches its item when items are added before it.

#include <string>
#include <vector>

#include "ruler/MenuTree.h"

// Down to the item in each menu on the way, Right into each submenu; the
// last key reaches the item without choosing it (add "Return" for that).
std::vector<std::string> KeysToMenuItem(TMenuItemRef item, const RulerState& s, const TMenuContext& context = {});
