#pragma once
// The text rasterizer the program draws with: Qt's font engine, glyphs
// without anti-aliasing, read back as one-bit coverage.

#include <QFont>
#include <QString>

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
    QFont QtFont(const TFont32& font) const;

    QString m_tahomaFamily;
};

// Where the bold Tahoma of Debian's fonts-wine lives.
inline constexpr char kWineTahomaBold[] = "/usr/share/wine/fonts/tahomabd.ttf";
