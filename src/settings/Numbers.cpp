#include "settings/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t kBeyond32Bits = std::int64_t{1} << 32;

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool IsAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::u16string_view TrimBlanks(std::u16string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Fifteen significant digits round the largest double up, past itself:
// FormatGeneral writes it as 1.79769313486232E308. Text up to that, beyond the
// largest double only by that rounding, reads as the largest double, so that
// a value the file held still reads after the program has saved it. The
// check runs in long double, whose range holds such values.
std::optional<double> LargestWritten(const char* first, const char* last)
{
    constexpr long double kLargestWritten = 1.79769313486232E308L;
    long double wide = 0;
    const auto [end, ec] = std::from_chars(first, last, wide);
    if (ec != std::errc() || end != last) return std::nullopt;
    const long double magnitude = std::fabs(wide);
    // Out of range also means too small: those stay unread.
    if (magnitude <= std::numeric_limits<double>::max() || magnitude > kLargestWritten) return std::nullopt;
    return wide < 0 ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
}

}  // namespace

std::optional<std::int64_t> ReadDecimalInteger(std::u16string_view text)
{
    text = TrimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!IsAsciiDigit(text[i])) return std::nullopt;
        value = std::min(value * 10 + (text[i] - u'0'), kBeyond32Bits);
    }
    return negative ? -value : value;
}

std::optional<double> ReadDecimalReal(std::u16string_view text, char16_t decimalSeparator)
{
    // Checked here and handed to from_chars in its own form, which does not
    // depend on the process locale.
    std::string ascii;
    std::size_t i = 0;
    const auto digits = [&] {
        std::size_t count = 0;
        for (; i < text.size() && IsAsciiDigit(text[i]); ++i, ++count) ascii.push_back(static_cast<char>(text[i]));
        return count;
    };
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-') ascii.push_back('-');
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < text.size() && (text[i] == u'.' || text[i] == u',' || text[i] == decimalSeparator)) {
        ascii.push_back('.');
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ascii.push_back(static_cast<char>(text[i++]));
        if (digits() == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const char* const first = ascii.data();
    const char* const last = first + ascii.size();
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) return LargestWritten(first, last);
    if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::int32_t FixStrToInt(std::u16string_view text, std::int32_t min, std::int32_t max, std::int32_t def)
{
    std::int64_t value = ReadDecimalInteger(text).value_or(def);
    if (value < min) value = min;
    if (value > max) value = max;
    return static_cast<std::int32_t>(value);
}

double FixStrToFloat(std::u16string_view text, double min, double max, double def, char16_t decimalSeparator)
{
    const double value = ReadDecimalReal(TrimBlanks(text), decimalSeparator).value_or(def);
    // Written so that a NaN fails the first test.
    if (!(value >= min)) return min;
    if (value > max) return max;
    return value;
}
