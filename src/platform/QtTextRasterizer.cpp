#include "platform/QtTextRasterizer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QtEndian>

#include <algorithm>

namespace {

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool HasBoldFace(const QString& family)
{
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::DemiBold && !QFontDatabase::italic(family, style);
    });
}

// A system Tahoma first; else the one fonts-wine ships, so that every machine
// with that package draws the same glyphs; else whatever bold sans there is.
// The family's name alone says too little: the message dialog may have
// registered the regular file under it, and bold would then be the regular
// face thickened by the engine instead of the face's own bold glyphs.
QString ResolveTahoma()
{
    if (HasBoldFace(QStringLiteral("Tahoma"))) return QStringLiteral("Tahoma");
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kWineTahomaBold));
    if (id >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) return families.first();
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// A face's character cell in its own units: the part above the baseline and
// the part below it, out of UnitsPerEm.
struct TCellUnits {
    int Ascent = 0;
    int Descent = 0;
    int UnitsPerEm = 0;
};

// The cell a font height counts is the one the face declares for Windows
// (OS/2 usWinAscent + usWinDescent): that is what the glyphs were fitted to.
// Faces without those fall back to hhea, and a face with no tables at all to
// what Qt measures at the asked size.
TCellUnits CellUnits(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const int unitsPerEm = static_cast<int>(raw.unitsPerEm());
    if (unitsPerEm > 0) {
        const QByteArray os2 = raw.fontTable("OS/2");
        if (os2.size() >= 78) {
            const int ascent = qFromBigEndian<quint16>(os2.constData() + 74);
            const int descent = qFromBigEndian<quint16>(os2.constData() + 76);
            if (ascent + descent > 0) return {ascent, descent, unitsPerEm};
        }
        const QByteArray hhea = raw.fontTable("hhea");
        if (hhea.size() >= 8) {
            const int ascent = qFromBigEndian<qint16>(hhea.constData() + 4);
            const int descent = -qFromBigEndian<qint16>(hhea.constData() + 6);
            if (ascent + descent > 0) return {ascent, descent, unitsPerEm};
        }
    }
    const QFontMetrics metrics(font);
    return {metrics.ascent(), metrics.descent(), font.pixelSize()};
}

}  // namespace

QtTextRasterizer::QtTextRasterizer() : m_tahomaFamily(ResolveTahoma()) {}

QtTextRasterizer::TQtFace QtTextRasterizer::Face(const TFont32& font)
{
    for (const auto& [known, face] : m_faces)
        if (known == font) return face;

    TQtFace face;
    face.CellHeight = font.Height > 0 ? font.Height : 14;
    face.Font = QFont(font.Name == "Tahoma" ? m_tahomaFamily : QString::fromStdString(font.Name));
    face.Font.setPixelSize(face.CellHeight);
    face.Font.setBold(font.Bold);
    face.Font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    // The free Tahoma carries bitmaps of its own for the small sizes, with
    // bold two-pixel stems, and Qt draws them whatever the hinting; its
    // outlines alone would be one pixel thin. Hinting is for the faces
    // without such bitmaps (a system Tahoma, the fallback sans), whose stems
    // it keeps whole.
    face.Font.setHintingPreference(QFont::PreferFullHinting);
    face.Font.setKerning(false);

    // The height asks for a character cell, not an em: draw at the largest
    // whole pixel size whose cell still fits it, the size the face's own
    // bitmaps and hints are made for. The baseline sits where the face puts
    // it at that size; any row left over goes below the descent.
    const TCellUnits units = CellUnits(face.Font);
    const int cellUnits = units.Ascent + units.Descent;
    if (units.UnitsPerEm > 0 && cellUnits > 0) {
        const int pixels = std::max(1, face.CellHeight * units.UnitsPerEm / cellUnits);
        face.Font.setPixelSize(pixels);
        face.Ascent = (2 * pixels * units.Ascent + units.UnitsPerEm) / (2 * units.UnitsPerEm);
    } else {
        face.Ascent = QFontMetrics(face.Font).ascent();
    }
    face.Ascent = std::min(face.Ascent, face.CellHeight);
    return m_faces.emplace_back(font, face).second;
}

int QtTextRasterizer::TextWidth(const TFont32& font, std::u16string_view text)
{
    return QFontMetrics(Face(font).Font).horizontalAdvance(ToQString(text));
}

int QtTextRasterizer::TextHeight(const TFont32& font, std::u16string_view /*text*/)
{
    return Face(font).CellHeight;
}

TTextCoverage QtTextRasterizer::Render(const TFont32& font, std::u16string_view text)
{
    const TQtFace face = Face(font);
    const QString s = ToQString(text);
    TTextCoverage cov;
    cov.Width = QFontMetrics(face.Font).horizontalAdvance(s);
    cov.Height = face.CellHeight;
    if (cov.Width <= 0 || cov.Height <= 0) return {};
    // Glyphs may overhang their advance a little; draw with room around and
    // keep only the cell.
    const int margin = cov.Height;
    QImage image(cov.Width + 2 * margin, cov.Height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setFont(face.Font);
        p.setPen(Qt::black);
        p.drawText(margin, face.Ascent, s);
    }
    cov.Covered.assign(static_cast<std::size_t>(cov.Width) * static_cast<std::size_t>(cov.Height), 0);
    for (int y = 0; y < cov.Height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < cov.Width; ++x) cov.Covered[cov.At(x, y)] = qAlpha(line[x + margin]) >= 128 ? 1 : 0;
    }
    return cov;
}
