#pragma once
// The program on a private X session, driven as a user would: its settings
// file, its ruler, its keys and its context menu.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "MenuWalk.h"
#include "XSession.h"

using Ini = std::map<std::string, std::map<std::string, std::string>>;

inline std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline Ini ParseIni(const std::string& text)
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

class ProgramE2e : public ::testing::Test {
protected:
    std::filesystem::path SettingsFile() const { return x.Home() / ".config/Vendra/Scalio/Settings.ini"; }
    void WriteSettings(const std::string& text) const
    {
        std::filesystem::create_directories(SettingsFile().parent_path());
        std::ofstream(SettingsFile(), std::ios::binary) << text;
    }

    // Starts the program and waits for its ruler to settle. Unless it is to
    // be a first start, a settings file is there (empty if the test wrote
    // none), so that the About dialog of a first start stays away.
    void Start(bool firstStart = false)
    {
        ASSERT_EQ(x.Error(), "");
        if (!firstStart && !std::filesystem::exists(SettingsFile())) WriteSettings("");
        const auto started =
            x.StartAndSettle(SCALIO_BINARY, "Scalio", [](const TWindowGeometry& now) { return now.Width > 0; });
        ASSERT_TRUE(started.has_value()) << "the ruler never showed";
        std::tie(ruler, at) = *started;
    }
    // Clicks a plain spot of the ruler where it is now; a left click gives
    // it the keyboard.
    void ClickRuler(int button = 1)
    {
        at = x.Geometry(ruler).value_or(at);
        ASSERT_TRUE(x.Xdotool({"mousemove", std::to_string(at.X + at.Width / 4), std::to_string(at.Y + at.Height / 2),
                               "click", std::to_string(button)}));
        if (button == 1) {
            ASSERT_TRUE(x.WaitForFocus(ruler, std::chrono::seconds(5)));
        }
    }
    // A person's pause between two commands. Not a wait for anything to
    // happen: the keyboard faults of relaid-out windows showed only once the
    // window system had long settled, as it has between a user's commands.
    static void UserPause() { std::this_thread::sleep_for(std::chrono::milliseconds(700)); }
    void Keys(const std::vector<std::string>& keys)
    {
        for (const std::string& k : keys) ASSERT_TRUE(x.Xdotool({"key", k}));
    }
    // Ctrl+R, and wait until the turned ruler has the keyboard again.
    void Rotate()
    {
        const bool vertical = x.Geometry(ruler).value_or(at).Width == 60;
        Keys({"ctrl+r"});
        ASSERT_TRUE(x.WaitForGeometry(
            ruler, [vertical](const TWindowGeometry& g) { return (g.Width == 60) != vertical; },
            std::chrono::seconds(5)));
        ASSERT_TRUE(x.WaitForFocus(ruler, std::chrono::seconds(5)));
    }
    // The program's open menus (its unframed windows but the ruler and the
    // other tool windows), bottom first.
    std::vector<std::pair<unsigned long, TWindowGeometry>> Menus()
    {
        auto shown = x.ShownTopLevels("scalio");
        std::erase_if(shown, [this](const auto& w) { return x.IsUtilityWindow(w.first); });
        return shown;
    }
    // Waits until this many menus are open.
    bool WaitForMenus(std::size_t count)
    {
        return x.WaitFor([&] { return Menus().size() == count; }, std::chrono::seconds(5));
    }
    // Opens the context menu with a right click and waits until it shows. A
    // right click that comes the moment a menu has closed can find Qt still
    // ending that menu's grab and be lost, so an unanswered click is repeated.
    void OpenMenu()
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            ClickRuler(3);
            if (x.WaitFor([&] { return Menus().size() == 1; }, std::chrono::seconds(1))) return;
        }
        FAIL() << "the context menu did not open; " << Menus().size() << " menus shown";
    }
    // Opens the menu and chooses the item, the program being in state s.
    void ChooseMenuItem(TMenuItemRef item, const RulerState& s, const TMenuContext& context = {})
    {
        OpenMenu();
        std::size_t depth = 1;
        for (const std::string& key : KeysToMenuItem(item, s, context)) {
            Keys({key});
            if (key == "Right") {
                ASSERT_TRUE(WaitForMenus(++depth)) << "a submenu did not open";
            }
        }
        Keys({"Return"});
        ASSERT_TRUE(WaitForMenus(0)) << "the menu stayed open";
    }
    Ini ExitAndRead()
    {
        ClickRuler();
        Keys({"alt+F4"});
        EXPECT_TRUE(x.WaitForExit(std::chrono::seconds(15)));
        return ParseIni(ReadAll(SettingsFile()));
    }

    XSession x;
    unsigned long ruler = 0;
    TWindowGeometry at;
};
