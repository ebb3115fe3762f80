#include "settings/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) return std::nullopt;
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
