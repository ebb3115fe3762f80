#include <QApplication>
#include <QByteArray>

#include "dialogs/AnswerDialog.h"
#include "lang/Languages.h"
#include "monitors/Monitors.h"
#include "platform/QtDesktop.h"
#include "platform/QtFlagLoader.h"
#include "platform/QtShell.h"
#include "platform/QtTextRasterizer.h"
#include "platform/WindowSystem.h"
#include "ruler/RulerWindow.h"

namespace {

// Scalio measures device pixels: one Qt pixel must be one screen pixel on
// every monitor, whatever scale the desktop asks for.
void PrepareEnvironment()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Global placement and screen reads need X11; on a Wayland session that
    // is XWayland, unless the user has chosen a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace

int main(int argc, char* argv[])
{
    PrepareEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scalio"));
    QApplication::setApplicationDisplayName(QStringLiteral("Scalio"));
    // The ruler and its tools are tool windows: closing one must not end the
    // program by itself; EXIT does.
    QApplication::setQuitOnLastWindowClosed(false);

    QtTextRasterizer rasterizer;
    SetDefaultTextRasterizer(&rasterizer);
    QtFlagLoader flags;
    Languages().LoadLanguages(ExecutableFolder() / "Languages", flags);

    QtDesktop desktop;
    QtShell shell(ExecutableFolder() / "help");
    TfrmRuler ruler(desktop, shell);
    QtQuestions questions(shell, &ruler);
    SetQuestions(&questions);

    WindowSystem::CloseKeyWatcher closeKeys;
    QObject::connect(&closeKeys, &WindowSystem::CloseKeyWatcher::closeRequested, &ruler, &QWidget::close);

    DetectMonitors(ruler.State, desktop.Monitors());
    ruler.State.ActiveArea = ruler.State.MonitorRects[0];
    ruler.StartUp();

    const int result = QApplication::exec();
    SetQuestions(nullptr);
    return result;
}
