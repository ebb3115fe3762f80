#include "settings/IniFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <string>

#include "settings/Utf8.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kTempSuffix = ".tmp";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

struct Parsed {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;
    std::size_t equals = npos;  // Key: offset of the '='
};

Parsed ParseLine(std::string_view text)
{
    const std::string_view body = TrimBlanks(text);
    if (body.empty() || body.front() == ';' || body.front() == '#') return {};
    if (body.front() == '[') {
        const std::size_t close = body.find(']');
        return {Parsed::Section, TrimBlanks(body.substr(1, close == npos ? npos : close - 1))};
    }
    const std::size_t equals = text.find('=');
    if (equals == npos) return {};
    const std::string_view name = TrimBlanks(text.substr(0, equals));
    if (name.empty()) return {};
    return {Parsed::Key, name, equals};
}

// The value of a key line as it stands in the file, blanks around it and one
// pair of enclosing double quotes taken off.
std::string_view RawValue(std::string_view text, std::size_t equals)
{
    std::string_view value = TrimBlanks(text.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return value;
}

// The value as it is written: one line, and quoted where reading would
// otherwise lose blanks at its ends or a pair of quotes around it.
std::string EncodeValue(std::u16string_view value)
{
    std::string text = Utf16ToUtf8(value);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    const bool needsQuotes = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) ||
                                               (text.size() >= 2 && text.front() == '"' && text.back() == '"'));
    return needsQuotes ? '"' + text + '"' : text;
}

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

void SetError(std::error_code* error, std::error_code ec)
{
    if (error) *error = ec;
}

// A step whose failure changes nothing for the caller.
void BestEffort(int) {}

// The start of the temporary files' names for target: "." + name + ".",
// followed by "<pid>.<n>" and kTempSuffix.
std::string TempPrefix(const std::filesystem::path& target)
{
    return "." + target.filename().string() + ".";
}

// The writer's process id in a temporary file's name, when the name is one of
// ours for this prefix.
std::optional<pid_t> TempFileWriter(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix) || !name.ends_with(kTempSuffix)) return std::nullopt;
    name.remove_prefix(prefix.size());
    name.remove_suffix(kTempSuffix.size());
    const std::size_t dot = name.find('.');
    if (dot == npos) return std::nullopt;
    const std::string_view pidText = name.substr(0, dot), counter = name.substr(dot + 1);
    const auto digitsOnly = [](std::string_view t) { return !t.empty() && t.find_first_not_of("0123456789") == npos; };
    if (!digitsOnly(pidText) || !digitsOnly(counter)) return std::nullopt;
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    if (ec != std::errc() || end != pidText.data() + pidText.size() || pid <= 0) return std::nullopt;
    return pid;
}

// Removes the temporary files a killed writer left in folder. Only those
// whose process has ended go: a file of a live process (ours included) may be
// a save in progress, whose rename must still find it. Not being able to tell
// counts as alive.
void RemoveOrphanedTempFiles(const std::filesystem::path& folder, std::string_view prefix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<pid_t> writer = TempFileWriter(entry->d_name, prefix);
        if (!writer || *writer == self) continue;
        if (::kill(*writer, 0) == 0 || errno != ESRCH) continue;
        // Only a regular file is one of ours; whatever else carries such a
        // name is left alone.
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
        BestEffort(::unlinkat(::dirfd(dir), entry->d_name, 0));
    }
    ::closedir(dir);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

TIniFile TIniFile::FromBytes(std::string_view bytes)
{
    TIniFile ini;
    if (bytes.starts_with(kBom)) {
        ini.m_bom = true;
        bytes.remove_prefix(kBom.size());
    }
    bool newLineKnown = false;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        Line line;
        if (lf == npos) {
            // A last line may end in a CR alone; it is the start of a line
            // end, not part of the value, or the LF that a later save puts
            // after it would change what the value reads.
            const bool cr = bytes.ends_with('\r');
            line.Text = std::string(bytes.substr(0, cr ? bytes.size() - 1 : bytes.size()));
            line.End = cr ? "\r" : "";
            bytes = {};
        } else {
            const bool crlf = lf > 0 && bytes[lf - 1] == '\r';
            line.Text = std::string(bytes.substr(0, crlf ? lf - 1 : lf));
            line.End = crlf ? "\r\n" : "\n";
            bytes.remove_prefix(lf + 1);
            // New lines follow the style the file starts with.
            if (!newLineKnown) ini.m_newLine = line.End;
            newLineKnown = true;
        }
        ini.m_lines.push_back(std::move(line));
    }
    return ini;
}

std::string TIniFile::ToBytes() const
{
    std::string bytes;
    if (m_bom) bytes += kBom;
    for (const Line& line : m_lines) {
        bytes += line.Text;
        bytes += line.End;
    }
    return bytes;
}

TIniLoad TIniFile::Load(const std::filesystem::path& path, std::error_code* error)
{
    *this = TIniFile();
    SetError(error, {});
    // Non-blocking, so that a FIFO put there cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const std::error_code ec = LastError();
        if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) return TIniLoad::Missing;
        SetError(error, ec);
        return TIniLoad::Unreadable;
    }
    std::string bytes;
    std::error_code ec;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ec = LastError();
    } else if (!S_ISREG(st.st_mode)) {
        ec = std::make_error_code(std::errc::invalid_argument);
    } else if (static_cast<std::uintmax_t>(st.st_size) > kIniMaxFileBytes) {
        ec = std::make_error_code(std::errc::file_too_large);
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                ec = LastError();
                break;
            }
            if (n == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(n));
            // A file that grows while it is read, or one that reports no
            // size (as /proc's do), is held to the same limit.
            if (bytes.size() > kIniMaxFileBytes) {
                ec = std::make_error_code(std::errc::file_too_large);
                break;
            }
        }
    }
    ::close(fd);
    if (ec) {
        SetError(error, ec);
        return TIniLoad::Unreadable;
    }
    *this = FromBytes(bytes);
    return TIniLoad::Loaded;
}

