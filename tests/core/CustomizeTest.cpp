#include "dialogs/Customize.h"

#include <gtest/gtest.h>

#include <string>

#include "draw/CommonFunctions.h"
#include "settings/Utf8.h"
#include "support/FixedTextRasterizer.h"

namespace {

TEST(CustomizeFields, LeavingAFieldCorrectsItsText)
{
    struct IntCase {
        const TIntField* field;
        std::u16string text, expected;
    };
    const IntCase ints[] = {
        {&kResolutionField, u"abc", u"150"},  {&kResolutionField, u"5000", u"2400"},
        {&kResolutionField, u"10", u"50"},    {&kResolutionField, u" 300", u"300"},
        {&kSizePercentField, u"", u"85"},     {&kSizePercentField, u"101", u"100"},
        {&kSizePixelField, u"x", u"800"},     {&kSizePixelField, u"100", u"320"},
        {&kTransparencyField, u"abc", u"60"}, {&kTransparencyField, u"-1", u"0"},
        {&kTransparencyField, u"007", u"7"},
    };
    for (const IntCase& c : ints) EXPECT_EQ(CorrectIntField(*c.field, c.text), c.expected) << Utf16ToUtf8(c.text);

    struct RealCase {
        const TRealField* field;
        std::u16string text;
        char16_t separator;
        std::u16string expected;
    };
    const RealCase reals[] = {
        {&kUnitToMeterField, u"0.5", u'.', u"1"},
        {&kUnitToMeterField, u"20000", u'.', u"10000"},
        {&kMagnificationField, u"2000000", u'.', u"1000000"},
        {&kUnitToMeterField, u"abc", u'.', u"1"},
        // Written back in the user's separator, whichever one was typed.
        {&kUnitToMeterField, u"2.5", u',', u"2,5"},
        {&kUnitToMeterField, u"2,5", u'.', u"2.5"},
        {&kMagnificationField, u"1.000,5", u',', u"1"},
        {&kMagnificationField, u"100000.0", u'.', u"100000"},
        {&kUnitToMeterField, u"3.14159265358979323", u'.', u"3.14159265358979"},
    };
    for (const RealCase& c : reals)
        EXPECT_EQ(CorrectRealField(*c.field, c.text, c.separator), c.expected) << Utf16ToUtf8(c.text);
}

TEST(CustomizeFields, TheSideOfARatioBesideAOneIsTyped)
{
    using S = TRatioSide;
    struct Case {
        std::u16string text;
        S unitToMeter, magnification;
    };
    // The text is the unit/meter denominator and the magnification numerator.
    const Case cases[] = {
        {u"1", S::Numerator, S::Denominator},   {u"2", S::Denominator, S::Numerator},
        {u"1.5", S::Denominator, S::Numerator}, {u" 1", S::Denominator, S::Numerator},
        {u"1,0", S::Denominator, S::Numerator}, {u"", S::Denominator, S::Numerator},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FreeUnitToMeterSide(c.text), c.unitToMeter) << Utf16ToUtf8(c.text);
        EXPECT_EQ(FreeMagnificationSide(c.text), c.magnification) << Utf16ToUtf8(c.text);
    }
    // The shipped unit (1000 : 1 metres, 1 : 100000) types the unit/meter
    // numerator and the magnification denominator.
    const TCustomizeFields f = CustomizeFieldsFromState(RulerState{}, u'.');
    EXPECT_EQ(FreeUnitToMeterSide(f.UnitToMeterB), S::Numerator);
    EXPECT_EQ(FreeMagnificationSide(f.MagnificationA), S::Denominator);
}

TEST(CustomizeFields, TheSizeSwitchStartsFromTheStoredSize)
{
    struct Case {
        int stored;
        std::u16string percent, pixels;
    };
    const Case cases[] = {
        {640, u"85", u"640"},  {50, u"50", u"800"},  {25, u"25", u"800"},    {24, u"85", u"800"},
        {100, u"100", u"800"}, {320, u"85", u"320"}, {2048, u"85", u"2048"}, {2049, u"85", u"800"},
    };
    for (const Case& c : cases) {
        RulerState s;
        s.CustomSize = c.stored;
        const TSizeTexts toPercent = SizeTypeTexts(s, false), toPixels = SizeTypeTexts(s, true);
        EXPECT_EQ(toPercent.Percent, c.percent) << c.stored;
        EXPECT_EQ(toPercent.Pixels, u"") << c.stored;
        EXPECT_EQ(toPixels.Pixels, c.pixels) << c.stored;
        EXPECT_EQ(toPixels.Percent, u"") << c.stored;
    }
}

