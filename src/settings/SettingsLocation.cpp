#include "settings/SettingsLocation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/IniFile.h"
#include "settings/Utf8.h"

namespace {

constexpr const char* kSettingsFileName = "Settings.ini";
constexpr const char* kScratchFileName = "RWTest.tmp";

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::optional<std::string> AbsoluteVariable(const TEnvironment& env, const char* name)
{
    std::optional<std::string> value = env(name);
    if (value && !value->empty() && value->front() == '/') return value;
    return std::nullopt;
}

// Anything at the path, a dangling link included.
bool Exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates every missing level of path, private to the user as configuration
// folders should be.
// A fresh account may have no configuration folder yet: create that one
// level (private, as desktops do) when what it lives in exists. A mistyped
// XDG_CONFIG_HOME or a missing home stays an error rather than a chain of
// new folders.
void CreateConfigFolder(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return;
    if (IsDirectory(path.substr(0, slash))) ::mkdir(path.c_str(), 0700);
}

// The settings folder without its final '/', as the messages show it.
std::string SettingsFolderText(const TEnvironment& env)
{
    return GetSpecialFolderPath(env) + kMakerName + "/" + kProductName;
}

std::u16string FolderMessage(std::u16string_view lead, const TEnvironment& env)
{
    return std::u16string(lead) + u"\r\n" + Utf8ToUtf16(SettingsFolderText(env)) + u"\r\n\r\n" +
           u"Please, ask for online support.";
}

}  // namespace

const TEnvironment& ProcessEnvironment()
{
    static const TEnvironment env = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (!value) return std::nullopt;
        return std::string(value);
    };
    return env;
}

std::string GetSpecialFolderPath(const TEnvironment& env)
{
    if (std::optional<std::string> config = AbsoluteVariable(env, "XDG_CONFIG_HOME")) return WithSlash(*config);
    if (std::optional<std::string> home = AbsoluteVariable(env, "HOME")) return WithSlash(*home) + ".config/";
    return {};
}

std::string SettingsFolder(const TEnvironment& env)
{
    return SettingsFolderText(env) + "/";
}

std::string SettingsFilePath(const TEnvironment& env)
{
    return SettingsFolder(env) + kSettingsFileName;
}

std::string OldSettingsPath(const std::string& executablePath)
{
    return std::filesystem::path(executablePath).replace_extension(".ini").string();
}

bool EnsureSettingsFolder(const TEnvironment& env)
{
    const std::string base = GetSpecialFolderPath(env);
    if (base.empty()) return false;
    if (!IsDirectory(base)) CreateConfigFolder(base.substr(0, base.size() - 1));
    if (!IsDirectory(base)) return false;
    const std::string maker = base + kMakerName;
    if (!IsDirectory(maker)) ::mkdir(maker.c_str(), 0777);
    if (!IsDirectory(maker)) return false;
    const std::string folder = maker + "/" + kProductName;
    if (!IsDirectory(folder)) ::mkdir(folder.c_str(), 0777);
    return IsDirectory(folder);
}

bool SettingsFolderWritable(const TEnvironment& env)
{
    // Without a configuration folder the path would be relative to wherever
    // the program was started.
    if (GetSpecialFolderPath(env).empty()) return false;
    const std::string path = SettingsFolder(env) + kScratchFileName;
    // A scratch file left by an interrupted earlier test.
    if (Exists(path) && ::unlink(path.c_str()) != 0) return false;
    if (Exists(path)) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return false;
    if (::close(fd) != 0) {
        ::unlink(path.c_str());
        return false;
    }
    if (!Exists(path)) return false;
    if (::unlink(path.c_str()) != 0) return false;
    return !Exists(path);
}

void MigrateOldSettings(const std::string& executablePath, const TEnvironment& env)
{
    if (GetSpecialFolderPath(env).empty()) return;
    const std::string target = SettingsFilePath(env);
    if (Exists(target)) return;
    const std::string old = OldSettingsPath(executablePath);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(old, ec)) return;
    std::ifstream in(old, std::ios::binary);
    if (!in) return;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return;
    // Through a temporary file, so that an interrupted copy cannot leave half
    // a settings file that later starts would take for the user's.
    WriteFileAtomically(target, bytes);
}

std::u16string SettingsFolderInaccessibleText(const TEnvironment& env)
{
    return FolderMessage(u"Scalio cannot access the settings folder:", env);
}

std::u16string SettingsFolderNotWritableText(const TEnvironment& env)
{
    return FolderMessage(u"Scalio cannot write into the settings folder:", env);
}
