#include "dialogs/AboutDialog.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "RulerFixture.h"
#include "lang/Languages.h"
#include "platform/QtFlagLoader.h"
#include "support/TempDir.h"

// Readable failure messages (found by argument-dependent lookup).
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

class AboutDialogTest : public RulerFixture {
protected:
    ~AboutDialogTest() override
    {
        about.hide();
        Languages().LoadLanguages(home.Path() / "none", noFlags);
    }

    // Shown as the ABOUT command shows it, and active.
    void Open()
    {
        about.show();
        about.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    }

    struct NoFlags : IFlagLoader {
        std::optional<TBitmap32> LoadFlag(const std::filesystem::path&) override { return std::nullopt; }
    } noFlags;
    QtFlagLoader flags;
    TempDir home;
    TfrmAbout about{ruler.Commands, shell};
};

// Counts the re-stackings a registered tool window goes through.
class RaiseCounter : public QObject {
public:
    int Raises = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::ZOrderChange) ++Raises;
        return false;
    }
};

TEST_F(AboutDialogTest, ControlsSitInTheirPlacesInsideTheClientArea)
{
    about.SetAnchor(&ruler);
    ruler.StartUp();
    ruler.show();
    Open();
    EXPECT_EQ(about.size(), QSize(572, 362));
    EXPECT_FALSE(about.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(about.isModal());

    struct Case {
        QWidget* Control;
        QRect Bounds;  // an empty size: sized to its text
        int FontPixels;
        bool Bold;
    };
    const Case cases[] = {
        {about.Label1(), {24, 24, 0, 0}, 19, true},   {about.Label2(), {24, 48, 0, 0}, 13, false},
        {about.Label4(), {24, 80, 0, 0}, 13, false},  {about.Label3(), {24, 324, 0, 0}, 13, false},
        {about.OkButton(), {136, 284, 81, 25}, 0, 0}, {about.HelpButton(), {224, 284, 81, 25}, 0, 0},
    };
    const QRect client(0, 0, 572, 362);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control->metaObject()->className() + std::string(" at ") + std::to_string(c.Bounds.top()));
        EXPECT_EQ(c.Control->pos(), c.Bounds.topLeft());
        if (!c.Bounds.isEmpty()) {
            EXPECT_EQ(c.Control->size(), c.Bounds.size());
        }
        EXPECT_TRUE(client.contains(c.Control->geometry())) << "cut off by the window's edge";
        if (c.FontPixels == 0) continue;
        EXPECT_EQ(c.Control->font().pixelSize(), c.FontPixels);
        EXPECT_EQ(QFontInfo(c.Control->font()).bold(), c.Bold);
        // Whole text shown, left of the picture's frame.
        const auto* label = static_cast<QLabel*>(c.Control);
        EXPECT_GE(label->width(), label->sizeHint().width());
        EXPECT_LT(label->geometry().right(), TfrmAbout::kPictureLeft - 2);
    }
    // The instructions end above the buttons.
    EXPECT_LT(about.Label4()->geometry().bottom(), about.OkButton()->y());
    EXPECT_EQ(about.Label4()->text().count(QLatin1Char('\n')), 4);
    // Help first, then OK.
    about.HelpButton()->setFocus();
    QTest::keyClick(&about, Qt::Key_Tab);
    EXPECT_EQ(about.focusWidget(), about.OkButton());
    // Centred on the ruler's screen.
    const QScreen* screen = ruler.screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_LE((about.frameGeometry().center() - screen->availableGeometry().center()).manhattanLength(), 1);
}

