#include "ruler/ScalePainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "draw/CommonFunctions.h"
#include "draw/FormatGeneral.h"
#include "lang/Languages.h"
#include "support/FixedTextRasterizer.h"

namespace {

using FTR = FixedTextRasterizer;

constexpr TColor32 kBack = 0xFF204060;
// Scheme 1: highlight 0xFFFF6060, shadow 0xFF800000.
constexpr TColor32 kLight = 0xFFFF6060;
constexpr TColor32 kDarkMark = 0xFF660000;  // the shadow darkened by 20 %: trunc(128 * 0.8) = 102

// The fixed glyph boxes, remembering which texts were drawn and in which font.
class RecordingRasterizer : public FixedTextRasterizer {
public:
    TTextCoverage Render(const TFont32& font, std::u16string_view text) override
    {
        Texts.emplace_back(text);
        Fonts.push_back(font);
        return FixedTextRasterizer::Render(font, text);
    }

    // Each number is drawn twice, light copy then dark: the numbers once each.
    std::vector<std::u16string> Numbers() const
    {
        std::vector<std::u16string> numbers;
        EXPECT_EQ(Texts.size() % 2, 0u);
        for (std::size_t i = 0; i + 1 < Texts.size(); i += 2) {
            EXPECT_EQ(Texts[i], Texts[i + 1]);
            numbers.push_back(Texts[i]);
        }
        return numbers;
    }

    std::vector<std::u16string> Texts;
    std::vector<TFont32> Fonts;
};

std::u16string U16(std::string_view s)
{
    return {s.begin(), s.end()};
}

RulerState ScaleState(TUnits units, TResolution resolution = TResolution::Dpi72)
{
    RulerState s;
    s.Scale = true;
    s.Units = units;
    s.Resolution = resolution;
    s.Color = 1;
    SetResParams(s, TLanguageTable{});
    SetColor(s);
    return s;
}

// A ruler of the given length, cleared so that everything the scale draws
// stands out.
TBitmap32 ClearRuler(const RulerState& s, int length, RecordingRasterizer& rec)
{
    TBitmap32 b = s.Rotate ? TBitmap32(60, length) : TBitmap32(length, 60);
    b.Clear(kBack);
    b.SetTextRasterizer(&rec);
    return b;
}

// The pixel `along` pixels from the ruler's start and `in` pixels in from the
// edge that carries the scale.
TColor32 ScalePixel(const TBitmap32& b, const RulerState& s, int along, int in)
{
    if (!s.Rotate) return b.Pixel(along, s.ScaleUp ? in : b.Height() - 1 - in);
    return b.Pixel(s.ScaleRight ? b.Width() - 1 - in : in, along);
}

int RunFromEdge(const TBitmap32& b, const RulerState& s, int along, TColor32 c)
{
    int n = 0;
    while (n < 30 && ScalePixel(b, s, along, n) == c) ++n;
    return n;
}

// Position -> length of every light mark along the scale edge.
std::map<int, int> LightMarks(const TBitmap32& b, const RulerState& s)
{
    std::map<int, int> marks;
    const int length = s.Rotate ? b.Height() : b.Width();
    for (int along = 0; along < length; ++along)
        if (int n = RunFromEdge(b, s, along, kLight)) marks[along] = n;
    return marks;
}

void ExpectDarkBesideEachMark(const TBitmap32& b, const RulerState& s, const std::map<int, int>& marks)
{
    for (auto [at, size] : marks) EXPECT_EQ(RunFromEdge(b, s, at - 1, kDarkMark), size) << "before the mark at " << at;
}

// Pixel units: a mark every 10 px, 12 long every 50, 16 long every 100.
std::map<int, int> PixelUnitMarks(int zeroAt, int firstOffset, int lastOffset)
{
    std::map<int, int> marks;
    for (int o = firstOffset; o <= lastOffset; o += 10) marks[zeroAt + o] = o % 100 == 0 ? 16 : o % 50 == 0 ? 12 : 8;
    return marks;
}

struct Box {
    int Left, Top, Right, Bottom;  // inclusive
    bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Box& b)
{
    return os << "(" << b.Left << ", " << b.Top << ") - (" << b.Right << ", " << b.Bottom << ")";
}

// What the two copies of a text of len characters cover when the dark copy's
// cell starts at (x, y) and the light one a pixel right and down of it.
Box EmbossedTextBox(int x, int y, std::size_t len)
{
    const int n = static_cast<int>(len);
    return {x + FTR::kBoxLeft, y + FTR::kBoxTop, x + (n - 1) * FTR::kAdvance + FTR::kBoxRight + 1,
            y + FTR::kBoxBottom + 1};
}

// Boxes around the texts: pixels of neither the background nor a mark colour,
// grouped along the ruler where they lie within a few pixels of each other.
std::vector<Box> TextBoxes(const TBitmap32& b, bool vertical)
{
    std::vector<Box> boxes;
    const int length = vertical ? b.Height() : b.Width();
    const int across = vertical ? b.Width() : b.Height();
    int lastAlong = -100;
    for (int a = 0; a < length; ++a)
        for (int c = 0; c < across; ++c) {
            const int x = vertical ? c : a;
            const int y = vertical ? a : c;
            const TColor32 p = b.Pixel(x, y);
            if (p == kBack || p == kLight || p == kDarkMark) continue;
            if (a > lastAlong + 4) boxes.push_back({x, y, x, y});
            Box& box = boxes.back();
            box.Left = std::min(box.Left, x);
            box.Right = std::max(box.Right, x);
            box.Top = std::min(box.Top, y);
            box.Bottom = std::max(box.Bottom, y);
            lastAlong = a;
        }
    return boxes;
}

// Boxes of numbers on a top scale centred on the given columns.
std::vector<Box> TopScaleBoxes(const std::vector<std::u16string>& texts, const std::vector<int>& centres)
{
    std::vector<Box> boxes;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int hw = static_cast<int>(texts[i].size()) * FTR::kAdvance / 2;
        boxes.push_back(EmbossedTextBox(centres[i] - hw, 18, texts[i].size()));
    }
    return boxes;
}

