#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "lang/Languages.h"
#include "monitors/Monitors.h"
#include "ruler/MenuTree.h"
#include "ruler/RulerGeometry.h"
#include "settings/Utf8.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class RecordingHooks : public ISettingsReadHooks {
public:
    std::vector<std::string> loadedLanguages{"DE"};
    std::vector<MonitorRect> systemMonitors{{0, 0, 1920, 1080}, {1920, -200, 1280, 1024}};
    std::function<void(RulerState&)> onMonitorMenu;

    std::vector<std::string> calls;
    std::optional<RulerState> atLanguage;
    std::optional<RulerState> atMonitorMenu;

    bool LanguageLoaded(std::string_view code) override
    {
        return std::find(loadedLanguages.begin(), loadedLanguages.end(), code) != loadedLanguages.end();
    }
    void SelectLanguage(RulerState& s) override
    {
        calls.push_back("language " + s.Language);
        atLanguage = s;
    }
    void DetectMonitors(RulerState& s) override
    {
        calls.push_back("detect");
        ::DetectMonitors(s, systemMonitors);
    }
    void ShowMonitorMenuItems(RulerState& s) override
    {
        calls.push_back("monitor menu");
        atMonitorMenu = s;
        if (onMonitorMenu) onMonitorMenu(s);
    }
};

RulerState Read(const std::string& text, char16_t separator = u'.', RulerState s = {})
{
    RecordingHooks hooks;
    ReadSettings(TIniFile::FromBytes(text), s, separator, hooks);
    return s;
}

