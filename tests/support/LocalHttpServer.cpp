#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace {

// Every wait is a poll of at most this long, so the stop flag is seen soon.
constexpr int kSliceMs = 20;

int BoundLoopbackSocket(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket() failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("bind() to 127.0.0.1 failed");
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool WaitReadable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, kSliceMs) > 0;
}

}  // namespace

LocalHttpServer::LocalHttpServer(TScriptedResponse response) : m_response(std::move(response))
{
    m_listener = BoundLoopbackSocket(m_port);
    if (::listen(m_listener, 8) != 0) {
        ::close(m_listener);
        throw std::runtime_error("listen() failed");
    }
    m_thread = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
}

std::string LocalHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> LocalHttpServer::RequestTargets() const
{
    std::lock_guard lock(m_lock);
    return m_targets;
}

void LocalHttpServer::Serve()
{
    const auto end = std::chrono::steady_clock::now() + kLifetime;
    std::vector<int> held;  // connections that are never answered
    while (!m_stop && std::chrono::steady_clock::now() < end) {
        if (!WaitReadable(m_listener)) continue;
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::string target;
        if (!ReadRequest(fd, target)) {
            ::close(fd);
            continue;
        }
        {
            std::lock_guard lock(m_lock);
            m_targets.push_back(target);
        }
        if (m_response.NeverAnswer) {
            held.push_back(fd);
            continue;
        }
        if (!m_response.CloseWithoutAnswer) Answer(fd);
        ::close(fd);
    }
    for (int fd : held) ::close(fd);
}

bool LocalHttpServer::ReadRequest(int fd, std::string& target)
{
    std::string request;
    while (!m_stop && request.find("\r\n\r\n") == std::string::npos) {
        if (request.size() > std::size_t{16} * 1024) return false;
        if (!WaitReadable(fd)) continue;
        char buffer[1024];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) return false;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    // "GET /path HTTP/1.1"
    const std::size_t first = request.find(' ');
    const std::size_t second = request.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) return false;
    target = request.substr(first + 1, second - first - 1);
    return true;
}

void LocalHttpServer::Answer(int fd)
{
    const auto until = std::chrono::steady_clock::now() + m_response.Delay;
    while (!m_stop && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
    std::string out = "HTTP/1.1 " + std::to_string(m_response.Status) + " " + m_response.Reason + "\r\n";
    for (const auto& [name, value] : m_response.Headers) {
        out += name;
        out += ": ";
        out += value;
        out += "\r\n";
    }
    if (m_response.SendContentLength) out += "Content-Length: " + std::to_string(m_response.Body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    out += m_response.Body;
    std::size_t sent = 0;
    while (!m_stop && sent < out.size()) {
        const ssize_t n = ::send(fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, kSliceMs);
        } else {
            return;  // the client gave up (a body over its cap, say)
        }
    }
}

ClosedLocalPort::ClosedLocalPort()
{
    m_fd = BoundLoopbackSocket(m_port);
}

ClosedLocalPort::~ClosedLocalPort()
{
    ::close(m_fd);
}

std::string ClosedLocalPort::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}
