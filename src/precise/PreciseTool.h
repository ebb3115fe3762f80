#pragma once
// The precise measuring tool: one owner for its four windows (two
// magnifiers, each with its crosshair), the 500 ms timer that blinks the
// crosshairs and refreshes the images, and the colour they blink in. The
// PRECISE submenu's commands and the ruler's moves reach the windows here.

#include <QObject>
#include <QTimer>

#include "precise/CrossHairWindow.h"
#include "precise/ZoomWindow.h"

class TfrmRuler;

class TPreciseTool : public QObject {
    Q_OBJECT
public:
    // The crosshairs are created before the magnifiers that own them.
    TPreciseTool(TfrmRuler& ruler, IDesktop& desktop, TRulerCommands& commands, ITextRasterizer& text);

    TColor32 AimColor = 0;
    TfrmCrossHair CrossHair1;
    TfrmCrossHair CrossHair2;
    TfrmZoom Zoom1;
    TfrmZoom Zoom2;
    QTimer PMTLInesRefresh;

    // Adds the four windows to the always-on-top band above the ruler, in
    // their order from the bottom: first magnifier, first crosshair, second
    // magnifier, second crosshair.
    void RegisterWindows();
    // Both magnifiers' creation steps once the settings are read: a tool
    // saved as shown comes back shown and blinking.
    void FormCreate();
    // The program's end: the timer stopped and the windows hidden before the
    // settings are written.
    void FormDestroy();

    // The PRECISE commands, run after their item changed its option.
    void menuPreciseShowClick();
    void menuPreciseLockClick();
    void PreciseSizeClick();
    void SetZoomTransparencies();

    // RepositionRuler's last step while the tool is shown and locked: both
    // magnifiers centred across the ruler, their targets and read-outs after.
    void AlignToRuler();
    void PaintZoom1() { Zoom1.PaintZoom(); }
    void PaintZoom2() { Zoom2.PaintZoom(); }
    void DrawTexts();
    void PMTLInesRefreshTimer();

private:
    void ShowWindows();
    void HideWindows();

    TfrmRuler& m_ruler;
    bool m_placed = false;
};
