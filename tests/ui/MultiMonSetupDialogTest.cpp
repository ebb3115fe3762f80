#include "monitors/MultiMonSetupDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "DialogChecks.h"
#include "RulerFixture.h"

// Readable failure messages (found by argument-dependent lookup).
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

using F = TMonitorField;

const MonitorRect kMain{0, 0, 1920, 1080}, kLeft{-1280, 0, 1280, 1024}, kAbove{0, -900, 1600, 900},
    kRight{1920, 0, 1024, 768};

class MultiMonSetupDialogTest : public RulerFixture {
protected:
    ~MultiMonSetupDialogTest() override { dialog.hide(); }

    // A committed manual table of `count` monitors, the ruler laid out on it.
    void StartManual(int count)
    {
        const MonitorRect rects[] = {kMain, kLeft, kAbove, kRight};
        ruler.State.ManualCfg = true;
        ruler.State.MonitorCount = count;
        for (int i = 0; i < kMonitorSlots; ++i)
            ruler.State.MonitorRects[static_cast<std::size_t>(i)] = i < count ? rects[i] : MonitorRect{};
        ruler.StartUp();
    }
    // Shown as the Manual Configuration command shows it, and active.
    void Open()
    {
        dialog.show();
        ActivateDialog();
    }
    void ActivateDialog()
    {
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // Types into a field as the user does: focus, select all, keys; the
    // field keeps the focus.
    void Type(int monitor, F field, const QString& text)
    {
        QLineEdit* e = dialog.ed(monitor, field);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, text);
    }
    QString Text(int monitor, F field) const { return dialog.ed(monitor, field)->text(); }

    TfrmMultiMonSetup dialog{ruler.State, desktop, shell, ruler.Commands};
};

TEST_F(MultiMonSetupDialogTest, ControlsStandWhereTheTableSaysInTahomaElevenPixels)
{
    Open();
    EXPECT_EQ(dialog.geometry().size(), QSize(297, 377));
    // No title-bar buttons, and it does not hold up the ruler.
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::CustomizeWindowHint));
    ExpectModelessWithoutTitleBarButtons(dialog);

    struct Case {
        const char* name;
        const QWidget* widget;
        QRect inDialog;
    };
    const auto inDialog = [&](const QWidget* w) { return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size()); };
    const Case cases[] = {
        {"gbMon1", dialog.gbMon(1), {8, 8, 137, 137}},
        {"gbMon2", dialog.gbMon(2), {152, 8, 137, 137}},
        {"gbMon3", dialog.gbMon(3), {8, 152, 137, 137}},
        {"gbMon4", dialog.gbMon(4), {152, 152, 137, 137}},
        {"edL1", dialog.ed(1, F::Left), {8 + 80, 8 + 36, 49, 21}},
        {"edH4", dialog.ed(4, F::Height), {152 + 80, 152 + 108, 49, 21}},
        {"edW3", dialog.ed(3, F::Width), {8 + 80, 152 + 84, 49, 21}},
        {"cbEnable2", dialog.cbEnable(2), {152 + 6, 8 + 18, 87, 17}},
        {"rbAutoDetect", dialog.rbAutoDetect(), {8, 298, 185, 17}},
        {"rbCustomSettings", dialog.rbCustomSettings(), {8, 320, 185, 17}},
        {"btnHelp", dialog.btnHelp(), {200, 304, 89, 25}},
        {"btnApply", dialog.btnApply(), {8, 344, 89, 25}},
        {"btnOK", dialog.btnOK(), {104, 344, 89, 25}},
        {"btnCancel", dialog.btnCancel(), {200, 344, 89, 25}},
    };
    for (const Case& c : cases) EXPECT_EQ(inDialog(c.widget), c.inDialog) << c.name;
    EXPECT_EQ(inDialog(dialog.label(2, F::Top)).topLeft(), QPoint(152 + 8, 8 + 63));
    EXPECT_EQ(dialog.cbEnable(1), nullptr);

    if (QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) {
        const QWidget* parts[] = {dialog.ed(1, F::Left), dialog.btnOK(), dialog.label(1, F::Width)};
        for (const QWidget* w : parts) {
            const QFontInfo info(w->font());
            EXPECT_EQ(info.family(), QStringLiteral("Tahoma"));
            EXPECT_EQ(info.pixelSize(), 11);
        }
    }
}

