#pragma once
// The context menu as a table: every item in tree order with its caption,
// keys, kind and advanced flag, and the rules that derive each item's
// caption, check mark, enabled and visible state from the ruler's state. The
// Qt menu mirrors this; keys are dispatched by walking it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/Languages.h"
#include "ruler/RulerState.h"

enum class TMenuId {
    menuStickToMouse,
    menuAxisLocked,
    menuBoundToScreen,
    menuDoubleClick,
    menuDoubleLock,
    menuDoubleResize,
    menuDoubleRotate,
    menuDoubleScale,
    menuDoublePrecise,
    menuDoublePreciseLock,
    menuDoubleNext,
    menuDoubleCustomize,
    menuMultiMon,
    menuMonitor,
    menuManualSeparator,
    menuManualConfig,
    menuReset,
    N4,
    menuDragToCenter,
    menuMagnifier,
    N6,
    menuDrawScale,
    menuScaleShow,
    menuUnits,
    menuPixels,
    menuCM,
    menuIN,
    menuCustomUnits,
    menuResolution,
    menu72dpi,
    menu200dpi,
    menu300dpi,
    menu600dpi,
    menu1200dpi,
    menuCustomResolution,
    menuPosition,
    menuUp,
    menuDown,
    N8,
    menuRight,
    menuLeft,
    menuNoOffset,
    menuPrecise,
    menuPreciseShow,
    menuPreciseLock,
    menuPreciseSize,
    menuPreciseSmall,
    menuPreciseMedium,
    menuPreciseLarge,
    menuPreciseZoom,
    menuZoom5X,
    menuZoom10X,
    menuZoom15X,
    menuPreciseTransparency,
    N1,
    menuSize,
    menuFullSize,
    menu075Size,
    menu050Size,
    menuCustomSize,
    menuRotate,
    menuTransparency,
    MenuOpaque,
    Menu5Percent,
    Menu10Percent,
    Menu15Percent,
    Menu20Percent,
    Menu30Percent,
    Menu40Percent,
    Menu50Percent,
    menuCustomTransparency,
    menuColorSubmenu,
    ColorMenuItem,
    menuShowInfo,
    menuInfoScale,
    menuInfoMouse,
    menuInfoRGB,
    menuInfoHints,
    MenuEmbossed,
    menuHideLogo,
    N2,
    menuAdvanced,
    menuCustomize,
    menuLanguage,
    menuEN,
    menuLangSeparator,
    LangMenuItem,
    N9,
    menuMore,
    menuAutostart,
    menuSaveSettingsOnExit,
    N5,
    menuHelp,
    menuBrowse,
    menuStartupCheck,
    menuCheckNow,
    N10,
    menuScalioOnline,
    menuVendraOnline,
    menuSupport,
    menuQuestion,
    menuComments,
    menuBug,
    menuAbout,
    N3,
    menuExit,
};

enum class TMenuKind { Command, Check, Radio, Pair, Submenu, Separator };

// One item; Index tells the items of a repeated entry apart (monitor 0..3,
// colour 0..15, language 0..n-1).
struct TMenuItemRef {
    TMenuId Id;
    int Index = 0;
    bool operator==(const TMenuItemRef&) const = default;
};

struct TMenuEntry {
    TMenuId Id;
    const char* Name;
    int Depth;  // 0 for the menu's own items
    TMenuKind Kind;
    const char* Keys;  // "" for none; for repeated entries see MenuKeys
    bool Advanced;
};

const TMenuEntry& MenuEntry(TMenuId id);

// The options chosen with a radio group whose items stand, in tree order, for
// the option's values in their order.
enum class TRadioOption { DoubleClick, Units, Resolution, PMTSize, PMTZoomLevel, Size, Transparency };
struct TRadioChoice {
    TRadioOption Option;
    int Value;
    bool operator==(const TRadioChoice&) const = default;
};
// The option and value a radio item stands for; nothing for any other item.
std::optional<TRadioChoice> RadioChoice(TMenuId id);
int RadioOptionValue(const RulerState& s, TRadioOption option);
void SetRadioOption(RulerState& s, TRadioChoice choice);

// The option a check item shows and toggles; nullptr for any other item.
bool* CheckOption(RulerState& s, TMenuId id);
const bool* CheckOption(const RulerState& s, TMenuId id);

// What else the menu needs to know beyond the ruler's state.
struct TMenuContext {
    std::vector<std::u16string> LanguageNames;  // by language index
    int CheckedLanguage = -1;                   // the checked language item; -1: English
    bool CheckRunning = false;                  // an update check is under way
};

// Every item of the tree, repeated entries expanded, in tree order.
std::vector<TMenuItemRef> MenuItems(const TMenuContext& context);

// The item's caption in the language's texts.
std::u16string MenuCaption(TMenuItemRef item, const RulerState& s, const TMenuContext& context,
                           const TLanguageTable& texts);
// The keys shown beside the caption and dispatched, in the form
// "Ctrl+Alt+Shift+Key" (modifiers in that order, only those held).
std::string MenuKeys(TMenuItemRef item);
bool MenuChecked(TMenuItemRef item, const RulerState& s, const TMenuContext& context);
bool MenuEnabled(TMenuItemRef item, const RulerState& s, const TMenuContext& context);
bool MenuVisible(TMenuItemRef item, const RulerState& s, const TMenuContext& context);
// The submenu an item sits in, if any.
std::optional<TMenuId> MenuParent(TMenuId id);

// The item a key runs: the first in tree order that carries it while it and
// every submenu above it are enabled, visible or not.
std::optional<TMenuItemRef> MenuItemForKeys(std::string_view keys, const RulerState& s, const TMenuContext& context);
