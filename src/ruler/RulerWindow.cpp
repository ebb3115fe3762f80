#include "ruler/RulerWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "dialogs/Answers.h"
#include "lang/Languages.h"
#include "monitors/Monitors.h"
#include "online/Magnifier.h"
#include "online/WebSites.h"
#include "platform/PlatformBitmap.h"
#include "platform/WindowSystem.h"
#include "ruler/ScalePainter.h"

namespace {

// X11 keeps window sizes in 16 bits (and Qt below that); a hand-edited
// custom size must not ask for more, or for nothing at all.
constexpr int kMaxWindowLength = 32767;

TArrowKey ArrowOf(int key)
{
    switch (key) {
        case Qt::Key_Left: return TArrowKey::Left;
        case Qt::Key_Up: return TArrowKey::Up;
        case Qt::Key_Right: return TArrowKey::Right;
        case Qt::Key_Down: return TArrowKey::Down;
        default: return TArrowKey::None;
    }
}

char16_t SystemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? u'.' : static_cast<char16_t>(point.at(0).unicode());
}

}  // namespace

// The resources live in a static library; nothing would pull them in
// otherwise.
static void LoadRulerResources()
{
    Q_INIT_RESOURCE(ruler);
}

TfrmRuler::TfrmRuler(IDesktop& desktop, IShell& shell, QWidget* parent)
    : QWidget(parent), m_desktop(desktop), m_shell(shell), m_decimalSeparator(SystemDecimalSeparator())
{
    setWindowTitle(QStringLiteral("Scalio"));
    WindowSystem::ConfigureToolWindow(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The application's activation and deactivation re-assert the stacking.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { SetWinOrders(); });
    StickTimer.setInterval(20);
    connect(&StickTimer, &QTimer::timeout, this, &TfrmRuler::StickTimerTimer);
    LoadRulerResources();
    if (QImage logo(QStringLiteral(":/ruler/logo.png")); !logo.isNull())
        Picture.LogoImage = FromPlatformBitmap(logo.scaled(kLogoWidth, kLogoHeight));
    Picture.LogoImage.DrawMode = TDrawMode::dmBlend;
}

namespace {

// What reading the settings asks of the window on its way.
class TReadHooks : public ISettingsReadHooks {
public:
    TReadHooks(TfrmRuler& ruler, IDesktop& desktop) : m_ruler(ruler), m_desktop(desktop) {}
    bool LanguageLoaded(std::string_view code) override { return LanguageExists(code); }
    void SelectLanguage(RulerState& s) override { m_ruler.ChooseStartupLanguage(s.Language); }
    void DetectMonitors(RulerState& s) override { ::DetectMonitors(s, m_desktop.Monitors()); }
    void ShowMonitorMenuItems(RulerState& s) override
    {
        // NEXT MONITOR means nothing with one monitor.
        if (s.MonitorCount <= 1 && s.DoubleClick == TDoubleClickAction::NextMonitor)
            s.DoubleClick = TDoubleClickAction::Rotate;
    }

private:
    TfrmRuler& m_ruler;
    IDesktop& m_desktop;
};

}  // namespace

bool TfrmRuler::FormCreate(const TRulerSetup& setup)
{
    Drag = TDragState{};
    Languages().LoadLanguages(setup.LanguagesFolder, m_flagLoader);
    BuildMenus();
    MagnifierPath = ReadMagnifierPath(setup.MagnifierConfig);

    const auto critical = [this](const std::u16string& text) {
        m_criticalError = true;
        ShowAnswerDialog(u"Critical error", text, {u"&OK"}, TAnswerIcon::Error, false);
        return false;
    };
    if (!EnsureSettingsFolder(setup.Environment)) return critical(SettingsFolderInaccessibleText(setup.Environment));
    if (!SettingsFolderWritable(setup.Environment)) return critical(SettingsFolderNotWritableText(setup.Environment));
    MigrateOldSettings(setup.ExecutablePath.string(), setup.Environment);
    m_settingsPath = SettingsFilePath(setup.Environment);
    TReadHooks hooks(*this, m_desktop);
    LoadSettings(m_settingsPath, State, m_decimalSeparator, hooks);
    EnsureUsableActiveArea(State, m_desktop.Monitors());

    Drag.LogoClicked = false;
    Drag.SizeChanged = false;
    StartUp();
    return true;
}

void TfrmRuler::FormDestroy()
{
    if (m_destroyed || m_criticalError) return;
    m_destroyed = true;
    StickTimer.stop();
    if (m_settingsPath.empty()) return;
    std::error_code error;
    if (!SaveSettings(m_settingsPath, State, m_decimalSeparator, &error))
        ShowAnswerDialog(u"Scalio", UnableToWriteText(m_settingsPath), {GetLangText(100)}, TAnswerIcon::Error);
}

void TfrmRuler::StartUp()
{
    SetResParams(State);
    GenerateColorIcons();
    SetTransparency();
    SetSize();
    // Placed before the first showing too, so that the ruler never flashes up
    // at its old position while the window system catches up.
    SetCenter();
    SetColor(State);
    GenerateMainColorIcon();
    PaintRuler();
    SetCenter();
    SetLanguage();
    SetStick();
}

void TfrmRuler::ComposeFrame()
{
    m_frame = ToPlatformImage(Picture.RulerImage.Composite());
    update();
}

void TfrmRuler::PaintRuler()
{
    PaintRulerPicture(Picture, State, m_decimalSeparator);
    ComposeFrame();
    show();
    if (m_restoreKeyboard) {
        m_restoreKeyboard = false;
        WindowSystem::TakeKeyboard(this);
    }
}

void TfrmRuler::HideForRelayout()
{
    // Hiding drops the keyboard; the user who had it keeps it.
    m_restoreKeyboard = m_restoreKeyboard || isActiveWindow();
    hide();
}

void TfrmRuler::GenerateColorIcons()
{
    MenuImages.ColorIcons.clear();
    for (const ColorScheme& scheme : State.ColorSchemes)
        MenuImages.ColorIcons.emplace_back(QPixmap::fromImage(ToPlatformBitmap(ColorSchemeIcon(scheme))));
}

void TfrmRuler::GenerateMainColorIcon()
{
    MenuImages.MainColorIcon = QIcon(QPixmap::fromImage(ToPlatformBitmap(ColorSchemeIcon(State.CurrentScheme))));
}

void TfrmRuler::SetSize()
{
    Drag.SizeChanged = true;
    const int wanted = std::clamp(WantedRulerLength(State), 1, kMaxWindowLength);
    if (State.Rotate)
        resize(RulerThickness, wanted);
    else
        resize(wanted, RulerThickness);
    // The window may not take every length asked of it.
    const int taken = State.Rotate ? height() : width();
    const TWindowBounds b = SizedBounds(State, Bounds(), taken);
    setGeometry(b.Left, b.Top, b.Width, b.Height);
    Picture.Resize(width(), height());
}

void TfrmRuler::SetCenter()
{
    update();
    const TPoint p = CenteredPosition(State.ActiveArea, width(), height());
    move(p.X, p.Y);
}

void TfrmRuler::RepositionRuler(int x, int y)
{
    const TWindowBounds current = Bounds();
    const TPoint p = ClampedRulerPosition(State, {x, y}, current);
    if (p.X != current.Left || p.Y != current.Top) move(p.X, p.Y);
    if (State.PMTShow && State.PMTLocked && CarryPreciseTool) CarryPreciseTool();
}

void TfrmRuler::SetTransparency()
{
    WindowSystem::SetWindowAlpha(this, TransparencyAlpha(State));
}

void TfrmRuler::SetZoomTransparencies()
{
    const int alpha = State.PMTTransparency ? TransparencyAlpha(State) : 255;
    for (QWidget* w : ZoomWindows) WindowSystem::SetWindowAlpha(w, alpha);
}

void TfrmRuler::SetWinOrders()
{
    WindowSystem::RaiseWithoutActivating(this);
    if (!State.PMTShow) return;
    for (QWidget* w : PreciseToolWindows) WindowSystem::RaiseWithoutActivating(w);
}

void TfrmRuler::SetStick()
{
    if (State.StickToMouse)
        StickTimer.start();
    else
        StickTimer.stop();
}

void TfrmRuler::SelectMonitor(int n)
{
    n = std::clamp(n, 1, kMonitorSlots);
    State.ActiveMon = n;
    State.ActiveArea = State.MonitorRects[static_cast<std::size_t>(n - 1)];
    AnyMonitorClick();
}

void TfrmRuler::AnyMonitorClick()
{
    HideForRelayout();
    SetSize();
    SetColor(State);
    SetCenter();
    PaintRuler();
    SetWinOrders();
}

void TfrmRuler::AnyUnitsClick(TUnits units)
{
    SelectUnits(State, units);
    // The length units' captions name the unit; pixels need no new ones.
    if (units != TUnits::Pixels) SetLanguage();
    PaintRuler();
    SetWinOrders();
}

void TfrmRuler::menuPixelsClick()
{
    AnyUnitsClick(TUnits::Pixels);
}
void TfrmRuler::menuCMClick()
{
    AnyUnitsClick(TUnits::Centimeters);
}
void TfrmRuler::menuINClick()
{
    AnyUnitsClick(TUnits::Inches);
}
void TfrmRuler::menuCustomUnitsClick()
{
    AnyUnitsClick(TUnits::Custom);
}

void TfrmRuler::ResolutionClick(TResolution resolution)
{
    SelectResolution(State, resolution);
    PaintRuler();
    SetWinOrders();
}

void TfrmRuler::menuScaleShowClick()
{
    ToggleScale(State);
    PaintRuler();
    SetWinOrders();
}

void TfrmRuler::menuUpClick()
{
    SelectScaleUp(State, true);
    PaintRuler();
}

void TfrmRuler::menuDownClick()
{
    SelectScaleUp(State, false);
    PaintRuler();
}

void TfrmRuler::menuRightClick()
{
    SelectScaleRight(State, true);
    PaintRuler();
}

void TfrmRuler::menuLeftClick()
{
    SelectScaleRight(State, false);
    PaintRuler();
}

void TfrmRuler::menuNoOffsetClick()
{
    ToggleNoOffset(State);
    PaintRuler();
}

void TfrmRuler::MenuEmbossedClick()
{
    ToggleEmbossed(State);
    PaintRuler();
    SetWinOrders();
}

void TfrmRuler::AnyColorMenuClick(int index)
{
    SelectColor(State, index);
    GenerateMainColorIcon();
    PaintRuler();
    SetWinOrders();
}

void TfrmRuler::AnySizeClick(TRulerSize size, bool axisLocked)
{
    State.AxisLocked = axisLocked;
    State.Size = size;
    HideForRelayout();
    SetSize();
    PaintRuler();
    SetWinOrders();
}

void TfrmRuler::menuFullSizeClick()
{
    AnySizeClick(TRulerSize::Full, true);
}
void TfrmRuler::menu075SizeClick()
{
    AnySizeClick(TRulerSize::ThreeQuarters, false);
}
void TfrmRuler::menu050SizeClick()
{
    AnySizeClick(TRulerSize::Half, false);
}
void TfrmRuler::menuCustomSizeClick()
{
    AnySizeClick(TRulerSize::Custom, false);
}

void TfrmRuler::menuRotateClick()
{
    Drag.SizeChanged = true;
    State.Rotate = !State.Rotate;
    HideForRelayout();
    SetSize();
    SetColor(State);
    SetCenter();
    PaintRuler();
    RepositionRuler(x(), y());
    SetWinOrders();
    // The axis lock's caption names the direction the ruler may move.
    SetLanguage();
}

void TfrmRuler::menuBoundToScreenClick()
{
    State.BoundToScreen = !State.BoundToScreen;
    RepositionRuler(x(), y());
}

void TfrmRuler::menuDragToCenterClick()
{
    SetCenter();
}

void TfrmRuler::TransparencyClick(TTransparency choice)
{
    State.Transparency = choice;
    SetTransparency();
    SetZoomTransparencies();
}

void TfrmRuler::menuStickToMouseClick()
{
    State.StickToMouse = !State.StickToMouse;
    SetStick();
    if (State.FirstRun) {
        // Cleared first: the session may end while the hint is open.
        State.FirstRun = false;
        ShowAnswerDialog(u"Scalio", GetLangText(202), {GetLangText(100)}, TAnswerIcon::Warning);
    }
}

void TfrmRuler::menuAxisLockedClick()
{
    State.AxisLocked = !State.AxisLocked;
}
void TfrmRuler::menuInfoMouseClick()
{
    State.ShowMouse = !State.ShowMouse;
}
void TfrmRuler::menuInfoRGBClick()
{
    State.ShowRGB = !State.ShowRGB;
}
void TfrmRuler::menuInfoHintsClick()
{
    State.ShowHints = !State.ShowHints;
}

void TfrmRuler::menuExitClick()
{
    close();
}

void TfrmRuler::UpdateCursor(int px, int py)
{
    const bool hand = Picture.LogoLayer.HitTest(px, py) && Picture.LogoLayer.Cursor == TCursor::crHandPoint;
    setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TfrmRuler::RulerImageMouseDown(Qt::MouseButton button, int px, int py)
{
    if (button != Qt::LeftButton) return;
    Drag.Press(px, py, !State.HideLogo && Picture.LogoLayer.HitTest(px, py));
    SetWinOrders();
}

void TfrmRuler::RulerImageMouseMove()
{
    if (const auto target = Drag.Move(m_desktop.PointerPos())) RepositionRuler(target->X, target->Y);
}

void TfrmRuler::RulerImageMouseUp()
{
    Drag.Release();
}

void TfrmRuler::RulerImageClick()
{
    if (Drag.Click(State.StickToMouse)) m_shell.OpenUrl(ProductPage(""));
}

void TfrmRuler::RulerImageDblClick()
{
    switch (State.DoubleClick) {
        case TDoubleClickAction::AxisLock: menuAxisLockedClick(); break;
        case TDoubleClickAction::Resize:
            switch (NextResizeStep(State.Size)) {
                case TRulerSize::Half: menu050SizeClick(); break;
                case TRulerSize::Full: menuFullSizeClick(); break;
                default: menu075SizeClick(); break;
            }
            break;
        case TDoubleClickAction::Rotate: menuRotateClick(); break;
        case TDoubleClickAction::ScaleAndHints:
            menuScaleShowClick();
            if (State.ShowMouse != State.Scale) menuInfoMouseClick();
            if (State.ShowRGB != State.Scale) menuInfoRGBClick();
            if (State.ShowHints != State.Scale) menuInfoHintsClick();
            break;
        case TDoubleClickAction::NextMonitor: SelectMonitor(NextMonitor(State.MonitorCount, State.ActiveMon)); break;
        // The precise tool and the custom settings dialog answer these once
        // they are part of the program.
        case TDoubleClickAction::PreciseOn:
        case TDoubleClickAction::PreciseLock:
        case TDoubleClickAction::CustomSettings: break;
    }
}

void TfrmRuler::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const TModifiers mods{modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
                          modifiers.testFlag(Qt::AltModifier)};
    if (const auto target = NudgeTarget(Drag, State.StickToMouse, ArrowOf(key), mods, Bounds()))
        RepositionRuler(target->X, target->Y);
}

void TfrmRuler::StickTimerTimer()
{
    const auto p = m_desktop.PointerPos();
    if (!p) return;
    const TPoint target = StickTarget(State.Rotate, *p, Bounds(), Drag.StickOffset);
    RepositionRuler(target.X, target.Y);
}

void TfrmRuler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_frame.isNull()) p.drawImage(0, 0, m_frame);
}

void TfrmRuler::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_clickPending = true;
        WindowSystem::TakeKeyboard(this);
    }
    RulerImageMouseDown(event->button(), pos.x(), pos.y());
}

void TfrmRuler::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    UpdateCursor(pos.x(), pos.y());
    RulerImageMouseMove();
}

void TfrmRuler::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        event->button() == Qt::LeftButton && m_clickPending && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) m_clickPending = false;
    RulerImageMouseUp();
    if (click) RulerImageClick();
}

void TfrmRuler::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    // The action runs first; the second press then starts a new drag, which
    // a resize or rotation ends at the first move.
    m_clickPending = false;
    RulerImageDblClick();
    WindowSystem::TakeKeyboard(this);
    const QPoint pos = event->position().toPoint();
    RulerImageMouseDown(event->button(), pos.x(), pos.y());
}

void TfrmRuler::keyPressEvent(QKeyEvent* event)
{
    // The menu's keys first; every other key goes to the ruler.
    if (!RunMenuKeys(event->key(), event->modifiers(), event->nativeScanCode()))
        FormKeyDown(event->key(), event->modifiers());
}

void TfrmRuler::closeEvent(QCloseEvent* event)
{
    FormDestroy();
    event->accept();
    QApplication::quit();
}
