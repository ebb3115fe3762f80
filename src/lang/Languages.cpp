#include "lang/Languages.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "lang/EnglishText.h"

namespace {

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiUpper(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return AsciiUpper(c); });
    return out;
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && AsciiUpper(s.substr(s.size() - suffix.size())) == AsciiUpper(suffix);
}

// Reads at most kLanguageFileBytes as UTF-16LE code units; nothing when the
// file cannot be opened or read.
std::optional<std::u16string> ReadLanguageFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(kLanguageFileBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return units;
}

}  // namespace

std::u16string LangIdDigits(int id)
{
    const int n = std::clamp(id, 0, 999);
    return {static_cast<char16_t>(u'0' + n / 100), static_cast<char16_t>(u'0' + n / 10 % 10),
            static_cast<char16_t>(u'0' + n % 10)};
}

std::u16string ExtractLangEntry(std::u16string_view texts, int id)
{
    const std::u16string digits = LangIdDigits(id);
    const std::size_t open = texts.find(digits + u".:");
    const std::size_t close = texts.find(u":." + digits);
    // A missing opening marker must not let text from the file's start leak
    // into a caption: treat it like a missing entry.
    if (open == std::u16string_view::npos || close == std::u16string_view::npos) return {};
    const std::size_t start = open + 5;
    if (close <= start) return {};
    return std::u16string(texts.substr(start, close - start));
}

std::string LanguageCodeFromFileName(std::string_view fileName)
{
    std::string code = AsciiUpper(fileName);
    // Each occurrence of the name as it stands; what an erase joins is kept.
    for (std::size_t at = 0; (at = code.find(".LNG", at)) != std::string::npos;) code.erase(at, 4);
    return code;
}

void TLanguageTable::LoadLanguages(const std::filesystem::path& folder, IFlagLoader& flags)
{
    m_list.clear();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return;

    std::vector<std::string> lngFiles;
    std::map<std::string, std::vector<std::string>> byUpperName;  // for flags, whose names ignore case
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        byUpperName[AsciiUpper(name)].push_back(name);
        if (EndsWithNoCase(name, ".lng")) lngFiles.push_back(name);
    }
    std::sort(lngFiles.begin(), lngFiles.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = AsciiUpper(a), ub = AsciiUpper(b);
        return ua != ub ? ua < ub : a < b;
    });

    for (const std::string& name : lngFiles) {
        if (!std::filesystem::is_regular_file(folder / name, ec)) continue;
        std::optional<std::u16string> texts = ReadLanguageFile(folder / name);
        if (!texts) continue;
        TLanguage language;
        language.ID = LanguageCodeFromFileName(name);
        language.Texts = std::move(*texts);
        const std::string flagName = language.ID + ".bmp";
        if (auto found = byUpperName.find(AsciiUpper(flagName)); found != byUpperName.end()) {
            auto& candidates = found->second;
            // Where both spellings exist, the exact one wins.
            auto exact = std::find(candidates.begin(), candidates.end(), flagName);
            const std::string& flagFile =
                exact != candidates.end() ? *exact : *std::min_element(candidates.begin(), candidates.end());
            language.Icon = flags.LoadFlag(folder / flagFile);
            if (!language.Icon) continue;
        }
        m_list.push_back(std::move(language));
    }
}

std::u16string TLanguageTable::GetLanguageName(int index) const
{
    return ExtractLangEntry(m_list[static_cast<std::size_t>(index)].Texts, 0);
}

const TBitmap32* TLanguageTable::GetLanguageIcon(int index) const
{
    const auto& icon = m_list[static_cast<std::size_t>(index)].Icon;
    return icon ? &*icon : nullptr;
}

bool TLanguageTable::LanguageExists(std::string_view code) const
{
    return std::any_of(m_list.begin(), m_list.end(), [code](const TLanguage& l) { return l.ID == code; });
}

std::u16string TLanguageTable::GetLangText(int id) const
{
    std::u16string result = EnglishText(id);
    for (const TLanguage& l : m_list)
        if (l.ID == m_current) result = ExtractLangEntry(l.Texts, id);
    return result;
}

TLanguageTable& Languages()
{
    static TLanguageTable table;
    return table;
}
