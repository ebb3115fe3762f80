#pragma once
// The companion magnifier, Lentix: another program of the maker that Scalio
// only starts. Its installer records where it lives in the machine-wide
// Vendra/Lentix.ini ([Lentix] Path); Scalio reads that once at start-up and
// keeps the path for the MAGNIFIER command, so an installation made while
// Scalio runs counts from its next start.

#include <filesystem>
#include <string>
#include <vector>

#include "settings/SettingsLocation.h"

class IShell;

// The Path key of [Lentix] in the machine-wide file; empty when the file or
// the key is missing.
std::string ReadCompanionMagnifierPath(const std::filesystem::path& config);

// The folders searched for Vendra/Lentix.ini, most important first: the
// absolute entries of $XDG_CONFIG_DIRS, or /etc/xdg when it is unset, empty or
// holds no absolute entry.
std::vector<std::filesystem::path> CompanionConfigFolders(const TEnvironment& env = ProcessEnvironment());

// MagnifierPath at start-up: the first of CompanionConfigFolders() that has
// Vendra/Lentix.ini decides, even when its file lacks the key (empty then),
// as a user's file shadows the system's one.
std::string FindCompanionMagnifierPath(const TEnvironment& env = ProcessEnvironment());

// What MAGNIFIER does with the path read at start-up.
enum class TMagnifierStep {
    Run,          // hand it to IShell::RunProgram, which starts it in its own folder
    AskDownload,  // no path, a relative one, or no program file there (its folder gone too)
};
TMagnifierStep MagnifierStep(const std::string& magnifierPath);

// The whole MAGNIFIER command: runs the program, or, when it is not found,
// asks with ShowAnswerDialog ("Scalio", question icon, cancelable, text 150,
// buttons 163 Yes and 164 No) and opens DownloadPage() on Yes. A program that
// is there but fails to start is ignored, as are failures to open the page.
void LaunchCompanionMagnifier(const std::string& magnifierPath, IShell& shell);
