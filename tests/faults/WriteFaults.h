#pragma once
// Writes that fail part-way, for the tests of saving: a full disk, or where
// no disk can be filled, a limit on the size of files.

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

// A folder on a file system with no room left: a small tmpfs mounted on it,
// the file a test needs written into it, and the rest filled up, so that any
// further byte fails with ENOSPC as on a full disk. Mounting takes the
// privilege to mount; where that is missing, Error() says so and the test
// injects its write fault another way.
class FullDisk {
public:
    static constexpr const char* kFillerName = "filler";

    FullDisk(const std::filesystem::path& folder, const std::string& fileName, std::string_view bytes)
        : m_folder(folder)
    {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0755") != 0) {
            m_error = std::string("cannot mount a tmpfs on ") + folder.string() + ": " + std::strerror(errno);
            return;
        }
        m_mounted = true;
        if (!WriteFile(folder / fileName, bytes)) {
            m_error = "cannot write " + (folder / fileName).string() + " on the fresh tmpfs";
            return;
        }
        // Pages first, then single bytes into the last page's tail.
        const int fd = ::open((folder / kFillerName).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            m_error = std::string("cannot create the filler: ") + std::strerror(errno);
            return;
        }
        const std::string page(4096, 'f');
        while (::write(fd, page.data(), page.size()) > 0) {
        }
        while (::write(fd, "f", 1) == 1) {
        }
        const int lastError = errno;
        ::close(fd);
        if (lastError != ENOSPC) m_error = std::string("filling the tmpfs ended in ") + std::strerror(lastError);
    }
    ~FullDisk()
    {
        // Lazily, so that nothing still open in it can keep it there.
        if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Mounted, the file written and the rest full.
    bool Ready() const { return m_mounted && m_error.empty(); }
    // Why it is not ready.
    const std::string& Error() const { return m_error; }

private:
    static bool WriteFile(const std::filesystem::path& file, std::string_view bytes)
    {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        const bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        return ::close(fd) == 0 && ok;
    }

    std::filesystem::path m_folder;
    bool m_mounted = false;
    std::string m_error;
};

// A limit on the size of the files this process writes, with SIGXFSZ
// ignored: a write beyond it fails with EFBIG, for root too. Lifted again
// when the object goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_set = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0 &&
                (m_saved.rlim_max == RLIM_INFINITY || bytes <= m_saved.rlim_max);
        if (!m_set) return;
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        if (!m_set) return;
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Set() const { return m_set; }

private:
    rlimit m_saved{};
    bool m_set = false;
    void (*m_handler)(int) = SIG_DFL;
};
