#include "ruler/MenuTree.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

std::optional<TMenuItemRef> Key(const char* keys, const RulerState& s, const TMenuContext& c = {})
{
    return MenuItemForKeys(keys, s, c);
}

TEST(MenuTree, SharedKeysRunTheFirstItemEvenWhenHidden)
{
    RulerState s;
    EXPECT_EQ(Key("Ctrl+S", s), (TMenuItemRef{TMenuId::menuStickToMouse, 0}));
    s.ShowAdvanced = false;
    EXPECT_FALSE(MenuVisible({TMenuId::menuStickToMouse}, s, {}));
    EXPECT_EQ(Key("Ctrl+S", s), (TMenuItemRef{TMenuId::menuStickToMouse, 0}));
    EXPECT_FALSE(MenuVisible({TMenuId::menuCustomize}, s, {}));
    EXPECT_EQ(Key("Ctrl+C", s), (TMenuItemRef{TMenuId::menuCustomize, 0}));
}

TEST(MenuTree, KeysOfEveryKindOfItem)
{
    RulerState s;  // colour 0 and 20 % are current
    const std::pair<const char*, std::optional<TMenuItemRef>> cases[] = {
        {"Ctrl+R", TMenuItemRef{TMenuId::menuRotate}},
        {"Ctrl+F", TMenuItemRef{TMenuId::menuFullSize}},
        {"Ctrl+P", TMenuItemRef{TMenuId::menuPreciseShow}},
        {"Ctrl+B", TMenuItemRef{TMenuId::menuPreciseLock}},
        {"Ctrl+M", TMenuItemRef{TMenuId::menuMagnifier}},
        {"Ctrl+D", TMenuItemRef{TMenuId::menuReset}},
        {"F1", TMenuItemRef{TMenuId::menuHelp}},
        {"Alt+F4", TMenuItemRef{TMenuId::menuExit}},
        {"Ctrl+F2", TMenuItemRef{TMenuId::ColorMenuItem, 1}},
        {"Ctrl+F8", TMenuItemRef{TMenuId::ColorMenuItem, 7}},
        {"Ctrl+F9", TMenuItemRef{TMenuId::ColorMenuItem, 15}},
        {"Ctrl+F1", std::nullopt},  // White is current: its item is disabled
        {"Ctrl+Shift+F1", TMenuItemRef{TMenuId::MenuOpaque}},
        {"Ctrl+Shift+F5", std::nullopt},  // 20 % is current
        {"Ctrl+Shift+F9", TMenuItemRef{TMenuId::menuCustomTransparency}},
        {"Ctrl+1", std::nullopt},  // one monitor: no monitor items
        {"Ctrl+X", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [keys, expected] : cases) EXPECT_EQ(Key(keys, s), expected) << keys;
}

TEST(MenuTree, MonitorItemsFollowTheMonitorCount)
{
    RulerState s;
    s.MonitorCount = 3;
    EXPECT_EQ(Key("Ctrl+1", s), (TMenuItemRef{TMenuId::menuMonitor, 0}));
    EXPECT_EQ(Key("Ctrl+3", s), (TMenuItemRef{TMenuId::menuMonitor, 2}));
    EXPECT_EQ(Key("Ctrl+4", s), std::nullopt);
    EXPECT_TRUE(MenuVisible({TMenuId::menuMonitor, 2}, s, {}));
    EXPECT_FALSE(MenuVisible({TMenuId::menuMonitor, 3}, s, {}));
    EXPECT_TRUE(MenuVisible({TMenuId::menuManualSeparator}, s, {}));
    EXPECT_TRUE(MenuEnabled({TMenuId::menuDoubleNext}, s, {}));
    s.MonitorCount = 1;
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(MenuVisible({TMenuId::menuMonitor, i}, s, {}));
        EXPECT_FALSE(MenuEnabled({TMenuId::menuMonitor, i}, s, {}));
    }
    EXPECT_FALSE(MenuVisible({TMenuId::menuManualSeparator}, s, {}));
    EXPECT_FALSE(MenuEnabled({TMenuId::menuDoubleNext}, s, {}));
}

