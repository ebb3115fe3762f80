#pragma once
// A small HTTP server for tests on 127.0.0.1 at a port of the system's
// choosing. It serves one scripted response to every request on a thread of
// its own, records the request targets, and stops when destroyed or, at the
// latest, after kLifetime, so that a test that forgets it cannot hang the
// run.

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct TScriptedResponse {
    int Status = 200;
    std::string Reason = "OK";
    std::vector<std::pair<std::string, std::string>> Headers{};
    std::string Body{};
    // Without it the body ends where the connection closes, so the client
    // learns its length only by reading it.
    bool SendContentLength = true;
    // Time between reading the request and answering it.
    std::chrono::milliseconds Delay{0};
    // Reads the request and then holds the connection open without a word
    // until the server stops.
    bool NeverAnswer = false;
    // Reads the request and closes the connection without answering.
    bool CloseWithoutAnswer = false;
};

class LocalHttpServer {
public:
    static constexpr std::chrono::seconds kLifetime{60};

    explicit LocalHttpServer(TScriptedResponse response);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string Url(const std::string& path = "/") const;
    // The request target of each request read so far ("/lastver/scalio.txt").
    std::vector<std::string> RequestTargets() const;

private:
    void Serve();
    bool ReadRequest(int fd, std::string& target);
    void Answer(int fd);

    TScriptedResponse m_response;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_lock;
    std::vector<std::string> m_targets;  // guarded by m_lock
    std::thread m_thread;
};

// A port on 127.0.0.1 where nothing listens: bound but not listening, so a
// connection attempt is refused at once, and no other program can take the
// port while the object lives.
class ClosedLocalPort {
public:
    ClosedLocalPort();
    ~ClosedLocalPort();
    ClosedLocalPort(const ClosedLocalPort&) = delete;
    ClosedLocalPort& operator=(const ClosedLocalPort&) = delete;

    int Port() const { return m_port; }
    std::string Url(const std::string& path = "/") const;

private:
    int m_fd = -1;
    int m_port = 0;
};
