#include "draw/Bitmap32.h"

#include <algorithm>
#include <utility>

namespace {
int MulDiv255(int a, int b)
{
    return (a * b + 127) / 255;
}
}  // namespace

TColor32 BlendColor32(TColor32 src, TColor32 dst, int alpha)
{
    const int a = MulDiv255(AlphaComponent(src), std::clamp(alpha, 0, 255));
    if (a == 0) return dst;
    if (a == 255) return (src & 0x00FFFFFFu) | (dst & 0xFF000000u);
    const auto mix = [a](int s, int d) { return (s * a + d * (255 - a) + 127) / 255; };
    return Color32(mix(RedComponent(src), RedComponent(dst)), mix(GreenComponent(src), GreenComponent(dst)),
                   mix(BlueComponent(src), BlueComponent(dst)), AlphaComponent(dst));
}

TColor32 MergeColor32(TColor32 src, TColor32 dst, int alpha)
{
    const int a = MulDiv255(AlphaComponent(src), std::clamp(alpha, 0, 255));
    if (a == 0) return dst;
    if (a == 255) return src | 0xFF000000u;
    const int da = AlphaComponent(dst);
    // Weights on the scale 255 * 255: the source counts a, the destination
    // what of its own alpha the source lets through.
    const int ws = a * 255;
    const int wd = da * (255 - a);
    const int total = ws + wd;
    const auto mix = [ws, wd, total](int s, int d) { return (s * ws + d * wd + total / 2) / total; };
    return Color32(mix(RedComponent(src), RedComponent(dst)), mix(GreenComponent(src), GreenComponent(dst)),
                   mix(BlueComponent(src), BlueComponent(dst)), (total + 127) / 255);
}

TBitmap32::TBitmap32() = default;

TBitmap32::TBitmap32(int width, int height) : TBitmap32()
{
    SetSize(width, height);
}

TBitmap32::TBitmap32(const TBitmap32& other) : TBitmap32()
{
    *this = other;
}

TBitmap32& TBitmap32::operator=(const TBitmap32& other)
{
    if (this == &other) return *this;
    m_width = other.m_width;
    m_height = other.m_height;
    m_bits = other.m_bits;
    DrawMode = other.DrawMode;
    CombineMode = other.CombineMode;
    MasterAlpha = other.MasterAlpha;
    OuterColor = other.OuterColor;
    Font = other.Font;
    m_activeFont = other.m_activeFont;
    m_rasterizer = other.m_rasterizer;
    return *this;
}

TBitmap32::TBitmap32(TBitmap32&& other) noexcept
    : DrawMode(other.DrawMode),
      CombineMode(other.CombineMode),
      MasterAlpha(other.MasterAlpha),
      OuterColor(other.OuterColor),
      Font(std::move(other.Font)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)),
      m_bits(std::move(other.m_bits)),
      m_activeFont(std::move(other.m_activeFont)),
      m_rasterizer(other.m_rasterizer)
{
    other.m_bits.clear();
}

TBitmap32& TBitmap32::operator=(TBitmap32&& other) noexcept
{
    if (this == &other) return *this;
    DrawMode = other.DrawMode;
    CombineMode = other.CombineMode;
    MasterAlpha = other.MasterAlpha;
    OuterColor = other.OuterColor;
    Font = std::move(other.Font);
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_bits = std::move(other.m_bits);
    other.m_bits.clear();
    m_activeFont = std::move(other.m_activeFont);
    m_rasterizer = other.m_rasterizer;
    return *this;
}

void TBitmap32::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    m_width = width;
    m_height = height;
    m_bits.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void TBitmap32::Clear(TColor32 c)
{
    std::fill(m_bits.begin(), m_bits.end(), c);
}

void TBitmap32::Line(int x1, int y1, int x2, int y2, TColor32 c)
{
    if (Empty()) return;
    if (y1 == y2) {
        if (y1 < 0 || y1 >= m_height) return;
        const int from = std::max(x2 > x1 ? x1 : x2 + 1, 0);
        const int to = std::min(x2 > x1 ? x2 - 1 : x1, m_width - 1);
        if (from <= to) std::fill(ScanLine(y1) + from, ScanLine(y1) + to + 1, c);
    } else if (x1 == x2) {
        const int from = y2 > y1 ? y1 : y2 + 1;
        const int to = y2 > y1 ? y2 - 1 : y1;
        for (int y = from; y <= to; ++y) SetPixelS(x1, y, c);
    }
}

void TBitmap32::SetPixelS(int x, int y, TColor32 c)
{
    if (Contains(x, y)) m_bits[At(x, y)] = c;
}

TColor32 TBitmap32::Pixel(int x, int y) const
{
    return Contains(x, y) ? m_bits[At(x, y)] : OuterColor;
}

int TBitmap32::TextWidth(std::u16string_view text) const
{
    return m_rasterizer ? m_rasterizer->TextWidth(m_activeFont, text) : 0;
}

int TBitmap32::TextHeight(std::u16string_view text) const
{
    return m_rasterizer ? m_rasterizer->TextHeight(m_activeFont, text) : 0;
}

void TBitmap32::RenderText(int x, int y, std::u16string_view text, int /*aaLevel*/, TColor32 c)
{
    if (Empty() || !m_rasterizer || text.empty()) return;
    const TTextCoverage cov = m_rasterizer->Render(m_activeFont, text);
    for (int cy = 0; cy < cov.Height; ++cy) {
        const int py = y + cy;
        if (py < 0 || py >= m_height) continue;
        for (int cx = 0; cx < cov.Width; ++cx) {
            const int px = x + cx;
            if (px < 0 || px >= m_width || !cov.Covered[cov.At(cx, cy)]) continue;
            TColor32& p = m_bits[At(px, py)];
            p = MergeColor32(c, p, 255);
        }
    }
}

void TBitmap32::Rotate90()
{
    if (Empty()) return;
    const int oldW = m_width;
    const int oldH = m_height;
    std::vector<TColor32> rotated(m_bits.size());
    for (int y = 0; y < oldH; ++y)
        for (int x = 0; x < oldW; ++x)
            rotated[static_cast<std::size_t>(x) * static_cast<std::size_t>(oldH) +
                    static_cast<std::size_t>(oldH - 1 - y)] = m_bits[At(x, y)];
    m_bits.swap(rotated);
    m_width = oldH;
    m_height = oldW;
}

void TBitmap32::DrawTo(TBitmap32& dst, int x, int y) const
{
    const int x0 = std::max(0, -x);
    const int y0 = std::max(0, -y);
    const int x1 = std::min(m_width, dst.m_width - x);
    const int y1 = std::min(m_height, dst.m_height - y);
    if (x0 >= x1 || y0 >= y1) return;
    for (int sy = y0; sy < y1; ++sy) {
        const TColor32* s = ScanLine(sy);
        TColor32* d = dst.ScanLine(sy + y) + x;
        if (DrawMode == TDrawMode::dmOpaque) {
            std::copy(s + x0, s + x1, d + x0);
        } else if (CombineMode == TCombineMode::cmMerge) {
            for (int sx = x0; sx < x1; ++sx) d[sx] = MergeColor32(s[sx], d[sx], MasterAlpha);
        } else {
            for (int sx = x0; sx < x1; ++sx) d[sx] = BlendColor32(s[sx], d[sx], MasterAlpha);
        }
    }
}