TEST(CustomizeFields, ASpinStepMovesByOneAndStopsAtTheLimit)
{
    using A = TSpinAction;
    struct Case {
        A action;
        std::u16string text, expected;
    };
    const Case cases[] = {
        {A::ResolutionUp, u"2398", u"2399"},
        {A::ResolutionUp, u"2399", u"2400"},
        {A::ResolutionUp, u"2400", u"2400"},
        // At the limit the text stays as it is, even when it is not corrected.
        {A::ResolutionUp, u"5000", u"5000"},
        {A::ResolutionDown, u"50", u"50"},
        {A::ResolutionDown, u"10", u"10"},
        {A::ResolutionDown, u"abc", u"149"},
        {A::ResolutionUp, u"abc", u"151"},
        {A::PercentUp, u"99", u"100"},
        {A::PercentUp, u"100", u"100"},
        {A::PercentDown, u"25", u"25"},
        {A::PixelsUp, u"319", u"321"},
        {A::PixelsDown, u"2048", u"2047"},
        {A::TransparencyDown, u"0", u"0"},
        {A::TransparencyUp, u"80", u"80"},
        {A::TransparencyUp, u"", u"61"},
        {A::None, u"12", u"12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpinStep(c.action, c.text), c.expected)
            << static_cast<int>(c.action) << " on \"" << Utf16ToUtf8(c.text) << '"';
}

TEST(CustomizeColors, ABarReplacesItsByteAndMakesTheColourOpaque)
{
    using C = TColorChannel;
    struct Case {
        TColor32 colour;
        C channel;
        int value;
        TColor32 expected;
    };
    const Case cases[] = {
        {0xFF102030u, C::Red, 0xAB, 0xFFAB2030u},
        {0xFF102030u, C::Green, 0, 0xFF100030u},
        {0xFF102030u, C::Blue, 255, 0xFF1020FFu},
        {0x00102030u, C::Green, 0x20, 0xFF102030u},
    };
    for (const Case& c : cases) {
        const TColor32 out = ReplaceColorByte(c.colour, c.channel, c.value);
        EXPECT_EQ(out, c.expected) << std::hex << c.colour;
        EXPECT_EQ(ColorByte(out, c.channel), c.value);
    }
    EXPECT_EQ(ColorLabel(C::Red, 7), u"R: 7");
    EXPECT_EQ(ColorLabel(C::Green, 0), u"G: 0");
    EXPECT_EQ(ColorLabel(C::Blue, 255), u"B: 255");
}

TEST(CustomizePreview, PaintsTheRulersLookWithTheCaptionThreeTimes)
{
    FixedTextRasterizer fixed;
    TImage32 preview;
    SetUpPreview(preview, &fixed);
    const TColor32 highlight = 0xFFE0C040u, shadow = 0xFF402010u;
    const std::u16string caption = u"Color preview area";
    DrawPreview(preview, highlight, shadow, caption);

    ASSERT_EQ(preview.LayerCount(), 1u);
    const TBitmap32& body = preview.Bitmap;
    const TBitmap32& layer = preview.Layer(0).Bitmap;
    ASSERT_EQ(body.Width(), 321);
    ASSERT_EQ(body.Height(), 60);
    ASSERT_EQ(layer.Width(), 321);
    ASSERT_EQ(layer.Height(), 60);
    EXPECT_EQ(layer.DrawMode, TDrawMode::dmBlend);
    EXPECT_EQ(layer.CombineMode, TCombineMode::cmMerge);

    // Body: the bevel's outer ring is the highlight on top and black at the
    // bottom right; inside the bevel, the edge rows run from the shadow and
    // the middle rows are the darkened highlight.
    EXPECT_EQ(body.Pixel(0, 0), highlight);
    EXPECT_EQ(body.Pixel(320, 59), 0xFF000000u);
    EXPECT_EQ(body.Pixel(160, 29), DarkenColor(highlight, 15));
    EXPECT_EQ(body.Pixel(160, 30), DarkenColor(highlight, 15));
    TBitmap32 gradientOnly(321, 60);
    DrawGradient(gradientOnly, shadow, DarkenColor(highlight, 15), false);
    EXPECT_EQ(body.Pixel(160, 10), gradientOnly.Pixel(160, 10));
    EXPECT_NE(body.Pixel(160, 2), gradientOnly.Pixel(160, 2));

    // Layer: each copy's dark text at its place, the light one a pixel right
    // and down. A fixed glyph box covers cell columns 1..5, rows 3..11, so a
    // copy's first box has its top-left pixel dark only and the light box's
    // bottom-right pixel light only.
    const int w = 321, t = FixedTextRasterizer::kAdvance * static_cast<int>(caption.size());
    struct Place {
        const char* name;
        int darkX, darkY;
    };
    const Place places[] = {{"left", 30, 6}, {"centre", w / 2 - t / 2 - 1, 22}, {"right", w - t - 31, 38}};
    const int bl = FixedTextRasterizer::kBoxLeft, bt = FixedTextRasterizer::kBoxTop;
    const int br = FixedTextRasterizer::kBoxRight, bb = FixedTextRasterizer::kBoxBottom;
    for (const Place& p : places) {
        EXPECT_EQ(layer.Pixel(p.darkX + bl, p.darkY + bt), TextDarkColor()) << p.name;
        EXPECT_EQ(layer.Pixel(p.darkX + 1 + br, p.darkY + 1 + bb), TextLightColor(highlight)) << p.name;
        EXPECT_EQ(layer.Pixel(p.darkX, p.darkY + bt), 0u) << p.name;
        EXPECT_EQ(layer.Pixel(p.darkX + t + 1, p.darkY + bt), 0u) << p.name;
    }
    EXPECT_EQ(layer.Pixel(0, 0), 0u);

    // Redrawn in other colours, nothing of the first drawing stays.
    DrawPreview(preview, 0xFF0000FFu, 0xFF00FF00u, caption);
    EXPECT_EQ(preview.Bitmap.Pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(preview.Layer(0).Bitmap.Pixel(36, 18), TextLightColor(0xFF0000FFu));
}

TEST(CustomizeFields, ShowingFillsFromTheStateAndOkStoresEveryValue)
{
    RulerState s;
    s.CustomUnit = {u"Leagues", u"lg", 2.5, 1, 1, 25000};
    s.CustomResolution = 300;
    s.CustomSize = 50;
    s.CustomSizeInPixels = false;
    s.CustomTransparency = 35;
    s.ColorSchemes[kCustomColorScheme] = {0xFF112233u, 0xFF445566u};

    TCustomizeFields f = CustomizeFieldsFromState(s, u',');
    EXPECT_EQ(f.Name, u"Leagues");
    EXPECT_EQ(f.Abbreviation, u"lg");
    EXPECT_EQ(f.UnitToMeterA, u"2,5");
    EXPECT_EQ(f.UnitToMeterB, u"1");
    EXPECT_EQ(f.MagnificationB, u"25000");
    EXPECT_EQ(f.Resolution, u"300");
    EXPECT_FALSE(f.SizeInPixels);
    EXPECT_EQ(f.SizePercent, u"50");
    EXPECT_EQ(f.SizePixels, u"");
    EXPECT_EQ(f.Transparency, u"35");
    EXPECT_EQ(f.Highlight, 0xFF112233u);
    EXPECT_EQ(f.Shadow, 0xFF445566u);

    // OK with the custom choices not active: stored all the same, and the
    // active choices stay as they were. A field never corrected on screen
    // still stores within its limits.
    f.Name = u"";
    f.UnitToMeterA = u"1.5";
    f.MagnificationB = u"9999999";
    f.Resolution = u"abc";
    f.SizeInPixels = true;
    f.SizePixels = u"1000";
    f.Transparency = u"99";
    f.Highlight = 0xFFABCDEFu;
    RulerState stored = s;
    StoreCustomizeFields(f, stored, u',');
    EXPECT_EQ(stored.CustomUnit, (TScaleUnit{u"", u"lg", 1.5, 1, 1, 1000000}));
    EXPECT_EQ(stored.CustomResolution, 150);
    EXPECT_TRUE(stored.CustomSizeInPixels);
    EXPECT_EQ(stored.CustomSize, 1000);
    EXPECT_EQ(stored.CustomTransparency, 80);
    EXPECT_EQ(stored.ColorSchemes[kCustomColorScheme], (ColorScheme{0xFFABCDEFu, 0xFF445566u}));
    EXPECT_EQ(stored.Units, s.Units);
    EXPECT_EQ(stored.Size, s.Size);
    EXPECT_EQ(stored.Color, s.Color);
    EXPECT_EQ(stored.CurrentScheme, s.CurrentScheme);

    // The percent field is the one read while the percent type is chosen.
    f.SizeInPixels = false;
    f.SizePercent = u"10";
    StoreCustomizeFields(f, stored, u',');
    EXPECT_FALSE(stored.CustomSizeInPixels);
    EXPECT_EQ(stored.CustomSize, 25);
}

}  // namespace
