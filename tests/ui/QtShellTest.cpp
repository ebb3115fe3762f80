#include "platform/QtShell.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QTextBrowser>

#include <filesystem>

#include "online/HelpPages.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A text browser stands in for the user's browser: QDesktopServices hands it
// every file URL instead of starting xdg-open.
struct QtShellHelp : ::testing::Test {
    TempDir help;
    TempDir runtime;
    QTextBrowser browser;
    QtShell shell{help.Path(), [dir = runtime.Path().string()](const char* name) -> std::optional<std::string> {
                      if (std::string(name) == "XDG_RUNTIME_DIR") return dir;
                      return std::nullopt;
                  }};
    void SetUp() override
    {
        help.Write("index.htm", "<html><body>start</body></html>");
        help.Write("2B_Behavior.htm", "<html><body><h2 id=\"Multiple\">Multiple</h2></body></html>");
        QDesktopServices::setUrlHandler("file", &browser, "setSource");
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler("file"); }
    std::string Opened() const { return browser.source().toString(QUrl::FullyEncoded).toStdString(); }
};

TEST_F(QtShellHelp, TheStartPageOpensDirectlyAndATopicThroughItsForwarder)
{
    ASSERT_TRUE(shell.OpenHelp(""));
    EXPECT_EQ(Opened(), FileUrl(help.Path() / "index.htm"));
    ASSERT_TRUE(shell.OpenHelp("2B_Behavior.htm#Multiple"));
    EXPECT_EQ(Opened(), FileUrl(runtime.Path() / "scalio-help.htm"));
}

TEST_F(QtShellHelp, AMissingPageOpensNothing)
{
    EXPECT_FALSE(shell.OpenHelp("2F_General.htm#Custom"));
    EXPECT_FALSE(shell.OpenHelp("missing.htm"));
    EXPECT_TRUE(browser.source().isEmpty());
    EXPECT_TRUE(fs::is_empty(runtime.Path()));
}

TEST(QtShell, AProgramThatIsNoFileIsNotStarted)
{
    TempDir dir;
    QtShell shell(dir.Path());
    EXPECT_FALSE(shell.RunProgram(dir.Path() / "lentix"));
    EXPECT_FALSE(shell.RunProgram(dir.Path()));
}

}  // namespace
