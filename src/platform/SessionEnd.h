#pragma once
// Tells when the program must end with the desktop session: the session
// manager's request to save (commitDataRequest), or SIGTERM or SIGHUP sent to
// the process. Signals are turned into an event of the user-interface thread
// through a pipe, since nothing else may run in a signal handler.

#include <QObject>
#include <memory>

class QSocketNotifier;

class SessionEndWatcher : public QObject {
    Q_OBJECT
public:
    explicit SessionEndWatcher(QObject* parent = nullptr);
    ~SessionEndWatcher() override;

signals:
    void sessionEnding();

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};
