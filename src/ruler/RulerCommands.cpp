#include "ruler/RulerCommands.h"

#include <QEvent>
#include <QMenu>
#include <QPixmap>

#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "monitors/Monitors.h"
#include "online/Autostart.h"
#include "online/CompanionMagnifier.h"
#include "online/Shell.h"
#include "online/WebSites.h"
#include "platform/CurlHttpClient.h"
#include "platform/PlatformBitmap.h"
#include "platform/WindowSystem.h"
#include "ruler/Desktop.h"
#include "ruler/RulerInteraction.h"
#include "ruler/RulerWindow.h"
#include "ruler/ScalePainter.h"

TRulerCommands::TRulerCommands(TfrmRuler& ruler, IDesktop& desktop, IShell& shell)
    : QObject(&ruler), m_ruler(ruler), m_state(ruler.State), m_desktop(desktop), m_shell(shell)
{
    m_onlineCheckTimer.setInterval(1000);
    connect(&m_onlineCheckTimer, &QTimer::timeout, this, &TRulerCommands::OnlineCheckTimerTimer);
}

void TRulerCommands::BuildMenus()
{
    m_images.ImageList = FixedMenuImages();
    for (int j = 0; j < LanguageCount(); ++j) {
        const TBitmap32* flag = GetLanguageIcon(j);
        m_images.ImageList.push_back(flag ? MaskedFlag(ToPlatformImage(*flag)) : QIcon());
    }
    delete m_menu;
    m_menu = new TRulerMenu(MenuContext(), &m_ruler);
    connect(m_menu, &TRulerMenu::itemTriggered, this, &TRulerCommands::RunMenuItem);
    // The state is the authority; the menu catches up whenever it opens.
    connect(m_menu->RightMenu(), &QMenu::aboutToShow, this, &TRulerCommands::RefreshMenu);
    connect(m_menu->RightMenu(), &QMenu::aboutToHide, this, [this] {
        if (m_menuKeyboardOwner && m_menuKeyboardOwner->isVisible()) WindowSystem::TakeKeyboard(m_menuKeyboardOwner);
    });
}

TMenuContext TRulerCommands::MenuContext() const
{
    TMenuContext c;
    for (int j = 0; j < LanguageCount(); ++j) c.LanguageNames.push_back(GetLanguageName(j));
    c.CheckedLanguage = m_checkedLanguage;
    c.CheckRunning = m_onlineCheck && m_onlineCheck->IsRunning();
    return c;
}

void TRulerCommands::PopupMenu(const QPoint& globalPos)
{
    if (!m_menu) return;
    // Whichever of our windows had the keyboard gets it back when the menu
    // closes, whichever window it was opened on.
    m_menuKeyboardOwner = WindowSystem::ToolWindowWithKeyboard();
    m_menu->RightMenu()->popup(globalPos);
    // Shown after the re-stacking, and kept above whatever re-stacks next.
    WindowSystem::KeepStackingOrder();
}

bool TRulerCommands::OwnsKeys(const std::string& chord) const
{
    return MenuItemForKeys(chord, m_state, MenuContext()).has_value();
}

bool TRulerCommands::RunKeys(const std::string& chord)
{
    const auto item = MenuItemForKeys(chord, m_state, MenuContext());
    if (!item) return false;
    RunMenuItem(*item);
    return true;
}

void TRulerCommands::RunDoubleClick()
{
    const bool scaleAndHints = m_state.DoubleClick == TDoubleClickAction::ScaleAndHints;
    RunMenuItem(DoubleClickCommand(m_state));
    if (scaleAndHints)
        for (const TMenuItemRef& item : ScaleAndHintsFollowUps(m_state)) RunMenuItem(item);
}