std::string Written(const RulerState& s, char16_t separator = u'.')
{
    TIniFile ini;
    WriteSettings(ini, s, separator);
    return ini.ToBytes();
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every stored field away from its default.
RulerState Scrambled()
{
    RulerState s;
    s.StickToMouse = true;
    s.AxisLocked = true;
    s.BoundToScreen = false;
    s.DoubleClick = TDoubleClickAction::PreciseLock;
    s.Scale = true;
    s.Units = TUnits::Custom;
    s.Resolution = TResolution::Dpi600;
    s.ScaleUp = false;
    s.ScaleRight = false;
    s.NoOffset = true;
    s.Embossed = false;
    s.HideLogo = true;
    s.Color = 11;
    s.Size = TRulerSize::Half;
    s.Rotate = true;
    s.Transparency = TTransparency::Percent40;
    s.CustomUnit = {u"Leagues \"old\"", u"lea", 4828.032, 1.5, 2, 0.00025};
    s.CustomResolution = 333;
    s.CustomSize = 55;
    s.CustomSizeInPixels = false;
    s.CustomTransparency = 35;
    s.ShowUnitsAndRes = false;
    s.ShowMouse = false;
    s.ShowRGB = false;
    s.ShowHints = false;
    s.PMTShow = true;
    s.PMTLocked = true;
    s.PMTSize = TPMTSize::Large;
    s.PMTZoomLevel = TZoomLevel::Zoom15X;
    s.PMTTransparency = true;
    s.Language = "DE";
    s.ShowAdvanced = false;
    s.AutoStart = true;
    s.StartupCheck = false;
    s.SaveSettingsOnExit = false;
    s.FirstRun = false;
    s.MonitorRects = {{{-1280, -200, 1280, 1024}, {0, 0, 1920, 1080}, {1920, 0, 800, 600}, {2720, 5, 1024, 768}}};
    s.MonitorCount = 4;
    s.ManualCfg = true;
    s.ActiveMon = 3;
    s.ActiveArea = s.MonitorRects[2];
    s.ColorSchemes[kCustomColorScheme] = {0x80FF0000, 0x12345678};
    return s;
}

// What a fresh install starts with, written out value by value rather than
// taken from the code's own defaults. It starts from Scrambled() so that a
// field left out here shows up as a difference.
RulerState FreshInstall()
{
    RulerState s = Scrambled();
    s.StickToMouse = false;
    s.AxisLocked = false;
    s.BoundToScreen = true;
    s.DoubleClick = TDoubleClickAction::AxisLock;
    s.Scale = false;
    s.Units = TUnits::Pixels;
    s.Resolution = TResolution::Dpi72;
    s.ScaleUp = true;
    s.ScaleRight = true;
    s.NoOffset = false;
    s.Embossed = true;
    s.HideLogo = false;
    s.Color = 0;
    s.Size = TRulerSize::ThreeQuarters;
    s.Rotate = false;
    s.Transparency = TTransparency::Percent20;
    s.CustomUnit = {u"Kilometers", u"km", 1000, 1, 1, 100000};
    s.CustomResolution = 150;
    s.CustomSize = 640;
    s.CustomSizeInPixels = true;
    s.CustomTransparency = 60;
    s.ShowUnitsAndRes = true;
    s.ShowMouse = true;
    s.ShowRGB = true;
    s.ShowHints = true;
    s.PMTShow = false;
    s.PMTLocked = false;
    s.PMTSize = TPMTSize::Small;
    s.PMTZoomLevel = TZoomLevel::Zoom5X;
    s.PMTTransparency = false;
    s.Language = "EN";
    s.ShowAdvanced = true;
    s.AutoStart = false;
    s.StartupCheck = true;
    s.SaveSettingsOnExit = true;
    s.FirstRun = true;
    s.ManualCfg = false;
    s.ActiveMon = 1;
    s.ColorSchemes[kCustomColorScheme] = {0xFFFFFFFF, 0xFF000000};
    // The monitors are the system's; the test sets them.
    s.MonitorCount = 0;
    s.MonitorRects = {};
    s.ActiveArea = {};
    return s;
}

void ExpectSameSettings(const RulerState& a, const RulerState& b)
{
    EXPECT_EQ(a.StickToMouse, b.StickToMouse);
    EXPECT_EQ(a.AxisLocked, b.AxisLocked);
    EXPECT_EQ(a.BoundToScreen, b.BoundToScreen);
    EXPECT_EQ(a.DoubleClick, b.DoubleClick);
    EXPECT_EQ(a.Scale, b.Scale);
    EXPECT_EQ(a.Units, b.Units);
    EXPECT_EQ(a.Resolution, b.Resolution);
    EXPECT_EQ(a.ScaleUp, b.ScaleUp);
    EXPECT_EQ(a.ScaleRight, b.ScaleRight);
    EXPECT_EQ(a.NoOffset, b.NoOffset);
    EXPECT_EQ(a.Embossed, b.Embossed);
    EXPECT_EQ(a.HideLogo, b.HideLogo);
    EXPECT_EQ(a.Color, b.Color);
    EXPECT_EQ(a.Size, b.Size);
    EXPECT_EQ(a.Rotate, b.Rotate);
    EXPECT_EQ(a.Transparency, b.Transparency);
    EXPECT_EQ(a.CustomUnit, b.CustomUnit);
    EXPECT_EQ(a.CustomResolution, b.CustomResolution);
    EXPECT_EQ(a.CustomSize, b.CustomSize);
    EXPECT_EQ(a.CustomSizeInPixels, b.CustomSizeInPixels);
    EXPECT_EQ(a.CustomTransparency, b.CustomTransparency);
    EXPECT_EQ(a.ShowUnitsAndRes, b.ShowUnitsAndRes);
    EXPECT_EQ(a.ShowMouse, b.ShowMouse);
    EXPECT_EQ(a.ShowRGB, b.ShowRGB);
    EXPECT_EQ(a.ShowHints, b.ShowHints);
    EXPECT_EQ(a.PMTShow, b.PMTShow);
    EXPECT_EQ(a.PMTLocked, b.PMTLocked);
    EXPECT_EQ(a.PMTSize, b.PMTSize);
    EXPECT_EQ(a.PMTZoomLevel, b.PMTZoomLevel);
    EXPECT_EQ(a.PMTTransparency, b.PMTTransparency);
    EXPECT_EQ(a.Language, b.Language);
    EXPECT_EQ(a.ShowAdvanced, b.ShowAdvanced);
    EXPECT_EQ(a.AutoStart, b.AutoStart);
    EXPECT_EQ(a.StartupCheck, b.StartupCheck);
    EXPECT_EQ(a.SaveSettingsOnExit, b.SaveSettingsOnExit);
    EXPECT_EQ(a.FirstRun, b.FirstRun);
    EXPECT_EQ(a.MonitorRects, b.MonitorRects);
    EXPECT_EQ(a.MonitorCount, b.MonitorCount);
    EXPECT_EQ(a.ManualCfg, b.ManualCfg);
    EXPECT_EQ(a.ActiveMon, b.ActiveMon);
    EXPECT_EQ(a.ActiveArea, b.ActiveArea);
    EXPECT_EQ(a.ColorSchemes, b.ColorSchemes);
}

TEST(Settings, AMissingFileGivesEveryDefault)
{
    RecordingHooks hooks;
    RulerState s = Scrambled();
    ReadSettings(TIniFile(), s, u'.', hooks);

    RulerState expected = FreshInstall();
    expected.MonitorCount = 2;
    expected.MonitorRects = {{{0, 0, 1920, 1080}, {1920, -200, 1280, 1024}, {}, {}}};
    expected.ActiveArea = {0, 0, 1920, 1080};
    ExpectSameSettings(s, expected);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"language EN", "detect", "monitor menu"}));
}

