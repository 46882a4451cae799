// Figures for documents: what an export or a print waits for, from the
// recording at ten times the picture's size to each file's bytes. A figure
// should be written well within a second, as a Save is.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "canvas/figurefile.h"
#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

void Fields(TTernagram& diagram) {
    LoadSampleDiagram(diagram);
    diagram.SetDrawAreas(true);
    diagram.SetDrawSplines(true);
}

void BM_RecordFigure(benchmark::State& state) {
    TTernagram diagram;
    Fields(diagram);
    for (auto _ : state) {
        TDrawing drawing = diagram.RecordFigure(600, 386);
        benchmark::DoNotOptimize(drawing.Items.data());
    }
}
BENCHMARK(BM_RecordFigure)->Unit(benchmark::kMillisecond);

// 0: PNG at 1800 x 1158, 1: SVG, 2: PDF, both 160 x 103 mm.
void BM_WriteFigure(benchmark::State& state) {
    TTernagram diagram;
    Fields(diagram);
    const TDrawing drawing = diagram.RecordFigure(600, 386);
    const TPictureFormat formats[] = {TPictureFormat::Png, TPictureFormat::Svg,
                                      TPictureFormat::Pdf};
    const TPictureFormat format = formats[state.range(0)];
    const TFigureSize size = format == TPictureFormat::Png ? TFigureSize{1800, 1158, false}
                                                           : TFigureSize{160, 103, true};
    QTemporaryDir dir;
    const std::string file = dir.filePath("figure").toStdString();
    for (auto _ : state) WriteFigure(drawing, file, format, size, "Figure");
}
BENCHMARK(BM_WriteFigure)->ArgName("format")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace liquidus
