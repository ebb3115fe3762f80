#include "dialogs/MessageDialog.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/QtTextRasterizer.h"
#include "online/Shell.h"

// Readable failure messages (found by argument-dependent lookup).
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

TMessageRequest Request(std::vector<std::u16string> buttons, bool cancelable = true, int helpButton = 0)
{
    TMessageRequest r;
    r.Caption = u"Scalio";
    r.Text = u"Is this the question?";
    r.Buttons = std::move(buttons);
    r.Icon = TAnswerIcon::Question;
    r.Cancelable = cancelable;
    r.HelpButton = helpButton;
    r.HelpTopic = "2B_Behavior.htm#Multiple";
    return r;
}

// Sends a key where the user's key would go: to the dialog's focused button.
void Key(TfrmMessage& d, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = d.focusWidget() ? d.focusWidget() : &d;
    QTest::keyClick(target, key, modifiers);
}

// Asks through the real modal loop and runs `act` on the dialog from inside
// it. A watchdog ends a dialog the test failed to close with -99.
int AskWhile(IShell& shell, const TMessageRequest& request, const std::function<void(TfrmMessage&)>& act)
{
    QtMessageDialog messages(shell);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TfrmMessage*>(QApplication::activeModalWidget());
        if (!d) return;
        ran = true;
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        act(*d);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(-99);
    });
    watchdog.start(10000);
    const int result = messages.Ask(request);
    EXPECT_TRUE(ran) << "the dialog was not modal";
    return result;
}

TEST(AnswerDialog, DrawsInRegularTahomaElevenPixels)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")))
        GTEST_SKIP() << "fonts-wine is not installed";
    // The program's rasterizer registers the bold face first; the dialog must
    // still get the regular one. First in this file, so that no earlier test
    // has resolved the dialog's face yet.
    QtTextRasterizer rasterizer;
    FakeShell shell;
    TfrmMessage d(Request({u"OK"}), shell);
    const QWidget* parts[] = {d.TextLabel(), d.AnswerButtons()[0]};
    for (const QWidget* w : parts) {
        const QFontInfo info(w->font());
        EXPECT_EQ(info.family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(info.styleName(), QStringLiteral("Regular"));
        EXPECT_EQ(info.pixelSize(), 11);
    }
}

TEST(AnswerDialog, EachWayOfPressingAButtonGivesItsNumber)
{
    struct Case {
        const char* how;
        std::function<void(TfrmMessage&)> act;
        int result;
    };
    const Case cases[] = {
        {"click 1", [](TfrmMessage& d) { d.AnswerButtons()[0]->click(); }, 1},
        {"click 2", [](TfrmMessage& d) { d.AnswerButtons()[1]->click(); }, 2},
        {"click 3", [](TfrmMessage& d) { d.AnswerButtons()[2]->click(); }, 3},
        {"Space on the first", [](TfrmMessage& d) { Key(d, Qt::Key_Space); }, 1},
        {"Enter on the first", [](TfrmMessage& d) { Key(d, Qt::Key_Return); }, 1},
        {"Tab, Space",
         [](TfrmMessage& d) {
             Key(d, Qt::Key_Tab);
             Key(d, Qt::Key_Space);
         },
         2},
        {"Tab, Tab, Enter",
         [](TfrmMessage& d) {
             Key(d, Qt::Key_Tab);
             Key(d, Qt::Key_Tab);
             Key(d, Qt::Key_Enter);
         },
         3},
        {"Tab, Tab, Tab wraps to the first",
         [](TfrmMessage& d) {
             for (int i = 0; i < 3; ++i) Key(d, Qt::Key_Tab);
             Key(d, Qt::Key_Space);
         },
         1},
        {"Alt+N", [](TfrmMessage& d) { Key(d, Qt::Key_N, Qt::AltModifier); }, 2},
        {"plain m", [](TfrmMessage& d) { Key(d, Qt::Key_M); }, 3},
        {"Shift+M", [](TfrmMessage& d) { Key(d, Qt::Key_M, Qt::ShiftModifier); }, 3},
        {"Esc", [](TfrmMessage& d) { Key(d, Qt::Key_Escape); }, 0},
        {"close box", [](TfrmMessage& d) { d.close(); }, 0},
    };
    FakeShell shell;
    for (const Case& c : cases)
        EXPECT_EQ(AskWhile(shell, Request({u"&Yes", u"&No", u"&Maybe"}), c.act), c.result) << c.how;
    EXPECT_TRUE(shell.HelpTopics.empty());
}

