#include "platform/WindowSystem.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstdlib>

// Xlib's macros clash with Qt names used after this point.
#undef KeyPress
#undef KeyRelease
#undef FocusIn
#undef FocusOut
#undef None
#undef Status
#undef Bool

namespace WindowSystem {

namespace {

bool OnX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool Unmanaged(const QWidget* w)
{
    return w->windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
}

Display* QtDisplay()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// The window manager's frame around a managed window: its ancestor that is a
// child of the root window.
Window FrameOf(Display* d, Window w)
{
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &n)) return w;
        if (children) XFree(children);
        if (parent == root || parent == 0) return w;
        w = parent;
    }
}

}  // namespace

void ConfigureToolWindow(QWidget* window)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    if (OnX11()) flags |= Qt::X11BypassWindowManagerHint;
    window->setWindowFlags(flags);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
}

namespace {

std::vector<QPointer<QWidget>>& ToolWindows()
{
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}

// The visible tool windows, bottom first.
std::vector<QWidget*> VisibleToolWindows()
{
    std::vector<QWidget*> shown;
    for (const QPointer<QWidget>& w : ToolWindows())
        if (w && w->isVisible()) shown.push_back(w.data());
    return shown;
}

// Our other windows on screen: open menus, dialogs, hints.
std::vector<QWidget*> VisibleOtherWindows()
{
    std::vector<QWidget*> others;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !IsToolWindow(w) && w->testAttribute(Qt::WA_WState_Created)) others.push_back(w);
    return others;
}

// The X window that stands among the root's children for ours: the window
// itself, or the window manager's frame around it.
Window TopLevelOf(Display* d, const QWidget* w)
{
    return FrameOf(d, static_cast<Window>(w->winId()));
}

// Position of each root child in the stacking order, bottom 0.
std::vector<Window> RootStack(Display* d)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    std::vector<Window> order;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n) && children) {
        order.assign(children, children + n);
        XFree(children);
    }
    return order;
}

}  // namespace

void RegisterToolWindow(QWidget* window)
{
    auto& list = ToolWindows();
    list.erase(
        std::remove_if(list.begin(), list.end(), [window](const QPointer<QWidget>& w) { return !w || w == window; }),
        list.end());
    list.emplace_back(window);
}

bool IsToolWindow(const QWidget* window)
{
    const auto& list = ToolWindows();
    return window &&
           std::any_of(list.begin(), list.end(), [window](const QPointer<QWidget>& w) { return w.data() == window; });
}

void KeepStackingOrder()
{
    const std::vector<QWidget*> tools = VisibleToolWindows();
    const std::vector<QWidget*> others = VisibleOtherWindows();
    Display* d = OnX11() ? QtDisplay() : nullptr;
    if (!d) {
        for (QWidget* w : tools) w->raise();
        for (QWidget* w : others) w->raise();
        return;
    }
    // Raised one after the other, each lands on top: the last is the highest.
    for (QWidget* w : tools)
        if (Unmanaged(w)) XRaiseWindow(d, static_cast<Window>(w->winId()));
    if (!others.empty()) {
        // A window manager cannot raise a managed dialog above override-
        // redirect windows, so ours go below the lowest of our menus and
        // dialogs instead, still in their order.
        const std::vector<Window> stack = RootStack(d);
        std::size_t lowest = stack.size();
        for (QWidget* w : others) {
            const auto at = std::find(stack.begin(), stack.end(), TopLevelOf(d, w));
            lowest = std::min(lowest, static_cast<std::size_t>(at - stack.begin()));
        }
        if (lowest < stack.size()) {
            XWindowChanges changes{};
            changes.sibling = stack[lowest];
            changes.stack_mode = Below;
            for (QWidget* w : tools)
                if (Unmanaged(w))
                    XConfigureWindow(d, static_cast<Window>(w->winId()), CWSibling | CWStackMode, &changes);
        }
    }
    XFlush(d);
}

void TakeKeyboard(QWidget* window)
{
    if (!window) return;
    window->activateWindow();
    window->setFocus(Qt::OtherFocusReason);
    // A window that was just shown may not be viewable yet, and the X server
    // refuses the focus then: ask again for a little while, but only until it
    // has had the keyboard once, so that a user who moves on is not followed.
    auto reached = std::make_shared<bool>(HasKeyboard(window));
    for (int attempt = 1; attempt <= 10; ++attempt) {
        QTimer::singleShot(attempt * 30, window, [w = QPointer<QWidget>(window), reached] {
            if (!w || *reached || !w->isVisible()) return;
            if (HasKeyboard(w))
                *reached = true;
            else
                w->activateWindow();
        });
    }
}

bool HasKeyboard(const QWidget* window)
{
    if (!window || !window->isVisible()) return false;
    Display* d = OnX11() ? QtDisplay() : nullptr;
    if (!d) return window->isActiveWindow();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    return focus != 0 && focus == static_cast<Window>(window->winId());
}

