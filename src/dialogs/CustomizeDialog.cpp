#include "dialogs/CustomizeDialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <tuple>
#include <utility>
#include <vector>

#include "dialogs/MessageDialog.h"
#include "lang/Languages.h"
#include "online/Shell.h"
#include "platform/PlatformBitmap.h"
#include "ruler/RulerCommands.h"

namespace {

constexpr int kClientWidth = 665;
constexpr int kClientHeight = 289;
constexpr char kHelpTopic[] = "2F_General.htm#Custom";
constexpr int kFirstRepeatMs = 500;
constexpr int kRepeatMs = 40;

// The arrangement, in device pixels. Inside a group, positions are the
// group's own.
constexpr QRect kScaleGroup = {16, 16, 265, 129};
constexpr QPoint kLabelNameAt = {16, 23};
constexpr QRect kName = {136, 20, 113, 21};
constexpr QPoint kLabelAbbAt = {16, 47};
constexpr QRect kAbb = {136, 44, 49, 21};
constexpr QPoint kLabelUMRAt = {16, 71};
constexpr int kUMRTop = 68;
constexpr QPoint kLabelMagAt = {16, 95};
constexpr int kMagTop = 92;
// A ratio's two edits, their speed buttons and the colon between them.
constexpr int kNumeratorLeft = 136;
constexpr int kDenominatorLeft = 200;
constexpr int kFixedWidth = 31;
constexpr int kFreeWidth = 49;
constexpr int kRatioHeight = 21;
constexpr int kSpeedButtonWidth = 18;
constexpr int kColonLeft = kNumeratorLeft + kFreeWidth;
constexpr int kColonWidth = kDenominatorLeft - kColonLeft;

constexpr QPoint kLabelResolutionAt = {32, 163};
constexpr QRect kResolution = {152, 160, 73, 21};
constexpr QPoint kLabelDPIAt = {248, 163};
constexpr QPoint kLabelSizeAt = {32, 195};
constexpr QRect kSizePercent = {152, 192, 73, 21};
constexpr QRect kRbSizePercent = {248, 192, 33, 21};
constexpr QRect kSizePixel = {152, 216, 73, 21};
constexpr QRect kRbSizePixel = {248, 216, 33, 21};
constexpr QPoint kLabelTransAt = {32, 251};
constexpr QRect kTrans = {152, 248, 73, 21};
constexpr QPoint kLabelPercentAt = {248, 251};
// Spin buttons: the up button at the field's top, the down button below it.
constexpr int kSpinLeft = 226;
constexpr int kSpinWidth = 15;
constexpr int kSpinHeight = 10;
constexpr int kSpinDownOffset = 11;

constexpr QRect kColorGroup = {296, 16, 353, 217};
constexpr QRect kRbHighlight = {16, 20, 153, 21};
constexpr QRect kRbShadow = {184, 20, 153, 21};
constexpr int kBarLeft = 16;
constexpr int kBarWidth = 281;
constexpr int kBarHeight = 17;
constexpr int kBarTops[] = {48, 72, 96};
constexpr int kBarLabelLeft = 304;
constexpr int kBarLabelDrop = 2;
constexpr int kBarLargeChange = 16;
constexpr QRect kImgColor = {16, 136, kPreviewWidth, kPreviewHeight};

constexpr QRect kOK = {296, 248, 113, 25};
constexpr QRect kHelp = {416, 248, 113, 25};
constexpr QRect kCancel = {536, 248, 113, 25};

constexpr TColorChannel kChannels[] = {TColorChannel::Red, TColorChannel::Green, TColorChannel::Blue};

QString Lang(int id)
{
    return QString::fromStdU16String(GetLangText(id));
}

QString GroupCaption(int id)
{
    return QLatin1Char(' ') + Lang(id) + QLatin1Char(' ');
}

QLabel* MakeLabel(QWidget* parent, const QPoint& at)
{
    auto* label = new QLabel(parent);
    label->move(at);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QRect& at, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(at);
    edit->setMaxLength(maxLength);
    return edit;
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

QToolButton* MakeArrowButton(QWidget* parent, const QRect& at, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setGeometry(at);
    button->setArrowType(arrow);
    // They act on the field being edited, which must keep the keyboard.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString Text(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

std::u16string Text(const QLineEdit* edit)
{
    return edit->text().toStdU16String();
}

}  // namespace

TfrmCustomize::TfrmCustomize(RulerState& state, TRulerCommands& commands, IShell& shell, ITextRasterizer& text,
                             char16_t decimalSeparator, QWidget* parent)
    : QDialog(parent), m_state(state), m_commands(commands), m_shell(shell), m_decimalSeparator(decimalSeparator)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    // Hidden, never destroyed: closing it must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(TfrmMessage::DialogFont());
    SetUpPreview(m_preview, &text);
    m_scroll = new QTimer(this);
    m_scroll->setObjectName(QStringLiteral("Scroll"));
    connect(m_scroll, &QTimer::timeout, this, &TfrmCustomize::ScrollTimer);
    BuildControls();
    setFixedSize(kClientWidth, kClientHeight);
}

void TfrmCustomize::BuildControls()
{
    m_gbScale = new QGroupBox(this);
    m_gbScale->setGeometry(kScaleGroup);
    m_labelName = MakeLabel(m_gbScale, kLabelNameAt);
    m_edName = MakeEdit(m_gbScale, kName, kUnitNameMaxLength);
    m_labelAbb = MakeLabel(m_gbScale, kLabelAbbAt);
    m_edAbb = MakeEdit(m_gbScale, kAbb, kUnitAbbreviationMaxLength);
    m_labelUMR = MakeLabel(m_gbScale, kLabelUMRAt);
    m_labelMag = MakeLabel(m_gbScale, kLabelMagAt);
    const auto ratioRow = [this](int top, int maxLength, QLineEdit*& numerator, QLineEdit*& denominator,
                                 std::size_t firstButton) {
        numerator = MakeEdit(m_gbScale, {kNumeratorLeft, top, kFixedWidth, kRatioHeight}, maxLength);
        denominator = MakeEdit(m_gbScale, {kDenominatorLeft, top, kFixedWidth, kRatioHeight}, maxLength);
        for (std::size_t i = 0; i < 2; ++i) {
            const int left = (i == 0 ? kNumeratorLeft : kDenominatorLeft) + kFixedWidth;
            QToolButton* b = MakeArrowButton(m_gbScale, {left, top, kSpeedButtonWidth, kRatioHeight}, Qt::RightArrow);
            const int number = static_cast<int>(firstButton + i) + 1;
            connect(b, &QToolButton::clicked, this, [this, number] { SpeedButtonClick(number); });
            m_speedButtons[firstButton + i] = b;
        }
        auto* colon = new QLabel(QStringLiteral(":"), m_gbScale);
        QFont bold = colon->font();
        bold.setBold(true);
        colon->setFont(bold);
        colon->setAlignment(Qt::AlignCenter);
        colon->setGeometry(kColonLeft, top, kColonWidth, kRatioHeight);
    };
    ratioRow(kUMRTop, kUnitToMeterField.MaxLength, m_edUMR1, m_edUMR2, 0);
    ratioRow(kMagTop, kMagnificationField.MaxLength, m_edMag1, m_edMag2, 2);

    m_labelResolution = MakeLabel(this, kLabelResolutionAt);
    m_edResolution = MakeEdit(this, kResolution, kResolutionField.MaxLength);
    m_labelDPI = MakeLabel(this, kLabelDPIAt);
    m_labelSize = MakeLabel(this, kLabelSizeAt);
    m_edSizePercent = MakeEdit(this, kSizePercent, kSizePercentField.MaxLength);
    m_rbSizePercent = new QRadioButton(this);
    m_rbSizePercent->setGeometry(kRbSizePercent);
    m_edSizePixel = MakeEdit(this, kSizePixel, kSizePixelField.MaxLength);
    m_rbSizePixel = new QRadioButton(this);
    m_rbSizePixel->setGeometry(kRbSizePixel);
    auto* sizeTypes = new QButtonGroup(this);
    sizeTypes->addButton(m_rbSizePercent);
    sizeTypes->addButton(m_rbSizePixel);
    connect(m_rbSizePercent, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_filling) rbSizeTypeClick(false);
    });
    connect(m_rbSizePixel, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_filling) rbSizeTypeClick(true);
    });
    m_labelTrans = MakeLabel(this, kLabelTransAt);
    m_edTrans = MakeEdit(this, kTrans, kTransparencyField.MaxLength);
    m_labelPercent = MakeLabel(this, kLabelPercentAt);

    struct Spin {
        TSpinAction up, down;
        int top;
    };
    const Spin spins[] = {{TSpinAction::ResolutionUp, TSpinAction::ResolutionDown, kResolution.top()},
                          {TSpinAction::PercentUp, TSpinAction::PercentDown, kSizePercent.top()},
                          {TSpinAction::PixelsUp, TSpinAction::PixelsDown, kSizePixel.top()},
                          {TSpinAction::TransparencyUp, TSpinAction::TransparencyDown, kTrans.top()}};
    for (const Spin& s : spins) {
        for (const auto& [action, top, arrow] :
             {std::tuple{s.up, s.top, Qt::UpArrow}, std::tuple{s.down, s.top + kSpinDownOffset, Qt::DownArrow}}) {
            QToolButton* b = MakeArrowButton(this, {kSpinLeft, top, kSpinWidth, kSpinHeight}, arrow);
            const TSpinAction a = action;
            connect(b, &QToolButton::pressed, this, [this, a] { sbAnyMouseDown(a); });
            connect(b, &QToolButton::released, this, &TfrmCustomize::sbAnyMouseUp);
            m_spinButtons[static_cast<std::size_t>(a)] = b;
        }
    }

    m_gbColor = new QGroupBox(this);
    m_gbColor->setGeometry(kColorGroup);
    m_rbHighlight = new QRadioButton(m_gbColor);
    m_rbHighlight->setGeometry(kRbHighlight);
    m_rbShadow = new QRadioButton(m_gbColor);
    m_rbShadow->setGeometry(kRbShadow);
    m_rbHighlight->setChecked(true);
    auto* targets = new QButtonGroup(this);
    targets->addButton(m_rbHighlight);
    targets->addButton(m_rbShadow);
    for (QRadioButton* rb : {m_rbHighlight, m_rbShadow})
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_filling) LoadColorBars();
        });
    for (std::size_t i = 0; i < m_bars.size(); ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, m_gbColor);
        bar->setGeometry(kBarLeft, kBarTops[i], kBarWidth, kBarHeight);
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(kBarLargeChange);
        bar->setFocusPolicy(Qt::StrongFocus);
        const TColorChannel channel = kChannels[i];
        connect(bar, &QScrollBar::valueChanged, this, [this, channel](int value) {
            if (!m_filling) ColorBarChange(channel, value);
        });
        m_bars[i] = bar;
        m_barLabels[i] = MakeLabel(m_gbColor, {kBarLabelLeft, kBarTops[i] + kBarLabelDrop});
    }
    m_imgColor = new QLabel(m_gbColor);
    m_imgColor->setGeometry(kImgColor);

    m_btnOK = MakeButton(this, kOK);
    m_btnHelp = MakeButton(this, kHelp);
    m_btnCancel = MakeButton(this, kCancel);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmCustomize::btnOKClick);
    connect(m_btnHelp, &QPushButton::clicked, this, &TfrmCustomize::btnHelpClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmCustomize::btnCancelClick);

    for (QLineEdit* e :
         {m_edUMR1, m_edUMR2, m_edMag1, m_edMag2, m_edResolution, m_edSizePercent, m_edSizePixel, m_edTrans})
        e->installEventFilter(this);

    const std::vector<QWidget*> tabOrder = {
        m_edName,        m_edAbb,       m_edUMR1,        m_edUMR2,      m_edMag1,      m_edMag2,  m_edResolution,
        m_edSizePercent, m_edSizePixel, m_rbSizePercent, m_rbSizePixel, m_edTrans,     m_btnOK,   m_btnCancel,
        m_btnHelp,       m_bars[0],     m_bars[1],       m_bars[2],     m_rbHighlight, m_rbShadow};
    for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void TfrmCustomize::SetCaptions()
{
    setWindowTitle(Lang(87));
    m_gbScale->setTitle(GroupCaption(139));
    m_gbColor->setTitle(GroupCaption(79));
    const std::pair<QLabel*, QString> labels[] = {
        {m_labelName, Lang(140)}, {m_labelAbb, Lang(141)},       {m_labelUMR, Lang(142)},
        {m_labelMag, Lang(143)},  {m_labelResolution, Lang(67)}, {m_labelDPI, Lang(56)},
        {m_labelSize, Lang(144)}, {m_labelTrans, Lang(77)},      {m_labelPercent, QStringLiteral("%")}};
    for (const auto& [label, text] : labels) {
        label->setText(text);
        label->adjustSize();
    }
    m_rbSizePercent->setText(QStringLiteral("%"));
    m_rbSizePixel->setText(Lang(59));
    m_rbHighlight->setText(Lang(147));
    m_rbShadow->setText(Lang(148));
    m_btnOK->setText(Lang(100));
    m_btnHelp->setText(Lang(84));
    m_btnCancel->setText(Lang(101));
}