TEST_F(MultiMonSetupDialogTest, TabRunsThroughTheGroupsThenModesThenButtons)
{
    StartManual(4);
    Open();
    // Names read better than pointers in a failure.
    std::map<const QWidget*, std::string> names;
    std::vector<std::string> expected;
    const auto add = [&](const QWidget* w, std::string name) {
        names[w] = name;
        expected.push_back(std::move(name));
    };
    for (int m = 1; m <= kMonitorSlots; ++m) {
        const std::string n = std::to_string(m);
        if (m > 1) add(dialog.cbEnable(m), "cbEnable" + n);
        add(dialog.ed(m, F::Left), "edL" + n);
        add(dialog.ed(m, F::Top), "edT" + n);
        add(dialog.ed(m, F::Width), "edW" + n);
        add(dialog.ed(m, F::Height), "edH" + n);
    }
    add(dialog.rbAutoDetect(), "rbAutoDetect");
    add(dialog.rbCustomSettings(), "rbCustomSettings");
    add(dialog.btnApply(), "btnApply");
    add(dialog.btnOK(), "btnOK");
    add(dialog.btnCancel(), "btnCancel");
    add(dialog.btnHelp(), "btnHelp");

    // The chain itself: Qt's Tab stops only once in the group of mode buttons.
    std::vector<std::string> chain;
    const QWidget* w = dialog.ed(1, F::Left);
    do {
        if (names.count(w)) chain.push_back(names[w]);
        w = w->nextInFocusChain();
    } while (w != dialog.ed(1, F::Left) && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);

    // And with the keys, once Apply is available.
    Type(1, F::Left, QStringLiteral("5"));
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        visited.push_back(names.count(focus) ? names[focus] : "other");
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    std::erase(expected, "rbCustomSettings");
    expected.push_back("edL1");
    EXPECT_EQ(visited, expected);
}

TEST_F(MultiMonSetupDialogTest, CaptionsComeFromTheTextsOnActivation)
{
    Open();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Manual Monitors Configuration"));
    EXPECT_EQ(dialog.gbMon(3)->title(), QStringLiteral(" Monitor \"3\" "));
    EXPECT_EQ(dialog.label(1, F::Left)->text(), QStringLiteral("Left Edge"));
    EXPECT_EQ(dialog.label(2, F::Top)->text(), QStringLiteral("Top Edge"));
    EXPECT_EQ(dialog.label(3, F::Width)->text(), QStringLiteral("Width"));
    EXPECT_EQ(dialog.label(4, F::Height)->text(), QStringLiteral("Height"));
    EXPECT_EQ(dialog.cbEnable(4)->text(), QStringLiteral("Enabled"));
    EXPECT_EQ(dialog.rbAutoDetect()->text(), QStringLiteral("Auto Detect Monitors"));
    EXPECT_EQ(dialog.rbCustomSettings()->text(), QStringLiteral("Use Manual Settings"));
    EXPECT_EQ(dialog.btnApply()->text(), QStringLiteral("Apply"));
    EXPECT_EQ(dialog.btnOK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.btnCancel()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.btnHelp()->text(), QStringLiteral("Help"));
    // A label is as wide as its text, and ends before its field.
    for (F f : {F::Left, F::Top, F::Width, F::Height})
        EXPECT_LE(dialog.label(1, f)->geometry().right(), dialog.ed(1, f)->geometry().left());
}