void TRulerCommands::RunMenuItem(TMenuItemRef item)
{
    using I = TMenuId;
    if (const auto choice = RadioChoice(item.Id)) return RunRadioChoice(*choice);
    // A check item toggles its own option, as a checked menu item does; the
    // follow-ups below see the new state.
    if (bool* option = CheckOption(m_state, item.Id)) *option = !*option;
    switch (item.Id) {
        case I::menuStickToMouse: menuStickToMouseClick(); break;
        case I::menuBoundToScreen: menuBoundToScreenClick(); break;
        case I::menuMonitor: SelectMonitor(item.Index + 1); break;
        case I::menuReset: menuResetClick(); break;
        case I::menuManualConfig: menuManualConfigClick(); break;
        case I::menuCustomize: ShowDialog(m_customizeDialog); break;
        case I::menuAbout: ShowDialog(m_aboutDialog); break;
        case I::menuAutostart: menuAutostartClick(); break;
        // Links and other programs: a failure is the desktop's to show.
        case I::menuHelp: m_shell.OpenHelp(""); break;
        case I::menuMore: m_shell.OpenUrl(LanguagesDownloadPage()); break;
        case I::menuScalioOnline: m_shell.OpenUrl(ProductPage("", m_ruler.Environment())); break;
        case I::menuVendraOnline: m_shell.OpenUrl(MakerPage()); break;
        case I::menuQuestion: m_shell.OpenUrl(MailLink(TMailTopic::Question)); break;
        case I::menuComments: m_shell.OpenUrl(MailLink(TMailTopic::Comments)); break;
        case I::menuBug: m_shell.OpenUrl(MailLink(TMailTopic::Bug)); break;
        case I::menuMagnifier: LaunchCompanionMagnifier(MagnifierPath, m_shell); break;
        case I::menuCheckNow: StartOnlineCheck(false); break;
        case I::menuDragToCenter: menuDragToCenterClick(); break;
        case I::menuScaleShow: RepaintAndRestack(); break;
        case I::MenuEmbossed:
            RepaintAndRestack();
            m_ruler.PreciseTool.PaintZoom1();
            m_ruler.PreciseTool.PaintZoom2();
            break;
        case I::menuPreciseShow: m_ruler.PreciseTool.menuPreciseShowClick(); break;
        case I::menuPreciseLock: m_ruler.PreciseTool.menuPreciseLockClick(); break;
        case I::menuPreciseTransparency: m_ruler.PreciseTool.SetZoomTransparencies(); break;
        case I::menuInfoScale:
        case I::menuInfoMouse:
        case I::menuInfoRGB:
        case I::menuInfoHints: m_ruler.AnyInfoClick(); break;
        case I::menuUp:
        case I::menuDown:
            SelectScaleUp(m_state, item.Id == I::menuUp);
            m_ruler.PaintRuler();
            break;
        case I::menuRight:
        case I::menuLeft:
            SelectScaleRight(m_state, item.Id == I::menuRight);
            m_ruler.PaintRuler();
            break;
        case I::menuNoOffset:
        case I::menuHideLogo: m_ruler.PaintRuler(); break;
        case I::menuRotate: menuRotateClick(); break;
        case I::ColorMenuItem: AnyColorMenuClick(item.Index); break;
        case I::menuAdvanced: RefreshMenu(); break;
        case I::menuEN: menuAnyLangClick(-1); break;
        case I::LangMenuItem: menuAnyLangClick(item.Index); break;
        case I::menuExit: menuExitClick(); break;
        // The other check items are options alone. The commands of the
        // monitor dialog, the companion magnifier, custom settings, help, the
        // update check, the web and mail links and About come with their
        // windows and links.
        default: break;
    }
}

void TRulerCommands::RunRadioChoice(TRadioChoice choice)
{
    switch (choice.Option) {
        case TRadioOption::Units: AnyUnitsClick(static_cast<TUnits>(choice.Value)); break;
        case TRadioOption::Resolution: ResolutionClick(static_cast<TResolution>(choice.Value)); break;
        case TRadioOption::Size: AnySizeClick(static_cast<TRulerSize>(choice.Value)); break;
        case TRadioOption::Transparency: TransparencyClick(static_cast<TTransparency>(choice.Value)); break;
        case TRadioOption::PMTSize:
            SetRadioOption(m_state, choice);
            m_ruler.PreciseTool.PreciseSizeClick();
            break;
        // The double-click action is an option alone, and a new zoom shows
        // at the tool's next refresh.
        default: SetRadioOption(m_state, choice); break;
    }
}

void TRulerCommands::RefreshMenu()
{
    if (m_menu) m_menu->Refresh(m_state, MenuContext(), m_images);
}

