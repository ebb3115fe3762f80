// The About and custom settings dialogs on a private X server: the greeting
// of a first start, custom values typed, corrected and used, and both
// dialogs in German.
#include <gtest/gtest.h>

#include <csignal>

#include "ProgramFixture.h"

namespace {

using namespace std::chrono_literals;

using DialogsE2e = ProgramE2e;

// Clicks a point of a dialog's client area.
bool ClickIn(XSession& x, const TWindowGeometry& d, int cx, int cy)
{
    return x.Xdotool({"mousemove", std::to_string(d.X + cx), std::to_string(d.Y + cy), "click", "1"});
}

TEST_F(DialogsE2e, AFirstStartIsGreetedByTheAboutDialogOnce)
{
    Start(true);
    const auto about = x.WaitForWindow(" About...", 10s);
    ASSERT_TRUE(about.has_value()) << "no About dialog at the first start";
    EXPECT_TRUE(x.WaitFor([&] { return x.StackingIndex(*about) > x.StackingIndex(ruler); }, 5s));
    const TWindowGeometry d = *x.WaitUntilSettled(
        *about, [](const TWindowGeometry& g) { return g.Width == 572; }, 5s);
    EXPECT_EQ(d.Height, 362);
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "about-first-start.png");
    ASSERT_TRUE(ClickIn(x, d, 136 + 40, 284 + 12));  // OK
    EXPECT_TRUE(x.WaitFor([&] { return !x.WindowShown(" About..."); }, 5s));
    ExitAndRead();

    Start();
    EXPECT_FALSE(x.WaitFor([&] { return x.WindowShown(" About..."); }, 1500ms)) << "About came back";
}

// Typed values are corrected when a field is left; a custom unit and
// resolution, once chosen, paint the scale; the file keeps what was typed.
TEST_F(DialogsE2e, CustomSettingsAreCorrectedAppliedAndSaved)
{
    WriteSettings("[Display]\r\nTransparency=0%\r\nScale=1\r\n");
    Start();
    ClickRuler();
    const TBitmap32 before = x.Screenshot(at.X, at.Y, at.Width, at.Height);
    Keys({"ctrl+c"});
    const auto dialog = x.WaitForWindow("Custom Settings", 10s);
    ASSERT_TRUE(dialog.has_value()) << "no custom settings dialog";
    EXPECT_TRUE(x.WaitFor([&] { return x.StackingIndex(*dialog) > x.StackingIndex(ruler); }, 5s));
    const TWindowGeometry d = *x.WaitUntilSettled(
        *dialog, [](const TWindowGeometry& g) { return g.Width == 665; }, 5s);
    ASSERT_TRUE(x.WaitForFocus(*dialog, 5s));
    // Name, abbreviation, a unit/meter ratio of 20000 (read as 10000 when
    // left), a resolution of 5000 (2400).
    ASSERT_TRUE(ClickIn(x, d, 16 + 136 + 50, 16 + 20 + 10));
    Keys({"ctrl+a", "F", "u", "s", "s", "Tab", "ctrl+a", "f", "t", "Tab", "ctrl+a", "2", "0", "0", "0", "0", "Tab"});
    ASSERT_TRUE(ClickIn(x, d, 152 + 30, 160 + 10));
    Keys({"ctrl+a", "5", "0", "0", "0", "Tab"});
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "custom-settings.png");
    ASSERT_TRUE(ClickIn(x, d, 296 + 56, 248 + 12));  // OK
    ASSERT_TRUE(x.WaitFor([&] { return !x.WindowShown("Custom Settings"); }, 5s));

    // The custom unit at the custom resolution paints another scale.
    RulerState now;
    now.Scale = true;
    now.Transparency = TTransparency::Opaque;
    ChooseMenuItem({TMenuId::menuCustomUnits}, now);
    now.Units = TUnits::Custom;
    ChooseMenuItem({TMenuId::menuCustomResolution}, now);
    EXPECT_TRUE(x.WaitFor(
        [&] {
            const TBitmap32 shot = x.Screenshot(at.X, at.Y, at.Width, at.Height);
            int differ = 0;
            for (int y = 0; y < at.Height; ++y)
                for (int px = 0; px < at.Width; ++px) differ += shot.Pixel(px, y) != before.Pixel(px, y);
            return differ > 200;
        },
        5s));

    const Ini ini = ExitAndRead();
    const auto& custom = ini.at("Custom");
    EXPECT_EQ(custom.at("UnitName"), "Fuss");
    EXPECT_EQ(custom.at("UnitAbbr"), "ft");
    EXPECT_EQ(custom.at("UTMNumerator"), "10000");
    EXPECT_EQ(custom.at("Resolution"), "2400");
    EXPECT_EQ(ini.at("Display").at("Units"), "?") << "the custom unit chosen";
}

