#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "online/HelpPages.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEnvironment RuntimeDir(const fs::path& folder)
{
    return [dir = folder.string()](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "XDG_RUNTIME_DIR") return dir;
        return std::nullopt;
    };
}

// A help folder with a start page and one page in a folder with a blank.
struct HelpFolder {
    TempDir dir;
    fs::path folder = dir.Path() / "my help";
    HelpFolder()
    {
        fs::create_directories(folder / "images");
        dir.Write("my help/index.htm", "<html></html>");
        dir.Write("my help/2B_Behavior.htm", "<html></html>");
        dir.Write("my help/images/shot.png", "png");
        dir.Write("secret.htm", "<html></html>");
    }
};

TEST(HelpTopics, ATopicNamesAPageOfTheHelpFolderAndAnAnchor)
{
    HelpFolder help;
    struct Case {
        std::string topic;
        std::optional<std::string> page;  // nullopt: no page
        std::string anchor;
    };
    const Case cases[] = {
        {"", "index.htm", ""},
        {"#top", "index.htm", "top"},
        {"2B_Behavior.htm", "2B_Behavior.htm", ""},
        {"2B_Behavior.htm#Multiple", "2B_Behavior.htm", "Multiple"},
        {"2F_General.htm#Custom", std::nullopt, ""},
        {"images", std::nullopt, ""},
        {"images/shot.png", std::nullopt, ""},
        {"../secret.htm", std::nullopt, ""},
        {"..", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const std::optional<THelpTarget> target = ResolveHelpTopic(help.folder, c.topic);
        ASSERT_EQ(target.has_value(), c.page.has_value()) << c.topic;
        if (!target) continue;
        EXPECT_EQ(target->Page, help.folder / *c.page) << c.topic;
        EXPECT_EQ(target->Anchor, c.anchor) << c.topic;
    }
}

TEST(HelpTopics, FileUrlsAreAbsoluteAndEncoded)
{
    EXPECT_EQ(FileUrl("/opt/my help/a#b%.htm"), "file:///opt/my%20help/a%23b%25.htm");
    EXPECT_EQ(FileUrl("/opt/help/../help/x.htm", "Multiple"), "file:///opt/help/x.htm#Multiple");
    EXPECT_EQ(FileUrl("/h/x.htm", "a b\"<"), "file:///h/x.htm#a%20b%22%3C");
}

TEST(HelpTopics, APageWithoutAnchorOpensDirectly)
{
    HelpFolder help;
    TempDir runtime;
    const std::optional<std::string> url = PrepareHelpUrl(help.folder, "", RuntimeDir(runtime.Path()));
    EXPECT_EQ(url, FileUrl(help.folder / "index.htm"));
    EXPECT_TRUE(fs::is_empty(runtime.Path()));
}

TEST(HelpTopics, AnAnchorGoesThroughAForwardingPage)
{
    HelpFolder help;
    TempDir runtime;
    const std::optional<std::string> url =
        PrepareHelpUrl(help.folder, "2B_Behavior.htm#Multiple", RuntimeDir(runtime.Path()));
    const fs::path forwarder = runtime.Path() / "scalio-help.htm";
    ASSERT_EQ(url, FileUrl(forwarder));
    // The forwarder's own URL has nothing that xdg-open could drop.
    EXPECT_EQ(url->find_first_of("#?"), std::string::npos);
    const std::string page = FileBytes(forwarder);
    const std::string target = FileUrl(help.folder / "2B_Behavior.htm", "Multiple");
    EXPECT_NE(page.find("content=\"0; url=" + target + "\""), std::string::npos) << page;
    EXPECT_NE(page.find("location.replace(\"" + target + "\")"), std::string::npos) << page;
}

TEST(HelpTopics, AMissingPageOpensNothing)
{
    HelpFolder help;
    TempDir runtime;
    EXPECT_FALSE(PrepareHelpUrl(help.folder, "2F_General.htm#Custom", RuntimeDir(runtime.Path())));
    EXPECT_FALSE(PrepareHelpUrl(help.dir.Path() / "nowhere", "", RuntimeDir(runtime.Path())));
    EXPECT_TRUE(fs::is_empty(runtime.Path()));
    EXPECT_EQ(HelpFailureText("2F_General.htm#Custom"), u"The help page '2F_General.htm' could not be opened.");
    EXPECT_EQ(HelpFailureText(""), u"The help page 'index.htm' could not be opened.");
}

TEST(HelpTopics, WithoutARuntimeFolderTheForwarderGoesToTheSettingsFolder)
{
    TempDir config;
    const TEnvironment env = [home = config.Path().string()](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "XDG_CONFIG_HOME") return home;
        if (std::string(name) == "XDG_RUNTIME_DIR") return "relative";
        return std::nullopt;
    };
    EXPECT_EQ(HelpForwarderPath(env), config.Path() / "Vendra" / "Scalio" / "help-topic.htm");
}