void TRulerCommands::menuAnyLangClick(int language)
{
    m_checkedLanguage = language >= 0 && language < LanguageCount() ? language : -1;
    Languages().SetCurrentLanguage(m_checkedLanguage < 0 ? "EN" : GetLanguageID(m_checkedLanguage));
    m_state.Language = CurrentLanguage();
    RefreshMenu();
    SetResParams(m_state, Languages());
    m_ruler.PreciseTool.DrawTexts();
}

void TRulerCommands::ChooseStartupLanguage(const std::string& code)
{
    int chosen = -1;
    // With two files of one code the later one wins, as in the text lookup.
    if (code != "EN")
        for (int j = 0; j < LanguageCount(); ++j)
            if (GetLanguageID(j) == code) chosen = j;
    menuAnyLangClick(chosen);
}

void TRulerCommands::GenerateColorIcons()
{
    m_images.ColorIcons.clear();
    for (const ColorScheme& scheme : m_state.ColorSchemes)
        m_images.ColorIcons.emplace_back(QPixmap::fromImage(ToPlatformBitmap(ColorSchemeIcon(scheme))));
}

void TRulerCommands::GenerateMainColorIcon()
{
    m_images.MainColorIcon = QIcon(QPixmap::fromImage(ToPlatformBitmap(ColorSchemeIcon(m_state.CurrentScheme))));
}

void TRulerCommands::SetWinOrders()
{
    WindowSystem::KeepStackingOrder();
}

void TRulerCommands::RepaintAndRestack()
{
    m_ruler.PaintRuler();
    SetWinOrders();
}

void TRulerCommands::SelectMonitor(int n)
{
    ::SelectMonitor(m_state, n);
    AnyMonitorClick();
}

void TRulerCommands::ShowMonitorMenuItems()
{
    FitDoubleClickToMonitors(m_state);
    RefreshMenu();
    SelectMonitor(MonitorToReselect(m_state));
}

void TRulerCommands::MonitorRemoved()
{
    if (!ActiveMonitorGone(m_state, m_desktop.Monitors())) return;
    if (m_state.ManualCfg)
        SelectMonitor(1);
    else
        menuResetClick();
}

void TRulerCommands::menuResetClick()
{
    m_state.ManualCfg = false;
    DetectMonitors(m_state, m_desktop.Monitors());
    ShowMonitorMenuItems();
    SelectMonitor(1);
}

void TRulerCommands::menuManualConfigClick()
{
    const int answer = ShowAnswerDialog(u"Scalio", GetLangText(208) + u"\r\r" + GetLangText(209),
                                        {GetLangText(100), GetLangText(101), GetLangText(84)}, TAnswerIcon::Information,
                                        true, 3, "2B_Behavior.htm#Multiple");
    if (answer == 1) ShowDialog(m_monitorDialog);
}

QWidget* TRulerCommands::Dialog(TDialog& dialog)
{
    if (!dialog.Made && dialog.Source) {
        dialog.Made = dialog.Source();
        if (dialog.Made) dialog.Made->installEventFilter(this);
    }
    return dialog.Made;
}

bool TRulerCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && m_dialogKeyboardOwner) {
        WindowSystem::ReturnKeyboardLater(m_dialogKeyboardOwner);
        m_dialogKeyboardOwner = nullptr;
    }
    return QObject::eventFilter(watched, event);
}

