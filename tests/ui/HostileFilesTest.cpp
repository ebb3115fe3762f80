// Hostile files met by the ruler's start and end: language flags that are no
// bitmaps, a settings folder that links to where nothing can be written, a
// FIFO or a folder where the settings file should be.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <thread>

#include "RulerStartFixture.h"
#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "platform/QtFlagLoader.h"
#include "ruler/RulerWindow.h"
#include "settings/Settings.h"
#include "settings/SettingsLocation.h"
#include "support/Fakes.h"
#include "support/FixedTextRasterizer.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// ---- Flags that are no bitmaps ---------------------------------------------

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Flag()
{
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(0xFF2040C0);
    return flag;
}

void PutLE(std::string& bytes, std::size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A file and info header of 24 bits a pixel that claim width x height, and
// a few bytes of pixels after them.
std::string BmpClaiming(std::uint32_t width, std::uint32_t height)
{
    std::string bytes(54 + 64, '\x7F');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLE(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);  // file size
    PutLE(bytes, 6, 0, 4);
    PutLE(bytes, 10, 54, 4);  // pixels' offset
    PutLE(bytes, 14, 40, 4);  // info header size
    PutLE(bytes, 18, width, 4);
    PutLE(bytes, 22, height, 4);
    PutLE(bytes, 26, 1, 2);   // planes
    PutLE(bytes, 28, 24, 2);  // bits a pixel
    PutLE(bytes, 30, 0, 4);   // no compression
    PutLE(bytes, 34, 0, 4);
    PutLE(bytes, 38, 2835, 4);
    PutLE(bytes, 42, 2835, 4);
    PutLE(bytes, 46, 0, 4);
    PutLE(bytes, 50, 0, 4);
    return bytes;
}

TEST(HostileFlags, ALanguageWhoseFlagIsNoBitmapIsLeftOutAndTheOthersLoad)
{
    const QByteArray bmp = Encoded(Flag(), "BMP");
    const QByteArray png = Encoded(Flag(), "PNG");
    ASSERT_GT(bmp.size(), 100);
    ASSERT_GT(png.size(), 0);
    // A flag that exists but will not load takes its language out of the
    // list, without a word; the other languages are as they would be
    // without it. Qt decodes what there is of a BMP cut short in its pixels,
    // so that one flag loads, at the size its header gives.
    enum TOutcome { LeftOut, ListedWithItsFlag };
    struct Case {
        const char* name;
        std::string bytes;
        TOutcome outcome;
    };
    const Case cases[] = {
        {"text", "000.:this is text, not a picture:.000\n", LeftOut},
        {"a PNG", png.toStdString(), LeftOut},
        {"zero bytes", "", LeftOut},
        {"a BMP cut short in its headers", bmp.left(30).toStdString(), LeftOut},
        {"a BMP header claiming 60000 x 60000", BmpClaiming(60000, 60000), LeftOut},
        // Within the decoder's own limit, but no flag: 27 MB held for a
        // menu icon.
        {"a BMP header claiming 3000 x 3000", BmpClaiming(3000, 3000), LeftOut},
        {"a BMP header claiming 257 x 16", BmpClaiming(QtFlagLoader::kMaxFlagSide + 1, 16), LeftOut},
        {"a BMP cut short in its pixels", bmp.left(bmp.size() / 2).toStdString(), ListedWithItsFlag},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.Write("ok.lng", Utf16LE(u"000.:Mit Flagge:.000"));
        dir.Write("OK.bmp", bmp.toStdString());
        dir.Write("pl.lng", Utf16LE(u"000.:Ohne Flagge:.000"));
        dir.Write("xx.lng", Utf16LE(u"000.:Kaputt:.000"));
        dir.Write("XX.bmp", c.bytes);

        QtFlagLoader flags;
        TLanguageTable table;
        const auto start = Clock::now();
        table.LoadLanguages(dir.Path(), flags);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::cout << "a flag that is " << c.name << ": " << ms << " ms" << std::endl;

        const bool listed = c.outcome == ListedWithItsFlag;
        ASSERT_EQ(table.LanguageCount(), listed ? 3 : 2) << c.name;
        EXPECT_EQ(table.GetLanguageID(0), "OK") << c.name;
        ASSERT_NE(table.GetLanguageIcon(0), nullptr) << c.name;
        EXPECT_EQ(table.GetLanguageIcon(0)->Width(), 16) << c.name;
        EXPECT_EQ(table.GetLanguageID(1), "PL") << c.name;
        EXPECT_EQ(table.GetLanguageIcon(1), nullptr) << c.name;
        EXPECT_EQ(table.LanguageExists("XX"), listed) << c.name;
        if (listed) {
            ASSERT_NE(table.GetLanguageIcon(2), nullptr) << c.name;
            EXPECT_EQ(table.GetLanguageIcon(2)->Width(), 16) << c.name;
            EXPECT_EQ(table.GetLanguageIcon(2)->Height(), 16) << c.name;
        }
    }
}

// ---- The ruler's start and end -----------------------------------------------

// Every stored setting of s, as a fresh file holds them.
std::string StoredSettings(const RulerState& s)
{
    TIniFile ini;
    WriteSettings(ini, s, u'.');
    return ini.ToBytes();
}

// Opens the far end of a FIFO when the code under test has not come back in
// time, so that a reader stuck on it returns and the test can fail instead
// of hanging.
class FifoRescue {
public:
    FifoRescue(fs::path fifo, std::chrono::seconds patience) : m_fifo(std::move(fifo))
    {
        m_thread = std::thread([this, patience] {
            std::unique_lock lock(m_mutex);
            if (m_cv.wait_for(lock, patience, [this] { return m_done; })) return;
            m_rescued = true;
            const int fd = ::open(m_fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        });
    }
    ~FifoRescue() { Finish(); }
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;

    // True when the code had to be rescued.
    bool Finish()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_cv.notify_all();
        if (m_thread.joinable()) m_thread.join();
        return m_rescued;
    }

private:
    fs::path m_fifo;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
    bool m_rescued = false;
    std::thread m_thread;
};

class HostileStartTest : public RulerStartFixture {
protected:
    HostileStartTest() : RulerStartFixture({}) {}
};

TEST_F(HostileStartTest, ASettingsFolderLinkedToWhereNothingCanBeWrittenIsACriticalError)
{
    fs::create_directories(Folder().parent_path());
    fs::create_directory_symlink("/proc", Folder());
    EXPECT_FALSE(ruler.FormCreate(setup));
    EXPECT_TRUE(ruler.CriticalError());
    ASSERT_EQ(messages.Asked.size(), 1u);
    EXPECT_EQ(messages.Asked[0].Caption, u"Critical error");
    EXPECT_EQ(messages.Asked[0].Text, SettingsFolderNotWritableText(setup.Environment));
    EXPECT_FALSE(ruler.isVisible());
    ruler.FormDestroy();
    EXPECT_EQ(messages.Asked.size(), 1u);
    EXPECT_TRUE(fs::is_symlink(Folder()));
}

TEST_F(HostileStartTest, AFifoOrAFolderInTheFilesPlaceStartsWithDefaultsAndExitSaysItCannotWrite)
{
    for (const char* kind : {"FIFO", "folder"}) {
        SCOPED_TRACE(kind);
        TempDir place;
        setup.Environment = [config = place.Path().string()](const char* name) -> std::optional<std::string> {
            if (std::string(name) == "XDG_CONFIG_HOME") return config;
            return std::nullopt;
        };
        const fs::path file = place.Path() / "Vendra/Scalio/Settings.ini";
        fs::create_directories(file.parent_path());
        if (std::strcmp(kind, "FIFO") == 0)
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            fs::create_directories(file / "inside");

        FakeMessageDialog asked;
        InstallMessageDialog(&asked);
        TfrmRuler fresh{desktop, shell, fixed};
        RulerState defaults;
        // The monitors are the desktop's, as start-up detects them.
        defaults.MonitorRects[0] = desktop.MonitorList[0];
        bool rescued = false;
        {
            FifoRescue rescue(file, 10s);
            ASSERT_TRUE(fresh.FormCreate(setup));
            EXPECT_EQ(StoredSettings(fresh.State), StoredSettings(defaults)) << "not the defaults";
            fresh.State.Color = 6;
            fresh.FormDestroy();
            rescued = rescue.Finish();
        }
        EXPECT_FALSE(rescued) << "the start or the end hung on the " << kind;
        ASSERT_EQ(asked.Asked.size(), 1u);
        EXPECT_EQ(asked.Asked[0].Text, UnableToWriteText(file.string()));
        EXPECT_EQ(asked.Asked[0].Icon, TAnswerIcon::Error);
        struct stat st {};
        ASSERT_EQ(::lstat(file.c_str(), &st), 0);
        EXPECT_TRUE(std::strcmp(kind, "FIFO") == 0 ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode)) << "replaced";
        InstallMessageDialog(&messages);
    }
}

}  // namespace