TEST(MenuTree, EnabledStatesFollowTheState)
{
    RulerState s;
    EXPECT_FALSE(MenuEnabled({TMenuId::menuResolution}, s, {}));
    s.Units = TUnits::Centimeters;
    EXPECT_TRUE(MenuEnabled({TMenuId::menuResolution}, s, {}));
    EXPECT_TRUE(MenuEnabled({TMenuId::menuUp}, s, {}));
    EXPECT_FALSE(MenuEnabled({TMenuId::menuLeft}, s, {}));
    s.Rotate = true;
    EXPECT_FALSE(MenuEnabled({TMenuId::menuDown}, s, {}));
    EXPECT_TRUE(MenuEnabled({TMenuId::menuRight}, s, {}));
    s.Color = 9;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(MenuEnabled({TMenuId::ColorMenuItem, i}, s, {}), i != 9);
    TMenuContext c;
    c.CheckRunning = true;
    EXPECT_FALSE(MenuEnabled({TMenuId::menuCheckNow}, s, c));
}

TEST(MenuTree, EveryRadioGroupHasExactlyOneCheckedItem)
{
    TMenuContext c;
    c.LanguageNames = {u"Deutsch", u"Fran\u00E7ais"};
    for (int language : {-1, 0, 1}) {
        c.CheckedLanguage = language;
        RulerState s;
        s.MonitorCount = 4;
        s.ActiveMon = 3;
        s.Units = TUnits::Custom;
        s.Transparency = TTransparency::Opaque;
        std::map<TMenuId, int> checked;  // by submenu
        for (const TMenuItemRef& item : MenuItems(c))
            if (MenuEntry(item.Id).Kind == TMenuKind::Radio && MenuChecked(item, s, c)) ++checked[*MenuParent(item.Id)];
        const std::map<TMenuId, int> expected = {
            {TMenuId::menuDoubleClick, 1}, {TMenuId::menuMultiMon, 1},     {TMenuId::menuUnits, 1},
            {TMenuId::menuResolution, 1},  {TMenuId::menuPreciseSize, 1},  {TMenuId::menuPreciseZoom, 1},
            {TMenuId::menuSize, 1},        {TMenuId::menuTransparency, 1}, {TMenuId::menuLanguage, 1},
        };
        EXPECT_EQ(checked, expected);
    }
}

TEST(MenuTree, ComposedCaptions)
{
    RulerState s;
    const TMenuContext c;
    EXPECT_EQ(MenuCaption({TMenuId::menuCustomUnits}, s, c, TLanguageTable{}), u"Custom: Kilometers [km]");
    EXPECT_EQ(MenuCaption({TMenuId::menuCustomResolution}, s, c, TLanguageTable{}), u"Custom: 150 dpi");
    EXPECT_EQ(MenuCaption({TMenuId::menuCustomSize}, s, c, TLanguageTable{}), u"Custom: 640 px");
    EXPECT_EQ(MenuCaption({TMenuId::menuCustomTransparency}, s, c, TLanguageTable{}), u"Custom: 60 %");
    s.CustomSizeInPixels = false;
    s.CustomSize = 85;
    EXPECT_EQ(MenuCaption({TMenuId::menuCustomSize}, s, c, TLanguageTable{}), u"Custom: 85 %");
    EXPECT_EQ(MenuCaption({TMenuId::menuAxisLocked}, s, c, TLanguageTable{}), u"Vertical Moves Only");
    s.Rotate = true;
    EXPECT_EQ(MenuCaption({TMenuId::menuAxisLocked}, s, c, TLanguageTable{}), u"Horizontal Moves Only");
    EXPECT_EQ(MenuCaption({TMenuId::menuMonitor, 2}, s, c, TLanguageTable{}), u"Use Monitor \"3\"");
    EXPECT_EQ(MenuCaption({TMenuId::ColorMenuItem, 13}, s, c, TLanguageTable{}), u"Adriatic Sea");
    EXPECT_EQ(MenuCaption({TMenuId::menuEN}, s, c, TLanguageTable{}), u"English");
    EXPECT_EQ(MenuCaption({TMenuId::Menu30Percent}, s, c, TLanguageTable{}), u"30%");
    EXPECT_EQ(MenuCaption({TMenuId::menuZoom10X}, s, c, TLanguageTable{}), u"10 X");
}

