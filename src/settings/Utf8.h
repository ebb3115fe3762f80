#pragma once
// Conversion between the UTF-8 of files and paths and the UTF-16 of the
// program's texts. Malformed input never fails: each bad sequence becomes
// U+FFFD, so a damaged file still yields readable values.

#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