TEST(ScaleStep, OneTwoFiveSequenceAndItsReciprocals)
{
    const struct {
        int i;
        double step;
        int digit;
    } cases[] = {
        {0, 1, 1},      {1, 2, 2},      {2, 5, 5},     {3, 10, 1},      {4, 20, 2},    {8, 500, 5},
        {9, 1000, 1},   {-1, 0.5, 2},   {-2, 0.2, 5},  {-3, 0.1, 1},    {-4, 0.05, 2}, {-5, 0.02, 5},
        {-9, 0.001, 1}, {-13, 5e-5, 2}, {30, 1e10, 1}, {-30, 1e-10, 1}, {44, 5e14, 5},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ScaleStep(c.i), c.step) << c.i;
        EXPECT_EQ(ScaleStepDigit(c.i), c.digit) << c.i;
    }
    // The steps the scale compares against must be the nearest doubles.
    EXPECT_EQ(ScaleStep(-2), 0.2);
    EXPECT_EQ(ScaleStep(-3), 0.1);
}

TEST(ChooseScaleSteps, TheElevenFixedUnitAndResolutionChoices)
{
    const struct {
        TUnits units;
        TResolution res;
        int k, i;
        double q, s16, s12, s8, qPx, s8Px;
    } rows[] = {
        {TUnits::Pixels, TResolution::Dpi300, -1, 6, 100, 100, 50, 10, 100, 10},
        {TUnits::Centimeters, TResolution::Dpi72, 4, 1, 2, 1, 0.5, 0.25, 56.7, 7.09},
        {TUnits::Centimeters, TResolution::Dpi200, 5, 0, 1, 1, 0.5, 0.1, 78.7, 7.87},
        {TUnits::Centimeters, TResolution::Dpi300, 6, 0, 1, 1, 0.5, 0.1, 118.1, 11.81},
        {TUnits::Centimeters, TResolution::Dpi600, 7, -1, 0.5, 0.5, 0.1, 0.05, 118.1, 11.81},
        {TUnits::Centimeters, TResolution::Dpi1200, 8, -2, 0.2, 0.2, 0.1, 0.02, 94.5, 9.45},
        {TUnits::Inches, TResolution::Dpi72, 5, 0, 1, 0.5, 0.25, 0.125, 72, 9},
        {TUnits::Inches, TResolution::Dpi200, 6, 0, 1, 0.5, 0.25, 0.125, 200, 25},
        {TUnits::Inches, TResolution::Dpi300, 7, -1, 0.5, 0.25, 0.125, 0.0625, 150, 18.75},
        {TUnits::Inches, TResolution::Dpi600, 8, -2, 0.25, 0.125, 0.0625, 0.03125, 150, 18.75},
        {TUnits::Inches, TResolution::Dpi1200, 9, -3, 0.125, 0.0625, 0.03125, 0.015625, 150, 18.75},
    };
    for (const auto& r : rows) {
        const RulerState s = ScaleState(r.units, r.res);
        const TScaleSteps st = ChooseScaleSteps(s.PixelsPerUnit, s.Units);
        SCOPED_TRACE(testing::Message() << "ppu " << s.PixelsPerUnit);
        EXPECT_EQ(st.K, r.k);
        EXPECT_EQ(st.I, r.i);
        EXPECT_EQ(st.Digit, ScaleStepDigit(r.i));
        EXPECT_DOUBLE_EQ(static_cast<double>(st.Q), r.q);
        EXPECT_DOUBLE_EQ(static_cast<double>(st.S16), r.s16);
        EXPECT_DOUBLE_EQ(static_cast<double>(st.S12), r.s12);
        EXPECT_DOUBLE_EQ(static_cast<double>(st.S8), r.s8);
        EXPECT_NEAR(static_cast<double>(st.Q) * s.PixelsPerUnit, r.qPx, 0.05);
        EXPECT_NEAR(static_cast<double>(st.S8) * s.PixelsPerUnit, r.s8Px, 0.005);
    }
}

