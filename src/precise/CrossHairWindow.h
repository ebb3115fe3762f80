#pragma once
// A crosshair window: 11 x 11 pixels marking a magnifier's target on the
// screen, see-through everywhere but on its four arms, so that the target
// pixel itself always shows.

#include <QImage>
#include <QWidget>

#include "draw/Bitmap32.h"

class TfrmCrossHair : public QWidget {
    Q_OBJECT
public:
    TfrmCrossHair();

    // Draws the cross in the aim colour and shapes the window to its arms.
    void DrawCross(TColor32 aim);
    // Shown with its magnifier. A window without arms yet stays unmapped: an
    // empty shape would show the whole square instead of nothing.
    void ShowWithMagnifier();
    void HideWithMagnifier();
    const TBitmap32& Cross() const { return m_cross; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBitmap32 m_cross;
    QImage m_shown;
    bool m_wanted = false;
};
