#pragma once
// Hands links, help pages and programs to the desktop.

#include <filesystem>

#include "online/Shell.h"

class QtShell : public IShell {
public:
    // helpFolder: the help/ folder beside the program.
    explicit QtShell(std::filesystem::path helpFolder);
    bool OpenUrl(const std::string& url) override;
    bool OpenHelp(const std::string& topic) override;
    bool RunProgram(const std::filesystem::path& program) override;

private:
    std::filesystem::path m_helpFolder;
};

// The folder of the running binary.
std::filesystem::path ExecutableFolder();
