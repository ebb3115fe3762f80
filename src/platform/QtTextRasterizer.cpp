#include "platform/QtTextRasterizer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A system Tahoma first; else the one fonts-wine ships, so that every machine
// with that package draws the same glyphs; else whatever bold sans there is.
QString ResolveTahoma()
{
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return QStringLiteral("Tahoma");
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kWineTahomaBold));
    if (id >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) return families.first();
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

}  // namespace

QtTextRasterizer::QtTextRasterizer() : m_tahomaFamily(ResolveTahoma()) {}

QFont QtTextRasterizer::QtFont(const TFont32& font) const
{
    QFont f(font.Name == "Tahoma" ? m_tahomaFamily : QString::fromStdString(font.Name));
    f.setPixelSize(font.Height > 0 ? font.Height : 14);
    f.setBold(font.Bold);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    // The hinting instructions of the free Tahoma thin its bold stems to one
    // pixel at this size; the outlines alone keep the face bold.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

int QtTextRasterizer::TextWidth(const TFont32& font, std::u16string_view text)
{
    return QFontMetrics(QtFont(font)).horizontalAdvance(ToQString(text));
}

int QtTextRasterizer::TextHeight(const TFont32& font, std::u16string_view /*text*/)
{
    return QFontMetrics(QtFont(font)).height();
}

TTextCoverage QtTextRasterizer::Render(const TFont32& font, std::u16string_view text)
{
    const QFont f = QtFont(font);
    const QFontMetrics metrics(f);
    const QString s = ToQString(text);
    TTextCoverage cov;
    cov.Width = metrics.horizontalAdvance(s);
    cov.Height = metrics.height();
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
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(margin, metrics.ascent(), s);
    }
    cov.Covered.assign(static_cast<std::size_t>(cov.Width) * static_cast<std::size_t>(cov.Height), 0);
    for (int y = 0; y < cov.Height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < cov.Width; ++x) cov.Covered[cov.At(x, y)] = qAlpha(line[x + margin]) >= 128 ? 1 : 0;
    }
    return cov;
}
