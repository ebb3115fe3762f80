#pragma once
// The window-system details of the always-on-top windows, kept in one place
// so that the windows never talk to X11 themselves.
//
// On X11 the ruler and its tool windows are override-redirect: only such
// windows are placed exactly where asked (window managers keep a managed
// window mostly on screen, and the ruler may leave all but one column off
// the monitor), they get no taskbar entry, and they stack synchronously.

#include <QObject>
#include <memory>

class QWidget;

namespace WindowSystem {

// Flags and attributes of a borderless always-on-top window without a
// taskbar entry; call before the window is first shown.
void ConfigureToolWindow(QWidget* window);
// Puts the window at the top of the always-on-top band without activating,
// moving or resizing it.
void RaiseWithoutActivating(QWidget* window);
// Gives the window the keyboard (an override-redirect window gets it only
// when asked).
void TakeKeyboard(QWidget* window);
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
