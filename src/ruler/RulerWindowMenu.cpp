// The ruler window's context menu: building it, mirroring the state into it,
// and running its items by mouse and by key.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "lang/Languages.h"
#include "platform/PlatformBitmap.h"
#include "platform/WindowSystem.h"
#include "ruler/RulerWindow.h"

namespace {

// The digit of the key in the main block's digit row, by its position, so
// that Ctrl+1 is the same key on every layout (X keycodes 10..19).
int DigitRowKey(quint32 scanCode)
{
    if (scanCode < 10 || scanCode > 19) return 0;
    return scanCode == 19 ? Qt::Key_0 : Qt::Key_1 + static_cast<int>(scanCode - 10);
}

// The keys of an event in the form the menu table writes them. The keypad's
// digits are other keys than the digit row's.
std::string KeyChord(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) return {};
    if (const int digit = DigitRowKey(scanCode); digit && !(key >= Qt::Key_A && key <= Qt::Key_Z)) key = digit;
    std::string name;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        name = 'F';
        name += std::to_string(key - Qt::Key_F1 + 1);
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        name = static_cast<char>('0' + key - Qt::Key_0);
    } else if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        name = static_cast<char>('A' + key - Qt::Key_A);
    } else {
        return {};
    }
    std::string chord;
    if (modifiers.testFlag(Qt::ControlModifier)) chord += "Ctrl+";
    if (modifiers.testFlag(Qt::AltModifier)) chord += "Alt+";
    if (modifiers.testFlag(Qt::ShiftModifier)) chord += "Shift+";
    return chord + name;
}

}  // namespace

void TfrmRuler::BuildMenus()
{
    MenuImages.ImageList = FixedMenuImages();
    for (int j = 0; j < LanguageCount(); ++j) {
        const TBitmap32* flag = GetLanguageIcon(j);
        MenuImages.ImageList.push_back(flag ? MaskedFlag(ToPlatformImage(*flag)) : QIcon());
    }
    delete Menu;
    Menu = new TRulerMenu(MenuContext(), this);
    connect(Menu, &TRulerMenu::itemTriggered, this, &TfrmRuler::RunMenuItem);
    // The state is the authority; the menu catches up whenever it opens.
    connect(Menu->RightMenu(), &QMenu::aboutToShow, this, &TfrmRuler::SetLanguage);
    // The keyboard comes back to the ruler the menu was opened on.
    connect(Menu->RightMenu(), &QMenu::aboutToHide, this, [this] {
        if (m_menuFromActive && isVisible()) WindowSystem::TakeKeyboard(this);
    });
}

TMenuContext TfrmRuler::MenuContext() const
{
    TMenuContext c;
    for (int j = 0; j < LanguageCount(); ++j) c.LanguageNames.push_back(GetLanguageName(j));
    c.CheckedLanguage = m_checkedLanguage;
    return c;
}

void TfrmRuler::SetLanguage()
{
    if (Menu) Menu->Refresh(State, MenuContext(), MenuImages);
}

void TfrmRuler::menuAnyLangClick(int language)
{
    m_checkedLanguage = language >= 0 && language < LanguageCount() ? language : -1;
    Languages().SetCurrentLanguage(m_checkedLanguage < 0 ? "EN" : GetLanguageID(m_checkedLanguage));
    State.Language = CurrentLanguage();
    SetLanguage();
    SetResParams(State);
}

void TfrmRuler::ChooseStartupLanguage(const std::string& code)
{
    int chosen = -1;
    // With two files of one code the later one wins, as in the text lookup.
    if (code != "EN")
        for (int j = 0; j < LanguageCount(); ++j)
            if (GetLanguageID(j) == code) chosen = j;
    menuAnyLangClick(chosen);
}

void TfrmRuler::menuAdvancedClick()
{
    State.ShowAdvanced = !State.ShowAdvanced;
    SetLanguage();
}

bool TfrmRuler::RunMenuKeys(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode)
{
    const auto item = MenuItemForKeys(KeyChord(key, modifiers, scanCode), State, MenuContext());
    if (!item) return false;
    RunMenuItem(*item);
    return true;
}

void TfrmRuler::contextMenuEvent(QContextMenuEvent* event)
{
    if (!Menu) return;
    SetWinOrders();
    // Only a ruler that had the keyboard gets it back when the menu closes.
    m_menuFromActive = isActiveWindow();
    Menu->RightMenu()->popup(event->globalPos());
}

