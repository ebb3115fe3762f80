#pragma once
// The built-in English texts, by text identifier.

#include <string>

inline constexpr char16_t kTextNotDefined[] = u"<text not defined>";

// The English text of id, or "<text not defined>" for an identifier the table
// does not hold.
std::u16string EnglishText(int id);
