#include "ruler/RulerWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "monitors/Monitors.h"
#include "online/CompanionMagnifier.h"
#include "online/Shell.h"
#include "online/WebSites.h"
#include "platform/KeyChord.h"
#include "platform/PlatformBitmap.h"
#include "platform/WindowSystem.h"
#include "ruler/InfoLine.h"
#include "ruler/ScalePainter.h"
#include "settings/Settings.h"

namespace {

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

TfrmRuler::TfrmRuler(IDesktop& desktop, IShell& shell, ITextRasterizer& text, QWidget* parent)
    : QWidget(parent),
      m_decimalSeparator(SystemDecimalSeparator()),
      Picture(text),
      Commands(*this, desktop, shell),
      PreciseTool(*this, desktop, Commands, text),
      m_desktop(desktop),
      m_shell(shell)
{
    setWindowTitle(QStringLiteral("Scalio"));
    WindowSystem::ConfigureToolWindow(this);
    // The fixed stacking order from the bottom: the ruler, then the tool.
    WindowSystem::RegisterToolWindow(this);
    PreciseTool.RegisterWindows();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The application's activation and deactivation re-assert the stacking.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { Commands.SetWinOrders(); });
    // Looked at once the screen list no longer holds the monitor that went.
    connect(
        qApp, &QGuiApplication::screenRemoved, this, [this] { Commands.MonitorRemoved(); }, Qt::QueuedConnection);
    StickTimer.setInterval(20);
    connect(&StickTimer, &QTimer::timeout, this, &TfrmRuler::StickTimerTimer);
    HintTimer.setInterval(40);
    connect(&HintTimer, &QTimer::timeout, this, &TfrmRuler::HintTimerTimer);
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
    void SelectLanguage(RulerState& s) override { m_ruler.Commands.ChooseStartupLanguage(s.Language); }
    void DetectMonitors(RulerState& s) override { ::DetectMonitors(s, m_desktop.Monitors()); }
    void ShowMonitorMenuItems(RulerState& s) override { FitDoubleClickToMonitors(s); }

private:
    TfrmRuler& m_ruler;
    IDesktop& m_desktop;
};

}  // namespace

bool TfrmRuler::FormCreate(const TRulerSetup& setup)
{
    Drag = TDragState{};
    Languages().LoadLanguages(setup.LanguagesFolder, m_flagLoader);
    Commands.BuildMenus();
    m_executablePath = setup.ExecutablePath;
    m_environment = setup.Environment;
    Commands.MagnifierPath = FindCompanionMagnifierPath(setup.Environment);

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
    PreciseTool.FormCreate();
    if (State.StartupCheck) Commands.StartOnlineCheck(true);
    return true;
}

void TfrmRuler::FormDestroy()
{
    if (m_destroyed || m_criticalError) return;
    m_destroyed = true;
    StickTimer.stop();
    HintTimer.stop();
    PreciseTool.FormDestroy();
    if (m_settingsPath.empty()) return;
    std::error_code error;
    if (!SaveSettings(m_settingsPath, State, m_decimalSeparator, &error))
        ShowAnswerDialog(u"Scalio", UnableToWriteText(m_settingsPath), {GetLangText(100)}, TAnswerIcon::Error);
}

void TfrmRuler::StartUp()
{
    SetResParams(State, Languages());
    Commands.GenerateColorIcons();
    SetTransparency();
    SetSize();
    // Placed before the first showing too, so that the ruler never flashes up
    // at its old position while the window system catches up.
    SetCenter();
    SetColor(State);
    Commands.GenerateMainColorIcon();
    PaintRuler();
    SetCenter();
    Commands.RefreshMenu();
    SetStick();
    HintTimer.start();
}

void TfrmRuler::PaintRuler()
{
    PaintRulerPicture(Picture, State, m_decimalSeparator);
    m_shown = ToPlatformImage(Picture.RulerImage.Composite());
    update();
    show();
    if (m_restoreKeyboard) {
        m_restoreKeyboard = false;
        WindowSystem::TakeKeyboard(this);
    }
}

