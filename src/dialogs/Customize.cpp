#include "dialogs/Customize.h"

#include <string>

#include "draw/CommonFunctions.h"
#include "draw/FormatGeneral.h"
#include "settings/Numbers.h"

namespace {

std::u16string DecimalText(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

int ChannelShift(TColorChannel channel)
{
    switch (channel) {
        case TColorChannel::Red: return 16;
        case TColorChannel::Green: return 8;
        case TColorChannel::Blue: break;
    }
    return 0;
}

std::int32_t ReadInt(const TIntField& field, std::u16string_view text)
{
    return FixStrToInt(text, field.Min, field.Max, field.Default);
}

double ReadReal(const TRealField& field, std::u16string_view text, char16_t decimalSeparator)
{
    return FixStrToFloat(text, field.Min, field.Max, field.Default, decimalSeparator);
}

}  // namespace

std::u16string CorrectIntField(const TIntField& field, std::u16string_view text)
{
    return DecimalText(ReadInt(field, text));
}

std::u16string CorrectRealField(const TRealField& field, std::u16string_view text, char16_t decimalSeparator)
{
    return RatioText(ReadReal(field, text, decimalSeparator), decimalSeparator);
}

std::u16string RatioText(double value, char16_t decimalSeparator)
{
    return FormatGeneral(value, decimalSeparator);
}

TRatioSide FreeUnitToMeterSide(std::u16string_view denominator)
{
    return denominator == u"1" ? TRatioSide::Numerator : TRatioSide::Denominator;
}

TRatioSide FreeMagnificationSide(std::u16string_view numerator)
{
    return numerator == u"1" ? TRatioSide::Denominator : TRatioSide::Numerator;
}

TSizeTexts SizeTypeTexts(const RulerState& s, bool pixels)
{
    const TIntField& field = pixels ? kSizePixelField : kSizePercentField;
    const bool fits = s.CustomSize >= field.Min && s.CustomSize <= field.Max;
    std::u16string text = DecimalText(fits ? s.CustomSize : field.Default);
    return pixels ? TSizeTexts{u"", std::move(text)} : TSizeTexts{std::move(text), u""};
}

const TIntField& SpinField(TSpinAction action)
{
    switch (action) {
        case TSpinAction::PercentUp:
        case TSpinAction::PercentDown: return kSizePercentField;
        case TSpinAction::PixelsUp:
        case TSpinAction::PixelsDown: return kSizePixelField;
        case TSpinAction::TransparencyUp:
        case TSpinAction::TransparencyDown: return kTransparencyField;
        case TSpinAction::None:
        case TSpinAction::ResolutionUp:
        case TSpinAction::ResolutionDown: break;
    }
    return kResolutionField;
}

int SpinDirection(TSpinAction action)
{
    switch (action) {
        case TSpinAction::None: return 0;
        case TSpinAction::ResolutionUp:
        case TSpinAction::PercentUp:
        case TSpinAction::PixelsUp:
        case TSpinAction::TransparencyUp: return 1;
        case TSpinAction::ResolutionDown:
        case TSpinAction::PercentDown:
        case TSpinAction::PixelsDown:
        case TSpinAction::TransparencyDown: break;
    }
    return -1;
}

std::u16string SpinStep(TSpinAction action, std::u16string_view text)
{
    const int direction = SpinDirection(action);
    const TIntField& field = SpinField(action);
    const std::int32_t value = ReadInt(field, text);
    if (direction == 0 || (direction > 0 && value >= field.Max) || (direction < 0 && value <= field.Min))
        return std::u16string(text);
    return DecimalText(value + direction);
}

int ColorByte(TColor32 c, TColorChannel channel)
{
    return static_cast<int>((c >> ChannelShift(channel)) & 0xFFu);
}

TColor32 ReplaceColorByte(TColor32 c, TColorChannel channel, int value)
{
    const int shift = ChannelShift(channel);
    const TColor32 cleared = c & ~(TColor32{0xFF} << shift);
    return Opaque(cleared | (static_cast<TColor32>(value & 0xFF) << shift));
}

std::u16string ColorLabel(TColorChannel channel, int value)
{
    const char16_t* prefix = channel == TColorChannel::Red ? u"R: " : channel == TColorChannel::Green ? u"G: " : u"B: ";
    return prefix + DecimalText(value);
}

void SetUpPreview(TImage32& preview, ITextRasterizer* text)
{
    preview.Bitmap.SetSize(kPreviewWidth, kPreviewHeight);
    preview.Bitmap.SetTextRasterizer(text);
    TBitmapLayer& layer = preview.LayerCount() ? preview.Layer(0) : preview.AddLayer();
    layer.Bitmap.SetSize(kPreviewWidth, kPreviewHeight);
    layer.Bitmap.SetTextRasterizer(text);
    // The text lies on a transparent layer, as on the ruler, so it blends
    // over the gradient instead of replacing it.
    layer.Bitmap.DrawMode = TDrawMode::dmBlend;
    layer.Bitmap.CombineMode = TCombineMode::cmMerge;
    layer.Bitmap.MasterAlpha = 255;
    layer.Bitmap.OuterColor = 0;
    SelectRulerFont(layer.Bitmap);
    layer.Location = {0, 0, static_cast<float>(kPreviewWidth), static_cast<float>(kPreviewHeight)};
}

void DrawPreview(TImage32& preview, TColor32 highlight, TColor32 shadow, std::u16string_view caption)
{
    TBitmap32& body = preview.Bitmap;
    DrawGradient(body, shadow, DarkenColor(highlight, 15), false);
    DrawBevel(body, 0, 0, body.Width(), body.Height(), 5, highlight, false);

    TBitmap32& layer = preview.Layer(0).Bitmap;
    layer.Clear(0);
    const int w = layer.Width();
    const int t = layer.TextWidth(caption);
    // DrawEmbossedText takes the dark copy's place; the light one falls one
    // pixel right of and below it.
    DrawEmbossedText(layer, 30, 6, caption, highlight);
    DrawEmbossedText(layer, w / 2 - t / 2 - 1, 22, caption, highlight);
    DrawEmbossedText(layer, w - t - 31, 38, caption, highlight);
}

TCustomizeFields CustomizeFieldsFromState(const RulerState& s, char16_t decimalSeparator)
{
    TCustomizeFields f;
    f.Name = s.CustomUnit.Name;
    f.Abbreviation = s.CustomUnit.Abbreviation;
    f.UnitToMeterA = RatioText(s.CustomUnit.UnitToMeterA, decimalSeparator);
    f.UnitToMeterB = RatioText(s.CustomUnit.UnitToMeterB, decimalSeparator);
    f.MagnificationA = RatioText(s.CustomUnit.MagnificationA, decimalSeparator);
    f.MagnificationB = RatioText(s.CustomUnit.MagnificationB, decimalSeparator);
    f.Resolution = DecimalText(s.CustomResolution);
    f.SizeInPixels = s.CustomSizeInPixels;
    const TSizeTexts size = SizeTypeTexts(s, s.CustomSizeInPixels);
    f.SizePercent = size.Percent;
    f.SizePixels = size.Pixels;
    f.Transparency = DecimalText(s.CustomTransparency);
    f.Highlight = s.ColorSchemes[kCustomColorScheme].Highlight;
    f.Shadow = s.ColorSchemes[kCustomColorScheme].Shadow;
    return f;
}

void StoreCustomizeFields(const TCustomizeFields& f, RulerState& s, char16_t decimalSeparator)
{
    s.CustomUnit.Name = f.Name;
    s.CustomUnit.Abbreviation = f.Abbreviation;
    s.CustomUnit.UnitToMeterA = ReadReal(kUnitToMeterField, f.UnitToMeterA, decimalSeparator);
    s.CustomUnit.UnitToMeterB = ReadReal(kUnitToMeterField, f.UnitToMeterB, decimalSeparator);
    s.CustomUnit.MagnificationA = ReadReal(kMagnificationField, f.MagnificationA, decimalSeparator);
    s.CustomUnit.MagnificationB = ReadReal(kMagnificationField, f.MagnificationB, decimalSeparator);
    s.CustomResolution = ReadInt(kResolutionField, f.Resolution);
    s.CustomSizeInPixels = f.SizeInPixels;
    s.CustomSize = f.SizeInPixels ? ReadInt(kSizePixelField, f.SizePixels) : ReadInt(kSizePercentField, f.SizePercent);
    s.CustomTransparency = ReadInt(kTransparencyField, f.Transparency);
    s.ColorSchemes[kCustomColorScheme] = {f.Highlight, f.Shadow};
}