void TfrmCustomize::FormShow()
{
    const bool wasFilling = m_filling;
    m_filling = true;
    const TCustomizeFields f = CustomizeFieldsFromState(m_state, m_decimalSeparator);
    m_edName->setText(Text(f.Name));
    m_edAbb->setText(Text(f.Abbreviation));
    m_edUMR1->setText(Text(f.UnitToMeterA));
    m_edUMR2->setText(Text(f.UnitToMeterB));
    m_edMag1->setText(Text(f.MagnificationA));
    m_edMag2->setText(Text(f.MagnificationB));
    ShowRatioSides();
    m_edResolution->setText(Text(f.Resolution));
    rbSizeTypeClick(f.SizeInPixels);
    m_edTrans->setText(Text(f.Transparency));
    m_editHighlight = f.Highlight;
    m_editShadow = f.Shadow;
    m_filling = wasFilling;
    LoadColorBars();
}

void TfrmCustomize::ShowRatioSides()
{
    if (FreeUnitToMeterSide(Text(m_edUMR2)) == TRatioSide::Numerator)
        AnyRatioSide(m_edUMR1, SpeedButton(1), m_edUMR2, SpeedButton(2));
    else
        AnyRatioSide(m_edUMR2, SpeedButton(2), m_edUMR1, SpeedButton(1));
    if (FreeMagnificationSide(Text(m_edMag1)) == TRatioSide::Denominator)
        AnyRatioSide(m_edMag2, SpeedButton(4), m_edMag1, SpeedButton(3));
    else
        AnyRatioSide(m_edMag1, SpeedButton(3), m_edMag2, SpeedButton(4));
}

