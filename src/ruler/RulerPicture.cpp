#include "ruler/RulerPicture.h"

#include "draw/CommonFunctions.h"

TRulerPicture::TRulerPicture(ITextRasterizer& text) : InfoLayer(RulerImage.AddLayer()), LogoLayer(RulerImage.AddLayer())
{
    RulerImage.Bitmap.SetTextRasterizer(&text);
    TBitmap32& info = InfoLayer.Bitmap;
    info.SetTextRasterizer(&text);
    info.DrawMode = TDrawMode::dmBlend;
    info.CombineMode = TCombineMode::cmMerge;
    info.MasterAlpha = 255;
    info.OuterColor = 0;
    SelectRulerFont(info);
    LogoImage.SetSize(kLogoWidth, kLogoHeight);
    LogoImage.DrawMode = TDrawMode::dmBlend;
}

void TRulerPicture::Resize(int width, int height)
{
    RulerImage.Bitmap.SetSize(width, height);
    InfoLayer.Bitmap.SetSize(width, height);
    InfoLayer.Location = {0, 0, static_cast<float>(width), static_cast<float>(height)};
}
