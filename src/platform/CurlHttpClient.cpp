#include "platform/CurlHttpClient.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <memory>
#include <mutex>
#include <string>

namespace {

// libcurl is loaded when the first client is made: linked into the program,
// it and the thirty libraries it brings would be loaded and relocated at
// every start and kept in memory by users who never check. It is loaded and
// set up on the user-interface thread, never on a check's thread, which the
// program does not wait for at exit: a process ending while that thread was
// still inside the TLS libraries' set-up would crash in their clean-up.
struct TCurlApi {
    CURLcode (*GlobalInit)(long) = nullptr;
    CURL* (*EasyInit)() = nullptr;
    void (*EasyCleanup)(CURL*) = nullptr;
    CURLcode (*EasySetopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*EasyPerform)(CURL*) = nullptr;
    CURLcode (*EasyGetinfo)(CURL*, CURLINFO, ...) = nullptr;
};

template <class F>
bool Bind(void* library, const char* name, F& function)
{
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

// The library with its global state set up, or nothing when it is not
// installed or too old to set itself up safely on any thread (7.84).
const TCurlApi* Curl()
{
    static std::once_flag once;
    static TCurlApi api;
    static bool usable = false;
    std::call_once(once, [] {
        // Never closed: libcurl's global state lives as long as the program.
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!library) return;
        using TVersionInfo = curl_version_info_data* (*)(CURLversion);
        TVersionInfo versionInfo = nullptr;
        const bool bound = Bind(library, "curl_version_info", versionInfo) &&
                           Bind(library, "curl_global_init", api.GlobalInit) &&
                           Bind(library, "curl_easy_init", api.EasyInit) &&
                           Bind(library, "curl_easy_cleanup", api.EasyCleanup) &&
                           Bind(library, "curl_easy_setopt", api.EasySetopt) &&
                           Bind(library, "curl_easy_perform", api.EasyPerform) &&
                           Bind(library, "curl_easy_getinfo", api.EasyGetinfo);
        if (!bound) return;
        const curl_version_info_data* info = versionInfo(CURLVERSION_NOW);
        if (!info || info->version_num < 0x075400 || !(info->features & CURL_VERSION_THREADSAFE)) return;
        usable = api.GlobalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    });
    return usable ? &api : nullptr;
}

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
    const TCurlApi* Api;
    void operator()(CURL* easy) const { Api->EasyCleanup(easy); }
};

}  // namespace

TCurlHttpClient::TCurlHttpClient(TCurlLimits limits) : m_limits(limits)
{
    Curl();
}

std::optional<std::u16string> TCurlHttpClient::Get(const std::string& url, std::stop_token stop)
{
    if (stop.stop_requested()) return std::nullopt;
    const TCurlApi* curl = Curl();
    if (!curl) return std::nullopt;
    std::unique_ptr<CURL, TEasyDeleter> easy(curl->EasyInit(), TEasyDeleter{curl});
    if (!easy) return std::nullopt;
    CURL* e = easy.get();

    TTransfer transfer;
    transfer.MaxBody = m_limits.MaxBody;
    transfer.Stop = std::move(stop);

    bool ok = true;
    auto set = [&ok](CURLcode code) { ok = ok && code == CURLE_OK; };
    set(curl->EasySetopt(e, CURLOPT_URL, url.c_str()));
    set(curl->EasySetopt(e, CURLOPT_PROTOCOLS_STR, "http,https"));
    set(curl->EasySetopt(e, CURLOPT_NOPROXY, "*"));
    set(curl->EasySetopt(e, CURLOPT_FOLLOWLOCATION, 0L));
    // Signals cannot serve time-outs on a thread that is not the main one.
    set(curl->EasySetopt(e, CURLOPT_NOSIGNAL, 1L));
    set(curl->EasySetopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_limits.ConnectTimeout.count())));
    set(curl->EasySetopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.TotalTimeout.count())));
    // Refuses an announced oversize body before it is read at all.
    set(curl->EasySetopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.MaxBody)));
    set(curl->EasySetopt(e, CURLOPT_WRITEFUNCTION, &Write));
    set(curl->EasySetopt(e, CURLOPT_WRITEDATA, &transfer));
    set(curl->EasySetopt(e, CURLOPT_NOPROGRESS, 0L));
    set(curl->EasySetopt(e, CURLOPT_XFERINFOFUNCTION, &Progress));
    set(curl->EasySetopt(e, CURLOPT_XFERINFODATA, &transfer));
    if (!ok) return std::nullopt;

    if (curl->EasyPerform(e) != CURLE_OK || transfer.TooLong) return std::nullopt;
    long status = 0;
    if (curl->EasyGetinfo(e, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) return std::nullopt;
    // Redirects are not followed, so a 3xx is as much a failure as a 4xx.
    if (status < 200 || status > 299) return std::nullopt;
    const char* contentType = nullptr;
    if (curl->EasyGetinfo(e, CURLINFO_CONTENT_TYPE, &contentType) != CURLE_OK) contentType = nullptr;
    return DecodeBody(transfer.Body, contentType ? contentType : "");
}
