#pragma once
// Conversions between the raster surface and Qt's image type, the platform
// bitmap that menus and windows show.

#include <QImage>

#include "draw/Bitmap32.h"

// An opaque image of the same size and colours; the surface's alpha is dropped.
QImage ToPlatformBitmap(const TBitmap32& surface);
// The same image with its alpha kept, for layered pictures shown as they are.
QImage ToPlatformImage(const TBitmap32& surface);
TBitmap32 FromPlatformBitmap(const QImage& image);
