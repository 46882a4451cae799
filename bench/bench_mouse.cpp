// What one mouse move over the diagram costs: reading the field from the
// screen, the composition and the temperature, and redrawing both tables.

#include <benchmark/benchmark.h>

#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

void BM_MouseMoveInsideTriangle(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(1920, 1080);
    diagram.SetTCalcMethod(static_cast<TTCalcMethod>(state.range(0)));
    diagram.SetCoPhasesTable(true);
    diagram.SetValuesTable(true);
    diagram.Paint();
    // Two points in different fields, so every move reads a new field.
    const TAreaData& first = diagram.AreaList()[1];
    const TAreaData& second = diagram.AreaList()[7];
    int x[2] = {0, 0};
    int y[2] = {0, 0};
    diagram.CompositionToPixel(first.FillA, first.FillB, x[0], y[0]);
    diagram.CompositionToPixel(second.FillA, second.FillB, x[1], y[1]);
    int i = 0;
    for (auto _ : state) {
        diagram.MouseMove(0, x[i], y[i]);
        i = 1 - i;
        benchmark::DoNotOptimize(diagram.CursorPoint().T);
    }
}
BENCHMARK(BM_MouseMoveInsideTriangle)
    ->Arg(static_cast<int>(TTCalcMethod::tcAltitude))
    ->Arg(static_cast<int>(TTCalcMethod::tcPolynomial))
    ->ArgName("method")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace liquidus
