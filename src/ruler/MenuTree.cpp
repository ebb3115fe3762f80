#include "ruler/MenuTree.h"

#include <algorithm>

#include "lang/Languages.h"
#include "online/WebSites.h"
#include "ruler/RulerGeometry.h"

namespace {

using K = TMenuKind;
using I = TMenuId;

// clang-format off
const std::vector<TMenuEntry> kEntries = {
    {I::menuStickToMouse, "menuStickToMouse", 0, K::Check, "Ctrl+S", true},
    {I::menuAxisLocked, "menuAxisLocked", 0, K::Check, "", false},
    {I::menuBoundToScreen, "menuBoundToScreen", 0, K::Check, "", false},
    {I::menuDoubleClick, "menuDoubleClick", 0, K::Submenu, "", true},
    {I::menuDoubleLock, "menuDoubleLock", 1, K::Radio, "", false},
    {I::menuDoubleResize, "menuDoubleResize", 1, K::Radio, "", false},
    {I::menuDoubleRotate, "menuDoubleRotate", 1, K::Radio, "", false},
    {I::menuDoubleScale, "menuDoubleScale", 1, K::Radio, "", false},
    {I::menuDoublePrecise, "menuDoublePrecise", 1, K::Radio, "", false},
    {I::menuDoublePreciseLock, "menuDoublePreciseLock", 1, K::Radio, "", false},
    {I::menuDoubleNext, "menuDoubleNext", 1, K::Radio, "", false},
    {I::menuDoubleCustomize, "menuDoubleCustomize", 1, K::Radio, "", false},
    {I::menuMultiMon, "menuMultiMon", 0, K::Submenu, "", true},
    {I::menuMonitor, "menuMonitor", 1, K::Radio, "Ctrl+", false},
    {I::menuManualSeparator, "menuManualSeparator", 1, K::Separator, "", false},
    {I::menuManualConfig, "menuManualConfig", 1, K::Command, "", false},
    {I::menuReset, "menuReset", 1, K::Command, "Ctrl+D", false},
    {I::N4, "N4", 0, K::Separator, "", false},
    {I::menuDragToCenter, "menuDragToCenter", 0, K::Command, "", false},
    {I::menuMagnifier, "menuMagnifier", 0, K::Command, "Ctrl+M", false},
    {I::N6, "N6", 0, K::Separator, "", false},
    {I::menuDrawScale, "menuDrawScale", 0, K::Submenu, "", false},
    {I::menuScaleShow, "menuScaleShow", 1, K::Check, "Ctrl+S", false},
    {I::menuUnits, "menuUnits", 1, K::Submenu, "", false},
    {I::menuPixels, "menuPixels", 2, K::Radio, "", false},
    {I::menuCM, "menuCM", 2, K::Radio, "", false},
    {I::menuIN, "menuIN", 2, K::Radio, "", false},
    {I::menuCustomUnits, "menuCustomUnits", 2, K::Radio, "", true},
    {I::menuResolution, "menuResolution", 1, K::Submenu, "", false},
    {I::menu72dpi, "menu72dpi", 2, K::Radio, "", false},
    {I::menu200dpi, "menu200dpi", 2, K::Radio, "", false},
    {I::menu300dpi, "menu300dpi", 2, K::Radio, "", false},
    {I::menu600dpi, "menu600dpi", 2, K::Radio, "", false},
    {I::menu1200dpi, "menu1200dpi", 2, K::Radio, "", false},
    {I::menuCustomResolution, "menuCustomResolution", 2, K::Radio, "", true},
    {I::menuPosition, "menuPosition", 1, K::Submenu, "", true},
    {I::menuUp, "menuUp", 2, K::Pair, "", false},
    {I::menuDown, "menuDown", 2, K::Pair, "", false},
    {I::N8, "N8", 2, K::Separator, "", false},
    {I::menuRight, "menuRight", 2, K::Pair, "", false},
    {I::menuLeft, "menuLeft", 2, K::Pair, "", false},
    {I::menuNoOffset, "menuNoOffset", 1, K::Check, "", true},
    {I::menuPrecise, "menuPrecise", 0, K::Submenu, "", true},
    {I::menuPreciseShow, "menuPreciseShow", 1, K::Check, "Ctrl+P", false},
    {I::menuPreciseLock, "menuPreciseLock", 1, K::Check, "Ctrl+B", false},
    {I::menuPreciseSize, "menuPreciseSize", 1, K::Submenu, "", false},
    {I::menuPreciseSmall, "menuPreciseSmall", 2, K::Radio, "", false},
    {I::menuPreciseMedium, "menuPreciseMedium", 2, K::Radio, "", false},
    {I::menuPreciseLarge, "menuPreciseLarge", 2, K::Radio, "", false},
    {I::menuPreciseZoom, "menuPreciseZoom", 1, K::Submenu, "", false},
    {I::menuZoom5X, "menuZoom5X", 2, K::Radio, "", false},
    {I::menuZoom10X, "menuZoom10X", 2, K::Radio, "", false},
    {I::menuZoom15X, "menuZoom15X", 2, K::Radio, "", false},
    {I::menuPreciseTransparency, "menuPreciseTransparency", 1, K::Check, "", false},
    {I::N1, "N1", 0, K::Separator, "", false},
    {I::menuSize, "menuSize", 0, K::Submenu, "", false},
    {I::menuFullSize, "menuFullSize", 1, K::Radio, "Ctrl+F", false},
    {I::menu075Size, "menu075Size", 1, K::Radio, "", false},
    {I::menu050Size, "menu050Size", 1, K::Radio, "", false},
    {I::menuCustomSize, "menuCustomSize", 1, K::Radio, "", false},
    {I::menuRotate, "menuRotate", 0, K::Check, "Ctrl+R", false},
    {I::menuTransparency, "menuTransparency", 0, K::Submenu, "", false},
    {I::MenuOpaque, "MenuOpaque", 1, K::Radio, "Ctrl+Shift+F1", false},
    {I::Menu5Percent, "Menu5Percent", 1, K::Radio, "Ctrl+Shift+F2", false},
    {I::Menu10Percent, "Menu10Percent", 1, K::Radio, "Ctrl+Shift+F3", false},
    {I::Menu15Percent, "Menu15Percent", 1, K::Radio, "Ctrl+Shift+F4", false},
    {I::Menu20Percent, "Menu20Percent", 1, K::Radio, "Ctrl+Shift+F5", false},
    {I::Menu30Percent, "Menu30Percent", 1, K::Radio, "Ctrl+Shift+F6", false},
    {I::Menu40Percent, "Menu40Percent", 1, K::Radio, "Ctrl+Shift+F7", false},
    {I::Menu50Percent, "Menu50Percent", 1, K::Radio, "Ctrl+Shift+F8", false},
    {I::menuCustomTransparency, "menuCustomTransparency", 1, K::Radio, "Ctrl+Shift+F9", false},
    {I::menuColorSubmenu, "menuColorSubmenu", 0, K::Submenu, "", false},
    {I::ColorMenuItem, "ColorMenuItems", 1, K::Command, "Ctrl+F", false},
    {I::menuShowInfo, "menuShowInfo", 0, K::Submenu, "", true},
    {I::menuInfoScale, "menuInfoScale", 1, K::Check, "", false},
    {I::menuInfoMouse, "menuInfoMouse", 1, K::Check, "", false},
    {I::menuInfoRGB, "menuInfoRGB", 1, K::Check, "", false},
    {I::menuInfoHints, "menuInfoHints", 1, K::Check, "", false},
    {I::MenuEmbossed, "MenuEmbossed", 0, K::Check, "", true},
    {I::menuHideLogo, "menuHideLogo", 0, K::Check, "", true},
    {I::N2, "N2", 0, K::Separator, "", false},
    {I::menuAdvanced, "menuAdvanced", 0, K::Check, "", false},
    {I::menuCustomize, "menuCustomize", 0, K::Command, "Ctrl+C", true},
    {I::menuLanguage, "menuLanguage", 0, K::Submenu, "", false},
    {I::menuEN, "menuEN", 1, K::Radio, "", false},
    {I::menuLangSeparator, "menuLangSeparator", 1, K::Separator, "", false},
    {I::LangMenuItem, "LangMenuItems", 1, K::Radio, "", false},
    {I::N9, "N9", 1, K::Separator, "", false},
    {I::menuMore, "menuMore", 1, K::Command, "", false},
    {I::menuAutostart, "menuAutostart", 0, K::Check, "", true},
    {I::menuSaveSettingsOnExit, "menuSaveSettingsOnExit", 0, K::Check, "", true},
    {I::N5, "N5", 0, K::Separator, "", false},
    {I::menuHelp, "menuHelp", 0, K::Command, "F1", false},
    {I::menuBrowse, "menuBrowse", 0, K::Submenu, "", false},
    {I::menuStartupCheck, "menuStartupCheck", 1, K::Check, "", false},
    {I::menuCheckNow, "menuCheckNow", 1, K::Command, "", false},
    {I::N10, "N10", 1, K::Separator, "", false},
    {I::menuScalioOnline, "menuScalioOnline", 1, K::Command, "", false},
    {I::menuVendraOnline, "menuVendraOnline", 1, K::Command, "", false},
    {I::menuSupport, "menuSupport", 0, K::Submenu, "", false},
    {I::menuQuestion, "menuQuestion", 1, K::Command, "", false},
    {I::menuComments, "menuComments", 1, K::Command, "", false},
    {I::menuBug, "menuBug", 1, K::Command, "", false},
    {I::menuAbout, "menuAbout", 0, K::Command, "", false},
    {I::N3, "N3", 0, K::Separator, "", false},
    {I::menuExit, "menuExit", 0, K::Command, "Alt+F4", false},
};
// clang-format on

std::u16string Ascii(std::string_view s)
{
    return std::u16string(s.begin(), s.end());
}

std::u16string Decimal(int v)
{
    return Ascii(std::to_string(v));
}

std::u16string HostOf(std::string_view url)
{
    std::string_view host = url.substr(url.find("//") + 2);
    return Ascii(host.substr(0, host.find('/')));
}

int RepeatCount(TMenuId id, const TMenuContext& context)
{
    switch (id) {
        case I::menuMonitor: return kMonitorSlots;
        case I::ColorMenuItem: return kColorSchemeCount;
        case I::LangMenuItem: return static_cast<int>(context.LanguageNames.size());
        default: return 1;
    }
}

int Ordinal(TMenuId id)
{
    return static_cast<int>(id);
}

bool InRange(TMenuId id, TMenuId first, TMenuId last)
{
    return Ordinal(id) >= Ordinal(first) && Ordinal(id) <= Ordinal(last);
}

struct TRadioGroup {
    TRadioOption Option;
    TMenuId First;
    TMenuId Last;
};

// Each option's items, first to last, stand for its values 0, 1, 2, ...
// clang-format off
constexpr TRadioGroup kRadioGroups[] = {
    {TRadioOption::DoubleClick, I::menuDoubleLock, I::menuDoubleCustomize},
    {TRadioOption::Units, I::menuPixels, I::menuCustomUnits},
    {TRadioOption::Resolution, I::menu72dpi, I::menuCustomResolution},
    {TRadioOption::PMTSize, I::menuPreciseSmall, I::menuPreciseLarge},
    {TRadioOption::PMTZoomLevel, I::menuZoom5X, I::menuZoom15X},
    {TRadioOption::Size, I::menuFullSize, I::menuCustomSize},
    {TRadioOption::Transparency, I::MenuOpaque, I::menuCustomTransparency},
};
// clang-format on

}  // namespace

