#include "online/Autostart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A temporary folder as the user's configuration folder.
struct ConfigHome {
    TempDir dir;
    TEnvironment env = [home = dir.Path().string()](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "XDG_CONFIG_HOME") return home;
        return std::nullopt;
    };
    fs::path Entry() const { return dir.Path() / "autostart" / "Scalio.desktop"; }
};

// The value of key in the entry's text, undone from the string escapes.
std::string ValueOf(const std::string& text, const std::string& key)
{
    const std::string::size_type start = text.find("\n" + key + "=");
    if (start == std::string::npos) return "<absent>";
    const std::string::size_type from = start + key.size() + 2;
    return text.substr(from, text.find('\n', from) - from);
}

TEST(Autostart, EntryPathFollowsTheConfigurationFolder)
{
    const std::map<std::string, std::string> vars{{"HOME", "/home/u"}};
    const TEnvironment home = [&](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    EXPECT_EQ(AutostartEntryPath(home), fs::path("/home/u/.config/autostart/Scalio.desktop"));
    ConfigHome config;
    EXPECT_EQ(AutostartEntryPath(config.env), config.Entry());
    const TEnvironment none = [](const char*) -> std::optional<std::string> { return std::nullopt; };
    EXPECT_TRUE(AutostartEntryPath(none).empty());
    EXPECT_FALSE(SetAutostart(true, "/usr/bin/scalio", none));
}

TEST(Autostart, ExecQuotesWhatTheSessionWouldOtherwiseSplitOrExpand)
{
    struct Case {
        std::string path;
        std::string exec;  // as written in the file
    };
    const Case cases[] = {
        {"/usr/bin/scalio", "/usr/bin/scalio"},
        {"/home/u/My Tools/scalio", "\"/home/u/My Tools/scalio\""},
        {"/opt/100%/scalio", "/opt/100%%/scalio"},
        {"/opt/a b/100%/scalio", "\"/opt/a b/100%%/scalio\""},
        // '$' and '"' take a backslash inside quotes, which the string
        // escapes then double.
        {"/opt/$x/scalio", "\"/opt/\\\\$x/scalio\""},
        {"/opt/say \"hi\"/scalio", "\"/opt/say \\\\\"hi\\\\\"/scalio\""},
        {"/opt/back\\slash/scalio", "\"/opt/back\\\\\\\\slash/scalio\""},
        {"/opt/it's/scalio", "\"/opt/it's/scalio\""},
    };
    for (const Case& c : cases) EXPECT_EQ(DesktopExecArgument(c.path), c.exec) << c.path;
}

TEST(Autostart, TheEntryIsAnApplicationThatStartsThisProgram)
{
    const std::string text = AutostartEntryText("/home/u/My Tools/scalio");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_EQ(ValueOf(text, "Type"), "Application");
    EXPECT_EQ(ValueOf(text, "Name"), "Scalio");
    EXPECT_EQ(ValueOf(text, "Exec"), "\"/home/u/My Tools/scalio\"");
    EXPECT_EQ(ValueOf(text, "TryExec"), "/home/u/My Tools/scalio");
    EXPECT_EQ(ValueOf(text, "X-GNOME-Autostart-enabled"), "true");
    EXPECT_EQ(text.back(), '\n');
}

TEST(Autostart, OnAddsTheEntryOnlyWhenAbsentAndOffRemovesIt)
{
    ConfigHome config;
    // A fresh account has no autostart folder.
    ASSERT_TRUE(SetAutostart(true, "/usr/bin/scalio", config.env));
    EXPECT_EQ(FileBytes(config.Entry()), AutostartEntryText("/usr/bin/scalio"));

    // On again with another path keeps what is there.
    ASSERT_TRUE(SetAutostart(true, "/opt/new/scalio", config.env));
    EXPECT_EQ(FileBytes(config.Entry()), AutostartEntryText("/usr/bin/scalio"));

    ASSERT_TRUE(SetAutostart(false, "/usr/bin/scalio", config.env));
    EXPECT_FALSE(fs::exists(config.Entry()));
    EXPECT_TRUE(fs::is_directory(config.Entry().parent_path()));
    // Off with no entry is no failure and leaves the folder's other entries.
    const fs::path other = config.dir.Write("autostart/other.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(SetAutostart(false, "/usr/bin/scalio", config.env));
    EXPECT_EQ(fs::directory_iterator(config.Entry().parent_path())->path(), other);
}

TEST(Autostart, AnEntryLeftByAnotherInstallationIsKeptAsItIs)
{
    ConfigHome config;
    const std::string old = "[Desktop Entry]\nType=Application\nName=Scalio\nExec=/opt/old/scalio\nHidden=true\n";
    fs::create_directories(config.Entry().parent_path());
    config.dir.Write("autostart/Scalio.desktop", old);
    ASSERT_TRUE(SetAutostart(true, "/usr/bin/scalio", config.env));
    EXPECT_EQ(FileBytes(config.Entry()), old);

    // A link that leads nowhere is an entry too: not replaced, but removed.
    fs::remove(config.Entry());
    fs::create_symlink(config.dir.Path() / "gone.desktop", config.Entry());
    ASSERT_TRUE(SetAutostart(true, "/usr/bin/scalio", config.env));
    EXPECT_TRUE(fs::is_symlink(config.Entry()));
    EXPECT_FALSE(fs::exists(config.dir.Path() / "gone.desktop"));
    ASSERT_TRUE(SetAutostart(false, "/usr/bin/scalio", config.env));
    EXPECT_FALSE(fs::is_symlink(config.Entry()));
}

TEST(Autostart, AnAutostartFolderThatCannotBeMadeFails)
{
    ConfigHome config;
    // A file where the folder should be stops even root.
    config.dir.Write("autostart", "not a folder");
    EXPECT_FALSE(SetAutostart(true, "/usr/bin/scalio", config.env));
    EXPECT_EQ(FileBytes(config.dir.Path() / "autostart"), "not a folder");
    EXPECT_EQ(AutostartFailedText(), u"Failed to set data for 'Scalio'");
}

TEST(Autostart, AFolderThatRefusesChangesFailsAndLosesNothing)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores permission bits";
    ConfigHome config;
    const fs::path folder = config.Entry().parent_path();
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SetAutostart(true, "/usr/bin/scalio", config.env));
    EXPECT_FALSE(fs::exists(config.Entry()));
    EXPECT_TRUE(fs::is_empty(folder));

    fs::permissions(folder, fs::perms::owner_all);
    config.dir.Write("autostart/Scalio.desktop", "[Desktop Entry]\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SetAutostart(false, "/usr/bin/scalio", config.env));
    EXPECT_EQ(FileBytes(config.Entry()), "[Desktop Entry]\n");
    fs::permissions(folder, fs::perms::owner_all);
}

}  // namespace
