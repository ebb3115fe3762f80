#include "dialogs/CustomizeDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DialogChecks.h"
#include "RulerFixture.h"
#include "draw/CommonFunctions.h"
#include "platform/QtFlagLoader.h"
#include "support/TempDir.h"

// Readable failure messages (found by argument-dependent lookup).
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

using A = TSpinAction;
using C = TColorChannel;

class CustomizeDialogTest : public RulerFixture {
protected:
    ~CustomizeDialogTest() override
    {
        dialog.hide();
        if (languagesLoaded) Languages().LoadLanguages(home.Path() / "none", noFlags);
    }

    void Start()
    {
        ruler.Commands.BuildMenus();
        ruler.StartUp();
    }
    // Shown as the Custom Settings command shows it, and active.
    void Open()
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // Types into a field as the user does; the field keeps the focus.
    void Type(QLineEdit* e, const QString& text)
    {
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, text);
    }
    QRect InDialog(const QWidget* w) const { return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size()); }

    struct NoFlags : IFlagLoader {
        std::optional<TBitmap32> LoadFlag(const std::filesystem::path&) override { return std::nullopt; }
    } noFlags;
    QtFlagLoader flagLoader;
    TempDir home;
    bool languagesLoaded = false;
    TfrmCustomize dialog{ruler.State, ruler.Commands, shell, fixed, u'.'};
};

