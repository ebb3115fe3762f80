#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/Utf8.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FolderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Whether permission bits stop this process (they do not for root).
bool PermissionsAreEnforced(const fs::path& scratch)
{
    fs::create_directory(scratch);
    fs::permissions(scratch, fs::perms::owner_read | fs::perms::owner_exec);
    const bool enforced = !std::ofstream(scratch / "probe").is_open();
    fs::permissions(scratch, fs::perms::owner_all);
    return enforced;
}

// A file-size limit makes every write beyond it fail, for root too: a save
// that breaks off in the middle of writing.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

const std::string kUserFile =
    "; kept by hand\n"
    "Stray=before any section\n"
    "[Display]\n"
    "  Units = cm   ; not a comment: part of the value\n"
    "Color=3\n"
    "a line without equals sign\n"
    "\n"
    "[Foreign]\n"
    "Color=9\n"
    "# hash comment\n"
    "\n"
    "[display]\n"
    "Late=1\n";

TEST(IniFile, NamesIgnoreCaseValuesDoNot)
{
    TIniFile ini = TIniFile::FromBytes("[Display]\nUnits=cm\n");
    EXPECT_EQ(ini.Read("DISPLAY", "units"), u"cm");
    ini.Write("display", "UNITS", u"CM");
    EXPECT_EQ(ini.ToBytes(), "[Display]\nUnits=CM\n");
}

struct ReadCase {
    std::string_view section;
    std::string_view key;
    std::optional<std::u16string> expected;
};

