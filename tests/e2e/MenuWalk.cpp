#include "MenuWalk.h"

#include <algorithm>

namespace {

// Whether the keyboard stops at an item: menus skip separators, hidden and
// disabled items.
bool Reachable(TMenuItemRef item, const RulerState& s, const TMenuContext& c)
{
    return MenuEntry(item.Id).Kind != TMenuKind::Separator && MenuVisible(item, s, c) && MenuEnabled(item, s, c);
}

}  // namespace

std::vector<std::string> KeysToMenuItem(TMenuItemRef item, const RulerState& s, const TMenuContext& context)
{
    // The chain of submenus from the menu's own level down to the item.
    std::vector<TMenuItemRef> chain{item};
    for (auto up = MenuParent(item.Id); up; up = MenuParent(*up)) chain.insert(chain.begin(), TMenuItemRef{*up, 0});
    const std::vector<TMenuItemRef> all = MenuItems(context);
    std::vector<std::string> keys;
    for (std::size_t level = 0; level < chain.size(); ++level) {
        const TMenuItemRef target = chain[level];
        const std::optional<TMenuId> parent = MenuParent(target.Id);
        int downs = level == 0 ? 1 : 0;  // nothing is active in a menu just opened
        for (const TMenuItemRef& i : all) {
            if (i == target) break;
            if (MenuParent(i.Id) == parent && Reachable(i, s, context)) ++downs;
        }
        keys.insert(keys.end(), static_cast<std::size_t>(downs), "Down");
        if (level + 1 < chain.size()) keys.push_back("Right");
    }
    return keys;
}
