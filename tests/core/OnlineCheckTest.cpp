// The update check without a network: the version comparison, what each
// outcome shows, the body's decoding, where the record is fetched from, and
// the check's thread with a scripted HTTP client.

#include "online/OnlineCheck.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <stdexcept>
#include <thread>

#include "lang/Languages.h"
#include "online/WebSites.h"
#include "support/Fakes.h"

namespace {

using namespace std::chrono_literals;

TEnvironment Env(const std::map<std::string, std::string>& vars)
{
    return [vars](const char* name) -> std::optional<std::string> {
        auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

// Answers from a script; when Hold is set it waits until Release() or a stop
// request, so that a test can see the check while it is under way.
class ScriptedHttpClient : public IHttpClient {
public:
    std::optional<std::u16string> Answer;
    bool Throws = false;
    bool Hold = false;

    std::optional<std::u16string> Get(const std::string& url, std::stop_token stop) override
    {
        char name[16] = {};
        pthread_getname_np(pthread_self(), name, sizeof name);
        // Made before the lock is taken and so destroyed after it is given
        // back: the callback itself takes the lock.
        std::stop_callback wake(stop, [this] {
            std::lock_guard l(m_lock);
            m_changed.notify_all();
        });
        std::unique_lock lock(m_lock);
        Urls.push_back(url);
        ThreadNames.push_back(name);
        if (Hold) {
            m_changed.wait(lock, [&] { return m_released || stop.stop_requested(); });
            if (!m_released) {
                SawStop = true;
                m_changed.notify_all();
                return std::nullopt;
            }
        }
        if (Throws) throw std::runtime_error("no client");
        return Answer;
    }

    void Release()
    {
        std::lock_guard lock(m_lock);
        m_released = true;
        m_changed.notify_all();
    }
    // True once a held request has seen its stop request (waits a bounded
    // while for it).
    bool WaitForStop()
    {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, 10s, [this] { return SawStop; });
    }
    std::vector<std::string> SeenUrls()
    {
        std::lock_guard lock(m_lock);
        return Urls;
    }
    std::vector<std::string> SeenThreadNames()
    {
        std::lock_guard lock(m_lock);
        return ThreadNames;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_released = false;
    bool SawStop = false;
    std::vector<std::string> Urls;
    std::vector<std::string> ThreadNames;
};

// Polls as the window's timer does, but often; gives up after a bound that
// only a hung check reaches.
std::optional<TFinishedCheck> WaitForResult(TOnlineCheck& check)
{
    for (int i = 0; i < 2000; ++i) {
        if (auto done = check.TakeResult()) return done;
        std::this_thread::sleep_for(5ms);
    }
    return std::nullopt;
}

TEST(OnlineCheck, VersionsCompareOrdinallyByCodeUnit)
{
    struct Case {
        std::u16string Record;
        bool Newer;
    };
    const Case cases[] =
        {
            {u"3.36", true}, {u"3.4", true},   {u"3.35\n", true}, {u"3.35.1", true},
            {u"4", true},    {u"3.35", false}, {u"3.34", false},  {u"10.0", false},
            {u"3.3", false}, {u"3", false},    {u" 3.36", false},  // a leading space sorts before every digit
        };
    for (const Case& c : cases)
        EXPECT_EQ(IsNewerVersion(c.Record, u"3.35"), c.Newer) << std::string(c.Record.begin(), c.Record.end());
    EXPECT_FALSE(IsNewerVersion(AppVersion)) << "our own version is not newer than itself";
}

TEST(OnlineCheck, EachOutcomeShowsItsMessageOrNothing)
{
    TLanguageTable texts;
    const std::string download = "http://mirror.test/download.htm";
    struct Case {
        std::u16string Result;
        bool Report;
        bool Show;
        int Text;
        std::vector<int> Buttons;
        TAnswerIcon Icon;
        bool OffersDownload;
    };
    const Case cases[] = {
        {u"3.36", true, true, 158, {163, 164}, TAnswerIcon::Question, true},
        {u"3.36", false, true, 158, {163, 164}, TAnswerIcon::Question, true},  // offered at start-up too
        {u"3.35\n", false, true, 158, {163, 164}, TAnswerIcon::Question, true},
        {u"3.35", true, true, 161, {100}, TAnswerIcon::Information, false},
        {u"10.0", true, true, 161, {100}, TAnswerIcon::Information, false},
        {u"3.35", false, false, 0, {}, TAnswerIcon::None, false},
        {u"ERROR", true, true, 162, {100}, TAnswerIcon::Error, false},
        {u"ERROR", false, false, 0, {}, TAnswerIcon::None, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Result.begin(), c.Result.end()) + (c.Report ? " from the menu" : " at start-up"));
        const TCheckReport r = ReportCheckResult(c.Result, c.Report, texts, u"3.35", download);
        ASSERT_EQ(r.Show, c.Show);
        if (!c.Show) continue;
        EXPECT_EQ(r.Caption, u"Scalio");
        EXPECT_EQ(r.Text, texts.GetLangText(c.Text));
        std::vector<std::u16string> buttons;
        for (int id : c.Buttons) buttons.push_back(texts.GetLangText(id));
        EXPECT_EQ(r.Buttons, buttons);
        EXPECT_EQ(r.Icon, c.Icon);
        EXPECT_EQ(r.UrlOnYes, c.OffersDownload ? download : "");
    }
}

TEST(OnlineCheck, OnlyYesToTheNewerVersionOpensTheDownloadPage)
{
    TLanguageTable texts;
    struct Case {
        std::u16string Result;
        int Answer;
        bool Opens;
    };
    const Case cases[] = {
        {u"3.36", 1, true},   {u"3.36", 2, false},  // No
        {u"3.36", 0, false},                        // cancelled
        {u"3.35", 1, false},                        // OK to the latest-version message
        {u"ERROR", 1, false},
    };
    for (const Case& c : cases) {
        FakeMessageDialog dialog;
        dialog.Answers = {c.Answer};
        InstallMessageDialog(&dialog);
        FakeShell shell;
        ShowCheckReport(ReportCheckResult(c.Result, true, texts, u"3.35", "http://site.test/download.htm"), shell);
        InstallMessageDialog(nullptr);
        ASSERT_EQ(dialog.Asked.size(), 1u);
        EXPECT_EQ(dialog.Asked[0].Caption, u"Scalio");
        EXPECT_EQ(shell.Urls,
                  c.Opens ? std::vector<std::string>{"http://site.test/download.htm"} : std::vector<std::string>{});
    }

    FakeMessageDialog dialog;
    InstallMessageDialog(&dialog);
    FakeShell shell;
    ShowCheckReport(ReportCheckResult(u"3.35", false, texts, u"3.35", "x"), shell);
    InstallMessageDialog(nullptr);
    EXPECT_TRUE(dialog.Asked.empty()) << "nothing to report shows no dialog";
}

TEST(OnlineCheck, BodiesAreDecodedByTheDeclaredCharset)
{
    struct Case {
        std::string Body;
        std::string ContentType;
        std::optional<std::u16string> Text;
    };
    const Case cases[] = {
        {"3.36", "text/plain", u"3.36"},
        {"3.36", "", u"3.36"},
        {"3.36\xC3\xA9", "text/plain", u"3.36\u00E9"},  // undeclared: UTF-8
        {"3.36\xC3\xA9", "text/plain; charset=utf-8", u"3.36\u00E9"},
        {"3.36\xE9", "text/plain; charset=ISO-8859-1", u"3.36\u00E9"},
        {"3.36\xE9", "text/plain;charset=\"latin1\"", u"3.36\u00E9"},
        {"3.36\xE9", "text/plain; format=flowed; Charset = iso-8859-1 ", u"3.36\u00E9"},
        {"3.36", "text/plain; charset=US-ASCII", u"3.36"},
        {"3.36\xE9", "text/plain; charset=utf-8", u"3.36\uFFFD"},  // malformed UTF-8 stays readable
        {"3.36", "text/plain; charset=koi8-r", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeBody(c.Body, c.ContentType), c.Text) << c.ContentType;
}

TEST(OnlineCheck, TheProductSiteCanBeMovedByTheEnvironment)
{
    struct Case {
        std::optional<std::string> Variable;
        std::string Root;
    };
    const Case cases[] = {
        {std::nullopt, kProductSite},
        {"", kProductSite},
        {"ftp://mirror.test/", kProductSite},
        {"mirror.test", kProductSite},
        {"http://", kProductSite},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/"},
        {"http://mirror.test/scalio/", "http://mirror.test/scalio/"},
        {"https://mirror.test", "https://mirror.test/"},
    };
    for (const Case& c : cases) {
        const TEnvironment env =
            c.Variable ? Env({{"SCALIO_PRODUCT_SITE", *c.Variable}}) : Env({{"HOME", "/home/someone"}});
        SCOPED_TRACE(c.Variable.value_or("(unset)"));
        EXPECT_EQ(ProductSiteRoot(env), c.Root);
        EXPECT_EQ(ProductPage("", env), c.Root);
        EXPECT_EQ(VersionRecordUrl(env), c.Root + "lastver/scalio.txt");
        EXPECT_EQ(DownloadPageUrl(env), c.Root + "download.htm");
    }
}

TEST(OnlineCheck, TheThreadFetchesTheRecordAndLeavesItsTextInTheSlot)
{
    struct Case {
        std::optional<std::u16string> Answer;
        bool Throws;
        std::u16string Result;
    };
    const Case cases[] = {
        {u"3.36", false, u"3.36"},       {u"3.35\n", false, u"3.35\n"},
        {std::nullopt, false, u"ERROR"}, {u"", false, u"ERROR"},  // an empty body must not look like "still waiting"
        {u"3.36", true, u"ERROR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Result.begin(), c.Result.end()));
        auto client = std::make_shared<ScriptedHttpClient>();
        client->Answer = c.Answer;
        client->Throws = c.Throws;
        TOnlineCheck check(client, "http://site.test/lastver/scalio.txt");
        ASSERT_TRUE(check.Start(false));
        const std::optional<TFinishedCheck> done = WaitForResult(check);
        ASSERT_TRUE(done);
        EXPECT_EQ(done->Result, c.Result);
        EXPECT_TRUE(done->ReportCheckResult);
        EXPECT_FALSE(check.IsRunning());
        EXPECT_FALSE(check.TakeResult()) << "the slot is consumed once";
        EXPECT_EQ(client->SeenUrls(), std::vector<std::string>{"http://site.test/lastver/scalio.txt"});
        EXPECT_EQ(client->SeenThreadNames(), std::vector<std::string>{"OnlineCheck"});
    }
}

TEST(OnlineCheck, OneCheckAtATimeAndTheStartUpCheckIsMarked)
{
    auto client = std::make_shared<ScriptedHttpClient>();
    client->Answer = u"3.35";
    client->Hold = true;
    TOnlineCheck check(client, "http://site.test/v");
    EXPECT_FALSE(check.IsRunning());
    EXPECT_FALSE(check.TakeResult()) << "no check, no result";

    ASSERT_TRUE(check.Start(true));
    EXPECT_TRUE(check.IsRunning());
    EXPECT_FALSE(check.Start(false)) << "a second check while one runs";
    EXPECT_FALSE(check.TakeResult()) << "the request is still under way";
    client->Release();
    std::optional<TFinishedCheck> done = WaitForResult(check);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->Result, u"3.35");
    EXPECT_FALSE(done->ReportCheckResult) << "the start-up check reports only a newer version";
    EXPECT_FALSE(check.IsRunning());

    // The next check from the menu reports everything, on a fresh thread.
    ASSERT_TRUE(check.Start(false));
    done = WaitForResult(check);
    ASSERT_TRUE(done);
    EXPECT_TRUE(done->ReportCheckResult);
    EXPECT_EQ(client->SeenUrls().size(), 2u);
}

TEST(OnlineCheck, DestroyingARunningCheckAsksTheRequestToStopAndDoesNotWaitForIt)
{
    auto client = std::make_shared<ScriptedHttpClient>();
    client->Hold = true;
    {
        TOnlineCheck check(client, "http://site.test/v");
        ASSERT_TRUE(check.Start(false));
        while (client->SeenUrls().empty()) std::this_thread::sleep_for(1ms);
    }
    // The abandoned thread sees the request and then writes into state that
    // outlived the check object; the sanitizers watch that write.
    EXPECT_TRUE(client->WaitForStop());
}

}  // namespace
