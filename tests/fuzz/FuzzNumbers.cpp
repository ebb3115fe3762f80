// The readers of numbers people type and the settings file holds, and the
// format the program writes numbers in.
//
// Input: the text as UTF-8, then optionally a NUL byte and parameter bytes
// (decimal separator, min, max and default, a real to format), so that a
// seed is just the text.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "draw/FormatGeneral.h"
#include "settings/Numbers.h"
#include "settings/Settings.h"

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view t)
{
    while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
    return t;
}

// The digits of an optionally signed decimal integer text, or nothing when
// it is not one; negative tells the sign.
std::optional<std::u16string_view> IntegerDigits(std::u16string_view t, bool& negative)
{
    negative = !t.empty() && t.front() == u'-';
    if (!t.empty() && (t.front() == u'-' || t.front() == u'+')) t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    for (char16_t c : t)
        if (!IsDigit(c)) return std::nullopt;
    return t;
}

// The magnitude of a digit string, saturated at limit.
std::int64_t Magnitude(std::u16string_view digits, std::int64_t limit)
{
    while (digits.size() > 1 && digits.front() == u'0') digits.remove_prefix(1);
    if (digits.size() > 18) return limit;
    std::string ascii(digits.begin(), digits.end());
    std::int64_t value = 0;
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return std::min(value, limit);
}

void CheckIntegers(std::u16string_view text, FuzzedDataProvider& params)
{
    constexpr std::int64_t kBeyond = std::int64_t{1} << 32;
    const std::optional<std::int64_t> read = ReadDecimalInteger(text);
    bool negative = false;
    const std::optional<std::u16string_view> digits = IntegerDigits(Trim(text), negative);
    FUZZ_CHECK(read.has_value() == digits.has_value(), "\"%s\" %s", Show(text).c_str(),
               read ? "read as an integer" : "not read as an integer");
    if (read) {
        const std::int64_t magnitude = Magnitude(*digits, kBeyond);
        FUZZ_CHECK(*read == (negative ? -magnitude : magnitude), "\"%s\" read as %lld", Show(text).c_str(),
                   static_cast<long long>(*read));
    }

    // The settings file's integers: the same decimal reading within 32 bits
    // where there are no blanks around it, and hexadecimal besides.
    const std::optional<std::int32_t> setting = ParseSettingsInteger(text);
    const bool hex = text.size() > 2 && text[0] == u'0' && text[1] == u'x';
    if (!hex && Trim(text) == text) {
        const bool fits = read && *read >= std::numeric_limits<std::int32_t>::min() &&
                          *read <= std::numeric_limits<std::int32_t>::max();
        FUZZ_CHECK(setting.has_value() == fits && (!fits || *setting == *read),
                   "\"%s\" reads differently in the settings file", Show(text).c_str());
    }
    if (setting) {
        // What the file gets for the value reads back as the value, as a
        // colour's hexadecimal does.
        const std::string decimal = std::to_string(*setting);
        FUZZ_CHECK(ParseSettingsInteger(std::u16string(decimal.begin(), decimal.end())) == setting,
                   "%s does not read back", decimal.c_str());
        char hexText[16];
        std::snprintf(hexText, sizeof hexText, "0x%X", static_cast<unsigned>(static_cast<std::uint32_t>(*setting)));
        const std::string h = hexText;
        FUZZ_CHECK(ParseSettingsInteger(std::u16string(h.begin(), h.end())) == setting, "%s does not read back",
                   hexText);
    }

    // A field's integer: always inside its range, the typed value where it
    // lies inside.
    const auto min = params.ConsumeIntegral<std::int32_t>();
    const auto max = params.ConsumeIntegralInRange<std::int32_t>(min, std::numeric_limits<std::int32_t>::max());
    const auto def = params.ConsumeIntegral<std::int32_t>();
    const std::int32_t fixed = FixStrToInt(text, min, max, def);
    FUZZ_CHECK(fixed >= min && fixed <= max, "FixStrToInt(\"%s\", %d, %d, %d) = %d", Show(text).c_str(), min, max, def,
               fixed);
    if (read && *read >= min && *read <= max)
        FUZZ_CHECK(fixed == *read, "FixStrToInt(\"%s\") = %d lost the typed value", Show(text).c_str(), fixed);
    if (!read && def >= min && def <= max)
        FUZZ_CHECK(fixed == def, "FixStrToInt(\"%s\") = %d, not the default %d", Show(text).c_str(), fixed, def);
}