void TRulerCommands::ShowDialog(TDialog& source)
{
    QWidget* dialog = Dialog(source);
    if (!dialog) return;
    if (!dialog->isVisible()) m_dialogKeyboardOwner = WindowSystem::ToolWindowWithKeyboard();
    // Modeless: an open dialog comes to the front instead.
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TRulerCommands::menuAutostartClick()
{
    // The item keeps its new check mark even when the desktop refuses.
    if (!SetAutostart(m_state.AutoStart, m_ruler.ExecutablePath(), m_ruler.Environment()))
        ShowAnswerDialog(u"Scalio", AutostartFailedText(), {GetLangText(100)}, TAnswerIcon::Error);
}

void TRulerCommands::StartOnlineCheck(bool startUp)
{
    if (!m_onlineCheck)
        m_onlineCheck = std::make_unique<TOnlineCheck>(std::make_shared<TCurlHttpClient>(),
                                                       VersionRecordUrl(m_ruler.Environment()));
    if (!m_onlineCheck->Start(startUp)) return;
    RefreshMenu();  // CHECK NOW waits for this check
    m_onlineCheckTimer.start();
}

void TRulerCommands::OnlineCheckTimerTimer()
{
    const std::optional<TFinishedCheck> done = m_onlineCheck->TakeResult();
    if (!done) return;
    m_onlineCheckTimer.stop();
    ShowCheckReport(ReportCheckResult(done->Result, done->ReportCheckResult, Languages()), m_shell);
    RefreshMenu();
}

void TRulerCommands::CustomSettingsApplied()
{
    m_ruler.SetSize();
    SetColor(m_state);
    GenerateColorIcons();
    GenerateMainColorIcon();
    RefreshMenu();
    SetResParams(m_state, Languages());
    m_ruler.PaintRuler();
    m_ruler.PreciseTool.PaintZoom1();
    m_ruler.PreciseTool.PaintZoom2();
    m_ruler.PreciseTool.DrawTexts();
    m_ruler.SetTransparency();
    m_ruler.PreciseTool.SetZoomTransparencies();
    SetWinOrders();
}

void TRulerCommands::AnyMonitorClick()
{
    // The tool leaves the old monitor hidden and unlocked, and comes back
    // shown and locked, so that locked magnifiers join the ruler there.
    const bool shown = m_state.PMTShow, locked = m_state.PMTLocked;
    if (shown) RunMenuItem({TMenuId::menuPreciseShow});
    if (locked) RunMenuItem({TMenuId::menuPreciseLock});
    m_ruler.HideForRelayout();
    m_ruler.SetSize();
    SetColor(m_state);
    m_ruler.SetCenter();
    RepaintAndRestack();
    if (shown) RunMenuItem({TMenuId::menuPreciseShow});
    if (locked) RunMenuItem({TMenuId::menuPreciseLock});
}

void TRulerCommands::AnyUnitsClick(TUnits units)
{
    SelectUnits(m_state, units, Languages());
    // The length units' captions name the unit; pixels need no new ones.
    if (units != TUnits::Pixels) RefreshMenu();
    RepaintAndRestack();
    m_ruler.PreciseTool.DrawTexts();
}

void TRulerCommands::ResolutionClick(TResolution resolution)
{
    SelectResolution(m_state, resolution, Languages());
    RepaintAndRestack();
    m_ruler.PreciseTool.DrawTexts();
}

void TRulerCommands::AnyColorMenuClick(int index)
{
    SelectColor(m_state, index);
    GenerateMainColorIcon();
    RepaintAndRestack();
    m_ruler.PreciseTool.PaintZoom1();
    m_ruler.PreciseTool.PaintZoom2();
    m_ruler.PreciseTool.DrawTexts();
}

void TRulerCommands::AnySizeClick(TRulerSize size)
{
    SelectSize(m_state, size);
    m_ruler.HideForRelayout();
    m_ruler.SetSize();
    RepaintAndRestack();
}

void TRulerCommands::menuRotateClick()
{
    // The item has turned the ruler already.
    m_ruler.Drag.SizeChanged = true;
    m_ruler.HideForRelayout();
    m_ruler.SetSize();
    SetColor(m_state);
    m_ruler.SetCenter();
    m_ruler.PaintRuler();
    const TWindowBounds b = m_ruler.Bounds();
    m_ruler.RepositionRuler(b.Left, b.Top);
    SetWinOrders();
    // The axis lock's caption names the direction the ruler may move.
    RefreshMenu();
}

void TRulerCommands::menuBoundToScreenClick()
{
    const TWindowBounds b = m_ruler.Bounds();
    m_ruler.RepositionRuler(b.Left, b.Top);
}

void TRulerCommands::menuDragToCenterClick()
{
    m_ruler.SetCenter();
}

void TRulerCommands::TransparencyClick(TTransparency choice)
{
    m_state.Transparency = choice;
    m_ruler.SetTransparency();
    m_ruler.PreciseTool.SetZoomTransparencies();
}

void TRulerCommands::menuStickToMouseClick()
{
    m_ruler.SetStick();
    if (m_state.FirstRun) {
        // Cleared first: the session may end while the hint is open.
        m_state.FirstRun = false;
        ShowAnswerDialog(u"Scalio", GetLangText(202), {GetLangText(100)}, TAnswerIcon::Warning);
    }
}

void TRulerCommands::menuExitClick()
{
    m_ruler.close();
}
