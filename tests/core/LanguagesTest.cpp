#include "lang/Languages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "lang/EnglishText.h"
#include "support/TempDir.h"

namespace {

// Decodes nothing: a flag "loads" when its file starts with "BM", as a real
// bitmap would; the picture is a 1 x 1 surface holding the file's size.
class FakeFlagLoader : public IFlagLoader {
public:
    std::optional<TBitmap32> LoadFlag(const std::filesystem::path& file) override
    {
        loaded.push_back(file.filename().string());
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.rfind("BM", 0) != 0) return std::nullopt;
        TBitmap32 b(1, 1);
        b.SetPixelS(0, 0, static_cast<TColor32>(bytes.size()));
        return b;
    }
    std::vector<std::string> loaded;
};

TEST(LangIdDigits, Table)
{
    const std::pair<int, std::u16string> cases[] = {{-3, u"000"}, {0, u"000"},   {7, u"007"},   {10, u"010"},
                                                    {99, u"099"}, {158, u"158"}, {999, u"999"}, {1000, u"999"}};
    for (const auto& [id, digits] : cases) EXPECT_EQ(LangIdDigits(id), digits) << id;
}

TEST(ExtractLangEntry, Table)
{
    const std::u16string texts =
        u"\uFEFF000.:Deutsch:.000\r\n005.::.005 158.:Zwei\r\nZeilen :.158"
        u"junk :.020 021.: Rand :.021 :.030 030.:late 999.:last:.999 040.:open";
    const std::pair<int, std::u16string> cases[] = {
        {0, u"Deutsch"},
        {5, u""},                   // markers with nothing between them
        {158, u"Zwei\r\nZeilen "},  // line break and trailing blank kept
        {21, u" Rand "},
        {20, u""},  // closing marker only: not text from the file's start
        {30, u""},  // closing marker before the opening one
        {40, u""},  // opening marker only
        {77, u""},  // neither
        {999, u"last"},
        {1000, u"last"},
        {-3, u"Deutsch"},
    };
    for (const auto& [id, text] : cases) EXPECT_EQ(ExtractLangEntry(texts, id), text) << id;
}

TEST(LanguageCodeFromFileName, UpperCasesAndDropsEveryLngExtension)
{
    EXPECT_EQ(LanguageCodeFromFileName("de.lng"), "DE");
    EXPECT_EQ(LanguageCodeFromFileName("pt-br.LNG"), "PT-BR");
    EXPECT_EQ(LanguageCodeFromFileName("a.lng.lng"), "A");
    EXPECT_EQ(LanguageCodeFromFileName("x.lngy.lng"), "XY");
    EXPECT_EQ(LanguageCodeFromFileName("x.L.LNGNG.lng"), "X.LNG");  // what an erase joins stays
}

TEST(EnglishText, HoldsTheTableAndNothingElse)
{
    EXPECT_EQ(EnglishText(1), u"White");
    EXPECT_EQ(EnglishText(40), u"Rotate 90\u00B0");
    EXPECT_EQ(EnglishText(161), u"You are currently using the latest\r\nversion of Scalio.");
    EXPECT_EQ(EnglishText(202).substr(0, 48), u"To access the menu once the \"Stick to mouse\"\r\nop");
    EXPECT_EQ(EnglishText(204).substr(19, 10), u"\r\n    Use ");
    EXPECT_NE(EnglishText(203).find(u"Vendra"), std::u16string::npos);
    EXPECT_EQ(EnglishText(203).find(u"\r\n"), std::u16string::npos);
    for (int id : {0, 17, 32, 45, 57, 210, 999, 1000, -1}) EXPECT_EQ(EnglishText(id), u"<text not defined>") << id;
}

class LanguageFolderTest : public ::testing::Test {
protected:
    TempDir dir;
    FakeFlagLoader flags;
    TLanguageTable table;

    void Load() { table.LoadLanguages(dir.Path(), flags); }
};

TEST_F(LanguageFolderTest, FlagsCodesNamesAndOrder)
{
    dir.Write("de.lng", Utf16LE(u"000.:Deutsch:.000 001.:Wei\u00DF:.001", true));
    dir.Write("DE.bmp", "BM-flag");
    dir.Write("fr.LNG", Utf16LE(u"000.:Fran\u00E7ais:.000"));
    dir.Write("Cz.lng", Utf16LE(u"no entries here"));
    dir.Write("readme.txt", "not a language");
    Load();
    ASSERT_EQ(table.LanguageCount(), 3);
    // Sorted by file name without regard to case: Cz, de, fr.
    EXPECT_EQ(table.GetLanguageID(0), "CZ");
    EXPECT_EQ(table.GetLanguageID(1), "DE");
    EXPECT_EQ(table.GetLanguageID(2), "FR");
    EXPECT_EQ(table.GetLanguageName(0), u"");
    EXPECT_EQ(table.GetLanguageName(1), u"Deutsch");
    EXPECT_EQ(table.GetLanguageName(2), u"Fran\u00E7ais");
    EXPECT_EQ(table.GetLanguageIcon(0), nullptr);
    ASSERT_NE(table.GetLanguageIcon(1), nullptr);
    EXPECT_EQ(table.GetLanguageIcon(1)->Pixel(0, 0), 7u);
    EXPECT_EQ(table.GetLanguageIcon(2), nullptr);
    EXPECT_TRUE(table.LanguageExists("DE"));
    EXPECT_FALSE(table.LanguageExists("de"));
    EXPECT_FALSE(table.LanguageExists("EN"));
}

