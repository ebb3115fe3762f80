// Files no settings or language file should be, where the program looks for
// one: huge, random, on a full disk, a FIFO, a folder, a folder that cannot
// be written. Each reads as the documented fallback or fails with an error,
// quickly, and never costs the user the file that is there.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "faults/WriteFaults.h"
#include "lang/Languages.h"
#include "settings/Settings.h"
#include "settings/SettingsLocation.h"
#include "settings/Utf8.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::vector<std::string> FolderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Every stored setting of s, as a fresh file holds them: two states are the
// same settings when these are the same bytes.
std::string StoredSettings(const RulerState& s)
{
    TIniFile ini;
    WriteSettings(ini, s, u'.');
    return ini.ToBytes();
}

RulerState Loaded(const fs::path& file, TIniLoad* result = nullptr)
{
    NoSettingsHooks hooks;
    RulerState s;
    const TIniLoad r = LoadSettings(file.string(), s, u'.', hooks);
    if (result) *result = r;
    return s;
}

// A state unlike the defaults in many keys.
RulerState Changed()
{
    RulerState s;
    s.Color = 9;
    s.Rotate = true;
    s.Units = TUnits::Inches;
    s.Transparency = TTransparency::Percent50;
    s.CustomUnit.Name = u"Fu\u00DF";
    s.FirstRun = false;
    return s;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        lines.push_back(text.substr(start, lf == std::string::npos ? std::string::npos : lf - start));
        start = lf == std::string::npos ? text.size() : lf + 1;
    }
    return lines;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the line sets one of the keys the program writes: its name (any
// letter case), blanks, '='.
bool IsOneOfOurKeys(const std::string& line)
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> found;
        for (const std::string& l : Lines(StoredSettings(RulerState{})))
            if (const std::size_t eq = l.find('='); eq != std::string::npos) found.push_back(l.substr(0, eq));
        return found;
    }();
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos) return false;
    for (const std::string& name : names) {
        if (line.size() < at + name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) same = Lower(line[at + i]) == Lower(name[i]);
        if (!same) continue;
        const std::size_t after = line.find_first_not_of(" \t", at + name.size());
        if (after != std::string::npos && line[after] == '=') return true;
    }
    return false;
}

// The lines of before that are not our keys' still stand in after, in their
// order: a save changes the values it writes and adds lines, nothing else.
::testing::AssertionResult KeepsEverythingButOurValues(const std::string& before, const std::string& after)
{
    const std::vector<std::string> old = Lines(before), now = Lines(after);
    std::size_t at = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (IsOneOfOurKeys(old[i])) continue;
        // The file's last line gains a line end when keys go after it.
        const bool last = i + 1 == old.size() && !before.ends_with('\n');
        while (at < now.size() && now[at] != old[i] && !(last && now[at] == old[i] + "\r")) ++at;
        if (at == now.size())
            return ::testing::AssertionFailure()
                   << "line " << i + 1 << " of the old file is gone (" << old[i].size() << " bytes)";
        ++at;
    }
    return ::testing::AssertionSuccess();
}

// ---- A huge settings file ------------------------------------------------

// Someone's real settings on top, then junk: many short lines, the costliest
// shape for a line-by-line reader.
std::string HugeSettingsFile(std::size_t bytes)
{
    std::string text = "[Display]\nColor=4\nRotate=1\n; then a log that ended up here\n";
    const std::string line = "k=v\n";
    text.reserve(bytes + line.size());
    while (text.size() + line.size() <= bytes) text += line;
    text.append(bytes - text.size(), 'x');
    return text;
}

TEST(HostileSettings, A50MegabyteFileStartsWithDefaultsAndIsNeverReplaced)
{
    TempDir dir;
    const std::string huge = HugeSettingsFile(50u << 20);
    const fs::path file = dir.Write("Settings.ini", huge);

    const auto start = Clock::now();
    TIniLoad result{};
    const RulerState read = Loaded(file, &result);
    const double loadMs = MillisecondsSince(start);
    EXPECT_EQ(result, TIniLoad::Unreadable);
    EXPECT_EQ(StoredSettings(read), StoredSettings(RulerState{}));

    const auto saveStart = Clock::now();
    std::error_code error;
    EXPECT_FALSE(SaveSettings(file.string(), Changed(), u'.', &error));
    const double saveMs = MillisecondsSince(saveStart);
    EXPECT_EQ(error, std::errc::file_too_large);
    std::cout << "50 MB settings file: load " << loadMs << " ms, refused save " << saveMs << " ms" << std::endl;
    EXPECT_TRUE(FileBytes(file) == huge) << "the user's file changed";
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Settings.ini"});
}

