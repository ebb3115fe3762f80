#pragma once
// Where the program's read-only data lives: the language files (Languages/)
// and the help pages (help/). A program run from its build folder has them
// beside the binary; an installed one (<prefix>/bin/scalio) has them in
// <prefix>/share/scalio/, as the install rules put them.

#include <filesystem>
#include <functional>
#include <string_view>

// The data folder of an installation, relative to the binary's folder.
inline constexpr const char* kInstalledDataFolder = "../share/scalio";

// Tells whether a folder exists; tests give their own.
using TFolderExists = std::function<bool(const std::filesystem::path&)>;

// The folder named name: beside the binary when it is there, else in the
// installation's data folder when it is there (the path cleaned of "..", so
// that messages and file URLs show it plainly). When neither exists, the
// place beside the binary: the program then runs without that data, as it
// would from a build folder that lacks it. executableFolder is a real path
// (the running binary's folder is: the system resolves its links), so
// cleaning ".." lexically lands where the file system would.
std::filesystem::path FindDataFolder(const std::filesystem::path& executableFolder, std::string_view name,
                                     const TFolderExists& exists);
// The same with the file system's answer (a directory, symbolic links
// followed).
std::filesystem::path FindDataFolder(const std::filesystem::path& executableFolder, std::string_view name);
