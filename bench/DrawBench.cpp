// The ruler's body: the gradient and the bevel, over the lengths a monitor
// gives (PaintRulerBench has the plain fill to compare with).
#include <benchmark/benchmark.h>

#include "draw/CommonFunctions.h"

namespace {

void BM_GradientAndBevel(benchmark::State& state)
{
    const int length = static_cast<int>(state.range(0));
    TBitmap32 b(length, 60);
    for (auto _ : state) {
        DrawGradient(b, 0xFF808080, 0xFFFFFFFF, false);
        DrawBevel(b, 0, 0, length, 60, 5, 0xFFFFFFFF, false);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.SetItemsProcessed(state.iterations() * length * 60);
}
BENCHMARK(BM_GradientAndBevel)->Arg(1920)->Arg(4096);

}  // namespace
