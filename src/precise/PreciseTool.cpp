#include "precise/PreciseTool.h"

#include "platform/WindowSystem.h"
#include "ruler/RulerWindow.h"

TPreciseTool::TPreciseTool(TfrmRuler& ruler, IDesktop& desktop, TRulerCommands& commands, ITextRasterizer& text)
    : QObject(&ruler),
      Zoom1({ruler.State, desktop, commands, text, AimColor, ruler.DecimalSeparator()}, CrossHair1),
      Zoom2({ruler.State, desktop, commands, text, AimColor, ruler.DecimalSeparator()}, CrossHair2),
      m_ruler(ruler)
{
    Zoom1.SetTwin(&Zoom2);
    Zoom2.SetTwin(&Zoom1);
    PMTLInesRefresh.setInterval(500);
    connect(&PMTLInesRefresh, &QTimer::timeout, this, &TPreciseTool::PMTLInesRefreshTimer);
}

void TPreciseTool::RegisterWindows()
{
    for (QWidget* w : std::initializer_list<QWidget*>{&Zoom1, &CrossHair1, &Zoom2, &CrossHair2})
        WindowSystem::RegisterToolWindow(w);
}

void TPreciseTool::FormCreate()
{
    for (TfrmZoom* zoom : {&Zoom1, &Zoom2}) zoom->FormCreate();
    SetZoomTransparencies();
    if (m_ruler.State.PMTShow) {
        PMTLInesRefresh.start();
        ShowWindows();
    }
    Zoom1.RepositionTarget();
    Zoom2.RepositionTarget();
    DrawTexts();
}

void TPreciseTool::FormDestroy()
{
    PMTLInesRefresh.stop();
    HideWindows();
}

void TPreciseTool::ShowWindows()
{
    // First shown centred over the ruler; after that where the user left them.
    if (!m_placed) {
        m_placed = true;
        const TWindowBounds r = m_ruler.Bounds();
        for (TfrmZoom* zoom : {&Zoom1, &Zoom2})
            zoom->move(r.Left + r.Width / 2 - zoom->width() / 2, r.Top + r.Height / 2 - zoom->height() / 2);
    }
    // Each magnifier brings its crosshair.
    Zoom1.show();
    Zoom2.show();
    WindowSystem::KeepStackingOrder();
}

void TPreciseTool::HideWindows()
{
    Zoom1.hide();
    Zoom2.hide();
}

void TPreciseTool::menuPreciseShowClick()
{
    if (!m_ruler.State.PMTShow) {
        HideWindows();
        PMTLInesRefresh.stop();
        return;
    }
    PMTLInesRefresh.start();
    ShowWindows();
    Zoom1.RepositionTarget();
    Zoom2.RepositionTarget();
    DrawTexts();
}

void TPreciseTool::menuPreciseLockClick()
{
    const TWindowBounds r = m_ruler.Bounds();
    m_ruler.RepositionRuler(r.Left, r.Top);
}

void TPreciseTool::PreciseSizeClick()
{
    Zoom1.SetSize();
    Zoom2.SetSize();
    PaintZoom1();
    PaintZoom2();
    Zoom1.RepositionTarget();
    Zoom2.RepositionTarget();
    DrawTexts();
    const TWindowBounds r = m_ruler.Bounds();
    m_ruler.RepositionRuler(r.Left, r.Top);
}

void TPreciseTool::SetZoomTransparencies()
{
    const RulerState& s = m_ruler.State;
    const int alpha = s.PMTTransparency ? TransparencyAlpha(s) : 255;
    for (TfrmZoom* zoom : {&Zoom1, &Zoom2}) WindowSystem::SetWindowAlpha(zoom, alpha);
}

void TPreciseTool::AlignToRuler()
{
    const TWindowBounds r = m_ruler.Bounds();
    const TPoint before1 = Zoom1.Target(), before2 = Zoom2.Target();
    for (TfrmZoom* zoom : {&Zoom1, &Zoom2}) {
        const TPoint p = LockedZoomPosition(m_ruler.State.Rotate, r, zoom->Bounds());
        zoom->RepositionZoom(p.X, p.Y);
    }
    Zoom1.RepositionTarget();
    Zoom2.RepositionTarget();
    // This runs on every stick tick and drag move: the read-outs depend on
    // the targets alone here, so they are drawn again only when one moved.
    if (!(Zoom1.Target() == before1) || !(Zoom2.Target() == before2)) DrawTexts();
}

void TPreciseTool::DrawTexts()
{
    // A hidden tool keeps no read-outs: showing it draws them afresh.
    if (!m_ruler.State.PMTShow) return;
    Zoom1.DrawText();
    Zoom2.DrawText();
}

void TPreciseTool::PMTLInesRefreshTimer()
{
    AimColor = NextAimColor(AimColor);
    CrossHair1.DrawCross(AimColor);
    CrossHair2.DrawCross(AimColor);
    Zoom1.RefreshZoom();
    Zoom2.RefreshZoom();
}
