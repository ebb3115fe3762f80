#include "platform/SessionEnd.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int signo)
{
    const char c = static_cast<char>(signo);
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = write(g_pipe[1], &c, 1);
    errno = saved;
}

}  // namespace

SessionEndWatcher::SessionEndWatcher(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] < 0 && pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) g_pipe[0] = g_pipe[1] = -1;
    if (g_pipe[0] >= 0) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGHUP, &action, nullptr);
        m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
            char buffer[16];
            while (read(g_pipe[0], buffer, sizeof buffer) > 0) {
            }
            emit sessionEnding();
        });
    }
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            // The session may end: save now, as EXIT would.
            manager.release();
            emit sessionEnding();
        });
    }
}

SessionEndWatcher::~SessionEndWatcher()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
}