TEST_F(CustomizeDialogTest, ControlsStandWhereTheTableSaysAndTakeTheirLengths)
{
    Open();
    EXPECT_EQ(dialog.geometry().size(), QSize(665, 289));
    ExpectModelessWithoutTitleBarButtons(dialog);

    struct Case {
        const char* name;
        const QWidget* widget;
        QRect inDialog;
    };
    // Group contents are placed relative to their group (16, 16 and 296, 16).
    const Case cases[] = {
        {"gbScale", dialog.gbScale(), {16, 16, 265, 129}},
        {"edName", dialog.edName(), {16 + 136, 16 + 20, 113, 21}},
        {"edAbb", dialog.edAbb(), {16 + 136, 16 + 44, 49, 21}},
        // The shipped unit types the numerator, which covers its own button.
        {"edUMR1", dialog.edUMR1(), {16 + 136, 16 + 68, 49, 21}},
        {"edUMR2", dialog.edUMR2(), {16 + 200, 16 + 68, 31, 21}},
        {"SpeedButton2", dialog.SpeedButton(2), {16 + 231, 16 + 68, 18, 21}},
        {"edMag1", dialog.edMag1(), {16 + 136, 16 + 92, 31, 21}},
        {"SpeedButton3", dialog.SpeedButton(3), {16 + 167, 16 + 92, 18, 21}},
        {"edMag2", dialog.edMag2(), {16 + 200, 16 + 92, 49, 21}},
        {"edResolution", dialog.edResolution(), {152, 160, 73, 21}},
        {"sbResolutionUp", dialog.SpinButton(A::ResolutionUp), {226, 160, 15, 10}},
        {"sbResolutionDown", dialog.SpinButton(A::ResolutionDown), {226, 171, 15, 10}},
        {"edSizePercent", dialog.edSizePercent(), {152, 192, 73, 21}},
        {"rbSizePercent", dialog.rbSizePercent(), {248, 192, 33, 21}},
        {"sbSizePixelDown", dialog.SpinButton(A::PixelsDown), {226, 227, 15, 10}},
        {"rbSizePixel", dialog.rbSizePixel(), {248, 216, 33, 21}},
        {"edTrans", dialog.edTrans(), {152, 248, 73, 21}},
        {"sbTransDown", dialog.SpinButton(A::TransparencyDown), {226, 259, 15, 10}},
        {"gbColor", dialog.gbColor(), {296, 16, 353, 217}},
        {"rbShadow", dialog.rbShadow(), {296 + 184, 16 + 20, 153, 21}},
        {"sbGreen", dialog.sbColor(C::Green), {296 + 16, 16 + 72, 281, 17}},
        {"imgColor", dialog.imgColor(), {296 + 16, 16 + 136, 321, 60}},
        {"btnOK", dialog.btnOK(), {296, 248, 113, 25}},
        {"btnHelp", dialog.btnHelp(), {416, 248, 113, 25}},
        {"btnCancel", dialog.btnCancel(), {536, 248, 113, 25}},
    };
    for (const Case& c : cases) EXPECT_EQ(InDialog(c.widget), c.inDialog) << c.name;
    EXPECT_FALSE(dialog.SpeedButton(1)->isVisible());
    EXPECT_FALSE(dialog.SpeedButton(4)->isVisible());
    EXPECT_EQ(InDialog(dialog.labelResolution()).topLeft(), QPoint(32, 163));
    EXPECT_EQ(InDialog(dialog.labelColor(C::Blue)).topLeft(), QPoint(296 + 304, 16 + 98));

    const std::pair<QLineEdit*, int> lengths[] = {
        {dialog.edName(), 20},     {dialog.edAbb(), 3},  {dialog.edUMR1(), 5},       {dialog.edUMR2(), 5},
        {dialog.edMag1(), 7},      {dialog.edMag2(), 7}, {dialog.edResolution(), 4}, {dialog.edSizePercent(), 3},
        {dialog.edSizePixel(), 4}, {dialog.edTrans(), 3}};
    for (const auto& [edit, length] : lengths) EXPECT_EQ(edit->maxLength(), length) << edit->text().toStdString();
    const QScrollBar* red = dialog.sbColor(C::Red);
    EXPECT_EQ(red->minimum(), 0);
    EXPECT_EQ(red->maximum(), 255);
    EXPECT_EQ(red->pageStep(), 16);

    if (QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) {
        const QFontInfo info(dialog.edName()->font());
        EXPECT_EQ(info.family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(info.pixelSize(), 11);
    }
}

TEST_F(CustomizeDialogTest, TabRunsThroughTheScaleTheSizesTheButtonsThenTheColours)
{
    Open();
    // Every ratio side takes part; make both typeable for the walk.
    std::map<const QWidget*, std::string> names;
    std::vector<std::string> expected;
    const auto add = [&](const QWidget* w, std::string name) {
        names[w] = name;
        expected.push_back(std::move(name));
    };
    add(dialog.edName(), "edName");
    add(dialog.edAbb(), "edAbb");
    add(dialog.edUMR1(), "edUMR1");
    add(dialog.edMag2(), "edMag2");
    add(dialog.edResolution(), "edResolution");
    add(dialog.edSizePixel(), "edSizePixel");
    add(dialog.rbSizePercent(), "rbSizePercent");
    add(dialog.edTrans(), "edTrans");
    add(dialog.btnOK(), "btnOK");
    add(dialog.btnCancel(), "btnCancel");
    add(dialog.btnHelp(), "btnHelp");
    add(dialog.sbColor(C::Red), "sbRed");
    add(dialog.sbColor(C::Green), "sbGreen");
    add(dialog.sbColor(C::Blue), "sbBlue");
    add(dialog.rbHighlight(), "rbHighlight");
    names[dialog.rbSizePixel()] = "rbSizePixel";
    names[dialog.rbShadow()] = "rbShadow";
    dialog.edName()->setFocus(Qt::TabFocusReason);
    std::vector<std::string> walked;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QWidget* w = QApplication::focusWidget();
        walked.push_back(names.count(w) ? names[w] : "other");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The disabled ratio sides and the size field not chosen are skipped; a
    // radio group is one stop (its first button; the arrow keys move within
    // it); spin and speed buttons never take the focus.
    EXPECT_EQ(walked, expected);
    for (A a : {A::ResolutionUp, A::PixelsDown, A::TransparencyUp})
        EXPECT_EQ(dialog.SpinButton(a)->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(dialog.SpeedButton(2)->focusPolicy(), Qt::NoFocus);
}

TEST_F(CustomizeDialogTest, LeavingAFieldCorrectsIt)
{
    Open();
    struct Case {
        QLineEdit* field;
        QString typed, expected;
    };
    const Case cases[] = {
        {dialog.edResolution(), "abc", "150"}, {dialog.edResolution(), "5000", "2400"},
        {dialog.edResolution(), "10", "50"},   {dialog.edUMR1(), "0.5", "1"},
        {dialog.edUMR1(), "20000", "10000"},   {dialog.edMag2(), "2000000", "1000000"},
        {dialog.edUMR1(), "2,5", "2.5"},       {dialog.edTrans(), "99", "80"},
        {dialog.edSizePixel(), "", "800"},
    };
    for (const Case& c : cases) {
        Type(c.field, c.typed);
        EXPECT_EQ(c.field->text(), c.typed.left(c.field->maxLength())) << "corrected before leaving";
        QTest::keyClick(c.field, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), c.field);
        EXPECT_EQ(c.field->text(), c.expected) << c.typed.toStdString();
    }
    // Name and abbreviation are taken as typed, an empty one included.
    Type(dialog.edName(), "");
    QTest::keyClick(dialog.edName(), Qt::Key_Tab);
    EXPECT_EQ(dialog.edName()->text(), QString());
}

TEST_F(CustomizeDialogTest, TheSideBesideAOneIsTypedAndSpeedButtonsSwapTheSides)
{
    Open();
    // The shipped unit, 1000 : 1 metres and 1 : 100000.
    EXPECT_EQ(dialog.edUMR1()->text(), "1000");
    EXPECT_TRUE(dialog.edUMR1()->isEnabled());
    EXPECT_FALSE(dialog.edUMR2()->isEnabled());
    EXPECT_EQ(dialog.edUMR2()->text(), "1");
    EXPECT_FALSE(dialog.edMag1()->isEnabled());
    EXPECT_TRUE(dialog.edMag2()->isEnabled());
    EXPECT_EQ(dialog.edMag2()->text(), "100000");
    // The fixed side looks like the dialog, the typed side like a field.
    EXPECT_NE(dialog.edUMR2()->palette().color(QPalette::Base), dialog.edUMR1()->palette().color(QPalette::Base));

    QTest::mouseClick(dialog.SpeedButton(2), Qt::LeftButton);
    EXPECT_EQ(dialog.edUMR1()->text(), "1");
    EXPECT_FALSE(dialog.edUMR1()->isEnabled());
    EXPECT_EQ(dialog.edUMR1()->width(), 31);
    EXPECT_TRUE(dialog.SpeedButton(1)->isVisible());
    EXPECT_TRUE(dialog.edUMR2()->isEnabled());
    EXPECT_EQ(dialog.edUMR2()->width(), 49);
    EXPECT_FALSE(dialog.SpeedButton(2)->isVisible());
    Type(dialog.edUMR2(), "250");

    QTest::mouseClick(dialog.SpeedButton(3), Qt::LeftButton);
    EXPECT_EQ(dialog.edMag2()->text(), "1");
    EXPECT_FALSE(dialog.edMag2()->isEnabled());
    EXPECT_TRUE(dialog.edMag1()->isEnabled());
    EXPECT_EQ(dialog.edUMR2()->text(), "250");

    dialog.btnOK()->click();
    EXPECT_EQ(ruler.State.CustomUnit.UnitToMeterA, 1);
    EXPECT_EQ(ruler.State.CustomUnit.UnitToMeterB, 250);
    EXPECT_EQ(ruler.State.CustomUnit.MagnificationA, 1);
    EXPECT_EQ(ruler.State.CustomUnit.MagnificationB, 1);

    // Shown again, the stored ratio types the denominator.
    Open();
    EXPECT_FALSE(dialog.edUMR1()->isEnabled());
    EXPECT_TRUE(dialog.edUMR2()->isEnabled());
}

TEST_F(CustomizeDialogTest, TheSizeSwitchAlwaysStartsFromTheStoredSize)
{
    struct Case {
        int stored;
        bool inPixels;
        QString percent, pixels;
    };
    const Case cases[] = {{640, true, "85", "640"}, {50, false, "50", "800"}};
    for (const Case& c : cases) {
        ruler.State.CustomSize = c.stored;
        ruler.State.CustomSizeInPixels = c.inPixels;
        Open();
        EXPECT_EQ(dialog.rbSizePixel()->isChecked(), c.inPixels);
        QTest::mouseClick(c.inPixels ? dialog.rbSizePercent() : dialog.rbSizePixel(), Qt::LeftButton);
        EXPECT_EQ(dialog.edSizePercent()->text(), c.inPixels ? c.percent : QString()) << c.stored;
        EXPECT_EQ(dialog.edSizePixel()->text(), c.inPixels ? QString() : c.pixels) << c.stored;
        EXPECT_EQ(dialog.edSizePixel()->isEnabled(), !c.inPixels);
        EXPECT_EQ(dialog.SpinButton(A::PixelsUp)->isEnabled(), !c.inPixels);
        EXPECT_EQ(dialog.edSizePercent()->isEnabled(), c.inPixels);
        EXPECT_EQ(dialog.SpinButton(A::PercentDown)->isEnabled(), c.inPixels);
        // Back again: the stored size, whatever the other field held.
        Type(dialog.edSizePercent(), "30");
        QTest::mouseClick(c.inPixels ? dialog.rbSizePixel() : dialog.rbSizePercent(), Qt::LeftButton);
        EXPECT_EQ(dialog.edSizePixel()->text(), c.inPixels ? c.pixels : QString()) << c.stored;
        EXPECT_EQ(dialog.edSizePercent()->text(), c.inPixels ? QString() : c.percent) << c.stored;
        dialog.btnCancel()->click();
    }
}

TEST_F(CustomizeDialogTest, HoldingASpinButtonStepsAtOnceThenRepeatsUntilTheLimit)
{
    Open();
    Type(dialog.edResolution(), "2398");
    QToolButton* up = dialog.SpinButton(A::ResolutionUp);
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_EQ(dialog.edResolution()->text(), "2399");
    EXPECT_EQ(dialog.SpinAction(), A::ResolutionUp);
    EXPECT_TRUE(dialog.Scroll()->isActive());
    EXPECT_EQ(dialog.Scroll()->interval(), 500);
    // The field being edited keeps the keyboard.
    EXPECT_EQ(QApplication::focusWidget(), dialog.edResolution());

    dialog.ScrollTimer();
    EXPECT_EQ(dialog.edResolution()->text(), "2400");
    EXPECT_EQ(dialog.Scroll()->interval(), 40);
    dialog.ScrollTimer();
    EXPECT_EQ(dialog.edResolution()->text(), "2400");

    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_FALSE(dialog.Scroll()->isActive());
    EXPECT_EQ(dialog.SpinAction(), A::None);
    // A tick that comes after the release changes nothing.
    dialog.ScrollTimer();
    EXPECT_EQ(dialog.edResolution()->text(), "2400");

    struct Case {
        A action;
        QLineEdit* field;
        QString before, after;
    };
    const Case cases[] = {{A::TransparencyDown, dialog.edTrans(), "0", "0"},
                          {A::TransparencyDown, dialog.edTrans(), "abc", "59"},
                          {A::ResolutionDown, dialog.edResolution(), "51", "50"}};
    for (const Case& c : cases) {
        c.field->setText(c.before);
        QTest::mouseClick(dialog.SpinButton(c.action), Qt::LeftButton);
        EXPECT_EQ(c.field->text(), c.after) << c.before.toStdString();
        EXPECT_FALSE(dialog.Scroll()->isActive());
    }
}

TEST_F(CustomizeDialogTest, OkStoresEveryValueAndTheActiveCustomChoicesTakeEffect)
{
    ruler.State.Size = TRulerSize::Custom;
    ruler.State.CustomSize = 640;
    ruler.State.CustomSizeInPixels = true;
    Start();
    ASSERT_EQ(ruler.width(), 640);
    const ColorScheme before = ruler.State.CurrentScheme;
    Open();
    Type(dialog.edName(), "Leagues");
    Type(dialog.edAbb(), "lgs");
    QTest::mouseClick(dialog.rbSizePercent(), Qt::LeftButton);
    Type(dialog.edSizePercent(), "50");
    Type(dialog.edTrans(), "35");
    dialog.sbColor(C::Red)->setValue(1);
    QTest::mouseClick(dialog.btnOK(), Qt::LeftButton);

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ruler.State.CustomUnit.Name, u"Leagues");
    EXPECT_EQ(ruler.State.CustomUnit.Abbreviation, u"lgs");
    EXPECT_FALSE(ruler.State.CustomSizeInPixels);
    EXPECT_EQ(ruler.State.CustomSize, 50);
    EXPECT_EQ(ruler.State.CustomTransparency, 35);
    EXPECT_EQ(RedComponent(ruler.State.ColorSchemes[kCustomColorScheme].Highlight), 1);
    // The custom size is the active one: half the monitor's width. The custom
    // colours are not, so the ruler keeps its scheme.
    EXPECT_EQ(ruler.width(), 960);
    EXPECT_EQ(ruler.State.CurrentScheme, before);
}

