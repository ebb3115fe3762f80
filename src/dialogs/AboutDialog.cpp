#include "dialogs/AboutDialog.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "dialogs/MessageDialog.h"
#include "draw/CommonFunctions.h"
#include "lang/Languages.h"
#include "online/Shell.h"
#include "online/Version.h"
#include "platform/PlatformBitmap.h"
#include "ruler/RulerCommands.h"
#include "settings/SettingsLocation.h"

// The picture lives in the ui library, a static one: its resources are
// linked in only when something names them. Outside any namespace, as the
// macro needs.
static void LoadDialogResources()
{
    Q_INIT_RESOURCE(dialogs);
}

namespace {

constexpr TColor32 kBackEdge = 0xFFC0C0C0u;
constexpr TColor32 kBackMiddle = 0xFFFFFFFFu;
constexpr int kFrameRings = 2;
constexpr int kNamePixels = 19;
constexpr int kTextPixels = 13;

QString ToQString(const std::u16string& text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The string table writes line breaks as CR LF; a label wants LF alone.
QString LangText(int id)
{
    return ToQString(GetLangText(id)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QFont LabelFont(int pixels, bool bold)
{
    QFont font = TfrmMessage::DialogFont();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, int left, int top, const QFont& font)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    // Transparent over the gradient: the label paints no background.
    label->setAutoFillBackground(false);
    label->move(left, top);
    return label;
}

}  // namespace

TfrmAbout::TfrmAbout(TRulerCommands& commands, IShell& shell, QWidget* parent)
    : QDialog(parent), m_commands(commands), m_shell(shell)
{
    LoadDialogResources();
    // No title-bar buttons: OK, Help or Esc close it. Kept above the ruler
    // like the message dialog, since the ruler stays on top of everything.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    // Closing it must never end the program, even when it is the only window
    // shown.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(TfrmMessage::DialogFont());
    setFixedSize(kClientWidth, kClientHeight);

    // The background is the client area: on X11 the frame belongs to the
    // window manager, so the gradient's middle row is the middle of what we
    // paint.
    m_back.SetSize(kClientWidth, kClientHeight);
    DrawGradient(m_back, kBackEdge, kBackMiddle, false);
    DrawBevel(m_back, kPictureLeft - kFrameRings, kPictureTop - kFrameRings, kPictureLeft + kPictureWidth + kFrameRings,
              kPictureTop + kPictureHeight + kFrameRings, kFrameRings, kBackMiddle, true);
    m_backImage = ToPlatformBitmap(m_back);
    m_picture = QImage(QStringLiteral(":/dialogs/product.png"));

    m_label1 = MakeLabel(this, 24, 24, LabelFont(kNamePixels, true));
    m_label2 = MakeLabel(this, 24, 48, LabelFont(kTextPixels, false));
    m_label4 = MakeLabel(this, 24, 80, LabelFont(kTextPixels, false));
    m_label3 = MakeLabel(this, 24, 324, LabelFont(kTextPixels, false));

    m_btnOK = new QPushButton(this);
    m_btnOK->setGeometry(136, 284, 81, 25);
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmAbout::btnOKClick);
    m_btnHelp = new QPushButton(this);
    m_btnHelp->setGeometry(224, 284, 81, 25);
    connect(m_btnHelp, &QPushButton::clicked, this, &TfrmAbout::btnHelpClick);
    QWidget::setTabOrder(m_btnHelp, m_btnOK);

    SetTexts();
}

void TfrmAbout::done(int result)
{
    const bool wasVisible = isVisible();
    QDialog::done(result);
    if (wasVisible) FormClose();
}

bool TfrmAbout::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(e);
}

void TfrmAbout::showEvent(QShowEvent* e)
{
    // A dialog shown without the keyboard still speaks the current language.
    SetTexts();
    CentreOnAnchorScreen();
    m_btnOK->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(e);
}

void TfrmAbout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_backImage);
    painter.drawImage(kPictureLeft, kPictureTop, m_picture);
}

void TfrmAbout::FormActivate()
{
    // The ruler's windows stay on top of everything else; re-stacking them
    // keeps our dialog above them.
    m_commands.SetWinOrders();
    SetTexts();
}

void TfrmAbout::FormClose()
{
    m_commands.SetWinOrders();
}

void TfrmAbout::SetTexts()
{
    setWindowTitle(QLatin1Char(' ') + LangText(85));
    m_label1->setText(QString::fromLatin1(kProductName));
    m_label2->setText(LangText(105) + QStringLiteral(": ") + QString::fromUtf16(AppVersion));
    m_label3->setText(LangText(203));
    m_label4->setText(LangText(204));
    for (QLabel* label : {m_label1, m_label2, m_label3, m_label4}) label->adjustSize();
    m_btnOK->setText(LangText(100));
    m_btnHelp->setText(LangText(84));
}

void TfrmAbout::CentreOnAnchorScreen()
{
    QScreen* screen = nullptr;
    if (m_anchor && m_anchor->isVisible()) {
        screen = QGuiApplication::screenAt(m_anchor->frameGeometry().center());
        if (!screen) screen = m_anchor->screen();
    }
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect box(QPoint(0, 0), frameGeometry().size());
    box.moveCenter(area.center());
    // A screen smaller than the dialog keeps its title bar in reach.
    box.moveLeft(std::max(box.left(), area.left()));
    box.moveTop(std::max(box.top(), area.top()));
    move(box.topLeft());
}

void TfrmAbout::btnOKClick()
{
    close();
}

void TfrmAbout::btnHelpClick()
{
    // A help viewer that cannot be started is not reported.
    m_shell.OpenHelp("");
    close();
}