bool TIniFile::Save(const std::filesystem::path& path, std::error_code* error) const
{
    return WriteFileAtomically(path, ToBytes(), error);
}

TIniFile::Place TIniFile::Find(std::string_view section, std::string_view key) const
{
    Place place{npos, npos};
    bool inSection = false;
    bool firstSectionDone = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Parsed p = ParseLine(m_lines[i].Text);
        if (p.kind == Parsed::Section) {
            if (inSection) firstSectionDone = true;
            inSection = SameName(p.name, section);
            if (inSection && !firstSectionDone && place.InsertLine == npos) place.InsertLine = i + 1;
        } else if (p.kind == Parsed::Key && inSection) {
            if (SameName(p.name, key)) {
                place.KeyLine = i;
                return place;
            }
            if (!firstSectionDone) place.InsertLine = i + 1;
        }
    }
    return place;
}

std::optional<std::u16string> TIniFile::Read(std::string_view section, std::string_view key) const
{
    const Place place = Find(section, key);
    if (place.KeyLine == npos) return std::nullopt;
    const std::string& text = m_lines[place.KeyLine].Text;
    std::u16string value = Utf8ToUtf16(RawValue(text, text.find('=')));
    if (value.size() > kIniValueChars) {
        value.resize(kIniValueChars);
        // Half a surrogate pair is no character.
        if (value.back() >= 0xD800 && value.back() <= 0xDBFF) value.pop_back();
    }
    return value;
}

std::u16string TIniFile::ReadString(std::string_view section, std::string_view key, std::u16string_view fallback) const
{
    std::optional<std::u16string> value = Read(section, key);
    return value ? std::move(*value) : std::u16string(fallback);
}

void TIniFile::EndLastLine()
{
    if (m_lines.empty()) return;
    std::string& end = m_lines.back().End;
    if (end.empty())
        end = m_newLine;
    else if (end == "\r")
        end = "\r\n";
}

void TIniFile::Write(std::string_view section, std::string_view key, std::u16string_view value)
{
    const std::string encoded = EncodeValue(value);
    const Place place = Find(section, key);
    if (place.KeyLine != npos) {
        std::string& text = m_lines[place.KeyLine].Text;
        const std::size_t equals = text.find('=');
        // An unchanged value keeps the line exactly as the user wrote it.
        if (Utf8ToUtf16(RawValue(text, equals)) == value) return;
        std::size_t valueStart = equals + 1;
        while (valueStart < text.size() && IsBlank(text[valueStart])) ++valueStart;
        text = text.substr(0, valueStart) + encoded;
        return;
    }
    Line keyLine{std::string(key) + '=' + encoded, m_newLine};
    if (place.InsertLine != npos) {
        if (place.InsertLine == m_lines.size()) EndLastLine();
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(place.InsertLine), std::move(keyLine));
        return;
    }
    EndLastLine();
    if (!m_lines.empty() && !TrimBlanks(m_lines.back().Text).empty()) m_lines.push_back({"", m_newLine});
    m_lines.push_back({'[' + std::string(section) + ']', m_newLine});
    m_lines.push_back(std::move(keyLine));
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::error_code* error)
{
    SetError(error, {});
    std::error_code ec;
    std::filesystem::path target = path;
    // Renaming over a link would replace the link, not the file it names.
    if (std::filesystem::is_symlink(path, ec)) {
        std::filesystem::path resolved = std::filesystem::canonical(path, ec);
        if (!ec) target = std::move(resolved);
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    struct stat old {};
    const bool hadFile = ::stat(target.c_str(), &old) == 0;
    // A rename needs only the folder's permission; a file its owner made
    // read-only is meant to stay as it is.
    if (hadFile && ::access(target.c_str(), W_OK) != 0) {
        SetError(error, std::error_code(errno, std::generic_category()));
        return false;
    }

    // First, so that what a crashed save left cannot fill the disk this one
    // needs.
    const std::string prefix = TempPrefix(target);
    RemoveOrphanedTempFiles(folder, prefix);

    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp =
            folder / (prefix + std::to_string(::getpid()) + "." + std::to_string(counter++) + std::string(kTempSuffix));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        SetError(error, LastError());
        return false;
    }
    if (hadFile) {
        // The new file stands in for the old one; keep who may read it.
        // Best effort: a file we could not give the old owner is still ours.
        BestEffort(::fchmod(fd, old.st_mode & 07777));
        if (::geteuid() == 0) BestEffort(::fchown(fd, old.st_uid, old.st_gid));
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    std::error_code failure = ok ? std::error_code() : LastError();
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = LastError();
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = LastError();
    }
    if (!ok) {
        ::unlink(temp.c_str());
        SetError(error, failure);
        return false;
    }
    // Make the rename itself durable; the data is already safe either way.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        BestEffort(::fsync(dirFd));
        ::close(dirFd);
    }
    return true;
}