bool TfrmRuler::event(QEvent* e)
{
    // Claim the keys of the menu before anything else can take them.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (MenuItemForKeys(KeyChord(key->key(), key->modifiers(), key->nativeScanCode()), State, MenuContext())) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void TfrmRuler::RunMenuItem(TMenuItemRef item)
{
    using I = TMenuId;
    switch (item.Id) {
        case I::menuStickToMouse: menuStickToMouseClick(); break;
        case I::menuAxisLocked: menuAxisLockedClick(); break;
        case I::menuBoundToScreen: menuBoundToScreenClick(); break;
        case I::menuDoubleLock: State.DoubleClick = TDoubleClickAction::AxisLock; break;
        case I::menuDoubleResize: State.DoubleClick = TDoubleClickAction::Resize; break;
        case I::menuDoubleRotate: State.DoubleClick = TDoubleClickAction::Rotate; break;
        case I::menuDoubleScale: State.DoubleClick = TDoubleClickAction::ScaleAndHints; break;
        case I::menuDoublePrecise: State.DoubleClick = TDoubleClickAction::PreciseOn; break;
        case I::menuDoublePreciseLock: State.DoubleClick = TDoubleClickAction::PreciseLock; break;
        case I::menuDoubleNext: State.DoubleClick = TDoubleClickAction::NextMonitor; break;
        case I::menuDoubleCustomize: State.DoubleClick = TDoubleClickAction::CustomSettings; break;
        case I::menuMonitor: SelectMonitor(item.Index + 1); break;
        case I::menuDragToCenter: menuDragToCenterClick(); break;
        case I::menuScaleShow: menuScaleShowClick(); break;
        case I::menuPixels: menuPixelsClick(); break;
        case I::menuCM: menuCMClick(); break;
        case I::menuIN: menuINClick(); break;
        case I::menuCustomUnits: menuCustomUnitsClick(); break;
        case I::menu72dpi: ResolutionClick(TResolution::Dpi72); break;
        case I::menu200dpi: ResolutionClick(TResolution::Dpi200); break;
        case I::menu300dpi: ResolutionClick(TResolution::Dpi300); break;
        case I::menu600dpi: ResolutionClick(TResolution::Dpi600); break;
        case I::menu1200dpi: ResolutionClick(TResolution::Dpi1200); break;
        case I::menuCustomResolution: ResolutionClick(TResolution::Custom); break;
        case I::menuUp: menuUpClick(); break;
        case I::menuDown: menuDownClick(); break;
        case I::menuRight: menuRightClick(); break;
        case I::menuLeft: menuLeftClick(); break;
        case I::menuNoOffset: menuNoOffsetClick(); break;
        // The precise tool's options keep their state until the tool itself
        // is part of the program.
        case I::menuPreciseShow: State.PMTShow = !State.PMTShow; break;
        case I::menuPreciseLock: State.PMTLocked = !State.PMTLocked; break;
        case I::menuPreciseSmall: State.PMTSize = TPMTSize::Small; break;
        case I::menuPreciseMedium: State.PMTSize = TPMTSize::Medium; break;
        case I::menuPreciseLarge: State.PMTSize = TPMTSize::Large; break;
        case I::menuZoom5X: State.PMTZoomLevel = TZoomLevel::Zoom5X; break;
        case I::menuZoom10X: State.PMTZoomLevel = TZoomLevel::Zoom10X; break;
        case I::menuZoom15X: State.PMTZoomLevel = TZoomLevel::Zoom15X; break;
        case I::menuPreciseTransparency:
            State.PMTTransparency = !State.PMTTransparency;
            SetZoomTransparencies();
            break;
        case I::menuFullSize: menuFullSizeClick(); break;
        case I::menu075Size: menu075SizeClick(); break;
        case I::menu050Size: menu050SizeClick(); break;
        case I::menuCustomSize: menuCustomSizeClick(); break;
        case I::menuRotate: menuRotateClick(); break;
        case I::MenuOpaque: TransparencyClick(TTransparency::Opaque); break;
        case I::Menu5Percent: TransparencyClick(TTransparency::Percent5); break;
        case I::Menu10Percent: TransparencyClick(TTransparency::Percent10); break;
        case I::Menu15Percent: TransparencyClick(TTransparency::Percent15); break;
        case I::Menu20Percent: TransparencyClick(TTransparency::Percent20); break;
        case I::Menu30Percent: TransparencyClick(TTransparency::Percent30); break;
        case I::Menu40Percent: TransparencyClick(TTransparency::Percent40); break;
        case I::Menu50Percent: TransparencyClick(TTransparency::Percent50); break;
        case I::menuCustomTransparency: TransparencyClick(TTransparency::Custom); break;
        case I::ColorMenuItem: AnyColorMenuClick(item.Index); break;
        case I::menuInfoScale: State.ShowUnitsAndRes = !State.ShowUnitsAndRes; break;
        case I::menuInfoMouse: menuInfoMouseClick(); break;
        case I::menuInfoRGB: menuInfoRGBClick(); break;
        case I::menuInfoHints: menuInfoHintsClick(); break;
        case I::MenuEmbossed: MenuEmbossedClick(); break;
        case I::menuHideLogo:
            State.HideLogo = !State.HideLogo;
            PaintRuler();
            break;
        case I::menuAdvanced: menuAdvancedClick(); break;
        case I::menuEN: menuAnyLangClick(-1); break;
        case I::LangMenuItem: menuAnyLangClick(item.Index); break;
        case I::menuAutostart: State.AutoStart = !State.AutoStart; break;
        case I::menuSaveSettingsOnExit: State.SaveSettingsOnExit = !State.SaveSettingsOnExit; break;
        case I::menuStartupCheck: State.StartupCheck = !State.StartupCheck; break;
        case I::menuExit: menuExitClick(); break;
        // The commands of the monitor dialog, the companion magnifier, custom
        // settings, help, the update check, the web and mail links and About
        // come with their windows and links.
        default: break;
    }
}