TEST_F(LanguageFolderTest, FlagNameIgnoresCaseAndAFlagThatWillNotLoadDropsTheLanguage)
{
    dir.Write("it.lng", Utf16LE(u"000.:Italiano:.000"));
    dir.Write("it.BMP", "BM");
    dir.Write("nl.lng", Utf16LE(u"000.:Nederlands:.000"));
    dir.Write("NL.bmp", "not a bitmap");
    Load();
    ASSERT_EQ(table.LanguageCount(), 1);
    EXPECT_EQ(table.GetLanguageID(0), "IT");
    EXPECT_NE(table.GetLanguageIcon(0), nullptr);
}

TEST_F(LanguageFolderTest, MissingFolderGivesNoLanguages)
{
    table.LoadLanguages(dir.Path() / "Languages", flags);
    EXPECT_EQ(table.LanguageCount(), 0);
}

TEST_F(LanguageFolderTest, OnlyTheFirst16384BytesCount)
{
    // Entry 150 opens before byte 16384 and closes after it; entry 200 lies
    // wholly beyond; entry 1 wholly before.
    std::u16string text = u"001.:one:.001";
    text += std::u16string(8192 - text.size() - 8, u'.');
    text += u"150.:abc:.150 200.:far:.200";
    dir.Write("xx.lng", Utf16LE(text));
    Load();
    ASSERT_EQ(table.LanguageCount(), 1);
    table.SetCurrentLanguage("XX");
    EXPECT_EQ(table.GetLangText(1), u"one");
    EXPECT_EQ(table.GetLangText(150), u"");
    EXPECT_EQ(table.GetLangText(200), u"");
}

TEST_F(LanguageFolderTest, AUtf8FileIsListedWithoutNameAndGivesEmptyTexts)
{
    dir.Write("u8.lng",
              "\xEF\xBB\xBF"
              "000.:Deutsch:.000 001.:Wei\xC3\x9F:.001");
    Load();
    ASSERT_EQ(table.LanguageCount(), 1);
    EXPECT_EQ(table.GetLanguageName(0), u"");
    table.SetCurrentLanguage("U8");
    EXPECT_EQ(table.GetLangText(1), u"");
    EXPECT_EQ(table.GetLangText(59), u"");
}

TEST_F(LanguageFolderTest, LookupFollowsTheCurrentLanguage)
{
    dir.Write("de.lng", Utf16LE(u"000.:Deutsch:.000 002.:Rot:.002 060.:cm:.060"));
    Load();
    EXPECT_EQ(table.CurrentLanguage(), "EN");
    EXPECT_EQ(table.GetLangText(2), u"Red");
    EXPECT_EQ(table.GetLangText(17), u"<text not defined>");
    table.SetCurrentLanguage("DE");
    EXPECT_EQ(table.GetLangText(2), u"Rot");
    // An identifier the file lacks reads empty, not English.
    EXPECT_EQ(table.GetLangText(1), u"");
    table.SetCurrentLanguage("de");  // codes compare exactly
    EXPECT_EQ(table.GetLangText(2), u"Red");
    table.SetCurrentLanguage("PL");  // a code without a file
    EXPECT_EQ(table.GetLangText(2), u"Red");
}

TEST_F(LanguageFolderTest, TwoFilesWithOneCodeAreBothListedAndTheLaterWins)
{
    dir.Write("a.lng", Utf16LE(u"002.:first:.002"));
    dir.Write("a.lng.lng", Utf16LE(u"002.:second:.002"));
    Load();
    ASSERT_EQ(table.LanguageCount(), 2);
    EXPECT_EQ(table.GetLanguageID(0), "A");
    EXPECT_EQ(table.GetLanguageID(1), "A");
    table.SetCurrentLanguage("A");
    EXPECT_EQ(table.GetLangText(2), u"second");
}

TEST_F(LanguageFolderTest, UnreadableFilesAndFoldersAreSkipped)
{
    std::filesystem::create_directory(dir.Path() / "dir.lng");
    dir.Write("ok.lng", Utf16LE(u"000.:Ok:.000"));
    Load();
    ASSERT_EQ(table.LanguageCount(), 1);
    EXPECT_EQ(table.GetLanguageID(0), "OK");
}

}  // namespace
