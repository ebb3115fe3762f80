#include "online/CompanionMagnifier.h"

#include <system_error>
#include <vector>

#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "online/Shell.h"
#include "online/WebSites.h"
#include "settings/IniFile.h"
#include "settings/Utf8.h"

namespace fs = std::filesystem;

std::string ReadCompanionMagnifierPath(const fs::path& config)
{
    TIniFile ini;
    if (ini.Load(config) != TIniLoad::Loaded) return {};
    const auto path = ini.Read("Lentix", "Path");
    return path ? Utf16ToUtf8(*path) : std::string();
}

std::vector<fs::path> CompanionConfigFolders(const TEnvironment& env)
{
    std::vector<fs::path> folders;
    const std::optional<std::string> dirs = env("XDG_CONFIG_DIRS");
    if (dirs) {
        std::string::size_type start = 0;
        while (start <= dirs->size()) {
            std::string::size_type end = dirs->find(':', start);
            if (end == std::string::npos) end = dirs->size();
            const std::string entry = dirs->substr(start, end - start);
            // A relative entry would depend on the folder Scalio was started
            // from; the base directory rules say to ignore it.
            if (!entry.empty() && entry.front() == '/') folders.emplace_back(entry);
            start = end + 1;
        }
    }
    if (folders.empty()) folders.emplace_back("/etc/xdg");
    return folders;
}

std::string FindCompanionMagnifierPath(const TEnvironment& env)
{
    for (const fs::path& folder : CompanionConfigFolders(env)) {
        const fs::path file = folder / kMakerName / "Lentix.ini";
        std::error_code ec;
        if (fs::exists(file, ec)) return ReadCompanionMagnifierPath(file);
    }
    return {};
}

TMagnifierStep MagnifierStep(const std::string& magnifierPath)
{
    const fs::path program(magnifierPath);
    if (magnifierPath.empty() || !program.is_absolute()) return TMagnifierStep::AskDownload;
    std::error_code ec;
    // A folder or a missing file cannot be run; a download is the useful offer.
    return fs::is_regular_file(program, ec) ? TMagnifierStep::Run : TMagnifierStep::AskDownload;
}

void LaunchCompanionMagnifier(const std::string& magnifierPath, IShell& shell)
{
    if (MagnifierStep(magnifierPath) == TMagnifierStep::Run) {
        shell.RunProgram(magnifierPath);
        return;
    }
    const int answer =
        ShowAnswerDialog(u"Scalio", GetLangText(150), {GetLangText(163), GetLangText(164)}, TAnswerIcon::Question);
    if (answer == 1) shell.OpenUrl(DownloadPage());
}
