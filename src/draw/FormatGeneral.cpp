#include "draw/FormatGeneral.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

std::u16string FormatGeneral(long double value, char16_t decimalSeparator)
{
    if (std::isnan(value)) return u"NAN";
    if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
    if (value == 0) return u"0";

    // to_chars ignores the C locale, which a Qt program sets from the user's.
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(result.ptr - buf));
    const bool negative = text.front() == '-';
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0)))
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exponent = 0;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);

    std::u16string out;
    const auto append = [&out](std::string_view s) { out.append(s.begin(), s.end()); };
    if (negative) out += u'-';
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out += u'0';
            out += decimalSeparator;
            out.append(static_cast<std::size_t>(-exponent - 1), u'0');
            append(digits);
        } else {
            const auto intDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                append(digits);
                out.append(intDigits - digits.size(), u'0');
            } else {
                append(std::string_view(digits).substr(0, intDigits));
                out += decimalSeparator;
                append(std::string_view(digits).substr(intDigits));
            }
        }
    } else {
        out += static_cast<char16_t>(digits[0]);
        if (digits.size() > 1) {
            out += decimalSeparator;
            append(std::string_view(digits).substr(1));
        }
        out += u'E';
        if (exponent < 0) out += u'-';
        append(std::to_string(std::abs(exponent)));
    }
    return out;
}
