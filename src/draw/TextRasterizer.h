#pragma once
// The seam through which the raster surface measures and draws text: core
// cannot reach a font engine, so the platform supplies one (and tests a fake
// with fixed glyph boxes).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TFont32 {
    std::string Name = "Tahoma";
    bool Bold = true;
    int Height = 14;  // character cell height in pixels

    bool operator==(const TFont32&) const = default;
};

// One-bit coverage of a text's whole cell: Width x Height, row by row from the
// top, non-zero where the glyphs cover the pixel.
struct TTextCoverage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Covered;

    std::size_t At(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x);
    }
};

class ITextRasterizer {
public:
    virtual ~ITextRasterizer() = default;
    virtual int TextWidth(const TFont32& font, std::u16string_view text) = 0;
    virtual int TextHeight(const TFont32& font, std::u16string_view text) = 0;
    // Coverage without anti-aliasing, the top-left corner of the cell at (0, 0).
    virtual TTextCoverage Render(const TFont32& font, std::u16string_view text) = 0;
};