std::optional<TRadioChoice> RadioChoice(TMenuId id)
{
    for (const TRadioGroup& g : kRadioGroups)
        if (InRange(id, g.First, g.Last)) return TRadioChoice{g.Option, Ordinal(id) - Ordinal(g.First)};
    return std::nullopt;
}

int RadioOptionValue(const RulerState& s, TRadioOption option)
{
    switch (option) {
        case TRadioOption::DoubleClick: return static_cast<int>(s.DoubleClick);
        case TRadioOption::Units: return static_cast<int>(s.Units);
        case TRadioOption::Resolution: return static_cast<int>(s.Resolution);
        case TRadioOption::PMTSize: return static_cast<int>(s.PMTSize);
        case TRadioOption::PMTZoomLevel: return static_cast<int>(s.PMTZoomLevel);
        case TRadioOption::Size: return static_cast<int>(s.Size);
        case TRadioOption::Transparency: return static_cast<int>(s.Transparency);
    }
    return 0;
}

void SetRadioOption(RulerState& s, TRadioChoice c)
{
    switch (c.Option) {
        case TRadioOption::DoubleClick: s.DoubleClick = static_cast<TDoubleClickAction>(c.Value); break;
        case TRadioOption::Units: s.Units = static_cast<TUnits>(c.Value); break;
        case TRadioOption::Resolution: s.Resolution = static_cast<TResolution>(c.Value); break;
        case TRadioOption::PMTSize: s.PMTSize = static_cast<TPMTSize>(c.Value); break;
        case TRadioOption::PMTZoomLevel: s.PMTZoomLevel = static_cast<TZoomLevel>(c.Value); break;
        case TRadioOption::Size: s.Size = static_cast<TRulerSize>(c.Value); break;
        case TRadioOption::Transparency: s.Transparency = static_cast<TTransparency>(c.Value); break;
    }
}

