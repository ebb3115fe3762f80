#include "online/CompanionMagnifier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "dialogs/Messages.h"
#include "online/WebSites.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEnvironment Env(std::map<std::string, std::string> vars)
{
    return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

// A folder of $XDG_CONFIG_DIRS, with or without Vendra/Lentix.ini.
struct ConfigDir {
    TempDir dir;
    std::string Path() const { return dir.Path().string(); }
    void Ini(const std::string& bytes) const
    {
        fs::create_directories(dir.Path() / "Vendra");
        dir.Write("Vendra/Lentix.ini", bytes);
    }
};

TEST(CompanionMagnifier, ConfigFoldersComeFromXdgConfigDirs)
{
    struct Case {
        std::map<std::string, std::string> vars;
        std::vector<fs::path> folders;
    };
    const Case cases[] = {
        {{}, {"/etc/xdg"}},
        {{{"XDG_CONFIG_DIRS", ""}}, {"/etc/xdg"}},
        {{{"XDG_CONFIG_DIRS", "/a:/b/c"}}, {"/a", "/b/c"}},
        {{{"XDG_CONFIG_DIRS", "relative::/b:"}}, {"/b"}},
        {{{"XDG_CONFIG_DIRS", "relative"}}, {"/etc/xdg"}},
    };
    for (const Case& c : cases) EXPECT_EQ(CompanionConfigFolders(Env(c.vars)), c.folders);
}

TEST(CompanionMagnifier, TheFirstFolderWithTheFileDecides)
{
    ConfigDir empty, first, second;
    first.Ini("[Lentix]\nPath=/opt/first/lentix\n");
    second.Ini("[Lentix]\nPath=/opt/second/lentix\n");
    const std::string all = empty.Path() + ":" + first.Path() + ":" + second.Path();
    EXPECT_EQ(FindCompanionMagnifierPath(Env({{"XDG_CONFIG_DIRS", all}})), "/opt/first/lentix");
    EXPECT_EQ(FindCompanionMagnifierPath(Env({{"XDG_CONFIG_DIRS", second.Path() + ":" + first.Path()}})),
              "/opt/second/lentix");

    // A file without the key shadows the later ones.
    ConfigDir keyless;
    keyless.Ini("[Lentix]\nVersion=2\n[Other]\nPath=/opt/other\n");
    EXPECT_EQ(FindCompanionMagnifierPath(Env({{"XDG_CONFIG_DIRS", keyless.Path() + ":" + first.Path()}})), "");
    EXPECT_EQ(FindCompanionMagnifierPath(Env({{"XDG_CONFIG_DIRS", empty.Path()}})), "");
}

TEST(CompanionMagnifier, OnlyAnExistingProgramFileIsRun)
{
    TempDir dir;
    const fs::path program = dir.Write("lentix", "#!/bin/sh\n");
    struct Case {
        std::string path;
        TMagnifierStep step;
    };
    const Case cases[] = {
        {program.string(), TMagnifierStep::Run},
        {"", TMagnifierStep::AskDownload},
        {(dir.Path() / "deleted").string(), TMagnifierStep::AskDownload},
        {(dir.Path() / "no-folder" / "lentix").string(), TMagnifierStep::AskDownload},
        {dir.Path().string(), TMagnifierStep::AskDownload},
        {"lentix", TMagnifierStep::AskDownload},
    };
    for (const Case& c : cases) EXPECT_EQ(MagnifierStep(c.path), c.step) << c.path;
}

struct MagnifierCommand : ::testing::Test {
    FakeShell shell;
    FakeMessageDialog dialog;
    TempDir dir;
    void SetUp() override { InstallMessageDialog(&dialog); }
    void TearDown() override { InstallMessageDialog(nullptr); }
};

TEST_F(MagnifierCommand, AFoundProgramRunsWithoutAQuestion)
{
    const fs::path program = dir.Write("lentix", "#!/bin/sh\n");
    shell.Succeeds = false;  // a start that fails anyway is ignored
    LaunchCompanionMagnifier(program.string(), shell);
    EXPECT_EQ(shell.Programs, std::vector<std::string>{program.string()});
    EXPECT_TRUE(dialog.Asked.empty());
    EXPECT_TRUE(shell.Urls.empty());
}

TEST_F(MagnifierCommand, AMissingProgramOffersTheDownloadPage)
{
    dialog.Answers = {1, 2, 0};
    for (const std::string& path : {std::string(), (dir.Path() / "deleted").string(), std::string("/no/such/lentix")})
        LaunchCompanionMagnifier(path, shell);
    EXPECT_TRUE(shell.Programs.empty());
    // Only Yes opens the page; No and a cancel do nothing.
    EXPECT_EQ(shell.Urls, std::vector<std::string>{DownloadPage()});
    ASSERT_EQ(dialog.Asked.size(), 3u);
    const TMessageRequest& q = dialog.Asked[0];
    EXPECT_EQ(q.Caption, u"Scalio");
    EXPECT_EQ(q.Text.substr(0, 44), u"A compatible version of Lentix was not found");
    EXPECT_EQ(q.Buttons, (std::vector<std::u16string>{u"Yes", u"No"}));
    EXPECT_EQ(q.Icon, TAnswerIcon::Question);
    EXPECT_TRUE(q.Cancelable);
    EXPECT_EQ(q.HelpButton, 0);
}

}  // namespace
