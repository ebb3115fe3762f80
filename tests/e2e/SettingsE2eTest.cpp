// Start-up from a settings file, the menu walked with the keyboard, and what
// the program writes when it ends, on a private X server.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>

#include "ProgramFixture.h"
#include "draw/CommonFunctions.h"

namespace {

using namespace std::chrono_literals;
using SettingsE2e = ProgramE2e;

TEST_F(SettingsE2e, StartsAsTheSettingsFileSays)
{
    WriteSettings("[Display]\r\nRotate=1\r\nSize=50%\r\nColor=4\r\nScale=1\r\nTransparency=0%\r\n");
    Start();
    EXPECT_EQ(at, (TWindowGeometry{930, 270, 60, 540}));
    // Opaque: the screen shows the green scheme's body exactly. Across the
    // vertical ruler the middle column is the lightened highlight; the scale
    // runs down the right edge, its first long mark at row 20.
    const TColor32 middle = DarkenColor(0xFF60FF60, 15);
    ASSERT_TRUE(x.WaitForScreen(
        at.X, at.Y, at.Width, at.Height, [&](const TBitmap32& shot) { return shot.Pixel(30, 300) == middle; }, 5s))
        << std::hex << x.Screenshot(at.X + 30, at.Y + 300, 1, 1).Pixel(0, 0);
    const TBitmap32 shot = x.Screenshot(at.X, at.Y, at.Width, at.Height);
    EXPECT_EQ(shot.Pixel(59, 20), 0xFF60FF60u);
    EXPECT_EQ(shot.Pixel(59, 19), DarkenColor(0xFF008000, 20));
    EXPECT_EQ(shot.Pixel(30, 20), middle);
}

TEST_F(SettingsE2e, KeysAndTheMenuChangeWhatExitWrites)
{
    WriteSettings("; kept as it is\r\n[Mine]\r\nKey=Value\r\n");
    Start();
    ClickRuler();
    Rotate();
    Keys({"ctrl+shift+F1", "ctrl+F3"});
    RulerState now;
    now.Rotate = true;
    now.Transparency = TTransparency::Opaque;
    now.Color = 2;
    ChooseMenuItem({TMenuId::menuScaleShow}, now);
    const Ini ini = ExitAndRead();
    EXPECT_EQ(ini.at("Display").at("Rotate"), "1");
    EXPECT_EQ(ini.at("Display").at("Transparency"), "0%");
    EXPECT_EQ(ini.at("Display").at("Color"), "2");
    EXPECT_EQ(ini.at("Display").at("Scale"), "1");
    EXPECT_EQ(ini.at("Display").at("Size"), "75%");
    EXPECT_EQ(ini.at("Behavior").at("DoubleClick"), "LockAxis");
    EXPECT_EQ(ini.at("General").at("Language"), "EN");
    EXPECT_EQ(ini.at("Mine").at("Key"), "Value");
    EXPECT_EQ(ReadAll(SettingsFile()).rfind("; kept as it is\r\n[Mine]\r\nKey=Value\r\n", 0), 0u);
}

TEST_F(SettingsE2e, TheEndOfTheSessionSavesAsExitDoes)
{
    Start();
    ClickRuler();
    Rotate();
    Keys({"ctrl+F5"});
    ASSERT_TRUE(x.Signal(SIGTERM));
    ASSERT_TRUE(x.WaitForExit(15s));
    EXPECT_EQ(x.ExitCode(), 0);
    const Ini ini = ParseIni(ReadAll(SettingsFile()));
    EXPECT_EQ(ini.at("Display").at("Rotate"), "1");
    EXPECT_EQ(ini.at("Display").at("Color"), "4");
}

TEST_F(SettingsE2e, WithoutSaveSettingsANewFileHoldsOnlyTheFourGeneralKeys)
{
    Start(true);  // no file yet: the one written is new
    ClickRuler();
    Keys({"ctrl+F3"});
    RulerState now;
    now.Color = 2;
    ChooseMenuItem({TMenuId::menuSaveSettingsOnExit}, now);
    const Ini ini = ExitAndRead();
    const Ini expected = {
        {"General", {{"ShowAdvanced", "1"}, {"SaveSettingsOnExit", "0"}, {"AutoStart", "0"}, {"StartupCheck", "1"}}}};
    EXPECT_EQ(ini, expected) << ReadAll(SettingsFile());
}

TEST_F(SettingsE2e, AnUnusableSettingsFolderIsACriticalErrorAndTouchesNothing)
{
    const std::filesystem::path blocker = x.Home() / ".config/Vendra";
    std::filesystem::create_directories(blocker.parent_path());
    std::ofstream(blocker, std::ios::binary) << "not a folder";
    ASSERT_TRUE(x.StartProgram(SCALIO_BINARY));
    const auto dialog = x.WaitForWindow(" Critical error", 20s);
    ASSERT_TRUE(dialog.has_value()) << "no critical error showed";
    EXPECT_FALSE(x.WindowShown("Scalio")) << "the ruler showed after a critical error";
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "critical-error.png");
    ASSERT_TRUE(x.WaitForFocus(*dialog, 5s));
    Keys({"Return"});
    EXPECT_TRUE(x.WaitForExit(15s));
    EXPECT_EQ(ReadAll(blocker), "not a folder");
}

