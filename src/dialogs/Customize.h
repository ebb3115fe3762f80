#pragma once
// The custom settings dialog without its widgets: the limits of its fields,
// how typed numbers are corrected, which side of a ratio is typed into, the
// texts of the size fields, one step of a spin button, the colour editing,
// the preview and what OK stores. The dialog shows these on screen and turns
// the user's actions into them, so every rule here is testable without a
// window.

#include <cstdint>
#include <string>
#include <string_view>

#include "draw/Color32.h"
#include "draw/Image32.h"
#include "ruler/RulerState.h"

// An integer field: its range, what text that is no number becomes, and how
// many characters it takes.
struct TIntField {
    std::int32_t Min, Max, Default;
    int MaxLength;
};
inline constexpr TIntField kResolutionField{50, 2400, kDefaultCustomResolution, 4};
inline constexpr TIntField kSizePercentField{25, 100, 85, 3};
inline constexpr TIntField kSizePixelField{320, 2048, 800, 4};
inline constexpr TIntField kTransparencyField{0, 80, 60, 3};

// A side of one of the two ratios of the custom unit.
struct TRealField {
    double Min, Max, Default;
    int MaxLength;
};
inline constexpr TRealField kUnitToMeterField{1, 10000, 1, 5};
inline constexpr TRealField kMagnificationField{1, 1000000, 1, 7};

inline constexpr int kUnitNameMaxLength = 20;
inline constexpr int kUnitAbbreviationMaxLength = 3;

// What a field shows once the user has left it.
std::u16string CorrectIntField(const TIntField& field, std::u16string_view text);
std::u16string CorrectRealField(const TRealField& field, std::u16string_view text, char16_t decimalSeparator);
// A ratio side as the dialog writes it: the general number format in the
// user's separator (1000 as "1000", 2.5 as "2.5").
std::u16string RatioText(double value, char16_t decimalSeparator);

enum class TRatioSide { Numerator, Denominator };
// The side of the unit/meter ratio the user types into: the numerator when
// the denominator reads exactly "1", else the denominator.
TRatioSide FreeUnitToMeterSide(std::u16string_view denominator);
// The magnification's typed side: the denominator when the numerator reads
// exactly "1", else the numerator.
TRatioSide FreeMagnificationSide(std::u16string_view numerator);

// The two size fields after the size type was switched: always from the
// stored size, never from what the other field holds; the field of the other
// type is emptied.
struct TSizeTexts {
    std::u16string Percent, Pixels;
};
TSizeTexts SizeTypeTexts(const RulerState& s, bool pixels);

// The held spin button, numbered as the dialog's timer handler knows them.
enum class TSpinAction {
    None,
    ResolutionUp,
    ResolutionDown,
    PercentUp,
    PercentDown,
    PixelsUp,
    PixelsDown,
    TransparencyUp,
    TransparencyDown
};
const TIntField& SpinField(TSpinAction action);
// +1 or -1; 0 for None.
int SpinDirection(TSpinAction action);
// One step: the field's value (corrected) plus or minus one, or the text
// unchanged when the value already stands at the limit the step moves to.
std::u16string SpinStep(TSpinAction action, std::u16string_view text);

enum class TColorChannel { Red, Green, Blue };
int ColorByte(TColor32 c, TColorChannel channel);
// The colour with one byte replaced by value and made opaque.
TColor32 ReplaceColorByte(TColor32 c, TColorChannel channel, int value);
// "R: 12", "G: 0", "B: 255".
std::u16string ColorLabel(TColorChannel channel, int value);

// The preview: a surface of 321 x 60 with one blending layer of the same
// size over it, both measuring and drawing text through text.
inline constexpr int kPreviewWidth = 321;
inline constexpr int kPreviewHeight = 60;
void SetUpPreview(TImage32& preview, ITextRasterizer* text);
// Paints the preview in the ruler's look for the two colours, the caption
// written three times across it.
void DrawPreview(TImage32& preview, TColor32 highlight, TColor32 shadow, std::u16string_view caption);

// Every field of the dialog as text, and the two working colours.
struct TCustomizeFields {
    std::u16string Name, Abbreviation;
    std::u16string UnitToMeterA, UnitToMeterB, MagnificationA, MagnificationB;
    std::u16string Resolution;
    bool SizeInPixels = true;
    std::u16string SizePercent, SizePixels;
    std::u16string Transparency;
    TColor32 Highlight = 0, Shadow = 0;
};
// What showing the dialog fills in from the state.
TCustomizeFields CustomizeFieldsFromState(const RulerState& s, char16_t decimalSeparator);
// What OK stores: every custom value, whether or not a custom choice is
// active. A field's text is read within its limits, so a value that was
// never corrected on screen still stores within them.
void StoreCustomizeFields(const TCustomizeFields& f, RulerState& s, char16_t decimalSeparator);
