#include "dialogs/MessageDialog.h"

#include <algorithm>
#include <optional>

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "online/Shell.h"
#include "platform/WindowSystem.h"

namespace {

// The regular face beside the bold one the ruler draws with (fonts-wine).
constexpr char kWineTahomaRegular[] = "/usr/share/wine/fonts/tahoma.ttf";
constexpr int kFontPixels = 11;
constexpr int kIconPixels = 32;
constexpr int kRefTopMs = 100;

QString ToQString(const std::u16string& text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A regular (not bold) Tahoma: the system's, else the fonts-wine file, else
// the desktop's ordinary face. The family alone says too little: the ruler
// may already have registered the bold file under it (and QFontInfo then
// still reports a normal weight).
QString ResolveDialogFamily()
{
    QString tahoma = QStringLiteral("Tahoma");
    const auto haveRegular = [&] {
        const QStringList styles = QFontDatabase::styles(tahoma);
        return std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
            return QFontDatabase::weight(tahoma, style) < QFont::DemiBold && !QFontDatabase::italic(tahoma, style);
        });
    };
    if (haveRegular()) return tahoma;
    if (QFileInfo::exists(QString::fromLatin1(kWineTahomaRegular)) &&
        QFontDatabase::addApplicationFont(QString::fromLatin1(kWineTahomaRegular)) >= 0 && haveRegular())
        return tahoma;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// Only the four standard icons; any other value shows none.
std::optional<QStyle::StandardPixmap> IconPixmap(TAnswerIcon icon)
{
    switch (icon) {
        case TAnswerIcon::Information: return QStyle::SP_MessageBoxInformation;
        case TAnswerIcon::Question: return QStyle::SP_MessageBoxQuestion;
        case TAnswerIcon::Warning: return QStyle::SP_MessageBoxWarning;
        case TAnswerIcon::Error: return QStyle::SP_MessageBoxCritical;
        case TAnswerIcon::None: break;
    }
    return std::nullopt;
}

QString JoinLines(const std::vector<std::u16string>& lines)
{
    QStringList parts;
    for (const auto& line : lines) parts << ToQString(line);
    return parts.join(QLatin1Char('\n'));
}

}  // namespace

QFont TfrmMessage::DialogFont()
{
    static const QString family = ResolveDialogFamily();
    QFont font(family);
    font.setPixelSize(kFontPixels);
    return font;
}

TfrmMessage::TfrmMessage(const TMessageRequest& request, IShell& shell)
    : QDialog(nullptr), m_shell(shell), m_helpTopic(request.HelpTopic)
{
    const int count = static_cast<int>(request.Buttons.size());
    const bool hasHelp = request.HelpButton >= 1 && request.HelpButton <= count;
    // A dialog none of whose buttons closes it could never go away.
    m_cancelable = request.Cancelable || count - (hasHelp ? 1 : 0) == 0;

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;
    if (m_cancelable) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    setWindowTitle(QLatin1Char(' ') + ToQString(request.Caption));
    setModal(true);
    // Closing a message must never end the program, even when it is the only
    // window shown (the start-up errors come before the ruler).
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DialogFont());
    const QFontMetrics metrics(font());

    const QString text = JoinLines(AnswerTextLines(request.Text));
    TMessageLayoutInput input;
    // An empty message still takes one line, as a label sized to its text does.
    const QRect textBox = metrics.boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, text);
    input.Text = {textBox.width(), std::max(textBox.height(), metrics.height())};
    const std::optional<QStyle::StandardPixmap> pixmap = IconPixmap(request.Icon);
    input.HasIcon = pixmap.has_value();
    for (const auto& caption : request.Buttons)
        input.Captions.push_back(
            {metrics.horizontalAdvance(ToQString(AnswerCaptionDisplayText(caption))), metrics.height()});
    m_layout = LayoutMessageDialog(input);

    const auto place = [](QWidget* w, const TAnswerRect& r) { w->setGeometry(r.Left, r.Top, r.Width, r.Height); };

    // Created first so that it lies below the icon and the text.
    m_bevel = new QFrame(this);
    m_bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    place(m_bevel, m_layout.Bevel);

    if (pixmap) {
        m_icon = new QLabel(this);
        m_icon->setPixmap(style()->standardIcon(*pixmap, nullptr, this).pixmap(kIconPixels, kIconPixels));
        m_icon->setAlignment(Qt::AlignCenter);
        place(m_icon, m_layout.Icon);
    }

    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->setText(text);
    place(m_label, m_layout.Label);

    for (int i = 0; i < count; ++i) {
        const std::u16string& caption = request.Buttons[static_cast<std::size_t>(i)];
        auto* button = new QPushButton(ToQString(caption), this);
        button->setAutoDefault(true);  // Enter presses the button that has the focus
        place(button, m_layout.Buttons[static_cast<std::size_t>(i)]);
        if (hasHelp && i + 1 == request.HelpButton)
            connect(button, &QPushButton::clicked, this, &TfrmMessage::btnHelpClick);
        else
            connect(button, &QPushButton::clicked, this, [this, i] { btnAnswerClick(i); });
        m_buttons.push_back(button);
        m_accelerators.push_back(AnswerCaptionAccelerator(caption));
    }
    // Created in order, so the tab order already runs down the column.
    if (!m_buttons.empty()) m_buttons.front()->setFocus();

    setFixedSize(m_layout.Client.Width, m_layout.Client.Height);

    m_refTop = new QTimer(this);
    m_refTop->setInterval(kRefTopMs);
    connect(m_refTop, &QTimer::timeout, this, &TfrmMessage::RefTopTimer);
    m_refTop->start();
}

