#include "precise/ZoomWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "draw/CommonFunctions.h"
#include "platform/KeyChord.h"
#include "platform/PlatformBitmap.h"
#include "platform/WindowSystem.h"
#include "precise/CrossHairWindow.h"
#include "ruler/RulerCommands.h"

TfrmZoom::TfrmZoom(const TZoomContext& context, TfrmCrossHair& crossHair)
    : TextLayer(imgZoom.AddLayer()), m_context(context), m_crossHair(crossHair)
{
    setWindowTitle(QStringLiteral("Scalio"));
    WindowSystem::ConfigureToolWindow(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    imgZoom.Bitmap.SetTextRasterizer(&m_context.Text);
    TBitmap32& text = TextLayer.Bitmap;
    text.SetTextRasterizer(&m_context.Text);
    text.DrawMode = TDrawMode::dmBlend;
    text.CombineMode = TCombineMode::cmMerge;
    text.MasterAlpha = 255;
    text.OuterColor = 0;
    SelectRulerFont(text);
}

void TfrmZoom::FormCreate()
{
    TargetCorner = 0;
    SetSize();
    PaintZoom();
}

void TfrmZoom::SetSize()
{
    const TZoomSize size = ZoomSizeOf(m_context.State.PMTSize);
    setFixedSize(size.Width, size.Height);
    imgZoom.Bitmap.SetSize(size.Width, size.Height);
    TextLayer.Bitmap.SetSize(size.Width, size.Height);
    TextLayer.Location = {0, 0, static_cast<float>(size.Width), static_cast<float>(size.Height)};
    ZoomRect = size.ZoomRect;
}

void TfrmZoom::PaintZoom()
{
    PaintZoomBackground(imgZoom.Bitmap, ZoomRect, m_context.State.CurrentScheme, m_context.State.Embossed);
    Compose();
}

void TfrmZoom::RefreshZoom()
{
    const TWindowBounds source = CaptureRect(Target(), ZoomRect, ZoomFactorOf(m_context.State.PMTZoomLevel));
    EnlargeInto(imgZoom.Bitmap, ZoomRect,
                m_context.Desktop.GrabScreen(source.Left, source.Top, source.Width, source.Height));
    DrawCentreLines(imgZoom.Bitmap, ZoomRect, m_context.AimColor);
    Compose();
}

void TfrmZoom::DrawText()
{
    const RulerState& s = m_context.State;
    const TPoint twin = m_twin ? m_twin->Target() : Target();
    DrawReadOut(TextLayer.Bitmap, height(), ZoomRect,
                ReadOutValues(Target(), twin, s.PixelsPerUnit, s.UnitCode, m_context.DecimalSeparator),
                s.CurrentScheme.Highlight);
    Compose();
}

void TfrmZoom::RepositionZoom(int wantedX, int wantedY)
{
    const TPoint p =
        ClampedZoomPosition(TargetCorner, {wantedX, wantedY}, width(), height(), m_context.State.ActiveArea);
    if (p.X != x() || p.Y != y()) move(p.X, p.Y);
}

void TfrmZoom::RepositionTarget()
{
    const TPoint at = CrossHairPosition(TargetCorner, Bounds());
    m_crossHair.move(at.X, at.Y);
    // The target is where the crosshair actually went.
    const TPoint target = TargetOfCrossHair({m_crossHair.x(), m_crossHair.y()});
    TargetX = target.X;
    TargetY = target.Y;
}

void TfrmZoom::AfterOwnMove()
{
    DrawText();
    if (m_twin) m_twin->DrawText();
    RefreshZoom();
}

void TfrmZoom::imgZoomMouseDown(Qt::MouseButton, int px, int py)
{
    Drag.Dragging = true;
    Drag.DragX = px;
    Drag.DragY = py;
}

void TfrmZoom::imgZoomMouseMove()
{
    if (!Drag.Dragging) return;
    const auto pointer = m_context.Desktop.PointerPos();
    if (!pointer) return;
    const TPoint wanted = ZoomDragTarget(m_context.State, *pointer, {Drag.DragX, Drag.DragY}, Bounds());
    RepositionZoom(wanted.X, wanted.Y);
    RepositionTarget();
    AfterOwnMove();
}

void TfrmZoom::imgZoomMouseUp()
{
    Drag.Dragging = false;
    Drag.DragX = 0;
    Drag.DragY = 0;
}

void TfrmZoom::imgZoomDblClick()
{
    TargetCorner = (TargetCorner + 1) % 4;
    RepositionTarget();
    AfterOwnMove();
}

void TfrmZoom::FormKeyDown(TArrowKey key, TModifiers modifiers)
{
    const auto wanted = ZoomNudgeTarget(m_context.State, Drag.Dragging, key, modifiers, Bounds());
    if (!wanted) return;
    RepositionZoom(wanted->X, wanted->Y);
    RepositionTarget();
    AfterOwnMove();
}

void TfrmZoom::Compose()
{
    m_shown = ToPlatformImage(imgZoom.Composite());
    update();
}

void TfrmZoom::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_shown.isNull()) p.drawImage(0, 0, m_shown);
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_crossHair.ShowWithMagnifier();
}

void TfrmZoom::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_crossHair.HideWithMagnifier();
}

void TfrmZoom::mousePressEvent(QMouseEvent* event)
{
    // A clicked magnifier takes the keyboard, so that its arrow keys work.
    if (event->button() == Qt::LeftButton) WindowSystem::TakeKeyboard(this);
    const QPoint pos = event->position().toPoint();
    imgZoomMouseDown(event->button(), pos.x(), pos.y());
}

void TfrmZoom::mouseMoveEvent(QMouseEvent*)
{
    imgZoomMouseMove();
}

void TfrmZoom::mouseReleaseEvent(QMouseEvent*)
{
    imgZoomMouseUp();
}

void TfrmZoom::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    imgZoomDblClick();
    // The second press starts a drag as the first did.
    const QPoint pos = event->position().toPoint();
    imgZoomMouseDown(event->button(), pos.x(), pos.y());
}

void TfrmZoom::keyPressEvent(QKeyEvent* event)
{
    // The menu's keys work here as on the ruler; every other key is ours.
    if (!m_context.Commands.RunKeys(KeyChordOf(*event)))
        FormKeyDown(ArrowKeyOf(event->key()), ModifiersOf(event->modifiers()));
}

void TfrmZoom::contextMenuEvent(QContextMenuEvent* event)
{
    imgZoomMouseUp();
    m_context.Commands.PopupMenu(event->globalPos());
}

bool TfrmZoom::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride && m_context.Commands.OwnsKeys(KeyChordOf(*static_cast<QKeyEvent*>(e)))) {
        e->accept();
        return true;
    }
    return QWidget::event(e);
}
