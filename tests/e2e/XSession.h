#pragma once
// A private X session for end-to-end tests: Xvfb on a display of its own
// choosing, openbox and xcompmgr, a temporary HOME, and the program under
// test; everything started is stopped again.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "draw/Bitmap32.h"
#include "support/TempDir.h"

struct TWindowGeometry {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool operator==(const TWindowGeometry&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const TWindowGeometry& g)
    {
        return os << g.Width << "x" << g.Height << " at " << g.X << "," << g.Y;
    }
};

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty when the session came up; else what went wrong.
    const std::string& Error() const { return m_error; }
    const std::string& Display() const { return m_display; }
    const std::filesystem::path& Home() const { return m_home.Path(); }

    // Variables ("NAME=value") the program starts with besides the session's.
    std::vector<std::string> ProgramEnvironment;
    // Starts the program with HOME set to the session's folder.
    bool StartProgram(const std::string& path);
    // Starts the program and waits until its window of this title shows and
    // its geometry has settled where pred says; the window and that geometry.
    std::optional<std::pair<unsigned long, TWindowGeometry>> StartAndSettle(
        const std::string& path, const std::string& title, const std::function<bool(const TWindowGeometry&)>& pred);
    bool ProgramRunning();
    // Waits for the program to end by itself.
    bool WaitForExit(std::chrono::milliseconds timeout);
    std::optional<int> ExitCode() const { return m_exitCode; }

    // Sends a signal to the running program.
    bool Signal(int signo);
    // The stacking position among the root's children (higher is above) of
    // the window or the window manager's frame around it.
    std::optional<int> StackingIndex(unsigned long window);
    // Whether a window of this title is mapped now.
    bool WindowShown(const std::string& title);
    // The root's viewable children of this window class ("scalio"), bottom
    // first: the ruler and the program's menus, which no window manager
    // frames (menus have no title).
    std::vector<std::pair<unsigned long, TWindowGeometry>> ShownTopLevels(const std::string& windowClass);
    // Whether the window calls itself a utility window (the program's tool
    // windows do; its menus do not).
    bool IsUtilityWindow(unsigned long window);

    // The program's top-level window called title, once it is mapped (a
    // managed window is found inside its frame).
    std::optional<unsigned long> WaitForWindow(const std::string& title, std::chrono::milliseconds timeout);
    std::optional<TWindowGeometry> Geometry(unsigned long window);
    // Polls until the window's geometry satisfies pred.
    std::optional<TWindowGeometry> WaitForGeometry(unsigned long window,
                                                   const std::function<bool(const TWindowGeometry&)>& pred,
                                                   std::chrono::milliseconds timeout);
    // The window's geometry once it has stopped changing (the same twice,
    // 200 ms apart) and satisfies pred.
    std::optional<TWindowGeometry> WaitUntilSettled(unsigned long window,
                                                    const std::function<bool(const TWindowGeometry&)>& pred,
                                                    std::chrono::milliseconds timeout);
    // Whether the window has the keyboard, within the time-out.
    bool WaitForFocus(unsigned long window, std::chrono::milliseconds timeout);
    // Polls until pred holds for what the screen shows in the rectangle.
    bool WaitForScreen(int x, int y, int width, int height, const std::function<bool(const TBitmap32&)>& pred,
                       std::chrono::milliseconds timeout);
    // What the screen shows (composited).
    TBitmap32 Screenshot(int x, int y, int width, int height);
    bool SavePng(const std::filesystem::path& file);

    // xdotool with these arguments on the session's display.
    bool Xdotool(const std::vector<std::string>& args);
    // Runs a program on the session's display and waits for it; true when
    // it succeeded.
    bool Run(const std::vector<std::string>& argv);
    // Tiles the desktop's background with a 256 x 256 pattern whose pixel
    // (x, y) has the colour pattern(x, y), and waits until the screen shows it.
    bool SetBackground(const std::function<TColor32(int, int)>& pattern);
    // Splits the screen into these monitors (RandR monitors; the whole-screen
    // one goes), as a program started afterwards sees them.
    bool SetMonitors(const std::vector<TWindowGeometry>& monitors);

    // Polls until ready holds.
    bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds timeout);

private:
    // quiet: the helper's output goes nowhere (the program's stays visible).
    pid_t Spawn(const std::vector<std::string>& argv, bool quiet = true,
                const std::vector<std::string>& extraEnvironment = {});
    void Stop(pid_t& pid);

    TempDir m_home;
    std::string m_display;
    std::string m_error;
    void* m_x = nullptr;  // Display*
    pid_t m_xvfb = -1, m_openbox = -1, m_compositor = -1, m_program = -1;
    std::optional<int> m_exitCode;
};
