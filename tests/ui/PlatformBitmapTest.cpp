#include "platform/PlatformBitmap.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/QtFlagLoader.h"
#include "support/TempDir.h"

namespace {

TEST(PlatformBitmap, KeepsSizeAndColoursAndDropsAlpha)
{
    TBitmap32 b(3, 2);
    b.SetPixelS(0, 0, 0x80FF0000);
    b.SetPixelS(2, 1, 0x00123456);
    b.SetPixelS(1, 0, 0xFF00FF00);
    const QImage image = ToPlatformBitmap(b);
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 2);
    EXPECT_FALSE(image.hasAlphaChannel());
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(2, 1), 0xFF123456u);
    EXPECT_EQ(image.pixel(1, 0), 0xFF00FF00u);
    EXPECT_TRUE(ToPlatformBitmap(TBitmap32()).isNull());
}

TEST(PlatformBitmap, RoundTripKeepsAlphaWhenAsked)
{
    TBitmap32 b(2, 2);
    b.Clear(0x40A0B0C0);
    const TBitmap32 back = FromPlatformBitmap(ToPlatformImage(b));
    ASSERT_EQ(back.Width(), 2);
    EXPECT_EQ(back.Pixel(1, 1), 0x40A0B0C0u);
}

TEST(QtFlagLoader, LoadsABmpAndRefusesAnythingElse)
{
    TempDir dir;
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(0xFF0000FF);
    flag.setPixel(3, 4, 0xFFFFFF00);
    ASSERT_TRUE(flag.save(QString::fromStdString((dir.Path() / "DE.bmp").string()), "BMP"));
    dir.Write("XX.bmp", "this is no bitmap");

    QtFlagLoader loader;
    const auto loaded = loader.LoadFlag(dir.Path() / "DE.bmp");
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Width(), 16);
    EXPECT_EQ(loaded->Pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(loaded->Pixel(3, 4), 0xFFFFFF00u);
    EXPECT_FALSE(loader.LoadFlag(dir.Path() / "XX.bmp").has_value());
    EXPECT_FALSE(loader.LoadFlag(dir.Path() / "missing.bmp").has_value());
}

}  // namespace