// In German both dialogs speak German.
TEST_F(DialogsE2e, BothDialogsSpeakTheChosenLanguage)
{
    WriteSettings("[General]\r\nLanguage=DE\r\n");
    Start();
    ClickRuler();
    Keys({"ctrl+c"});
    const auto customize = x.WaitForWindow("Eigene Einstellungen", 10s);
    EXPECT_TRUE(customize.has_value()) << "no German custom settings";
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "custom-settings-german.png");
    if (customize) {
        const TWindowGeometry d = *x.Geometry(*customize);
        ASSERT_TRUE(ClickIn(x, d, 536 + 56, 248 + 12));  // Abbrechen
        ASSERT_TRUE(x.WaitFor([&] { return !x.WindowShown("Eigene Einstellungen"); }, 5s));
    }
    TMenuContext german;
    german.LanguageNames = {u"Deutsch"};
    german.CheckedLanguage = 0;
    ChooseMenuItem({TMenuId::menuAbout}, RulerState{}, german);
    EXPECT_TRUE(x.WaitForWindow(" \u00DCber...", 10s).has_value()) << "no German About";
    x.SavePng(std::filesystem::path(SCALIO_SHOTS) / "about-german.png");
}

// A dialog opened from the ruler takes the keyboard and gives it back to
// the ruler when it goes; Alt+F4 then ends the program as before.
TEST_F(DialogsE2e, TheRulerHasTheKeyboardAgainAfterADialog)
{
    Start();
    ClickRuler();
    Keys({"ctrl+c"});
    const auto dialog = x.WaitForWindow("Custom Settings", 10s);
    ASSERT_TRUE(dialog.has_value());
    ASSERT_TRUE(x.WaitForFocus(*dialog, 5s));
    const TWindowGeometry d = *x.Geometry(*dialog);
    ASSERT_TRUE(ClickIn(x, d, 536 + 56, 248 + 12));  // Cancel
    EXPECT_TRUE(x.WaitForFocus(ruler, 5s)) << "the keyboard did not come back to the ruler";
    Keys({"alt+F4"});
    EXPECT_TRUE(x.WaitForExit(10s));
}

// The dialogs refuse the window manager's close; that must not keep EXIT or
// the end of the session from ending the program while one is open.
class AnOpenDialog : public ProgramE2e {
protected:
    void OpenCustomSettings()
    {
        Start();
        ClickRuler();
        Keys({"ctrl+c"});
        ASSERT_TRUE(x.WaitForWindow("Custom Settings", 10s).has_value());
    }
    void ExpectTheEnd()
    {
        ASSERT_TRUE(x.WaitForExit(15s)) << "the program went on with the dialog open";
        EXPECT_EQ(x.ExitCode(), 0);
        EXPECT_NE(ReadAll(SettingsFile()).find("[Display]"), std::string::npos) << "nothing saved";
    }
};

TEST_F(AnOpenDialog, DoesNotHoldUpExit)
{
    OpenCustomSettings();
    ClickRuler();
    Keys({"alt+F4"});
    ExpectTheEnd();
}

TEST_F(AnOpenDialog, DoesNotHoldUpTheEndOfTheSession)
{
    OpenCustomSettings();
    ASSERT_TRUE(x.Signal(SIGTERM));
    ExpectTheEnd();
}

}  // namespace
