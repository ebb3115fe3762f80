#pragma once
// Language files and the text lookup: every text the user reads is fetched by
// its identifier, from the built-in English table or the active language file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/Bitmap32.h"
#include "lang/FlagLoader.h"

// Only this much of a language file is ever read.
inline constexpr std::size_t kLanguageFileBytes = 16384;

struct TLanguage {
    std::string ID;
    std::optional<TBitmap32> Icon;
    std::u16string Texts;
};

// The three digits an identifier is written with in a language file.
std::u16string LangIdDigits(int id);
// The text between "ddd.:" and ":.ddd" in one file's text; empty when either
// marker is missing or they stand in the wrong order.
std::u16string ExtractLangEntry(std::u16string_view texts, int id);
// A language code from a file name: ASCII letters upper-cased, ".LNG" removed.
std::string LanguageCodeFromFileName(std::string_view fileName);

class TLanguageTable {
public:
    // Fills the list from Folder's *.lng files, sorted by file name without
    // regard to case. Files that cannot be read, and those whose flag exists
    // but cannot be loaded, are left out without a word.
    void LoadLanguages(const std::filesystem::path& folder, IFlagLoader& flags);

    int LanguageCount() const { return static_cast<int>(m_list.size()); }
    const std::string& GetLanguageID(int index) const { return m_list[static_cast<std::size_t>(index)].ID; }
    std::u16string GetLanguageName(int index) const;
    const TBitmap32* GetLanguageIcon(int index) const;
    bool LanguageExists(std::string_view code) const;

    std::u16string GetLangText(int id) const;

    const std::string& CurrentLanguage() const { return m_current; }
    void SetCurrentLanguage(std::string code) { m_current = std::move(code); }

private:
    std::vector<TLanguage> m_list;
    std::string m_current = "EN";
};

// The program's one table, which the free functions below consult.
TLanguageTable& Languages();

inline std::u16string GetLangText(int id)
{
    return Languages().GetLangText(id);
}
inline int LanguageCount()
{
    return Languages().LanguageCount();
}
inline const std::string& GetLanguageID(int index)
{
    return Languages().GetLanguageID(index);
}
inline std::u16string GetLanguageName(int index)
{
    return Languages().GetLanguageName(index);
}
inline const TBitmap32* GetLanguageIcon(int index)
{
    return Languages().GetLanguageIcon(index);
}
inline bool LanguageExists(std::string_view code)
{
    return Languages().LanguageExists(code);
}
inline const std::string& CurrentLanguage()
{
    return Languages().CurrentLanguage();
}