TEST(Settings, EveryStoredValueReadsBackTheSame)
{
    const std::pair<char16_t, char16_t> separators[] = {{u'.', u'.'}, {u',', u','}, {u',', u'.'}, {u'.', u','}};
    for (const auto& [writeWith, readWith] : separators) {
        RulerState saved = Scrambled();
        saved.SaveSettingsOnExit = true;
        ExpectSameSettings(Read(Written(saved, writeWith), readWith), saved);
    }
}

TEST(Settings, KeysAreWrittenInSavingOrder)
{
    RulerState s;
    DetectMonitors(s, {{0, 0, 1920, 1080}, {-1280, -200, 1280, 1024}});
    EXPECT_EQ(Written(s),
              "[Behavior]\nStickToMouse=0\nAxisLocked=0\nBoundToScreen=1\nDoubleClick=LockAxis\n"
              "\n[Display]\nSize=75%\nRotate=0\nScale=0\nUnits=px\nResolution=72dpi\nScaleUp=1\nScaleRight=1\n"
              "NoOffset=0\nPMTShow=0\nPMTLocked=0\nPMTSize=Small\nPMTZoomLevel=5x\nPMTTransparency=0\n"
              "Transparency=20%\nColor=0\nShowUnitsAndRes=1\nShowMouse=1\nShowRGB=1\nShowHints=1\nEmbossed=1\n"
              "HideLogo=0\n"
              "\n[Internal]\nFirstRun=1\n"
              "\n[General]\nLanguage=EN\nShowAdvanced=1\nSaveSettingsOnExit=1\nAutoStart=0\nStartupCheck=1\n"
              "\n[Monitors]\nCount=2\nManualCfg=0\nActiveMon=1\n"
              "M1L=0\nM1T=0\nM1W=1920\nM1H=1080\nM2L=-1280\nM2T=-200\nM2W=1280\nM2H=1024\n"
              "M3L=0\nM3T=0\nM3W=0\nM3H=0\nM4L=0\nM4T=0\nM4W=0\nM4H=0\n"
              "\n[Custom]\nUnitName=Kilometers\nUnitAbbr=km\nUTMNumerator=1000\nUTMDenominator=1\nMagNumerator=1\n"
              "MagDenominator=100000\nResolution=150\nSize=640\nSizePx=1\nTransparency=60\nHighlight=-1\n"
              "Shadow=-16777216\n");
}

TEST(Settings, WithoutSaveSettingsOnlyTheProgramSwitchesAreWritten)
{
    RulerState s = Scrambled();
    EXPECT_EQ(Written(s), "[General]\nShowAdvanced=0\nSaveSettingsOnExit=0\nAutoStart=1\nStartupCheck=0\n");

    TIniFile ini = TIniFile::FromBytes("[Display]\nColor=3\n[General]\nShowAdvanced=1\n[Internal]\nFirstRun=1\n");
    WriteSettings(ini, s, u'.');
    EXPECT_EQ(ini.ToBytes(),
              "[Display]\nColor=3\n[General]\nShowAdvanced=0\nSaveSettingsOnExit=0\nAutoStart=1\nStartupCheck=0\n"
              "[Internal]\nFirstRun=1\n");
}

TEST(Settings, ValuesOutsideTheirRangeAreStoredAsTheyWouldBeRead)
{
    RulerState s;
    s.Color = 42;
    s.ActiveMon = 9;
    s.CustomTransparency = 150;
    const std::string text = Written(s);
    EXPECT_NE(text.find("\nColor=0\n"), std::string::npos);
    EXPECT_NE(text.find("\nActiveMon=1\n"), std::string::npos);
    EXPECT_NE(text.find("\nTransparency=80\n"), std::string::npos);
}

TEST(Settings, CustomColoursAreWrittenAsSignedDecimal)
{
    RulerState s;
    s.ColorSchemes[kCustomColorScheme] = {0x80FF0000, 0x00FFFFFF};
    const std::string text = Written(s);
    EXPECT_NE(text.find("\nHighlight=-2130771968\nShadow=16777215\n"), std::string::npos);
}

using Getter = std::int64_t (*)(const RulerState&);
struct KeyCase {
    const char* section;
    const char* key;
    const char16_t* value;  // nullptr: the key is absent
    Getter get;
    std::int64_t expected;
};

template <class E>
constexpr std::int64_t V(E e)
{
    return static_cast<std::int64_t>(e);
}

