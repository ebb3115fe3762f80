#include "ruler/RulerState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lang/Languages.h"
#include "support/TempDir.h"

namespace {

// The stored options of a default state are checked against a fresh
// install's values by the settings tests, through the file it writes. What
// those cannot see is the part derived from the options, which a state that
// was never read from a file carries as it was constructed.
TEST(RulerState, ADefaultStateHoldsTheMeasuresAndSchemeOfItsOptions)
{
    const RulerState fresh;
    RulerState refreshed = fresh;
    SetResParams(refreshed, TLanguageTable{});
    SetColor(refreshed);
    EXPECT_EQ(fresh.ResDPI, refreshed.ResDPI);
    EXPECT_EQ(fresh.PixelsPerUnit, refreshed.PixelsPerUnit);
    EXPECT_EQ(fresh.UnitCode, refreshed.UnitCode);
    EXPECT_EQ(fresh.CurrentScheme, refreshed.CurrentScheme);
    EXPECT_EQ(fresh.CurrentScheme, (ColorScheme{0xFFFFFFFF, 0xFF808080}));
    EXPECT_EQ(fresh.ColorSchemes[13], (ColorScheme{0xFFA0E0FF, 0xFF006090}));
    EXPECT_EQ(fresh.ColorSchemes[kCustomColorScheme], (ColorScheme{0xFFFFFFFF, 0xFF000000}));
}

TEST(RulerState, SchemeNamesComeFromTextsOneToSixteen)
{
    EXPECT_EQ(ColorSchemeName(0, TLanguageTable{}), u"White");
    EXPECT_EQ(ColorSchemeName(13, TLanguageTable{}), u"Adriatic Sea");
    EXPECT_EQ(ColorSchemeName(15, TLanguageTable{}), u"Custom Color");
}

struct ResCase {
    TUnits units;
    TResolution resolution;
    int customResolution;
    int resDpi;
    double pixelsPerUnit;
    std::u16string unitCode;
};

TEST(SetResParams, Table)
{
    const ResCase cases[] = {
        {TUnits::Pixels, TResolution::Dpi300, 150, 1, 1, u"px"},
        {TUnits::Centimeters, TResolution::Dpi300, 150, 300, 118.11023622047244, u"cm"},
        {TUnits::Centimeters, TResolution::Dpi72, 150, 72, 28.346456692913385, u"cm"},
        {TUnits::Inches, TResolution::Dpi72, 150, 72, 72, u"in"},
        {TUnits::Inches, TResolution::Dpi1200, 150, 1200, 1200, u"in"},
        {TUnits::Inches, TResolution::Dpi600, 150, 600, 600, u"in"},
        {TUnits::Inches, TResolution::Dpi200, 150, 200, 200, u"in"},
        {TUnits::Inches, TResolution::Custom, 150, 150, 150, u"in"},
        {TUnits::Custom, TResolution::Dpi72, 150, 72, 28.346456692913385, u"km"},
        {TUnits::Custom, TResolution::Custom, 2400, 2400, 944.8818897637796, u"km"},
    };
    for (const ResCase& c : cases) {
        RulerState s;
        s.Units = c.units;
        s.Resolution = c.resolution;
        s.CustomResolution = c.customResolution;
        SetResParams(s, TLanguageTable{});
        EXPECT_EQ(s.ResDPI, c.resDpi);
        EXPECT_DOUBLE_EQ(s.PixelsPerUnit, c.pixelsPerUnit);
        EXPECT_EQ(s.UnitCode, c.unitCode);
    }
}

TEST(SetResParams, ExactValuesOfTheExtendedPrecisionFormula)
{
    RulerState s;
    SelectUnits(s, TUnits::Centimeters, TLanguageTable{});
    SelectResolution(s, TResolution::Dpi300, TLanguageTable{});
    EXPECT_EQ(s.PixelsPerUnit, 118.11023622047244);
    SelectUnits(s, TUnits::Custom, TLanguageTable{});
    SelectResolution(s, TResolution::Dpi72, TLanguageTable{});
    EXPECT_EQ(s.PixelsPerUnit, 28.346456692913385);
}

TEST(SetResParams, PixelsAfterALengthUnitKeepTheResolutionChoice)
{
    RulerState s;
    SelectResolution(s, TResolution::Dpi300, TLanguageTable{});
    SelectUnits(s, TUnits::Pixels, TLanguageTable{});
    EXPECT_EQ(s.ResDPI, 1);
    EXPECT_EQ(s.PixelsPerUnit, 1);
    EXPECT_EQ(s.UnitCode, u"px");
    EXPECT_FALSE(ResolutionMenuEnabled(s));
    EXPECT_EQ(s.Resolution, TResolution::Dpi300);
    SelectUnits(s, TUnits::Centimeters, TLanguageTable{});
    EXPECT_TRUE(ResolutionMenuEnabled(s));
    EXPECT_EQ(s.ResDPI, 300);
    EXPECT_EQ(s.PixelsPerUnit, 118.11023622047244);
}

TEST(SetResParams, SpoiltCustomValuesNeverGiveAnUnusableScale)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A spoilt pair counts as 1 : 1; the other pair keeps its value.
    const double metresOnly = 72 / 0.0254 * 1000;  // magnification spoilt
    const double magOnly = 72 / 0.0254 / 100000;   // length spoilt
    const std::tuple<double, double, double, double, double> cases[] = {
        {1000, 0, 1, 100000, magOnly},       {1000, -1, 1, 100000, magOnly},
        {0, 1, 1, 100000, magOnly},          {nan, 1, 1, 100000, magOnly},
        {1000, inf, 1, 100000, magOnly},     {1000, 1, 1, 0, metresOnly},
        {1000, 1, -1, 100000, metresOnly},   {1000, 1, 1, nan, metresOnly},
        {1000, 1, inf, 1, metresOnly},       {1e300, 1e-300, 1e300, 1e-300, 72 / 0.0254},  // overflows: both taken as 1
        {1e-200, 1, 1e-110, 1, 72 / 0.0254},  // all but vanishes: both taken as 1
    };
    for (auto [a, b, ma, mb, expected] : cases) {
        RulerState s;
        s.Units = TUnits::Custom;
        s.CustomUnit.UnitToMeterA = a;
        s.CustomUnit.UnitToMeterB = b;
        s.CustomUnit.MagnificationA = ma;
        s.CustomUnit.MagnificationB = mb;
        SetResParams(s, TLanguageTable{});
        EXPECT_TRUE(std::isfinite(s.PixelsPerUnit) && s.PixelsPerUnit > 0) << a << " " << b << " " << ma << " " << mb;
        EXPECT_NEAR(s.PixelsPerUnit, expected, expected * 1e-12) << a << " " << b << " " << ma << " " << mb;
    }
}

