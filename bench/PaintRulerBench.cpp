// A full repaint of the ruler as the size and unit commands cause it, against
// a plain fill of the same surface.
#include <benchmark/benchmark.h>

#include "lang/Languages.h"
#include "ruler/ScalePainter.h"
#include "support/FixedTextRasterizer.h"

namespace {

RulerState CentimetresAt300Dpi()
{
    RulerState s;
    s.Scale = true;
    s.Units = TUnits::Centimeters;
    s.Resolution = TResolution::Dpi300;
    SetResParams(s, TLanguageTable{});
    SetColor(s);
    return s;
}

void BM_PaintRulerPicture(benchmark::State& state)
{
    FixedTextRasterizer fixed;
    const int length = static_cast<int>(state.range(0));
    const RulerState s = CentimetresAt300Dpi();
    TRulerPicture picture(fixed);
    picture.Resize(length, 60);
    for (auto _ : state) {
        PaintRulerPicture(picture, s, u'.');
        benchmark::DoNotOptimize(picture.RulerImage.Bitmap.Bits());
    }
    state.SetItemsProcessed(state.iterations() * length * 60);
}
BENCHMARK(BM_PaintRulerPicture)->Arg(1920)->Arg(4096);

void BM_ClearRulerSurface(benchmark::State& state)
{
    FixedTextRasterizer fixed;
    const int length = static_cast<int>(state.range(0));
    TRulerPicture picture(fixed);
    picture.Resize(length, 60);
    TBitmap32& surface = picture.RulerImage.Bitmap;
    for (auto _ : state) {
        surface.Clear(0xFF808080);
        benchmark::DoNotOptimize(surface.Bits());
    }
    state.SetItemsProcessed(state.iterations() * length * 60);
}
BENCHMARK(BM_ClearRulerSurface)->Arg(1920)->Arg(4096);

}  // namespace
