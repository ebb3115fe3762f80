#pragma once
// The custom settings dialog: the user's own unit, resolution, ruler size,
// transparency and colour scheme, with a preview of the colours in the
// ruler's look. Modeless: created hidden once and shown again for each use,
// while the ruler stays usable; nothing reaches the ruler's state before OK.
// The rules live in Customize.h; this window shows the fields and turns the
// user's actions into those rules.

#include <QDialog>
#include <array>

#include "dialogs/Customize.h"
#include "draw/Image32.h"

class IShell;
class ITextRasterizer;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolButton;
class TRulerCommands;

class TfrmCustomize : public QDialog {
    Q_OBJECT

public:
    // The state is the ruler's; the commands apply what OK stored to every
    // window; the text rasterizer draws the preview's captions; numbers show
    // with decimalSeparator. All of them outlive the dialog.
    TfrmCustomize(RulerState& state, TRulerCommands& commands, IShell& shell, ITextRasterizer& text,
                  char16_t decimalSeparator, QWidget* parent = nullptr);

    // Fills every field from the state (each showing).
    void FormShow();
    // Captions in the current language and the preview (each activation).
    void FormActivate();
    void FormClose();
    void btnOKClick();
    void btnCancelClick();
    void btnHelpClick();
    // Pixels true: the pixel field is typed into, else the percent field.
    void rbSizeTypeClick(bool pixels);
    // 1 to 4: which ratio side becomes the typed one.
    void SpeedButtonClick(int button);
    void sbAnyMouseDown(TSpinAction action);
    void ScrollTimer();
    void sbAnyMouseUp();
    void DrawPreview();

    TSpinAction SpinAction() const { return m_spinAction; }
    QTimer* Scroll() const { return m_scroll; }
    TColor32 EditHighlight() const { return m_editHighlight; }
    TColor32 EditShadow() const { return m_editShadow; }
    const TImage32& Preview() const { return m_preview; }

    // The controls.
    QGroupBox* gbScale() const { return m_gbScale; }
    QGroupBox* gbColor() const { return m_gbColor; }
    QLabel* labelName() const { return m_labelName; }
    QLabel* labelAbb() const { return m_labelAbb; }
    QLabel* labelUMR() const { return m_labelUMR; }
    QLabel* labelMag() const { return m_labelMag; }
    QLabel* labelResolution() const { return m_labelResolution; }
    QLabel* labelDPI() const { return m_labelDPI; }
    QLabel* labelSize() const { return m_labelSize; }
    QLabel* labelTrans() const { return m_labelTrans; }
    QLabel* LabelPercent() const { return m_labelPercent; }
    QLineEdit* edName() const { return m_edName; }
    QLineEdit* edAbb() const { return m_edAbb; }
    QLineEdit* edUMR1() const { return m_edUMR1; }
    QLineEdit* edUMR2() const { return m_edUMR2; }
    QLineEdit* edMag1() const { return m_edMag1; }
    QLineEdit* edMag2() const { return m_edMag2; }
    QLineEdit* edResolution() const { return m_edResolution; }
    QLineEdit* edSizePercent() const { return m_edSizePercent; }
    QLineEdit* edSizePixel() const { return m_edSizePixel; }
    QLineEdit* edTrans() const { return m_edTrans; }
    // SpeedButton1 to SpeedButton4.
    QToolButton* SpeedButton(int button) const { return m_speedButtons[static_cast<std::size_t>(button - 1)]; }
    QToolButton* SpinButton(TSpinAction action) const { return m_spinButtons[static_cast<std::size_t>(action)]; }
    QRadioButton* rbSizePercent() const { return m_rbSizePercent; }
    QRadioButton* rbSizePixel() const { return m_rbSizePixel; }
    QRadioButton* rbHighlight() const { return m_rbHighlight; }
    QRadioButton* rbShadow() const { return m_rbShadow; }
    QScrollBar* sbColor(TColorChannel channel) const { return m_bars[static_cast<std::size_t>(channel)]; }
    QLabel* labelColor(TColorChannel channel) const { return m_barLabels[static_cast<std::size_t>(channel)]; }
    QLabel* imgColor() const { return m_imgColor; }
    QPushButton* btnOK() const { return m_btnOK; }
    QPushButton* btnHelp() const { return m_btnHelp; }
    QPushButton* btnCancel() const { return m_btnCancel; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // It closes only through OK or Cancel: Esc and the window manager's
    // close do nothing.
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    void BuildControls();
    void SetCaptions();
    void CentreOnScreen();
    void ShowRatioSides();
    void SetFieldEnabled(QLineEdit* edit, bool enabled);
    void FieldExit(QLineEdit* edit);
    // One step of the held spin button on its field.
    void SpinOnce();
    void LoadColorBars();
    void ColorBarChange(TColorChannel channel, int value);
    void AnyRatioSide(QLineEdit* free, QToolButton* freeButton, QLineEdit* fixed, QToolButton* fixedButton);
    TCustomizeFields Fields() const;

    RulerState& m_state;
    TRulerCommands& m_commands;
    IShell& m_shell;
    char16_t m_decimalSeparator;
    TColor32 m_editHighlight = 0;
    TColor32 m_editShadow = 0;
    TSpinAction m_spinAction = TSpinAction::None;
    TImage32 m_preview;
    // While the dialog writes its own fields and bars, their signals and
    // focus changes are not the user's doing.
    bool m_filling = false;

    QTimer* m_scroll = nullptr;
    QGroupBox* m_gbScale = nullptr;
    QGroupBox* m_gbColor = nullptr;
    QLabel* m_labelName = nullptr;
    QLabel* m_labelAbb = nullptr;
    QLabel* m_labelUMR = nullptr;
    QLabel* m_labelMag = nullptr;
    QLabel* m_labelResolution = nullptr;
    QLabel* m_labelDPI = nullptr;
    QLabel* m_labelSize = nullptr;
    QLabel* m_labelTrans = nullptr;
    QLabel* m_labelPercent = nullptr;
    QLineEdit* m_edName = nullptr;
    QLineEdit* m_edAbb = nullptr;
    QLineEdit* m_edUMR1 = nullptr;
    QLineEdit* m_edUMR2 = nullptr;
    QLineEdit* m_edMag1 = nullptr;
    QLineEdit* m_edMag2 = nullptr;
    QLineEdit* m_edResolution = nullptr;
    QLineEdit* m_edSizePercent = nullptr;
    QLineEdit* m_edSizePixel = nullptr;
    QLineEdit* m_edTrans = nullptr;
    std::array<QToolButton*, 4> m_speedButtons{};
    std::array<QToolButton*, 9> m_spinButtons{};
    QRadioButton* m_rbSizePercent = nullptr;
    QRadioButton* m_rbSizePixel = nullptr;
    QRadioButton* m_rbHighlight = nullptr;
    QRadioButton* m_rbShadow = nullptr;
    std::array<QScrollBar*, 3> m_bars{};
    std::array<QLabel*, 3> m_barLabels{};
    QLabel* m_imgColor = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnHelp = nullptr;
    QPushButton* m_btnCancel = nullptr;
};