TEST(Settings, EachKeyReadsItsWordsNumbersFallbacksAndDefaults)
{
    const Getter stick = [](const RulerState& s) { return V(s.StickToMouse); };
    const Getter embossed = [](const RulerState& s) { return V(s.Embossed); };
    const Getter doubleClick = [](const RulerState& s) { return V(s.DoubleClick); };
    const Getter size = [](const RulerState& s) { return V(s.Size); };
    const Getter units = [](const RulerState& s) { return V(s.Units); };
    const Getter resolution = [](const RulerState& s) { return V(s.Resolution); };
    const Getter pmtSize = [](const RulerState& s) { return V(s.PMTSize); };
    const Getter zoom = [](const RulerState& s) { return V(s.PMTZoomLevel); };
    const Getter transparency = [](const RulerState& s) { return V(s.Transparency); };
    const Getter color = [](const RulerState& s) { return V(s.Color); };
    const Getter activeMon = [](const RulerState& s) { return V(s.ActiveMon); };
    const Getter customDpi = [](const RulerState& s) { return V(s.CustomResolution); };
    const Getter highlight = [](const RulerState& s) { return V(s.ColorSchemes[kCustomColorScheme].Highlight); };
    const Getter shadow = [](const RulerState& s) { return V(s.ColorSchemes[kCustomColorScheme].Shadow); };
    const Getter language = [](const RulerState& s) { return V(s.Language == "EN"); };
    using DC = TDoubleClickAction;
    using TT = TTransparency;
    const KeyCase cases[] = {
        {"Behavior", "StickToMouse", u"1", stick, 1},
        {"Behavior", "StickToMouse", u"-1", stick, 1},
        {"Behavior", "StickToMouse", u"0x10", stick, 1},
        {"Behavior", "StickToMouse", u"true", stick, 0},
        {"Display", "Embossed", u"0", embossed, 0},
        {"Display", "Embossed", u"false", embossed, 1},
        {"Display", "Embossed", u"", embossed, 1},

        {"Behavior", "DoubleClick", u"LockAxis", doubleClick, V(DC::AxisLock)},
        {"Behavior", "DoubleClick", u"Resize", doubleClick, V(DC::Resize)},
        {"Behavior", "DoubleClick", u"Rotate", doubleClick, V(DC::Rotate)},
        {"Behavior", "DoubleClick", u"Scale&Hints", doubleClick, V(DC::ScaleAndHints)},
        {"Behavior", "DoubleClick", u"Precise", doubleClick, V(DC::PreciseOn)},
        {"Behavior", "DoubleClick", u"PreciseLock", doubleClick, V(DC::PreciseLock)},
        {"Behavior", "DoubleClick", u"NextMonitor", doubleClick, V(DC::NextMonitor)},
        {"Behavior", "DoubleClick", u"Customize", doubleClick, V(DC::CustomSettings)},
        {"Behavior", "DoubleClick", u"lockaxis", doubleClick, V(DC::Rotate)},
        {"Behavior", "DoubleClick", u"", doubleClick, V(DC::Rotate)},

        {"Display", "Size", u"100%", size, V(TRulerSize::Full)},
        {"Display", "Size", u"75%", size, V(TRulerSize::ThreeQuarters)},
        {"Display", "Size", u"50%", size, V(TRulerSize::Half)},
        {"Display", "Size", u"?", size, V(TRulerSize::Custom)},
        {"Display", "Size", u"25%", size, V(TRulerSize::Full)},

        {"Display", "Units", u"px", units, V(TUnits::Pixels)},
        {"Display", "Units", u"in", units, V(TUnits::Inches)},
        {"Display", "Units", u"cm", units, V(TUnits::Centimeters)},
        {"Display", "Units", u"?", units, V(TUnits::Custom)},
        {"Display", "Units", u"CM", units, V(TUnits::Pixels)},

        {"Display", "Resolution", u"72dpi", resolution, V(TResolution::Dpi72)},
        {"Display", "Resolution", u"200dpi", resolution, V(TResolution::Dpi200)},
        {"Display", "Resolution", u"300dpi", resolution, V(TResolution::Dpi300)},
        {"Display", "Resolution", u"600dpi", resolution, V(TResolution::Dpi600)},
        {"Display", "Resolution", u"1200dpi", resolution, V(TResolution::Dpi1200)},
        {"Display", "Resolution", u"?", resolution, V(TResolution::Custom)},
        {"Display", "Resolution", u"150dpi", resolution, V(TResolution::Dpi72)},

        {"Display", "PMTSize", u"Small", pmtSize, V(TPMTSize::Small)},
        {"Display", "PMTSize", u"Medium", pmtSize, V(TPMTSize::Medium)},
        {"Display", "PMTSize", u"Large", pmtSize, V(TPMTSize::Large)},
        {"Display", "PMTSize", u"large", pmtSize, V(TPMTSize::Small)},
        {"Display", "PMTZoomLevel", u"5x", zoom, V(TZoomLevel::Zoom5X)},
        {"Display", "PMTZoomLevel", u"10x", zoom, V(TZoomLevel::Zoom10X)},
        {"Display", "PMTZoomLevel", u"15x", zoom, V(TZoomLevel::Zoom15X)},
        {"Display", "PMTZoomLevel", u"20x", zoom, V(TZoomLevel::Zoom5X)},

        {"Display", "Transparency", u"0%", transparency, V(TT::Opaque)},
        {"Display", "Transparency", u"5%", transparency, V(TT::Percent5)},
        {"Display", "Transparency", u"10%", transparency, V(TT::Percent10)},
        {"Display", "Transparency", u"15%", transparency, V(TT::Percent15)},
        {"Display", "Transparency", u"20%", transparency, V(TT::Percent20)},
        {"Display", "Transparency", u"30%", transparency, V(TT::Percent30)},
        {"Display", "Transparency", u"40%", transparency, V(TT::Percent40)},
        {"Display", "Transparency", u"50%", transparency, V(TT::Percent50)},
        {"Display", "Transparency", u"?", transparency, V(TT::Custom)},
        {"Display", "Transparency", u"25%", transparency, V(TT::Opaque)},
        {"Display", "Transparency", nullptr, transparency, V(TT::Percent20)},

        {"Display", "Color", u"15", color, 15},
        {"Display", "Color", u"0x0A", color, 10},
        {"Display", "Color", u"16", color, 0},
        {"Display", "Color", u"-1", color, 0},
        {"Display", "Color", u"blue", color, 0},

        {"Monitors", "ActiveMon", u"4", activeMon, 4},
        {"Monitors", "ActiveMon", u"7", activeMon, 1},
        {"Monitors", "ActiveMon", u"0", activeMon, 1},

        {"Custom", "Resolution", u"0x12C", customDpi, 300},
        {"Custom", "Resolution", u"-96", customDpi, -96},
        {"Custom", "Resolution", u"96dpi", customDpi, 150},
        {"Custom", "Resolution", u"", customDpi, 150},

        {"Custom", "Highlight", u"0xFF00FF00", highlight, 0xFF00FF00},
        {"Custom", "Highlight", u"-16777216", highlight, 0xFF000000},
        {"Custom", "Highlight", u"16777215", highlight, 0x00FFFFFF},
        {"Custom", "Highlight", u"red", highlight, 0xFFFFFFFF},
        {"Custom", "Shadow", u"-1", shadow, 0xFFFFFFFF},
        {"Custom", "Shadow", nullptr, shadow, 0xFF000000},

        {"General", "Language", u"EN", language, 1},
        {"General", "Language", u"DE", language, 0},
    };
    for (const KeyCase& c : cases) {
        std::string text = std::string("[") + c.section + "]\n";
        if (c.value) text += std::string(c.key) + "=" + Utf16ToUtf8(c.value) + "\n";
        EXPECT_EQ(c.get(Read(text, u'.', Scrambled())), c.expected)
            << c.section << "/" << c.key << "=" << (c.value ? Utf16ToUtf8(c.value) : "(absent)");
    }
}

