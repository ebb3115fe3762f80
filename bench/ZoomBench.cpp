// A magnifier's refresh without the screen grab (enlarging the grabbed square
// and drawing the centre lines), at the largest size, and its read-out.
#include <benchmark/benchmark.h>

#include "draw/CommonFunctions.h"
#include "precise/Zoom.h"
#include "support/FixedTextRasterizer.h"

namespace {

void BM_RefreshZoomLarge(benchmark::State& state)
{
    const TZoomSize z = ZoomSizeOf(TPMTSize::Large);
    const int factor = static_cast<int>(state.range(0));
    const TWindowBounds grab = CaptureRect({500, 300}, z.ZoomRect, factor);
    TBitmap32 source(grab.Width, grab.Height);
    for (int y = 0; y < grab.Height; ++y)
        for (int x = 0; x < grab.Width; ++x) source.SetPixelS(x, y, Color32(x * 9, y * 9, 0x80));
    TBitmap32 dest(z.Width, z.Height);
    dest.Clear(0xFF808080);
    for (auto _ : state) {
        EnlargeInto(dest, z.ZoomRect, source);
        DrawCentreLines(dest, z.ZoomRect, clBlack32);
        benchmark::DoNotOptimize(dest.Bits());
        benchmark::ClobberMemory();
    }
    const int side = z.ZoomRect.Right - z.ZoomRect.Left;
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_RefreshZoomLarge)->Arg(5)->Arg(15);

void BM_ZoomReadOutSmall(benchmark::State& state)
{
    FixedTextRasterizer fixed;
    const TZoomSize z = ZoomSizeOf(TPMTSize::Small);
    TBitmap32 layer(z.Width, z.Height);
    layer.SetTextRasterizer(&fixed);
    SelectRulerFont(layer);
    const auto values = ReadOutValues({412, 318}, {1012, 718}, 37.795275590551185, u"cm", u'.');
    for (auto _ : state) {
        DrawReadOut(layer, z.Height, z.ZoomRect, values, 0xFFFF6060);
        benchmark::DoNotOptimize(layer.Bits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ZoomReadOutSmall);

}  // namespace
