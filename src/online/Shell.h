#pragma once
// Handing things to the desktop: web and mail links, help pages, other
// programs. One real implementation and a recording fake for tests.

#include <filesystem>
#include <string>

class IShell {
public:
    virtual ~IShell() = default;
    // A web page or a mailto: link in the user's browser or mailer.
    virtual bool OpenUrl(const std::string& url) = 0;
    // A help page beside the program, e.g. "2B_Behavior.htm#Multiple".
    virtual bool OpenHelp(const std::string& topic) = 0;
    // Starts a program in its own folder; false when it cannot be started.
    virtual bool RunProgram(const std::filesystem::path& program) = 0;
};