TEST(MenuTree, ShowAdvancedHidesExactlyTheFourteenAdvancedItems)
{
    TMenuContext c;
    c.LanguageNames = {u"Deutsch"};
    RulerState on;
    on.MonitorCount = 2;
    RulerState off = on;
    off.ShowAdvanced = false;
    std::set<std::string> hidden;
    for (const TMenuItemRef& item : MenuItems(c))
        if (MenuVisible(item, on, c) && !MenuVisible(item, off, c)) hidden.insert(MenuEntry(item.Id).Name);
    const std::set<std::string> expected = {
        "menuStickToMouse", "menuDoubleClick", "menuMultiMon",  "menuCustomUnits",       "menuCustomResolution",
        "menuPosition",     "menuNoOffset",    "menuPrecise",   "menuShowInfo",          "MenuEmbossed",
        "menuHideLogo",     "menuCustomize",   "menuAutostart", "menuSaveSettingsOnExit"};
    EXPECT_EQ(hidden, expected);
}

TEST(MenuTree, LanguageSubmenuItems)
{
    RulerState s;
    TMenuContext none;
    EXPECT_FALSE(MenuVisible({TMenuId::menuLangSeparator}, s, none));
    int languageItems = 0;
    for (const TMenuItemRef& item : MenuItems(none)) languageItems += item.Id == TMenuId::LangMenuItem;
    EXPECT_EQ(languageItems, 0);

    TMenuContext three;
    three.LanguageNames = {u"Deutsch", u"", u"Nederlands"};
    three.CheckedLanguage = 1;
    EXPECT_TRUE(MenuVisible({TMenuId::menuLangSeparator}, s, three));
    std::vector<TMenuId> order;
    for (const TMenuItemRef& item : MenuItems(three))
        if (MenuParent(item.Id) == TMenuId::menuLanguage) order.push_back(item.Id);
    EXPECT_EQ(order,
              (std::vector<TMenuId>{TMenuId::menuEN, TMenuId::menuLangSeparator, TMenuId::LangMenuItem,
                                    TMenuId::LangMenuItem, TMenuId::LangMenuItem, TMenuId::N9, TMenuId::menuMore}));
    EXPECT_EQ(MenuCaption({TMenuId::LangMenuItem, 1}, s, three, TLanguageTable{}), u"");
    EXPECT_TRUE(MenuChecked({TMenuId::LangMenuItem, 1}, s, three));
    EXPECT_FALSE(MenuChecked({TMenuId::menuEN}, s, three));
}

// Choosing any radio item through the table checks that item and no other
// of its group: the one mapping serves the dispatch and the check marks.
TEST(MenuTree, ARadioChoiceChecksItsOwnItemOnly)
{
    const TMenuContext c;
    std::set<std::pair<int, int>> seen;
    for (const TMenuItemRef& chosen : MenuItems(c)) {
        const auto choice = RadioChoice(chosen.Id);
        if (!choice) continue;
        EXPECT_TRUE(seen.insert({static_cast<int>(choice->Option), choice->Value}).second)
            << MenuEntry(chosen.Id).Name << " stands for a value another item has";
        RulerState s;
        SetRadioOption(s, *choice);
        EXPECT_EQ(RadioOptionValue(s, choice->Option), choice->Value);
        for (const TMenuItemRef& other : MenuItems(c)) {
            if (MenuParent(other.Id) != MenuParent(chosen.Id) || !RadioChoice(other.Id)) continue;
            EXPECT_EQ(MenuChecked(other, s, c), other.Id == chosen.Id)
                << MenuEntry(chosen.Id).Name << " chosen, " << MenuEntry(other.Id).Name;
        }
    }
    // Double-click 8, units 4, resolution 6, tool size 3, zoom 3, size 4,
    // transparency 9.
    EXPECT_EQ(seen.size(), 37u);
}

// A check item shows the option it toggles, and toggling it changes that
// option alone.
TEST(MenuTree, CheckItemsToggleTheirOwnOption)
{
    const TMenuContext c;
    for (const TMenuItemRef& item : MenuItems(c)) {
        RulerState s;
        bool* option = CheckOption(s, item.Id);
        if (!option) continue;
        const RulerState before = s;
        *option = !*option;
        EXPECT_NE(MenuChecked(item, s, c), MenuChecked(item, before, c)) << MenuEntry(item.Id).Name;
        int changed = 0;
        for (const TMenuItemRef& other : MenuItems(c)) {
            if (CheckOption(s, other.Id)) changed += *CheckOption(s, other.Id) != *CheckOption(before, other.Id);
        }
        EXPECT_EQ(changed, 1) << MenuEntry(item.Id).Name;
    }
}
}  // namespace
