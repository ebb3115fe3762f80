#pragma once
// 32-bit ARGB colour, not premultiplied, and the small helpers that take it
// apart and put it together.

#include <cstdint>

using TColor32 = std::uint32_t;

constexpr int AlphaComponent(TColor32 c)
{
    return static_cast<int>((c >> 24) & 0xFF);
}
constexpr int RedComponent(TColor32 c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int GreenComponent(TColor32 c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueComponent(TColor32 c)
{
    return static_cast<int>(c & 0xFF);
}

constexpr TColor32 Color32(int r, int g, int b, int a = 255)
{
    return (static_cast<TColor32>(a & 0xFF) << 24) | (static_cast<TColor32>(r & 0xFF) << 16) |
           (static_cast<TColor32>(g & 0xFF) << 8) | static_cast<TColor32>(b & 0xFF);
}

// The same colour with alpha 255.
constexpr TColor32 Opaque(TColor32 c)
{
    return c | 0xFF000000u;
}

constexpr TColor32 clBlack32 = 0xFF000000u;
constexpr TColor32 clWhite32 = 0xFFFFFFFFu;
