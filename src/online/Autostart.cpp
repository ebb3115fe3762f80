#include "online/Autostart.h"

#include <string_view>
#include <system_error>

#include "settings/IniFile.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// A dangling link or a folder of that name still counts as an entry: it is
// not ours to replace.
bool EntryPresent(const fs::path& entry, std::error_code& ec)
{
    const fs::file_status status = fs::symlink_status(entry, ec);
    if (ec == std::errc::no_such_file_or_directory) ec.clear();
    return !ec && fs::exists(status);
}

}  // namespace

fs::path AutostartEntryPath(const TEnvironment& env)
{
    const std::string config = GetSpecialFolderPath(env);
    if (config.empty()) return {};
    return fs::path(config) / "autostart" / (std::string(kProductName) + ".desktop");
}

std::string DesktopExecArgument(const std::string& argument)
{
    const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string::npos;
    // First the Exec rules: inside quotes '"', '`', '$' and '\' take a
    // backslash; '%' starts a field code anywhere, so it is doubled.
    std::string exec;
    if (quote) exec += '"';
    for (const char c : argument) {
        if (c == '%') {
            exec += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) exec += '\\';
        exec += c;
    }
    if (quote) exec += '"';
    // Then the escapes of every string value, which a reader undoes first.
    std::string value;
    for (const char c : exec) {
        switch (c) {
            case '\\': value += "\\\\"; break;
            case '\n': value += "\\n"; break;
            case '\t': value += "\\t"; break;
            case '\r': value += "\\r"; break;
            default: value += c;
        }
    }
    return value;
}

std::string AutostartEntryText(const fs::path& executable)
{
    std::string tryExec;
    for (const char c : executable.string()) {
        switch (c) {
            case '\\': tryExec += "\\\\"; break;
            case '\n': tryExec += "\\n"; break;
            case '\t': tryExec += "\\t"; break;
            case '\r': tryExec += "\\r"; break;
            default: tryExec += c;
        }
    }
    // TryExec lets the session skip the entry quietly once the program has
    // been moved or deleted, instead of reporting a failed start each login.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           std::string(kProductName) +
           "\n"
           "Comment=On-screen ruler\n"
           "Exec=" +
           DesktopExecArgument(executable.string()) +
           "\n"
           "TryExec=" +
           tryExec +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool SetAutostart(bool enabled, const fs::path& executable, const TEnvironment& env)
{
    const fs::path entry = AutostartEntryPath(env);
    if (entry.empty()) return false;
    std::error_code ec;
    const bool present = EntryPresent(entry, ec);
    if (ec) return false;
    if (enabled) {
        if (present) return true;
        fs::create_directories(entry.parent_path(), ec);
        if (ec) return false;
        return WriteFileAtomically(entry, AutostartEntryText(executable));
    }
    if (!present) return true;
    return fs::remove(entry, ec) && !ec;
}

std::u16string AutostartFailedText()
{
    return u"Failed to set data for 'Scalio'";
}