const TMenuEntry& MenuEntry(TMenuId id)
{
    return *std::find_if(kEntries.begin(), kEntries.end(), [id](const TMenuEntry& e) { return e.Id == id; });
}

std::optional<TMenuId> MenuParent(TMenuId id)
{
    const auto it = std::find_if(kEntries.begin(), kEntries.end(), [id](const TMenuEntry& e) { return e.Id == id; });
    if (it->Depth == 0) return std::nullopt;
    for (auto up = std::make_reverse_iterator(it); up != kEntries.rend(); ++up)
        if (up->Depth == it->Depth - 1) return up->Id;
    return std::nullopt;
}

std::vector<TMenuItemRef> MenuItems(const TMenuContext& context)
{
    std::vector<TMenuItemRef> items;
    for (const TMenuEntry& e : kEntries)
        for (int i = 0; i < RepeatCount(e.Id, context); ++i) items.push_back({e.Id, i});
    return items;
}

std::string MenuKeys(TMenuItemRef item)
{
    switch (item.Id) {
        case I::menuMonitor: return "Ctrl+" + std::to_string(item.Index + 1);
        case I::ColorMenuItem:
            if (item.Index < 8) return "Ctrl+F" + std::to_string(item.Index + 1);
            return item.Index == kCustomColorScheme ? "Ctrl+F9" : "";
        default: return MenuEntry(item.Id).Keys;
    }
}

