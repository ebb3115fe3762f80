#include "draw/Image32.h"

#include <gtest/gtest.h>

#include "draw/CommonFunctions.h"
#include "support/FixedTextRasterizer.h"

namespace {

int MaxChannelDifference(TColor32 a, TColor32 b)
{
    return std::max({std::abs(RedComponent(a) - RedComponent(b)), std::abs(GreenComponent(a) - GreenComponent(b)),
                     std::abs(BlueComponent(a) - BlueComponent(b)), std::abs(AlphaComponent(a) - AlphaComponent(b))});
}

// The information text is drawn on a layer cleared to 0 and merged over the
// ruler; the user must see what drawing straight onto the ruler shows.
TEST(Image32, TextOnAClearLayerLooksLikeTextOnTheSurface)
{
    FixedTextRasterizer fixed;
    const TColor32 highlight = 0xFFFF6060;

    TBitmap32 ruler(80, 30);
    ruler.SetTextRasterizer(&fixed);
    DrawGradient(ruler, 0xFF800000, highlight, false);

    TBitmap32 direct = ruler;
    SelectRulerFont(direct);
    DrawEmbossedText(direct, 6, 4, u"12 cm", highlight);

    TImage32 image;
    image.Bitmap = ruler;
    TBitmapLayer& layer = image.AddLayer();
    layer.Bitmap.SetSize(80, 30);
    layer.Bitmap.SetTextRasterizer(&fixed);
    layer.Bitmap.Clear(0);
    layer.Bitmap.DrawMode = TDrawMode::dmBlend;
    layer.Bitmap.CombineMode = TCombineMode::cmMerge;
    layer.Location = {0, 0, 80, 30};
    SelectRulerFont(layer.Bitmap);
    DrawEmbossedText(layer.Bitmap, 6, 4, u"12 cm", highlight);

    const TBitmap32 shown = image.Composite();
    int changed = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            // Rounding of the intermediate layer may differ by one step.
            EXPECT_LE(MaxChannelDifference(shown.Pixel(x, y), direct.Pixel(x, y)), 1) << x << "," << y;
            EXPECT_EQ(shown.Pixel(x, y) == ruler.Pixel(x, y), direct.Pixel(x, y) == ruler.Pixel(x, y)) << x << "," << y;
            changed += direct.Pixel(x, y) != ruler.Pixel(x, y);
        }
    EXPECT_GT(changed, 100);
}

TEST(Image32, LayersStackInOrderAtTheirLocationAndHiddenOnesDoNotShow)
{
    TImage32 image;
    image.Bitmap.SetSize(10, 4);
    image.Bitmap.Clear(0xFF000000);
    TBitmapLayer& lower = image.AddLayer();
    lower.Bitmap.SetSize(4, 2);
    lower.Bitmap.Clear(0xFFFF0000);
    lower.Location = {2, 1, 6, 3};
    TBitmapLayer& upper = image.AddLayer();
    upper.Bitmap.SetSize(2, 2);
    upper.Bitmap.Clear(0xFF00FF00);
    upper.Location = {4, 1, 6, 3};
    TBitmapLayer& hidden = image.AddLayer();
    hidden.Bitmap.SetSize(10, 4);
    hidden.Bitmap.Clear(0xFF0000FF);
    hidden.Visible = false;

    const TBitmap32 shown = image.Composite();
    EXPECT_EQ(shown.Pixel(1, 1), 0xFF000000u);
    EXPECT_EQ(shown.Pixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(shown.Pixel(3, 2), 0xFFFF0000u);
    EXPECT_EQ(shown.Pixel(4, 1), 0xFF00FF00u);
    EXPECT_EQ(shown.Pixel(5, 2), 0xFF00FF00u);
    EXPECT_EQ(shown.Pixel(6, 2), 0xFF000000u);
    EXPECT_EQ(shown.Pixel(3, 0), 0xFF000000u);
    EXPECT_TRUE(upper.HitTest(4, 1));
    EXPECT_FALSE(upper.HitTest(6, 1));
    EXPECT_FALSE(hidden.HitTest(0, 0));
}

TEST(Image32, BlendLayerHonoursMasterAlpha)
{
    TImage32 image;
    image.Bitmap.SetSize(2, 1);
    image.Bitmap.Clear(0xFF000000);
    TBitmapLayer& layer = image.AddLayer();
    layer.Bitmap.SetSize(2, 1);
    layer.Bitmap.Clear(0xFFFFFFFF);
    layer.Bitmap.DrawMode = TDrawMode::dmBlend;
    layer.Bitmap.MasterAlpha = 51;
    layer.Location = {0, 0, 2, 1};
    EXPECT_EQ(image.Composite().Pixel(1, 0), 0xFF333333u);
}

}  // namespace
