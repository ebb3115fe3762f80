#pragma once
// The ruler window: turns pointer, key and menu events into calls on the
// ruler's state and geometry, and shows the painted picture.

#include <QIcon>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "platform/Desktop.h"
#include "platform/QtFlagLoader.h"
#include "platform/Shell.h"
#include "ruler/MenuTree.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerInteraction.h"
#include "ruler/RulerMenu.h"
#include "ruler/RulerPicture.h"
#include "ruler/RulerState.h"
#include "settings/Settings.h"
#include "settings/SettingsLocation.h"

// Where the ruler finds what lies outside it at start-up.
struct TRulerSetup {
    std::filesystem::path ExecutablePath;  // its old settings file lies beside it
    std::filesystem::path LanguagesFolder;
    std::filesystem::path MagnifierConfig = "/etc/xdg/Vendra/Lentix.ini";
    TEnvironment Environment = ProcessEnvironment();
};

class TfrmRuler : public QWidget {
    Q_OBJECT
public:
    TfrmRuler(IDesktop& desktop, IShell& shell, QWidget* parent = nullptr);

    RulerState State;
    TRulerPicture Picture;
    TDragState Drag;
    QTimer StickTimer;
    // The menu's image list and the colour icons.
    TMenuImages MenuImages;
    // Built by BuildMenus, once the language files are known.
    TRulerMenu* Menu = nullptr;
    // The precise tool's windows in stacking order from the bottom (first
    // magnifier, first crosshair, second magnifier, second crosshair).
    std::vector<QWidget*> PreciseToolWindows;
    // The two magnifiers, which may share the ruler's transparency.
    std::vector<QWidget*> ZoomWindows;
    // Carries the locked magnifiers along after the ruler moved.
    std::function<void()> CarryPreciseTool;

    // The program's start: menus, settings, picture and place. False after a
    // critical error (already shown), when the program must end.
    bool FormCreate(const TRulerSetup& setup);
    // The program's end: timers stopped, settings written. Runs once, however
    // the end comes (EXIT, the window manager, the session), and never after
    // a critical error, which leaves the settings file alone.
    void FormDestroy();
    bool CriticalError() const { return m_criticalError; }
    const std::string& SettingsPath() const { return m_settingsPath; }
    std::string MagnifierPath;

    // Lays the ruler out from State: measures, colour, transparency, size,
    // picture, centre, captions, stick timer.
    void StartUp();

    TWindowBounds Bounds() const { return {x(), y(), width(), height()}; }
    const QImage& Frame() const { return m_frame; }

    // The context menu: built once the language files are loaded; refreshed
    // from the state whenever it shows.
    void BuildMenus();
    TMenuContext MenuContext() const;
    void RunMenuItem(TMenuItemRef item);
    // Runs the menu item that carries the keys, if any; true when one ran.
    // scanCode: the X keycode where known, for the keys named by position.
    bool RunMenuKeys(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);
    void SetLanguage();
    // -1: English; else the index of a loaded language.
    void menuAnyLangClick(int language);
    // The saved language when its file is loaded, else English.
    void ChooseStartupLanguage(const std::string& code);
    void menuAdvancedClick();
    int CheckedLanguage() const { return m_checkedLanguage; }

    // Picture and geometry.
    void PaintRuler();
    void GenerateColorIcons();
    void GenerateMainColorIcon();
    void SetSize();
    void SetCenter();
    void RepositionRuler(int x, int y);
    void SetTransparency();
    void SetZoomTransparencies();
    void SetWinOrders();
    void SetStick();
    void SelectMonitor(int n);
    void AnyMonitorClick();

    // Commands of the context menu.
    void menuPixelsClick();
    void menuCMClick();
    void menuINClick();
    void menuCustomUnitsClick();
    void ResolutionClick(TResolution resolution);
    void menuScaleShowClick();
    void menuUpClick();
    void menuDownClick();
    void menuRightClick();
    void menuLeftClick();
    void menuNoOffsetClick();
    void MenuEmbossedClick();
    void AnyColorMenuClick(int index);
    void menuFullSizeClick();
    void menu075SizeClick();
    void menu050SizeClick();
    void menuCustomSizeClick();
    void menuRotateClick();
    void menuBoundToScreenClick();
    void menuDragToCenterClick();
    void TransparencyClick(TTransparency choice);
    void menuStickToMouseClick();
    void menuAxisLockedClick();
    void menuInfoMouseClick();
    void menuInfoRGBClick();
    void menuInfoHintsClick();
    void menuExitClick();

    // Pointer, keys, timer.
    void RulerImageMouseDown(Qt::MouseButton button, int x, int y);
    void RulerImageMouseMove();
    void RulerImageMouseUp();
    void RulerImageClick();
    void RulerImageDblClick();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void StickTimerTimer();

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
    void AnyUnitsClick(TUnits units);
    void AnySizeClick(TRulerSize size, bool axisLocked);
    void ComposeFrame();
    // Hidden while its size changes, so that no intermediate size is seen.
    void HideForRelayout();
    void UpdateCursor(int x, int y);

    IDesktop& m_desktop;
    QtFlagLoader m_flagLoader;
    IShell& m_shell;
    QImage m_frame;
    char16_t m_decimalSeparator = u'.';
    // The press that opened a click: a double click's second press is not one.
    bool m_clickPending = false;
    int m_checkedLanguage = -1;
    bool m_criticalError = false;
    bool m_destroyed = false;
    bool m_restoreKeyboard = false;
    bool m_menuFromActive = false;
    std::string m_settingsPath;
};
