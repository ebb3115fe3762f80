#include "monitors/MultiMonSetupDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <vector>

#include "dialogs/MessageDialog.h"
#include "lang/Languages.h"
#include "online/Shell.h"
#include "ruler/Desktop.h"
#include "ruler/RulerCommands.h"

namespace {

constexpr int kClientWidth = 297;
constexpr int kClientHeight = 377;
constexpr char kHelpTopic[] = "2B_Behavior.htm#Multiple";

// The arrangement, in device pixels: two columns of monitor groups, the mode
// buttons below them with Help to their right, the action buttons last.
constexpr QRect kGroupBoxes[kMonitorSlots] = {
    {8, 8, 137, 137}, {152, 8, 137, 137}, {8, 152, 137, 137}, {152, 152, 137, 137}};
// Inside each group, one row per field in the order left, top, width, height.
constexpr QPoint kLabelAt[kMonitorFieldCount] = {{8, 39}, {8, 63}, {8, 87}, {8, 111}};
constexpr QRect kFieldAt[kMonitorFieldCount] = {
    {80, 36, 49, 21}, {80, 60, 49, 21}, {80, 84, 49, 21}, {80, 108, 49, 21}};
constexpr int kLabelTextIds[kMonitorFieldCount] = {94, 95, 96, 97};
constexpr QRect kEnableBox = {6, 18, 87, 17};
constexpr QRect kAutoDetect = {8, 298, 185, 17};
constexpr QRect kCustomSettings = {8, 320, 185, 17};
constexpr QRect kHelp = {200, 304, 89, 25};
constexpr QRect kApply = {8, 344, 89, 25};
constexpr QRect kOK = {104, 344, 89, 25};
constexpr QRect kCancel = {200, 344, 89, 25};

constexpr TMonitorField kFields[kMonitorFieldCount] = {TMonitorField::Left, TMonitorField::Top, TMonitorField::Width,
                                                       TMonitorField::Height};

QString Lang(int id)
{
    return QString::fromStdU16String(GetLangText(id));
}

QPushButton* MakeButton(QWidget* parent, const QRect& at)
{
    auto* button = new QPushButton(parent);
    button->setGeometry(at);
    // Enter in a field must not press a button behind the validation's back:
    // no button is the dialog's default.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TfrmMultiMonSetup::TfrmMultiMonSetup(RulerState& state, IDesktop& desktop, IShell& shell, TRulerCommands& commands,
                                     QWidget* parent)
    : QDialog(parent), m_state(state), m_desktop(desktop), m_shell(shell), m_commands(commands)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    // Hidden, never destroyed: closing it must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(TfrmMessage::DialogFont());
    BuildControls();
    setFixedSize(kClientWidth, kClientHeight);
}

void TfrmMultiMonSetup::BuildControls()
{
    // Created in the tab order: the groups (each: its Enabled box, then left,
    // top, width and height), the mode buttons, Apply, OK, Cancel, Help.
    std::vector<QWidget*> tabOrder;
    for (int m = 1; m <= kMonitorSlots; ++m) {
        auto* group = new QGroupBox(this);
        group->setGeometry(kGroupBoxes[Slot(m)]);
        m_groups[Slot(m)] = group;
        if (m > 1) {
            auto* box = new QCheckBox(group);
            box->setGeometry(kEnableBox);
            box->setLayoutDirection(Qt::RightToLeft);  // the caption left of the box
            connect(box, &QCheckBox::toggled, this, [this, m](bool on) {
                if (m_showingForm) return;
                m_form.SetBoxChecked(m, on);
                ShowForm();
            });
            m_boxes[Slot(m)] = box;
            tabOrder.push_back(box);
        }
        for (TMonitorField f : kFields) {
            auto* label = new QLabel(group);
            label->move(kLabelAt[Index(f)]);
            m_labels[Slot(m)][Index(f)] = label;
            auto* edit = new QLineEdit(group);
            edit->setGeometry(kFieldAt[Index(f)]);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textChanged, this, [this, m, f](const QString& text) {
                if (m_showingForm) return;
                m_form.SetText(m, f, text.toStdU16String());
                ShowForm();
            });
            m_fields[Slot(m)][Index(f)] = edit;
            tabOrder.push_back(edit);
        }
    }

    m_rbAutoDetect = new QRadioButton(this);
    m_rbAutoDetect->setGeometry(kAutoDetect);
    m_rbCustomSettings = new QRadioButton(this);
    m_rbCustomSettings->setGeometry(kCustomSettings);
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_rbAutoDetect);
    modes->addButton(m_rbCustomSettings);
    const auto onMode = [this](TMonitorMode mode) {
        return [this, mode](bool selected) {
            if (selected && !m_showingForm) ModeClick(mode);
        };
    };
    connect(m_rbAutoDetect, &QRadioButton::toggled, this, onMode(TMonitorMode::AutoDetect));
    connect(m_rbCustomSettings, &QRadioButton::toggled, this, onMode(TMonitorMode::Manual));

    m_btnApply = MakeButton(this, kApply);
    m_btnOK = MakeButton(this, kOK);
    m_btnCancel = MakeButton(this, kCancel);
    m_btnHelp = MakeButton(this, kHelp);
    connect(m_btnApply, &QPushButton::clicked, this, &TfrmMultiMonSetup::btnApplyClick);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmMultiMonSetup::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmMultiMonSetup::btnCancelClick);
    connect(m_btnHelp, &QPushButton::clicked, this, &TfrmMultiMonSetup::btnHelpClick);

    tabOrder.insert(tabOrder.end(), {m_rbAutoDetect, m_rbCustomSettings, m_btnApply, m_btnOK, m_btnCancel, m_btnHelp});
    for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void TfrmMultiMonSetup::SetCaptions()
{
    setWindowTitle(QLatin1Char(' ') + Lang(92));
    for (int m = 1; m <= kMonitorSlots; ++m) {
        gbMon(m)->setTitle(QStringLiteral(" %1 \"%2\" ").arg(Lang(93)).arg(m));
        for (TMonitorField f : kFields) {
            QLabel* l = label(m, f);
            l->setText(Lang(kLabelTextIds[Index(f)]));
            l->adjustSize();
        }
        if (QCheckBox* box = cbEnable(m)) box->setText(Lang(98));
    }
    m_rbAutoDetect->setText(Lang(102));
    m_rbCustomSettings->setText(Lang(103));
    m_btnApply->setText(Lang(99));
    m_btnOK->setText(Lang(100));
    m_btnCancel->setText(Lang(101));
    m_btnHelp->setText(Lang(84));
}

