// The settings file as a user may have left it: any bytes. Reading it, saving
// the state back into it and reading again must come to the same state, and
// the save must keep every byte it has no business changing.
//
// The input is the file. The decimal separator the program runs with follows
// from the input's length (a point, a comma or the Arabic one), so that each
// reaches every file the fuzzer makes.

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "draw/FormatGeneral.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"

namespace {

// Every language "was loaded", so that any code the file names survives the
// read and its round trip is checked; monitors come from a fixed desktop.
class Hooks : public ISettingsReadHooks {
public:
    bool LanguageLoaded(std::string_view) override { return true; }
    void SelectLanguage(RulerState&) override {}
    void DetectMonitors(RulerState& s) override
    {
        s.MonitorCount = 2;
        s.MonitorRects[0] = {0, 0, 1920, 1080};
        s.MonitorRects[1] = {1920, -200, 1280, 1024};
        s.MonitorRects[2] = {};
        s.MonitorRects[3] = {};
    }
    void ShowMonitorMenuItems(RulerState&) override {}
};

RulerState Read(std::string_view bytes, char16_t separator)
{
    Hooks hooks;
    RulerState s;
    ReadSettings(TIniFile::FromBytes(bytes), s, separator, hooks);
    return s;
}

std::string Save(std::string_view bytes, const RulerState& s, char16_t separator)
{
    TIniFile ini = TIniFile::FromBytes(bytes);
    WriteSettings(ini, s, separator);
    return ini.ToBytes();
}

// The first stored field in which a and b differ, nullptr when none does.
// Reals are written with 15 significant digits, so a real the file held more
// finely comes back as its 15-digit form: they compare by that form.
const char* FirstDifference(const RulerState& a, const RulerState& b, char16_t sep)
{
#define SAME(field) \
    if (!(a.field == b.field)) return #field
#define SAME_REAL(field) \
    if (FormatGeneral(a.field, sep) != FormatGeneral(b.field, sep)) return #field
    SAME(StickToMouse);
    SAME(AxisLocked);
    SAME(BoundToScreen);
    SAME(DoubleClick);
    SAME(Scale);
    SAME(Units);
    SAME(Resolution);
    SAME(ScaleUp);
    SAME(ScaleRight);
    SAME(NoOffset);
    SAME(Embossed);
    SAME(HideLogo);
    SAME(Color);
    SAME(Size);
    SAME(Rotate);
    SAME(Transparency);
    SAME(CustomUnit.Name);
    SAME(CustomUnit.Abbreviation);
    SAME_REAL(CustomUnit.UnitToMeterA);
    SAME_REAL(CustomUnit.UnitToMeterB);
    SAME_REAL(CustomUnit.MagnificationA);
    SAME_REAL(CustomUnit.MagnificationB);
    SAME(CustomResolution);
    SAME(CustomSize);
    SAME(CustomSizeInPixels);
    SAME(CustomTransparency);
    SAME(ShowUnitsAndRes);
    SAME(ShowMouse);
    SAME(ShowRGB);
    SAME(ShowHints);
    SAME(PMTShow);
    SAME(PMTLocked);
    SAME(PMTSize);
    SAME(PMTZoomLevel);
    SAME(PMTTransparency);
    SAME(Language);
    SAME(ShowAdvanced);
    SAME(AutoStart);
    SAME(StartupCheck);
    SAME(SaveSettingsOnExit);
    SAME(FirstRun);
    SAME(MonitorRects);
    SAME(ActiveArea);
    SAME(MonitorCount);
    SAME(ManualCfg);
    SAME(ActiveMon);
    SAME(ColorSchemes);
#undef SAME
#undef SAME_REAL
    return nullptr;
}

// A line with its end ("\n", "\r\n" or none for a last line without one).
std::vector<std::string_view> Lines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::size_t length = lf == std::string_view::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

// A CR is part of the end only before the LF.
std::string_view WithoutEnd(std::string_view line)
{
    if (!line.ends_with('\n')) return line;
    line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The section and key names a save writes, lower case, as the program's
// own writer puts them into an empty file.
struct WrittenNames {
    std::set<std::string> Sections;
    std::set<std::string> Keys;
};

const WrittenNames& Written()
{
    static const WrittenNames names = [] {
        WrittenNames n;
        TIniFile ini;
        WriteSettings(ini, RulerState{}, u'.');
        const std::string bytes = ini.ToBytes();
        for (std::string_view line : Lines(bytes)) {
            const std::string_view text = WithoutEnd(line);
            if (text.starts_with('[') && text.ends_with(']'))
                n.Sections.insert(Lower(text.substr(1, text.size() - 2)));
            else if (const std::size_t eq = text.find('='); eq != std::string_view::npos)
                n.Keys.insert(Lower(text.substr(0, eq)));
        }
        return n;
    }();
    return names;
}

// The part of a line a save keeps when it changes the value: the text up to
// the '=' and the blanks after it; empty when the line is no key line of a
// key the program writes.
std::string_view KeptPrefix(std::string_view line)
{
    const std::string_view text = WithoutEnd(line);
    const std::string_view body = TrimBlanks(text);
    if (body.empty() || body.front() == ';' || body.front() == '#' || body.front() == '[') return {};
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return {};
    if (!Written().Keys.count(Lower(TrimBlanks(text.substr(0, eq))))) return {};
    std::size_t end = eq + 1;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
    return text.substr(0, end);
}

// A line a save may add: a key it writes, a header of a section it writes or
// the blank line before such a header.
bool MayBeAdded(std::string_view line)
{
    const std::string_view text = WithoutEnd(line);
    if (text.empty()) return true;
    if (text.starts_with('[') && text.ends_with(']') &&
        Written().Sections.count(Lower(text.substr(1, text.size() - 2))))
        return true;
    return !KeptPrefix(line).empty();
}

// The save kept every line of before in order: unchanged, or a key line of a
// written key with only its value changed; a last line without an end may
// have got one. Everything else in after is a line a save may add.
void CheckLinesKept(std::string_view before, std::string_view after)
{
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    FUZZ_CHECK(before.starts_with(kBom) == after.starts_with(kBom), "the byte-order mark came or went");
    if (before.starts_with(kBom)) {
        before.remove_prefix(kBom.size());
        after.remove_prefix(kBom.size());
    }
    const std::vector<std::string_view> old = Lines(before), now = Lines(after);
    std::size_t j = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
        const std::string_view line = old[i];
        const bool last = i + 1 == old.size();
        const std::string_view prefix = KeptPrefix(line);
        const auto matches = [&](std::string_view candidate) {
            if (candidate == line) return true;
            // The file's last line, without an end, may get one (bytes are
            // only added; what they mean to a reader the state comparison
            // tells).
            if (last && !line.ends_with('\n') && candidate.starts_with(line) &&
                (candidate.substr(line.size()) == "\n" || candidate.substr(line.size()) == "\r\n"))
                return true;
            if (prefix.empty() || !WithoutEnd(candidate).starts_with(prefix)) return false;
            // The line's end stays, except that a last line may get one.
            const std::string_view oldEnd = line.substr(WithoutEnd(line).size());
            const std::string_view newEnd = candidate.substr(WithoutEnd(candidate).size());
            return oldEnd == newEnd || (last && oldEnd.empty());
        };
        while (j < now.size() && !matches(now[j])) {
            FUZZ_CHECK(MayBeAdded(now[j]), "line %zu of the saved file \"%s\" is new and not the program's", j + 1,
                       std::string(WithoutEnd(now[j])).c_str());
            ++j;
        }
        FUZZ_CHECK(j < now.size(), "line %zu \"%s\" of the file was lost by the save", i + 1,
                   std::string(WithoutEnd(line)).c_str());
        ++j;
    }
    for (; j < now.size(); ++j)
        FUZZ_CHECK(MayBeAdded(now[j]), "line %zu of the saved file \"%s\" is new and not the program's", j + 1,
                   std::string(WithoutEnd(now[j])).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr char16_t kSeparators[] = {u'.', u',', u'\u066B'};
    const char16_t sep = kSeparators[size % 3];
    const std::string_view file = AsBytes(data, size);

    // The document itself loses nothing.
    FUZZ_CHECK(TIniFile::FromBytes(file).ToBytes() == file, "an unchanged document is not the file's bytes");

    const RulerState first = Read(file, sep);
    const std::string saved = Save(file, first, sep);
    CheckLinesKept(file, saved);

    const RulerState second = Read(saved, sep);
    const char* field = FirstDifference(first, second, sep);
    FUZZ_CHECK(!field, "%s changed through a save and a new read", field);

    // A second save of what was read changes nothing more.
    const std::string savedAgain = Save(saved, second, sep);
    FUZZ_CHECK(savedAgain == saved, "a second save changed the file again");
    return 0;
}
