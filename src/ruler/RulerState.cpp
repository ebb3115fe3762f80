#include "ruler/RulerState.h"

#include <cmath>

#include "lang/Languages.h"

namespace {

constexpr TColorSchemes kDefaultSchemes = {{
    {0xFFFFFFFF, 0xFF808080},  // White
    {0xFFFF6060, 0xFF800000},  // Red
    {0xFFFFC000, 0xFFA05000},  // Orange
    {0xFFFFFF00, 0xFF808000},  // Yellow
    {0xFF60FF60, 0xFF008000},  // Green
    {0xFF00FFE0, 0xFF008070},  // Cyan
    {0xFF00C0FF, 0xFF0050A0},  // Blue
    {0xFFFFA0FF, 0xFFA030A0},  // Magenta
    {0xFFFFFFFF, 0xFF406080},  // Glacier
    {0xFFFFD000, 0xFFA00000},  // Volcano
    {0xFFFFE0B0, 0xFF804000},  // Wood
    {0xFFFFFF80, 0xFF806020},  // Gold
    {0xFFD0FF00, 0xFF008000},  // Lemon
    {0xFFA0E0FF, 0xFF006090},  // Adriatic Sea
    {0xFFFFFFFF, 0xFFC030F0},  // Baby Doll
    {0xFFFFFFFF, 0xFF000000},  // Custom Color
}};

int ResolutionDpi(const RulerState& s)
{
    switch (s.Resolution) {
        case TResolution::Dpi1200: return 1200;
        case TResolution::Dpi600: return 600;
        case TResolution::Dpi300: return 300;
        case TResolution::Dpi200: return 200;
        case TResolution::Dpi72: return 72;
        case TResolution::Custom:
            // Only a hand-edited settings file brings a resolution below 1;
            // it would make every length infinite or negative.
            return s.CustomResolution > 0 ? s.CustomResolution : kDefaultCustomResolution;
    }
    return 1;
}

// A ratio that a hand-edited settings file has spoilt (a side zero, negative
// or not finite) counts as 1 : 1, so that lengths stay finite and positive.
struct Ratio {
    long double A;
    long double B;
};
Ratio UsableRatio(double a, double b)
{
    if (std::isfinite(a) && std::isfinite(b) && a > 0 && b > 0) return {a, b};
    return {1.0L, 1.0L};
}

double CustomPixelsPerUnit(int dpi, const TScaleUnit& unit)
{
    const Ratio length = UsableRatio(unit.UnitToMeterA, unit.UnitToMeterB);
    const Ratio magnification = UsableRatio(unit.MagnificationA, unit.MagnificationB);
    // Left to right in extended precision, as the stored value has always been.
    const long double ppu =
        static_cast<long double>(dpi) / 0.0254L * length.A / length.B * magnification.A / magnification.B;
    const auto result = static_cast<double>(ppu);
    // Two usable but extreme ratios can still overflow or all but vanish, and
    // lengths on the screen, pixels / PixelsPerUnit, must stay finite too.
    // The custom settings dialog's limits stay far inside this range.
    constexpr double kFewest = 1e-100, kMost = 1e100;
    if (result >= kFewest && result <= kMost) return result;
    return static_cast<double>(static_cast<long double>(dpi) / 0.0254L);
}

}  // namespace

const TColorSchemes& DefaultColorSchemes()
{
    return kDefaultSchemes;
}

std::u16string ColorSchemeName(int index, const TLanguageTable& texts)
{
    return texts.GetLangText(index + 1);
}

void SetResParams(RulerState& s, const TLanguageTable& texts)
{
    s.ResDPI = ResolutionDpi(s);
    switch (s.Units) {
        case TUnits::Centimeters:
            s.PixelsPerUnit = static_cast<double>(static_cast<long double>(s.ResDPI) / 2.54L);
            s.UnitCode = texts.GetLangText(60);
            break;
        case TUnits::Inches:
            s.PixelsPerUnit = s.ResDPI;
            s.UnitCode = texts.GetLangText(61);
            break;
        case TUnits::Custom:
            s.PixelsPerUnit = CustomPixelsPerUnit(s.ResDPI, s.CustomUnit);
            s.UnitCode = s.CustomUnit.Abbreviation;
            break;
        case TUnits::Pixels:
            s.PixelsPerUnit = 1;
            s.ResDPI = 1;
            s.UnitCode = texts.GetLangText(59);
            break;
    }
}

void SetColor(RulerState& s)
{
    s.CurrentScheme = s.ColorSchemes[static_cast<std::size_t>(ValidColorIndex(s.Color))];
}

void SelectUnits(RulerState& s, TUnits units, const TLanguageTable& texts)
{
    s.Units = units;
    SetResParams(s, texts);
}

void SelectResolution(RulerState& s, TResolution resolution, const TLanguageTable& texts)
{
    s.Resolution = resolution;
    SetResParams(s, texts);
}

void SelectScaleUp(RulerState& s, bool up)
{
    s.ScaleUp = up;
}
void SelectScaleRight(RulerState& s, bool right)
{
    s.ScaleRight = right;
}
void SelectSize(RulerState& s, TRulerSize size)
{
    s.Size = size;
    s.AxisLocked = size == TRulerSize::Full;
}

void SelectColor(RulerState& s, int index)
{
    s.Color = ValidColorIndex(index);
    SetColor(s);
}
