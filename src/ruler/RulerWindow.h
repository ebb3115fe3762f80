#pragma once
// The ruler window: turns pointer, key and menu events into calls on the
// ruler's state and geometry, and shows the painted picture.

#include <QIcon>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Shell.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerInteraction.h"
#include "ruler/RulerPicture.h"
#include "ruler/RulerState.h"

class TfrmRuler : public QWidget {
    Q_OBJECT
public:
    TfrmRuler(IDesktop& desktop, IShell& shell, QWidget* parent = nullptr);

    RulerState State;
    TRulerPicture Picture;
    TDragState Drag;
    QTimer StickTimer;
    // The colour items' icons and the COLOR submenu's own.
    std::array<QIcon, kColorSchemeCount> ColorIcons;
    QIcon MainColorIcon;
    // The precise tool's windows in stacking order from the bottom (first
    // magnifier, first crosshair, second magnifier, second crosshair).
    std::vector<QWidget*> PreciseToolWindows;
    // Carries the locked magnifiers along after the ruler moved.
    std::function<void()> CarryPreciseTool;

    // Lays the ruler out from State as the program starts: measures, colour,
    // transparency, size, picture, centre, stick timer.
    void StartUp();

    TWindowBounds Bounds() const { return {x(), y(), width(), height()}; }
    const QImage& Frame() const { return m_frame; }
    char16_t DecimalSeparator() const { return m_decimalSeparator; }
    void SetDecimalSeparator(char16_t separator) { m_decimalSeparator = separator; }

    // Picture and geometry.
    void PaintRuler();
    void GenerateColorIcons();
    void GenerateMainColorIcon();
    void SetSize();
    void SetCenter();
    void RepositionRuler(int x, int y);
    void SetTransparency();
    void SetZoomTransparencies();
    void SetWinOrders();
    void SetStick();
    void SelectMonitor(int n);
    void AnyMonitorClick();

    // Commands of the context menu.
    void menuPixelsClick();
    void menuCMClick();
    void menuINClick();
    void menuCustomUnitsClick();
    void ResolutionClick(TResolution resolution);
    void menuScaleShowClick();
    void menuUpClick();
    void menuDownClick();
    void menuRightClick();
    void menuLeftClick();
    void menuNoOffsetClick();
    void MenuEmbossedClick();
    void AnyColorMenuClick(int index);
    void menuFullSizeClick();
    void menu075SizeClick();
    void menu050SizeClick();
    void menuCustomSizeClick();
    void menuRotateClick();
    void menuBoundToScreenClick();
    void menuDragToCenterClick();
    void TransparencyClick(TTransparency choice);
    void menuStickToMouseClick();
    void menuAxisLockedClick();
    void menuInfoMouseClick();
    void menuInfoRGBClick();
    void menuInfoHintsClick();
    void menuExitClick();

    // Pointer, keys, timer.
    void RulerImageMouseDown(Qt::MouseButton button, int x, int y);
    void RulerImageMouseMove();
    void RulerImageMouseUp();
    void RulerImageClick();
    void RulerImageDblClick();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void StickTimerTimer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void AnyUnitsClick(TUnits units);
    void AnySizeClick(TRulerSize size, bool axisLocked);
    void ComposeFrame();
    void UpdateCursor(int x, int y);

    IDesktop& m_desktop;
    IShell& m_shell;
    QImage m_frame;
    char16_t m_decimalSeparator = u'.';
    // The press that opened a click: a double click's second press is not one.
    bool m_clickPending = false;
};