// Every topic the program opens must lead to a page and anchor of help/: the
// topics are read from the sources, so a renamed page or anchor fails here.
TEST(HelpTopics, EveryTopicTheProgramUsesExistsInTheHelpFolder)
{
    const fs::path root = fs::path(__FILE__).parent_path().parent_path().parent_path();
    const fs::path help = root / "help";
    ASSERT_TRUE(fs::is_directory(root / "src")) << root;
    // A topic is a string literal that names an .htm page (pages of the web
    // site excepted), or the start page an OpenHelp("") call opens.
    const std::regex pageTopic("(ProductPage\\()?\"([A-Za-z0-9_.-]*\\.htm(#[A-Za-z0-9_-]+)?)\"");
    std::set<std::string> topics;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / "src")) {
        const std::string ext = entry.path().extension().string();
        // HelpPages names its own scratch page, which is no topic.
        if ((ext != ".cpp" && ext != ".h") || entry.path().stem() == "HelpPages") continue;
        const std::string text = FileBytes(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), pageTopic), end; it != end; ++it)
            if (!(*it)[1].matched) topics.insert((*it)[2]);
        if (text.find("OpenHelp(\"\")") != std::string::npos) topics.insert("");
    }
    for (const char* used : {"", "2B_Behavior.htm#Multiple", "2F_General.htm#Custom"})
        EXPECT_TRUE(topics.count(used)) << "no longer found in src/: \"" << used << "\"";

    for (const std::string& topic : topics) {
        const std::optional<THelpTarget> target = ResolveHelpTopic(help, topic);
        ASSERT_TRUE(target) << "no page for topic \"" << topic << "\"";
        if (target->Anchor.empty()) continue;
        const std::string page = FileBytes(target->Page);
        EXPECT_NE(page.find("id=\"" + target->Anchor + "\""), std::string::npos)
            << "no id=\"" << target->Anchor << "\" in " << target->Page;
    }
}

// The pages link to each other and to their pictures: each link must lead to
// a file of the folder (and an anchor of it), so the help has no dead ends.
TEST(HelpTopics, LinksBetweenHelpPagesLeadSomewhere)
{
    const fs::path help = fs::path(__FILE__).parent_path().parent_path().parent_path() / "help";
    const std::regex link("(href|src)=\"([^\":]+)\"");
    int pages = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(help)) {
        if (entry.path().extension() != ".htm") continue;
        ++pages;
        const std::string text = FileBytes(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[2];
            const std::string::size_type hash = target.find('#');
            const fs::path file = hash == 0 ? entry.path() : help / target.substr(0, hash);
            EXPECT_TRUE(fs::is_regular_file(file)) << entry.path().filename() << " links to " << target;
            if (hash == std::string::npos || !fs::is_regular_file(file)) continue;
            EXPECT_NE(FileBytes(file).find("id=\"" + target.substr(hash + 1) + "\""), std::string::npos)
                << entry.path().filename() << " links to " << target;
        }
    }
    EXPECT_GE(pages, 7);
}

}  // namespace
