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

#include "XSession.h"
#include "draw/CommonFunctions.h"

namespace {

using namespace std::chrono_literals;
using Ini = std::map<std::string, std::map<std::string, std::string>>;

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Ini ParseIni(const std::string& text)
{
    Ini ini;
    std::string section, line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            ini[section];
        } else if (const auto eq = line.find('='); eq != std::string::npos) {
            ini[section][line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return ini;
}

class SettingsE2e : public ::testing::Test {
protected:
    std::filesystem::path SettingsFile() const { return x.Home() / ".config/Vendra/Scalio/Settings.ini"; }
    void WriteSettings(const std::string& text) const
    {
        std::filesystem::create_directories(SettingsFile().parent_path());
        std::ofstream(SettingsFile(), std::ios::binary) << text;
    }

    // Starts the program and waits for its ruler to settle.
    void Start()
    {
        ASSERT_EQ(x.Error(), "");
        const auto started =
            x.StartAndSettle(SCALIO_BINARY, "Scalio", [](const TWindowGeometry& now) { return now.Width > 0; });
        ASSERT_TRUE(started.has_value()) << "the ruler never showed";
        std::tie(ruler, at) = *started;
    }
    // Clicks a plain spot of the ruler where it is now.
    void ClickRuler(int button = 1)
    {
        at = x.Geometry(ruler).value_or(at);
        ASSERT_TRUE(x.Xdotool({"mousemove", std::to_string(at.X + at.Width / 4), std::to_string(at.Y + at.Height / 2),
                               "click", std::to_string(button)}));
        if (button == 1) {
            ASSERT_TRUE(x.WaitForFocus(ruler, 5s));
        }
    }
    void Keys(const std::vector<std::string>& keys)
    {
        for (const std::string& k : keys) {
            ASSERT_TRUE(x.Xdotool({"key", k}));
            std::this_thread::sleep_for(60ms);
        }
    }
    // Ctrl+R, and wait until the turned ruler has the keyboard again.
    void Rotate()
    {
        Keys({"ctrl+r"});
        ASSERT_TRUE(x.WaitForGeometry(
            ruler, [](const TWindowGeometry& g) { return g.Width == 60; }, 5s));
        ASSERT_TRUE(x.WaitForFocus(ruler, 5s));
    }
    // Opens the context menu with a right click and waits until it shows.
    void OpenMenu()
    {
        ClickRuler(3);
        std::this_thread::sleep_for(400ms);
    }
    Ini ExitAndRead()
    {
        ClickRuler();
        Keys({"alt+F4"});
        EXPECT_TRUE(x.WaitForExit(15s));
        return ParseIni(ReadAll(SettingsFile()));
    }

    XSession x;
    unsigned long ruler = 0;
    TWindowGeometry at;
};

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
    // Scale is the eighth item of the menu; its submenu opens on Show.
    OpenMenu();
    Keys({"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Right", "Return"});
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
    Start();
    ClickRuler();
    Keys({"ctrl+F3"});
    // SAVE SETTINGS is the sixth item from the bottom.
    OpenMenu();
    Keys({"Up", "Up", "Up", "Up", "Up", "Up", "Return"});
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
    std::this_thread::sleep_for(300ms);  // a tick of the dialog's raise
    EXPECT_GT(x.StackingIndex(*hint).value_or(-1), x.StackingIndex(ruler).value_or(1 << 20));
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "stick-hint.png");
    ASSERT_TRUE(x.WaitForFocus(*hint, 5s));
    Keys({"Return"});
    ASSERT_TRUE(x.WaitFor([&] { return !x.WindowShown(" Scalio"); }, 5s));
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
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(x.WindowShown(" Scalio"));
    Keys({"ctrl+s"});
}

TEST_F(SettingsE2e, DeutschReCaptionsTheMenu)
{
    Start();
    OpenMenu();
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "menu-english.png");
    // LANGUAGE is the eighth item from the bottom; Deutsch follows English.
    Keys({"Up", "Up", "Up", "Up", "Up", "Up", "Up", "Up", "Right", "Down", "Return"});
    std::this_thread::sleep_for(300ms);
    OpenMenu();
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "menu-german.png");
    Keys({"Escape"});
    const Ini ini = ExitAndRead();
    EXPECT_EQ(ini.at("General").at("Language"), "DE");
}

}  // namespace