std::u16string MenuCaption(TMenuItemRef item, const RulerState& s, const TMenuContext& context,
                           const TLanguageTable& texts)
{
    const auto T = [&texts](int id) { return texts.GetLangText(id); };
    switch (item.Id) {
        case I::menuStickToMouse: return T(33);
        case I::menuAxisLocked: return s.Rotate ? T(34) : T(35);
        case I::menuBoundToScreen: return T(36);
        case I::menuDoubleClick: return T(37);
        case I::menuDoubleLock: return T(38);
        case I::menuDoubleResize: return T(39);
        case I::menuDoubleRotate: return T(40);
        case I::menuDoubleScale: return T(41);
        case I::menuDoublePrecise: return T(42);
        case I::menuDoublePreciseLock: return T(43);
        case I::menuDoubleNext: return T(127);
        case I::menuDoubleCustomize: return T(87);
        case I::menuMultiMon: return T(89);
        case I::menuMonitor: return T(90) + u" \"" + Decimal(item.Index + 1) + u"\"";
        case I::menuManualConfig: return T(91);
        case I::menuReset: return T(124);
        case I::menuDragToCenter: return T(44);
        case I::menuMagnifier: return T(149);
        case I::menuDrawScale: return T(50);
        case I::menuScaleShow: return T(51);
        case I::menuUnits: return T(52);
        case I::menuPixels: return T(53);
        case I::menuCM: return T(54);
        case I::menuIN: return T(58);
        case I::menuCustomUnits: return T(128) + u": " + s.CustomUnit.Name + u" [" + s.CustomUnit.Abbreviation + u"]";
        case I::menuResolution: return T(67);
        case I::menu72dpi: return T(62);
        case I::menu200dpi: return T(63);
        case I::menu300dpi: return T(64);
        case I::menu600dpi: return T(65);
        case I::menu1200dpi: return T(66);
        case I::menuCustomResolution: return T(128) + u": " + Decimal(s.CustomResolution) + u" " + T(56);
        case I::menuPosition: return T(129);
        case I::menuUp: return T(130);
        case I::menuDown: return T(131);
        case I::menuRight: return T(132);
        case I::menuLeft: return T(133);
        case I::menuNoOffset: return T(134);
        case I::menuPrecise: return T(68);
        case I::menuPreciseShow: return T(69);
        case I::menuPreciseLock: return T(70);
        case I::menuPreciseSize: return T(46);
        case I::menuPreciseSmall: return T(71);
        case I::menuPreciseMedium: return T(72);
        case I::menuPreciseLarge: return T(73);
        case I::menuPreciseZoom: return T(74);
        case I::menuZoom5X: return u"5 X";
        case I::menuZoom10X: return u"10 X";
        case I::menuZoom15X: return u"15 X";
        case I::menuPreciseTransparency: return T(75);
        case I::menuSize: return T(46);
        case I::menuFullSize: return T(47);
        case I::menu075Size: return T(48);
        case I::menu050Size: return T(49);
        case I::menuCustomSize:
            return T(128) + u": " + Decimal(s.CustomSize) + u" " + (s.CustomSizeInPixels ? T(59) : u"%");
        case I::menuRotate: return T(40);
        case I::menuTransparency: return T(77);
        case I::MenuOpaque: return T(78);
        case I::Menu5Percent: return u"5%";
        case I::Menu10Percent: return u"10%";
        case I::Menu15Percent: return u"15%";
        case I::Menu20Percent: return u"20%";
        case I::Menu30Percent: return u"30%";
        case I::Menu40Percent: return u"40%";
        case I::Menu50Percent: return u"50%";
        case I::menuCustomTransparency: return T(128) + u": " + Decimal(s.CustomTransparency) + u" %";
        case I::menuColorSubmenu: return T(79);
        case I::ColorMenuItem: return ColorSchemeName(item.Index, texts);
        case I::menuShowInfo: return T(80);
        case I::menuInfoScale: return T(145);
        case I::menuInfoMouse: return T(135);
        case I::menuInfoRGB: return T(136);
        case I::menuInfoHints: return T(137);
        case I::MenuEmbossed: return T(81);
        case I::menuHideLogo: return T(151);
        case I::menuAdvanced: return T(153);
        case I::menuCustomize: return T(87);
        case I::menuLanguage: return T(82);
        case I::menuEN: return u"English";
        case I::LangMenuItem: return context.LanguageNames[static_cast<std::size_t>(item.Index)];
        case I::menuMore: return T(165);
        case I::menuAutostart: return T(138);
        case I::menuSaveSettingsOnExit: return T(83);
        case I::menuHelp: return T(84);
        case I::menuBrowse: return T(86);
        case I::menuStartupCheck: return T(159);
        case I::menuCheckNow: return T(160);
        case I::menuScalioOnline: return u"Scalio Online [" + HostOf(kProductSite) + u"]";
        case I::menuVendraOnline: return u"Vendra Online [" + HostOf(kMakerSite) + u"]";
        case I::menuSupport: return T(154);
        case I::menuQuestion: return T(155);
        case I::menuComments: return T(156);
        case I::menuBug: return T(157);
        case I::menuAbout: return T(85);
        case I::menuExit: return T(88);
        default: return {};  // separators
    }
}