std::optional<std::uint32_t> ReadScreenPixel(int x, int y)
{
    auto* x11 = OnX11() && qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return std::nullopt;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen || screen->root_depth < 24) return std::nullopt;
    if (x < 0 || y < 0 || x >= screen->width_in_pixels || y >= screen->height_in_pixels) return 0xFFFFFFFFu;
    // An error comes back as no reply, never as the end of the program.
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, static_cast<std::int16_t>(x),
                                          static_cast<std::int16_t>(y), 1, 1, ~0u),
                            nullptr);
    if (!reply) return 0xFFFFFFFFu;
    std::optional<std::uint32_t> pixel = 0xFFFFFFFFu;
    if (xcb_get_image_data_length(reply) >= 4) {
        const std::uint8_t* d = xcb_get_image_data(reply);
        // 24 and 32 bit true colour: blue, green, red, unused, in the
        // server's byte order, which is ours on every machine we run on.
        pixel = 0xFF000000u | (static_cast<std::uint32_t>(d[2]) << 16) | (static_cast<std::uint32_t>(d[1]) << 8) | d[0];
    }
    std::free(reply);
    return pixel;
}

QWidget* ToolWindowWithKeyboard()
{
    for (const QPointer<QWidget>& w : ToolWindows())
        if (w && HasKeyboard(w)) return w.data();
    return nullptr;
}

void ReturnKeyboardLater(QWidget* window)
{
    if (!window) return;
    QTimer::singleShot(100, window, [w = QPointer<QWidget>(window)] {
        if (w && w->isVisible()) TakeKeyboard(w);
    });
}

void SetWindowAlpha(QWidget* window, int alpha)
{
    window->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

namespace {
// Alt+F4 in a dialog is the window manager's business (and never ends the
// program); only the ruler and its tool windows, which it cannot see, need
// us. The window system's focus decides: Qt's active window may be stale
// after a window was hidden and shown again.
bool FocusOnToolWindow(Display* d)
{
    if (QApplication::activeModalWidget()) return false;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    if (focus == 0) return false;
    for (const QPointer<QWidget>& w : ToolWindows())
        if (w && w->isVisible() && w->testAttribute(Qt::WA_WState_Created) && static_cast<Window>(w->winId()) == focus)
            return true;
    return false;
}
}  // namespace

struct CloseKeyWatcher::Impl {
    Display* display = nullptr;
    int xiOpcode = 0;
    KeyCode f4 = 0;
    KeyCode altL = 0;
    KeyCode altR = 0;
    std::vector<KeyCode> others;  // Ctrl, Shift and Super: Alt+F4 means Alt alone
    int altsDown = 0;
    int othersDown = 0;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Impl()
    {
        notifier.reset();
        if (display) XCloseDisplay(display);
    }
};

CloseKeyWatcher::CloseKeyWatcher(QObject* parent) : QObject(parent), m_impl(std::make_unique<Impl>())
{
    if (!OnX11()) return;
    Impl& d = *m_impl;
    d.display = XOpenDisplay(nullptr);
    if (!d.display) return;
    int event = 0, error = 0;
    int major = 2, minor = 1;
    if (!XQueryExtension(d.display, "XInputExtension", &d.xiOpcode, &event, &error) ||
        XIQueryVersion(d.display, &major, &minor) != 0 || major < 2 || (major == 2 && minor < 1)) {
        // Raw events reach us through other clients' grabs only from XI 2.1 on.
        XCloseDisplay(d.display);
        d.display = nullptr;
        return;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof(bits)), bits};
    XISelectEvents(d.display, DefaultRootWindow(d.display), &mask, 1);
    d.f4 = XKeysymToKeycode(d.display, XK_F4);
    d.altL = XKeysymToKeycode(d.display, XK_Alt_L);
    d.altR = XKeysymToKeycode(d.display, XK_Alt_R);
    for (KeySym sym : {XK_Control_L, XK_Control_R, XK_Shift_L, XK_Shift_R, XK_Super_L, XK_Super_R})
        if (const KeyCode code = XKeysymToKeycode(d.display, sym)) d.others.push_back(code);
    XFlush(d.display);

    d.notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(d.display), QSocketNotifier::Read);
    connect(d.notifier.get(), &QSocketNotifier::activated, this, [this] {
        Impl& im = *m_impl;
        while (XPending(im.display) > 0) {
            XEvent ev;
            XNextEvent(im.display, &ev);
            XGenericEventCookie* cookie = &ev.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != im.xiOpcode || !XGetEventData(im.display, cookie))
                continue;
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            const auto key = static_cast<KeyCode>(raw->detail);
            const bool press = cookie->evtype == XI_RawKeyPress;
            XFreeEventData(im.display, cookie);
            const auto count = [press](int& down, int most) {
                down = press ? std::min(down + 1, most) : std::max(down - 1, 0);
            };
            if (key == im.altL || key == im.altR) {
                count(im.altsDown, 2);
            } else if (std::find(im.others.begin(), im.others.end(), key) != im.others.end()) {
                count(im.othersDown, static_cast<int>(im.others.size()));
            } else if (press && key == im.f4 && im.altsDown > 0 && im.othersDown == 0 &&
                       FocusOnToolWindow(im.display)) {
                emit closeRequested();
            }
        }
    });
}

CloseKeyWatcher::~CloseKeyWatcher() = default;

}  // namespace WindowSystem