TEST_F(CustomizeDialogTest, CancelAfterMovingTheBarsChangesNothing)
{
    ruler.State.ColorSchemes[kCustomColorScheme] = {0xFF102030u, 0xFF405060u};
    const RulerState stored = ruler.State;
    Open();
    EXPECT_TRUE(dialog.rbHighlight()->isChecked());
    EXPECT_EQ(dialog.sbColor(C::Green)->value(), 0x20);
    EXPECT_EQ(dialog.labelColor(C::Green)->text(), "G: 32");

    dialog.sbColor(C::Red)->setValue(200);
    EXPECT_EQ(dialog.EditHighlight(), 0xFFC82030u);
    EXPECT_EQ(dialog.labelColor(C::Red)->text(), "R: 200");
    // The preview shows the working colours: the bevel's outer ring is the
    // highlight.
    EXPECT_EQ(dialog.imgColor()->pixmap().toImage().pixel(0, 0), 0xFFC82030u);

    // The bars follow the shadow without changing either colour.
    QTest::mouseClick(dialog.rbShadow(), Qt::LeftButton);
    EXPECT_EQ(dialog.sbColor(C::Red)->value(), 0x40);
    EXPECT_EQ(dialog.sbColor(C::Blue)->value(), 0x60);
    EXPECT_EQ(dialog.labelColor(C::Blue)->text(), "B: 96");
    EXPECT_EQ(dialog.EditHighlight(), 0xFFC82030u);
    EXPECT_EQ(dialog.EditShadow(), 0xFF405060u);
    dialog.sbColor(C::Blue)->setValue(0);
    EXPECT_EQ(dialog.EditShadow(), 0xFF405000u);

    dialog.btnCancel()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ruler.State.ColorSchemes, stored.ColorSchemes);
    EXPECT_EQ(ruler.State.CustomUnit, stored.CustomUnit);

    // Shown again: the stored colours, the shadow still chosen.
    Open();
    EXPECT_TRUE(dialog.rbShadow()->isChecked());
    EXPECT_EQ(dialog.sbColor(C::Blue)->value(), 0x60);
    EXPECT_EQ(dialog.EditHighlight(), 0xFF102030u);
}

