#include "platform/QtShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "online/HelpPages.h"
#include "settings/DataLocation.h"

QtShell::QtShell(std::filesystem::path helpFolder, TEnvironment env)
    : m_helpFolder(std::move(helpFolder)), m_env(std::move(env))
{
}

bool QtShell::OpenUrl(const std::string& url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool QtShell::OpenHelp(const std::string& topic)
{
    const std::optional<std::string> url = PrepareHelpUrl(m_helpFolder, topic, m_env);
    if (!url) return false;
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(*url), QUrl::StrictMode));
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

std::filesystem::path ProgramDataFolder(std::string_view name)
{
    return FindDataFolder(ExecutableFolder(), name);
}