TEST(ChooseScaleSteps, EighthsOfAnInchAreExact)
{
    // A step a hair above the eighth would move every tie of its positions up.
    EXPECT_EQ(ChooseScaleSteps(1200, TUnits::Inches).Q, 0.125L);
    EXPECT_EQ(ChooseScaleSteps(2400, TUnits::Inches).Q, 0.0625L);
    EXPECT_EQ(ChooseScaleSteps(600, TUnits::Inches).Q, 0.25L);
}

TEST(ChooseScaleSteps, NumbersStayFortyToTwoHundredFiftyPixelsApartForAnyScale)
{
    // From absurdly small units to absurdly large ones, including those below
    // the first step index searched upwards.
    for (int e = -2800; e <= 2800; e += 7) {
        const double ppu = std::pow(10.0, e / 10.0);
        for (TUnits u : {TUnits::Custom, TUnits::Inches}) {
            const TScaleSteps st = ChooseScaleSteps(ppu, u);
            const long double qPx = st.Q * ppu;
            ASSERT_GE(qPx, 40) << ppu;
            ASSERT_LE(qPx, 250 * (1 + 1e-12)) << ppu;  // a quarter inch of tenths reaches 250
            ASSERT_GE(st.S8 * ppu, 4) << ppu;
        }
    }
}

