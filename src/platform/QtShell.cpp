#include "platform/QtShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

QtShell::QtShell(std::filesystem::path helpFolder) : m_helpFolder(std::move(helpFolder)) {}

bool QtShell::OpenUrl(const std::string& url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool QtShell::OpenHelp(const std::string& topic)
{
    // "page.htm#anchor": the page is a file of the help folder, the anchor
    // stays on the URL.
    const std::string::size_type hash = topic.find('#');
    const std::string page = topic.substr(0, hash);
    QUrl url =
        QUrl::fromLocalFile(QString::fromStdString((m_helpFolder / (page.empty() ? "index.htm" : page)).string()));
    if (hash != std::string::npos) url.setFragment(QString::fromStdString(topic.substr(hash + 1)));
    return QDesktopServices::openUrl(url);
}

bool QtShell::RunProgram(const std::filesystem::path& program)
{
    const QString path = QString::fromStdString(program.string());
    if (!QFileInfo(path).isFile()) return false;
    return QProcess::startDetached(path, {}, QString::fromStdString(program.parent_path().string()));
}

std::filesystem::path ExecutableFolder()
{
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}
