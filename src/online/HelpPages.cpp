#include "online/HelpPages.h"

#include "online/WebSites.h"

#include "dialogs/Messages.h"
#include "lang/Languages.h"

#include <system_error>

#include "settings/IniFile.h"
#include "settings/Utf8.h"

namespace fs = std::filesystem;

namespace {

std::string PageName(const std::string& topic)
{
    const std::string page = topic.substr(0, topic.find('#'));
    return page.empty() ? std::string(kHelpStartPage) : page;
}

}  // namespace

std::optional<THelpTarget> ResolveHelpTopic(const fs::path& helpFolder, const std::string& topic)
{
    const std::string::size_type hash = topic.find('#');
    const std::string page = PageName(topic);
    // Topics name pages of the folder itself (images sit in a subfolder and
    // are no topics); anything with a separator is a mistake, not a page.
    if (page.find('/') != std::string::npos || page == "." || page == "..") return std::nullopt;
    const fs::path file = helpFolder / page;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    return THelpTarget{file, hash == std::string::npos ? std::string() : topic.substr(hash + 1)};
}

std::string FileUrl(const fs::path& path, const std::string& anchor)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec) absolute = path;
    std::string url = "file://" + PercentEncode(absolute.lexically_normal().string(), true);
    if (!anchor.empty()) url += '#' + PercentEncode(anchor);
    return url;
}

std::string HelpForwardingPage(const std::string& url)
{
    // url comes from FileUrl: percent-encoded, so it holds no quote, '<' or
    // '&' that could break out of the attribute or the script string.
    return "<!DOCTYPE html>\n"
           "<html><head><meta charset=\"utf-8\">\n"
           "<meta http-equiv=\"refresh\" content=\"0; url=" +
           url +
           "\">\n"
           "<title>Scalio Help</title>\n"
           "<script>location.replace(\"" +
           url +
           "\");</script>\n"
           "</head><body><p><a href=\"" +
           url + "\">Scalio Help</a></p></body></html>\n";
}

fs::path HelpForwarderPath(const TEnvironment& env)
{
    const std::optional<std::string> runtime = env("XDG_RUNTIME_DIR");
    if (runtime && !runtime->empty() && runtime->front() == '/') return fs::path(*runtime) / "scalio-help.htm";
    // No application-data folder at all: no place for the forwarder.
    if (GetSpecialFolderPath(env).empty()) return {};
    return fs::path(SettingsFolder(env)) / "help-topic.htm";
}

std::optional<std::string> PrepareHelpUrl(const fs::path& helpFolder, const std::string& topic, const TEnvironment& env)
{
    const std::optional<THelpTarget> target = ResolveHelpTopic(helpFolder, topic);
    if (!target) return std::nullopt;
    if (target->Anchor.empty()) return FileUrl(target->Page);
    const fs::path forwarder = HelpForwarderPath(env);
    if (forwarder.empty() || !WriteFileAtomically(forwarder, HelpForwardingPage(FileUrl(target->Page, target->Anchor))))
        return std::nullopt;
    return FileUrl(forwarder);
}

std::u16string HelpFailureText(const std::string& topic)
{
    return u"The help page '" + Utf8ToUtf16(PageName(topic)) + u"' could not be opened.";
}

bool TReportingShell::OpenHelp(const std::string& topic)
{
    if (m_inner.OpenHelp(topic)) return true;
    ShowAnswerDialog(u"Scalio", HelpFailureText(topic), {GetLangText(100)}, TAnswerIcon::Error);
    return false;
}