TEST(FormatGeneral, Table)
{
    const struct {
        long double value;
        char16_t sep;
        std::u16string text;
    } cases[] = {
        {0, u'.', u"0"},
        {100, u'.', u"100"},
        {0.5L, u'.', u"0.5"},
        {1.25L, u'.', u"1.25"},
        {0.0625L, u'.', u"0.0625"},
        {0.00005L, u'.', u"5E-5"},
        {0.0001L, u'.', u"0.0001"},
        {0.000015L, u',', u"1,5E-5"},
        {0.5L, u',', u"0,5"},
        {1.0L / 3, u'.', u"0.333333333333333"},
        {2.0L / 3, u'.', u"0.666666666666667"},
        {123456789012345.0L, u'.', u"123456789012345"},
        {999999999999999.9L, u'.', u"1E15"},  // 15 digits round it up to the first scientific value
        {1e15L, u'.', u"1E15"},
        {1234567890123456789.0L, u'.', u"1.23456789012346E18"},
        {2.5e20L, u'.', u"2.5E20"},
        {1e-300L, u'.', u"1E-300"},
        {-2.5L, u'.', u"-2.5"},
        // A count times a step that a double cannot hold exactly.
        {3 * static_cast<long double>(0.1), u'.', u"0.3"},
        {7 * static_cast<long double>(0.2), u'.', u"1.4"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatGeneral(c.value, c.sep), c.text) << static_cast<double>(c.value);
}

TEST(DrawTickMark, LightLineAtTheOffsetDarkLineBeforeItOnEachEdge)
{
    struct Rect {
        int x0, y0, x1, y1;
        bool Has(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    };
    const struct {
        bool rotate, up, right, noOffset;
        Rect light, dark;
    } cases[] = {
        {false, true, true, false, {25, 0, 25, 11}, {24, 0, 24, 11}},
        {false, true, true, true, {5, 0, 5, 11}, {4, 0, 4, 11}},
        {false, false, true, false, {25, 28, 25, 39}, {24, 28, 24, 39}},
        {true, true, true, false, {28, 25, 39, 25}, {28, 24, 39, 24}},
        {true, true, false, false, {0, 25, 11, 25}, {0, 24, 11, 24}},
    };
    for (const auto& c : cases) {
        RulerState s = ScaleState(TUnits::Pixels);
        s.Rotate = c.rotate;
        s.ScaleUp = c.up;
        s.ScaleRight = c.right;
        s.NoOffset = c.noOffset;
        TBitmap32 b(40, 40);
        b.Clear(kBack);
        DrawTickMark(b, s, 5, 12);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const TColor32 want = c.light.Has(x, y) ? kLight : c.dark.Has(x, y) ? kDarkMark : kBack;
                ASSERT_EQ(b.Pixel(x, y), want)
                    << "rotate " << c.rotate << " up " << c.up << " right " << c.right << " at " << x << ", " << y;
            }
    }
}

TEST(DrawNumber, LeftOutWhereItWouldReachTheLogoOrTheEnd)
{
    const struct {
        bool rotate, noOffset, hideLogo;
        std::u16string text;
        int offset;
        bool drawn;
    } cases[] = {
        // 640 - 20 - 106 - 12 - 15 = 487 for a three-digit number.
        {false, false, false, u"500", 486, true},
        {false, false, false, u"500", 487, false},
        {false, false, true, u"500", 592, true},
        {false, false, true, u"500", 593, false},
        {false, true, false, u"500", 506, true},
        {false, true, false, u"500", 507, false},
        // The vertical ruler measures the text's half height instead.
        {true, false, false, u"500", 491, true},
        {true, false, false, u"500", 492, false},
        // Without the offset nothing stands at the zero.
        {false, true, false, u"0", 0, false},
        {false, false, false, u"0", 0, true},
    };
    for (const auto& c : cases) {
        RulerState s = ScaleState(TUnits::Pixels);
        s.Rotate = c.rotate;
        s.NoOffset = c.noOffset;
        s.HideLogo = c.hideLogo;
        RecordingRasterizer rec;
        TBitmap32 b = ClearRuler(s, 640, rec);
        b.Font = TFont32{"Courier", false, 30};
        b.UpdateFont();
        DrawNumber(b, s, c.text, c.offset, 20);
        SCOPED_TRACE(testing::Message() << "rotate " << c.rotate << " noOffset " << c.noOffset << " hideLogo "
                                        << c.hideLogo << " offset " << c.offset);
        EXPECT_EQ(TextBoxes(b, c.rotate).size(), c.drawn ? 1u : 0u);
        for (const TFont32& f : rec.Fonts) EXPECT_EQ(f, (TFont32{"Tahoma", true, 14}));
    }
}

TEST(DrawScale, PixelsOnA640PixelRuler)
{
    const struct {
        bool noOffset, hideLogo;
        std::map<int, int> marks;
        int firstNumber, lastNumber, zeroColumn;
    } cases[] = {
        {false, false, PixelUnitMarks(20, 0, 600), 0, 400, 20},
        {false, true, PixelUnitMarks(20, 0, 600), 0, 500, 20},
        // No mark and no number at the zero itself, marks up to 5 px from the end.
        {true, false, PixelUnitMarks(0, 10, 630), 100, 500, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "noOffset " << c.noOffset << " hideLogo " << c.hideLogo);
        RulerState s = ScaleState(TUnits::Pixels);
        s.NoOffset = c.noOffset;
        s.HideLogo = c.hideLogo;
        RecordingRasterizer rec;
        TBitmap32 b = ClearRuler(s, 640, rec);
        DrawScale(b, s, u'.');

        const std::map<int, int> marks = LightMarks(b, s);
        EXPECT_EQ(marks, c.marks);
        ExpectDarkBesideEachMark(b, s, marks);

        std::vector<std::u16string> texts;
        std::vector<int> centres;
        for (int n = c.firstNumber; n <= c.lastNumber; n += 100) {
            texts.push_back(U16(std::to_string(n)));
            centres.push_back(c.zeroColumn + n);
        }
        EXPECT_EQ(rec.Numbers(), texts);
        EXPECT_EQ(TextBoxes(b, false), TopScaleBoxes(texts, centres));
    }
}

TEST(DrawScale, InchesAt300DpiRoundTiesToEven)
{
    const struct {
        char16_t sep;
        std::vector<std::u16string> numbers;
    } cases[] = {
        {u'.', {u"0", u"0.5", u"1", u"1.5"}},
        {u',', {u"0", u"0,5", u"1", u"1,5"}},
    };
    for (const auto& c : cases) {
        RulerState s = ScaleState(TUnits::Inches, TResolution::Dpi300);
        RecordingRasterizer rec;
        TBitmap32 b = ClearRuler(s, 640, rec);
        DrawScale(b, s, c.sep);

        // Short marks at round(i * 18.75) from the zero at column 20: i = 2
        // (37.5) and i = 6 (112.5) go to the even neighbour, as do the middle
        // marks at 37.5 and 112.5.
        const std::map<int, int> marks = LightMarks(b, s);
        const std::map<int, int> start(marks.begin(), marks.upper_bound(20 + 150));
        const std::map<int, int> expected = {{20 + 0, 16}, {20 + 19, 8},   {20 + 38, 12}, {20 + 56, 8},  {20 + 75, 16},
                                             {20 + 94, 8}, {20 + 112, 12}, {20 + 131, 8}, {20 + 150, 16}};
        EXPECT_EQ(start, expected);
        EXPECT_EQ(marks.count(20 + 188), 1u);  // i = 10: 187.5
        EXPECT_EQ(marks.count(20 + 262), 1u);  // i = 14: 262.5
        EXPECT_EQ(marks.rbegin()->first, 620);
        ExpectDarkBesideEachMark(b, s, marks);

        EXPECT_EQ(rec.Numbers(), c.numbers);
        EXPECT_EQ(TextBoxes(b, false), TopScaleBoxes(c.numbers, {20, 170, 320, 470}));
    }
}

TEST(DrawScale, ALongerMarkBesideAShorterOneStaysWhole)
{
    // 101 px a unit: the middle mark of 0.5 units lies at 50.5 px and goes to
    // 50, while the fifth short mark, 5 x 0.1 with 0.1 a hair above a tenth,
    // goes to 51 and puts its dark line on the middle mark's column.
    RulerState s = ScaleState(TUnits::Custom);
    s.PixelsPerUnit = 101;
    RecordingRasterizer rec;
    TBitmap32 b = ClearRuler(s, 640, rec);
    DrawScale(b, s, u'.');
    const std::map<int, int> marks = LightMarks(b, s);
    EXPECT_EQ(marks.at(20 + 50), 12);
    EXPECT_EQ(marks.at(20 + 51), 8);
    EXPECT_EQ(RunFromEdge(b, s, 20 + 49, kDarkMark), 12);
}

TEST(DrawScale, EachScaleEdge)
{
    using BoxAt = Box (*)(int p, std::size_t len, int w, int h);
    const struct {
        bool rotate, up, right;
        BoxAt box;  // the number centred on position p
    } cases[] = {
        {false, true, true,
         [](int p, std::size_t len, int, int) { return EmbossedTextBox(p - static_cast<int>(len) * 4, 18, len); }},
        {false, false, true,
         [](int p, std::size_t len, int, int h) {
             return EmbossedTextBox(p - static_cast<int>(len) * 4, h - 14 - 20 + 1, len);
         }},
        // The text stays horizontal; on the right scale it ends 20 px (and
        // the cell's own margin) in from the edge.
        {true, true, true,
         [](int p, std::size_t len, int w, int) {
             return EmbossedTextBox(w - 20 - static_cast<int>(len) * 8 + 1, p - 7, len);
         }},
        {true, true, false, [](int p, std::size_t len, int, int) { return EmbossedTextBox(20, p - 7, len); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rotate " << c.rotate << " up " << c.up << " right " << c.right);
        RulerState s = ScaleState(TUnits::Pixels);
        s.Rotate = c.rotate;
        s.ScaleUp = c.up;
        s.ScaleRight = c.right;
        RecordingRasterizer rec;
        TBitmap32 b = ClearRuler(s, 640, rec);
        DrawScale(b, s, u'.');

        EXPECT_EQ(LightMarks(b, s), PixelUnitMarks(20, 0, 600));
        ExpectDarkBesideEachMark(b, s, LightMarks(b, s));
        RulerState opposite = s;
        opposite.ScaleUp = !s.ScaleUp;
        opposite.ScaleRight = !s.ScaleRight;
        EXPECT_TRUE(LightMarks(b, opposite).empty());

        const std::vector<std::u16string> texts = {u"0", u"100", u"200", u"300", u"400"};
        EXPECT_EQ(rec.Numbers(), texts);
        std::vector<Box> boxes;
        for (std::size_t i = 0; i < texts.size(); ++i)
            boxes.push_back(c.box(20 + 100 * static_cast<int>(i), texts[i].size(), b.Width(), b.Height()));
        EXPECT_EQ(TextBoxes(b, c.rotate), boxes);
    }
}

TEST(DrawScale, CustomUnitAtTheDialogsLimitsWritesScientificNumbers)
{
    RulerState s = ScaleState(TUnits::Custom, TResolution::Dpi1200);
    s.CustomUnit.UnitToMeterA = 10000;
    s.CustomUnit.MagnificationA = 1000000;
    s.CustomUnit.MagnificationB = 1;
    SetResParams(s, TLanguageTable{});
    RecordingRasterizer rec;
    TBitmap32 b = ClearRuler(s, 640, rec);
    DrawScale(b, s, u'.');
    // 2E-13 units are 94.5 px; "1E-12" at 472 px is the last one before the logo.
    const std::vector<std::u16string> expected = {u"0", u"2E-13", u"4E-13", u"6E-13", u"8E-13", u"1E-12"};
    EXPECT_EQ(rec.Numbers(), expected);
}

TEST(DrawScale, DrawsNothingWhenOffOrWithoutAUsableUnit)
{
    // Subnormal values, and values so small that the step search overflows,
    // count as unusable too.
    const double cases[] = {
        1, 0, -1, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 5e-324, 1e-310};
    for (double ppu : cases) {
        RulerState s = ScaleState(TUnits::Custom);
        s.PixelsPerUnit = ppu;
        s.Scale = ppu != 1;  // the usable unit is tried with the scale off
        RecordingRasterizer rec;
        TBitmap32 b = ClearRuler(s, 640, rec);
        DrawScale(b, s, u'.');
        const TBitmap32 clear = ClearRuler(s, 640, rec);
        EXPECT_TRUE(std::equal(b.Bits(), b.Bits() + std::ptrdiff_t{640} * 60, clear.Bits())) << ppu;
        EXPECT_TRUE(rec.Texts.empty()) << ppu;
    }
}

TEST(DrawScale, ExtremeUnitsDrawOnlyWhatFitsAndNeverOverflow)
{
    // Here the steps themselves overflow or the positions lose all range;
    // the sanitizer build checks that no conversion goes out of range.
    for (double ppu : {3e-307, 1e-300, 1e-12, 1e12, 1.7e308}) {
        RulerState s = ScaleState(TUnits::Custom);
        s.PixelsPerUnit = ppu;
        RecordingRasterizer rec;
        TBitmap32 b = ClearRuler(s, 640, rec);
        DrawScale(b, s, u'.');
        EXPECT_LE(rec.Texts.size(), 16u) << ppu;
    }
}

TEST(PaintRulerPicture, BodyIsTheShadedBodyAndBevelAloneWithoutTheScale)
{
    const struct {
        bool rotate, embossed;
    } cases[] = {{false, true}, {false, false}, {true, true}, {true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rotate " << c.rotate << " embossed " << c.embossed);
        RulerState s = ScaleState(TUnits::Pixels);
        s.Scale = false;
        s.Rotate = c.rotate;
        s.Embossed = c.embossed;
        FixedTextRasterizer fixed;
        TRulerPicture picture(fixed);
        const int w = c.rotate ? 60 : 640;
        const int h = c.rotate ? 640 : 60;
        picture.Resize(w, h);
        picture.LastInfoText = u"12 cm";
        PaintRulerPicture(picture, s, u'.');

        TBitmap32 want(w, h);
        DrawGradient(want, 0xFF800000, 0xFFD85151, c.rotate);  // centre: the highlight darkened by 15 %
        if (c.embossed) DrawBevel(want, 0, 0, w, h, 5, kLight, false);
        const TBitmap32& got = picture.RulerImage.Bitmap;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(got.Pixel(x, y), want.Pixel(x, y)) << x << ", " << y;
        // Across the short side: dark long edges, light middle.
        const int mx = w / 2, my = h / 2;
        EXPECT_EQ(got.Pixel(c.rotate ? 30 : mx, c.rotate ? my : 30), 0xFFD85151u);
        EXPECT_EQ(picture.LastInfoText, kRefreshInfoText);
    }
}

TEST(PaintRulerPicture, MarksAndNumbersLieOverTheBevel)
{
    RulerState s = ScaleState(TUnits::Pixels);
    RecordingRasterizer rec;
    TRulerPicture picture(rec);
    picture.Resize(640, 60);
    PaintRulerPicture(picture, s, u'.');
    const TBitmap32& b = picture.RulerImage.Bitmap;
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(b.Pixel(20, y), kLight) << y;
        EXPECT_EQ(b.Pixel(19, y), kDarkMark) << y;
    }
    EXPECT_NE(b.Pixel(20, 16), kLight);
    EXPECT_EQ(rec.Numbers(), (std::vector<std::u16string>{u"0", u"100", u"200", u"300", u"400"}));
}

TEST(PaintRulerPicture, LogoPlaceVisibilityAndTurn)
{
    constexpr TColor32 kCorner = 0xFF112233;  // the logo's top-left pixel
    const struct {
        bool rotate, hideLogo;
        TFloatRect location;
        TCursor cursor;
        int cornerX, cornerY;  // where the top-left pixel ends up
    } cases[] = {
        {false, false, {519, 11, 620, 49}, TCursor::crHandPoint, 0, 0},
        {false, true, {519, 11, 620, 49}, TCursor::crDefault, 0, 0},
        // A quarter turn clockwise, 20 px above the bottom, centred across.
        {true, false, {11, 519, 49, 620}, TCursor::crHandPoint, 37, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rotate " << c.rotate << " hideLogo " << c.hideLogo);
        RulerState s = ScaleState(TUnits::Pixels);
        s.Rotate = c.rotate;
        s.HideLogo = c.hideLogo;
        FixedTextRasterizer fixed;
        TRulerPicture picture(fixed);
        picture.Resize(c.rotate ? 60 : 640, c.rotate ? 640 : 60);
        picture.LogoImage.SetPixelS(0, 0, kCorner);
        // Twice: each repaint starts again from the unturned picture.
        PaintRulerPicture(picture, s, u'.');
        PaintRulerPicture(picture, s, u'.');

        const TBitmapLayer& logo = picture.LogoLayer;
        EXPECT_EQ(logo.Visible, !c.hideLogo);
        EXPECT_EQ(logo.Cursor, c.cursor);
        EXPECT_EQ(logo.Location.Left, c.location.Left);
        EXPECT_EQ(logo.Location.Top, c.location.Top);
        EXPECT_EQ(logo.Location.Right, c.location.Right);
        EXPECT_EQ(logo.Location.Bottom, c.location.Bottom);
        EXPECT_EQ(logo.Bitmap.Width(), static_cast<int>(c.location.Right - c.location.Left));
        EXPECT_EQ(logo.Bitmap.Height(), static_cast<int>(c.location.Bottom - c.location.Top));
        EXPECT_EQ(logo.Bitmap.Pixel(c.cornerX, c.cornerY), kCorner);
        EXPECT_EQ(logo.Bitmap.DrawMode, TDrawMode::dmBlend);
        // The picture itself is never turned.
        EXPECT_EQ(picture.LogoImage.Width(), kLogoWidth);
    }
}

TEST(ColorSchemeIcon, ShadowAtTopAndBottomUnchangedHighlightInTheMiddle)
{
    for (const ColorScheme& scheme : DefaultColorSchemes()) {
        const TBitmap32 icon = ColorSchemeIcon(scheme);
        ASSERT_EQ(icon.Width(), 16);
        ASSERT_EQ(icon.Height(), 16);
        for (int x : {0, 9, 15}) {
            EXPECT_EQ(icon.Pixel(x, 0), scheme.Shadow);
            EXPECT_EQ(icon.Pixel(x, 15), scheme.Shadow);
            EXPECT_EQ(icon.Pixel(x, 7), scheme.Highlight);
            EXPECT_EQ(icon.Pixel(x, 8), scheme.Highlight);
        }
    }
}

}  // namespace
