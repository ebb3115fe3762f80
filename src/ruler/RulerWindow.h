#pragma once
// The ruler window: shows the painted ruler, places it, and turns pointer
// and key events into calls on the ruler's state, its geometry and the
// shared commands.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <string>

#include "platform/QtFlagLoader.h"
#include "precise/PreciseTool.h"
#include "ruler/Desktop.h"
#include "ruler/RulerCommands.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerInteraction.h"
#include "ruler/RulerPicture.h"
#include "ruler/RulerState.h"
#include "settings/SettingsLocation.h"

class IShell;

// Where the ruler finds what lies outside it at start-up.
struct TRulerSetup {
    std::filesystem::path ExecutablePath;  // its old settings file lies beside it
    std::filesystem::path LanguagesFolder;
    TEnvironment Environment = ProcessEnvironment();
};

class TfrmRuler : public QWidget {
    Q_OBJECT
    // Read by the windows built with the ruler, so it comes first.
    const char16_t m_decimalSeparator;

public:
    TfrmRuler(IDesktop& desktop, IShell& shell, ITextRasterizer& text, QWidget* parent = nullptr);

    RulerState State;
    TRulerPicture Picture;
    TDragState Drag;
    QTimer StickTimer;
    // The information line's 40 ms tick, from start-up while any of its
    // options is on.
    QTimer HintTimer;
    TRulerCommands Commands;
    TPreciseTool PreciseTool;

    // The program's start: menus, settings, picture and place. False after a
    // critical error (already shown), when the program must end.
    bool FormCreate(const TRulerSetup& setup);
    // The program's end: timers stopped, settings written. Runs once, however
    // the end comes (EXIT, the window manager, the session), and never after
    // a critical error, which leaves the settings file alone.
    void FormDestroy();
    bool CriticalError() const { return m_criticalError; }
    const std::string& SettingsPath() const { return m_settingsPath; }
    // The running program, as the autostart entry starts it.
    const std::filesystem::path& ExecutablePath() const { return m_executablePath; }
    // The environment the program started with, as the setup gave it: the
    // update check, the autostart entry and the web pages read it.
    const TEnvironment& Environment() const { return m_environment; }
    // The user's decimal separator, for every number the program writes.
    char16_t DecimalSeparator() const { return m_decimalSeparator; }

    // Lays the ruler out from State: measures, colour, transparency, size,
    // picture, centre, captions, stick timer.
    void StartUp();

    TWindowBounds Bounds() const { return {x(), y(), width(), height()}; }
    // The picture the window shows: the ruler image with its layers.
    const QImage& ShownImage() const { return m_shown; }

    // Picture and geometry.
    void PaintRuler();
    void SetSize();
    void SetCenter();
    void RepositionRuler(int x, int y);
    void SetTransparency();
    void SetStick();
    // Hidden while its size changes, so that no intermediate size is seen; a
    // ruler that had the keyboard gets it back when PaintRuler shows it.
    void HideForRelayout();

    // Pointer, keys, timer.
    void RulerImageMouseDown(Qt::MouseButton button, int x, int y);
    void RulerImageMouseMove();
    void RulerImageMouseUp();
    void RulerImageClick();
    void RulerImageDblClick();
    void FormKeyDown(TArrowKey key, TModifiers modifiers);
    void StickTimerTimer();
    void HintTimerTimer();
    // After a SHOW INFO item changed its option: the tick runs again, or,
    // with the last option off, stops and the line is blanked.
    void AnyInfoClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateCursor(int x, int y);

    IDesktop& m_desktop;
    IShell& m_shell;
    QtFlagLoader m_flagLoader;
    QImage m_shown;
    // The press that opened a click: a double click's second press is not one.
    bool m_clickPending = false;
    bool m_criticalError = false;
    bool m_destroyed = false;
    bool m_restoreKeyboard = false;
    std::string m_settingsPath;
    std::filesystem::path m_executablePath;
    TEnvironment m_environment = ProcessEnvironment();
};
