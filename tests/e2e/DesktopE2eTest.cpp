// What the program hands to the desktop, on a private X server: help, web
// and mail links through a recording xdg-open, the update check against a
// local server, and the autostart entry.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ProgramFixture.h"
#include "support/LocalHttpServer.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

class DesktopE2e : public ProgramE2e {
protected:
    DesktopE2e()
    {
        // A recording xdg-open first on PATH: Qt hands it every URL here.
        const std::filesystem::path script = bin.Path() / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << Opened().string() << "'\n";
        chmod(script.c_str(), 0755);
        x.ProgramEnvironment = {"PATH=" + bin.Path().string() + ":" + std::getenv("PATH")};
    }
    std::filesystem::path Opened() const { return bin.Path() / "opened.txt"; }
    std::vector<std::string> OpenedLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(ReadAll(Opened()));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    bool WaitForOpened(std::size_t count)
    {
        return x.WaitFor([&] { return OpenedLines().size() >= count; }, 5s);
    }
    // Starts with the product site on a local server.
    void StartWithSite(const std::string& root)
    {
        x.ProgramEnvironment.push_back("SCALIO_PRODUCT_SITE=" + root);
        Start();
    }

    TempDir bin;
};

TEST_F(DesktopE2e, HelpTheLogoAndMailGoToTheDesktop)
{
    Start();
    ClickRuler();
    Keys({"F1"});
    ASSERT_TRUE(WaitForOpened(1));
    EXPECT_EQ(OpenedLines()[0].rfind("file://", 0), 0u) << OpenedLines()[0];
    EXPECT_NE(OpenedLines()[0].find("/help/index.htm"), std::string::npos) << OpenedLines()[0];
    // The logo, at the ruler's right end.
    ASSERT_TRUE(
        x.Xdotool({"mousemove", std::to_string(at.X + at.Width - 70), std::to_string(at.Y + 30), "click", "1"}));
    ASSERT_TRUE(WaitForOpened(2));
    EXPECT_EQ(OpenedLines()[1], "http://127.0.0.1:9/");
    ChooseMenuItem({TMenuId::menuQuestion}, RulerState{});
    ASSERT_TRUE(WaitForOpened(3));
    EXPECT_EQ(OpenedLines()[2].rfind("mailto:", 0), 0u) << OpenedLines()[2];
    EXPECT_NE(OpenedLines()[2].find("Subject="), std::string::npos) << OpenedLines()[2];
}

// A newer version at start-up: the question comes up above the ruler, and
// Yes opens the download page of the same site.
TEST_F(DesktopE2e, ANewerVersionAtStartUpIsOffered)
{
    LocalHttpServer site(TScriptedResponse{200, "OK", {}, "3.36"});
    StartWithSite(site.Url("/"));
    const auto question = x.WaitForWindow(" Scalio", 15s);
    ASSERT_TRUE(question.has_value()) << "no question about the newer version";
    EXPECT_TRUE(x.WaitFor([&] { return x.StackingIndex(*question) > x.StackingIndex(ruler); }, 5s));
    EXPECT_EQ(site.RequestTargets(), (std::vector<std::string>{"/lastver/scalio.txt"}));
    ASSERT_TRUE(x.WaitForFocus(*question, 5s));
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "update-offered.png");
    Keys({"Return"});
    ASSERT_TRUE(WaitForOpened(1));
    EXPECT_EQ(OpenedLines()[0], site.Url("/download.htm"));
}

// The latest version: nothing at start-up; CHECK NOW says so.
TEST_F(DesktopE2e, CheckNowTellsTheLatestVersion)
{
    LocalHttpServer site(TScriptedResponse{200, "OK", {}, "3.35"});
    StartWithSite(site.Url("/"));
    ASSERT_TRUE(x.WaitFor([&] { return site.RequestTargets().size() == 1; }, 10s));
    EXPECT_FALSE(x.WaitFor([&] { return x.WindowShown(" Scalio"); }, 2s)) << "news without news";
    ChooseMenuItem({TMenuId::menuCheckNow}, RulerState{});
    const auto latest = x.WaitForWindow(" Scalio", 15s);
    ASSERT_TRUE(latest.has_value()) << "no message after CHECK NOW";
    EXPECT_EQ(site.RequestTargets().size(), 2u);
    ASSERT_TRUE(x.WaitForFocus(*latest, 5s));
    Keys({"Return"});
    ASSERT_TRUE(x.WaitFor([&] { return !x.WindowShown(" Scalio"); }, 5s));
    EXPECT_TRUE(OpenedLines().empty());
}

// No server at all: nothing at start-up; CHECK NOW tells of the failure.
TEST_F(DesktopE2e, CheckNowTellsAFailure)
{
    Start();  // the product site is a port where nothing listens
    EXPECT_FALSE(x.WaitFor([&] { return x.WindowShown(" Scalio"); }, 2s)) << "a failure told at start-up";
    ChooseMenuItem({TMenuId::menuCheckNow}, RulerState{});
    const auto failure = x.WaitForWindow(" Scalio", 15s);
    ASSERT_TRUE(failure.has_value()) << "no message after a failed CHECK NOW";
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "update-failed.png");
    ASSERT_TRUE(x.WaitForFocus(*failure, 5s));
    Keys({"Escape"});
    EXPECT_TRUE(x.WaitFor([&] { return !x.WindowShown(" Scalio"); }, 5s));
}

TEST_F(DesktopE2e, AutostartWritesAndRemovesTheEntry)
{
    Start();
    const std::filesystem::path entry = x.Home() / ".config/autostart/Scalio.desktop";
    ChooseMenuItem({TMenuId::menuAutostart}, RulerState{});
    ASSERT_TRUE(x.WaitFor([&] { return std::filesystem::exists(entry); }, 5s));
    EXPECT_NE(ReadAll(entry).find("Exec="), std::string::npos);
    RulerState on;
    on.AutoStart = true;
    ChooseMenuItem({TMenuId::menuAutostart}, on);
    EXPECT_TRUE(x.WaitFor([&] { return !std::filesystem::exists(entry); }, 5s));
    ChooseMenuItem({TMenuId::menuAutostart}, RulerState{});
    ASSERT_TRUE(x.WaitFor([&] { return std::filesystem::exists(entry); }, 5s));
    EXPECT_EQ(ExitAndRead().at("General").at("AutoStart"), "1");
}

}  // namespace
