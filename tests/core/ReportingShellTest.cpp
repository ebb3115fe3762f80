#include <gtest/gtest.h>

#include "online/HelpPages.h"
#include "support/Fakes.h"

namespace {

// Every help button and F1 go through this shell: a page that cannot be
// opened is told to the user once, and everything else passes through.
TEST(TReportingShell, TellsOfAHelpPageThatCannotBeOpenedAndPassesTheRestOn)
{
    FakeShell inner;
    FakeMessageDialog messages;
    InstallMessageDialog(&messages);
    TReportingShell shell(inner);

    EXPECT_TRUE(shell.OpenHelp("2B_Behavior.htm#Multiple"));
    EXPECT_TRUE(messages.Asked.empty());
    inner.Succeeds = false;
    EXPECT_FALSE(shell.OpenHelp("2F_General.htm#Custom"));
    ASSERT_EQ(messages.Asked.size(), 1u);
    EXPECT_EQ(messages.Asked[0].Text, HelpFailureText("2F_General.htm#Custom"));
    EXPECT_EQ(messages.Asked[0].Icon, TAnswerIcon::Error);
    // Links and programs fail quietly, as the desktop shows their failures.
    EXPECT_FALSE(shell.OpenUrl("http://127.0.0.1:9/"));
    EXPECT_FALSE(shell.RunProgram("/nowhere/companion"));
    EXPECT_EQ(messages.Asked.size(), 1u);
    EXPECT_EQ(inner.HelpTopics, (std::vector<std::string>{"2B_Behavior.htm#Multiple", "2F_General.htm#Custom"}));
    EXPECT_EQ(inner.Urls, (std::vector<std::string>{"http://127.0.0.1:9/"}));
    InstallMessageDialog(nullptr);
}

}  // namespace
