#pragma once
// Starting Scalio with the desktop session: an XDG autostart entry,
// <config>/autostart/Scalio.desktop, where <config> is $XDG_CONFIG_HOME or
// ~/.config (GetSpecialFolderPath). Like the other desktop's Run value it
// stands for, the entry is added only when absent and removed only when
// present: an entry the user or an older installation left, even one that
// starts another copy of the program, is never rewritten.
//
// The settings key [General] AutoStart only mirrors the menu's check mark;
// nothing here is called at start-up.

#include <filesystem>
#include <string>

#include "settings/SettingsLocation.h"

// The entry's full path; empty when there is no usable configuration folder.
std::filesystem::path AutostartEntryPath(const TEnvironment& env = ProcessEnvironment());

// One argument of a desktop entry's Exec key, quoted when it holds a blank or
// another reserved character, with '%' doubled and the key's own string
// escapes applied, so that the session starts exactly this file.
std::string DesktopExecArgument(const std::string& argument);

// The text of an entry that starts executable.
std::string AutostartEntryText(const std::filesystem::path& executable);

// AUTOSTART: with enabled, writes the entry for executable (atomically) unless
// one is there already; without it, deletes the entry if there is one. True
// when the entry is there (enabled) or gone (disabled) on return; on false
// nothing has changed on the disk and the caller shows AutostartFailedText()
// with the error icon, leaving the menu item toggled.
bool SetAutostart(bool enabled, const std::filesystem::path& executable,
                  const TEnvironment& env = ProcessEnvironment());

// "Failed to set data for 'Scalio'": the system's wording for a failed write
// of the value named Scalio, kept in English like any system message.
std::u16string AutostartFailedText();