TEST_F(CustomizeDialogTest, ClosesOnlyThroughOkOrCancel)
{
    Open();
    QTest::keyClick(dialog.edName(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(dialog.edName(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(dialog.isVisible());
    dialog.btnCancel()->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(CustomizeDialogTest, CaptionsFollowTheLanguageOnEveryActivation)
{
    Languages().LoadLanguages(SCALIO_SOURCE_DIR "/Languages", flagLoader);
    languagesLoaded = true;
    Start();
    Open();
    struct Case {
        const char* name;
        std::function<QString()> caption;
        int id;
        QString english;
    };
    const Case cases[] = {
        {"window", [&] { return dialog.windowTitle(); }, 87, "Custom Settings"},
        {"gbScale", [&] { return dialog.gbScale()->title(); }, 139, " Scale Units "},
        {"gbColor", [&] { return dialog.gbColor()->title(); }, 79, " Color "},
        {"labelName", [&] { return dialog.labelName()->text(); }, 140, "Name (plural)"},
        {"labelMag", [&] { return dialog.labelMag()->text(); }, 143, "Magnification"},
        {"labelTrans", [&] { return dialog.labelTrans()->text(); }, 77, "Transparency"},
        {"rbShadow", [&] { return dialog.rbShadow()->text(); }, 148, "Shadow Color"},
        {"btnCancel", [&] { return dialog.btnCancel()->text(); }, 101, "Cancel"},
        {"btnHelp", [&] { return dialog.btnHelp()->text(); }, 84, "Help"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.caption(), c.english) << c.name;
    EXPECT_EQ(dialog.rbSizePixel()->text(), "px");
    EXPECT_EQ(dialog.labelDPI()->text(), "dpi");

    ruler.Commands.RunMenuItem({TMenuId::LangMenuItem, 0});
    ASSERT_EQ(CurrentLanguage(), "DE");
    dialog.FormActivate();
    for (const Case& c : cases) {
        QString german = QString::fromStdU16String(GetLangText(c.id));
        if (c.english.startsWith(' ')) german = ' ' + german + ' ';
        EXPECT_EQ(c.caption(), german) << c.name;
        EXPECT_NE(c.caption(), c.english) << c.name;
    }
}

TEST_F(CustomizeDialogTest, HelpOpensTheCustomSettingsTopic)
{
    Open();
    QTest::mouseClick(dialog.btnHelp(), Qt::LeftButton);
    EXPECT_EQ(shell.HelpTopics, std::vector<std::string>{"2F_General.htm#Custom"});
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