bool* CheckOption(RulerState& s, TMenuId id)
{
    switch (id) {
        case I::menuStickToMouse: return &s.StickToMouse;
        case I::menuAxisLocked: return &s.AxisLocked;
        case I::menuBoundToScreen: return &s.BoundToScreen;
        case I::menuScaleShow: return &s.Scale;
        case I::menuNoOffset: return &s.NoOffset;
        case I::menuPreciseShow: return &s.PMTShow;
        case I::menuPreciseLock: return &s.PMTLocked;
        case I::menuPreciseTransparency: return &s.PMTTransparency;
        case I::menuRotate: return &s.Rotate;
        case I::menuInfoScale: return &s.ShowUnitsAndRes;
        case I::menuInfoMouse: return &s.ShowMouse;
        case I::menuInfoRGB: return &s.ShowRGB;
        case I::menuInfoHints: return &s.ShowHints;
        case I::MenuEmbossed: return &s.Embossed;
        case I::menuHideLogo: return &s.HideLogo;
        case I::menuAdvanced: return &s.ShowAdvanced;
        case I::menuAutostart: return &s.AutoStart;
        case I::menuSaveSettingsOnExit: return &s.SaveSettingsOnExit;
        case I::menuStartupCheck: return &s.StartupCheck;
        default: return nullptr;
    }
}

