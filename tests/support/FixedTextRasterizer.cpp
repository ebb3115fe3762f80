#include "support/FixedTextRasterizer.h"

#include "draw/Bitmap32.h"

int FixedTextRasterizer::TextWidth(const TFont32&, std::u16string_view text)
{
    return static_cast<int>(text.size()) * kAdvance;
}

int FixedTextRasterizer::TextHeight(const TFont32&, std::u16string_view)
{
    return kCellHeight;
}

bool FixedTextRasterizer::Covers(std::u16string_view text, int x, int y)
{
    if (x < 0 || y < 0 || y >= kCellHeight) return false;
    const auto index = static_cast<std::size_t>(x / kAdvance);
    if (index >= text.size() || text[index] == u' ') return false;
    const int cx = x % kAdvance;
    return cx >= kBoxLeft && cx <= kBoxRight && y >= kBoxTop && y <= kBoxBottom;
}

TTextCoverage FixedTextRasterizer::Render(const TFont32& font, std::u16string_view text)
{
    TTextCoverage cov;
    cov.Width = TextWidth(font, text);
    cov.Height = kCellHeight;
    cov.Covered.resize(cov.At(0, cov.Height));
    for (int y = 0; y < cov.Height; ++y)
        for (int x = 0; x < cov.Width; ++x) cov.Covered[cov.At(x, y)] = Covers(text, x, y);
    return cov;
}
