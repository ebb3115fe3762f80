#include "online/Magnifier.h"

#include "settings/IniFile.h"
#include "settings/Utf8.h"

std::string ReadMagnifierPath(const std::filesystem::path& config)
{
    TIniFile ini;
    if (ini.Load(config) != TIniLoad::Loaded) return {};
    const auto path = ini.Read("Lentix", "Path");
    return path ? Utf16ToUtf8(*path) : std::string();
}