TEST(IniFile, ReadFindsOnlyKeysOfTheSection)
{
    const TIniFile ini = TIniFile::FromBytes(kUserFile);
    const ReadCase cases[] = {
        {"Display", "Units", u"cm   ; not a comment: part of the value"},
        {"Display", "Color", u"3"},
        {"Foreign", "Color", u"9"},
        {"Display", "Late", u"1"},  // a second section of the same name is looked in too
        {"Display", "Stray", std::nullopt},
        {"", "Stray", std::nullopt},
        {"Display", "a line without equals sign", std::nullopt},
        {"Foreign", "# hash comment", std::nullopt},
        {"Missing", "Color", std::nullopt},
        {"Display", "Colour", std::nullopt},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(ini.Read(c.section, c.key), c.expected) << c.section << "/" << c.key;
}

TEST(IniFile, ValueFormsOnReading)
{
    const TIniFile ini = TIniFile::FromBytes(
        "[ S ]\nEmpty=\nBlanks= \t x y \t\nQuoted=\"  padded  \"\nHalf=\"open\nTwo==x\n"
        "Dup=first\nDup=second\n");
    EXPECT_EQ(ini.Read("S", "Empty"), u"");
    EXPECT_EQ(ini.Read("S", "Blanks"), u"x y");
    EXPECT_EQ(ini.Read("S", "Quoted"), u"  padded  ");
    EXPECT_EQ(ini.Read("S", "Half"), u"\"open");
    EXPECT_EQ(ini.Read("S", "Two"), u"=x");
    EXPECT_EQ(ini.Read("S", "Dup"), u"first");
    EXPECT_EQ(ini.ReadString("S", "Absent", u"fallback"), u"fallback");
    EXPECT_EQ(ini.ReadString("S", "Empty", u"fallback"), u"");
}

TEST(IniFile, ReplacingAValueKeepsEveryOtherByte)
{
    TIniFile ini = TIniFile::FromBytes(kUserFile);
    ini.Write("DISPLAY", "units", u"px");
    ini.Write("Display", "Late", u"0");
    ini.Write("Display", "Color", u"3");  // unchanged
    std::string expected = kUserFile;
    expected.replace(expected.find("cm   ; not"), std::string("cm   ; not a comment: part of the value").size(), "px");
    expected.replace(expected.find("Late=1"), 6, "Late=0");
    EXPECT_EQ(ini.ToBytes(), expected);
}

TEST(IniFile, AnUnchangedValueLeavesItsLineAlone)
{
    const std::string text = "[S]\nName = \"Big  \"  \n";
    TIniFile ini = TIniFile::FromBytes(text);
    ini.Write("S", "Name", u"Big  ");
    EXPECT_EQ(ini.ToBytes(), text);
}

struct PlacementCase {
    const char* name;
    std::string before;
    std::string section;
    std::string after;
};

TEST(IniFile, NewKeysGoAfterTheLastKeyOfTheirSectionNewSectionsAtTheEnd)
{
    const PlacementCase cases[] = {
        {"after last key, before blank lines and the next section's comment", "[A]\nx=1\n; about B\n\n[B]\ny=2\n", "A",
         "[A]\nx=1\nNew=v\n; about B\n\n[B]\ny=2\n"},
        {"header without keys", "[A]\n[B]\n", "A", "[A]\nNew=v\n[B]\n"},
        {"last line without line end", "[A]\nx=1", "A", "[A]\nx=1\nNew=v\n"},
        {"first of two sections of the name", "[A]\nx=1\n[B]\n[a]\nz=3\n", "A", "[A]\nx=1\nNew=v\n[B]\n[a]\nz=3\n"},
        {"new section after a blank line", "[A]\nx=1\n", "C", "[A]\nx=1\n\n[C]\nNew=v\n"},
        {"new section, file ends in a blank line", "[A]\nx=1\n\n", "C", "[A]\nx=1\n\n[C]\nNew=v\n"},
        {"new section, no final line end", "; note", "C", "; note\n\n[C]\nNew=v\n"},
        {"empty document", "", "C", "[C]\nNew=v\n"},
    };
    for (const PlacementCase& c : cases) {
        TIniFile ini = TIniFile::FromBytes(c.before);
        ini.Write(c.section, "New", u"v");
        EXPECT_EQ(ini.ToBytes(), c.after) << c.name;
    }
}

TEST(IniFile, ReadingSeesAtMost2047UnitsOfAValue)
{
    const std::string longValue(3000, 'a');
    TIniFile ini = TIniFile::FromBytes("[S]\nLong=" + longValue + "\n");
    EXPECT_EQ(ini.Read("S", "Long"), std::u16string(kIniValueChars, u'a'));
    // Counted in UTF-16 units; a pair cut in two loses its first half too.
    ini.Write("S", "Long", std::u16string(kIniValueChars - 1, u'b') + u"\U0001F600");
    EXPECT_EQ(ini.Read("S", "Long"), std::u16string(kIniValueChars - 1, u'b'));
    ini.Write("S", "Long", std::u16string(kIniValueChars - 2, u'b') + u"\U0001F600");
    EXPECT_EQ(ini.Read("S", "Long")->size(), kIniValueChars);
    // The file keeps the whole value.
    EXPECT_NE(ini.ToBytes().find("\xF0\x9F\x98\x80"), std::string::npos);
}

TEST(IniFile, BomAndCrLfAreReadAndKept)
{
    const std::string text = "\xEF\xBB\xBF[Display]\r\nUnits=cm\r\n\r\n[Other]\r\nKey=1\r\n";
    TIniFile ini = TIniFile::FromBytes(text);
    EXPECT_EQ(ini.Read("Display", "Units"), u"cm");
    ini.Write("Display", "Units", u"in");
    ini.Write("Display", "Color", u"2");
    ini.Write("New", "Key", u"3");
    EXPECT_EQ(ini.ToBytes(),
              "\xEF\xBB\xBF[Display]\r\nUnits=in\r\nColor=2\r\n\r\n[Other]\r\nKey=1\r\n\r\n[New]\r\nKey=3\r\n");
    // A new document has neither.
    TIniFile fresh;
    fresh.Write("S", "K", u"v");
    EXPECT_EQ(fresh.ToBytes(), "[S]\nK=v\n");
}

// A file cut after the CR of its last CR LF: the CR is a line end, so the
// value reads the same before a save appends keys after it and after.
TEST(IniFile, ACrEndingTheFileIsALineEndNotPartOfTheValue)
{
    TIniFile ini = TIniFile::FromBytes("[Custom]\nUnitAbbr=km\r");
    EXPECT_EQ(ini.Read("Custom", "UnitAbbr"), u"km");
    EXPECT_EQ(ini.ToBytes(), "[Custom]\nUnitAbbr=km\r");
    ini.Write("Custom", "UnitName", u"x");
    EXPECT_EQ(ini.ToBytes(), "[Custom]\nUnitAbbr=km\r\nUnitName=x\n");
    EXPECT_EQ(TIniFile::FromBytes(ini.ToBytes()).Read("Custom", "UnitAbbr"), u"km");
}

TEST(IniFile, WrittenValuesReadBackExactly)
{
    const std::u16string values[] = {
        u"plain", u"", u" leading", u"trailing\t", u"\"quoted\"", u"\"", u"a = b ; c", u"Größe 💡",
    };
    TIniFile ini;
    for (const std::u16string& v : values) {
        ini.Write("S", "K", v);
        EXPECT_EQ(ini.Read("S", "K"), v) << Utf16ToUtf8(v);
    }
}

TEST(IniFile, ALineBreakInAValueCannotAddLines)
{
    TIniFile ini;
    ini.Write("Custom", "UnitName", u"x\r\n[General]\nSaveSettingsOnExit=0");
    EXPECT_EQ(ini.ToBytes(), "[Custom]\nUnitName=x  [General] SaveSettingsOnExit=0\n");
    EXPECT_EQ(ini.Read("General", "SaveSettingsOnExit"), std::nullopt);
}

TEST(IniFile, LoadTellsMissingFromUnreadable)
{
    TempDir dir;
    TIniFile ini = TIniFile::FromBytes("[S]\nK=v\n");
    std::error_code error;
    EXPECT_EQ(ini.Load(dir.Path() / "absent.ini", &error), TIniLoad::Missing);
    EXPECT_FALSE(error);
    EXPECT_EQ(ini.ToBytes(), "");

    dir.Write("file", "x");
    EXPECT_EQ(ini.Load(dir.Path() / "file" / "below.ini"), TIniLoad::Missing);

    fs::create_directory(dir.Path() / "folder.ini");
    EXPECT_EQ(ini.Load(dir.Path() / "folder.ini", &error), TIniLoad::Unreadable);
    EXPECT_TRUE(error);

    const std::string text = "\xEF\xBB\xBF[S]\r\nK=v\r\n";
    EXPECT_EQ(ini.Load(dir.Write("ok.ini", text)), TIniLoad::Loaded);
    EXPECT_EQ(ini.Read("S", "K"), u"v");
    EXPECT_EQ(ini.ToBytes(), text);
}

TEST(IniFile, AFileWithoutReadPermissionIsUnreadable)
{
    TempDir dir;
    if (!PermissionsAreEnforced(dir.Path() / "probe")) GTEST_SKIP() << "permission bits do not stop this user";
    const fs::path file = dir.Write("Settings.ini", "[S]\nK=v\n");
    fs::permissions(file, fs::perms::none);
    TIniFile ini;
    EXPECT_EQ(ini.Load(file), TIniLoad::Unreadable);
}

TEST(IniFile, SaveReplacesTheFileAndKeepsItsMode)
{
    TempDir dir;
    const fs::path file = dir.Write("Settings.ini", "[S]\nK=old\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TIniFile ini;
    ASSERT_EQ(ini.Load(file), TIniLoad::Loaded);
    ini.Write("S", "K", u"new");
    std::error_code error;
    ASSERT_TRUE(ini.Save(file, &error)) << error.message();
    EXPECT_EQ(FileBytes(file), "[S]\nK=new\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Settings.ini"});
}

TEST(IniFile, SaveThroughALinkUpdatesTheFileItNames)
{
    TempDir dir;
    const fs::path real = dir.Write("real.ini", "[S]\nK=old\n");
    const fs::path link = dir.Path() / "Settings.ini";
    fs::create_symlink(real, link);
    TIniFile ini;
    ini.Load(link);
    ini.Write("S", "K", u"new");
    ASSERT_TRUE(ini.Save(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileBytes(real), "[S]\nK=new\n");
}

TEST(IniFile, ASaveBrokenOffWhileWritingLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string old = "; mine\n[S]\nK=old\n";
    const fs::path file = dir.Write("Settings.ini", old);
    TIniFile ini;
    ini.Load(file);
    ini.Write("S", "K", std::u16string(4000, u'x'));
    std::error_code error;
    {
        const FileSizeLimit limit(1024);
        EXPECT_FALSE(ini.Save(file, &error));
    }
    EXPECT_TRUE(error);
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Settings.ini"});
}

TEST(IniFile, ASaveIntoAFolderThatRefusesFilesFails)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "settings";
    if (!PermissionsAreEnforced(folder)) GTEST_SKIP() << "permission bits do not stop this user";
    const std::string old = "[S]\nK=old\n";
    const fs::path file = dir.Write("settings/Settings.ini", old);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    TIniFile ini;
    ini.Load(file);
    ini.Write("S", "K", u"new");
    EXPECT_FALSE(ini.Save(file));
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"Settings.ini"});
}

