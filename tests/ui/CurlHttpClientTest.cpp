// The update check's HTTP client against a server of the test's own on
// 127.0.0.1: what counts as a record, what as a failure, and that a check to
// a server that never answers can be abandoned.

#include "platform/CurlHttpClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "support/LocalHttpServer.h"

namespace {

using namespace std::chrono_literals;

// Short enough that the time-out cases end soon; far longer than a loopback
// answer takes.
TCurlLimits TestLimits()
{
    TCurlLimits limits;
    limits.ConnectTimeout = 2000ms;
    limits.TotalTimeout = 1500ms;
    return limits;
}

std::optional<std::u16string> Fetch(const std::string& url, TCurlLimits limits = TestLimits())
{
    TCurlHttpClient client(limits);
    return client.Get(url, std::stop_source().get_token());
}

TEST(CurlHttpClient, OnlyAPlainSuccessfulAnswerYieldsText)
{
    const std::string cap(kMaxVersionBody, '3');
    struct Case {
        const char* Name;
        TScriptedResponse Response;
        std::optional<std::u16string> Text;
    };
    std::vector<Case> cases;
    cases.push_back({"200", {.Headers = {{"Content-Type", "text/plain"}}, .Body = "3.36"}, u"3.36"});
    cases.push_back({"trailing line break kept", {.Body = "3.35\n"}, u"3.35\n"});
    cases.push_back({"Latin-1",
                     {.Headers = {{"Content-Type", "text/plain; charset=iso-8859-1"}}, .Body = "3.36\xE9"},
                     u"3.36\u00E9"});
    cases.push_back(
        {"UTF-8", {.Headers = {{"Content-Type", "text/plain; charset=UTF-8"}}, .Body = "3.36\xC3\xA9"}, u"3.36\u00E9"});
    cases.push_back({"undecodable charset",
                     {.Headers = {{"Content-Type", "text/plain; charset=x-unknown"}}, .Body = "3.36"},
                     std::nullopt});
    cases.push_back({"empty 200", {.Body = ""}, u""});
    cases.push_back({"204", {.Status = 204, .Reason = "No Content"}, u""});
    cases.push_back({"404", {.Status = 404, .Reason = "Not Found", .Body = "3.36"}, std::nullopt});
    cases.push_back({"500", {.Status = 500, .Reason = "Server Error", .Body = "3.36"}, std::nullopt});
    cases.push_back({"body at the cap", {.Body = cap}, std::u16string(cap.begin(), cap.end())});
    cases.push_back({"announced body over the cap", {.Body = cap + "3"}, std::nullopt});
    cases.push_back({"unannounced body over the cap", {.Body = cap + "3", .SendContentLength = false}, std::nullopt});
    cases.push_back({"slow but in time", {.Body = "3.36", .Delay = 100ms}, u"3.36"});
    cases.push_back({"closed without an answer", {.CloseWithoutAnswer = true}, std::nullopt});
    cases.push_back({"never answers", {.NeverAnswer = true}, std::nullopt});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        LocalHttpServer server(c.Response);
        EXPECT_EQ(Fetch(server.Url("/lastver/scalio.txt")), c.Text);
        EXPECT_EQ(server.RequestTargets(), std::vector<std::string>{"/lastver/scalio.txt"});
    }
}

TEST(CurlHttpClient, ARedirectIsAFailureAndIsNotFollowed)
{
    for (int status : {301, 302, 307}) {
        LocalHttpServer target({.Body = "3.36"});
        LocalHttpServer server(
            {.Status = status, .Reason = "Moved", .Headers = {{"Location", target.Url("/new.txt")}}, .Body = "3.36"});
        EXPECT_EQ(Fetch(server.Url("/lastver/scalio.txt")), std::nullopt) << status;
        EXPECT_TRUE(target.RequestTargets().empty()) << status;
    }
}

TEST(CurlHttpClient, NoServerIsAFailure)
{
    ClosedLocalPort port;
    EXPECT_EQ(Fetch(port.Url("/lastver/scalio.txt")), std::nullopt);
}

TEST(CurlHttpClient, AProxyFromTheEnvironmentIsNotUsed)
{
    // Were the proxy used, the request would go to a port that refuses it.
    ClosedLocalPort proxy;
    LocalHttpServer server({.Body = "3.36"});
    const char* old = std::getenv("http_proxy");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("http_proxy", proxy.Url().c_str(), 1);
    const std::optional<std::u16string> text = Fetch(server.Url("/v.txt"));
    if (saved)
        setenv("http_proxy", saved->c_str(), 1);
    else
        unsetenv("http_proxy");
    EXPECT_EQ(text, u"3.36");
}

TEST(CurlHttpClient, AStopRequestEndsARequestTheServerNeverAnswers)
{
    LocalHttpServer server({.NeverAnswer = true});
    TCurlLimits patient;
    patient.TotalTimeout = std::chrono::minutes(10);  // only the stop request can end it
    TCurlHttpClient client(patient);
    std::stop_source stop;
    auto fetched = std::async(std::launch::async, [&] { return client.Get(server.Url("/v.txt"), stop.get_token()); });
    for (int i = 0; i < 1000 && server.RequestTargets().empty(); ++i) std::this_thread::sleep_for(10ms);
    ASSERT_EQ(server.RequestTargets().size(), 1u);
    stop.request_stop();
    // A bound, not a speed: a stop request that were ignored would leave the
    // request hanging far beyond it.
    ASSERT_EQ(fetched.wait_for(30s), std::future_status::ready);
    EXPECT_EQ(fetched.get(), std::nullopt);
}

TEST(CurlHttpClient, TheCheckFetchesTheRecordFromAMovedProductSite)
{
    LocalHttpServer server({.Body = "3.36"});
    const std::string root = server.Url("/mirror");
    const TEnvironment env = [&root](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "SCALIO_PRODUCT_SITE") return root;
        return std::nullopt;
    };
    TOnlineCheck check(std::make_shared<TCurlHttpClient>(TestLimits()), VersionRecordUrl(env));
    ASSERT_TRUE(check.Start(true));
    std::optional<TFinishedCheck> done;
    for (int i = 0; i < 2000 && !done; ++i) {
        std::this_thread::sleep_for(5ms);
        done = check.TakeResult();
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(done->Result, u"3.36");
    EXPECT_FALSE(done->ReportCheckResult);
    EXPECT_EQ(server.RequestTargets(), std::vector<std::string>{"/mirror/lastver/scalio.txt"});
}

TEST(CurlHttpClient, ACheckTheServerNeverAnswersCanBeAbandoned)
{
    LocalHttpServer server({.NeverAnswer = true});
    {
        // The default limits: the request would hang for seconds.
        TOnlineCheck check(std::make_shared<TCurlHttpClient>(), server.Url("/lastver/scalio.txt"));
        ASSERT_TRUE(check.Start(false));
        for (int i = 0; i < 1000 && server.RequestTargets().empty(); ++i) std::this_thread::sleep_for(10ms);
        ASSERT_EQ(server.RequestTargets().size(), 1u);
        EXPECT_TRUE(check.IsRunning());
    }
    // Destroyed while the request hangs; the server goes next, with the
    // abandoned thread still holding its connection.
}

}  // namespace
