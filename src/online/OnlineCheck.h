#pragma once
// The update check: one HTTP GET of the latest-version record on a thread of
// its own, a shared slot the user-interface thread polls, and the decision of
// what to tell the user.
//
// How the window uses it (all calls on the user-interface thread):
//
//   TOnlineCheck check(std::make_shared<TCurlHttpClient>());
//   // CHECK NOW, or start-up with startUp = true:
//   if (check.Start(startUp)) { disable CHECK NOW; start the 1000 ms timer; }
//   // each timer tick:
//   if (std::optional<TFinishedCheck> done = check.TakeResult()) {
//       stop the timer;
//       ShowCheckReport(ReportCheckResult(done->Result, done->ReportCheckResult, Languages()), shell);
//       enable CHECK NOW;  // IsRunning() is already false
//   }
//
// Destroying the TOnlineCheck (program exit) never waits for the network: a
// request still under way is told to stop and left to finish on its own.

#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "dialogs/Messages.h"
#include "online/Version.h"
#include "settings/SettingsLocation.h"

class TLanguageTable;
class IShell;

// One GET of a URL. Implementations keep the request short and strict: a few
// seconds' time-outs, no proxy, no redirects followed (a 3xx is a failure), an
// error status is a failure, a body over kMaxVersionBody bytes is a failure.
class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // The body of a successful response decoded by DecodeBody, or nullopt on
    // any failure. Returns early (as a failure) once stop is requested. Called
    // on the check's thread; the client must not rely on the caller's object
    // still existing, only on itself and the token.
    virtual std::optional<std::u16string> Get(const std::string& url, std::stop_token stop) = 0;
};

// The version record holds a handful of characters; anything this big is not
// one.
inline constexpr std::size_t kMaxVersionBody = std::size_t{64} * 1024;

// Body bytes as text by the charset parameter of a Content-Type value such as
// "text/plain; charset=ISO-8859-1". UTF-8 (malformed sequences become U+FFFD)
// when no charset is declared; UTF-8, ISO-8859-1 and US-ASCII by their usual
// names, case-insensitive, quotes allowed. nullopt for any other charset: text
// we cannot decode is no version record.
std::optional<std::u16string> DecodeBody(std::string_view body, std::string_view contentType);

// ProductSiteRoot() + "lastver/scalio.txt".
std::string VersionRecordUrl(const TEnvironment& env = ProcessEnvironment());
// The page the "newer version" question offers on Yes.
std::string DownloadPageUrl(const TEnvironment& env = ProcessEnvironment());

// The values of the shared slot besides the record's own text.
inline constexpr char16_t kCheckStart[] = u"START";
inline constexpr char16_t kCheckError[] = u"ERROR";

// What a finished check left: the slot's text (the record, or "ERROR") and
// whether every outcome is to be reported (false for the start-up check).
struct TFinishedCheck {
    std::u16string Result;
    bool ReportCheckResult = true;
};

class TOnlineCheck {
public:
    // url: the version record; tests point it at their own server.
    explicit TOnlineCheck(std::shared_ptr<IHttpClient> client, std::string url = VersionRecordUrl());
    // Asks a running request to stop and lets its thread end by itself; never
    // waits for the network.
    ~TOnlineCheck();
    TOnlineCheck(const TOnlineCheck&) = delete;
    TOnlineCheck& operator=(const TOnlineCheck&) = delete;

    // Starts a check on the thread "OnlineCheck"; startUp marks the start-up
    // check, which reports only a newer version. False (and nothing done)
    // while a check is running or its result is still untaken.
    bool Start(bool startUp);
    // From Start until TakeResult has handed the result out.
    bool IsRunning() const { return m_running; }
    // The finished check, once: nullopt while the request is under way (or no
    // check runs). Taking it empties the slot and ends IsRunning().
    std::optional<TFinishedCheck> TakeResult();

private:
    // Outlives this object when a request is abandoned at exit: the thread
    // holds its own reference, so it never writes into freed memory.
    struct TShared {
        std::mutex OnlineCheckLock;
        std::u16string OnlineCheckResult;  // guarded by OnlineCheckLock
    };

    std::shared_ptr<IHttpClient> m_client;
    std::string m_url;
    std::shared_ptr<TShared> m_shared = std::make_shared<TShared>();
    std::stop_source m_stop;
    std::thread m_thread;
    bool m_running = false;
    bool m_reportCheckResult = true;
};

// The record's version is newer than ours: an ordinal comparison by UTF-16
// code units, a proper prefix sorting first. So "3.36" and "3.35\n" are
// newer than "3.35", while "10.0" is older.
bool IsNewerVersion(std::u16string_view record, std::u16string_view own = AppVersion);

// What to show for a finished check. Show false: nothing at all.
struct TCheckReport {
    bool Show = false;
    std::u16string Caption;
    std::u16string Text;
    std::vector<std::u16string> Buttons;
    TAnswerIcon Icon = TAnswerIcon::None;
    // Opened in the browser when the first button (Yes) is pressed; empty when
    // no answer opens anything.
    std::string UrlOnYes;
};

// The decision for the slot's text: a newer version is offered (start-up
// check too), the latest-version message and the failure message only when
// reportCheckResult.
TCheckReport ReportCheckResult(std::u16string_view result, bool reportCheckResult, const TLanguageTable& texts,
                               std::u16string_view own = AppVersion,
                               const std::string& downloadUrl = DownloadPageUrl());

// Shows the report through ShowAnswerDialog and opens UrlOnYes on Yes.
void ShowCheckReport(const TCheckReport& report, IShell& shell);