struct CustomTransparencyCase {
    const char16_t* stored;  // nullptr: absent
    int expected;
    int alpha;
};

// The custom settings dialog offers 0..80 %; a hand-edited value beyond that
// would otherwise make the ruler invisible (alpha 0) yet still catch clicks.
TEST(Settings, ACustomTransparencyOutsideTheDialogsRangeCountsAsItsNearestLimit)
{
    const CustomTransparencyCase cases[] = {
        {u"-5", 0, 255},          {u"0", 0, 255},     {u"35", 35, 165},  {u"80", 80, 51},
        {u"81", 80, 51},          {u"150", 80, 51},   {u"0x96", 80, 51}, {u"2147483647", 80, 51},
        {u"-2147483648", 0, 255}, {u"half", 60, 102}, {u"", 60, 102},    {nullptr, 60, 102},
    };
    for (const CustomTransparencyCase& c : cases) {
        std::string text = "[Display]\nTransparency=?\n[Custom]\n";
        if (c.stored) text += "Transparency=" + Utf16ToUtf8(c.stored) + "\n";
        const RulerState s = Read(text, u'.', Scrambled());
        const std::string label = c.stored ? Utf16ToUtf8(c.stored) : "(absent)";
        ASSERT_EQ(s.Transparency, TTransparency::Custom) << label;
        EXPECT_EQ(s.CustomTransparency, c.expected) << label;
        EXPECT_EQ(TransparencyAlpha(s), c.alpha) << label;
        EXPECT_EQ(MenuCaption({TMenuId::menuCustomTransparency}, s, {}, TLanguageTable{}),
                  u"Custom: " + Utf8ToUtf16(std::to_string(c.expected)) + u" %")
            << label;
    }
}

