#include "online/CompanionMagnifier.h"

#include "settings/IniFile.h"
#include "settings/Utf8.h"

std::string ReadCompanionMagnifierPath(const std::filesystem::path& config)
{
    TIniFile ini;
    if (ini.Load(config) != TIniLoad::Loaded) return {};
    const auto path = ini.Read("Lentix", "Path");
    return path ? Utf16ToUtf8(*path) : std::string();
}
