#include "XSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <thread>

namespace {

using namespace std::chrono_literals;

::Display* Dpy(void* p)
{
    return static_cast<::Display*>(p);
}

int IgnoreXErrors(::Display*, XErrorEvent*)
{
    return 0;
}

}  // namespace

XSession::XSession()
{
    XSetErrorHandler(IgnoreXErrors);
    // Xvfb picks a free display and writes its number to the pipe.
    int fds[2];
    if (pipe(fds) != 0) {
        m_error = "pipe failed";
        return;
    }
    m_xvfb = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1920x1080x24", "-br", "-nolisten",
                    "tcp", "-noreset"});
    close(fds[1]);
    std::string number;
    char c;
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    WaitFor(
        [&] {
            while (read(fds[0], &c, 1) == 1)
                if (c != '\n') number += c;
            return !number.empty() && c == '\n';
        },
        15s);
    close(fds[0]);
    if (number.empty()) {
        m_error = "Xvfb did not start";
        return;
    }
    m_display = ":" + number;
    m_x = XOpenDisplay(m_display.c_str());
    if (!m_x) {
        m_error = "cannot open " + m_display;
        return;
    }
    ::Display* d = Dpy(m_x);
    const Window root = DefaultRootWindow(d);
    m_openbox = Spawn({"openbox"});
    const Atom wmCheck = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    const bool wm = WaitFor(
        [&] {
            Atom type;
            int format;
            unsigned long n, after;
            unsigned char* data = nullptr;
            const bool ok = XGetWindowProperty(d, root, wmCheck, 0, 1, False, XA_WINDOW, &type, &format, &n, &after,
                                               &data) == Success &&
                            n == 1;
            if (data) XFree(data);
            return ok;
        },
        15s);
    m_compositor = Spawn({"xcompmgr"});
    const Atom cm = XInternAtom(d, "_NET_WM_CM_S0", False);
    const bool composited = WaitFor([&] { return XGetSelectionOwner(d, cm) != 0; }, 15s);
    if (!wm) m_error = "openbox did not start";
    if (!composited) m_error = "xcompmgr did not start";
}

XSession::~XSession()
{
    Stop(m_program);
    Stop(m_compositor);
    Stop(m_openbox);
    if (m_x) XCloseDisplay(Dpy(m_x));
    Stop(m_xvfb);
}

pid_t XSession::Spawn(const std::vector<std::string>& argv, bool quiet,
                      const std::vector<std::string>& extraEnvironment)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string var = *e;
        if (var.rfind("DISPLAY=", 0) == 0 || var.rfind("HOME=", 0) == 0 || var.rfind("XDG_CONFIG_HOME=", 0) == 0 ||
            var.rfind("XDG_RUNTIME_DIR=", 0) == 0 || var.rfind("XDG_CONFIG_DIRS=", 0) == 0 ||
            var.rfind("WAYLAND_DISPLAY=", 0) == 0 || var.rfind("QT_QPA_PLATFORM=", 0) == 0)
            continue;
        env.push_back(var);
    }
    if (!m_display.empty()) env.push_back("DISPLAY=" + m_display);
    env.push_back("HOME=" + m_home.Path().string());
    // No test reaches beyond this machine: the product site is a port where
    // nothing listens unless the test says otherwise.
    env.push_back("SCALIO_PRODUCT_SITE=http://127.0.0.1:9/");
    // The test's own variables replace any of the same name.
    for (const std::string& extra : extraEnvironment) {
        const std::string name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(env, [&](const std::string& var) { return var.rfind(name, 0) == 0; });
        env.push_back(extra);
    }
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, args.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool XSession::WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (ready()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return ready();
}

void XSession::Stop(pid_t& pid)
{
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status;
    if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 3s)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = -1;
}

bool XSession::StartProgram(const std::string& path)
{
    m_program = Spawn({path}, false, ProgramEnvironment);
    return m_program > 0;
}

