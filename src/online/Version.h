#pragma once
// The program's version as the user reads it (About dialog) and as the update
// check compares it with the latest one. Keep it in step with the project
// VERSION in the top CMakeLists.txt.

inline constexpr char16_t AppVersion[] = u"3.35";
