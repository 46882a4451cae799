// Fields close at every size, in every order and in zoomed views, for any
// diagram whose boundary lines close them: generated subdivisions of the
// triangle, painted at many sizes, keep each field's colour at its fill
// point (a fill that leaks paints over another field's fill point, since
// fields are filled one after another).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ternary/ternagram.h"

namespace liquidus {
namespace {

constexpr std::array kOrders = {TDataOrientation::doDirect, TDataOrientation::doACB,
                                TDataOrientation::doBAC,    TDataOrientation::doBCA,
                                TDataOrientation::doCAB,    TDataOrientation::doCBA};

struct TShape {
    std::vector<std::vector<TSplinePoint>> Lines;
    std::vector<TSplinePoint> Fills;
    std::string Seed;
};

/// A point at height `b` a fraction `u` of the way from the left side (C = 0)
/// to the right side (A = 0).
TSplinePoint Across(double u, double b) {
    return {static_cast<float>((1 - u) * (100 - b)), static_cast<float>(b)};
}

/// Bands stacked up the triangle by wavy lines from the left to the right
/// side, some bands cut by lines between knots of the lines below and above
/// them (straight or bent): junctions on sides, on shared knots, of curves
/// and of straight lines, which the other orders turn into every direction.
TShape Generate(std::mt19937& random) {
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    TShape shape;
    const int bands = pick(1, 4);
    std::vector<double> heights;
    double b = uniform(10, 16);
    for (int j = 0; j < bands && b <= 64; ++j, b += uniform(12, 18)) heights.push_back(b);
    constexpr int kKnots = 5;
    std::vector<std::array<double, kKnots>> waves;
    for (const double h : heights) {
        std::array<double, kKnots> wave{};
        std::vector<TSplinePoint> line;
        for (int k = 0; k < kKnots; ++k) {
            wave[k] = h + uniform(-2, 2);
            line.push_back(Across(k / 4.0, wave[k]));
        }
        waves.push_back(wave);
        // Boundaries are often given in pieces that meet end to end, each
        // in either direction.
        const int split = pick(0, 4);
        std::vector<std::vector<TSplinePoint>> pieces = {line};
        if (split >= 1 && split <= 3) {
            pieces = {{line.begin(), line.begin() + split + 1}, {line.begin() + split, line.end()}};
        }
        for (auto& piece : pieces) {
            if (pick(0, 1) == 1) std::reverse(piece.begin(), piece.end());
            shape.Lines.push_back(piece);
        }
    }
    const auto heightAt = [&](int wave, double u) {
        if (wave < 0) return 0.0;
        const double k = u * 4;
        const int i = std::min(3, static_cast<int>(k));
        return waves[wave][i] + (waves[wave][i + 1] - waves[wave][i]) * (k - i);
    };
    const int cuts = pick(1, 8 - static_cast<int>(heights.size()));
    std::vector<std::vector<int>> cutsIn(heights.size());
    for (int c = 0; c < cuts; ++c) {
        const int band = pick(0, static_cast<int>(heights.size()) - 1);
        const int knot = pick(1, 3);
        std::vector<int>& in = cutsIn[band];
        if (std::find(in.begin(), in.end(), knot) != in.end() || in.size() == 2) continue;
        in.push_back(knot);
        const double u = knot / 4.0;
        const TSplinePoint low = Across(u, heightAt(band - 1, u));
        const TSplinePoint high = Across(u, waves[band][knot]);
        std::vector<TSplinePoint> line = {low};
        if (pick(0, 1) == 1) {
            const double mid = (heightAt(band - 1, u) + waves[band][knot]) / 2;
            line.push_back(Across(u + uniform(-0.03, 0.03), mid));
        }
        line.push_back(high);
        if (pick(0, 1) == 1) std::reverse(line.begin(), line.end());
        shape.Lines.push_back(line);
    }
    // One fill point in the middle of every piece of every band.
    for (int band = 0; band <= static_cast<int>(heights.size()); ++band) {
        std::vector<double> edges = {0, 1};
        if (band < static_cast<int>(heights.size())) {
            for (const int k : cutsIn[band]) edges.push_back(k / 4.0);
        }
        std::sort(edges.begin(), edges.end());
        for (std::size_t e = 1; e < edges.size(); ++e) {
            const double u = (edges[e - 1] + edges[e]) / 2;
            const double top = band < static_cast<int>(heights.size())
                                   ? heightAt(band, u)
                                   : 100 - (100 - heightAt(band - 1, u)) / 3;
            shape.Fills.push_back(Across(u, (heightAt(band - 1, u) + top) / 2));
        }
    }
    return shape;
}

void Load(TTernagram& diagram, const TShape& shape) {
    TSplinesData splines;
    for (const auto& line : shape.Lines) {
        if (!splines.Points.empty()) splines.Points.push_back({-1, -1});
        splines.Points.insert(splines.Points.end(), line.begin(), line.end());
    }
    splines.High = static_cast<std::uint16_t>(splines.Points.size() - 1);
    splines.Points.push_back({-1, -1});
    diagram.SetSplines(splines);
    for (std::size_t i = 0; i < shape.Fills.size(); ++i) {
        TAreaData& area = diagram.AreaList()[i];
        area.Name = "Field " + std::to_string(i + 1);
        area.FillA = shape.Fills[i].A;
        area.FillB = shape.Fills[i].B;
    }
    diagram.SetAreas(static_cast<int>(shape.Fills.size()));
    diagram.SetDrawSplines(true);
    diagram.SetDrawAreas(true);
}

/// Fields whose colour is missing at their own fill point (or right beside
/// it, where a line runs over the point at a small size).
std::string MissingFields(TTernagram& diagram) {
    const std::unique_ptr<TBitmap> map = diagram.RenderFieldMap();
    const TCanvas& canvas = map->Canvas();
    std::string missing;
    for (int i = 0; i < diagram.Areas(); ++i) {
        const TAreaData& area = diagram.AreaList()[i];
        const double c = 100.0 - area.FillA - area.FillB;
        if (diagram.Zoom()) {
            // Fill points within a few pixels of the window's edge are seeded
            // on or next to the outline; those beside it are no test.
            TZoomWindow inner = diagram.ZoomWindow();
            constexpr double kMargin = 1.5;
            inner.AMin += kMargin, inner.BMin += kMargin, inner.CMin += kMargin;
            inner.AMax -= kMargin, inner.BMax -= kMargin, inner.CMax -= kMargin;
            if (!inner.ContainsStrictly(area.FillA, area.FillB, c)) continue;
        }
        int x = 0;
        int y = 0;
        diagram.CompositionToPixel(area.FillA, area.FillB, x, y);
        const TColor own = AreaColors[i + 1];
        const TColor at = canvas.Pixel(x, y);
        bool found = at == own;
        constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& d : kSteps) {
            for (int step = 1; step <= 2 && at == clBlack; ++step) {
                const TColor beside = canvas.Pixel(x + d[0] * step, y + d[1] * step);
                if (beside == clBlack) continue;
                found = found || beside == own;
                break;
            }
        }
        if (!found) missing += " " + area.Name.str();
    }
    return missing;
}

int SweepDiagrams() {
    // A longer sweep: LIQUIDUS_CLOSURE_DIAGRAMS=500 ctest -R Closure
    const char* count = std::getenv("LIQUIDUS_CLOSURE_DIAGRAMS");
    return count != nullptr ? std::max(1, std::atoi(count)) : 16;
}

TEST(FieldClosure, GeneratedDiagramsKeepEveryFieldAtEverySizeOrderAndZoom) {
    std::mt19937 random(20261209);
    const int diagrams = SweepDiagrams();
    for (int n = 0; n < diagrams; ++n) {
        const TShape shape = Generate(random);
        for (int s = 0; s < 40; ++s) {
            // Widths and heights from the smallest that draws to 2000,
            // each order at its share of them.
            const int w = std::uniform_int_distribution<int>(350, 2000)(random);
            const int h = std::uniform_int_distribution<int>(240, 2000)(random);
            const int order = s % static_cast<int>(kOrders.size());
            TTernagram diagram;
            Load(diagram, shape);
            diagram.SetBounds(w, h);
            diagram.SetDataOrientation(kOrders[order]);
            diagram.CalcLayout();
            if (diagram.IsTooSmall()) continue;
            ASSERT_EQ(MissingFields(diagram), "")
                << "diagram " << n << " at " << w << "x" << h << " order " << order;
            if (s % 8 == 0) {
                diagram.Paint();
                const int z = s / 8;
                diagram.ZoomInTo(10 * (z % 3), 10 * (z % 2), 10 * ((z + 1) % 4));
                ASSERT_TRUE(diagram.Zoom());
                ASSERT_EQ(MissingFields(diagram), "")
                    << "diagram " << n << " zoomed at " << w << "x" << h << " order " << order;
            }
        }
    }
}

}  // namespace
}  // namespace liquidus