std::optional<std::pair<unsigned long, TWindowGeometry>> XSession::StartAndSettle(
    const std::string& path, const std::string& title, const std::function<bool(const TWindowGeometry&)>& pred)
{
    if (!m_error.empty() || !StartProgram(path)) return std::nullopt;
    const auto window = WaitForWindow(title, 20s);
    if (!window) return std::nullopt;
    const auto settled = WaitUntilSettled(*window, pred, 10s);
    if (!settled) return std::nullopt;
    return std::make_pair(*window, *settled);
}

bool XSession::ProgramRunning()
{
    if (m_program <= 0) return false;
    int status;
    if (waitpid(m_program, &status, WNOHANG) == m_program) {
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        m_program = -1;
        return false;
    }
    return true;
}

bool XSession::WaitForExit(std::chrono::milliseconds timeout)
{
    return WaitFor([&] { return !ProgramRunning(); }, timeout);
}

namespace {

// The window's title as UTF-8: the EWMH name where there is one (it holds
// any text), else the old one.
std::string WindowTitle(::Display* d, Window w)
{
    std::string title;
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &actual, &format, &count, &after, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
        if (!title.empty()) return title;
    }
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

// A viewable window of this title among the root's children or their
// children (where a window manager puts its frames).
std::optional<unsigned long> FindWindow(::Display* d, Window parent, const std::string& title, int depth)
{
    Window rootRet, up, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, parent, &rootRet, &up, &children, &n)) return std::nullopt;
    std::optional<unsigned long> found;
    for (unsigned int i = 0; i < n && !found; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
        if (WindowTitle(d, children[i]) == title) found = children[i];
        if (!found && depth > 0) found = FindWindow(d, children[i], title, depth - 1);
    }
    if (children) XFree(children);
    return found;
}

}  // namespace

std::optional<unsigned long> XSession::WaitForWindow(const std::string& title, std::chrono::milliseconds timeout)
{
    ::Display* d = Dpy(m_x);
    std::optional<unsigned long> found;
    WaitFor([&] { return (found = FindWindow(d, DefaultRootWindow(d), title, 2)).has_value(); }, timeout);
    return found;
}

bool XSession::WindowShown(const std::string& title)
{
    ::Display* d = Dpy(m_x);
    return FindWindow(d, DefaultRootWindow(d), title, 2).has_value();
}

std::vector<std::pair<unsigned long, TWindowGeometry>> XSession::ShownTopLevels(const std::string& windowClass)
{
    ::Display* d = Dpy(m_x);
    std::vector<std::pair<unsigned long, TWindowGeometry>> shown;
    Window rootRet, parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &rootRet, &parent, &children, &n)) return shown;
    for (unsigned int i = 0; i < n; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
        XClassHint hint{};
        if (XGetClassHint(d, children[i], &hint)) {
            if (hint.res_name && windowClass == hint.res_name)
                shown.emplace_back(children[i], TWindowGeometry{a.x, a.y, a.width, a.height});
            if (hint.res_name) XFree(hint.res_name);
            if (hint.res_class) XFree(hint.res_class);
        }
    }
    if (children) XFree(children);
    return shown;
}

bool XSession::IsUtilityWindow(unsigned long window)
{
    ::Display* d = Dpy(m_x);
    const Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    const Atom utility = XInternAtom(d, "_NET_WM_WINDOW_TYPE_UTILITY", False);
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(d, window, type, 0, 16, False, XA_ATOM, &actual, &format, &count, &after, &data) ==
            Success &&
        data) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        found = std::find(atoms, atoms + count, utility) != atoms + count;
        XFree(data);
    }
    return found;
}

std::optional<int> XSession::StackingIndex(unsigned long window)
{
    ::Display* d = Dpy(m_x);
    const Window root = DefaultRootWindow(d);
    Window top = window;
    for (;;) {
        Window rootRet, parent, *kids = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(d, top, &rootRet, &parent, &kids, &n)) return std::nullopt;
        if (kids) XFree(kids);
        if (parent == root) break;
        top = parent;
    }
    Window rootRet, parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, root, &rootRet, &parent, &children, &n)) return std::nullopt;
    std::optional<int> index;
    for (unsigned int i = 0; i < n; ++i)
        if (children[i] == top) index = static_cast<int>(i);
    if (children) XFree(children);
    return index;
}

