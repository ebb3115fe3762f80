#pragma once
// Hands links, help pages and programs to the desktop.

#include <filesystem>
#include <string_view>

#include "online/Shell.h"
#include "settings/SettingsLocation.h"

class QtShell : public IShell {
public:
    // helpFolder: the program's help/ folder (ProgramDataFolder). env:
    // where a help topic's forwarding page is written (HelpForwarderPath).
    explicit QtShell(std::filesystem::path helpFolder, TEnvironment env = ProcessEnvironment());
    // In the user's browser or mailer; false when no handler could be started.
    bool OpenUrl(const std::string& url) override;
    // The topic's page in the browser, at its anchor; "" is the start page.
    // False, with nothing opened, when the page is not in the help folder;
    // the caller then shows HelpFailureText(topic).
    bool OpenHelp(const std::string& topic) override;
    // Starts the program detached in its own folder; false when it is no
    // file or cannot be started.
    bool RunProgram(const std::filesystem::path& program) override;

private:
    std::filesystem::path m_helpFolder;
    TEnvironment m_env;
};

// The folder of the running binary, its links resolved.
std::filesystem::path ExecutableFolder();
// A folder of the program's data ("Languages", "help"): beside the binary,
// else in ../share/scalio/ of its installation (FindDataFolder).
std::filesystem::path ProgramDataFolder(std::string_view name);
