#include "online/WebSites.h"

#include <gtest/gtest.h>

namespace {

TEST(WebSites, PagesLieOnTheProductAndMakerSites)
{
    const std::string root = ProductPage("");
    ASSERT_EQ(root.back(), '/');
    EXPECT_EQ(DownloadPage(), root + "download.htm");
    EXPECT_EQ(LanguagesDownloadPage(), root + "download-languages.htm");
    EXPECT_EQ(MakerPage(), std::string(kMakerSite));
    EXPECT_NE(MakerPage(), root);
}

TEST(WebSites, MailLinksCarryTheirSubjectAndAnEmptyBody)
{
    struct Case {
        TMailTopic topic;
        std::string link;
    };
    const Case cases[] = {
        {TMailTopic::Question, "mailto:support@vendra.example?Subject=Question%20about%20Scalio&Body="},
        {TMailTopic::Comments, "mailto:comments@vendra.example?Subject=Comments%20on%20Scalio&Body="},
        {TMailTopic::Bug, "mailto:bugs@vendra.example?Subject=Bug%20in%20Scalio&Body="},
    };
    for (const Case& c : cases) EXPECT_EQ(MailLink(c.topic), c.link);
}

TEST(WebSites, PercentEncodingLeavesOnlyUnreservedCharacters)
{
    EXPECT_EQ(PercentEncode("Az09-._~"), "Az09-._~");
    EXPECT_EQ(PercentEncode("a b&c=d?e#f%"), "a%20b%26c%3Dd%3Fe%23f%25");
    EXPECT_EQ(PercentEncode("\xC3\xA4"), "%C3%A4");
}

}  // namespace
