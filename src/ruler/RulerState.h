#pragma once
// The ruler's option record, the measures derived from its unit and
// resolution, and the colour schemes. The context menu mirrors this record;
// the record is the authority.

#include <array>
#include <cstdint>
#include <string>

#include "draw/Color32.h"

class TLanguageTable;

enum class TDoubleClickAction {
    AxisLock,
    Resize,
    Rotate,
    ScaleAndHints,
    PreciseOn,
    PreciseLock,
    NextMonitor,
    CustomSettings
};
enum class TUnits { Pixels, Centimeters, Inches, Custom };
enum class TResolution { Dpi72, Dpi200, Dpi300, Dpi600, Dpi1200, Custom };
enum class TRulerSize { Full, ThreeQuarters, Half, Custom };
enum class TTransparency { Opaque, Percent5, Percent10, Percent15, Percent20, Percent30, Percent40, Percent50, Custom };
enum class TPMTSize { Small, Medium, Large };
enum class TZoomLevel { Zoom5X, Zoom10X, Zoom15X };

struct TScaleUnit {
    std::u16string Name = u"Kilometers";
    std::u16string Abbreviation = u"km";
    double UnitToMeterA = 1000;
    double UnitToMeterB = 1;
    double MagnificationA = 1;
    double MagnificationB = 100000;

    bool operator==(const TScaleUnit&) const = default;
};

struct MonitorRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    bool operator==(const MonitorRect&) const = default;
};

struct ColorScheme {
    TColor32 Highlight;
    TColor32 Shadow;

    bool operator==(const ColorScheme&) const = default;
};

inline constexpr int kColorSchemeCount = 16;
inline constexpr int kCustomColorScheme = 15;
inline constexpr int kMonitorSlots = 4;
inline constexpr int kDefaultCustomResolution = 150;

using TColorSchemes = std::array<ColorScheme, kColorSchemeCount>;
// Entries 0..14 as shipped, 15 the custom scheme with its default colours.
const TColorSchemes& DefaultColorSchemes();
// Scheme i's name in the language's texts.
std::u16string ColorSchemeName(int index, const TLanguageTable& texts);

struct RulerState {
    bool StickToMouse = false;
    bool AxisLocked = false;
    bool BoundToScreen = true;
    TDoubleClickAction DoubleClick = TDoubleClickAction::AxisLock;
    bool Scale = false;
    TUnits Units = TUnits::Pixels;
    TResolution Resolution = TResolution::Dpi72;
    bool ScaleUp = true;
    bool ScaleRight = true;
    bool NoOffset = false;
    bool Embossed = true;
    bool HideLogo = false;
    int Color = 0;
    TRulerSize Size = TRulerSize::ThreeQuarters;
    bool Rotate = false;
    TTransparency Transparency = TTransparency::Percent20;
    TScaleUnit CustomUnit;
    int CustomResolution = kDefaultCustomResolution;
    int CustomSize = 640;
    bool CustomSizeInPixels = true;
    int CustomTransparency = 60;
    bool ShowUnitsAndRes = true;
    bool ShowMouse = true;
    bool ShowRGB = true;
    bool ShowHints = true;
    bool PMTShow = false;
    bool PMTLocked = false;
    TPMTSize PMTSize = TPMTSize::Small;
    TZoomLevel PMTZoomLevel = TZoomLevel::Zoom5X;
    bool PMTTransparency = false;
    std::string Language = "EN";
    bool ShowAdvanced = true;
    bool AutoStart = false;
    bool StartupCheck = true;
    bool SaveSettingsOnExit = true;
    bool FirstRun = true;
    std::array<MonitorRect, kMonitorSlots> MonitorRects{};
    MonitorRect ActiveArea{};
    int MonitorCount = 1;
    bool ManualCfg = false;
    int ActiveMon = 1;

    // The schemes all drawing picks from; entry 15 holds the custom colours
    // (settings keys Highlight and Shadow).
    TColorSchemes ColorSchemes = DefaultColorSchemes();

    // Derived by SetResParams and SetColor; never stored.
    std::int32_t ResDPI = 1;
    double PixelsPerUnit = 1;
    std::u16string UnitCode = u"px";
    ColorScheme CurrentScheme = DefaultColorSchemes()[0];
};

// Recomputes ResDPI, PixelsPerUnit and UnitCode from the unit and resolution
// choice (UnitCode from the language's texts).
void SetResParams(RulerState& s, const TLanguageTable& texts);
// CurrentScheme := ColorSchemes[Color].
void SetColor(RulerState& s);

// The menu's enabled states that follow from the record.
inline bool ResolutionMenuEnabled(const RulerState& s)
{
    return s.Units != TUnits::Pixels;
}
inline bool ColorItemEnabled(const RulerState& s, int index)
{
    return index != s.Color;
}
inline bool UpDownEnabled(const RulerState& s)
{
    return !s.Rotate;
}
inline bool RightLeftEnabled(const RulerState& s)
{
    return s.Rotate;
}
// A scheme index as stored: anything outside 0..15 means scheme 0.
inline int ValidColorIndex(int index)
{
    return index >= 0 && index < kColorSchemeCount ? index : 0;
}

// The state changes of the unit, resolution, scale and colour commands. The
// callers run the repaints; the measures and the current scheme are brought
// up to date here, since nothing may read them stale.
void SelectUnits(RulerState& s, TUnits units, const TLanguageTable& texts);
void SelectResolution(RulerState& s, TResolution resolution, const TLanguageTable& texts);
void SelectScaleUp(RulerState& s, bool up);
void SelectScaleRight(RulerState& s, bool right);
void SelectColor(RulerState& s, int index);
// A size choice: the full length locks the ruler to moves across its axis,
// every other size frees it.
void SelectSize(RulerState& s, TRulerSize size);
