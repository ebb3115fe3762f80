#include "monitors/MonitorSetup.h"
#include "settings/Numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

std::string Narrow(const std::u16string& s)
{
    return {s.begin(), s.end()};
}

TEST(FixStrToInt, ReadsADecimalIntegerElseTheDefaultThenKeepsItInRange)
{
    struct Case {
        std::u16string text;
        std::int32_t min, max, def, expected;
    };
    const Case cases[] = {
        {u"123", -1000, 1000, 7, 123},
        {u"  42  ", -1000, 1000, 7, 42},
        {u"\t-5 ", -1000, 1000, 7, -5},
        {u"+17", -1000, 1000, 7, 17},
        {u"007", -1000, 1000, 7, 7},
        // Not a number: the default.
        {u"", -1000, 1000, 7, 7},
        {u"   ", -1000, 1000, 7, 7},
        {u"-", -1000, 1000, 7, 7},
        {u"+", -1000, 1000, 7, 7},
        {u"12a", -1000, 1000, 7, 7},
        {u"a12", -1000, 1000, 7, 7},
        {u"1 2", -1000, 1000, 7, 7},
        {u"- 5", -1000, 1000, 7, 7},
        {u"--5", -1000, 1000, 7, 7},
        {u"1.5", -1000, 1000, 7, 7},
        {u"1e3", -1000, 1000, 7, 7},
        {u"0x10", -1000, 1000, 7, 7},
        {u"\uFF11\uFF12", -1000, 1000, 7, 7},  // full-width digits are not ASCII digits
        // Out of range: the nearest limit, the default included.
        {u"5000", 640, 4096, 0, 4096},
        {u"100", 640, 4096, 0, 640},
        {u"x", 640, 4096, 0, 640},
        {u"x", 0, 80, 200, 80},
        // Too long for 32 bits is still a number.
        {u"2147483647", kIntMin, kIntMax, 0, kIntMax},
        {u"2147483648", kIntMin, kIntMax, 0, kIntMax},
        {u"-2147483648", kIntMin, kIntMax, 0, kIntMin},
        {u"-2147483649", kIntMin, kIntMax, 0, kIntMin},
        {u"99999999999999999999999999", kIntMin, kIntMax, 0, kIntMax},
        {u"-99999999999999999999999999", 640, 4096, 0, 640},
        {u"99999999999999999999999999", 25, 100, 85, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FixStrToInt(c.text, c.min, c.max, c.def), c.expected)
            << '"' << Narrow(c.text) << "\" in " << c.min << ".." << c.max << " default " << c.def;
}

TEST(CorrectMonitorField, KeepsAnIntegerInRangeAsTypedAndCorrectsTheRest)
{
    using F = TMonitorField;
    struct Case {
        F field;
        std::u16string text, expected;
    };
    const Case cases[] = {
        {F::Left, u"", u"0"},
        {F::Left, u"abc", u"0"},
        {F::Left, u"-0", u"0"},
        {F::Left, u"000", u"0"},
        {F::Left, u"-1280", u"-1280"},
        {F::Left, u" 1920", u" 1920"},
        {F::Left, u"99999999999", u"2147483647"},
        {F::Top, u"-900", u"-900"},
        {F::Top, u"12,5", u"0"},
        {F::Width, u"5000", u"4096"},
        {F::Width, u"4097", u"4096"},
        {F::Width, u"4096", u"4096"},
        {F::Width, u"1280", u"1280"},
        {F::Width, u"640", u"640"},
        {F::Width, u"639", u"640"},
        {F::Width, u"100", u"640"},
        {F::Width, u"-1920", u"640"},
        {F::Width, u"", u"640"},
        {F::Height, u"479", u"480"},
        {F::Height, u"3073", u"3072"},
        {F::Height, u"1024", u"1024"},
        {F::Height, u"wide", u"480"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Narrow(CorrectMonitorField(c.field, c.text)), Narrow(c.expected))
            << "field " << static_cast<int>(c.field) << " \"" << Narrow(c.text) << '"';
}

const std::array<MonitorRect, kMonitorSlots> kRects = {
    {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {-1024, 0, 1024, 768}, {0, -900, 1600, 900}}};

RulerState Committed(bool manual, int count)
{
    RulerState s;
    s.ManualCfg = manual;
    s.MonitorCount = count;
    s.MonitorRects = kRects;
    return s;
}

// Which controls can be used, monitor 1 to 4: "F" when the monitor's fields
// are enabled, then for monitors 2 to 4 "x" when the box is checked and "e"
// when it is enabled ("-" for each that is not).
std::string Controls(const TMonitorSetupForm& f)
{
    std::string out = f.FieldsEnabled(1) ? "F" : "-";
    for (int m = 2; m <= kMonitorSlots; ++m) {
        out += ' ';
        out += f.FieldsEnabled(m) ? 'F' : '-';
        out += f.BoxChecked(m) ? 'x' : '-';
        out += f.BoxEnabled(m) ? 'e' : '-';
    }
    return out;
}

std::string Texts(const TMonitorSetupForm& f, int monitor)
{
    std::string out;
    for (TMonitorField field : {TMonitorField::Left, TMonitorField::Top, TMonitorField::Width, TMonitorField::Height})
        out += (out.empty() ? "" : ",") + Narrow(f.Text(monitor, field));
    return out;
}

TEST(MonitorSetupForm, ManualModeOffersTheCommittedMonitorsAndTheNextOnesBox)
{
    struct Case {
        int count;
        std::string controls;
    };
    const Case cases[] = {
        {1, "F --e --- ---"},
        {2, "F Fxe --e ---"},
        {3, "F Fxe Fxe --e"},
        {4, "F Fxe Fxe Fxe"},
        // A hand-edited count offers every monitor.
        {0, "F Fxe Fxe Fxe"},
        {7, "F Fxe Fxe Fxe"},
    };
    for (const Case& c : cases) {
        TMonitorSetupForm form;
        form.FormActivate(Committed(true, c.count), {kRects[0]});
        EXPECT_EQ(form.Mode(), TMonitorMode::Manual);
        EXPECT_EQ(Controls(form), c.controls) << c.count << " monitors";
        EXPECT_EQ(Texts(form, 1), "0,0,1920,1080") << c.count << " monitors";
        EXPECT_FALSE(form.ApplyEnabled()) << c.count << " monitors";
    }
    TMonitorSetupForm two;
    two.FormActivate(Committed(true, 2), {kRects[0]});
    EXPECT_EQ(Texts(two, 2), "1920,0,1280,1024");
    // Beyond the count the committed entry is shown as it is, locked.
    EXPECT_EQ(Texts(two, 3), "-1024,0,1024,768");
}

TEST(MonitorSetupForm, TheEnabledBoxesFormAChain)
{
    // Each step sets monitor n's box to the state given, as a click does.
    struct Step {
        int monitor;
        bool on;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::string controls;
        std::vector<std::string> texts;  // monitors 2 to 4
    };
    const Case cases[] = {
        {"monitor 2 off", {{2, false}}, "F --e --- ---", {"0,0,0,0", "0,0,0,0", "0,0,0,0"}},
        {"monitor 2 off and on again", {{2, false}, {2, true}}, "F Fxe --e ---", {"0,0,640,480", "0,0,0,0", "0,0,0,0"}},
        {"monitor 3 off", {{3, false}}, "F Fxe --e ---", {"1920,0,1280,1024", "0,0,0,0", "0,0,0,0"}},
        {"monitor 4 off", {{4, false}}, "F Fxe Fxe --e", {"1920,0,1280,1024", "-1024,0,1024,768", "0,0,0,0"}},
        {"2 off, 2 on, 3 on",
         {{2, false}, {2, true}, {3, true}},
         "F Fxe Fxe --e",
         {"0,0,640,480", "0,0,640,480", "0,0,0,0"}},
    };
    for (const Case& c : cases) {
        TMonitorSetupForm form;
        form.FormActivate(Committed(true, 4), {kRects[0]});
        for (const Step& s : c.steps) form.SetBoxChecked(s.monitor, s.on);
        EXPECT_EQ(Controls(form), c.controls) << c.name;
        for (int m = 2; m <= kMonitorSlots; ++m)
            EXPECT_EQ(Texts(form, m), c.texts[static_cast<std::size_t>(m - 2)]) << c.name << ", monitor " << m;
        EXPECT_TRUE(form.ApplyEnabled()) << c.name;
    }
}

TEST(MonitorSetupForm, LeavingAFieldCorrectsEveryMonitorInUseAndClearsTheOthers)
{
    TMonitorSetupForm form;
    form.FormActivate(Committed(true, 2), {kRects[0]});
    form.SetText(1, TMonitorField::Width, u"5000");
    form.SetText(1, TMonitorField::Left, u"-1280");
    form.SetText(2, TMonitorField::Left, u"abc");
    form.SetText(2, TMonitorField::Height, u"100");
    form.SetText(3, TMonitorField::Width, u"1234");  // a disabled monitor's field, set by no user
    EXPECT_TRUE(form.ApplyEnabled());
    form.AnyEditBoxExit();
    EXPECT_EQ(Texts(form, 1), "-1280,0,4096,1080");
    EXPECT_EQ(Texts(form, 2), "0,0,1280,480");
    EXPECT_EQ(Texts(form, 3), "0,0,0,0");
}

TEST(MonitorSetupForm, ApplyCommitsTheModeTheChainAndEverySixteenFields)
{
    TMonitorSetupForm form;
    form.FormActivate(Committed(true, 4), {kRects[0]});
    form.SetBoxChecked(4, false);
    form.SetText(1, TMonitorField::Left, u"-1280");
    // Not left yet, so not corrected: text that is no integer stores 0.
    form.SetText(2, TMonitorField::Width, u"12x");
    RulerState s;
    s.MonitorCount = 1;
    form.Apply(s);
    EXPECT_TRUE(s.ManualCfg);
    EXPECT_EQ(s.MonitorCount, 3);
    EXPECT_EQ(s.MonitorRects[0], (MonitorRect{-1280, 0, 1920, 1080}));
    EXPECT_EQ(s.MonitorRects[1], (MonitorRect{1920, 0, 0, 1024}));
    EXPECT_EQ(s.MonitorRects[2], kRects[2]);
    EXPECT_EQ(s.MonitorRects[3], MonitorRect{});
    EXPECT_FALSE(form.ApplyEnabled());

    // The count is the chain's: each box taken away from the top.
    for (int top = 3; top >= 1; --top) {
        form.SetBoxChecked(top, false);
        form.Apply(s);
        EXPECT_EQ(s.MonitorCount, std::max(top - 1, 1));
    }
}

TEST(MonitorSetupForm, AutoDetectShowsTheSystemsMonitorsAndLocksEverything)
{
    const MonitorRect wide{-5120, 0, 5120, 1440};  // beyond what may be typed
    const MonitorRect a{0, 0, 1920, 1080}, b{1920, -200, 1280, 1024}, c{0, 1080, 800, 600}, d{800, 1080, 800, 600};
    struct Case {
        const char* name;
        std::vector<MonitorRect> system;
        std::string controls;
        int count;
    };
    const Case cases[] = {
        {"none", {}, "- --- --- ---", 1},
        {"one", {a}, "- --- --- ---", 1},
        {"two", {a, wide}, "- -x- --- ---", 2},
        {"three", {a, b, c}, "- -x- -x- ---", 3},
        {"five", {a, b, c, d, wide}, "- -x- -x- -x-", 4},
    };
    for (const Case& k : cases) {
        // Committed before: a manual table of four, now given up.
        TMonitorSetupForm form;
        form.FormActivate(Committed(true, 4), k.system);
        form.SelectMode(TMonitorMode::AutoDetect, 4, k.system);
        EXPECT_EQ(Controls(form), k.controls) << k.name;
        EXPECT_TRUE(form.ApplyEnabled()) << k.name;
        RulerState s = Committed(true, 4);
        form.Apply(s);
        EXPECT_FALSE(s.ManualCfg) << k.name;
        EXPECT_EQ(s.MonitorCount, k.count) << k.name;
        for (std::size_t i = 0; i < kMonitorSlots; ++i)
            EXPECT_EQ(s.MonitorRects[i], i < k.system.size() ? k.system[i] : MonitorRect{}) << k.name << ' ' << i;
    }
}

TEST(MonitorSetupForm, ActivationDropsWhatWasNotApplied)
{
    // Manual: typing and boxes go back to the committed state.
    TMonitorSetupForm manual;
    const RulerState two = Committed(true, 2);
    manual.FormActivate(two, {kRects[0]});
    manual.SetText(1, TMonitorField::Width, u"1280");
    manual.SetBoxChecked(2, false);
    manual.FormActivate(two, {kRects[0]});
    EXPECT_EQ(Texts(manual, 1), "0,0,1920,1080");
    EXPECT_EQ(Controls(manual), "F Fxe --e ---");
    EXPECT_FALSE(manual.ApplyEnabled());

    // A mode chosen but not applied goes back too, and the manual mode starts
    // again from the committed count.
    manual.SelectMode(TMonitorMode::AutoDetect, 2, {kRects[0]});
    EXPECT_EQ(Controls(manual), "- --- --- ---");
    manual.FormActivate(two, {kRects[0]});
    EXPECT_EQ(manual.Mode(), TMonitorMode::Manual);
    EXPECT_EQ(Controls(manual), "F Fxe --e ---");

    // Selecting the mode that is already selected runs nothing.
    manual.SetBoxChecked(2, false);
    manual.SelectMode(TMonitorMode::Manual, 2, {kRects[0]});
    EXPECT_EQ(Controls(manual), "F --e --- ---");

    // Auto-detect: re-reading a committed count that differs from the
    // system's changes a box on the way; the mode still ends locked and
    // showing the system.
    const std::vector<MonitorRect> system = {kRects[0], kRects[1]};
    TMonitorSetupForm automatic;
    const RulerState one = Committed(false, 1);
    automatic.FormActivate(one, system);
    automatic.FormActivate(one, system);
    EXPECT_EQ(automatic.Mode(), TMonitorMode::AutoDetect);
    EXPECT_EQ(Controls(automatic), "- -x- --- ---");
    EXPECT_EQ(Texts(automatic, 2), "1920,0,1280,1024");
    EXPECT_FALSE(automatic.ApplyEnabled());
}

}  // namespace
