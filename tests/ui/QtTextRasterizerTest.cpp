#include "platform/QtTextRasterizer.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontInfo>
#include <QRawFont>
#include <QtEndian>

#include <optional>
#include <string>

#include "draw/Bitmap32.h"
#include "draw/CommonFunctions.h"

namespace {

TEST(QtTextRasterizer, ResolvesTahomaOnAMachineWithWineFonts)
{
    if (!QFileInfo::exists(QString::fromLatin1(kWineTahomaBold))) GTEST_SKIP() << "fonts-wine is not installed";
    QtTextRasterizer r;
    EXPECT_EQ(r.TahomaFamily(), QStringLiteral("Tahoma"));
}

TEST(QtTextRasterizer, MeasuresAndDrawsTheSameCell)
{
    QtTextRasterizer r;
    const TFont32 font;
    const int w = r.TextWidth(font, u"1234567890");
    const int h = r.TextHeight(font, u"1234567890");
    EXPECT_GT(w, 40);
    EXPECT_GE(h, 14);
    EXPECT_LE(h, 20);
    EXPECT_EQ(r.TextWidth(font, u"12") * 2, r.TextWidth(font, u"1212"));

    const TTextCoverage cov = r.Render(font, u"88");
    EXPECT_EQ(cov.Width, r.TextWidth(font, u"88"));
    EXPECT_EQ(cov.Height, h);
    int covered = 0;
    for (auto c : cov.Covered) covered += c != 0;
    EXPECT_GT(covered, 20);
    EXPECT_LT(covered, cov.Width * cov.Height / 2);

    const TTextCoverage blank = r.Render(font, u"   ");
    for (auto c : blank.Covered) EXPECT_EQ(c, 0);
}

// A big-endian field of a font table; 0 past its end, so that a short table
// reads as no data rather than as garbage.
template <typename T>
T Field(const QByteArray& table, qsizetype at)
{
    if (at < 0 || at + static_cast<qsizetype>(sizeof(T)) > table.size()) return T{};
    return qFromBigEndian<T>(table.constData() + at);
}

// A glyph as the face itself draws it at one pixel size: its one-bit bitmap
// as rows of '#' and '.', and its advance.
struct TOwnGlyph {
    std::string Art;
    int Advance = 0;
};

// Read from the face's bitmap tables (EBLC/EBDT); nothing when it has no
// bitmap there. Only the layout the free Tahoma uses is read: offsets per
// glyph (index format 1), bit-packed rows after small metrics (image format 2).
std::optional<TOwnGlyph> OwnBitmap(const QRawFont& face, quint32 glyph, int pixels)
{
    const QByteArray index = face.fontTable("EBLC");
    const QByteArray data = face.fontTable("EBDT");
    const auto sizes = Field<quint32>(index, 4);
    for (quint32 i = 0; i < sizes; ++i) {
        const qsizetype size = 8 + 48 * static_cast<qsizetype>(i);
        if (Field<quint8>(index, size + 45) != pixels || Field<quint8>(index, size + 46) != 1) continue;
        const qsizetype subtables = Field<quint32>(index, size);
        for (quint32 j = 0; j < Field<quint32>(index, size + 8); ++j) {
            const qsizetype entry = subtables + 8 * static_cast<qsizetype>(j);
            const quint16 first = Field<quint16>(index, entry);
            if (glyph < first || glyph > Field<quint16>(index, entry + 2)) continue;
            const qsizetype header = subtables + Field<quint32>(index, entry + 4);
            if (Field<quint16>(index, header) != 1 || Field<quint16>(index, header + 2) != 2) return std::nullopt;
            const qsizetype at = Field<quint32>(index, header + 4) +
                                 Field<quint32>(index, header + 8 + 4 * static_cast<qsizetype>(glyph - first));
            const int height = Field<quint8>(data, at);
            const int width = Field<quint8>(data, at + 1);
            TOwnGlyph own{{}, Field<quint8>(data, at + 4)};
            for (int y = 0; y < height; ++y, own.Art += '\n')
                for (int x = 0; x < width; ++x) {
                    const int bit = y * width + x;
                    own.Art += (Field<quint8>(data, at + 5 + bit / 8) >> (7 - bit % 8)) & 1 ? '#' : '.';
                }
            return own;
        }
    }
    return std::nullopt;
}

// The covered pixels of a coverage cropped to their bounding box, in the
// same rows of '#' and '.'.
std::string Ink(const TTextCoverage& cov)
{
    int left = cov.Width, right = -1, top = cov.Height, bottom = -1;
    for (int y = 0; y < cov.Height; ++y)
        for (int x = 0; x < cov.Width; ++x)
            if (cov.Covered[cov.At(x, y)]) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    std::string art;
    for (int y = top; y <= bottom; ++y, art += '\n')
        for (int x = left; x <= right; ++x) art += cov.Covered[cov.At(x, y)] ? '#' : '.';
    return art;
}

// Height 14 asks for a character cell (ascent plus descent), so the em is
// 14 x unitsPerEm / (winAscent + winDescent): 11.6 pixels for the free
// Tahoma, which carries bitmaps of its own at 11, digits 8 pixels tall with
// bold stems two pixels wide. Its outlines thin those stems to one pixel, and
// an em of 14 makes the digits 10 pixels tall and 9 apart.
TEST(QtTextRasterizer, DigitsAreTheFacesOwnBoldBitmapsInAFourteenPixelCell)
{
    QtTextRasterizer r;
    const TFont32 font{"Tahoma", true, 14};
    EXPECT_EQ(r.TextHeight(font, u"0"), 14);

    QFont resolved(r.TahomaFamily());
    resolved.setBold(true);
    resolved.setPixelSize(font.Height);
    const QRawFont face = QRawFont::fromFont(resolved);
    const QByteArray os2 = face.fontTable("OS/2");
    const int cellUnits = Field<quint16>(os2, 74) + Field<quint16>(os2, 76);
    ASSERT_GT(cellUnits, 0) << "the face has no OS/2 cell metrics";
    const double em = font.Height * face.unitsPerEm() / cellUnits;
    // A whole size whose cell fits the 14 pixels: the em rounded down.
    const int pixels = static_cast<int>(em);
    const auto glyphOf = [&](char16_t c) { return face.glyphIndexesForString(QString(QChar(c))).value(0); };
    if (!OwnBitmap(face, glyphOf(u'0'), pixels))
        GTEST_SKIP() << r.TahomaFamily().toStdString() << " has no bitmaps of its own at " << pixels << " pixels";

    for (char16_t digit : std::u16string_view(u"0123456789")) {
        const TTextCoverage cov = r.Render(font, std::u16string(1, digit));
        const TOwnGlyph own = OwnBitmap(face, glyphOf(digit), pixels).value_or(TOwnGlyph{});
        EXPECT_EQ(cov.Height, 14);
        EXPECT_EQ(cov.Width, own.Advance) << static_cast<char>(digit);
        EXPECT_EQ(Ink(cov), own.Art) << static_cast<char>(digit);
    }
}

TEST(QtTextRasterizer, TextOnTheSurfaceHasNoInBetweenShades)
{
    QtTextRasterizer r;
    TBitmap32 b(80, 20);
    b.SetTextRasterizer(&r);
    b.Clear(0xFFFFFFFF);
    SelectRulerFont(b);
    b.RenderText(2, 2, u"300 dpi", 0, 0xFF000000);
    int black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) {
            const TColor32 p = b.Pixel(x, y);
            EXPECT_TRUE(p == 0xFF000000u || p == 0xFFFFFFFFu) << x << "," << y;
            black += p == 0xFF000000u;
        }
    EXPECT_GT(black, 40);
}

}  // namespace