void TfrmCustomize::AnyRatioSide(QLineEdit* free, QToolButton* freeButton, QLineEdit* fixed, QToolButton* fixedButton)
{
    // The typed side widens over its own speed button; the fixed side shows
    // its button, which makes it the typed one.
    free->resize(kFreeWidth, kRatioHeight);
    SetFieldEnabled(free, true);
    free->raise();
    freeButton->hide();
    fixed->resize(kFixedWidth, kRatioHeight);
    SetFieldEnabled(fixed, false);
    fixedButton->show();
}

void TfrmCustomize::SetFieldEnabled(QLineEdit* edit, bool enabled)
{
    edit->setEnabled(enabled);
    // A field that cannot be typed into looks like the dialog around it.
    QPalette p = edit->palette();
    const QPalette system = QGuiApplication::palette();
    const QColor colour =
        enabled ? system.color(QPalette::Active, QPalette::Base) : system.color(QPalette::Active, QPalette::Button);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, QPalette::Base, colour);
    edit->setPalette(p);
}

void TfrmCustomize::FormActivate()
{
    m_commands.SetWinOrders();
    SetCaptions();
    DrawPreview();
}

void TfrmCustomize::FormClose()
{
    m_scroll->stop();
    m_spinAction = TSpinAction::None;
    m_commands.SetWinOrders();
}

