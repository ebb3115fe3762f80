#include "draw/CommonFunctions.h"

#include <algorithm>

void DrawGradient(TBitmap32& surface, TColor32 a, TColor32 b, bool vertical)
{
    if (surface.Empty()) return;
    const int w = surface.Width();
    const int h = surface.Height();
    const int half = vertical ? w / 2 : h / 2;
    const int ar = RedComponent(a), ag = GreenComponent(a), ab = BlueComponent(a);
    const int dr = ar - RedComponent(b), dg = ag - GreenComponent(b), db = ab - BlueComponent(b);
    for (int t = 0; t <= half; ++t) {
        // With half 0 (a surface one line thick) the single line is the edge.
        const auto step = [t, half](int a0, int delta) {
            return half == 0 ? a0 : a0 - static_cast<int>(static_cast<double>(t * delta) / half);
        };
        const TColor32 colour = Color32(step(ar, dr), step(ag, dg), step(ab, db));
        if (vertical) {
            surface.Line(t, 0, t, h, colour);
            surface.Line(w - t - 1, 0, w - t - 1, h, colour);
        } else {
            surface.Line(0, t, w, t, colour);
            surface.Line(0, h - t - 1, w, h - t - 1, colour);
        }
    }
}

void DrawBevel(TBitmap32& surface, int left, int top, int right, int bottom, int width, TColor32 c, bool inverted)
{
    const auto factor = [width, inverted](int g) {
        const double r = static_cast<double>(g) / width;
        return inverted ? r - 1 : 1 - r;
    };
    const auto shade = [&surface, c](int x, int y, double f) {
        surface.SetPixelS(x, y, ShadeColor(surface.Pixel(x, y), c, f));
    };
    for (int g = 0; g < width; ++g) {
        const double f = factor(g);
        for (int x = left + g; x <= right - g - 2; ++x) shade(x, top + g, f);
        for (int x = left + g + 1; x <= right - g - 1; ++x) shade(x, bottom - g - 1, -f);
    }
    for (int g = 0; g < width; ++g) {
        const double f = factor(g);
        for (int y = top + g + 1; y <= bottom - g - 2; ++y) {
            shade(left + g, y, f);
            shade(right - g - 1, y, -f);
        }
    }
}

TColor32 ShadeColor(TColor32 p, TColor32 c, double factor)
{
    const double f = std::clamp(factor, -1.0, 1.0);
    const auto channel = [f](int v, int target) {
        if (f < 0) return v + static_cast<int>(v * f);
        if (f > 0) return v + static_cast<int>((target - v) * f);
        return v;
    };
    return Color32(channel(RedComponent(p), RedComponent(c)), channel(GreenComponent(p), GreenComponent(c)),
                   channel(BlueComponent(p), BlueComponent(c)));
}

TColor32 DarkenColor(TColor32 c, int percent)
{
    const double k = percent >= 100 ? 0.0 : percent <= 0 ? 1.0 : (100 - percent) / 100.0;
    const auto channel = [k](int v) { return static_cast<int>(v * k); };
    return Color32(channel(RedComponent(c)), channel(GreenComponent(c)), channel(BlueComponent(c)));
}

void DrawEmbossedText(TBitmap32& surface, int x, int y, std::u16string_view text, TColor32 highlight)
{
    surface.RenderText(x + 1, y + 1, text, 0, TextLightColor(highlight));
    surface.RenderText(x, y, text, 0, TextDarkColor());
}

void SelectRulerFont(TBitmap32& surface)
{
    surface.Font = TFont32{"Tahoma", true, 14};
    surface.UpdateFont();
}
