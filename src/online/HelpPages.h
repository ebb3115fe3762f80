#pragma once
// Which of our help pages a help topic means, and the URL that shows it.
//
// A topic is a page of the help folder with an optional anchor,
// "2B_Behavior.htm#Multiple"; "" is the start page index.htm. The browser is
// reached through xdg-open, which drops the "#anchor" of a file URL, so a
// topic with an anchor is opened through a small forwarding page written for
// the occasion that sends the browser on to page and anchor.

#include <filesystem>
#include <optional>
#include <string>

#include "online/Shell.h"
#include "settings/SettingsLocation.h"

inline constexpr char kHelpStartPage[] = "index.htm";

struct THelpTarget {
    std::filesystem::path Page;  // an existing file of the help folder
    std::string Anchor;          // empty: the top of the page
};

// The page and anchor of topic; nullopt when the page is not a file of
// helpFolder (missing, or a name that would lead out of the folder).
std::optional<THelpTarget> ResolveHelpTopic(const std::filesystem::path& helpFolder, const std::string& topic);

// "file://" and the absolute path, percent-encoded, then "#anchor" if any.
std::string FileUrl(const std::filesystem::path& path, const std::string& anchor = {});

// A page that sends the browser to url at once (script and meta refresh,
// with a link for a browser that does neither).
std::string HelpForwardingPage(const std::string& url);

// Where the forwarding page goes: $XDG_RUNTIME_DIR, private to the user and
// emptied at logout, else the settings folder; the name is fixed, so each
// topic replaces the last one's page instead of piling up files.
std::filesystem::path HelpForwarderPath(const TEnvironment& env = ProcessEnvironment());

// The URL to hand to the browser for topic: the page's own file URL when the
// topic has no anchor, else the URL of a freshly written forwarding page.
// nullopt, with nothing written, when the page does not exist; nullopt too
// when the forwarding page cannot be written.
std::optional<std::string> PrepareHelpUrl(const std::filesystem::path& helpFolder, const std::string& topic,
                                          const TEnvironment& env = ProcessEnvironment());

// What the caller shows (caption "Scalio", error icon, button 100 OK) when
// IShell::OpenHelp returns false: the page cannot be found, or no browser
// could be started for it. In English, like the system messages it stands
// for.
std::u16string HelpFailureText(const std::string& topic);

// The shell every window uses: a help page that cannot be opened is told to
// the user here, so that F1 and every dialog's Help button say so alike.
class TReportingShell : public IShell {
public:
    explicit TReportingShell(IShell& inner) : m_inner(inner) {}
    bool OpenUrl(const std::string& url) override { return m_inner.OpenUrl(url); }
    bool OpenHelp(const std::string& topic) override;
    bool RunProgram(const std::filesystem::path& program) override { return m_inner.RunProgram(program); }

private:
    IShell& m_inner;
};
