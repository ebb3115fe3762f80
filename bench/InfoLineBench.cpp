// The information line's tick when nothing changed: the program's steady
// cost while the user does nothing (pointer, pixel, compose, compare).
#include <benchmark/benchmark.h>

#include "lang/Languages.h"
#include "ruler/InfoLine.h"
#include "support/Fakes.h"

namespace {

void BM_InfoLineTickWithoutChange(benchmark::State& state)
{
    FakeDesktop desktop;
    desktop.Pointer = TPoint{1234, 567};
    RulerState s;
    s.Scale = true;
    s.Units = TUnits::Centimeters;
    s.Resolution = TResolution::Dpi300;
    const TLanguageTable texts;
    SetResParams(s, texts);
    const TWindowBounds ruler{240, 510, 1440, 60};
    std::u16string last = ComposeInfoLine(s, texts, desktop.PointerPos(), desktop.ScreenPixel(1234, 567), ruler);
    int changes = 0;
    for (auto _ : state) {
        const auto pointer = desktop.PointerPos();
        const TPoint p = pointer.value_or(TPoint{});
        const auto pixel = desktop.ScreenPixel(p.X, p.Y);
        std::u16string text = ComposeInfoLine(s, texts, pointer, pixel, ruler);
        if (text != last) ++changes;
        benchmark::DoNotOptimize(text);
    }
    if (changes) state.SkipWithError("the line changed without a change");
}
BENCHMARK(BM_InfoLineTickWithoutChange);

}  // namespace