TEST_F(MultiMonSetupDialogTest, UncheckingAMonitorClearsAndLocksEveryOneAfterIt)
{
    StartManual(4);
    Open();
    EXPECT_TRUE(dialog.rbCustomSettings()->isChecked());
    EXPECT_FALSE(dialog.btnApply()->isEnabled());

    dialog.cbEnable(2)->click();
    for (int m = 2; m <= 4; ++m) {
        EXPECT_FALSE(dialog.cbEnable(m)->isChecked()) << m;
        for (F f : {F::Left, F::Top, F::Width, F::Height}) {
            EXPECT_FALSE(dialog.ed(m, f)->isEnabled()) << m;
            EXPECT_EQ(Text(m, f), QStringLiteral("0")) << m;
        }
    }
    EXPECT_TRUE(dialog.cbEnable(2)->isEnabled());
    EXPECT_FALSE(dialog.cbEnable(3)->isEnabled());
    EXPECT_TRUE(dialog.btnApply()->isEnabled());

    dialog.cbEnable(2)->click();
    EXPECT_TRUE(dialog.ed(2, F::Left)->isEnabled());
    EXPECT_EQ(Text(2, F::Width), QStringLiteral("640"));  // the cleared field, corrected
    EXPECT_TRUE(dialog.cbEnable(3)->isEnabled());
    EXPECT_FALSE(dialog.cbEnable(3)->isChecked());
    EXPECT_FALSE(dialog.ed(3, F::Left)->isEnabled());
    EXPECT_FALSE(dialog.cbEnable(4)->isEnabled());
}

TEST_F(MultiMonSetupDialogTest, LeavingAFieldCorrectsIt)
{
    StartManual(2);
    Open();
    struct Case {
        int monitor;
        F field;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {1, F::Width, "5000", "4096"},  {1, F::Width, "100", "640"}, {1, F::Left, "", "0"},
        {2, F::Left, "-1280", "-1280"}, {2, F::Top, "-900", "-900"}, {2, F::Height, "3100", "3072"},
        {2, F::Height, "abc", "480"},   {1, F::Top, "12abc", "0"},
    };
    for (const Case& c : cases) {
        Type(c.monitor, c.field, QString::fromLatin1(c.typed));
        EXPECT_EQ(Text(c.monitor, c.field), QString::fromLatin1(c.typed)) << "not corrected while typing";
        QTest::keyClick(dialog.ed(c.monitor, c.field), Qt::Key_Tab);
        EXPECT_EQ(Text(c.monitor, c.field), QString::fromLatin1(c.shown)) << c.typed;
    }
    // Nothing was committed.
    EXPECT_EQ(ruler.State.MonitorRects[0], kMain);
    EXPECT_TRUE(dialog.btnApply()->isEnabled());
}

