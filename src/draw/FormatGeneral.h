#pragma once
// Numbers as the user reads them, on the scale and in the settings file: one
// format for both, so a value looks the same wherever it shows.

#include <string>

// At most 15 significant digits, no trailing zeros, the separator only when
// there is a fraction, fixed notation from 0.0001 up to (not including) 1e15
// and otherwise scientific with an upper-case E, a sign only for a negative
// exponent and no leading zeros ("5E-5", "1.5E20"). Independent of the C
// library's locale.
std::u16string FormatGeneral(long double value, char16_t decimalSeparator);
