#include "settings/Settings.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>
#include <type_traits>
#include <variant>
#include <vector>

#include "draw/FormatGeneral.h"
#include "settings/Numbers.h"
#include "settings/Utf8.h"

namespace {

static_assert(std::is_same_v<int, std::int32_t>, "settings integers are stored in int fields");

// ---- Value kinds --------------------------------------------------------

struct TBoolKey {
    bool& (*Field)(RulerState&);
    bool Default;
};
// What a value outside Min..Max stands for.
enum class TOutOfRange {
    Substitute,    // the key's OutOfRange value
    NearestLimit,  // Min or Max, whichever it passed
};
struct TIntKey {
    int& (*Field)(RulerState&);
    int Default;
    int Min = std::numeric_limits<int>::min();
    int Max = std::numeric_limits<int>::max();
    int OutOfRange = 0;
    TOutOfRange Rule = TOutOfRange::Substitute;
};
struct TRealKey {
    double& (*Field)(RulerState&);
    double Default;
};
struct TTextKey {
    std::u16string& (*Field)(RulerState&);
    std::u16string_view Default;
};
// A text the state keeps as 8-bit code (the language code).
struct TCodeKey {
    std::string& (*Field)(RulerState&);
    std::string_view Default;
};
struct TChoiceWord {
    std::u16string_view Word;
    int Value;
};
// The words are matched exactly and in this order; a present value that
// matches none selects Fallback.
struct TChoiceKey {
    int (*Get)(const RulerState&);
    void (*Set)(RulerState&, int);
    std::span<const TChoiceWord> Words;
    int Default;
    int Fallback;
};
// A colour, stored as its 32 bits in signed decimal.
struct TColorKey {
    TColor32& (*Field)(RulerState&);
    TColor32 Default;
};
using TKeyValue = std::variant<TBoolKey, TIntKey, TRealKey, TTextKey, TCodeKey, TChoiceKey, TColorKey>;

enum class TSaved { WithSaveSettings, Always };

// What reading a key involves besides the value.
enum class TReadRule {
    Plain,
    ManualMonitorsOnly,  // read only in manual monitor configuration
    Language,            // resolved against the loaded languages and applied
    ActiveMonitor,       // needs the monitor table and its menu first; sets ActiveArea
};

struct TSettingKey {
    std::string_view Section;
    std::string_view Key;
    TKeyValue Value;
    TSaved Saved;
    // Position in start-up reading: step * 100 + place in the step.
    int ReadRank;
    TReadRule Rule = TReadRule::Plain;
};

// ---- Field access -------------------------------------------------------

template <auto Member>
auto& Field(RulerState& s)
{
    return s.*Member;
}
template <auto Member>
auto& Unit(RulerState& s)
{
    return s.CustomUnit.*Member;
}
template <std::size_t Index, auto Member>
auto& Monitor(RulerState& s)
{
    return s.MonitorRects[Index].*Member;
}
template <auto Member>
auto& CustomColor(RulerState& s)
{
    return s.ColorSchemes[kCustomColorScheme].*Member;
}
template <auto Member>
int GetChoice(const RulerState& s)
{
    return static_cast<int>(s.*Member);
}
template <auto Member>
void SetChoice(RulerState& s, int value)
{
    using Enum = std::remove_reference_t<decltype(s.*Member)>;
    s.*Member = static_cast<Enum>(value);
}
template <class Enum>
constexpr int V(Enum e)
{
    return static_cast<int>(e);
}

// ---- Choice words -------------------------------------------------------

using DC = TDoubleClickAction;
constexpr TChoiceWord kDoubleClickWords[] = {
    {u"LockAxis", V(DC::AxisLock)},       {u"Resize", V(DC::Resize)},
    {u"Rotate", V(DC::Rotate)},           {u"Scale&Hints", V(DC::ScaleAndHints)},
    {u"Precise", V(DC::PreciseOn)},       {u"PreciseLock", V(DC::PreciseLock)},
    {u"NextMonitor", V(DC::NextMonitor)}, {u"Customize", V(DC::CustomSettings)},
};
constexpr TChoiceWord kSizeWords[] = {
    {u"100%", V(TRulerSize::Full)},
    {u"75%", V(TRulerSize::ThreeQuarters)},
    {u"50%", V(TRulerSize::Half)},
    {u"?", V(TRulerSize::Custom)},
};
constexpr TChoiceWord kUnitsWords[] = {
    {u"px", V(TUnits::Pixels)},
    {u"in", V(TUnits::Inches)},
    {u"cm", V(TUnits::Centimeters)},
    {u"?", V(TUnits::Custom)},
};
constexpr TChoiceWord kResolutionWords[] = {
    {u"72dpi", V(TResolution::Dpi72)},   {u"200dpi", V(TResolution::Dpi200)},   {u"300dpi", V(TResolution::Dpi300)},
    {u"600dpi", V(TResolution::Dpi600)}, {u"1200dpi", V(TResolution::Dpi1200)}, {u"?", V(TResolution::Custom)},
};
constexpr TChoiceWord kPMTSizeWords[] = {
    {u"Small", V(TPMTSize::Small)},
    {u"Medium", V(TPMTSize::Medium)},
    {u"Large", V(TPMTSize::Large)},
};
constexpr TChoiceWord kZoomWords[] = {
    {u"5x", V(TZoomLevel::Zoom5X)},
    {u"10x", V(TZoomLevel::Zoom10X)},
    {u"15x", V(TZoomLevel::Zoom15X)},
};
using TT = TTransparency;
constexpr TChoiceWord kTransparencyWords[] = {
    {u"0%", V(TT::Opaque)},     {u"5%", V(TT::Percent5)},   {u"10%", V(TT::Percent10)},
    {u"15%", V(TT::Percent15)}, {u"20%", V(TT::Percent20)}, {u"30%", V(TT::Percent30)},
    {u"40%", V(TT::Percent40)}, {u"50%", V(TT::Percent50)}, {u"?", V(TT::Custom)},
};

// ---- The keys, in the order they are saved --------------------------------

constexpr TSaved kSave = TSaved::WithSaveSettings;
constexpr TSaved kAlways = TSaved::Always;
constexpr int kMonitorLeftTop = 0;
constexpr int kMonitorWidth = 640;
constexpr int kMonitorHeight = 480;
constexpr int kMinCustomTransparency = 0;
constexpr int kMaxCustomTransparency = 80;

// Monitor n's rectangle; used only in manual configuration, so reading skips
// the keys otherwise.
template <std::size_t Index, auto Member>
TSettingKey MonitorKey(std::string_view key, int byDefault, int readRank)
{
    return {"Monitors", key,      TIntKey{&Monitor<Index, Member>, byDefault},
            kSave,      readRank, TReadRule::ManualMonitorsOnly};
}

const TSettingKey kKeys[] = {
    {"Behavior", "StickToMouse", TBoolKey{&Field<&RulerState::StickToMouse>, false}, kSave, 101},
    {"Behavior", "AxisLocked", TBoolKey{&Field<&RulerState::AxisLocked>, false}, kSave, 102},
    {"Behavior", "BoundToScreen", TBoolKey{&Field<&RulerState::BoundToScreen>, true}, kSave, 103},
    {"Behavior", "DoubleClick",
     TChoiceKey{&GetChoice<&RulerState::DoubleClick>, &SetChoice<&RulerState::DoubleClick>, kDoubleClickWords,
                V(DC::AxisLock), V(DC::Rotate)},
     kSave, 301},

    {"Display", "Size",
     TChoiceKey{&GetChoice<&RulerState::Size>, &SetChoice<&RulerState::Size>, kSizeWords, V(TRulerSize::ThreeQuarters),
                V(TRulerSize::Full)},
     kSave, 412},
    {"Display", "Rotate", TBoolKey{&Field<&RulerState::Rotate>, false}, kSave, 413},
    {"Display", "Scale", TBoolKey{&Field<&RulerState::Scale>, false}, kSave, 401},
    {"Display", "Units",
     TChoiceKey{&GetChoice<&RulerState::Units>, &SetChoice<&RulerState::Units>, kUnitsWords, V(TUnits::Pixels),
                V(TUnits::Pixels)},
     kSave, 402},
    {"Display", "Resolution",
     TChoiceKey{&GetChoice<&RulerState::Resolution>, &SetChoice<&RulerState::Resolution>, kResolutionWords,
                V(TResolution::Dpi72), V(TResolution::Dpi72)},
     kSave, 403},
    {"Display", "ScaleUp", TBoolKey{&Field<&RulerState::ScaleUp>, true}, kSave, 404},
    {"Display", "ScaleRight", TBoolKey{&Field<&RulerState::ScaleRight>, true}, kSave, 405},
    {"Display", "NoOffset", TBoolKey{&Field<&RulerState::NoOffset>, false}, kSave, 406},
    {"Display", "PMTShow", TBoolKey{&Field<&RulerState::PMTShow>, false}, kSave, 407},
    {"Display", "PMTLocked", TBoolKey{&Field<&RulerState::PMTLocked>, false}, kSave, 408},
    {"Display", "PMTSize",
     TChoiceKey{&GetChoice<&RulerState::PMTSize>, &SetChoice<&RulerState::PMTSize>, kPMTSizeWords, V(TPMTSize::Small),
                V(TPMTSize::Small)},
     kSave, 409},
    {"Display", "PMTZoomLevel",
     TChoiceKey{&GetChoice<&RulerState::PMTZoomLevel>, &SetChoice<&RulerState::PMTZoomLevel>, kZoomWords,
                V(TZoomLevel::Zoom5X), V(TZoomLevel::Zoom5X)},
     kSave, 410},
    {"Display", "PMTTransparency", TBoolKey{&Field<&RulerState::PMTTransparency>, false}, kSave, 411},
    {"Display", "Transparency",
     TChoiceKey{&GetChoice<&RulerState::Transparency>, &SetChoice<&RulerState::Transparency>, kTransparencyWords,
                V(TT::Percent20), V(TT::Opaque)},
     kSave, 414},
    {"Display", "Color", TIntKey{&Field<&RulerState::Color>, 0, 0, kColorSchemeCount - 1, 0}, kSave, 415},
    {"Display", "ShowUnitsAndRes", TBoolKey{&Field<&RulerState::ShowUnitsAndRes>, true}, kSave, 416},
    {"Display", "ShowMouse", TBoolKey{&Field<&RulerState::ShowMouse>, true}, kSave, 417},
    {"Display", "ShowRGB", TBoolKey{&Field<&RulerState::ShowRGB>, true}, kSave, 418},
    {"Display", "ShowHints", TBoolKey{&Field<&RulerState::ShowHints>, true}, kSave, 419},
    {"Display", "Embossed", TBoolKey{&Field<&RulerState::Embossed>, true}, kSave, 420},
    {"Display", "HideLogo", TBoolKey{&Field<&RulerState::HideLogo>, false}, kSave, 1001},

    {"Internal", "FirstRun", TBoolKey{&Field<&RulerState::FirstRun>, true}, kSave, 501},

    {"General", "Language", TCodeKey{&Field<&RulerState::Language>, "EN"}, kSave, 601, TReadRule::Language},

    {"Monitors", "Count", TIntKey{&Field<&RulerState::MonitorCount>, 1}, kSave, 801},
    {"Monitors", "ManualCfg", TBoolKey{&Field<&RulerState::ManualCfg>, false}, kSave, 802},
    {"Monitors", "ActiveMon", TIntKey{&Field<&RulerState::ActiveMon>, 1, 1, kMonitorSlots, 1}, kSave, 819,
     TReadRule::ActiveMonitor},
    MonitorKey<0, &MonitorRect::Left>("M1L", kMonitorLeftTop, 803),
    MonitorKey<0, &MonitorRect::Top>("M1T", kMonitorLeftTop, 804),
    MonitorKey<0, &MonitorRect::Width>("M1W", kMonitorWidth, 805),
    MonitorKey<0, &MonitorRect::Height>("M1H", kMonitorHeight, 806),
    MonitorKey<1, &MonitorRect::Left>("M2L", kMonitorLeftTop, 807),
    MonitorKey<1, &MonitorRect::Top>("M2T", kMonitorLeftTop, 808),
    MonitorKey<1, &MonitorRect::Width>("M2W", kMonitorWidth, 809),
    MonitorKey<1, &MonitorRect::Height>("M2H", kMonitorHeight, 810),
    MonitorKey<2, &MonitorRect::Left>("M3L", kMonitorLeftTop, 811),
    MonitorKey<2, &MonitorRect::Top>("M3T", kMonitorLeftTop, 812),
    MonitorKey<2, &MonitorRect::Width>("M3W", kMonitorWidth, 813),
    MonitorKey<2, &MonitorRect::Height>("M3H", kMonitorHeight, 814),
    MonitorKey<3, &MonitorRect::Left>("M4L", kMonitorLeftTop, 815),
    MonitorKey<3, &MonitorRect::Top>("M4T", kMonitorLeftTop, 816),
    MonitorKey<3, &MonitorRect::Width>("M4W", kMonitorWidth, 817),
    MonitorKey<3, &MonitorRect::Height>("M4H", kMonitorHeight, 818),

    {"Custom", "UnitName", TTextKey{&Unit<&TScaleUnit::Name>, u"Kilometers"}, kSave, 201},
    {"Custom", "UnitAbbr", TTextKey{&Unit<&TScaleUnit::Abbreviation>, u"km"}, kSave, 202},
    {"Custom", "UTMNumerator", TRealKey{&Unit<&TScaleUnit::UnitToMeterA>, 1000}, kSave, 203},
    {"Custom", "UTMDenominator", TRealKey{&Unit<&TScaleUnit::UnitToMeterB>, 1}, kSave, 204},
    {"Custom", "MagNumerator", TRealKey{&Unit<&TScaleUnit::MagnificationA>, 1}, kSave, 205},
    {"Custom", "MagDenominator", TRealKey{&Unit<&TScaleUnit::MagnificationB>, 100000}, kSave, 206},
    {"Custom", "Resolution", TIntKey{&Field<&RulerState::CustomResolution>, kDefaultCustomResolution}, kSave, 207},
    {"Custom", "Size", TIntKey{&Field<&RulerState::CustomSize>, 640}, kSave, 208},
    {"Custom", "SizePx", TBoolKey{&Field<&RulerState::CustomSizeInPixels>, true}, kSave, 209},
    // The custom settings dialog offers 0..80 %. A hand-edited value beyond
    // that counts as the nearest of the two: above 100 the ruler would be
    // invisible yet still catch clicks.
    {"Custom", "Transparency",
     TIntKey{.Field = &Field<&RulerState::CustomTransparency>,
             .Default = 60,
             .Min = kMinCustomTransparency,
             .Max = kMaxCustomTransparency,
             .Rule = TOutOfRange::NearestLimit},
     kSave, 210},
    {"Custom", "Highlight", TColorKey{&CustomColor<&ColorScheme::Highlight>, 0xFFFFFFFF}, kSave, 211},
    {"Custom", "Shadow", TColorKey{&CustomColor<&ColorScheme::Shadow>, 0xFF000000}, kSave, 212},

    // The program's own switches survive even when the user chose not to
    // save settings.
    {"General", "ShowAdvanced", TBoolKey{&Field<&RulerState::ShowAdvanced>, true}, kAlways, 701},
    {"General", "SaveSettingsOnExit", TBoolKey{&Field<&RulerState::SaveSettingsOnExit>, true}, kAlways, 901},
    {"General", "AutoStart", TBoolKey{&Field<&RulerState::AutoStart>, false}, kAlways, 702},
    {"General", "StartupCheck", TBoolKey{&Field<&RulerState::StartupCheck>, true}, kAlways, 703},
};

const std::vector<const TSettingKey*>& ReadOrder()
{
    static const std::vector<const TSettingKey*> order = [] {
        std::vector<const TSettingKey*> keys;
        for (const TSettingKey& key : kKeys) keys.push_back(&key);
        std::stable_sort(keys.begin(), keys.end(),
                         [](const TSettingKey* a, const TSettingKey* b) { return a->ReadRank < b->ReadRank; });
        return keys;
    }();
    return order;
}

// ---- Reading and writing one key ----------------------------------------

std::u16string Ascii(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::u16string Decimal(std::int64_t value)
{
    return Ascii(std::to_string(value));
}

int InRange(const TIntKey& key, int value)
{
    if (value >= key.Min && value <= key.Max) return value;
    if (key.Rule == TOutOfRange::NearestLimit) return value < key.Min ? key.Min : key.Max;
    return key.OutOfRange;
}

struct TReadValue {
    RulerState& s;
    const std::optional<std::u16string>& raw;
    char16_t separator;

    std::optional<std::int32_t> Integer() const { return raw ? ParseSettingsInteger(*raw) : std::nullopt; }

    void operator()(const TBoolKey& k) const
    {
        const std::optional<std::int32_t> v = Integer();
        k.Field(s) = v ? *v != 0 : k.Default;
    }
    void operator()(const TIntKey& k) const
    {
        const std::optional<std::int32_t> v = Integer();
        k.Field(s) = v ? InRange(k, *v) : k.Default;
    }
    void operator()(const TRealKey& k) const
    {
        const std::optional<double> v = raw ? ParseSettingsReal(*raw, separator) : std::nullopt;
        k.Field(s) = v ? *v : k.Default;
    }
    void operator()(const TTextKey& k) const { k.Field(s) = raw ? *raw : std::u16string(k.Default); }
    void operator()(const TCodeKey& k) const { k.Field(s) = raw ? Utf16ToUtf8(*raw) : std::string(k.Default); }
    void operator()(const TChoiceKey& k) const
    {
        if (!raw) return k.Set(s, k.Default);
        for (const TChoiceWord& w : k.Words)
            if (*raw == w.Word) return k.Set(s, w.Value);
        k.Set(s, k.Fallback);
    }
    void operator()(const TColorKey& k) const
    {
        const std::optional<std::int32_t> v = Integer();
        k.Field(s) = v ? static_cast<TColor32>(*v) : k.Default;
    }
};

struct TWriteValue {
    // The accessors hand out references into a state; writing only reads
    // through them.
    RulerState& s;
    char16_t separator;

    std::u16string operator()(const TBoolKey& k) const { return k.Field(s) ? u"1" : u"0"; }
    std::u16string operator()(const TIntKey& k) const { return Decimal(InRange(k, k.Field(s))); }
    std::u16string operator()(const TRealKey& k) const { return FormatGeneral(k.Field(s), separator); }
    std::u16string operator()(const TTextKey& k) const { return k.Field(s); }
    std::u16string operator()(const TCodeKey& k) const { return Utf8ToUtf16(k.Field(s)); }
    std::u16string operator()(const TChoiceKey& k) const
    {
        const int value = k.Get(s);
        for (const TChoiceWord& w : k.Words)
            if (w.Value == value) return std::u16string(w.Word);
        for (const TChoiceWord& w : k.Words)
            if (w.Value == k.Fallback) return std::u16string(w.Word);
        return {};
    }
    std::u16string operator()(const TColorKey& k) const { return Decimal(static_cast<std::int32_t>(k.Field(s))); }
};

void ReadKey(const TIniFile& ini, const TSettingKey& key, RulerState& s, char16_t separator)
{
    const std::optional<std::u16string> raw = ini.Read(key.Section, key.Key);
    std::visit(TReadValue{s, raw, separator}, key.Value);
}

bool IsAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

void ReadSettings(const TIniFile& ini, RulerState& s, char16_t decimalSeparator, ISettingsReadHooks& hooks)
{
    for (const TSettingKey* key : ReadOrder()) {
        switch (key->Rule) {
            case TReadRule::Plain: ReadKey(ini, *key, s, decimalSeparator); break;
            case TReadRule::ManualMonitorsOnly:
                if (s.ManualCfg) ReadKey(ini, *key, s, decimalSeparator);
                break;
            case TReadRule::Language:
                ReadKey(ini, *key, s, decimalSeparator);
                // A language whose file has gone since the last run starts
                // the program in English.
                if (s.Language != "EN" && !hooks.LanguageLoaded(s.Language)) s.Language = "EN";
                hooks.SelectLanguage(s);
                break;
            case TReadRule::ActiveMonitor:
                if (!s.ManualCfg) hooks.DetectMonitors(s);
                hooks.ShowMonitorMenuItems(s);
                ReadKey(ini, *key, s, decimalSeparator);
                s.ActiveArea = s.MonitorRects[static_cast<std::size_t>(s.ActiveMon - 1)];
                break;
        }
    }
}

TIniLoad LoadSettings(const std::string& path, RulerState& s, char16_t decimalSeparator, ISettingsReadHooks& hooks)
{
    TIniFile ini;
    const TIniLoad result = ini.Load(path);
    ReadSettings(ini, s, decimalSeparator, hooks);
    return result;
}

void WriteSettings(TIniFile& ini, const RulerState& s, char16_t decimalSeparator)
{
    RulerState& state = const_cast<RulerState&>(s);
    for (const TSettingKey& key : kKeys) {
        if (key.Saved == TSaved::WithSaveSettings && !s.SaveSettingsOnExit) continue;
        ini.Write(key.Section, key.Key, std::visit(TWriteValue{state, decimalSeparator}, key.Value));
    }
}

bool SaveSettings(const std::string& path, const RulerState& s, char16_t decimalSeparator, std::error_code* error)
{
    TIniFile ini;
    std::error_code loadError;
    if (ini.Load(path, &loadError) == TIniLoad::Unreadable) {
        if (error) *error = loadError;
        return false;
    }
    WriteSettings(ini, s, decimalSeparator);
    return ini.Save(path, error);
}

std::u16string UnableToWriteText(const std::string& path)
{
    return u"Unable to write to " + Utf8ToUtf16(path);
}

std::optional<std::int32_t> ParseSettingsInteger(std::u16string_view text)
{
    if (text.size() > 2 && text[0] == u'0' && text[1] == u'x') {
        std::uint64_t value = 0;
        for (char16_t c : text.substr(2)) {
            const int digit = HexDigit(c);
            if (digit < 0) return std::nullopt;
            value = value * 16 + static_cast<std::uint64_t>(digit);
            if (value > 0xFFFFFFFFu) return std::nullopt;
        }
        // Eight hex digits are the 32 bits of a signed value, as colours are.
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) i = 1;
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!IsAsciiDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - u'0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> ParseSettingsReal(std::u16string_view text, char16_t decimalSeparator)
{
    // The same reading as every numeric field, so that what the user typed
    // and what the file holds can never disagree.
    return ReadDecimalReal(text, decimalSeparator);
}
