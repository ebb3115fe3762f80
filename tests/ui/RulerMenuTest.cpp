#include "ruler/RulerMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "RulerFixture.h"
#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "ruler/RulerWindow.h"
#include "support/Fakes.h"
#include "support/FixedTextRasterizer.h"
#include "support/TempDir.h"

namespace {

class RulerMenuTest : public RulerFixture {
protected:
    ~RulerMenuTest() override { Languages().LoadLanguages(home.Path() / "none", noFlags); }

    // The program's own language folder.
    void LoadShippedLanguages() { Languages().LoadLanguages(SCALIO_SOURCE_DIR "/Languages", flags); }
    void Start()
    {
        ruler.Commands.BuildMenus();
        ruler.StartUp();
    }
    QAction* A(TMenuId id, int index = 0) { return ruler.Commands.Menu()->Action({id, index}); }
    QString Caption(TMenuId id, int index = 0) { return A(id, index)->text().section(QLatin1Char('\t'), 0, 0); }

    struct NoFlags : IFlagLoader {
        std::optional<TBitmap32> LoadFlag(const std::filesystem::path&) override { return std::nullopt; }
    } noFlags;
    QtFlagLoader flags;
    TempDir home;
};

TEST_F(RulerMenuTest, MenuMirrorsTheStateWithKeysBesideTheCaptions)
{
    Start();
    EXPECT_EQ(A(TMenuId::menuStickToMouse)->text(), QStringLiteral("Stick to Mouse\tCtrl+S"));
    EXPECT_EQ(A(TMenuId::menuRotate)->text(), QStringLiteral("Rotate 90\u00B0\tCtrl+R"));
    EXPECT_EQ(A(TMenuId::MenuOpaque)->text(), QStringLiteral("Opaque\tCtrl+Shift+F1"));
    EXPECT_EQ(Caption(TMenuId::menuCustomSize), QStringLiteral("Custom: 640 px"));
    EXPECT_TRUE(A(TMenuId::menu075Size)->isChecked());
    EXPECT_TRUE(A(TMenuId::Menu20Percent)->isChecked());
    EXPECT_FALSE(A(TMenuId::Menu20Percent)->isEnabled());
    EXPECT_FALSE(A(TMenuId::menuResolution)->isEnabled());
    EXPECT_FALSE(ruler.Commands.Menu()->ColorCell(0)->isEnabled());
    EXPECT_TRUE(ruler.Commands.Menu()->ColorCell(15)->isEnabled());
    EXPECT_FALSE(A(TMenuId::menuLangSeparator)->isVisible());

    // The mirror follows commands by key and by menu.
    QTest::keyClick(&ruler, Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(ruler.State.Rotate);
    A(TMenuId::menuCM)->trigger();
    EXPECT_EQ(ruler.State.Units, TUnits::Centimeters);
    ruler.Commands.RefreshMenu();
    EXPECT_TRUE(A(TMenuId::menuRotate)->isChecked());
    EXPECT_TRUE(A(TMenuId::menuResolution)->isEnabled());
    EXPECT_EQ(Caption(TMenuId::menuAxisLocked), QStringLiteral("Horizontal Moves Only"));
    EXPECT_FALSE(A(TMenuId::menuUp)->isEnabled());
    EXPECT_TRUE(A(TMenuId::menuLeft)->isEnabled());
}

TEST_F(RulerMenuTest, KeysRunTheFirstItemThatCarriesThem)
{
    Start();
    QTest::keyClick(&ruler, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(ruler.State.StickToMouse);
    EXPECT_FALSE(ruler.State.Scale);
    ruler.Commands.RunMenuItem({TMenuId::menuAdvanced});
    EXPECT_FALSE(A(TMenuId::menuStickToMouse)->isVisible());
    QTest::keyClick(&ruler, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(ruler.State.StickToMouse);

    QTest::keyClick(&ruler, Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(ruler.State.Color, 15);
    QTest::keyClick(&ruler, Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ruler.State.Transparency, TTransparency::Opaque);
    QTest::keyClick(&ruler, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(ruler.State.Size, TRulerSize::Full);
    EXPECT_TRUE(ruler.State.AxisLocked);
    // An arrow is no menu key: it nudges the ruler.
    const int top = ruler.y();
    QTest::keyClick(&ruler, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(ruler.y(), top + 10);
}

TEST_F(RulerMenuTest, ColourSubmenuShowsTwoColumnsOfEight)
{
    Start();
    QMenu* colors = ruler.Commands.Menu()->Submenu(TMenuId::menuColorSubmenu);
    colors->popup(QPoint(10, 10));
    QApplication::processEvents();
    for (int i = 0; i < 16; ++i) {
        QToolButton* cell = ruler.Commands.Menu()->ColorCell(i);
        EXPECT_EQ(cell->x() > ruler.Commands.Menu()->ColorCell(0)->x(), i >= 8) << i;
        if (i % 8) {
            EXPECT_GT(cell->y(), ruler.Commands.Menu()->ColorCell(i - 1)->y()) << i;
        }
    }
    const auto part = [&](int i, const char* name) {
        return ruler.Commands.Menu()->ColorCell(i)->findChild<QLabel*>(QLatin1String(name))->text();
    };
    EXPECT_EQ(part(0, "caption"), QStringLiteral("White"));
    EXPECT_EQ(part(0, "keys"), QStringLiteral("Ctrl+F1"));
    EXPECT_EQ(part(15, "keys"), QStringLiteral("Ctrl+F9"));
    EXPECT_EQ(part(9, "keys"), QString());
    EXPECT_FALSE(ruler.Commands.Menu()->ColorCell(0)->findChild<QLabel*>(QStringLiteral("icon"))->pixmap().isNull());
    ruler.Commands.Menu()->ColorCell(4)->click();
    EXPECT_EQ(ruler.State.Color, 4);
    colors->hide();
}

TEST_F(RulerMenuTest, RightClickOpensTheMenu)
{
    Start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(100, 30), ruler.mapToGlobal(QPoint(100, 30)));
    QApplication::sendEvent(&ruler, &event);
    EXPECT_TRUE(ruler.Commands.Menu()->RightMenu()->isVisible());
    ruler.Commands.Menu()->RightMenu()->hide();
}

TEST_F(RulerMenuTest, GermanReCaptionsTheMenu)
{
    LoadShippedLanguages();
    Start();
    ASSERT_GE(LanguageCount(), 1);
    EXPECT_TRUE(A(TMenuId::menuLangSeparator)->isVisible());
    EXPECT_EQ(Caption(TMenuId::LangMenuItem, 0), QStringLiteral("Deutsch"));
    EXPECT_TRUE(A(TMenuId::menuEN)->isChecked());
    A(TMenuId::LangMenuItem, 0)->trigger();
    EXPECT_EQ(CurrentLanguage(), "DE");
    EXPECT_EQ(ruler.State.Language, "DE");
    EXPECT_TRUE(A(TMenuId::LangMenuItem, 0)->isChecked());
    EXPECT_EQ(Caption(TMenuId::menuExit), QString::fromStdU16String(GetLangText(88)));
    EXPECT_NE(Caption(TMenuId::menuExit), QStringLiteral("Exit"));
    EXPECT_EQ(Caption(TMenuId::menuEN), QStringLiteral("English"));
    EXPECT_EQ(Caption(TMenuId::Menu30Percent), QStringLiteral("30%"));
    // The flag shows, its bottom-left colour made transparent.
    EXPECT_FALSE(A(TMenuId::LangMenuItem, 0)->icon().isNull());
    const QImage flag = A(TMenuId::LangMenuItem, 0)->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(qAlpha(flag.pixel(0, 15)), 0);
    A(TMenuId::menuEN)->trigger();
    EXPECT_EQ(Caption(TMenuId::menuExit), QStringLiteral("Exit"));
}

TEST_F(RulerMenuTest, StartupLanguageFallsBackToEnglish)
{
    LoadShippedLanguages();
    ruler.Commands.BuildMenus();
    ruler.Commands.ChooseStartupLanguage("de");  // codes compare exactly
    EXPECT_EQ(CurrentLanguage(), "EN");
    ruler.Commands.ChooseStartupLanguage("PL");
    EXPECT_EQ(CurrentLanguage(), "EN");
    ruler.Commands.ChooseStartupLanguage("DE");
    EXPECT_EQ(CurrentLanguage(), "DE");
    EXPECT_EQ(ruler.Commands.CheckedLanguage(), 0);
}

}  // namespace

namespace {

// Keys go where a person's would: to the open popup.
void Press(Qt::Key key)
{
    QWidget* target = QApplication::activePopupWidget();
    ASSERT_NE(target, nullptr);
    if (QWidget* focus = target->focusWidget()) target = focus;
    QTest::keyClick(target, key);
}

TEST_F(RulerMenuTest, ColoursAreChosenWithTheKeyboardToo)
{
    Start();
    ruler.Commands.Menu()->RightMenu()->popup(QPoint(0, 0));
    QApplication::processEvents();
    // COLOR is the thirteenth item from the top.
    for (int i = 0; i < 13; ++i) Press(Qt::Key_Down);
    ASSERT_EQ(ruler.Commands.Menu()->RightMenu()->activeAction(), A(TMenuId::menuColorSubmenu));
    Press(Qt::Key_Right);
    QApplication::processEvents();
    // White is current and skipped: Red, then across to Volcano, then down.
    Press(Qt::Key_Down);
    EXPECT_TRUE(ruler.Commands.Menu()->ColorCell(1)->isChecked());
    Press(Qt::Key_Right);
    EXPECT_TRUE(ruler.Commands.Menu()->ColorCell(9)->isChecked());
    EXPECT_FALSE(ruler.Commands.Menu()->ColorCell(1)->isChecked());
    Press(Qt::Key_Down);
    EXPECT_TRUE(ruler.Commands.Menu()->ColorCell(10)->isChecked());
    Press(Qt::Key_Return);
    EXPECT_EQ(ruler.State.Color, 10);
    EXPECT_FALSE(ruler.Commands.Menu()->RightMenu()->isVisible());
}

}  // namespace

namespace {

void SendKey(QWidget* to, int key, Qt::KeyboardModifiers modifiers, quint32 scanCode)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, scanCode, 0, 0);
    QApplication::sendEvent(to, &press);
}

TEST_F(RulerMenuTest, MonitorKeysAreTheDigitRowWhateverTheLayout)
{
    ruler.State.MonitorCount = 2;
    ruler.State.MonitorRects[1] = {1920, 0, 1280, 1024};
    Start();
    // A layout that types "é" on the digit row's second key.
    SendKey(&ruler, Qt::Key_Eacute, Qt::ControlModifier, 11);
    EXPECT_EQ(ruler.State.ActiveMon, 2);
    // The keypad's 1 is not the digit row's.
    SendKey(&ruler, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier, 87);
    EXPECT_EQ(ruler.State.ActiveMon, 2);
    SendKey(&ruler, Qt::Key_1, Qt::ControlModifier, 10);
    EXPECT_EQ(ruler.State.ActiveMon, 1);
}

}  // namespace