TEST(SetResParams, ACustomResolutionBelowOneFallsBackToTheDefault)
{
    for (int dpi : {0, -300}) {
        RulerState s;
        s.Units = TUnits::Inches;
        s.Resolution = TResolution::Custom;
        s.CustomResolution = dpi;
        SetResParams(s, TLanguageTable{});
        EXPECT_EQ(s.ResDPI, 150);
        EXPECT_EQ(s.PixelsPerUnit, 150);
    }
}

TEST(SetResParams, UnitCodeComesFromTheGivenTexts)
{
    TempDir dir;
    dir.Write("xx.lng", Utf16LE(u"059.:pk:.059 060.:sm:.060"));
    struct NoFlags : IFlagLoader {
        std::optional<TBitmap32> LoadFlag(const std::filesystem::path&) override { return std::nullopt; }
    } noFlags;
    TLanguageTable texts;
    texts.LoadLanguages(dir.Path(), noFlags);
    texts.SetCurrentLanguage("XX");
    RulerState s;
    SetResParams(s, texts);
    EXPECT_EQ(s.UnitCode, u"pk");
    SelectUnits(s, TUnits::Centimeters, texts);
    EXPECT_EQ(s.UnitCode, u"sm");
    SelectUnits(s, TUnits::Inches, texts);
    EXPECT_EQ(s.UnitCode, u"");  // the file lacks text 61
    s.CustomUnit.Abbreviation = u"mi";
    SelectUnits(s, TUnits::Custom, texts);
    EXPECT_EQ(s.UnitCode, u"mi");
    // The program's own table plays no part.
    EXPECT_EQ(Languages().CurrentLanguage(), "EN");
    SelectUnits(s, TUnits::Centimeters, TLanguageTable{});
    EXPECT_EQ(s.UnitCode, u"cm");
}

TEST(SetColor, StoredIndexOutsideTheTableMeansWhite)
{
    for (int stored : {16, -1, 1000}) {
        RulerState s;
        s.Color = ValidColorIndex(stored);
        SetColor(s);
        EXPECT_EQ(s.Color, 0);
        EXPECT_EQ(s.CurrentScheme, (ColorScheme{0xFFFFFFFF, 0xFF808080}));
        EXPECT_FALSE(ColorItemEnabled(s, 0));
        for (int i = 1; i < kColorSchemeCount; ++i) EXPECT_TRUE(ColorItemEnabled(s, i));
    }
}

TEST(SetColor, ChoosingAColourDisablesExactlyItsItem)
{
    RulerState s;
    SelectColor(s, 4);
    EXPECT_EQ(s.CurrentScheme, (ColorScheme{0xFF60FF60, 0xFF008000}));
    SelectColor(s, 9);
    for (int i = 0; i < kColorSchemeCount; ++i) EXPECT_EQ(ColorItemEnabled(s, i), i != 9) << i;
}

TEST(SetColor, TheCustomSchemeIsTakenOnlyWhenSetColorRuns)
{
    RulerState s;
    SelectColor(s, kCustomColorScheme);
    s.ColorSchemes[kCustomColorScheme] = {0xFF112233, 0xFF445566};
    EXPECT_EQ(s.CurrentScheme, (ColorScheme{0xFFFFFFFF, 0xFF000000}));
    SetColor(s);
    EXPECT_EQ(s.CurrentScheme, (ColorScheme{0xFF112233, 0xFF445566}));
}

TEST(RulerState, PositionPairsFollowTheOrientation)
{
    RulerState s;
    EXPECT_TRUE(UpDownEnabled(s));
    EXPECT_FALSE(RightLeftEnabled(s));
    s.Rotate = true;
    EXPECT_FALSE(UpDownEnabled(s));
    EXPECT_TRUE(RightLeftEnabled(s));
    SelectScaleUp(s, false);
    SelectScaleRight(s, false);
    EXPECT_FALSE(s.ScaleUp);
    EXPECT_FALSE(s.ScaleRight);
}

}  // namespace