void TfrmCustomize::rbSizeTypeClick(bool pixels)
{
    const bool wasFilling = m_filling;
    m_filling = true;
    const TSizeTexts texts = SizeTypeTexts(m_state, pixels);
    m_edSizePercent->setText(Text(texts.Percent));
    m_edSizePixel->setText(Text(texts.Pixels));
    SetFieldEnabled(m_edSizePercent, !pixels);
    SetFieldEnabled(m_edSizePixel, pixels);
    for (TSpinAction a : {TSpinAction::PercentUp, TSpinAction::PercentDown}) SpinButton(a)->setEnabled(!pixels);
    for (TSpinAction a : {TSpinAction::PixelsUp, TSpinAction::PixelsDown}) SpinButton(a)->setEnabled(pixels);
    (pixels ? m_rbSizePixel : m_rbSizePercent)->setChecked(true);
    m_filling = wasFilling;
}

void TfrmCustomize::SpeedButtonClick(int button)
{
    QLineEdit* const pair[] = {m_edUMR1, m_edUMR2, m_edMag1, m_edMag2};
    QLineEdit* free = pair[button - 1];
    // The other side of the same ratio.
    QLineEdit* fixed = pair[(button - 1) ^ 1];
    fixed->setText(QStringLiteral("1"));
    AnyRatioSide(free, SpeedButton(button), fixed, SpeedButton(((button - 1) ^ 1) + 1));
    // The user clicked to type there.
    free->setFocus(Qt::OtherFocusReason);
    free->selectAll();
}

