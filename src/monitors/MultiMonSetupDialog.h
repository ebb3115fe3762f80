#pragma once
// The manual monitors configuration: the user types the rectangles of up to
// four monitors for set-ups that detection gets wrong, or goes back to
// detection. Modeless: created hidden once, shown again for each use, while
// the ruler stays usable; nothing reaches the ruler's state before Apply or
// OK. The rules live in TMonitorSetupForm; this window shows the form and
// turns the user's actions into its handlers.

#include <QDialog>
#include <array>

#include "monitors/MonitorSetup.h"

class IDesktop;
class IShell;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TRulerCommands;

class TfrmMultiMonSetup : public QDialog {
    Q_OBJECT

public:
    // The state is the ruler's; the desktop tells what the auto-detect mode
    // shows; the commands re-stack the ruler's windows and move the ruler
    // after Apply. All of them outlive the dialog.
    TfrmMultiMonSetup(RulerState& state, IDesktop& desktop, IShell& shell, TRulerCommands& commands,
                      QWidget* parent = nullptr);

    // Runs whenever the dialog becomes the active window (and when it is
    // shown, in case the window manager does not activate it).
    void FormActivate();
    void btnApplyClick();
    void btnOKClick();
    void btnCancelClick();
    void btnHelpClick();
    void FormClose();

    const TMonitorSetupForm& Form() const { return m_form; }

    // The controls, monitors numbered 1 to 4.
    QGroupBox* gbMon(int monitor) const { return m_groups[Slot(monitor)]; }
    QLabel* label(int monitor, TMonitorField field) const { return m_labels[Slot(monitor)][Index(field)]; }
    QLineEdit* ed(int monitor, TMonitorField field) const { return m_fields[Slot(monitor)][Index(field)]; }
    // nullptr for monitor 1, which is always in use.
    QCheckBox* cbEnable(int monitor) const { return m_boxes[Slot(monitor)]; }
    QRadioButton* rbAutoDetect() const { return m_rbAutoDetect; }
    QRadioButton* rbCustomSettings() const { return m_rbCustomSettings; }
    QPushButton* btnApply() const { return m_btnApply; }
    QPushButton* btnOK() const { return m_btnOK; }
    QPushButton* btnCancel() const { return m_btnCancel; }
    QPushButton* btnHelp() const { return m_btnHelp; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    static std::size_t Slot(int monitor) { return static_cast<std::size_t>(monitor - 1); }
    static std::size_t Index(TMonitorField field) { return static_cast<std::size_t>(field); }

    void BuildControls();
    void SetCaptions();
    void CentreOnScreen();
    // The widgets take the form's texts, checks and enabled states.
    void ShowForm();
    void AnyEditBoxExit();
    void ModeClick(TMonitorMode mode);

    RulerState& m_state;
    IDesktop& m_desktop;
    IShell& m_shell;
    TRulerCommands& m_commands;
    TMonitorSetupForm m_form;
    // While the widgets are being brought in line with the form, their
    // signals and focus changes are the dialog's own doing, not the user's.
    bool m_showingForm = false;

    std::array<QGroupBox*, kMonitorSlots> m_groups{};
    std::array<std::array<QLabel*, kMonitorFieldCount>, kMonitorSlots> m_labels{};
    std::array<std::array<QLineEdit*, kMonitorFieldCount>, kMonitorSlots> m_fields{};
    std::array<QCheckBox*, kMonitorSlots> m_boxes{};
    QRadioButton* m_rbAutoDetect = nullptr;
    QRadioButton* m_rbCustomSettings = nullptr;
    QPushButton* m_btnApply = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnHelp = nullptr;
};
