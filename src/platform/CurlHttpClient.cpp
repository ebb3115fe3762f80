#include "platform/CurlHttpClient.h"

#include <curl/curl.h>

#include <memory>
#include <string>

namespace {

struct TTransfer {
    std::string Body;
    std::size_t MaxBody = 0;
    bool TooLong = false;
    std::stop_token Stop;
};

std::size_t Write(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<TTransfer*>(user);
    const std::size_t bytes = size * count;
    if (bytes > t->MaxBody - t->Body.size()) {
        t->TooLong = true;
        return 0;  // anything short of bytes makes curl abort the transfer
    }
    t->Body.append(data, bytes);
    return bytes;
}

// Called while the transfer waits as well as while data flows, so a stop
// request ends even a request to a server that never answers.
int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<TTransfer*>(user)->Stop.stop_requested() ? 1 : 0;
}

struct TEasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

}  // namespace

TCurlHttpClient::TCurlHttpClient(TCurlLimits limits) : m_limits(limits)
{
    // libcurl wants this once before any thread uses it; the static makes it
    // once per process.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

std::optional<std::u16string> TCurlHttpClient::Get(const std::string& url, std::stop_token stop)
{
    if (stop.stop_requested()) return std::nullopt;
    std::unique_ptr<CURL, TEasyDeleter> easy(curl_easy_init());
    if (!easy) return std::nullopt;
    CURL* e = easy.get();

    TTransfer transfer;
    transfer.MaxBody = m_limits.MaxBody;
    transfer.Stop = std::move(stop);

    bool ok = true;
    auto set = [&ok](CURLcode code) { ok = ok && code == CURLE_OK; };
    set(curl_easy_setopt(e, CURLOPT_URL, url.c_str()));
    set(curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https"));
    set(curl_easy_setopt(e, CURLOPT_NOPROXY, "*"));
    set(curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L));
    // Signals cannot serve time-outs on a thread that is not the main one.
    set(curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L));
    set(curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_limits.ConnectTimeout.count())));
    set(curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.TotalTimeout.count())));
    // Refuses an announced oversize body before it is read at all.
    set(curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.MaxBody)));
    set(curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Write));
    set(curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer));
    set(curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L));
    set(curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Progress));
    set(curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer));
    if (!ok) return std::nullopt;

    if (curl_easy_perform(e) != CURLE_OK || transfer.TooLong) return std::nullopt;
    long status = 0;
    if (curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) return std::nullopt;
    // Redirects are not followed, so a 3xx is as much a failure as a 4xx.
    if (status < 200 || status > 299) return std::nullopt;
    const char* contentType = nullptr;
    if (curl_easy_getinfo(e, CURLINFO_CONTENT_TYPE, &contentType) != CURLE_OK) contentType = nullptr;
    return DecodeBody(transfer.Body, contentType ? contentType : "");
}