TEST(Settings, ARealWrittenUnderOneLocaleReadsUnderTheOther)
{
    RulerState saved;
    saved.CustomUnit.UnitToMeterA = 0.3048;
    saved.CustomUnit.MagnificationB = 2.5;
    const std::string comma = Written(saved, u',');
    EXPECT_NE(comma.find("\nUTMNumerator=0,3048\n"), std::string::npos);
    EXPECT_NE(comma.find("\nMagDenominator=2,5\n"), std::string::npos);
    EXPECT_EQ(Read(comma, u'.').CustomUnit, saved.CustomUnit);

    const std::string point = Written(saved, u'.');
    EXPECT_NE(point.find("\nUTMNumerator=0.3048\n"), std::string::npos);
    EXPECT_EQ(Read(point, u',').CustomUnit, saved.CustomUnit);
}

struct LanguageCase {
    const char* stored;  // nullptr: absent
    std::string expected;
};

TEST(Settings, TheSavedLanguageIsAppliedWhenItsFileWasLoaded)
{
    const LanguageCase cases[] = {
        {"EN", "EN"}, {"DE", "DE"}, {"FR", "EN"}, {"de", "EN"}, {"", "EN"}, {nullptr, "EN"},
    };
    for (const LanguageCase& c : cases) {
        RecordingHooks hooks;
        RulerState s;
        const std::string text = c.stored ? std::string("[General]\nLanguage=") + c.stored + "\n" : "";
        ReadSettings(TIniFile::FromBytes(text), s, u'.', hooks);
        EXPECT_EQ(s.Language, c.expected) << (c.stored ? c.stored : "(absent)");
        EXPECT_EQ(std::count(hooks.calls.begin(), hooks.calls.end(), "language " + c.expected), 1);
    }
}

TEST(Settings, LanguageAndMonitorMenuComeAtTheirPlaceInTheReading)
{
    RecordingHooks hooks;
    RulerState s;
    ReadSettings(TIniFile::FromBytes("[Display]\nColor=5\nHideLogo=1\n[Custom]\nUnitAbbr=mi\n[Internal]\nFirstRun=0\n"
                                     "[General]\nLanguage=DE\nShowAdvanced=0\nSaveSettingsOnExit=0\n"
                                     "[Monitors]\nManualCfg=1\nCount=2\nM2L=100\nActiveMon=2\n"),
                 s, u'.', hooks);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"language DE", "monitor menu"}));

    ASSERT_TRUE(hooks.atLanguage);
    const RulerState& atLanguage = *hooks.atLanguage;
    EXPECT_EQ(atLanguage.Color, 5);
    EXPECT_EQ(atLanguage.CustomUnit.Abbreviation, u"mi");
    EXPECT_FALSE(atLanguage.FirstRun);
    EXPECT_TRUE(atLanguage.ShowAdvanced);
    EXPECT_FALSE(atLanguage.ManualCfg);
    EXPECT_FALSE(atLanguage.HideLogo);

    ASSERT_TRUE(hooks.atMonitorMenu);
    const RulerState& atMenu = *hooks.atMonitorMenu;
    EXPECT_FALSE(atMenu.ShowAdvanced);
    EXPECT_EQ(atMenu.MonitorCount, 2);
    EXPECT_EQ(atMenu.MonitorRects[1], (MonitorRect{100, 0, 640, 480}));
    EXPECT_EQ(atMenu.ActiveArea, MonitorRect{});
    EXPECT_TRUE(atMenu.SaveSettingsOnExit);

    EXPECT_EQ(s.ActiveMon, 2);
    EXPECT_EQ(s.ActiveArea, (MonitorRect{100, 0, 640, 480}));
    EXPECT_FALSE(s.SaveSettingsOnExit);
    EXPECT_TRUE(s.HideLogo);
}

