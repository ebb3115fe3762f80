#pragma once
// A text rasterizer with fixed glyph boxes, so that tests know exactly which
// pixels a text covers: every character advances kAdvance pixels, the cell is
// kCellHeight high, and each character but the blank covers the box of
// columns kBoxLeft..kBoxRight and rows kBoxTop..kBoxBottom of its cell.

#include "draw/TextRasterizer.h"

class FixedTextRasterizer : public ITextRasterizer {
public:
    static constexpr int kAdvance = 8;
    static constexpr int kCellHeight = 14;
    static constexpr int kBoxLeft = 1;
    static constexpr int kBoxRight = 5;
    static constexpr int kBoxTop = 3;
    static constexpr int kBoxBottom = 11;

    int TextWidth(const TFont32& font, std::u16string_view text) override;
    int TextHeight(const TFont32& font, std::u16string_view text) override;
    TTextCoverage Render(const TFont32& font, std::u16string_view text) override;

    // Whether the cell pixel (x, y) of text is covered.
    static bool Covers(std::u16string_view text, int x, int y);
};
