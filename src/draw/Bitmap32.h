#pragma once
// The 32-bit ARGB raster surface that every picture of the program is painted
// into, with the exact end-point, clipping and blending rules the painting
// code relies on.

#include <cstdint>
#include <string_view>
#include <vector>

#include "draw/Color32.h"
#include "draw/TextRasterizer.h"

enum class TDrawMode { dmOpaque, dmBlend };
enum class TCombineMode { cmBlend, cmMerge };

class TBitmap32 {
public:
    // A new surface measures no text and draws none until it is given a
    // rasterizer; a copy or a move takes the source's font and rasterizer.
    TBitmap32();
    TBitmap32(int width, int height);
    TBitmap32(const TBitmap32& other);
    TBitmap32& operator=(const TBitmap32& other);
    // A moved-from surface is empty, never a size without pixels.
    TBitmap32(TBitmap32&& other) noexcept;
    TBitmap32& operator=(TBitmap32&& other) noexcept;
    ~TBitmap32() = default;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width <= 0 || m_height <= 0; }
    // New pixels are cleared to 0; callers repaint before showing anyway. A
    // side of 0 leaves the surface empty but keeps the other side, so that
    // setting Width and then Height sizes it.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }

    void Clear(TColor32 c);
    // Horizontal or vertical line, end point excluded, colour written as it is.
    // Callers keep every pixel inside the surface; a stray one is dropped
    // rather than written past the end.
    void Line(int x1, int y1, int x2, int y2, TColor32 c);
    void SetPixelS(int x, int y, TColor32 c);
    // The stored value inside the surface, OuterColor outside.
    TColor32 Pixel(int x, int y) const;
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    const TColor32* Bits() const { return m_bits.data(); }
    TColor32* Bits() { return m_bits.data(); }
    TColor32* ScanLine(int y)
    {
        return m_bits.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
    }
    const TColor32* ScanLine(int y) const
    {
        return m_bits.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
    }

    // Text: set Font, then UpdateFont to select it for the calls below.
    void UpdateFont() { m_activeFont = Font; }
    int TextWidth(std::u16string_view text) const;
    int TextHeight(std::u16string_view text) const;
    // Draws text with the top-left corner of its cell at (x, y), composited with
    // opacity alpha(c) / 255. Only AALevel 0 (no anti-aliasing) is supported,
    // the only level the program uses.
    void RenderText(int x, int y, std::u16string_view text, int aaLevel, TColor32 c);
    void SetTextRasterizer(ITextRasterizer* rasterizer) { m_rasterizer = rasterizer; }
    ITextRasterizer* TextRasterizer() const { return m_rasterizer; }

    // Quarter turn clockwise in place.
    void Rotate90();

    // Draws this surface onto dst with its top-left corner at (x, y), by
    // DrawMode, CombineMode and MasterAlpha, clipped to dst.
    void DrawTo(TBitmap32& dst, int x, int y) const;

    TDrawMode DrawMode = TDrawMode::dmOpaque;
    TCombineMode CombineMode = TCombineMode::cmBlend;
    int MasterAlpha = 255;
    TColor32 OuterColor = 0;
    TFont32 Font;

private:
    std::size_t At(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<TColor32> m_bits;
    TFont32 m_activeFont;
    ITextRasterizer* m_rasterizer = nullptr;
};

// Compositing of one non-premultiplied colour over another with the extra
// opacity alpha (0..255, applied to the source's own alpha).
// Blend: linear mix of the colour channels; the destination's alpha is kept
// (meant for opaque destinations). Merge: correct "over" for a destination
// that may itself be transparent.
TColor32 BlendColor32(TColor32 src, TColor32 dst, int alpha);
TColor32 MergeColor32(TColor32 src, TColor32 dst, int alpha);