TEST(Settings, MonitorKeysCountOnlyInManualConfiguration)
{
    const std::string keys = "Count=3\nM1L=5\nM1W=800\nM2L=9\nActiveMon=2\n";
    RecordingHooks detected;
    RulerState s;
    ReadSettings(TIniFile::FromBytes("[Monitors]\nManualCfg=0\n" + keys), s, u'.', detected);
    EXPECT_EQ(detected.calls, (std::vector<std::string>{"language EN", "detect", "monitor menu"}));
    EXPECT_EQ(s.MonitorCount, 2);
    EXPECT_EQ(s.MonitorRects[0], detected.systemMonitors[0]);
    EXPECT_EQ(s.ActiveArea, detected.systemMonitors[1]);

    RecordingHooks manual;
    ReadSettings(TIniFile::FromBytes("[Monitors]\nManualCfg=1\n" + keys), s, u'.', manual);
    EXPECT_EQ(manual.calls, (std::vector<std::string>{"language EN", "monitor menu"}));
    EXPECT_EQ(s.MonitorCount, 3);
    EXPECT_EQ(s.MonitorRects, (std::array<MonitorRect, kMonitorSlots>{
                                  {{5, 0, 800, 480}, {9, 0, 640, 480}, {0, 0, 640, 480}, {0, 0, 640, 480}}}));
    EXPECT_EQ(s.ActiveArea, (MonitorRect{9, 0, 640, 480}));

    // A hand-edited count is used as it stands.
    EXPECT_EQ(Read("[Monitors]\nManualCfg=1\nCount=0\n").MonitorCount, 0);
}

TEST(Settings, TheMonitorMenuMayStillChangeTheDoubleClickAction)
{
    RecordingHooks hooks;
    hooks.systemMonitors = {{0, 0, 1024, 768}};
    hooks.onMonitorMenu = [](RulerState& s) {
        if (s.MonitorCount == 1 && s.DoubleClick == TDoubleClickAction::NextMonitor)
            s.DoubleClick = TDoubleClickAction::Rotate;
    };
    RulerState s;
    ReadSettings(TIniFile::FromBytes("[Behavior]\nDoubleClick=NextMonitor\n"), s, u'.', hooks);
    EXPECT_EQ(s.DoubleClick, TDoubleClickAction::Rotate);
}

struct IntegerCase {
    std::u16string text;
    std::optional<std::int32_t> expected;
};

TEST(SettingsValues, Integers)
{
    const IntegerCase cases[] = {
        {u"42", 42},
        {u"+42", 42},
        {u"-42", -42},
        {u"007", 7},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483648", std::nullopt},
        {u"99999999999999999999", std::nullopt},
        {u"0x1F", 31},
        {u"0xffffffff", -1},
        {u"0x80000000", -2147483647 - 1},
        {u"0x100000000", std::nullopt},
        {u"0x", std::nullopt},
        {u"0X1F", std::nullopt},
        {u"0x1G", std::nullopt},
        {u"-0x1", std::nullopt},
        {u"", std::nullopt},
        {u"-", std::nullopt},
        {u"1.0", std::nullopt},
        {u"1 2", std::nullopt},
        {u"٣", std::nullopt},
    };
    for (const IntegerCase& c : cases) EXPECT_EQ(ParseSettingsInteger(c.text), c.expected) << Utf16ToUtf8(c.text);
}

struct RealCase {
    std::u16string text;
    char16_t separator;
    std::optional<double> expected;
};

TEST(SettingsValues, RealsTakeEitherDecimalSeparatorAndEitherExponentForm)
{
    const RealCase cases[] = {
        {u"1000", u'.', 1000},
        {u"0.3048", u'.', 0.3048},
        {u"0,3048", u'.', 0.3048},
        {u"0.3048", u',', 0.3048},
        {u"-2,5", u',', -2.5},
        {u"+.5", u'.', 0.5},
        {u"5.", u'.', 5},
        {u"1,5E3", u'.', 1500},
        {u"2.5e-4", u',', 0.00025},
        {u"1E20", u'.', 1e20},
        {u"2.5E-7", u'.', 2.5e-7},
        {u"2,5E-7", u'.', 2.5e-7},
        {u"1.5E-5", u',', 1.5e-5},
        {u"-3E-300", u'.', -3e-300},
        // As earlier versions wrote them.
        {u"1e+20", u'.', 1e20},
        {u"2.5e-07", u',', 2.5e-7},
        {u"1E+020", u'.', 1e20},
        {u"0\u066B25", u'\u066B', 0.25},
        {u"1,000.5", u'.', std::nullopt},
        {u"1.000,5", u',', std::nullopt},
        {u"1 000", u'.', std::nullopt},
        {u"", u'.', std::nullopt},
        {u".", u'.', std::nullopt},
        {u"1e", u'.', std::nullopt},
        {u"1e999", u'.', std::nullopt},
        {u"inf", u'.', std::nullopt},
        {u"nan", u'.', std::nullopt},
        {u"0x10", u'.', std::nullopt},
        {u"12km", u'.', std::nullopt},
    };
    for (const RealCase& c : cases)
        EXPECT_EQ(ParseSettingsReal(c.text, c.separator), c.expected) << Utf16ToUtf8(c.text);
}

