#include "ruler/InfoLine.h"

#include <cstdio>

#include "draw/CommonFunctions.h"

namespace {

std::u16string Ascii(const char* s)
{
    std::u16string out;
    for (; *s; ++s) out += static_cast<char16_t>(static_cast<unsigned char>(*s));
    return out;
}

std::u16string Decimal(long long v)
{
    return Ascii(std::to_string(v).c_str());
}

// " @ " and the resolution, after the unit; nothing for pixels.
std::u16string ResolutionSuffix(const RulerState& s, const TLanguageTable& texts)
{
    if (s.Units == TUnits::Pixels) return {};
    switch (s.Resolution) {
        case TResolution::Dpi72: return u" @ " + texts.GetLangText(62);
        case TResolution::Dpi200: return u" @ " + texts.GetLangText(63);
        case TResolution::Dpi300: return u" @ " + texts.GetLangText(64);
        case TResolution::Dpi600: return u" @ " + texts.GetLangText(65);
        case TResolution::Dpi1200: return u" @ " + texts.GetLangText(66);
        case TResolution::Custom: break;
    }
    return u" @ " + Decimal(s.CustomResolution) + u" " + texts.GetLangText(56);
}

void AppendPart(std::u16string& line, const std::u16string& part)
{
    if (!line.empty()) line += u" \u2022 ";
    line += part;
}

}  // namespace

bool AnyInfoShown(const RulerState& s)
{
    return s.ShowUnitsAndRes || s.ShowMouse || s.ShowRGB || s.ShowHints;
}

std::u16string ComposeInfoLine(const RulerState& s, const TLanguageTable& texts, std::optional<TPoint> pointer,
                               std::optional<TColor32> pixel, const TWindowBounds& ruler)
{
    std::u16string line;
    if (s.ShowUnitsAndRes && s.Scale) line = texts.GetLangText(50) + u": " + s.UnitCode + ResolutionSuffix(s, texts);
    const TPoint p = pointer.value_or(TPoint{});
    if (s.ShowMouse) AppendPart(line, texts.GetLangText(55) + u": (" + Decimal(p.X) + u", " + Decimal(p.Y) + u")");
    if (s.ShowRGB) {
        const TColor32 c = pixel.value_or(0);
        const int r = RedComponent(c), g = GreenComponent(c), b = BlueComponent(c);
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", r, g, b);
        AppendPart(line, u"RGB: " + Decimal(r) + u", " + Decimal(g) + u", " + Decimal(b) + u" (#" + Ascii(hex) + u")");
    }
    if (s.ShowHints && s.StickToMouse) {
        // Against the top edge a click puts the ruler below the pointer,
        // against the bottom edge above it; the bottom wins when both hold.
        if (ruler.Top <= s.ActiveArea.Top) line = texts.GetLangText(207);
        if (static_cast<long long>(ruler.Top) + ruler.Height >=
            static_cast<long long>(s.ActiveArea.Top) + s.ActiveArea.Height)
            line = texts.GetLangText(206);
    }
    return line;
}

void DrawInfoLine(TBitmap32& layer, const std::u16string& text, const RulerState& s)
{
    layer.Clear(0);
    if (s.Rotate || text.empty()) return;
    const int y0 = s.ScaleUp ? 35 : 9;
    DrawEmbossedText(layer, 16, y0, text, s.CurrentScheme.Highlight);
}
