#include "settings/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "settings/Settings.h"
#include "settings/Utf8.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FixStrToInt, CorrectsTheDialogsIntegerFields)
{
    struct Case {
        std::u16string text;
        std::int32_t min, max, def, expected;
    };
    const Case cases[] = {
        // Resolution 50..2400, default 150.
        {u"abc", 50, 2400, 150, 150},
        {u"5000", 50, 2400, 150, 2400},
        {u"10", 50, 2400, 150, 50},
        {u"", 50, 2400, 150, 150},
        {u" 300 ", 50, 2400, 150, 300},
        {u"1.5", 50, 2400, 150, 150},
        // Transparency 0..80, default 60; size 320..2048, default 800.
        {u"-3", 0, 80, 60, 0},
        {u"81", 0, 80, 60, 80},
        {u"x", 320, 2048, 800, 800},
    };
    for (const Case& c : cases) EXPECT_EQ(FixStrToInt(c.text, c.min, c.max, c.def), c.expected) << Utf16ToUtf8(c.text);
}

TEST(FixStrToFloat, ReadsEitherDecimalSeparatorNeverThousandsThenKeepsTheRange)
{
    struct Case {
        std::u16string text;
        double min, max, def;
        char16_t separator;
        double expected;
    };
    const Case cases[] = {
        // Ratio sides: unit/meter 1..10000, magnification 1..1000000, default 1.
        {u"0.5", 1, 10000, 1, u'.', 1},
        {u"20000", 1, 10000, 1, u'.', 10000},
        {u"2000000", 1, 1000000, 1, u'.', 1000000},
        {u"2.5", 1, 10000, 1, u'.', 2.5},
        {u"2.5", 1, 10000, 1, u',', 2.5},
        {u"1,5", 1, 10000, 1, u'.', 1.5},
        {u"1,5", 1, 10000, 1, u',', 1.5},
        {u"1.5", 1, 10000, 1, u',', 1.5},
        {u"0\u066B25", 0, 10, 1, u'\u066B', 0.25},
        {u"  7.25\t", 1, 10000, 1, u'.', 7.25},
        {u"1E3", 1, 10000, 1, u'.', 1000},
        // Not a number: the default, itself kept in the range.
        {u"1.000,5", 1, 10000, 3, u',', 3},
        {u"1,000.5", 1, 10000, 3, u'.', 3},
        {u"1 000", 1, 10000, 3, u'.', 3},
        {u"", 1, 10000, 3, u'.', 3},
        {u"   ", 1, 10000, 3, u'.', 3},
        {u"abc", 1, 10000, 3, u'.', 3},
        {u"nan", 1, 10000, 3, u'.', 3},
        {u"inf", 1, 10000, 3, u'.', 3},
        {u"1e999", 1, 10000, 3, u'.', 3},
        {u"x", 1, 10000, 0, u'.', 1},
        {u"x", 1, 10000, 20000, u'.', 10000},
        // A value that does not compare is the minimum; infinities compare.
        {u"x", 1, 10000, kNaN, u'.', 1},
        {u"x", 1, 10000, kInf, u'.', 10000},
        {u"x", 1, 10000, -kInf, u'.', 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FixStrToFloat(c.text, c.min, c.max, c.def, c.separator), c.expected) << Utf16ToUtf8(c.text);
}

TEST(FixStrToFloat, ReadsExactlyWhatTheSettingsFileReads)
{
    // One reading for the fields and the file: within any range wide enough,
    // a text the file reads is the same number in a field, and one the file
    // rejects falls back to the field's default.
    const std::u16string texts[] = {u"1000",  u"0,3048",  u"-2.5", u"+.5",  u"5.", u"2,5E-7",
                                    u"1e+20", u"1.000,5", u"",     u"12km", u"1e", u"."};
    for (const std::u16string& t : texts) {
        const std::optional<double> file = ParseSettingsReal(t, u',');
        const double field = FixStrToFloat(t, -1e300, 1e300, 42, u',');
        EXPECT_EQ(field, file.value_or(42)) << Utf16ToUtf8(t);
    }
}

}  // namespace
