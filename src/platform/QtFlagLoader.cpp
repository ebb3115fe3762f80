#include "platform/QtFlagLoader.h"

#include <QImage>
#include <QImageReader>
#include <cstdlib>

#include "platform/PlatformBitmap.h"

std::optional<TBitmap32> QtFlagLoader::LoadFlag(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()), "BMP");
    // A flag is drawn at menu-icon size; a header that claims a picture far
    // larger is no flag, and decoding it would hold megabytes from a file
    // of a few bytes for as long as the program runs.
    // (A picture stored top down has a negative height in its header.)
    const QSize size = reader.size();
    if (std::abs(qint64{size.width()}) > kMaxFlagSide || std::abs(qint64{size.height()}) > kMaxFlagSide)
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull()) return std::nullopt;
    return FromPlatformBitmap(image);
}