TEST(HostileSettings, AFileUpToTheLimitIsReadAndSavedOneByteMoreIsNot)
{
    struct Case {
        std::size_t bytes;
        TIniLoad load;
        bool saved;
    };
    const Case cases[] = {
        {kIniMaxFileBytes, TIniLoad::Loaded, true},
        {kIniMaxFileBytes + 1, TIniLoad::Unreadable, false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        // Long lines: the size is what counts here, not the line count.
        std::string text = "[Display]\nColor=4\n";
        const std::string comment = "; " + std::string(100, 'c') + "\n";
        while (text.size() + comment.size() <= c.bytes) text += comment;
        text.append(c.bytes - text.size(), ';');
        const fs::path file = dir.Write("Settings.ini", text);
        TIniLoad result{};
        EXPECT_EQ(Loaded(file, &result).Color, c.load == TIniLoad::Loaded ? 4 : 0) << c.bytes;
        EXPECT_EQ(result, c.load) << c.bytes;
        EXPECT_EQ(SaveSettings(file.string(), Changed(), u'.'), c.saved) << c.bytes;
        if (c.saved)
            EXPECT_TRUE(KeepsEverythingButOurValues(text, FileBytes(file))) << c.bytes;
        else
            EXPECT_TRUE(FileBytes(file) == text) << c.bytes;
    }
}

// ---- Random bytes ---------------------------------------------------------

std::string RandomBytes(std::mt19937& random, std::size_t size)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    return bytes;
}

// A seed of its own for every run, unless SCALIO_JUNK_SEED replays one.
std::uint32_t SeedOf(const char* what)
{
    const char* given = std::getenv("SCALIO_JUNK_SEED");
    const std::uint32_t seed = given ? static_cast<std::uint32_t>(std::stoul(given)) : std::random_device{}();
    std::cout << what << " from seed " << seed << " (SCALIO_JUNK_SEED=" << seed << " replays them)" << std::endl;
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}

TEST(HostileSettings, RandomBytesReadAsDefaultsAndASaveKeepsThemAll)
{
    const std::uint32_t seed = SeedOf("random settings files");
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> sizes(1, 16384);
    for (int round = 0; round < 20; ++round) {
        TempDir dir;
        const std::string junk = RandomBytes(random, sizes(random));
        const fs::path file = dir.Write("Settings.ini", junk);
        const std::string where = "seed " + std::to_string(seed) + ", file " + std::to_string(round);
        TIniLoad result{};
        EXPECT_EQ(StoredSettings(Loaded(file, &result)), StoredSettings(RulerState{})) << where;
        EXPECT_EQ(result, TIniLoad::Loaded) << where;

        std::error_code error;
        ASSERT_TRUE(SaveSettings(file.string(), Changed(), u'.', &error)) << where << ": " << error.message();
        const std::string saved = FileBytes(file);
        // None of our sections was there: the junk stays whole at the top.
        EXPECT_EQ(saved.compare(0, junk.size(), junk), 0) << where;
        EXPECT_EQ(StoredSettings(Loaded(file)), StoredSettings(Changed())) << where;
        EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Settings.ini"}) << where;
    }
}

TEST(HostileSettings, KeysAmongRandomBytesAreReadAndOnlyTheirValuesChange)
{
    const std::uint32_t seed = SeedOf("settings among random bytes");
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> sizes(0, 2048);
    for (int round = 0; round < 20; ++round) {
        const auto junk = [&] { return RandomBytes(random, sizes(random)); };
        // A value is one line.
        const auto value = [&] {
            std::string bytes = junk();
            std::replace(bytes.begin(), bytes.end(), '\n', '\x01');
            return bytes;
        };
        // Readable keys, keys whose values are junk, and junk between them,
        // where a line of junk may open a section or set a key of its own.
        const std::string text = junk() + "\n[Display]\nColor=5\nRotate=1\nUnits=" + value() + "\n" + junk() +
                                 "\n[General]\nLanguage=" + value() + "\n[Custom]\nUnitName=" + value() + "\n" + junk();
        TempDir dir;
        const fs::path file = dir.Write("Settings.ini", text);
        const std::string where = "seed " + std::to_string(seed) + ", file " + std::to_string(round);

        const RulerState read = Loaded(file);
        EXPECT_EQ(read.Color, 5) << where;
        EXPECT_TRUE(read.Rotate) << where;
        EXPECT_EQ(read.Units, TUnits::Pixels) << where;  // the fallback of an unknown word
        EXPECT_EQ(read.Language, "EN") << where;         // no language file of that name
        EXPECT_EQ(StoredSettings(Loaded(file)), StoredSettings(read)) << where;

        std::error_code error;
        ASSERT_TRUE(SaveSettings(file.string(), Changed(), u'.', &error)) << where << ": " << error.message();
        const std::string saved = FileBytes(file);
        EXPECT_TRUE(KeepsEverythingButOurValues(text, saved)) << where;
        EXPECT_EQ(StoredSettings(Loaded(file)), StoredSettings(Changed())) << where;
    }
}

