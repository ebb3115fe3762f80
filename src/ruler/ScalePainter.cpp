#include "ruler/ScalePainter.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "draw/CommonFunctions.h"
#include "draw/FormatGeneral.h"

namespace {

// The scale's zero lies this far in from the ruler's start unless NoOffset.
constexpr int kZeroOffset = 20;
// Numbers stand this far in from the scale edge, just past the long marks.
constexpr int kNumberInset = 20;
// Numbers keep this far away from the logo or the far end.
constexpr int kNumberEndGap = 15;
// Room kept for the logo by the numbers, and the logo's distance from the end.
constexpr int kLogoGap = 5;
constexpr int kLogoEndGap = 20;
constexpr int kBevelWidth = 5;
// Marks never reach the last pixels of the ruler; with the zero offset they
// stop as far from the end as the zero is from the start.
constexpr int kEndMargin = 5;
constexpr int kZeroOffsetEndMargin = 35;
// Where the search for the number step starts.
constexpr int kFirstStepIndex = -30;

bool UsablePixelsPerUnit(double ppu)
{
    return std::isnormal(ppu) && ppu > 0;
}

// Nearest, ties to even: the default floating-point rounding mode.
int RoundPosition(long double v)
{
    return static_cast<int>(std::nearbyint(v));
}

struct TickPass {
    long double Step;
    int MarkSize;
};

}  // namespace

double ScaleStep(int i)
{
    static constexpr int kDigits[3] = {1, 2, 5};
    const long long m = std::llabs(static_cast<long long>(i));
    // Powers of ten up to 10^27 are exact in extended precision, far beyond
    // any step a scale uses, so the value reaches a double with one rounding.
    long double value = kDigits[m % 3];
    long double power = 10;
    for (long long e = m / 3; e > 0 && std::isfinite(value); e /= 2, power *= power)
        if (e % 2) value *= power;
    const auto step = static_cast<double>(value);
    return i >= 0 ? step : 1.0 / step;
}

int ScaleStepDigit(int i)
{
    static constexpr int kDigits[3] = {1, 2, 5};
    return kDigits[std::llabs(static_cast<long long>(i)) % 3];
}

TScaleSteps ChooseScaleSteps(double pixelsPerUnit, TUnits units)
{
    TScaleSteps r;
    int k = kFirstStepIndex;
    if (UsablePixelsPerUnit(pixelsPerUnit)) {
        if (pixelsPerUnit <= 2 * ScaleStep(k)) {
            // Only a custom unit far beyond the dialog's limits gets here.
            // Stopping at the first index would put numbers less than a pixel
            // apart and draw billions of them, so keep looking downwards.
            while (pixelsPerUnit <= 2 * ScaleStep(k - 1)) --k;
        } else {
            while (!(pixelsPerUnit <= 2 * ScaleStep(k))) ++k;
        }
    }
    const int j = 5 - k;
    const int i = ScaleStep(j) >= 1 ? j : j + 1;
    // The steps are doubles; only positions and counts use extended precision.
    // Kept in a double, 0.1 x 1.25 is exactly the eighth inch it stands for.
    double q = ScaleStep(i);
    const int d = ScaleStepDigit(i);
    if (units == TUnits::Inches && q < 0.5) q = q * 1.25;

    // How a number step splits into long, middle and short marks.
    struct Split {
        double S16, S12, S8;
    };
    const Split halves{q, q / 2, q / 10};
    const Split fifths{q, q / 5, q / 10};
    const Split eighths{q / 2, q / 4, q / 8};
    Split split = fifths;
    if (units == TUnits::Inches)
        split = q <= 2 ? eighths : (d == 1 || d == 2) ? halves : fifths;
    else if (d == 1 || (d == 5 && q < 0.5))
        split = halves;
    else if (d == 2 && q > 0.5)
        split = eighths;

    r.Q = q;
    r.S16 = split.S16;
    r.S12 = split.S12;
    r.S8 = split.S8;
    r.Digit = d;
    r.K = k;
    r.I = i;
    return r;
}

void DrawTickMark(TBitmap32& surface, const RulerState& s, int offset, int markSize)
{
    const int p = s.NoOffset ? offset : offset + kZeroOffset;
    const int w = surface.Width();
    const int h = surface.Height();
    const auto mark = [&](int at, TColor32 c) {
        if (!s.Rotate) {
            if (s.ScaleUp)
                surface.Line(at, 0, at, markSize, c);
            else
                surface.Line(at, h - markSize, at, h, c);
        } else if (s.ScaleRight) {
            surface.Line(w - markSize, at, w, at, c);
        } else {
            surface.Line(0, at, markSize, at, c);
        }
    };
    mark(p, s.CurrentScheme.Highlight);
    mark(p - 1, DarkenColor(s.CurrentScheme.Shadow, 20));
}

