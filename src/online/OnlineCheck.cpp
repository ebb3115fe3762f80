#include "online/OnlineCheck.h"

#include <pthread.h>

#include <algorithm>
#include <system_error>

#include "lang/Languages.h"
#include "online/Shell.h"
#include "online/WebSites.h"
#include "settings/Utf8.h"

namespace {

std::string Lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The charset parameter of a Content-Type value, lower case; empty when absent.
std::string Charset(std::string_view contentType)
{
    std::size_t semicolon = contentType.find(';');
    while (semicolon != std::string_view::npos) {
        contentType.remove_prefix(semicolon + 1);
        semicolon = contentType.find(';');
        const std::string_view parameter = Trim(contentType.substr(0, semicolon));
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos) continue;
        if (Lower(Trim(parameter.substr(0, equals))) != "charset") continue;
        std::string_view value = Trim(parameter.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        return Lower(value);
    }
    return {};
}

}  // namespace

std::optional<std::u16string> DecodeBody(std::string_view body, std::string_view contentType)
{
    const std::string charset = Charset(contentType);
    if (charset.empty() || charset == "utf-8" || charset == "utf8") return Utf8ToUtf16(body);
    if (charset == "iso-8859-1" || charset == "iso8859-1" || charset == "iso_8859-1" || charset == "latin1" ||
        charset == "l1" || charset == "us-ascii" || charset == "ascii") {
        // Latin-1 bytes are the first 256 code points; ASCII is a subset of it.
        std::u16string out;
        out.reserve(body.size());
        for (char c : body) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        return out;
    }
    return std::nullopt;
}

std::string VersionRecordUrl(const TEnvironment& env)
{
    return ProductPage("lastver/", env) + "scalio.txt";
}

std::string DownloadPageUrl(const TEnvironment& env)
{
    return ProductPage("download.htm", env);
}

TOnlineCheck::TOnlineCheck(std::shared_ptr<IHttpClient> client, std::string url)
    : m_client(std::move(client)), m_url(std::move(url))
{
}

TOnlineCheck::~TOnlineCheck()
{
    m_stop.request_stop();
    // The thread owns references to everything it touches, so leaving it to
    // run out is safe; joining could hold the exit up for the whole time-out.
    if (m_thread.joinable()) m_thread.detach();
}

bool TOnlineCheck::Start(bool startUp)
{
    if (m_running) return false;
    {
        std::lock_guard lock(m_shared->OnlineCheckLock);
        if (startUp) m_shared->OnlineCheckResult = kCheckStart;
        m_reportCheckResult = m_shared->OnlineCheckResult != kCheckStart;
        m_shared->OnlineCheckResult.clear();
    }
    // A previous thread has written its result, which was taken: it has at
    // most its last few instructions left.
    if (m_thread.joinable()) m_thread.join();
    m_running = true;

    auto body = [client = m_client, url = m_url, shared = m_shared, stop = m_stop.get_token()]() mutable {
        pthread_setname_np(pthread_self(), "OnlineCheck");
        std::u16string result = kCheckError;
        try {
            std::optional<std::u16string> text = client->Get(url, stop);
            // An empty body would leave the slot looking like "no result yet"
            // for ever, and CHECK NOW disabled with it.
            if (text && !text->empty()) result = std::move(*text);
        } catch (...) {
            // Whatever went wrong, the user hears of a failed check.
        }
        client.reset();
        std::lock_guard lock(shared->OnlineCheckLock);
        shared->OnlineCheckResult = std::move(result);
    };
    try {
        m_thread = std::thread(std::move(body));
    } catch (const std::system_error&) {
        // No thread to be had: the check failed before it began.
        std::lock_guard lock(m_shared->OnlineCheckLock);
        m_shared->OnlineCheckResult = kCheckError;
    }
    return true;
}

std::optional<TFinishedCheck> TOnlineCheck::TakeResult()
{
    if (!m_running) return std::nullopt;
    std::u16string result;
    {
        std::lock_guard lock(m_shared->OnlineCheckLock);
        if (m_shared->OnlineCheckResult.empty()) return std::nullopt;
        result.swap(m_shared->OnlineCheckResult);
    }
    m_running = false;
    return TFinishedCheck{std::move(result), m_reportCheckResult};
}

bool IsNewerVersion(std::u16string_view record, std::u16string_view own)
{
    return record.compare(own) > 0;
}

TCheckReport ReportCheckResult(std::u16string_view result, bool reportCheckResult, const TLanguageTable& texts,
                               std::u16string_view own, const std::string& downloadUrl)
{
    TCheckReport report;
    report.Caption = u"Scalio";
    if (result != kCheckError) {
        if (IsNewerVersion(result, own)) {
            report.Show = true;
            report.Text = texts.GetLangText(158);
            report.Buttons = {texts.GetLangText(163), texts.GetLangText(164)};
            report.Icon = TAnswerIcon::Question;
            report.UrlOnYes = downloadUrl;
        } else if (reportCheckResult) {
            report.Show = true;
            report.Text = texts.GetLangText(161);
            report.Buttons = {texts.GetLangText(100)};
            report.Icon = TAnswerIcon::Information;
        }
    } else if (reportCheckResult) {
        report.Show = true;
        report.Text = texts.GetLangText(162);
        report.Buttons = {texts.GetLangText(100)};
        report.Icon = TAnswerIcon::Error;
    }
    return report;
}

void ShowCheckReport(const TCheckReport& report, IShell& shell)
{
    if (!report.Show) return;
    const int answer = ShowAnswerDialog(report.Caption, report.Text, report.Buttons, report.Icon);
    if (answer == 1 && !report.UrlOnYes.empty()) shell.OpenUrl(report.UrlOnYes);
}