const bool* CheckOption(const RulerState& s, TMenuId id)
{
    return CheckOption(const_cast<RulerState&>(s), id);
}

bool MenuChecked(TMenuItemRef item, const RulerState& s, const TMenuContext& context)
{
    const TMenuId id = item.Id;
    if (const auto choice = RadioChoice(id)) return RadioOptionValue(s, choice->Option) == choice->Value;
    if (const bool* option = CheckOption(s, id)) return *option;
    switch (id) {
        case I::menuMonitor: return s.ActiveMon == item.Index + 1;
        case I::menuUp: return s.ScaleUp;
        case I::menuDown: return !s.ScaleUp;
        case I::menuRight: return s.ScaleRight;
        case I::menuLeft: return !s.ScaleRight;
        case I::menuEN: return context.CheckedLanguage < 0;
        case I::LangMenuItem: return context.CheckedLanguage == item.Index;
        default: return false;
    }
}

bool MenuEnabled(TMenuItemRef item, const RulerState& s, const TMenuContext& context)
{
    // The current transparency is shown checked and cannot be chosen again.
    if (const auto choice = RadioChoice(item.Id); choice && choice->Option == TRadioOption::Transparency)
        return TransparencyItemEnabled(s, static_cast<TTransparency>(choice->Value));
    switch (item.Id) {
        case I::menuDoubleNext: return s.MonitorCount > 1;
        case I::menuMonitor: return s.MonitorCount > 1 && item.Index < s.MonitorCount;
        case I::menuResolution: return ResolutionMenuEnabled(s);
        case I::menuUp:
        case I::menuDown: return UpDownEnabled(s);
        case I::menuRight:
        case I::menuLeft: return RightLeftEnabled(s);
        case I::ColorMenuItem: return ColorItemEnabled(s, item.Index);
        case I::menuCheckNow: return !context.CheckRunning;
        default: return true;
    }
}

bool MenuVisible(TMenuItemRef item, const RulerState& s, const TMenuContext& context)
{
    if (MenuEntry(item.Id).Advanced && !s.ShowAdvanced) return false;
    switch (item.Id) {
        case I::menuMonitor: return s.MonitorCount > 1 && item.Index < s.MonitorCount;
        case I::menuManualSeparator: return s.MonitorCount > 1;
        case I::menuLangSeparator: return !context.LanguageNames.empty();
        default: return true;
    }
}

std::optional<TMenuItemRef> MenuItemForKeys(std::string_view keys, const RulerState& s, const TMenuContext& context)
{
    if (keys.empty()) return std::nullopt;
    for (const TMenuItemRef& item : MenuItems(context)) {
        if (MenuKeys(item) != keys || !MenuEnabled(item, s, context)) continue;
        bool reachable = true;
        for (auto up = MenuParent(item.Id); up && reachable; up = MenuParent(*up))
            reachable = MenuEnabled({*up, 0}, s, context);
        if (reachable) return item;
    }
    return std::nullopt;
}