void TfrmCustomize::sbAnyMouseDown(TSpinAction action)
{
    m_spinAction = action;
    SpinOnce();
    m_scroll->setInterval(kFirstRepeatMs);
    m_scroll->start();
}

void TfrmCustomize::ScrollTimer()
{
    m_scroll->setInterval(kRepeatMs);
    SpinOnce();
}

void TfrmCustomize::SpinOnce()
{
    QLineEdit* edit = nullptr;
    switch (m_spinAction) {
        case TSpinAction::None: return;
        case TSpinAction::ResolutionUp:
        case TSpinAction::ResolutionDown: edit = m_edResolution; break;
        case TSpinAction::PercentUp:
        case TSpinAction::PercentDown: edit = m_edSizePercent; break;
        case TSpinAction::PixelsUp:
        case TSpinAction::PixelsDown: edit = m_edSizePixel; break;
        case TSpinAction::TransparencyUp:
        case TSpinAction::TransparencyDown: edit = m_edTrans; break;
    }
    const QString text = Text(SpinStep(m_spinAction, Text(edit)));
    if (text != edit->text()) edit->setText(text);
}

void TfrmCustomize::sbAnyMouseUp()
{
    m_scroll->stop();
    m_spinAction = TSpinAction::None;
}

void TfrmCustomize::LoadColorBars()
{
    const TColor32 c = m_rbShadow->isChecked() ? m_editShadow : m_editHighlight;
    const bool wasFilling = m_filling;
    m_filling = true;
    for (TColorChannel ch : kChannels) {
        const int value = ColorByte(c, ch);
        sbColor(ch)->setValue(value);
        labelColor(ch)->setText(Text(ColorLabel(ch, value)));
        labelColor(ch)->adjustSize();
    }
    m_filling = wasFilling;
    DrawPreview();
}

