#include "settings/DataLocation.h"

#include <system_error>

namespace fs = std::filesystem;

fs::path FindDataFolder(const fs::path& executableFolder, std::string_view name, const TFolderExists& exists)
{
    const fs::path beside = executableFolder / name;
    if (exists(beside)) return beside;
    const fs::path installed = (executableFolder / kInstalledDataFolder / name).lexically_normal();
    if (exists(installed)) return installed;
    return beside;
}

fs::path FindDataFolder(const fs::path& executableFolder, std::string_view name)
{
    return FindDataFolder(executableFolder, name, [](const fs::path& folder) {
        std::error_code error;
        return fs::is_directory(folder, error);
    });
}