TEST_F(SettingsE2e, TheStickHintShowsOnceAboveTheRuler)
{
    Start();
    ClickRuler();
    Keys({"ctrl+s"});
    const auto hint = x.WaitForWindow(" Scalio", 10s);
    ASSERT_TRUE(hint.has_value()) << "no hint";
    // Above the ruler, where it can be read.
    ASSERT_TRUE(x.WaitForGeometry(
        *hint, [](const TWindowGeometry& g) { return g.Width > 100; }, 5s));
    EXPECT_TRUE(
        x.WaitFor([&] { return x.StackingIndex(*hint).value_or(-1) > x.StackingIndex(ruler).value_or(1 << 20); }, 5s));
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "stick-hint.png");
    ASSERT_TRUE(x.WaitForFocus(*hint, 5s));
    // Alt+F4 closes a message that may be cancelled, and never the program.
    Keys({"alt+F4"});
    ASSERT_TRUE(x.WaitFor([&] { return !x.WindowShown(" Scalio"); }, 5s));
    EXPECT_FALSE(x.WaitForExit(1s)) << "Alt+F4 in the message ended the program";
    // Stuck: the ruler follows the pointer, its top edge 20 pixels below it.
    ASSERT_TRUE(x.Xdotool({"mousemove", "900", "300"}));
    const auto g = x.WaitForGeometry(
        ruler, [](const TWindowGeometry& now) { return now.Y == 320; }, 5s);
    EXPECT_EQ(g, (TWindowGeometry{900 - 720, 320, 1440, 60}));
    // The ruler is under the pointer's side now; Ctrl+S again lets it go.
    Keys({"ctrl+s"});
    const Ini ini = ExitAndRead();
    EXPECT_EQ(ini.at("Internal").at("FirstRun"), "0");

    Start();
    ClickRuler();
    Keys({"ctrl+s"});
    EXPECT_FALSE(x.WaitFor([&] { return x.WindowShown(" Scalio"); }, 1s));
    Keys({"ctrl+s"});
}

TEST_F(SettingsE2e, DeutschReCaptionsTheMenu)
{
    Start();
    OpenMenu();
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "menu-english.png");
    Keys({"Escape"});
    ASSERT_TRUE(WaitForMenus(0));
    TMenuContext languages;
    languages.LanguageNames = {u"Deutsch"};
    ChooseMenuItem({TMenuId::LangMenuItem, 0}, RulerState{}, languages);
    OpenMenu();
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "menu-german.png");
    Keys({"Escape"});
    const Ini ini = ExitAndRead();
    EXPECT_EQ(ini.at("General").at("Language"), "DE");
}

}  // namespace
