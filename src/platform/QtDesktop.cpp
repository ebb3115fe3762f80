#include "platform/QtDesktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "platform/PlatformBitmap.h"
#include "platform/WindowSystem.h"

namespace {

QScreen* ScreenAt(int x, int y)
{
    QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
    return screen ? screen : QGuiApplication::primaryScreen();
}

// On xcb a grab takes co-ordinates relative to its screen; offscreen takes
// them global.
QPoint GrabOrigin(const QScreen* screen)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return {};
    return screen->geometry().topLeft();
}

}  // namespace

std::optional<TPoint> QtDesktop::PointerPos()
{
    if (!QGuiApplication::primaryScreen()) return std::nullopt;
    const QPoint p = QCursor::pos();
    return TPoint{p.x(), p.y()};
}

std::optional<TColor32> QtDesktop::ScreenPixel(int x, int y)
{
    // No screen at all is no access; a pixel the grab cannot give is the
    // platform's invalid colour, as a failed read is elsewhere.
    if (!QGuiApplication::primaryScreen()) return std::nullopt;
    if (const auto direct = WindowSystem::ReadScreenPixel(x, y)) return *direct;
    const TBitmap32 one = GrabScreen(x, y, 1, 1);
    if (one.Empty()) return kInvalidPixel;
    return Opaque(one.Pixel(0, 0));
}

TBitmap32 QtDesktop::GrabScreen(int x, int y, int width, int height)
{
    QScreen* screen = ScreenAt(x, y);
    if (!screen || width <= 0 || height <= 0) return {};
    const QPoint origin = GrabOrigin(screen);
    const QPixmap shot = screen->grabWindow(0, x - origin.x(), y - origin.y(), width, height);
    if (shot.isNull()) return {};
    return FromPlatformBitmap(shot.toImage());
}

std::vector<MonitorRect> QtDesktop::Monitors()
{
    std::vector<MonitorRect> result;
    QList<QScreen*> screens = QGuiApplication::screens();
    // The system's order starts with the primary monitor.
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        screens.removeAll(primary);
        screens.prepend(primary);
    }
    for (const QScreen* s : screens) {
        const QRect g = s->geometry();
        result.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    return result;
}
