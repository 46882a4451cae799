// One temperature evaluation per sample field, as the isotherm scan and the
// mouse read-out make them. The scan makes up to 79,401 per calculation, so
// the warm polynomial path is the one that matters there.

#include <benchmark/benchmark.h>

#include <vector>

#include "isotherms/altitude.h"
#include "isotherms/meanvalue.h"
#include "isotherms/polynoms.h"
#include "sample/sampledata.h"

namespace liquidus {
namespace {

const std::vector<TAreaData>& SampleAreas() {
    static const std::vector<TAreaData> areas = [] {
        std::vector<TAreaData> list = MakeDefaultAreaList();
        FillSampleAreas(list);
        return list;
    }();
    return areas;
}

// One evaluation at the field's fill point per iteration.
template <double (*Evaluate)(const TAreaData&, double, double)>
void BM_AtFillPoint(benchmark::State& state) {
    const TAreaData& area = SampleAreas()[state.range(0)];
    double a = area.FillA;
    double b = area.FillB;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(Evaluate(area, a, b));
    }
    state.SetLabel(area.Name.str());
}

void BM_Altitude(benchmark::State& state) {
    BM_AtFillPoint<AltitudeTemperature>(state);
}

// The same with the edge-by-edge loop, to see what the vector code gains.
double AltitudeLoopTemperature(const TAreaData& area, double a, double b) {
    TAltitudePoints points{};
    for (int i = 0; i < area.PointCount; ++i) {
        const TAreaPoint& p = area.Points[i + 1];
        points[i] = {p.A, p.B, static_cast<double>(p.T)};
    }
    return CalcAltitudeScalar(area.PointCount, points, a, b);
}
void BM_AltitudeLoop(benchmark::State& state) {
    BM_AtFillPoint<AltitudeLoopTemperature>(state);
}

// A fresh fit on every call.
void BM_PolynomialCold(benchmark::State& state) {
    BM_AtFillPoint<PolynomialTemperature>(state);
}

// The field's fit is kept: the vertices are compared and the polynomial
// evaluated.
void BM_PolynomialWarm(benchmark::State& state) {
    const int index = static_cast<int>(state.range(0));
    const TAreaData& area = SampleAreas()[index];
    TPolynomialTemperature evaluator;
    double a = area.FillA;
    double b = area.FillB;
    evaluator.Temperature(index, area, a, b);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(evaluator.Temperature(index, area, a, b));
    }
    state.SetLabel(area.Name.str());
}

// Nothing is kept between calls.
void BM_MeanValue(benchmark::State& state) {
    BM_AtFillPoint<MeanValueTemperature>(state);
}

BENCHMARK(BM_Altitude)->DenseRange(0, kSampleFieldCount - 1)->ArgName("field");
BENCHMARK(BM_AltitudeLoop)->DenseRange(0, kSampleFieldCount - 1)->ArgName("field");
BENCHMARK(BM_PolynomialCold)->DenseRange(0, kSampleFieldCount - 1)->ArgName("field");
BENCHMARK(BM_PolynomialWarm)->DenseRange(0, kSampleFieldCount - 1)->ArgName("field");
BENCHMARK(BM_MeanValue)->DenseRange(0, kSampleFieldCount - 1)->ArgName("field");

}  // namespace
}  // namespace liquidus
