#pragma once
// A profile (INI) document that keeps a user's file as it found it: only the
// values the program writes change, every other byte of the file stays.
//
// Section and key names match without regard to ASCII letter case; values are
// compared exactly. Reading a value sees at most kIniValueChars UTF-16 units
// of it. Where a hand-edited file holds a section or key twice, the first key
// of the name in any section of the name counts, for reading and writing
// alike; a new key goes into the first section of the name.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

inline constexpr std::size_t kIniValueChars = 2047;
// The largest file Load accepts. What the program writes is a few kilobytes;
// a file beyond this is not a settings file, and taking it apart line by line
// at every start and again at every exit would cost seconds and hundreds of
// megabytes. It loads as Unreadable, which also keeps a save from replacing
// it.
inline constexpr std::size_t kIniMaxFileBytes = 1u << 20;

enum class TIniLoad {
    Loaded,
    Missing,     // no file there: the document is empty
    Unreadable,  // a file (or something else) is there but cannot be read, or is larger than
                 // kIniMaxFileBytes: the document is empty
};

class TIniFile {
public:
    // An empty document; written out it uses LF line ends and no BOM.
    TIniFile() = default;

    // A document from the bytes of a file (UTF-8, optionally with a BOM,
    // LF or CR LF line ends).
    static TIniFile FromBytes(std::string_view bytes);
    // The bytes a save writes.
    std::string ToBytes() const;

    // Replaces the document with the file's content.
    TIniLoad Load(const std::filesystem::path& path, std::error_code* error = nullptr);
    // Writes the document to a temporary file beside path, flushes it to the
    // disk and renames it over path. On false nothing at path has changed.
    bool Save(const std::filesystem::path& path, std::error_code* error = nullptr) const;

    // The value of the key, nullopt when the section or key is absent. A
    // value in double quotes is given without them.
    std::optional<std::u16string> Read(std::string_view section, std::string_view key) const;
    std::u16string ReadString(std::string_view section, std::string_view key, std::u16string_view fallback) const;

    // Sets the key's value: in place when the key exists, else as a new line
    // after the section's last key, else in a new section at the end. Line
    // breaks in the value become blanks, since a value is one line.
    void Write(std::string_view section, std::string_view key, std::u16string_view value);

private:
    struct Line {
        std::string Text;  // without its line end
        std::string End;   // "\n", "\r\n" or "" for a last line without one
    };
    struct Place {
        std::size_t KeyLine;     // npos: no such key
        std::size_t InsertLine;  // where a new key goes; npos: no such section
    };
    Place Find(std::string_view section, std::string_view key) const;
    void EndLastLine();

    std::vector<Line> m_lines;
    bool m_bom = false;
    std::string m_newLine = "\n";
};

// Replaces path's content with bytes so that a reader sees either the old
// content or the new one, never a mixture: temporary file in the same
// folder, fsync, rename. A symbolic link at path is followed. On false path is
// untouched and no temporary file is left.
//
// A writer killed between creating its temporary file and the rename leaves
// that file behind (".<name>.<pid>.<n>.tmp"). Every call first removes such
// files of path whose process has ended, so a crash leaves at most one of
// them, and only until the next save; a live writer's file is never touched.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::error_code* error = nullptr);
