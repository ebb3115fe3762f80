#pragma once
// How the program reads the numbers people type and the settings file
// holds: one reader for integers and one for reals, shared by every field and
// by the settings file, so that a value reads the same wherever it was
// written.

#include <cstdint>
#include <optional>
#include <string_view>

// Blanks around the text, an optional sign, ASCII digits. nullopt for text
// that is not one (an empty or blank text, a stray character, a sign alone).
// Digits past 32 bits only tell that the number is too large: such a value is
// held just beyond the 32-bit range, so it stays a number outside every range.
std::optional<std::int64_t> ReadDecimalInteger(std::u16string_view text);

// Decimal text with an optional exponent ("1E20", "2.5E-7", and "1e+20" as
// earlier versions wrote it); the decimal separator may be '.', ',' or
// decimalSeparator, so that a value written under another locale still
// reads. No thousands separators and no blanks. nullopt when it is not a
// finite number; the largest double as 15 digits write it
// (1.79769313486232E308, a little beyond it) reads as the largest double.
std::optional<double> ReadDecimalReal(std::u16string_view text, char16_t decimalSeparator);

// The text as a decimal integer (ReadDecimalInteger), or def when it is not
// one; then raised to min and after that lowered to max.
std::int32_t FixStrToInt(std::u16string_view text, std::int32_t min, std::int32_t max, std::int32_t def);

// The text, blanks around it dropped, as a real (ReadDecimalReal), or def
// when it is not one; then raised to min and after that lowered to max. A
// value that does not compare (a NaN default) comes out as min.
double FixStrToFloat(std::u16string_view text, double min, double max, double def, char16_t decimalSeparator);