// The text with every separator in it read as a point.
std::u16string WithPoint(std::u16string_view text, char16_t separator)
{
    std::u16string out(text);
    for (char16_t& c : out)
        if (c == separator || c == u',') c = u'.';
    return out;
}

bool SameReal(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

// What the program writes reads back to a number that it writes the same
// way: values survive any number of saves.
void CheckFormatted(double value, char16_t separator)
{
    if (!std::isfinite(value)) return;
    const std::u16string written = FormatGeneral(value, separator);
    const std::optional<double> back = ReadDecimalReal(written, separator);
    FUZZ_CHECK(back.has_value(), "%.17g is written as \"%s\", which does not read back", value, Show(written).c_str());
    FUZZ_CHECK(FormatGeneral(*back, separator) == written, "%.17g is written as \"%s\", read back as %.17g", value,
               Show(written).c_str(), *back);
    // Fifteen significant digits: the value read back is that close.
    if (std::fabs(value) >= std::numeric_limits<double>::min())
        FUZZ_CHECK(std::fabs(*back - value) <= 1e-14 * std::fabs(value), "%.17g came back as %.17g", value, *back);
}

void CheckReals(std::u16string_view text, FuzzedDataProvider& params)
{
    // A locale's separator is no digit, sign or exponent letter; without
    // parameters it is the point.
    char16_t separator = params.ConsumeIntegral<char16_t>();
    if (separator == 0 || IsDigit(separator) || separator == u'-' || separator == u'+' || separator == u'e' ||
        separator == u'E')
        separator = u'.';
    const std::optional<double> read = ReadDecimalReal(text, separator);
    if (read) FUZZ_CHECK(std::isfinite(*read), "\"%s\" read as %g", Show(text).c_str(), *read);
    FUZZ_CHECK(SameReal(ParseSettingsReal(text, separator), read), "\"%s\" reads differently in the settings file",
               Show(text).c_str());
    // The separator only stands in for the point.
    FUZZ_CHECK(SameReal(ReadDecimalReal(WithPoint(text, separator), u'.'), read),
               "\"%s\" reads differently with a point for its separator", Show(text).c_str());
    if (read) {
        const double expected = *read;
        // A sign in front changes the sign and nothing else.
        if (!text.empty() && text.front() != u'-' && text.front() != u'+')
            FUZZ_CHECK(SameReal(ReadDecimalReal(u"-" + std::u16string(text), separator), -expected),
                       "\"-%s\" is not the negative", Show(text).c_str());
        CheckFormatted(expected, separator);
    }

    // A field's real: inside its range, the typed value where it lies inside.
    double min = params.ConsumeFloatingPoint<double>();
    double max = params.ConsumeFloatingPoint<double>();
    if (min > max) std::swap(min, max);
    const double def =
        params.ConsumeBool() ? std::numeric_limits<double>::quiet_NaN() : params.ConsumeFloatingPoint<double>();
    const double fixed = FixStrToFloat(text, min, max, def, separator);
    FUZZ_CHECK(fixed >= min && fixed <= max && std::isfinite(fixed), "FixStrToFloat(\"%s\", %g, %g, %g) = %g",
               Show(text).c_str(), min, max, def, fixed);
    const std::optional<double> trimmed = ReadDecimalReal(Trim(text), separator);
    if (trimmed && *trimmed >= min && *trimmed <= max)
        FUZZ_CHECK(fixed == *trimmed, "FixStrToFloat(\"%s\") = %g lost the typed value", Show(text).c_str(), fixed);

    // Any double the program may hold, from its raw bits.
    double bits = 0;
    const std::uint64_t raw = params.ConsumeIntegral<std::uint64_t>();
    std::memcpy(&bits, &raw, sizeof bits);
    CheckFormatted(bits, separator);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = AsBytes(data, size);
    const std::size_t nul = input.find('\0');
    const std::u16string text = Utf8ToUtf16(input.substr(0, nul));
    const std::string_view rest = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    FuzzedDataProvider intParams(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
    FuzzedDataProvider realParams(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
    CheckIntegers(text, intParams);
    CheckReals(text, realParams);
    return 0;
}
