// The costs a user feels: a full repaint of the window's diagram, the
// exported picture, and the flood fill every field goes through.

#include <benchmark/benchmark.h>

#include <memory>

#include "sample/sample.h"
#include "canvas/canvas.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

void BM_PaintSample(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        diagram.Paint();
        benchmark::DoNotOptimize(diagram.Screen().Image().constBits());
    }
}
BENCHMARK(BM_PaintSample)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_RenderExportPicture(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    for (auto _ : state) {
        std::unique_ptr<TBitmap> picture = diagram.RenderPicture();
        benchmark::DoNotOptimize(picture.get());
    }
}
BENCHMARK(BM_RenderExportPicture)->Unit(benchmark::kMillisecond);

// A 2000 x 2000 bitmap crossed by a diagonal line, filled from one corner.
void BM_FloodFill4Megapixels(benchmark::State& state) {
    TBitmap bitmap(2000, 2000);
    TCanvas& canvas = bitmap.Canvas();
    for (auto _ : state) {
        state.PauseTiming();
        canvas.Brush.Color = clWhite;
        canvas.FillRect({0, 0, 2000, 2000});
        canvas.Pen.Color = clBlack;
        canvas.MoveTo(0, 1999);
        canvas.LineTo(1999, 0);
        canvas.Brush.Color = 0x00FFE0E0;
        state.ResumeTiming();
        benchmark::DoNotOptimize(canvas.FloodFill(0, 0, clBlack));
    }
}
BENCHMARK(BM_FloodFill4Megapixels)->Unit(benchmark::kMillisecond);

void BM_FieldLookup(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(1024, 768);
    const std::unique_ptr<TBitmap> fields = diagram.RenderFieldMap();
    for (auto _ : state) {
        benchmark::DoNotOptimize(diagram.AreaAtComposition(*fields, 32, 24));
    }
}
BENCHMARK(BM_FieldLookup);

}  // namespace
}  // namespace liquidus