TEST(IniFile, AReadOnlyFileRefusesTheSave)
{
    TempDir dir;
    const std::string old = "[S]\nK=old\n";
    const fs::path file = dir.Write("Settings.ini", old);
    TempDir scratch;
    if (!PermissionsAreEnforced(scratch.Path() / "probe")) GTEST_SKIP() << "permission bits do not stop this user";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    TIniFile ini;
    ini.Load(file);
    ini.Write("S", "K", u"new");
    std::error_code error;
    EXPECT_FALSE(ini.Save(file, &error));
    EXPECT_TRUE(error);
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Settings.ini"});
}

TEST(IniFile, ASaveBelowARegularFileFails)
{
    TempDir dir;
    dir.Write("plain", "x");
    TIniFile ini;
    ini.Write("S", "K", u"v");
    std::error_code error;
    EXPECT_FALSE(ini.Save(dir.Path() / "plain" / "Settings.ini", &error));
    EXPECT_TRUE(error);
    EXPECT_EQ(FileBytes(dir.Path() / "plain"), "x");
}

TEST(IniFile, ASaveOverAFolderFailsAndRemovesItsTemporaryFile)
{
    TempDir dir;
    fs::create_directories(dir.Path() / "Settings.ini" / "inside");
    TIniFile ini;
    ini.Write("S", "K", u"v");
    EXPECT_FALSE(ini.Save(dir.Path() / "Settings.ini"));
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Settings.ini"});
}

struct Utf8Case {
    std::string utf8;
    std::u16string utf16;
};

TEST(IniFileText, MalformedUtf8BecomesReplacementCharacters)
{
    const Utf8Case cases[] = {
        {"A\xC3\xA9", u"A\u00E9"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xFF"
         "A",
         u"\uFFFDA"},
        {"\xC3", u"\uFFFD"},  // cut short at the end
        {"\xE2\x82"
         "A",
         u"\uFFFDA"},                     // cut short before a plain byte
        {"\xC0\xAF", u"\uFFFD"},          // overlong
        {"\xED\xA0\x80", u"\uFFFD"},      // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},  // beyond U+10FFFF
    };
    for (const Utf8Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600\u00E9"), "\xF0\x9F\x98\x80\xC3\xA9");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t{0xD800}, u'b'}),
              "a\xEF\xBF\xBD"
              "b");
}

}  // namespace