// ---- A full disk ------------------------------------------------------------

const std::string kOldSettings = "; mine\n[Display]\nColor=4\n";

// A state whose file is far larger than the old one.
RulerState Large()
{
    RulerState s = Changed();
    s.CustomUnit.Name = std::u16string(1500, u'n');
    return s;
}

TEST(HostileSettings, ASaveOnAFullDiskFailsAndLeavesTheOldFileWhole)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "Scalio";
    const fs::path file = folder / "Settings.ini";
    std::error_code error;
    bool saved = true;
    std::vector<std::string> left;
    {
        const FullDisk disk(folder, "Settings.ini", kOldSettings);
        if (disk.Ready()) {
            std::cout << "a full tmpfs" << std::endl;
            saved = SaveSettings(file.string(), Large(), u'.', &error);
            EXPECT_EQ(error, std::errc::no_space_on_device) << error.message();
            left = FolderEntries(folder);
            EXPECT_EQ(FileBytes(file), kOldSettings);
        } else {
            // No mount here: a limit on file sizes breaks the write off
            // part-way just the same.
            std::cout << "no full disk (" << disk.Error() << "): a file size limit instead" << std::endl;
            ASSERT_FALSE(fs::exists(file)) << "a tmpfs that is no use is still mounted";
            dir.Write("Scalio/Settings.ini", kOldSettings);
            const FileSizeLimit limit(1024);
            ASSERT_TRUE(limit.Set()) << "neither a full disk (" << disk.Error() << ") nor a file size limit";
            saved = SaveSettings(file.string(), Large(), u'.', &error);
            EXPECT_EQ(error, std::errc::file_too_large) << error.message();
            left = FolderEntries(folder);
            EXPECT_EQ(FileBytes(file), kOldSettings);
        }
    }
    EXPECT_FALSE(saved);
    std::erase(left, FullDisk::kFillerName);
    EXPECT_EQ(left, std::vector<std::string>{"Settings.ini"});
}

// ---- Temporary files of killed writers ------------------------------------------

// The id of a process that has ended.
pid_t DeadProcess()
{
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return pid;
}

TEST(HostileSettings, ASaveRemovesOnlyTheTemporaryFilesOfWritersThatHaveEnded)
{
    TempDir dir;
    const fs::path file = dir.Write("Settings.ini", kOldSettings);
    const std::string dead = std::to_string(DeadProcess());
    const std::string live = std::to_string(::getppid());
    const std::string own = std::to_string(::getpid());
    const std::string orphan = ".Settings.ini." + dead + ".0.tmp";
    dir.Write(orphan, "half a save");
    const std::vector<std::string> kept = {
        ".Other.ini." + dead + ".0.tmp",          // another file's
        ".Settings.ini." + live + ".3.tmp",       // a live writer's, maybe saving now
        ".Settings.ini." + own + ".99.tmp",       // this process's own
        ".Settings.ini." + dead + ".tmp",         // not a name we give
        ".Settings.ini.x" + dead + ".0.tmp",      // nor this
        ".Settings.ini." + dead + ".1.tmp.keep",  // nor this
        "Settings.ini." + dead + ".0.tmp",        // nor this
    };
    for (const std::string& name : kept) dir.Write(name, "not ours to remove");
    // A folder of that name is no temporary file of ours either.
    const std::string folder = ".Settings.ini." + dead + ".1.tmp";
    fs::create_directory(dir.Path() / folder);

    ASSERT_TRUE(SaveSettings(file.string(), Changed(), u'.'));
    std::vector<std::string> expected = kept;
    expected.push_back(folder);
    expected.push_back("Settings.ini");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(dir.Path()), expected);
}

// ---- A FIFO or a folder in the settings file's place --------------------------

