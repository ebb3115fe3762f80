#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using Vars = std::map<std::string, std::string>;

TEnvironment Env(Vars vars)
{
    return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The configuration folder of a test: a temporary folder as XDG_CONFIG_HOME.
struct ConfigHome {
    TempDir dir;
    TEnvironment env = Env({{"XDG_CONFIG_HOME", dir.Path().string()}});
    fs::path Folder() const { return dir.Path() / "Vendra" / "Scalio"; }
};

struct FolderCase {
    Vars vars;
    std::string expected;
};

TEST(SettingsLocation, ConfigurationFolderFromTheEnvironment)
{
    const FolderCase cases[] = {
        {{{"XDG_CONFIG_HOME", "/x/conf"}, {"HOME", "/home/u"}}, "/x/conf/"},
        {{{"XDG_CONFIG_HOME", "/x/conf/"}}, "/x/conf/"},
        {{{"XDG_CONFIG_HOME", "relative/conf"}, {"HOME", "/home/u"}}, "/home/u/.config/"},
        {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u/"}}, "/home/u/.config/"},
        {{{"HOME", "/"}}, "/.config/"},
        {{{"HOME", "home/u"}}, ""},
        {{{"HOME", ""}}, ""},
        {{}, ""},
    };
    for (const FolderCase& c : cases) {
        const TEnvironment env = Env(c.vars);
        EXPECT_EQ(GetSpecialFolderPath(env), c.expected) << (c.vars.empty() ? "" : c.vars.begin()->second);
    }
}

TEST(SettingsLocation, PathsAreBuiltAfreshOnEveryCall)
{
    std::string config = "/first";
    const TEnvironment env = [&config](const char* name) -> std::optional<std::string> {
        if (std::string_view(name) == "XDG_CONFIG_HOME") return config;
        return std::nullopt;
    };
    EXPECT_EQ(SettingsFolder(env), "/first/Vendra/Scalio/");
    EXPECT_EQ(SettingsFilePath(env), "/first/Vendra/Scalio/Settings.ini");
    config = "/second";
    EXPECT_EQ(SettingsFilePath(env), "/second/Vendra/Scalio/Settings.ini");
}

TEST(SettingsLocation, OldSettingsFileIsTheExecutableWithIni)
{
    EXPECT_EQ(OldSettingsPath("/opt/scalio/scalio"), "/opt/scalio/scalio.ini");
    EXPECT_EQ(OldSettingsPath("/opt/scalio/scalio.bin"), "/opt/scalio/scalio.ini");
    EXPECT_EQ(OldSettingsPath("/opt/scalio-3.2/scalio"), "/opt/scalio-3.2/scalio.ini");
}

TEST(SettingsLocation, EnsureCreatesTheFoldersAFreshAccountLacks)
{
    TempDir home;
    const TEnvironment env = Env({{"HOME", home.Path().string()}});
    ASSERT_TRUE(EnsureSettingsFolder(env));
    EXPECT_TRUE(fs::is_directory(home.Path() / ".config" / "Vendra" / "Scalio"));
    // Configuration folders are private to the user.
    EXPECT_EQ(fs::status(home.Path() / ".config").permissions(), fs::perms::owner_all);
    EXPECT_TRUE(EnsureSettingsFolder(env));
}

TEST(SettingsLocation, EnsureFailsWhereNoFolderCanBe)
{
    EXPECT_FALSE(EnsureSettingsFolder(Env({})));

    ConfigHome blockedMaker;
    blockedMaker.dir.Write("Vendra", "a file");
    EXPECT_FALSE(EnsureSettingsFolder(blockedMaker.env));

    ConfigHome blockedProduct;
    fs::create_directory(blockedProduct.dir.Path() / "Vendra");
    blockedProduct.dir.Write("Vendra/Scalio", "a file");
    EXPECT_FALSE(EnsureSettingsFolder(blockedProduct.env));

    TempDir base;
    base.Write("conf", "a file");
    EXPECT_FALSE(EnsureSettingsFolder(Env({{"XDG_CONFIG_HOME", (base.Path() / "conf").string()}})));

    // A mistyped configuration home is no place to build a chain of folders.
    TempDir typo;
    EXPECT_FALSE(EnsureSettingsFolder(Env({{"XDG_CONFIG_HOME", (typo.Path() / "a/b/c").string()}})));
    EXPECT_FALSE(fs::exists(typo.Path() / "a"));
    EXPECT_FALSE(EnsureSettingsFolder(Env({{"HOME", (typo.Path() / "nobody").string()}})));
    EXPECT_FALSE(fs::exists(typo.Path() / "nobody"));
}

TEST(SettingsLocation, WritableCheckLeavesNoScratchFile)
{
    ConfigHome home;
    ASSERT_TRUE(EnsureSettingsFolder(home.env));
    home.dir.Write("Vendra/Scalio/RWTest.tmp", "left by a crash");
    EXPECT_TRUE(SettingsFolderWritable(home.env));
    EXPECT_TRUE(fs::is_empty(home.Folder()));
}

TEST(SettingsLocation, WritableCheckFailsWhenTheScratchFileCannotGo)
{
    ConfigHome home;
    ASSERT_TRUE(EnsureSettingsFolder(home.env));
    fs::create_directory(home.Folder() / "RWTest.tmp");
    home.dir.Write("Vendra/Scalio/RWTest.tmp/inside", "x");
    EXPECT_FALSE(SettingsFolderWritable(home.env));
}

TEST(SettingsLocation, WritableCheckFailsWithoutAFolder)
{
    ConfigHome home;
    EXPECT_FALSE(SettingsFolderWritable(home.env));
    EXPECT_FALSE(SettingsFolderWritable(Env({})));
}

TEST(SettingsLocation, WritableCheckFailsInAFolderThatRefusesFiles)
{
    ConfigHome home;
    ASSERT_TRUE(EnsureSettingsFolder(home.env));
    fs::permissions(home.Folder(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool enforced = !std::ofstream(home.Folder() / "probe").is_open();
    const bool writable = SettingsFolderWritable(home.env);
    fs::permissions(home.Folder(), fs::perms::owner_all);
    if (!enforced) GTEST_SKIP() << "permission bits do not stop this user";
    EXPECT_FALSE(writable);
}

TEST(SettingsLocation, OldSettingsAreCopiedInOnce)
{
    ConfigHome home;
    TempDir install;
    ASSERT_TRUE(EnsureSettingsFolder(home.env));
    const std::string executable = (install.Path() / "scalio").string();
    install.Write("scalio.ini", "[Display]\nColor=4\n");

    MigrateOldSettings(executable, home.env);
    EXPECT_EQ(FileBytes(home.Folder() / "Settings.ini"), "[Display]\nColor=4\n");
    EXPECT_TRUE(fs::exists(install.Path() / "scalio.ini"));

    // From now on the copy is the user's file, however new the old one is.
    install.Write("scalio.ini", "[Display]\nColor=9\n");
    MigrateOldSettings(executable, home.env);
    EXPECT_EQ(FileBytes(home.Folder() / "Settings.ini"), "[Display]\nColor=4\n");
}

TEST(SettingsLocation, NothingToMigrateLeavesTheFolderEmpty)
{
    ConfigHome home;
    TempDir install;
    ASSERT_TRUE(EnsureSettingsFolder(home.env));
    fs::create_directory(install.Path() / "scalio.ini");  // not a file
    MigrateOldSettings((install.Path() / "scalio").string(), home.env);
    MigrateOldSettings((install.Path() / "other").string(), home.env);
    EXPECT_TRUE(fs::is_empty(home.Folder()));
}

TEST(SettingsLocation, CriticalErrorTexts)
{
    const TEnvironment env = Env({{"XDG_CONFIG_HOME", "/x/conf"}});
    EXPECT_EQ(SettingsFolderInaccessibleText(env),
              u"Scalio cannot access the settings folder:\r\n/x/conf/Vendra/Scalio\r\n\r\n"
              u"Please, ask for online support.");
    EXPECT_EQ(SettingsFolderNotWritableText(env),
              u"Scalio cannot write into the settings folder:\r\n/x/conf/Vendra/Scalio\r\n\r\n"
              u"Please, ask for online support.");
    // Without a configuration folder there is nothing in front of the names.
    EXPECT_EQ(SettingsFolderInaccessibleText(Env({})),
              u"Scalio cannot access the settings folder:\r\nVendra/Scalio\r\n\r\nPlease, ask for online support.");
}

}  // namespace