bool XSession::Signal(int signo)
{
    return m_program > 0 && kill(m_program, signo) == 0;
}

std::optional<TWindowGeometry> XSession::Geometry(unsigned long window)
{
    ::Display* d = Dpy(m_x);
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, window, &a)) return std::nullopt;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return TWindowGeometry{x, y, a.width, a.height};
}

std::optional<TWindowGeometry> XSession::WaitForGeometry(unsigned long window,
                                                         const std::function<bool(const TWindowGeometry&)>& pred,
                                                         std::chrono::milliseconds timeout)
{
    std::optional<TWindowGeometry> g;
    WaitFor(
        [&] {
            g = Geometry(window);
            return g && pred(*g);
        },
        timeout);
    return g;
}

std::optional<TWindowGeometry> XSession::WaitUntilSettled(unsigned long window,
                                                          const std::function<bool(const TWindowGeometry&)>& pred,
                                                          std::chrono::milliseconds timeout)
{
    std::optional<TWindowGeometry> last;
    return WaitForGeometry(
        window,
        [&](const TWindowGeometry& now) {
            const bool settled = last == now && pred(now);
            last = now;
            if (!settled) std::this_thread::sleep_for(180ms);
            return settled;
        },
        timeout);
}

bool XSession::WaitForFocus(unsigned long window, std::chrono::milliseconds timeout)
{
    ::Display* d = Dpy(m_x);
    return WaitFor(
        [&] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(d, &focus, &revert);
            return focus == window;
        },
        timeout);
}

bool XSession::WaitForScreen(int x, int y, int width, int height, const std::function<bool(const TBitmap32&)>& pred,
                             std::chrono::milliseconds timeout)
{
    return WaitFor([&] { return pred(Screenshot(x, y, width, height)); }, timeout);
}

TBitmap32 XSession::Screenshot(int x, int y, int width, int height)
{
    ::Display* d = Dpy(m_x);
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    TBitmap32 shot;
    if (!image) return shot;
    shot.SetSize(width, height);
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px)
            shot.SetPixelS(px, py, Opaque(static_cast<TColor32>(XGetPixel(image, px, py))));
    XDestroyImage(image);
    return shot;
}

bool XSession::SavePng(const std::filesystem::path& file)
{
    return Run({"import", "-window", "root", file.string()});
}

bool XSession::Run(const std::vector<std::string>& argv)
{
    const pid_t pid = Spawn(argv);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool XSession::SetMonitors(const std::vector<TWindowGeometry>& monitors)
{
    int n = 0;
    for (const TWindowGeometry& m : monitors) {
        // Sizes in millimetres at about 96 dots per inch.
        const std::string geometry = std::to_string(m.Width) + "/" + std::to_string(m.Width * 254 / 960) + "x" +
                                     std::to_string(m.Height) + "/" + std::to_string(m.Height * 254 / 960) + "+" +
                                     std::to_string(m.X) + "+" + std::to_string(m.Y);
        if (!Run({"xrandr", "--setmonitor", "M" + std::to_string(++n), geometry, "none"})) return false;
    }
    // This takes the whole-screen monitor away, with an X error printed that
    // means nothing here.
    Run({"xrandr", "--output", "screen", "--off"});
    return true;
}

bool XSession::SetBackground(const std::function<TColor32(int, int)>& pattern)
{
    const std::filesystem::path file = m_home.Path() / "background.ppm";
    {
        std::ofstream out(file, std::ios::binary);
        out << "P6\n256 256\n255\n";
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const TColor32 c = pattern(x, y);
                const char rgb[3] = {static_cast<char>(RedComponent(c)), static_cast<char>(GreenComponent(c)),
                                     static_cast<char>(BlueComponent(c))};
                out.write(rgb, 3);
            }
    }
    if (!Run({"feh", "--no-fehbg", "--bg-tile", file.string()}) || !Run({"xrefresh"})) return false;
    return WaitForScreen(
        300, 300, 1, 1,
        [&](const TBitmap32& shot) { return shot.Pixel(0, 0) == Opaque(pattern(300 % 256, 300 % 256)); }, 5s);
}

bool XSession::Xdotool(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return Run(argv);
}
