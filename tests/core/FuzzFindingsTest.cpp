// Faults the fuzz targets found. The input that showed each is kept beside
// the seeds, tests/fuzz/corpus/<target>/finding-*, so the fuzzers replay it
// too.

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "draw/FormatGeneral.h"
#include "settings/Numbers.h"
#include "settings/Settings.h"
#include "settings/Utf8.h"
#include "support/Fakes.h"

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

RulerState Read(const std::string& bytes)
{
    NoSettingsHooks hooks;
    RulerState s;
    ReadSettings(TIniFile::FromBytes(bytes), s, u'.', hooks);
    return s;
}

// numbers/finding-largest-double: fifteen digits round the largest double up
// past itself, and the text written for it did not read back.
TEST(FuzzFindings, TheLargestDoubleReadsBackAsWritten)
{
    for (double value : {kMax, -kMax}) {
        const std::u16string written = FormatGeneral(value, u',');
        EXPECT_EQ(written, value > 0 ? u"1,79769313486232E308" : u"-1,79769313486232E308");
        EXPECT_EQ(ReadDecimalReal(written, u','), value) << Utf16ToUtf8(written);
    }
    struct Case {
        std::u16string text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {u"1.7976931348623157E308", kMax},
        {u"179769313486232E294", kMax},
        {u"-1.79769313486232e+308", -kMax},
        // Beyond what the rounding explains: not a number the program holds.
        {u"1.797693134862321E308", std::nullopt},
        {u"1.79769313486233E308", std::nullopt},
        {u"-1E309", std::nullopt},
        // Out of range the other way: too small stays unread, never the largest.
        {u"1E-400", std::nullopt},
        {u"-2E-330", std::nullopt},
        {u"4.94065645841247E-324", std::numeric_limits<double>::denorm_min()},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadDecimalReal(c.text, u'.'), c.value) << Utf16ToUtf8(c.text);
    EXPECT_EQ(FixStrToFloat(u" 1.79769313486232E308 ", 0, kMax, 1, u'.'), kMax);
}

// settings/finding-largest-double.ini: the custom unit was read, saved, and
// at the next start read as the default.
TEST(FuzzFindings, ACustomUnitAtTheLargestDoubleSurvivesASave)
{
    const std::string file = "[Custom]\nUTMDenominator=1.7976931348623157E308\nMagNumerator=-1.7976931348623157E308\n";
    const RulerState first = Read(file);
    ASSERT_EQ(first.CustomUnit.UnitToMeterB, kMax);
    ASSERT_EQ(first.CustomUnit.MagnificationA, -kMax);
    TIniFile ini = TIniFile::FromBytes(file);
    WriteSettings(ini, first, u'.');
    const RulerState second = Read(ini.ToBytes());
    EXPECT_EQ(second.CustomUnit.UnitToMeterB, kMax);
    EXPECT_EQ(second.CustomUnit.MagnificationA, -kMax);
}

}  // namespace
