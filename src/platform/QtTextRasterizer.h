#pragma once
// The text rasterizer the program draws with: Qt's font engine, glyphs
// without anti-aliasing, read back as one-bit coverage.

#include <QFont>
#include <QString>

#include <utility>
#include <vector>

#include "draw/TextRasterizer.h"

class QtTextRasterizer : public ITextRasterizer {
public:
    // Needs a QGuiApplication.
    QtTextRasterizer();

    int TextWidth(const TFont32& font, std::u16string_view text) override;
    int TextHeight(const TFont32& font, std::u16string_view text) override;
    TTextCoverage Render(const TFont32& font, std::u16string_view text) override;

    // The family that "Tahoma" resolved to on this machine.
    QString TahomaFamily() const { return m_tahomaFamily; }

private:
    // A TFont32 made concrete: the Qt font at the whole pixel size whose cell
    // fits the asked height, and where its baseline falls in that cell.
    struct TQtFace {
        QFont Font;
        int Ascent = 0;
        int CellHeight = 0;
    };
    TQtFace Face(const TFont32& font);

    QString m_tahomaFamily;
    // Reading a face's tables for every text drawn would be wasteful, and a
    // ruler uses one or two fonts.
    std::vector<std::pair<TFont32, TQtFace>> m_faces;
};

// Where the bold Tahoma of Debian's fonts-wine lives.
inline constexpr char kWineTahomaBold[] = "/usr/share/wine/fonts/tahomabd.ttf";