TEST_F(AboutDialogTest, TextsComeFromTheLanguageActiveWhenItIsShown)
{
    Open();
    EXPECT_EQ(about.windowTitle(), QStringLiteral(" About..."));
    EXPECT_EQ(about.Label1()->text(), QStringLiteral("Scalio"));
    EXPECT_EQ(about.Label2()->text(), QStringLiteral("Version: 3.35"));
    EXPECT_EQ(about.Label3()->text(), QStringLiteral("Scalio is made by Vendra. All rights reserved."));
    EXPECT_TRUE(about.Label4()->text().startsWith(QStringLiteral("Brief instructions:\n    Use left mouse")));
    EXPECT_EQ(about.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(about.HelpButton()->text(), QStringLiteral("Help"));
    const int englishWidth = about.Label3()->width();
    about.OkButton()->click();

    // Switched while the dialog is hidden.
    Languages().LoadLanguages(SCALIO_SOURCE_DIR "/Languages", flags);
    ruler.Commands.BuildMenus();
    ruler.Commands.menuAnyLangClick(0);
    ASSERT_EQ(CurrentLanguage(), "DE");
    Open();
    EXPECT_EQ(about.windowTitle(), QStringLiteral(" \u00DCber..."));
    EXPECT_EQ(about.Label1()->text(), QStringLiteral("Scalio"));
    EXPECT_EQ(about.Label2()->text(), QStringLiteral("Version: 3.35"));
    EXPECT_EQ(about.Label3()->text(), QStringLiteral("Scalio ist ein Produkt von Vendra. Alle Rechte vorbehalten."));
    EXPECT_EQ(about.Label4()->text(),
              QString::fromStdU16String(GetLangText(204)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_FALSE(about.Label4()->text().startsWith(QStringLiteral("Brief instructions")));
    EXPECT_EQ(about.HelpButton()->text(), QStringLiteral("Hilfe"));
    // Labels follow their new texts' length.
    EXPECT_GT(about.Label3()->width(), englishWidth);
    EXPECT_TRUE(QRect(0, 0, 572, 362).contains(about.Label3()->geometry()));
}

TEST_F(AboutDialogTest, BackgroundIsHorizontalBandsWithASunkenWhiteFrameRoundThePicture)
{
    const TBitmap32& back = about.Background();
    ASSERT_EQ(back.Width(), 572);
    ASSERT_EQ(back.Height(), 362);
    // Grey edges, white middle rows, the same along each row.
    // Row 90: 192 + trunc(90 x 63 / 181) = 223.
    struct Row {
        int Y;
        TColor32 Colour;
    };
    for (const Row r : {Row{0, 0xFFC0C0C0u}, Row{361, 0xFFC0C0C0u}, Row{180, 0xFFFFFFFFu}, Row{181, 0xFFFFFFFFu},
                        Row{90, 0xFFDFDFDFu}, Row{271, 0xFFDFDFDFu}})
        for (const int x : {0, 300, 571}) EXPECT_EQ(back.Pixel(x, r.Y), r.Colour) << x << ", " << r.Y;

    // Frame from (382, 22) to (550, 340) exclusive: the outer ring black at the
    // top and left, white at the bottom and right; the inner ring halfway.
    const auto half = [&](int y, bool darker) {
        const TColor32 p = back.Pixel(300, y);  // the gradient of that row
        const int v = static_cast<int>(p & 0xFF);
        const int e = darker ? v - v / 2 : v + (255 - v) / 2;
        return 0xFF000000u | static_cast<TColor32>(e * 0x010101);
    };
    struct Pixel {
        int X, Y;
        TColor32 Colour;
    };
    const Pixel frame[] = {
        {382, 22, 0xFF000000u},
        {548, 22, 0xFF000000u},
        {382, 338, 0xFF000000u},
        {383, 339, 0xFFFFFFFFu},
        {549, 339, 0xFFFFFFFFu},
        {549, 23, 0xFFFFFFFFu},
        {400, 23, half(23, true)},
        {383, 200, half(200, true)},
        {400, 338, half(338, false)},
        {548, 200, half(200, false)},
        // Corners the rings leave alone, and the picture's own place.
        {549, 22, back.Pixel(300, 22)},
        {382, 339, back.Pixel(300, 339)},
        {384, 24, back.Pixel(300, 24)},
    };
    for (const Pixel& p : frame) EXPECT_EQ(back.Pixel(p.X, p.Y), p.Colour) << p.X << ", " << p.Y;

    // On screen: the background, the frame and the picture inside it.
    ASSERT_EQ(about.Picture().size(), QSize(164, 314));
    const QImage shot = about.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixel(10, 180), 0xFFFFFFFFu);
    EXPECT_EQ(shot.pixel(382, 100), 0xFF000000u);
    EXPECT_EQ(shot.pixel(549, 100), 0xFFFFFFFFu);
    const QImage picture = about.Picture().convertToFormat(QImage::Format_RGB32);
    for (const QPoint at : {QPoint(0, 0), QPoint(163, 313), QPoint(40, 150)})
        EXPECT_EQ(shot.pixel(at + QPoint(384, 24)), picture.pixel(at)) << at.x() << ", " << at.y();
}

TEST_F(AboutDialogTest, OkAndHelpCloseTheDialogAndHelpOpensTheStartPage)
{
    struct Case {
        const char* Button;
        std::vector<std::string> Topics;
    };
    for (const Case& c : {Case{"OK", {}}, Case{"Help", {""}}}) {
        SCOPED_TRACE(c.Button);
        shell.HelpTopics.clear();
        Open();
        (std::string(c.Button) == "OK" ? about.OkButton() : about.HelpButton())->click();
        EXPECT_FALSE(about.isVisible());
        EXPECT_EQ(shell.HelpTopics, c.Topics);
    }
}

TEST_F(AboutDialogTest, ActivationAndClosingRestackTheRulerWindows)
{
    ruler.StartUp();
    ruler.show();
    ruler.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ruler));
    RaiseCounter counter;
    ruler.installEventFilter(&counter);

    Open();
    EXPECT_GE(counter.Raises, 1) << "activation";
    counter.Raises = 0;
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_GE(counter.Raises, 1) << "closing";
    ruler.removeEventFilter(&counter);
}

}  // namespace
