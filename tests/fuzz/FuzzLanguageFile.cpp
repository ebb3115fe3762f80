// A language file of any bytes, read the way the program reads it: the file
// in a Languages folder, the folder scanned, the texts looked up.
//
// The input is the file. Only its first kLanguageFileBytes count, as UTF-16LE
// code units (an odd last byte is no unit); each lookup must give exactly
// the text between the first opening marker and the first closing marker of
// its identifier in those units.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "lang/EnglishText.h"
#include "lang/Languages.h"

namespace {

// No flag beside the file, so a loader is never asked; were it asked, the
// scan would be looking at a file that is not there.
class NoFlags : public IFlagLoader {
public:
    std::optional<TBitmap32> LoadFlag(const std::filesystem::path& file) override
    {
        FUZZ_CHECK(false, "a flag was loaded from %s", file.c_str());
        return std::nullopt;
    }
};

std::u16string Units(std::string_view bytes)
{
    bytes = bytes.substr(0, std::min(bytes.size(), kLanguageFileBytes));
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              static_cast<unsigned char>(bytes[i + 1]) << 8));
    return units;
}

// The identifiers worth asking for: those whose markers the text holds, and
// a few fixed ones (the name, texts the program shows, the clamped ends).
std::vector<int> Identifiers(std::u16string_view units)
{
    std::vector<int> ids = {-1, 0, 1, 100, 158, 999, 1000};
    for (std::size_t i = 0; i + 5 <= units.size() && ids.size() < 16; ++i) {
        // "ddd.:" or ":.ddd"
        const std::size_t at = units[i] == u':' && units[i + 1] == u'.' ? i + 2 : i;
        if (at + 3 > units.size()) continue;
        const std::u16string_view d = units.substr(at, 3);
        if (std::all_of(d.begin(), d.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
            ids.push_back((d[0] - u'0') * 100 + (d[1] - u'0') * 10 + (d[2] - u'0'));
    }
    return ids;
}

void CheckEntry(std::u16string_view units, int id, const std::u16string& entry)
{
    const std::u16string digits = LangIdDigits(id);
    const std::size_t open = units.find(digits + u".:");
    const std::size_t close = units.find(u":." + digits);
    if (open == std::u16string_view::npos || close == std::u16string_view::npos || close < open + 5) {
        FUZZ_CHECK(entry.empty(), "entry %d is \"%s\" without both markers in order", id, Show(entry).c_str());
        return;
    }
    FUZZ_CHECK(entry == units.substr(open + 5, close - open - 5), "entry %d is \"%s\"", id, Show(entry).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchDir folder;
    const std::string_view bytes = AsBytes(data, size);
    WriteScratchFile(folder.Path() / "Fz.lng", bytes);

    TLanguageTable table;
    NoFlags flags;
    table.LoadLanguages(folder.Path(), flags);
    FUZZ_CHECK(table.LanguageCount() == 1 && table.GetLanguageID(0) == "FZ", "the file was not listed once as FZ");
    FUZZ_CHECK(!table.GetLanguageIcon(0), "a language without a flag has an icon");
    FUZZ_CHECK(table.LanguageExists("FZ") && !table.LanguageExists("Fz"), "language codes compare inexactly");

    const std::u16string units = Units(bytes);
    for (int id : Identifiers(units)) {
        // English until the language is chosen, the file's entry after.
        table.SetCurrentLanguage("EN");
        FUZZ_CHECK(table.GetLangText(id) == EnglishText(id), "text %d is not English while English is chosen", id);
        table.SetCurrentLanguage("FZ");
        const std::u16string text = table.GetLangText(id);
        CheckEntry(units, id, text);
        FUZZ_CHECK(ExtractLangEntry(units, id) == text, "text %d differs from the entry of the file's units", id);
        if (id == 0) FUZZ_CHECK(table.GetLanguageName(0) == text, "the name is not entry 000");
    }
    return 0;
}
