#pragma once
// Painting the ruler's picture from its state: the shaded body, the bevel, the
// tick marks and numbers of the scale, the logo's place, and the colour scheme
// icons of the COLOR submenu.

#include <string>
#include <string_view>

#include "draw/Bitmap32.h"
#include "ruler/RulerPicture.h"
#include "ruler/RulerState.h"

// The 1-2-5 sequence: 1, 2, 5, 10, 20, ... for i >= 0, and for negative i the
// reciprocals 0.5, 0.2, 0.1, 0.05, ...
double ScaleStep(int i);
// The digit 1, 2 or 5 that ScaleStep(|i|) starts with; for negative i this is
// the leading digit of 1 / ScaleStep(i), not of ScaleStep(i).
int ScaleStepDigit(int i);

// The steps of one scale, in units: a number every Q, long (16-pixel) marks
// every S16, middle (12) every S12 and short (8) every S8. Digit is
// ScaleStepDigit(I); K the index of the step that bounds PixelsPerUnit.
struct TScaleSteps {
    long double Q = 0;
    long double S16 = 0;
    long double S12 = 0;
    long double S8 = 0;
    int Digit = 0;
    int K = 0;
    int I = 0;
};
// The steps that put numbers 40 to 250 pixels apart for this unit.
// pixelsPerUnit must be positive and finite.
TScaleSteps ChooseScaleSteps(double pixelsPerUnit, TUnits units);

// Rebuilds the whole picture from s: the logo into LogoLayer (shown or hidden,
// placed, turned for the vertical ruler), the body, the bevel, the scale, and
// LastInfoText reset so that the information line redraws. Showing the window
// is the caller's part.
void PaintRulerPicture(TRulerPicture& picture, const RulerState& s, char16_t decimalSeparator);

// Tick marks and numbers over the surface, nothing when s.Scale is off. The
// ruler's length is the surface's width, or its height when s.Rotate.
void DrawScale(TBitmap32& surface, const RulerState& s, char16_t decimalSeparator);
// One mark markSize pixels long at offset pixels from the scale's zero.
void DrawTickMark(TBitmap32& surface, const RulerState& s, int offset, int markSize);
// The number text n centred on the point offFromZero pixels from the scale's
// zero, offFromScale pixels in from the scale edge; left out when it would
// reach into the last 15 pixels before the logo or the far end.
void DrawNumber(TBitmap32& surface, const RulerState& s, std::u16string_view n, int offFromZero, int offFromScale);

// The 16 x 16 icon of a colour scheme's menu item.
TBitmap32 ColorSchemeIcon(const ColorScheme& scheme);
