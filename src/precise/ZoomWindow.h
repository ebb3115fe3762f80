#pragma once
// A magnifier of the precise measuring tool: the screen round its target
// enlarged, with centre lines through the target pixel and a read-out of the
// two targets' co-ordinates, distances and angle. The tool's two magnifiers
// are two of these, each the other's twin; each owns its crosshair window.

#include <QImage>
#include <QWidget>

#include "draw/Image32.h"
#include "precise/Zoom.h"
#include "ruler/Desktop.h"
#include "ruler/RulerInteraction.h"
#include "ruler/RulerState.h"

class ITextRasterizer;
class TfrmCrossHair;
class TRulerCommands;

// What a magnifier shares with the rest of the program.
struct TZoomContext {
    RulerState& State;
    IDesktop& Desktop;
    TRulerCommands& Commands;
    ITextRasterizer& Text;
    const TColor32& AimColor;  // the tool's, blinking
    char16_t DecimalSeparator = u'.';
};

class TfrmZoom : public QWidget {
    Q_OBJECT
public:
    TfrmZoom(const TZoomContext& context, TfrmCrossHair& crossHair);

    void SetTwin(TfrmZoom* twin) { m_twin = twin; }
    TfrmCrossHair& CrossHair() const { return m_crossHair; }

    TImage32 imgZoom;
    TBitmapLayer& TextLayer;
    TDragState Drag;
    int TargetCorner = 0;
    int TargetX = 0;
    int TargetY = 0;
    TZoomRect ZoomRect;

    // The creation steps that need the settings: corner, size, background.
    // The tool places the target and draws the read-out once both
    // magnifiers exist.
    void FormCreate();
    void SetSize();
    // The background: PaintZoom1 or PaintZoom2 of the tool.
    void PaintZoom();
    void RefreshZoom();
    void DrawText();
    void RepositionZoom(int x, int y);
    void RepositionTarget();

    TWindowBounds Bounds() const { return {x(), y(), width(), height()}; }
    TPoint Target() const { return {TargetX, TargetY}; }
    // The picture the window shows: the image with the read-out over it.
    const QImage& ShownImage() const { return m_shown; }

    void imgZoomMouseDown(Qt::MouseButton button, int x, int y);
    void imgZoomMouseMove();
    void imgZoomMouseUp();
    void imgZoomDblClick();
    void FormKeyDown(TArrowKey key, TModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    // After a move of the magnifier or its target: both read-outs and this
    // image follow.
    void AfterOwnMove();
    void Compose();

    TZoomContext m_context;
    TfrmCrossHair& m_crossHair;
    TfrmZoom* m_twin = nullptr;
    QImage m_shown;
};
