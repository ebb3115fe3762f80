#include <QApplication>
#include <QByteArray>

#include "dialogs/AboutDialog.h"
#include "dialogs/CustomizeDialog.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/Messages.h"
#include "monitors/MultiMonSetupDialog.h"

#include <filesystem>
#include <memory>
#include "online/HelpPages.h"
#include "platform/QtDesktop.h"
#include "platform/QtShell.h"
#include "platform/QtTextRasterizer.h"
#include "platform/SessionEnd.h"
#include "platform/WindowSystem.h"
#include "ruler/RulerWindow.h"

namespace {

// Scalio measures device pixels: one Qt pixel must be one screen pixel on
// every monitor, whatever scale the desktop asks for.
void PrepareEnvironment()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Qt applies a user's scale factors even with automatic scaling off, and
    // every tick and co-ordinate would then be in logical pixels.
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                             "QT_DEVICE_PIXEL_RATIO", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_USE_PHYSICAL_DPI"})
        qunsetenv(name);
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
    // The ruler and its tools are tool windows: closing one must not end the
    // program by itself; EXIT does.
    QApplication::setQuitOnLastWindowClosed(false);

    QtTextRasterizer rasterizer;

    QtDesktop desktop;
    QtShell desktopShell(ProgramDataFolder("help"));
    TReportingShell shell(desktopShell);
    TfrmRuler ruler(desktop, shell, rasterizer);
    QtMessageDialog messages(shell, &ruler);
    InstallMessageDialog(&messages);

    // Alt+F4 and the end of the session end the program as EXIT does.
    WindowSystem::CloseKeyWatcher closeKeys;
    QObject::connect(&closeKeys, &WindowSystem::CloseKeyWatcher::closeRequested, &ruler, &QWidget::close);
    SessionEndWatcher sessionEnd;
    QObject::connect(&sessionEnd, &SessionEndWatcher::sessionEnding, &ruler, &QWidget::close);

    TRulerSetup setup;
    setup.ExecutablePath = QCoreApplication::applicationFilePath().toStdString();
    setup.LanguagesFolder = ProgramDataFolder("Languages");
    int result = 1;
    if (ruler.FormCreate(setup)) {
        // Each dialog is made hidden the first time it is asked for (the
        // commands keep it and show it again); main owns them, so that they
        // go before the ruler's shut-down.
        std::unique_ptr<TfrmAbout> about;
        std::unique_ptr<TfrmMultiMonSetup> monitorSetup;
        std::unique_ptr<TfrmCustomize> customize;
        ruler.Commands.SetAboutDialog([&]() -> QWidget* {
            about = std::make_unique<TfrmAbout>(ruler.Commands, shell);
            about->SetAnchor(&ruler);
            return about.get();
        });
        ruler.Commands.SetMonitorDialog([&]() -> QWidget* {
            monitorSetup = std::make_unique<TfrmMultiMonSetup>(ruler.State, desktop, shell, ruler.Commands);
            return monitorSetup.get();
        });
        ruler.Commands.SetCustomizeDialog([&]() -> QWidget* {
            customize = std::make_unique<TfrmCustomize>(ruler.State, ruler.Commands, shell, rasterizer,
                                                        ruler.DecimalSeparator());
            return customize.get();
        });
        // The About dialog greets a first start, before any settings file.
        if (!std::filesystem::exists(ruler.SettingsPath())) ruler.Commands.ShowAboutDialog();
        result = QApplication::exec();
    }
    ruler.FormDestroy();
    InstallMessageDialog(nullptr);
    return result;
}
