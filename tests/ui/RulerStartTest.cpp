// The ruler's start from the settings folder and its end, with a temporary
// folder as the user's configuration home.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "RulerStartFixture.h"
#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "ruler/RulerWindow.h"
#include "settings/Settings.h"
#include "settings/Utf8.h"
#include "support/Fakes.h"
#include "support/FixedTextRasterizer.h"
#include "support/TempDir.h"

namespace {

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class RulerStartTest : public RulerStartFixture {
protected:
    RulerStartTest() : RulerStartFixture(SCALIO_SOURCE_DIR "/Languages") {}
};

TEST_F(RulerStartTest, FirstStartUsesTheDefaultsAndExitCreatesTheFile)
{
    ASSERT_TRUE(ruler.FormCreate(setup));
    EXPECT_TRUE(messages.Asked.empty());
    EXPECT_EQ(ruler.SettingsPath(), File().string());
    EXPECT_TRUE(ruler.isVisible());
    EXPECT_EQ(ruler.Bounds(), (TWindowBounds{240, 510, 1440, 60}));
    EXPECT_EQ(CurrentLanguage(), "EN");
    EXPECT_FALSE(std::filesystem::exists(File()));
    ruler.FormDestroy();
    const std::string written = ReadAll(File());
    EXPECT_NE(written.find("[Display]\nSize=75%\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[General]\nLanguage=EN\n"), std::string::npos) << written;
    // Once only: a later change is not written by a second call.
    ruler.State.Color = 7;
    ruler.FormDestroy();
    EXPECT_EQ(ReadAll(File()), written);
}

TEST_F(RulerStartTest, StartsFromTheSavedSettings)
{
    WriteSettings(
        "[Display]\nRotate=1\nColor=4\nUnits=cm\nResolution=300dpi\n[General]\nLanguage=DE\n"
        "[Custom]\nUTMNumerator=2,5\n");
    ASSERT_TRUE(ruler.FormCreate(setup));
    EXPECT_TRUE(ruler.State.Rotate);
    EXPECT_EQ(ruler.Bounds(), (TWindowBounds{930, 135, 60, 810}));
    EXPECT_EQ(ruler.State.CurrentScheme, (ColorScheme{0xFF60FF60, 0xFF008000}));
    EXPECT_EQ(ruler.State.PixelsPerUnit, 118.11023622047244);
    EXPECT_EQ(CurrentLanguage(), "DE");
    EXPECT_EQ(ruler.State.UnitCode, GetLangText(60));
    EXPECT_DOUBLE_EQ(ruler.State.CustomUnit.UnitToMeterA, 2.5);
    EXPECT_EQ(ruler.Commands.Menu()->Action({TMenuId::menuExit})->text().section(QLatin1Char('\t'), 0, 0),
              QString::fromStdU16String(GetLangText(88)));
}

TEST_F(RulerStartTest, ASavedLanguageWithoutItsFileStartsInEnglish)
{
    WriteSettings("[General]\nLanguage=de\n");
    ASSERT_TRUE(ruler.FormCreate(setup));
    EXPECT_EQ(CurrentLanguage(), "EN");
    ruler.FormDestroy();
    EXPECT_NE(ReadAll(File()).find("Language=EN"), std::string::npos);
}

TEST_F(RulerStartTest, AnUnusableFolderIsACriticalErrorAndNothingIsWritten)
{
    std::filesystem::create_directories(home.Path() / "config");
    std::ofstream(home.Path() / "config/Vendra", std::ios::binary) << "a file where a folder should be";
    EXPECT_FALSE(ruler.FormCreate(setup));
    EXPECT_TRUE(ruler.CriticalError());
    ASSERT_EQ(messages.Asked.size(), 1u);
    const TMessageRequest& error = messages.Asked[0];
    EXPECT_EQ(error.Caption, u"Critical error");
    EXPECT_EQ(error.Buttons, (std::vector<std::u16string>{u"&OK"}));
    EXPECT_EQ(error.Icon, TAnswerIcon::Error);
    EXPECT_FALSE(error.Cancelable);
    EXPECT_NE(error.Text.find(Utf8ToUtf16(Folder().string())), std::u16string::npos);
    EXPECT_FALSE(ruler.isVisible());
    ruler.FormDestroy();
    EXPECT_EQ(ReadAll(home.Path() / "config/Vendra"), "a file where a folder should be");
}

TEST_F(RulerStartTest, ASaveThatFailsSaysSoAndKeepsTheOldFile)
{
    WriteSettings("[Display]\nColor=3\n");
    ASSERT_TRUE(ruler.FormCreate(setup));
    ruler.State.Color = 5;
    // The folder turns read-only in effect: the file's place is taken by a
    // folder of the same name's temporary sibling is impossible to create.
    std::filesystem::permissions(Folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool rootCanWrite = [&] {
        std::ofstream probe(Folder() / "probe");
        return probe.good();
    }();
    if (rootCanWrite) {
        std::filesystem::permissions(Folder(), std::filesystem::perms::owner_all);
        std::filesystem::remove(Folder() / "probe");
        // As root permissions do not stop writes: put a folder where the
        // file is, which no rename can replace.
        std::filesystem::remove(File());
        std::filesystem::create_directories(File() / "keep");
    }
    ruler.FormDestroy();
    std::filesystem::permissions(Folder(), std::filesystem::perms::owner_all);
    ASSERT_EQ(messages.Asked.size(), 1u);
    EXPECT_EQ(messages.Asked[0].Text, UnableToWriteText(File().string()));
    if (rootCanWrite)
        EXPECT_TRUE(std::filesystem::is_directory(File() / "keep"));
    else
        EXPECT_EQ(ReadAll(File()), "[Display]\nColor=3\n");
}

}  // namespace

namespace {

TEST_F(RulerStartTest, AMonitorThatIsGoneLeavesTheRulerOnMonitorOne)
{
    for (const char* saved : {"[Monitors]\nActiveMon=2\n", "[Monitors]\nManualCfg=1\nCount=1\nM1W=0\nM1H=0\n"}) {
        WriteSettings(saved);
        TfrmRuler fresh{desktop, shell, fixed};
        ASSERT_TRUE(fresh.FormCreate(setup)) << saved;
        EXPECT_EQ(fresh.State.ActiveMon, 1) << saved;
        EXPECT_EQ(fresh.Bounds(), (TWindowBounds{240, 510, 1440, 60})) << saved;
        fresh.FormDestroy();
    }
}

}  // namespace
