#pragma once
// The update check's HTTP client: one libcurl easy transfer per GET, plain
// and strict. No proxy (the environment's proxy variables included), no
// redirects, http and https only, no headers of our own, and limits that keep
// a hung or hostile server from holding the check up for long.

#include <chrono>
#include <cstddef>

#include "online/OnlineCheck.h"

struct TCurlLimits {
    std::chrono::milliseconds ConnectTimeout{4000};
    std::chrono::milliseconds TotalTimeout{8000};
    std::size_t MaxBody = kMaxVersionBody;  // a longer body is a failure
};

class TCurlHttpClient : public IHttpClient {
public:
    // Loads and sets up libcurl with the first client; construct on the
    // user-interface thread. Without it (or with one older than 7.84) every
    // request fails.
    explicit TCurlHttpClient(TCurlLimits limits = {});

    std::optional<std::u16string> Get(const std::string& url, std::stop_token stop) override;

private:
    TCurlLimits m_limits;
};