TEST(AnswerDialog, FocusStartsOnTheFirstButton)
{
    FakeShell shell;
    TfrmMessage d(Request({u"&Yes", u"&No"}), shell);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(QApplication::focusWidget(), d.AnswerButtons()[0]);
    EXPECT_TRUE(d.AnswerButtons()[0]->isDefault());
}

TEST(AnswerDialog, NotCancelableIgnoresEscAndCloseRequests)
{
    FakeShell shell;
    bool stayed = false;
    const int result = AskWhile(shell, Request({u"&OK"}, false), [&](TfrmMessage& d) {
        Key(d, Qt::Key_Escape);
        d.close();  // what the window manager's close (Alt+F4) comes down to
        d.reject();
        stayed = d.isVisible();
        d.AnswerButtons()[0]->click();
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, 1);

    TfrmMessage fixed(Request({u"&OK"}, false), shell);
    EXPECT_FALSE(fixed.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(fixed.windowFlags() & Qt::WindowSystemMenuHint);
    TfrmMessage cancelable(Request({u"&OK"}, true), shell);
    EXPECT_TRUE(cancelable.windowFlags() & Qt::WindowCloseButtonHint);
    for (const TfrmMessage* d : {&fixed, &cancelable}) {
        EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(d->minimumSize(), d->maximumSize()) << "the dialog is not resizable";
    }
}

TEST(AnswerDialog, HelpButtonOpensHelpAndStaysOpen)
{
    // The monitors warning: OK 1, Cancel 2, Help 3.
    FakeShell shell;
    shell.Succeeds = false;  // a failed viewer changes nothing either
    int helpsWhileOpen = 0;
    bool stayed = false;
    const int result = AskWhile(shell, Request({u"OK", u"Cancel", u"&Help"}, true, 3), [&](TfrmMessage& d) {
        d.AnswerButtons()[2]->click();
        Key(d, Qt::Key_H);  // its accelerator
        Key(d, Qt::Key_Tab);
        Key(d, Qt::Key_Tab);
        Key(d, Qt::Key_Return);  // Enter on the focused help button
        helpsWhileOpen = static_cast<int>(shell.HelpTopics.size());
        stayed = d.isVisible();
        d.AnswerButtons()[1]->click();
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(helpsWhileOpen, 3);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(shell.HelpTopics, std::vector<std::string>(3, "2B_Behavior.htm#Multiple"));

    // OK keeps its number beside the help button.
    EXPECT_EQ(AskWhile(shell, Request({u"OK", u"Cancel", u"Help"}, true, 3),
                       [](TfrmMessage& d) { d.AnswerButtons()[0]->click(); }),
              1);
}

TEST(AnswerDialog, ADialogNoButtonCanCloseCanAlwaysBeCancelled)
{
    FakeShell shell;
    const struct {
        TMessageRequest request;
        const char* what;
    } cases[] = {
        {Request({u"Help"}, false, 1), "only a help button"},
        {Request({}, false), "no buttons at all"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AskWhile(shell, c.request, [](TfrmMessage& d) { Key(d, Qt::Key_Escape); }), 0) << c.what;
    }
    // A help number beyond the buttons makes every button an answer.
    EXPECT_EQ(AskWhile(shell, Request({u"OK"}, false, 2), [](TfrmMessage& d) { d.AnswerButtons()[0]->click(); }), 1);
    EXPECT_TRUE(shell.HelpTopics.empty());
}

TEST(AnswerDialog, TitleHasOneBlankBeforeTheCaption)
{
    FakeShell shell;
    const struct {
        std::u16string caption;
        QString title;
    } cases[] = {
        {u"Scalio", QStringLiteral(" Scalio")},
        {u"Critical error", QStringLiteral(" Critical error")},
        {u"", QStringLiteral(" ")},
        {u"\u00dcbersicht \u65e5\u672c", QString::fromUtf8(" \xc3\x9c"
                                                           "bersicht \xe6\x97\xa5\xe6\x9c\xac")},
    };
    for (const auto& c : cases) {
        TMessageRequest r = Request({u"OK"});
        r.Caption = c.caption;
        EXPECT_EQ(TfrmMessage(r, shell).windowTitle(), c.title);
    }
}

TEST(AnswerDialog, PartsStandWhereTheLayoutPutsThemForTheMeasuredTexts)
{
    FakeShell shell;
    TMessageRequest r = Request({u"&OK", u"&Cancel", u"&Download More Languages"});
    r.Text = u"First line\r\nA second, much longer line of the message\rthird";
    r.Icon = TAnswerIcon::Warning;
    TfrmMessage d(r, shell);

    // Measured on our own: the captions as shown, without their "&".
    const QFontMetrics fm(TfrmMessage::DialogFont());
    TMessageLayoutInput input;
    const QString text = QStringLiteral("First line\nA second, much longer line of the message\nthird");
    const QRect box = fm.boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, text);
    input.Text = {box.width(), box.height()};
    for (const char* shown : {"OK", "Cancel", "Download More Languages"})
        input.Captions.push_back({fm.horizontalAdvance(QString::fromLatin1(shown)), fm.height()});
    input.HasIcon = true;
    const TMessageDialogLayout l = LayoutMessageDialog(input);
    ASSERT_GT(l.Button.Width, 65) << "the long caption must widen the buttons";

    const auto rect = [](const TAnswerRect& a) { return QRect(a.Left, a.Top, a.Width, a.Height); };
    EXPECT_EQ(d.size(), QSize(l.Client.Width, l.Client.Height));
    EXPECT_EQ(d.Bevel()->geometry(), rect(l.Bevel));
    ASSERT_NE(d.IconImage(), nullptr);
    EXPECT_EQ(d.IconImage()->geometry(), QRect(24, 24, 32, 32));
    EXPECT_EQ(d.TextLabel()->geometry(), rect(l.Label));
    EXPECT_EQ(d.TextLabel()->x(), 72);
    ASSERT_EQ(d.AnswerButtons().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(d.AnswerButtons()[i]->geometry(), rect(l.Buttons[i])) << i;

    // The label shows the three lines, unclipped, as plain text.
    EXPECT_EQ(d.TextLabel()->text(), text);
    EXPECT_EQ(d.TextLabel()->textFormat(), Qt::PlainText);
    EXPECT_LE(d.TextLabel()->sizeHint().width(), l.Label.Width);
    EXPECT_LE(d.TextLabel()->sizeHint().height(), l.Label.Height);
    EXPECT_TRUE(d.TextLabel()->alignment() & Qt::AlignVCenter);
}

TEST(AnswerDialog, StandardIcons)
{
    FakeShell shell;
    std::vector<QImage> seen;
    for (TAnswerIcon icon :
         {TAnswerIcon::Information, TAnswerIcon::Question, TAnswerIcon::Warning, TAnswerIcon::Error}) {
        TMessageRequest r = Request({u"OK"});
        r.Icon = icon;
        TfrmMessage d(r, shell);
        ASSERT_NE(d.IconImage(), nullptr);
        const QImage image = d.IconImage()->pixmap().toImage();
        EXPECT_EQ(image.size(), QSize(32, 32));
        for (const QImage& other : seen) EXPECT_NE(image, other) << "icon " << static_cast<int>(icon);
        seen.push_back(image);
        EXPECT_EQ(d.TextLabel()->x(), 72);
    }
    for (int value : {0, 5, -1}) {
        TMessageRequest r = Request({u"OK"});
        r.Icon = static_cast<TAnswerIcon>(value);
        TfrmMessage d(r, shell);
        EXPECT_EQ(d.IconImage(), nullptr) << value;
        EXPECT_EQ(d.TextLabel()->x(), 24) << value;
    }
}

TEST(AnswerDialog, CentresOverTheAnchorAndStaysOnItsScreen)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    FakeShell shell;
    TfrmMessage d(Request({u"OK"}), shell);

    d.CentreOver(nullptr);
    EXPECT_EQ(d.geometry().center(), area.center());

    QWidget anchor(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    anchor.setGeometry(area.left() + 100, area.top() + 150, 400, 60);
    anchor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&anchor));
    d.CentreOver(&anchor);
    EXPECT_EQ(d.geometry().center(), anchor.geometry().center());

    // Near the right and bottom edges the dialog is kept inside the screen.
    anchor.move(area.right() - 50, area.bottom() - 20);
    d.CentreOver(&anchor);
    EXPECT_EQ(d.geometry().right(), area.right());
    EXPECT_EQ(d.geometry().bottom(), area.bottom());

    // A hidden anchor (the ruler before it first shows) is no reference.
    anchor.hide();
    d.CentreOver(&anchor);
    EXPECT_EQ(d.geometry().center(), area.center());
}

}  // namespace
