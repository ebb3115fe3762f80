#pragma once
// The program's commands, shared by every window: the context menu with its
// items and keys, and what each item does to the ruler's state with the
// follow-ups it needs, in their order. The ruler and the precise tool's
// windows open the same menu and dispatch the same keys through here, so no
// window needs to know another's handlers.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "online/OnlineCheck.h"

#include "ruler/MenuTree.h"
#include "ruler/RulerMenu.h"
#include "ruler/RulerState.h"

class IDesktop;
class IShell;
class QPoint;
class QWidget;
class TfrmRuler;

class TRulerCommands : public QObject {
    Q_OBJECT
public:
    // Runs on the ruler's own state; the ruler outlives its commands.
    TRulerCommands(TfrmRuler& ruler, IDesktop& desktop, IShell& shell);

    // The context menu: built once the language files are loaded, brought in
    // line with the state whenever it shows.
    void BuildMenus();
    TRulerMenu* Menu() const { return m_menu; }
    TMenuContext MenuContext() const;
    // Opens the menu at a screen point; the window of ours that had the
    // keyboard gets it back when the menu closes.
    void PopupMenu(const QPoint& globalPos);

    void RunMenuItem(TMenuItemRef item);
    // The item that carries the keys (a chord as the menu table writes it),
    // if any is enabled; RunKeys runs it and tells whether one ran.
    bool OwnsKeys(const std::string& chord) const;
    bool RunKeys(const std::string& chord);
    // The ruler's double-click action.
    void RunDoubleClick();

    // Every item's caption in the current language, and its check, enabled
    // and visible state, from the state: after a change of language or of an
    // option a caption names (the unit, the orientation), and whenever the
    // menu shows.
    void RefreshMenu();
    // -1: English; else the index of a loaded language.
    void menuAnyLangClick(int language);
    // The saved language when its file is loaded, else English.
    void ChooseStartupLanguage(const std::string& code);
    int CheckedLanguage() const { return m_checkedLanguage; }
    void GenerateColorIcons();
    void GenerateMainColorIcon();

    // Re-stacks the always-on-top windows in their fixed order.
    void SetWinOrders();
    void SelectMonitor(int n);
    // After the monitor table changed: the double-click action, the menu,
    // and the checked monitor selected again (monitor 1 when it is gone).
    void ShowMonitorMenuItems();
    // A monitor went away: a ruler left without its monitor goes where it
    // can be seen (RESET with detected monitors, monitor 1 of a manual table).
    void MonitorRemoved();
    // Makes a dialog. Each is made once, the first time it is asked for, so
    // that a start that shows none neither builds them nor loads the
    // interface font.
    using TDialogSource = std::function<QWidget*()>;
    // The monitor dialog, shown (without waiting) when the user confirms
    // the manual configuration.
    void SetMonitorDialog(TDialogSource source) { m_monitorDialog.Source = std::move(source); }
    // The custom settings and About dialogs, shown (modeless) by their
    // commands; an open one comes to the front.
    void SetCustomizeDialog(TDialogSource source) { m_customizeDialog.Source = std::move(source); }
    void SetAboutDialog(TDialogSource source) { m_aboutDialog.Source = std::move(source); }
    // Shows the About dialog, as its command does.
    void ShowAboutDialog() { ShowDialog(m_aboutDialog); }
    // After the custom settings dialog wrote its values into the state:
    // every window lays itself out, repaints and re-reads its texts.
    void CustomSettingsApplied();
    // The update check: at start-up (quiet unless there is news) or by
    // CHECK NOW; a 1000 ms tick looks for its result.
    void StartOnlineCheck(bool startUp);
    void OnlineCheckTimerTimer();
    // The companion magnifier's path, read once at start-up.
    std::string MagnifierPath;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TDialog {
        TDialogSource Source;
        QPointer<QWidget> Made;  // watched since it was made
    };
    // The dialog, made now when it was not yet; its going gives the keyboard
    // back to the window that had it when the dialog came up.
    QWidget* Dialog(TDialog& dialog);

    // The handlers behind the items, run after a check item toggled its own
    // option.
    void AnyUnitsClick(TUnits units);
    void ResolutionClick(TResolution resolution);
    void AnySizeClick(TRulerSize size);
    void TransparencyClick(TTransparency choice);
    void AnyColorMenuClick(int index);
    void menuRotateClick();
    void menuBoundToScreenClick();
    void menuDragToCenterClick();
    void menuStickToMouseClick();
    void menuExitClick();
    void menuResetClick();
    void menuManualConfigClick();
    void ShowDialog(TDialog& dialog);
    void menuAutostartClick();
    void AnyMonitorClick();
    void RunRadioChoice(TRadioChoice choice);
    void RepaintAndRestack();

    TfrmRuler& m_ruler;
    RulerState& m_state;
    IDesktop& m_desktop;
    IShell& m_shell;
    TDialog m_monitorDialog;
    TDialog m_customizeDialog;
    TDialog m_aboutDialog;
    // Made with the first check: a program that never checks never sets up
    // the HTTP client.
    std::unique_ptr<TOnlineCheck> m_onlineCheck;
    QTimer m_onlineCheckTimer;
    TMenuImages m_images;
    TRulerMenu* m_menu = nullptr;
    int m_checkedLanguage = -1;
    QPointer<QWidget> m_menuKeyboardOwner;
    QPointer<QWidget> m_dialogKeyboardOwner;
};