void TfrmMultiMonSetup::ShowForm()
{
    const bool wasShowing = m_showingForm;
    m_showingForm = true;
    for (int m = 1; m <= kMonitorSlots; ++m) {
        for (TMonitorField f : kFields) {
            QLineEdit* e = ed(m, f);
            const QString text = QString::fromStdU16String(m_form.Text(m, f));
            // Only a text that differs is replaced, so that typing keeps its cursor.
            if (e->text() != text) e->setText(text);
            e->setEnabled(m_form.FieldsEnabled(m));
        }
        if (QCheckBox* box = cbEnable(m)) {
            box->setChecked(m_form.BoxChecked(m));
            box->setEnabled(m_form.BoxEnabled(m));
        }
    }
    if (m_form.Mode() == TMonitorMode::AutoDetect) m_rbAutoDetect->setChecked(true);
    if (m_form.Mode() == TMonitorMode::Manual) m_rbCustomSettings->setChecked(true);
    m_btnApply->setEnabled(m_form.ApplyEnabled());
    m_showingForm = wasShowing;
}

void TfrmMultiMonSetup::FormActivate()
{
    m_commands.SetWinOrders();
    m_form.FormActivate(m_state, m_desktop.Monitors());
    SetCaptions();
    ShowForm();
}

void TfrmMultiMonSetup::ModeClick(TMonitorMode mode)
{
    // Only the auto-detect mode needs the system's monitors.
    m_form.SelectMode(mode, m_state.MonitorCount,
                      mode == TMonitorMode::AutoDetect ? m_desktop.Monitors() : std::vector<MonitorRect>{});
    ShowForm();
}

void TfrmMultiMonSetup::AnyEditBoxExit()
{
    m_form.AnyEditBoxExit();
    ShowForm();
}

void TfrmMultiMonSetup::btnApplyClick()
{
    m_form.Apply(m_state);
    ShowForm();
    // The monitor items follow the new count, and the ruler moves to its
    // monitor's new rectangle at once (monitor 1 when its own is gone).
    m_commands.ShowMonitorMenuItems();
}

void TfrmMultiMonSetup::btnOKClick()
{
    btnApplyClick();
    close();
}

void TfrmMultiMonSetup::btnCancelClick()
{
    close();
}

void TfrmMultiMonSetup::btnHelpClick()
{
    // A help viewer that cannot be started is not reported.
    m_shell.OpenHelp(kHelpTopic);
}

void TfrmMultiMonSetup::FormClose()
{
    m_commands.SetWinOrders();
}

void TfrmMultiMonSetup::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect box(QPoint(0, 0), frameGeometry().size());
    box.moveCenter(screen->availableGeometry().center());
    move(box.topLeft());
}

bool TfrmMultiMonSetup::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(event);
}

bool TfrmMultiMonSetup::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a field for another control of the dialog validates; the
    // dialog losing the keyboard, or the field's own context menu, does not:
    // the next activation reads the state again anyway.
    if (event->type() == QEvent::FocusOut && !m_showingForm) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) AnyEditBoxExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmMultiMonSetup::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        CentreOnScreen();
        // A window manager that leaves the new dialog inactive would leave
        // it showing stale fields.
        FormActivate();
        activateWindow();
    }
    QDialog::showEvent(event);
}

void TfrmMultiMonSetup::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) FormClose();
    QDialog::hideEvent(event);
}
