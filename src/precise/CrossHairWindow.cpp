#include "precise/CrossHairWindow.h"

#include <QPainter>
#include <QRegion>

#include "platform/PlatformBitmap.h"
#include "platform/WindowSystem.h"
#include "precise/Zoom.h"

TfrmCrossHair::TfrmCrossHair() : m_cross(CrossHairImage(0))
{
    setWindowTitle(QStringLiteral("Scalio"));
    WindowSystem::ConfigureToolWindow(this);
    // A target marker never takes the pointer or the keyboard from what lies
    // under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kCrossHairSize, kCrossHairSize);
    m_shown = ToPlatformImage(m_cross);
}

void TfrmCrossHair::DrawCross(TColor32 aim)
{
    m_cross = CrossHairImage(aim);
    m_shown = ToPlatformImage(m_cross);
    // The colour key: every pixel but fuchsia belongs to the window's shape,
    // which needs no compositor to be see-through. The arms are the same in
    // either colour, so the shape is set once, with the first arms.
    if (mask().isEmpty()) {
        QRegion shape;
        for (int y = 0; y < m_cross.Height(); ++y)
            for (int x = 0; x < m_cross.Width(); ++x)
                if (m_cross.Pixel(x, y) != kCrossHairKey) shape += QRect(x, y, 1, 1);
        if (!shape.isEmpty()) setMask(shape);
    }
    update();
    if (m_wanted && !mask().isEmpty() && !isVisible()) {
        show();
        // Shown late, on the first tick: back into the fixed order.
        WindowSystem::KeepStackingOrder();
    }
}

void TfrmCrossHair::ShowWithMagnifier()
{
    m_wanted = true;
    if (!mask().isEmpty()) show();
}

void TfrmCrossHair::HideWithMagnifier()
{
    m_wanted = false;
    hide();
}

void TfrmCrossHair::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_shown);
}