void DrawNumber(TBitmap32& surface, const RulerState& s, std::u16string_view n, int offFromZero, int offFromScale)
{
    const int logo = s.HideLogo ? 0 : kLogoWidth + kLogoGap;
    if (s.NoOffset && n == u"0") return;
    const int b = s.NoOffset ? 0 : kZeroOffset;
    SelectRulerFont(surface);
    const int hw = surface.TextWidth(n) / 2;
    const int hh = surface.TextHeight(n) / 2;
    const int w = surface.Width();
    const int h = surface.Height();
    const TColor32 highlight = s.CurrentScheme.Highlight;
    // The positions below are those of the dark copy; the light one falls a
    // pixel right and down of it.
    if (!s.Rotate) {
        if (!(offFromZero < w - b - logo - hw - kNumberEndGap)) return;
        const int x = b + offFromZero - hw;
        if (s.ScaleUp)
            DrawEmbossedText(surface, x, offFromScale - 2, n, highlight);
        else
            DrawEmbossedText(surface, x, h - 2 * hh - offFromScale + 1, n, highlight);
    } else {
        // The text stays horizontal on the vertical ruler.
        if (!(offFromZero < h - b - logo - hh - kNumberEndGap)) return;
        const int y = b + offFromZero - hh;
        if (s.ScaleRight)
            DrawEmbossedText(surface, w - offFromScale - 2 * hw + 1, y, n, highlight);
        else
            DrawEmbossedText(surface, offFromScale, y, n, highlight);
    }
}

void DrawScale(TBitmap32& surface, const RulerState& s, char16_t decimalSeparator)
{
    if (!s.Scale || surface.Empty()) return;
    const double ppu = s.PixelsPerUnit;
    if (!UsablePixelsPerUnit(ppu)) return;
    const TScaleSteps steps = ChooseScaleSteps(ppu, s.Units);

    const int length = s.Rotate ? surface.Height() : surface.Width();
    long double last = length - kEndMargin;
    long long first = 1;  // without the offset nothing stands at the zero itself
    if (!s.NoOffset) {
        last = length - kZeroOffsetEndMargin - kEndMargin;
        first = 0;
    }
    // The highest index whose position stays within the scale. A step that
    // came out as zero or infinite (only from absurd custom units) gives no
    // finite bound and draws nothing.
    const auto lastIndex = [&](long double step, long long& bound) {
        if (!std::isfinite(step) || step <= 0) return false;
        const long double n = std::trunc(last / ppu / step);
        if (!std::isfinite(n)) return false;
        bound = static_cast<long long>(n);
        return true;
    };

    // Longer marks last, so that they cover shorter ones where passes meet.
    const TickPass passes[] = {{steps.S8, 8}, {steps.S12, 12}, {steps.S16, 16}};
    for (const TickPass& pass : passes) {
        long long bound = 0;
        if (!lastIndex(pass.Step, bound)) continue;
        for (long long i = first; i <= bound; ++i)
            DrawTickMark(surface, s, RoundPosition(static_cast<long double>(i) * ppu * pass.Step), pass.MarkSize);
    }

    long long bound = 0;
    if (!lastIndex(steps.Q, bound)) return;
    for (long long i = first; i <= bound; ++i) {
        const long double value = static_cast<long double>(i) * steps.Q;
        DrawNumber(surface, s, FormatGeneral(value, decimalSeparator),
                   RoundPosition(static_cast<long double>(i) * ppu * steps.Q), kNumberInset);
    }
}

void PaintRulerPicture(TRulerPicture& picture, const RulerState& s, char16_t decimalSeparator)
{
    TBitmapLayer& logo = picture.LogoLayer;
    // A fresh copy each time: turning the previous one again would leave it
    // lying the wrong way after every second repaint.
    logo.Bitmap = picture.LogoImage;
    logo.Visible = !s.HideLogo;
    logo.Cursor = s.HideLogo ? TCursor::crDefault : TCursor::crHandPoint;

    TBitmap32& surface = picture.RulerImage.Bitmap;
    const int w = surface.Width();
    const int h = surface.Height();
    int left = 0;
    int top = 0;
    if (s.Rotate) {
        logo.Bitmap.Rotate90();
        left = (w - logo.Bitmap.Width()) / 2;
        top = h - logo.Bitmap.Height() - kLogoEndGap;
    } else {
        left = w - logo.Bitmap.Width() - kLogoEndGap;
        top = (h - logo.Bitmap.Height()) / 2;
    }
    logo.Location = {static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + logo.Bitmap.Width()),
                     static_cast<float>(top + logo.Bitmap.Height())};

    // Shaded across the short side: dark long edges, light middle.
    DrawGradient(surface, s.CurrentScheme.Shadow, DarkenColor(s.CurrentScheme.Highlight, 15), s.Rotate);
    if (s.Embossed) DrawBevel(surface, 0, 0, w, h, kBevelWidth, s.CurrentScheme.Highlight, false);
    DrawScale(surface, s, decimalSeparator);
    picture.LastInfoText = kRefreshInfoText;
}

TBitmap32 ColorSchemeIcon(const ColorScheme& scheme)
{
    TBitmap32 icon(16, 16);
    // The icon shows the highlight as it is; only the ruler's body darkens it.
    DrawGradient(icon, scheme.Shadow, scheme.Highlight, false);
    return icon;
}
