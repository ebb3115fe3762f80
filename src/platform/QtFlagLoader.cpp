#include "platform/QtFlagLoader.h"

#include <QImage>

#include "platform/PlatformBitmap.h"

std::optional<TBitmap32> QtFlagLoader::LoadFlag(const std::filesystem::path& file)
{
    QImage image;
    if (!image.load(QString::fromStdString(file.string()), "BMP") || image.isNull()) return std::nullopt;
    return FromPlatformBitmap(image);
}