void TfrmCustomize::ColorBarChange(TColorChannel channel, int value)
{
    TColor32& target = m_rbHighlight->isChecked() ? m_editHighlight : m_editShadow;
    target = ReplaceColorByte(target, channel, value);
    labelColor(channel)->setText(Text(ColorLabel(channel, value)));
    labelColor(channel)->adjustSize();
    DrawPreview();
}

void TfrmCustomize::DrawPreview()
{
    ::DrawPreview(m_preview, m_editHighlight, m_editShadow, GetLangText(146));
    m_imgColor->setPixmap(QPixmap::fromImage(ToPlatformBitmap(m_preview.Composite())));
}

TCustomizeFields TfrmCustomize::Fields() const
{
    TCustomizeFields f;
    f.Name = Text(m_edName);
    f.Abbreviation = Text(m_edAbb);
    f.UnitToMeterA = Text(m_edUMR1);
    f.UnitToMeterB = Text(m_edUMR2);
    f.MagnificationA = Text(m_edMag1);
    f.MagnificationB = Text(m_edMag2);
    f.Resolution = Text(m_edResolution);
    f.SizeInPixels = m_rbSizePixel->isChecked();
    f.SizePercent = Text(m_edSizePercent);
    f.SizePixels = Text(m_edSizePixel);
    f.Transparency = Text(m_edTrans);
    f.Highlight = m_editHighlight;
    f.Shadow = m_editShadow;
    return f;
}

void TfrmCustomize::btnOKClick()
{
    StoreCustomizeFields(Fields(), m_state, m_decimalSeparator);
    m_commands.CustomSettingsApplied();
    hide();
}

void TfrmCustomize::btnCancelClick()
{
    hide();
}

void TfrmCustomize::btnHelpClick()
{
    // A help viewer that cannot be started is not reported.
    m_shell.OpenHelp(kHelpTopic);
}

void TfrmCustomize::FieldExit(QLineEdit* edit)
{
    const std::u16string text = Text(edit);
    std::u16string corrected;
    if (edit == m_edUMR1 || edit == m_edUMR2)
        corrected = CorrectRealField(kUnitToMeterField, text, m_decimalSeparator);
    else if (edit == m_edMag1 || edit == m_edMag2)
        corrected = CorrectRealField(kMagnificationField, text, m_decimalSeparator);
    else if (edit == m_edResolution)
        corrected = CorrectIntField(kResolutionField, text);
    else if (edit == m_edSizePercent)
        corrected = CorrectIntField(kSizePercentField, text);
    else if (edit == m_edSizePixel)
        corrected = CorrectIntField(kSizePixelField, text);
    else
        corrected = CorrectIntField(kTransparencyField, text);
    if (corrected != text) edit->setText(Text(corrected));
}

void TfrmCustomize::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect box(QPoint(0, 0), frameGeometry().size());
    box.moveCenter(screen->geometry().center());
    move(box.topLeft());
}

bool TfrmCustomize::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(event);
}

bool TfrmCustomize::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a field for another control of the dialog corrects it; the
    // dialog losing the keyboard, or the field's own context menu, does not:
    // OK reads every field within its limits anyway.
    if (event->type() == QEvent::FocusOut && !m_filling) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            FieldExit(static_cast<QLineEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCustomize::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        FormShow();
        CentreOnScreen();
        // A window manager that leaves the new dialog inactive would leave
        // it without captions in the current language.
        FormActivate();
        activateWindow();
    }
    QDialog::showEvent(event);
}

void TfrmCustomize::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) FormClose();
    QDialog::hideEvent(event);
}

void TfrmCustomize::closeEvent(QCloseEvent* event)
{
    event->ignore();
}
