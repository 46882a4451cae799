// The costs a user feels: a full repaint of the window's diagram, the
// exported picture, and the flood fill every field goes through.

#include <benchmark/benchmark.h>

#include <memory>

#include "binary/binagram.h"
#include "canvas/canvas.h"
#include "sample/sample.h"
#include "sections/section.h"
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

// The Sections window's diagram: the sample's MgO - SiO2 side.
void BM_PaintSection(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    TBinagram binagram;
    FeedBinagram(MakeSideSection(diagram, 1, 2), binagram);
    binagram.SetBounds(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        binagram.Paint();
        benchmark::DoNotOptimize(binagram.Screen().Image().constBits());
    }
}
BENCHMARK(BM_PaintSection)->Args({698, 482})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// What --export --size 8000x8000 does before the file is written: the
// screen picture of a control that large, painted once.
void BM_PaintHuge(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    for (auto _ : state) {
        diagram.SetBounds(8000, 8000);
        diagram.Paint();
        benchmark::DoNotOptimize(diagram.Screen().Image().constBits());
        state.PauseTiming();
        diagram.SetBounds(1, 1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PaintHuge)->Unit(benchmark::kMillisecond)->Iterations(3);

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