TEST(HostileSettings, AFifoOrAFolderInTheFilesPlaceReadsAsDefaultsAndIsNotReplaced)
{
    const std::string kinds[] = {"FIFO", "folder"};
    for (const std::string& kind : kinds) {
        TempDir dir;
        const fs::path file = dir.Path() / "Settings.ini";
        if (kind == "FIFO")
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            fs::create_directory(file);

        // A reader stuck in open() or read() would hang the program's start.
        auto load = std::async(std::launch::async, [&] {
            TIniLoad result{};
            const RulerState s = Loaded(file, &result);
            return std::make_pair(result, StoredSettings(s));
        });
        if (load.wait_for(10s) != std::future_status::ready) {
            // Open the other end so that the reader comes back, then fail.
            const int fd = ::open(file.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            load.wait();
            FAIL() << "loading hung on a " << kind;
        }
        const auto [result, settings] = load.get();
        EXPECT_EQ(result, TIniLoad::Unreadable) << kind;
        EXPECT_EQ(settings, StoredSettings(RulerState{})) << kind;

        std::error_code error;
        EXPECT_FALSE(SaveSettings(file.string(), Changed(), u'.', &error)) << kind;
        EXPECT_TRUE(error) << kind;
        struct stat st {};
        ASSERT_EQ(::lstat(file.c_str(), &st), 0) << kind;
        EXPECT_TRUE(kind == "FIFO" ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode)) << kind << " replaced";
        EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Settings.ini"}) << kind;
    }
}

// ---- A settings folder that links to where nothing can be written -------------

TEnvironment ConfigHome(const fs::path& config)
{
    return [config = config.string()](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "XDG_CONFIG_HOME") return config;
        return std::nullopt;
    };
}

// /proc takes no new files, from root either.
TEST(HostileSettings, ASettingsFolderLinkedToProcIsNotWritable)
{
    TempDir dir;
    fs::create_directories(dir.Path() / "Vendra");
    fs::create_directory_symlink("/proc", dir.Path() / "Vendra/Scalio");
    const TEnvironment env = ConfigHome(dir.Path());
    EXPECT_TRUE(EnsureSettingsFolder(env));
    EXPECT_FALSE(SettingsFolderWritable(env));
    EXPECT_EQ(SettingsFolderNotWritableText(env), u"Scalio cannot write into the settings folder:\r\n" +
                                                      Utf8ToUtf16(dir.Path().string()) +
                                                      u"/Vendra/Scalio\r\n\r\nPlease, ask for online support.");
    EXPECT_FALSE(fs::exists("/proc/RWTest.tmp"));
}

TEST(HostileSettings, ASettingsFolderLinkedToAReadOnlyFolderIsNotWritable)
{
    TempDir dir;
    const fs::path target = dir.Path() / "read-only";
    fs::create_directories(target);
    fs::create_directories(dir.Path() / "Vendra");
    fs::create_directory_symlink(target, dir.Path() / "Vendra/Scalio");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_exec);
    const bool enforced = !std::ofstream(target / "probe").is_open();
    if (!enforced) {
        fs::remove(target / "probe");
        fs::permissions(target, fs::perms::owner_all);
        GTEST_SKIP() << "permission bits do not stop this user";
    }
    const TEnvironment env = ConfigHome(dir.Path());
    EXPECT_TRUE(EnsureSettingsFolder(env));
    EXPECT_FALSE(SettingsFolderWritable(env));
    fs::permissions(target, fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(target));
}

// ---- A language file of a gigabyte -------------------------------------------

// Bytes this process has read through read() and its kin so far.
std::optional<long long> BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string name;
    long long value = 0;
    while (io >> name >> value)
        if (name == "rchar:") return value;
    return std::nullopt;
}

class NoFlags : public IFlagLoader {
public:
    std::optional<TBitmap32> LoadFlag(const std::filesystem::path&) override { return std::nullopt; }
};

TEST(HostileLanguages, AGigabyteLanguageFileIsReadOnlyAsFarAsItsFirst16384Bytes)
{
    TempDir dir;
    const std::string head = Utf16LE(u"000.:Riesig:.000 002.:Rot:.002");
    const fs::path file = dir.Write("xx.lng", head);
    // Sparse: a gigabyte that takes no room.
    ASSERT_EQ(::truncate(file.c_str(), 1LL << 30), 0);
    dir.Write("yy.lng", Utf16LE(u"000.:Klein:.000"));

    const std::optional<long long> before = BytesRead();
    ASSERT_TRUE(before.has_value()) << "/proc/self/io cannot be read: no way to count the bytes read";
    const auto start = Clock::now();
    TLanguageTable table;
    NoFlags flags;
    table.LoadLanguages(dir.Path(), flags);
    table.SetCurrentLanguage("XX");
    const std::u16string red = table.GetLangText(2);
    const double ms = MillisecondsSince(start);
    const long long read = *BytesRead() - *before;
    std::cout << "1 GB language file: " << read << " bytes read, " << ms << " ms" << std::endl;

    ASSERT_EQ(table.LanguageCount(), 2);
    EXPECT_EQ(table.GetLanguageName(0), u"Riesig");
    EXPECT_EQ(table.GetLanguageName(1), u"Klein");
    EXPECT_EQ(red, u"Rot");
    EXPECT_LT(read, 1 << 20);
    EXPECT_GE(read, static_cast<long long>(kLanguageFileBytes));
}

}  // namespace
