#pragma once
// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.

#include <filesystem>
#include <string>
#include <string_view>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Writes bytes to a file of the folder and gives its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

// Text as UTF-16LE bytes, optionally with a byte-order mark.
std::string Utf16LE(std::u16string_view text, bool withBom = false);