void TfrmMessage::CentreOver(const QWidget* anchor)
{
    QScreen* screen = nullptr;
    QPoint centre;
    if (anchor && anchor->isVisible()) {
        centre = anchor->frameGeometry().center();
        screen = QGuiApplication::screenAt(centre);
        if (!screen) screen = anchor->screen();
    }
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
        if (!screen) return;
        centre = screen->availableGeometry().center();
    }
    QRect box(QPoint(0, 0), frameGeometry().size());
    box.moveCenter(centre);
    const QRect area = screen->availableGeometry();
    // Keep the title bar reachable: right and bottom first, then left and top.
    box.moveRight(std::min(box.right(), area.right()));
    box.moveBottom(std::min(box.bottom(), area.bottom()));
    box.moveLeft(std::max(box.left(), area.left()));
    box.moveTop(std::max(box.top(), area.top()));
    move(box.topLeft());
}

void TfrmMessage::reject()
{
    if (m_cancelable) QDialog::reject();  // result 0
}

void TfrmMessage::keyPressEvent(QKeyEvent* event)
{
    // A caption's letter presses its button without Alt too, as it does in
    // any dialog whose focus is on a button. Alt+letter is the buttons' own
    // mnemonic.
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QString typed = event->text();
    if (plain && typed.size() == 1 && typed.front().isPrint()) {
        const QChar key = typed.front().toCaseFolded();
        for (std::size_t i = 0; i < m_buttons.size(); ++i) {
            if (m_accelerators[i] != 0 && QChar(m_accelerators[i]).toCaseFolded() == key) {
                m_buttons[i]->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void TfrmMessage::btnAnswerClick(int index)
{
    done(index + 1);
}

void TfrmMessage::btnHelpClick()
{
    // A viewer that cannot be started is not reported; the question stays.
    m_shell.OpenHelp(m_helpTopic);
}

void TfrmMessage::RefTopTimer()
{
    // Our always-on-top windows keep their own order below the dialog.
    if (isVisible()) WindowSystem::KeepStackingOrder();
}

QtMessageDialog::QtMessageDialog(IShell& shell, QWidget* anchor) : m_shell(shell), m_anchor(anchor) {}

int QtMessageDialog::Ask(const TMessageRequest& request)
{
    TfrmMessage dialog(request, m_shell);
    dialog.CentreOver(m_anchor);
    // Whichever of our windows had the keyboard gets it back afterwards.
    const QPointer<QWidget> owner = WindowSystem::ToolWindowWithKeyboard();
    const int answer = dialog.exec();
    WindowSystem::ReturnKeyboardLater(owner);
    return answer;
}
