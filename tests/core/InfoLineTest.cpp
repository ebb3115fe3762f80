#include "ruler/InfoLine.h"

#include <gtest/gtest.h>

#include "draw/CommonFunctions.h"
#include "support/FixedTextRasterizer.h"
#include "support/TempDir.h"

namespace {

RulerState AllOff()
{
    RulerState s;
    s.ShowUnitsAndRes = s.ShowMouse = s.ShowRGB = s.ShowHints = false;
    s.ActiveArea = {0, 0, 1920, 1080};
    return s;
}

const TWindowBounds kMiddle{240, 510, 1440, 60};

TEST(ComposeInfoLine, PartsJoinedAsTheOptionsSay)
{
    const TLanguageTable english;
    struct Case {
        const char* name;
        RulerState state;
        std::optional<TPoint> pointer;
        std::optional<TColor32> pixel;
        TWindowBounds ruler;
        std::u16string expected;
    };
    const auto with = [](auto change) {
        RulerState s = AllOff();
        change(s);
        SetResParams(s, TLanguageTable{});
        return s;
    };
    const Case cases[] = {
        {"everything, cm at 300 dpi",
         with([](RulerState& s) {
             s.ShowUnitsAndRes = s.ShowMouse = s.ShowRGB = s.ShowHints = s.Scale = true;
             s.Units = TUnits::Centimeters;
             s.Resolution = TResolution::Dpi300;
         }),
         TPoint{100, 200}, 0xFFFF0000u, kMiddle,
         u"Scale: cm @ 300 dpi \u2022 Mouse: (100, 200) \u2022 RGB: 255, 0, 0 (#FF0000)"},
        {"scale alone in pixels", with([](RulerState& s) { s.ShowUnitsAndRes = s.Scale = true; }), {}, {}, kMiddle,
         u"Scale: px"},
        {"custom resolution", with([](RulerState& s) {
             s.ShowUnitsAndRes = s.Scale = true;
             s.Units = TUnits::Inches;
             s.Resolution = TResolution::Custom;
             s.CustomResolution = 150;
         }),
         {}, {}, kMiddle, u"Scale: in @ 150 dpi"},
        {"scale option with the scale hidden", with([](RulerState& s) { s.ShowUnitsAndRes = true; }), {}, {}, kMiddle,
         u""},
        {"mouse alone: no leading separator", with([](RulerState& s) { s.ShowMouse = true; }), TPoint{-300, 120}, {},
         kMiddle, u"Mouse: (-300, 120)"},
        {"scale and colour, one separator", with([](RulerState& s) { s.ShowUnitsAndRes = s.Scale = s.ShowRGB = true; }),
         TPoint{5, 5}, Color32(10, 171, 255), kMiddle, u"Scale: px \u2022 RGB: 10, 171, 255 (#0AABFF)"},
        {"unreadable pointer", with([](RulerState& s) { s.ShowMouse = true; }), std::nullopt, {}, kMiddle,
         u"Mouse: (0, 0)"},
        {"no access to the screen", with([](RulerState& s) { s.ShowRGB = true; }), TPoint{1, 1}, std::nullopt, kMiddle,
         u"RGB: 0, 0, 0 (#000000)"},
        {"a pixel the platform cannot read", with([](RulerState& s) { s.ShowRGB = true; }), TPoint{1, 1}, kInvalidPixel,
         kMiddle, u"RGB: 255, 255, 255 (#FFFFFF)"},
        {"hints without sticking", with([](RulerState& s) { s.ShowHints = true; }), {}, {}, TWindowBounds{0, 0, 100, 60},
         u""},
        {"stuck against the top edge", with([](RulerState& s) { s.ShowHints = s.StickToMouse = s.ShowMouse = true; }),
         TPoint{3, 4}, {}, TWindowBounds{0, 0, 1440, 60}, english.GetLangText(207)},
        {"stuck against the bottom edge", with([](RulerState& s) { s.ShowHints = s.StickToMouse = s.ShowMouse = true; }),
         TPoint{3, 4}, {}, TWindowBounds{0, 1020, 1440, 60}, english.GetLangText(206)},
        {"stuck in the middle", with([](RulerState& s) { s.ShowHints = s.StickToMouse = s.ShowMouse = true; }),
         TPoint{3, 4}, {}, kMiddle, u"Mouse: (3, 4)"},
        {"both edges: the bottom's hint wins", with([](RulerState& s) {
             s.ShowHints = s.StickToMouse = true;
             s.ActiveArea = {0, 0, 1920, 60};
         }),
         {}, {}, TWindowBounds{0, 0, 1440, 60}, english.GetLangText(206)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeInfoLine(c.state, english, c.pointer, c.pixel, c.ruler), c.expected) << c.name;
}

TEST(ComposeInfoLine, TextsComeFromTheGivenTable)
{
    TLanguageTable texts;
    RulerState s = AllOff();
    s.ShowMouse = true;
    EXPECT_EQ(ComposeInfoLine(s, texts, TPoint{1, 2}, {}, kMiddle), u"Mouse: (1, 2)");
    TempDir dir;
    dir.Write("xx.lng", Utf16LE(u"055.:Maus:.055"));
    struct NoFlags : IFlagLoader {
        std::optional<TBitmap32> LoadFlag(const std::filesystem::path&) override { return std::nullopt; }
    } noFlags;
    texts.LoadLanguages(dir.Path(), noFlags);
    texts.SetCurrentLanguage("XX");
    EXPECT_EQ(ComposeInfoLine(s, texts, TPoint{1, 2}, {}, kMiddle), u"Maus: (1, 2)");
    EXPECT_EQ(ComposeInfoLine(s, Languages(), TPoint{1, 2}, {}, kMiddle), u"Mouse: (1, 2)");
}

TEST(DrawInfoLine, EmbossedAtTheEdgeAwayFromTheScaleAndNothingOnAVerticalRuler)
{
    FixedTextRasterizer fixed;
    for (bool scaleUp : {true, false})
        for (bool rotate : {false, true}) {
            RulerState s = AllOff();
            s.ScaleUp = scaleUp;
            s.Rotate = rotate;
            SetColor(s);
            TBitmap32 layer(200, 60);
            layer.SetTextRasterizer(&fixed);
            SelectRulerFont(layer);
            layer.Clear(0xFF123456);
            DrawInfoLine(layer, u"A", s);
            const int y0 = scaleUp ? 35 : 9;
            int inked = 0;
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 200; ++x) {
                    const TColor32 got = layer.Pixel(x, y);
                    inked += got != 0;
                    const bool dark = FixedTextRasterizer::Covers(u"A", x - 16, y - y0);
                    const bool light = FixedTextRasterizer::Covers(u"A", x - 17, y - y0 - 1);
                    if (rotate) {
                        EXPECT_EQ(got, 0u) << x << "," << y;
                    } else if (!dark && !light) {
                        EXPECT_EQ(got, 0u) << x << "," << y;
                    }
                }
            EXPECT_EQ(inked > 0, !rotate) << "scaleUp " << scaleUp << " rotate " << rotate;
        }
}

}  // namespace
