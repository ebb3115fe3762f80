#pragma once
// The window-system details of the always-on-top windows, kept in one place
// so that the windows never talk to X11 themselves.
//
// On X11 the ruler and its tool windows are override-redirect: only such
// windows are placed exactly where asked (window managers keep a managed
// window mostly on screen, and the ruler may leave all but one column off
// the monitor), they get no taskbar entry, and they stack synchronously.

#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>

class QWidget;

namespace WindowSystem {

// Flags and attributes of a borderless always-on-top window without a
// taskbar entry; call before the window is first shown.
void ConfigureToolWindow(QWidget* window);
// The program's always-on-top windows in their fixed stacking order, from the
// bottom up (the ruler first). Windows go when they are destroyed.
void RegisterToolWindow(QWidget* window);
bool IsToolWindow(const QWidget* window);
// Re-stacks the visible tool windows in their fixed order at the top of the
// always-on-top band, without activating, moving or resizing them, and keeps
// the program's open menus and dialogs above them: whatever restacked them
// last, the order comes out the same.
void KeepStackingOrder();
// Gives the window the keyboard (an override-redirect window gets it only
// when asked).
void TakeKeyboard(QWidget* window);
// Whether the window has the keyboard now, as the window system sees it: Qt's
// idea of the active window lags behind when a window is hidden and shown.
bool HasKeyboard(const QWidget* window);
// The tool window (the ruler or a magnifier) that has the keyboard now, if
// any: a menu or dialog of ours that takes the keyboard gives it back there.
QWidget* ToolWindowWithKeyboard();
// Gives the keyboard back to the window once the window manager has dealt
// with the dialog that had it going away.
void ReturnKeyboardLater(QWidget* window);
// One pixel of the screen as it shows (0xFFRRGGBB) straight from the X
// server, far cheaper than a screen grab; 0xFFFFFFFF where the screen has
// no such pixel, nothing when this is not an X11 session with a true-colour
// screen (the caller grabs then).
std::optional<std::uint32_t> ReadScreenPixel(int x, int y);
// Constant alpha of the whole window, 0..255. It shows only where a
// compositing manager runs.
void SetWindowAlpha(QWidget* window, int alpha);

// Tells when the user presses Alt+F4 while one of the program's windows has
// the keyboard. Window managers bind Alt+F4 for themselves and would never
// pass it to an override-redirect window, so the keys are watched below the
// grabs.
class CloseKeyWatcher : public QObject {
    Q_OBJECT
public:
    explicit CloseKeyWatcher(QObject* parent = nullptr);
    ~CloseKeyWatcher() override;

signals:
    void closeRequested();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace WindowSystem