struct WrittenRealCase {
    double value;
    char16_t separator;
    std::string text;
    double readsAs;
};

// The file shows reals as the scale shows its numbers: up to 15 significant
// digits, scientific only outside 0.0001 up to 1e15, with "E", no "+" and no
// leading zeros in the exponent.
TEST(Settings, RealsAreWrittenInTheGeneralFormatAndReadBack)
{
    const WrittenRealCase cases[] = {
        {1e20, u'.', "1E20", 1e20},
        {0.00000025, u',', "2,5E-7", 0.00000025},
        {0.000015, u'.', "1.5E-5", 0.000015},
        {0.00005, u',', "5E-5", 0.00005},
        {-3e-300, u'.', "-3E-300", -3e-300},
        {1e15, u',', "1E15", 1e15},
        {123456789012345, u'.', "123456789012345", 123456789012345},
        {100000, u',', "100000", 100000},
        {1000, u'.', "1000", 1000},
        {0, u'.', "0", 0},
        {0.3048, u',', "0,3048", 0.3048},
        {0.0001, u',', "0,0001", 0.0001},
        {0.00025, u'.', "0.00025", 0.00025},
        {-2.5, u'.', "-2.5", -2.5},
        {4828.032, u',', "4828,032", 4828.032},
        // Beyond 15 digits the file holds the value rounded.
        {1.0 / 3, u'.', "0.333333333333333", 0.333333333333333},
        {0.1 + 0.2, u',', "0,3", 0.3},
        {1234567890123456789.0, u'.', "1.23456789012346E18", 1.23456789012346e18},
    };
    for (const WrittenRealCase& c : cases) {
        RulerState s;
        s.CustomUnit.MagnificationA = c.value;
        const std::string file = Written(s, c.separator);
        EXPECT_EQ(TIniFile::FromBytes(file).Read("Custom", "MagNumerator"), Utf8ToUtf16(c.text));
        EXPECT_EQ(Read(file, c.separator).CustomUnit.MagnificationA, c.readsAs) << c.text;
    }
}

TEST(SettingsFile, SaveKeepsTheUsersOwnLinesAndReadsBack)
{
    TempDir dir;
    const fs::path file = dir.Write("Settings.ini", "; my notes\n[Display]\nColor=2\nMine=yes\n\n[Plugins]\nA=1\n");
    RulerState saved = Scrambled();
    saved.SaveSettingsOnExit = true;
    std::error_code error;
    ASSERT_TRUE(SaveSettings(file.string(), saved, u'.', &error)) << error.message();

    const std::string text = FileBytes(file);
    EXPECT_TRUE(text.starts_with("; my notes\n[Display]\nColor=11\nMine=yes\n"));
    EXPECT_NE(text.find("\n[Plugins]\nA=1\n"), std::string::npos);

    RecordingHooks hooks;
    RulerState loaded;
    EXPECT_EQ(LoadSettings(file.string(), loaded, u'.', hooks), TIniLoad::Loaded);
    ExpectSameSettings(loaded, saved);
}

TEST(SettingsFile, AFailedSaveIsReported)
{
    TempDir dir;
    dir.Write("plain", "x");
    const std::string path = (dir.Path() / "plain" / "Settings.ini").string();
    std::error_code error;
    EXPECT_FALSE(SaveSettings(path, RulerState{}, u'.', &error));
    EXPECT_TRUE(error);
    EXPECT_EQ(UnableToWriteText(path), u"Unable to write to " + Utf8ToUtf16(path));
}

TEST(SettingsFile, AFileThatCannotBeReadIsNotReplaced)
{
    TempDir dir;
    const std::string old = "[Display]\nColor=4\n";
    const fs::path file = dir.Write("Settings.ini", old);
    fs::permissions(file, fs::perms::none);
    if (std::ifstream(file).is_open()) GTEST_SKIP() << "permission bits do not stop this user";
    std::error_code error;
    EXPECT_FALSE(SaveSettings(file.string(), RulerState{}, u'.', &error));
    EXPECT_TRUE(error);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FileBytes(file), old);
}

TEST(SettingsFile, AMissingFileLoadsAsDefaults)
{
    TempDir dir;
    RecordingHooks hooks;
    RulerState s = Scrambled();
    EXPECT_EQ(LoadSettings((dir.Path() / "Settings.ini").string(), s, u'.', hooks), TIniLoad::Missing);
    EXPECT_EQ(s.Color, 0);
    EXPECT_EQ(s.Units, TUnits::Pixels);
}

}  // namespace
