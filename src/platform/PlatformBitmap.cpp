#include "platform/PlatformBitmap.h"

#include <algorithm>

namespace {
QImage Wrap(const TBitmap32& surface, QImage::Format format)
{
    if (surface.Empty()) return {};
    // TColor32 and QRgb share the 0xAARRGGBB layout.
    QImage image(surface.Width(), surface.Height(), format);
    for (int y = 0; y < surface.Height(); ++y)
        std::copy(surface.ScanLine(y), surface.ScanLine(y) + surface.Width(),
                  reinterpret_cast<QRgb*>(image.scanLine(y)));
    return image;
}
}  // namespace

QImage ToPlatformBitmap(const TBitmap32& surface)
{
    QImage image = Wrap(surface, QImage::Format_RGB32);
    // Format_RGB32 wants the unused byte at 0xFF.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] |= 0xFF000000u;
    }
    return image;
}

QImage ToPlatformImage(const TBitmap32& surface)
{
    return Wrap(surface, QImage::Format_ARGB32);
}

TBitmap32 FromPlatformBitmap(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    TBitmap32 surface(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::copy(line, line + argb.width(), surface.ScanLine(y));
    }
    return surface;
}