void TfrmRuler::HideForRelayout()
{
    // Hiding drops the keyboard; the user who had it keeps it. The window
    // system is asked: Qt's active window is stale after an earlier hide.
    m_restoreKeyboard = m_restoreKeyboard || WindowSystem::HasKeyboard(this);
    hide();
}

void TfrmRuler::SetSize()
{
    Drag.SizeChanged = true;
    const int wanted = WantedRulerLength(State);
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
    if (State.PMTShow && State.PMTLocked) PreciseTool.AlignToRuler();
}

void TfrmRuler::SetTransparency()
{
    WindowSystem::SetWindowAlpha(this, TransparencyAlpha(State));
}

void TfrmRuler::SetStick()
{
    if (State.StickToMouse)
        StickTimer.start();
    else
        StickTimer.stop();
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
    Commands.SetWinOrders();
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
    if (Drag.Click(State.StickToMouse)) m_shell.OpenUrl(ProductPage("", m_environment));
}

void TfrmRuler::RulerImageDblClick()
{
    Commands.RunDoubleClick();
}

void TfrmRuler::FormKeyDown(TArrowKey key, TModifiers modifiers)
{
    if (const auto target = NudgeTarget(Drag, State.StickToMouse, key, modifiers, Bounds()))
        RepositionRuler(target->X, target->Y);
}

void TfrmRuler::StickTimerTimer()
{
    const auto p = m_desktop.PointerPos();
    if (!p) return;
    const TPoint target = StickTarget(State.Rotate, *p, Bounds(), Drag.StickOffset);
    RepositionRuler(target.X, target.Y);
}

void TfrmRuler::HintTimerTimer()
{
    // The line keeps its text while the ruler is dragged.
    if (Drag.Dragging) return;
    // A vertical ruler shows no line: the layer is cleared once (after each
    // repaint) and nothing is read or composed on the ticks after that.
    if (State.Rotate) {
        if (Picture.LastInfoText.empty()) return;
        Picture.LastInfoText.clear();
        Picture.InfoLayer.Bitmap.Clear(0);
        m_shown = ToPlatformImage(Picture.RulerImage.Composite());
        update();
        return;
    }
    std::optional<TPoint> pointer;
    std::optional<TColor32> pixel;
    if (InfoNeedsPointer(State)) {
        pointer = m_desktop.PointerPos();
        const TPoint p = pointer.value_or(TPoint{});
        if (State.ShowRGB) pixel = m_desktop.ScreenPixel(p.X, p.Y);
    }
    std::u16string text = ComposeInfoLine(State, Languages(), pointer, pixel, Bounds());
    // Between changes a tick ends here: nothing is painted.
    if (text == Picture.LastInfoText) return;
    Picture.LastInfoText = std::move(text);
    DrawInfoLine(Picture.InfoLayer.Bitmap, Picture.LastInfoText, State);
    m_shown = ToPlatformImage(Picture.RulerImage.Composite());
    update();
}

void TfrmRuler::AnyInfoClick()
{
    if (AnyInfoShown(State)) {
        HintTimer.start();
        return;
    }
    HintTimer.stop();
    Picture.InfoLayer.Bitmap.Clear(0);
    Picture.LastInfoText = kRefreshInfoText;
    m_shown = ToPlatformImage(Picture.RulerImage.Composite());
    update();
}

void TfrmRuler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_shown.isNull()) p.drawImage(0, 0, m_shown);
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
    if (!Commands.RunKeys(KeyChordOf(*event))) FormKeyDown(ArrowKeyOf(event->key()), ModifiersOf(event->modifiers()));
}

void TfrmRuler::contextMenuEvent(QContextMenuEvent* event)
{
    Commands.PopupMenu(event->globalPos());
}

bool TfrmRuler::event(QEvent* e)
{
    // Claim the keys of the menu before anything else can take them.
    if (e->type() == QEvent::ShortcutOverride && Commands.OwnsKeys(KeyChordOf(*static_cast<QKeyEvent*>(e)))) {
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void TfrmRuler::closeEvent(QCloseEvent* event)
{
    FormDestroy();
    event->accept();
    // Not quit(): that asks every window to close first and gives up when
    // one refuses, as the custom settings dialog does, and the program would
    // go on without its ruler.
    QCoreApplication::exit(0);
}