TEST_F(MultiMonSetupDialogTest, ApplyMovesTheRulerAtOnceAndOkAppliesAndCloses)
{
    StartManual(1);
    EXPECT_EQ(ruler.width(), 1440);  // three quarters of 1920
    Open();
    Type(1, F::Width, QStringLiteral("1280"));
    QTest::mouseClick(dialog.btnApply(), Qt::LeftButton);
    EXPECT_EQ(ruler.State.MonitorRects[0], (MonitorRect{0, 0, 1280, 1080}));
    EXPECT_EQ(ruler.State.ActiveArea, ruler.State.MonitorRects[0]);
    EXPECT_EQ(ruler.width(), 960);
    EXPECT_EQ(ruler.x(), 160);  // centred on the new rectangle
    EXPECT_FALSE(dialog.btnApply()->isEnabled());
    EXPECT_TRUE(dialog.isVisible());

    // A value typed and not yet left is corrected by the click before Apply.
    Type(1, F::Width, QStringLiteral("9000"));
    QTest::mouseClick(dialog.btnOK(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ruler.State.MonitorRects[0].Width, 4096);
    EXPECT_EQ(ruler.width(), 3072);
}

TEST_F(MultiMonSetupDialogTest, ApplyWithoutTheActiveMonitorTakesTheRulerToMonitorOne)
{
    StartManual(4);
    ruler.Commands.SelectMonitor(4);
    EXPECT_EQ(ruler.x(), kRight.Left + 128);
    Open();
    dialog.cbEnable(4)->click();
    QTest::mouseClick(dialog.btnApply(), Qt::LeftButton);
    EXPECT_EQ(ruler.State.MonitorCount, 3);
    EXPECT_TRUE(ruler.State.ManualCfg);
    EXPECT_EQ(ruler.State.MonitorRects[3], MonitorRect{});
    EXPECT_EQ(ruler.State.ActiveMon, 1);
    EXPECT_EQ(ruler.x(), 240);
}

TEST_F(MultiMonSetupDialogTest, AutoDetectShowsTheSystemLocksTheFieldsAndAppliesDetection)
{
    desktop.MonitorList = {kMain, kLeft};
    StartManual(4);
    Open();
    dialog.rbAutoDetect()->click();
    const std::vector<QString> expected[] = {
        {"0", "0", "1920", "1080"}, {"-1280", "0", "1280", "1024"}, {"0", "0", "0", "0"}, {"0", "0", "0", "0"}};
    for (int m = 1; m <= 4; ++m) {
        int i = 0;
        for (F f : {F::Left, F::Top, F::Width, F::Height}) {
            EXPECT_EQ(Text(m, f), expected[m - 1][static_cast<std::size_t>(i++)]) << m;
            EXPECT_FALSE(dialog.ed(m, f)->isEnabled()) << m;
        }
        if (m > 1) {
            EXPECT_EQ(dialog.cbEnable(m)->isChecked(), m == 2) << m;
            EXPECT_FALSE(dialog.cbEnable(m)->isEnabled()) << m;
        }
    }
    EXPECT_TRUE(dialog.btnApply()->isEnabled());
    QTest::mouseClick(dialog.btnApply(), Qt::LeftButton);
    EXPECT_FALSE(ruler.State.ManualCfg);
    EXPECT_EQ(ruler.State.MonitorCount, 2);
    EXPECT_EQ(ruler.State.MonitorRects[1], kLeft);

    // Back to manual: the fields open again for the committed two monitors.
    dialog.rbCustomSettings()->click();
    EXPECT_TRUE(dialog.ed(2, F::Left)->isEnabled());
    EXPECT_TRUE(dialog.cbEnable(3)->isEnabled());
    EXPECT_FALSE(dialog.ed(3, F::Left)->isEnabled());
}

TEST_F(MultiMonSetupDialogTest, CancelAndReactivationDropWhatWasNotApplied)
{
    StartManual(2);
    Open();
    Type(1, F::Width, QStringLiteral("1280"));
    QTest::mouseClick(dialog.btnApply(), Qt::LeftButton);
    Type(1, F::Height, QStringLiteral("1024"));
    dialog.cbEnable(2)->click();
    QTest::mouseClick(dialog.btnCancel(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    // What Apply committed stays; what came after does not.
    EXPECT_EQ(ruler.State.MonitorRects[0], (MonitorRect{0, 0, 1280, 1080}));
    EXPECT_EQ(ruler.State.MonitorCount, 2);

    Open();
    EXPECT_EQ(Text(1, F::Width), QStringLiteral("1280"));
    EXPECT_EQ(Text(1, F::Height), QStringLiteral("1080"));
    EXPECT_TRUE(dialog.cbEnable(2)->isChecked());
    EXPECT_EQ(Text(2, F::Left), QStringLiteral("-1280"));

    // Another window takes the keyboard while typing is pending; coming back
    // reads the state again.
    Type(2, F::Left, QStringLiteral("abc"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(Text(2, F::Left), QStringLiteral("abc"));  // leaving the window validates nothing
    ActivateDialog();
    EXPECT_EQ(Text(2, F::Left), QStringLiteral("-1280"));
    EXPECT_FALSE(dialog.btnApply()->isEnabled());
}

TEST_F(MultiMonSetupDialogTest, HelpOpensTheMultipleMonitorsTopic)
{
    Open();
    QTest::mouseClick(dialog.btnHelp(), Qt::LeftButton);
    EXPECT_EQ(shell.HelpTopics, std::vector<std::string>{"2B_Behavior.htm#Multiple"});
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
