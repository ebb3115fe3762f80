// The real program where its settings file cannot be written: on a full disk,
// and with a FIFO in the file's place. It neither hangs nor loses the file;
// EXIT tells the user it could not write.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPixmap>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "ProgramFixture.h"
#include "dialogs/MessageDialog.h"
#include "faults/WriteFaults.h"
#include "lang/EnglishText.h"
#include "platform/PlatformBitmap.h"
#include "settings/Settings.h"
#include "support/Fakes.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What the message that a failed save shows must look like: the program's
// own dialog for that text, laid out and drawn offscreen.
struct TExpectedMessage {
    TWindowGeometry Client;  // at 0, 0
    TWindowGeometry Label;   // in the client
    TBitmap32 LabelPixels;
};

// Drawn in a child process of its own: a Qt application keeps what it
// learnt of the fonts for the rest of the process, and a second test in
// this one would see the first one's faces.
std::optional<TExpectedMessage> ExpectedUnableToWrite(const std::string& path)
{
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        ::close(fds[0]);
        int argc = 3;
        char name[] = "e2e", option[] = "-platform", platform[] = "offscreen";
        char* argv[] = {name, option, platform, nullptr};
        QApplication app(argc, argv);
        FakeShell shell;
        TMessageRequest request;
        request.Caption = u"Scalio";
        request.Text = UnableToWriteText(path);
        request.Buttons = {EnglishText(100)};
        request.Icon = TAnswerIcon::Error;
        TfrmMessage dialog(request, shell);
        const TMessageDialogLayout& layout = dialog.Layout();
        const TBitmap32 pixels = FromPlatformBitmap(dialog.TextLabel()->grab().toImage());
        std::vector<std::uint32_t> out = {
            static_cast<std::uint32_t>(layout.Client.Width), static_cast<std::uint32_t>(layout.Client.Height),
            static_cast<std::uint32_t>(layout.Label.Left),   static_cast<std::uint32_t>(layout.Label.Top),
            static_cast<std::uint32_t>(pixels.Width()),      static_cast<std::uint32_t>(pixels.Height())};
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < pixels.Width(); ++x) out.push_back(pixels.Pixel(x, y));
        const char* data = reinterpret_cast<const char*>(out.data());
        std::size_t left = out.size() * sizeof out[0];
        while (left > 0) {
            const ssize_t n = ::write(fds[1], data, left);
            if (n <= 0) ::_exit(1);
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string bytes;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.size() < 6 * sizeof(std::uint32_t)) return std::nullopt;
    std::vector<std::uint32_t> in(bytes.size() / sizeof(std::uint32_t));
    std::memcpy(in.data(), bytes.data(), in.size() * sizeof in[0]);
    const int width = static_cast<int>(in[4]), height = static_cast<int>(in[5]);
    if (in.size() != 6 + static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return std::nullopt;
    TExpectedMessage expected{{0, 0, static_cast<int>(in[0]), static_cast<int>(in[1])},
                              {static_cast<int>(in[2]), static_cast<int>(in[3]), width, height},
                              TBitmap32(width, height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            expected.LabelPixels.SetPixelS(
                x, y,
                in[6 + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]);
    return expected;
}

class HostileFilesE2e : public ProgramE2e {
protected:
    // After EXIT: the message is up, it is the one for this path, and
    // Return ends the program.
    void ExitShowsUnableToWrite(const std::string& shot)
    {
        const std::optional<TExpectedMessage> drawn = ExpectedUnableToWrite(SettingsFile().string());
        ASSERT_TRUE(drawn.has_value()) << "the expected message could not be drawn offscreen";
        const TExpectedMessage& expected = *drawn;
        ClickRuler();
        Keys({"alt+F4"});
        const auto message = x.WaitForWindow(" Scalio", 15s);
        ASSERT_TRUE(message.has_value()) << "no message after EXIT";
        const auto client = x.WaitUntilSettled(
            *message, [](const TWindowGeometry& g) { return g.Width > 0; }, 5s);
        ASSERT_TRUE(client.has_value());
        EXPECT_EQ(client->Width, expected.Client.Width);
        EXPECT_EQ(client->Height, expected.Client.Height);
        // The text on screen is the text of "Unable to write to <path>",
        // pixel for pixel.
        const TWindowGeometry& l = expected.Label;
        const auto labelMatches = [&] {
            const TBitmap32 onScreen = x.Screenshot(client->X + l.X, client->Y + l.Y, l.Width, l.Height);
            for (int y = 0; y < l.Height; ++y)
                for (int px = 0; px < l.Width; ++px)
                    if (Opaque(onScreen.Pixel(px, y)) != Opaque(expected.LabelPixels.Pixel(px, y))) return false;
            return true;
        };
        EXPECT_TRUE(x.WaitFor(labelMatches, 5s))
            << "the message does not read \"Unable to write to " << SettingsFile().string() << "\"";
        x.SavePng(fs::path(SCALIO_SHOTS) / shot);
        ASSERT_TRUE(x.WaitForFocus(*message, 5s));
        Keys({"Return"});
        EXPECT_TRUE(x.WaitForExit(15s)) << "the program did not end after the message";
    }

    std::vector<std::string> SettingsFolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(SettingsFile().parent_path()))
            if (entry.path().filename() != FullDisk::kFillerName) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Goes before the session, whose temporary home holds its mount point.
    std::unique_ptr<FullDisk> disk;
};

TEST_F(HostileFilesE2e, OnAFullDiskExitSaysItCannotWriteAndTheOldFileStaysWhole)
{
    ASSERT_EQ(x.Error(), "");
    const std::string old = "; my own notes\r\n[Display]\r\nColor=4\r\nRotate=1\r\n";
    disk = std::make_unique<FullDisk>(SettingsFile().parent_path(), "Settings.ini", old);
    if (disk->Ready()) {
        std::cout << "the settings folder is a full tmpfs" << std::endl;
        Start();
    } else {
        // No mount here: the program starts with a limit on the size of the
        // files it writes, which breaks its save off part-way just the same.
        std::cout << "no full disk (" << disk->Error() << "): a file size limit instead" << std::endl;
        const std::string why = disk->Error();
        disk.reset();
        ASSERT_FALSE(fs::exists(SettingsFile())) << "a tmpfs that is no use is still mounted";
        WriteSettings(old);
        {
            // Inherited through the spawn: the limit, and SIGXFSZ ignored.
            // The program's save adds its keys to the old file, some
            // hundreds of bytes.
            const FileSizeLimit limit(old.size() + 64);
            ASSERT_TRUE(limit.Set()) << "neither a full disk (" << why << ") nor a file size limit";
            ASSERT_TRUE(x.StartProgram(SCALIO_BINARY));
        }
        const auto window = x.WaitForWindow("Scalio", 20s);
        ASSERT_TRUE(window.has_value()) << "the ruler never showed";
        const auto settled = x.WaitUntilSettled(
            *window, [](const TWindowGeometry& g) { return g.Width > 0; }, 10s);
        ASSERT_TRUE(settled.has_value());
        ruler = *window;
        at = *settled;
    }
    // The settings as read: the vertical ruler of the old file.
    EXPECT_EQ(at.Width, 60);
    ExitShowsUnableToWrite("full-disk-message.png");
    EXPECT_EQ(ReadAll(SettingsFile()), old);
    EXPECT_EQ(SettingsFolderEntries(), std::vector<std::string>{"Settings.ini"});
}

TEST_F(HostileFilesE2e, AFifoForTheSettingsFileHangsNeitherStartNorExit)
{
    fs::create_directories(SettingsFile().parent_path());
    ASSERT_EQ(::mkfifo(SettingsFile().c_str(), 0600), 0);
    Start();
    ExitShowsUnableToWrite("fifo-message.png");
    struct stat st {};
    ASSERT_EQ(::lstat(SettingsFile().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";
}

}  // namespace
