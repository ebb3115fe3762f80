#pragma once
// Where the settings file lives: the user's configuration folder, then
// Vendra/Scalio/Settings.ini. Nothing is cached; every call looks at the
// environment and the disk again. Paths are UTF-8 byte strings.

#include <functional>
#include <optional>
#include <string>

// Looks up one environment variable; nullopt when it is not set. Tests give
// their own; the default reads the process environment.
using TEnvironment = std::function<std::optional<std::string>(const char* name)>;
const TEnvironment& ProcessEnvironment();

inline constexpr const char* kMakerName = "Vendra";
inline constexpr const char* kProductName = "Scalio";

// $XDG_CONFIG_HOME when it is set to an absolute path, else $HOME/.config
// (HOME absolute), always ending in '/'; empty when neither is usable.
std::string GetSpecialFolderPath(const TEnvironment& env = ProcessEnvironment());
// GetSpecialFolderPath() + "Vendra/Scalio/".
std::string SettingsFolder(const TEnvironment& env = ProcessEnvironment());
// SettingsFolder() + "Settings.ini".
std::string SettingsFilePath(const TEnvironment& env = ProcessEnvironment());
// The settings file of an older installation: the executable's path with
// ".ini" in place of its extension (appended when it has none).
std::string OldSettingsPath(const std::string& executablePath);

// True when the settings folder exists on return. The configuration folder
// itself is created when missing (a fresh account need not have one); the two
// folders below it one level each.
bool EnsureSettingsFolder(const TEnvironment& env = ProcessEnvironment());
// True when the scratch file RWTest.tmp could be created in the settings
// folder and removed again (a leftover one is removed first).
bool SettingsFolderWritable(const TEnvironment& env = ProcessEnvironment());
// Copies the old settings file in when the folder holds no settings file yet;
// failures are swallowed (the program then starts with defaults).
void MigrateOldSettings(const std::string& executablePath, const TEnvironment& env = ProcessEnvironment());

// The texts of the two critical errors of start-up, with "\r\n" line breaks;
// shown captioned kCriticalErrorCaption.
inline constexpr const char16_t* kCriticalErrorCaption = u"Critical error";
std::u16string SettingsFolderInaccessibleText(const TEnvironment& env = ProcessEnvironment());
std::u16string SettingsFolderNotWritableText(const TEnvironment& env = ProcessEnvironment());
