#pragma once
// What the fuzz targets share: a check that stops the run with a message
// (libFuzzer then keeps the input that broke it), readable UTF-16 in that
// message, and a scratch folder for the targets that go through real files.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "settings/Utf8.h"

// The property does not hold: say which, then abort so that the input is kept.
#define FUZZ_CHECK(condition, ...)                                                                  \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "\n%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                                      \
            std::fprintf(stderr, "\n");                                                             \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)

// A text for a message: UTF-8, with control characters written as \xNN.
inline std::string Show(std::u16string_view text)
{
    std::string out;
    for (char c : Utf16ToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

inline std::string_view AsBytes(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// A folder of the process's own, in memory where the machine has /dev/shm,
// so that writing the input to a file each run costs no disk; removed when
// the process ends normally (a crash leaves it for the reproducer to look at).
class ScratchDir {
public:
    ScratchDir()
    {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
        std::string pattern = (base / "scalio-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        m_path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Replaces the file's content with bytes.
inline void WriteScratchFile(const std::filesystem::path& file, std::string_view bytes)
{
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::perror(file.c_str());
        std::abort();
    }
}
