#include <QApplication>
#include <QByteArray>

#include "platform/QtTextRasterizer.h"

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
    QtTextRasterizer rasterizer;
    SetDefaultTextRasterizer(&rasterizer);
    return 0;
}