#include "lang/Languages.h"
#include "ruler/ScalePainter.h"

namespace {

// The scale's numbers in the real face: embossed dark text just below the
// top edge's long marks, centred on their marks, and none in the room kept
// for the logo.
TEST(QtTextRasterizer, ScaleNumbersShowInTheRulersFace)
{
    QtTextRasterizer r;
    RulerState s;
    s.Scale = true;
    SetResParams(s, TLanguageTable{});  // pixels: a number every 100 pixels
    SetColor(s);
    TBitmap32 surface(640, 60);
    surface.SetTextRasterizer(&r);
    DrawGradient(surface, s.CurrentScheme.Shadow, DarkenColor(s.CurrentScheme.Highlight, 15), false);
    TBitmap32 bare = surface;
    DrawScale(surface, s, u'.');

    const auto inkAround = [&](int centre) {
        int ink = 0;
        for (int y = 17; y < 40; ++y)
            for (int x = centre - 14; x <= centre + 14; ++x)
                ink += surface.Pixel(x, y) != bare.Pixel(x, y) && surface.Pixel(x, y) != s.CurrentScheme.Highlight;
        return ink;
    };
    for (int n = 0; n <= 4; ++n) EXPECT_GT(inkAround(20 + 100 * n), 10) << n * 100;
    EXPECT_EQ(inkAround(520), 0);
    EXPECT_EQ(inkAround(620), 0);
    // Nothing of a number reaches into the long marks' rows.
    for (int x = 0; x < 640; ++x)
        for (int y = 0; y < 16; ++y)
            if (surface.Pixel(x, y) != bare.Pixel(x, y)) {
                EXPECT_TRUE(x % 10 == 0 || x % 10 == 9) << x << "," << y;
            }
}

}  // namespace
