// The isotherm calculation on the sample as a paint makes it (1024 x 768),
// and the path ordering on its own, on the real lists of that calculation.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "canvas/bltbitmap.h"
#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

constexpr float kSteps[] = {1.0f, 0.5f, 0.25f};

// Args: step index, method (0 altitude, 1 polynomial), smoothing (0/1).
void BM_IsothermCalculation(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(1024, 768);
    diagram.Isotherms().SetMethodStep(kSteps[state.range(0)]);
    diagram.SetTCalcMethod(state.range(1) == 0 ? TTCalcMethod::tcAltitude
                                               : TTCalcMethod::tcPolynomial);
    diagram.Isotherms().SetSmoothed(state.range(2) != 0);
    diagram.SetDrawIsotherms(true);
    // The picture the scan reads: fields filled, nothing over them.
    const std::unique_ptr<TBitmap> fields = diagram.RenderFieldMap();
    TBltBitmap picture;
    for (auto _ : state) {
        state.PauseTiming();
        picture.MakeLike(*fields);
        picture.Canvas().Draw(0, 0, *fields);
        diagram.Isotherms().Calculated = false;
        state.ResumeTiming();
        diagram.CalcIsotherms(picture);
    }
    int points = 0;
    for (int k = 1; k <= diagram.IsothermLists().ListCount(); ++k) {
        points += diagram.IsothermLists().IsoCounts[k];
    }
    state.counters["points"] = points;
}
BENCHMARK(BM_IsothermCalculation)
    ->ArgNames({"step", "poly", "smooth"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The unordered lists of the step-0.25 calculation: each list's points in
// the order the scan found them (rows from the top, right to left).
const std::vector<std::vector<TIsoPoint>>& ScanLists() {
    static const std::vector<std::vector<TIsoPoint>> lists = [] {
        TTernagram diagram;
        LoadSampleDiagram(diagram);
        diagram.SetBounds(1024, 768);
        diagram.Isotherms().SetMethodStep(0.25f);
        diagram.Isotherms().SetSmoothed(false);
        diagram.SetDrawIsotherms(true);
        diagram.Paint();
        std::vector<std::vector<TIsoPoint>> all;
        const TIsothermLists& found = diagram.IsothermLists();
        for (int k = 1; k <= found.ListCount(); ++k) {
            const int n = found.IsoCounts[k] + found.IsoRemoved[k];
            std::vector<TIsoPoint> list(found.IsoPoints[k].begin() + 1,
                                        found.IsoPoints[k].begin() + 1 + n);
            std::sort(list.begin(), list.end(), [](const TIsoPoint& p, const TIsoPoint& q) {
                return p.B != q.B ? p.B > q.B : p.A > q.A;
            });
            list.insert(list.begin(), TIsoPoint{});
            all.push_back(std::move(list));
        }
        return all;
    }();
    return lists;
}

template <int (*Order)(std::vector<TIsoPoint>&, int)>
void BM_PathOrder(benchmark::State& state) {
    std::vector<std::vector<TIsoPoint>> work;
    for (auto _ : state) {
        state.PauseTiming();
        work = ScanLists();
        state.ResumeTiming();
        for (auto& list : work) {
            benchmark::DoNotOptimize(Order(list, static_cast<int>(list.size()) - 1));
        }
    }
}
void BM_PathOrderGrid(benchmark::State& state) {
    BM_PathOrder<OrderIsothermPath>(state);
}
void BM_PathOrderScan(benchmark::State& state) {
    BM_PathOrder<OrderIsothermPathByScan>(state);
}
BENCHMARK(BM_PathOrderGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathOrderScan)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace liquidus

namespace liquidus {
namespace {

// The contours of a 1920 x 1080 window at step 100, traced afresh each time
// (the hot isotherm alternates, which the cache counts as a change).
// Arg: method (0 altitude, 1 polynomial, 2 mean value).
void BM_Contours(benchmark::State& state) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(1920, 1080);
    diagram.CalcLayout();
    constexpr TTCalcMethod kMethods[] = {TTCalcMethod::tcAltitude, TTCalcMethod::tcPolynomial,
                                         TTCalcMethod::tcMeanValue};
    diagram.SetTCalcMethod(kMethods[state.range(0)]);
    diagram.Isotherms().SetStep(100);
    diagram.LookupMap();
    std::size_t points = 0;
    int round = 0;
    for (auto _ : state) {
        diagram.SetHotIsotherm(++round % 2 == 0 ? 1800 : 1810);
        points = 0;
        for (const TContour& c : diagram.Contours(1920, 1080)) points += c.Pixels.size();
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_Contours)->ArgName("method")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace liquidus
