#include "isotherms/meanvalue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

#include "sample/sample.h"
#include "sample/sampledata.h"

namespace liquidus {
namespace {

TAreaData MakeArea(std::initializer_list<TAreaPoint> vertices) {
    TAreaData area;
    for (const TAreaPoint& p : vertices) {
        area.Points[++area.PointCount] = p;
    }
    return area;
}

std::vector<TAreaData> SampleAreas() {
    std::vector<TAreaData> areas = MakeDefaultAreaList();
    FillSampleAreas(areas);
    return areas;
}

// Even-odd rule, to pick lattice points inside a field.
bool InsidePolygon(const TAreaData& area, double a, double b) {
    bool inside = false;
    for (int i = 1, j = area.PointCount; i <= area.PointCount; j = i++) {
        const TAreaPoint& p = area.Points[i];
        const TAreaPoint& q = area.Points[j];
        if ((p.B > b) != (q.B > b) && a < p.A + (b - p.B) * (q.A - p.A) / (q.B - p.B)) {
            inside = !inside;
        }
    }
    return inside;
}

bool IsConvex(const TAreaData& area) {
    bool left = false;
    bool right = false;
    const int n = area.PointCount;
    for (int i = 0; i < n; ++i) {
        const TAreaPoint& p = area.Points[i + 1];
        const TAreaPoint& q = area.Points[(i + 1) % n + 1];
        const TAreaPoint& r = area.Points[(i + 2) % n + 1];
        const double turn = (q.A - p.A) * (r.B - q.B) - (q.B - p.B) * (r.A - q.A);
        left = left || turn > 0;
        right = right || turn < 0;
    }
    return !(left && right);
}

// Every edge of the field at fractions of its length, against the linear
// interpolation between its ends; vertices exactly; and no division by zero
// on the way (an infinity that cancels out would hide one).
void ExpectVerticesAndEdges(const TAreaData& area, std::initializer_list<double> fractions) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const int n = area.PointCount;
    for (int i = 1; i <= n; ++i) {
        const TAreaPoint& p = area.Points[i];
        const TAreaPoint& q = area.Points[i % n + 1];
        EXPECT_EQ(MeanValueTemperature(area, p.A, p.B), p.T) << "vertex " << i;
        for (const double s : fractions) {
            const double a = p.A + s * (q.A - p.A);
            const double b = p.B + s * (q.B - p.B);
            EXPECT_NEAR(MeanValueTemperature(area, a, b), p.T + s * (q.T - p.T), 1e-7)
                << "edge " << i << " at " << s;
        }
    }
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID));
}

TEST(MeanValue, SampleFieldsHonourVerticesEdgesAndRange) {
    for (const TAreaData& area : SampleAreas()) {
        if (area.PointCount == 0) continue;
        SCOPED_TRACE(area.Name.str());
        ExpectVerticesAndEdges(area, {0.5});
        if (!IsConvex(area)) continue;
        int lo = area.Points[1].T;
        int hi = lo;
        for (int i = 1; i <= area.PointCount; ++i) {
            lo = std::min(lo, area.Points[i].T);
            hi = std::max(hi, area.Points[i].T);
        }
        for (double a = 0.25; a < 100; a += 0.5) {
            for (double b = 0.25; a + b < 100; b += 0.5) {
                if (!InsidePolygon(area, a, b)) continue;
                const double t = MeanValueTemperature(area, a, b);
                EXPECT_TRUE(t >= lo && t <= hi) << a << ", " << b << ": " << t;
            }
        }
    }
}

TEST(MeanValue, NonConvexOutline) {
    // An L: the reflex corner is at (10, 10).
    const TAreaData area = MakeArea({{0, 0, 1000},
                                     {20, 0, 1400},
                                     {20, 10, 1200},
                                     {10, 10, 1600},
                                     {10, 20, 1100},
                                     {0, 20, 1300}});
    ExpectVerticesAndEdges(area, {1e-15, 0.25, 0.5, 0.75, 1 - 1e-15});

    // The corner is approached from every side inside the field, and the
    // field's interior continues across the lines its two edges would
    // make if they ran on.
    for (const double h : {1e-3, 1e-6, 1e-9}) {
        for (const auto& [da, db] :
             {std::pair{-1.0, 0.0}, {-1.0, -1.0}, {0.0, -1.0}, {1.0, -1.0}, {-1.0, 1.0}}) {
            EXPECT_NEAR(MeanValueTemperature(area, 10 + h * da, 10 + h * db), 1600, 1e5 * h);
        }
        EXPECT_NEAR(MeanValueTemperature(area, 10 - h, 5), MeanValueTemperature(area, 10 + h, 5),
                    1e4 * h);
        EXPECT_NEAR(MeanValueTemperature(area, 5, 10 - h), MeanValueTemperature(area, 5, 10 + h),
                    1e4 * h);
    }

    // Temperatures on a plane are reproduced everywhere, also just outside
    // the outline: signed angles, not magnitudes, make that hold here.
    TAreaData plane = area;
    for (int i = 1; i <= plane.PointCount; ++i) {
        plane.Points[i].T =
            static_cast<int>(1000 + 10 * plane.Points[i].A + 20 * plane.Points[i].B);
    }
    for (double a = -0.5; a <= 20.5; a += 0.75) {
        for (double b = -0.5; b <= 20.5; b += 0.75) {
            if (a > 10.5 && b > 10.5) continue;
            EXPECT_NEAR(MeanValueTemperature(plane, a, b), 1000 + 10 * a + 20 * b, 1e-8)
                << a << ", " << b;
        }
    }
}

TEST(MeanValue, DegenerateOutlines) {
    struct TCase {
        const char* what;
        TAreaData area;
        double a, b, expected;
    };
    const TAreaData triangle = MakeArea({{0, 0, 1000}, {10, 0, 2000}, {0, 10, 3000}});
    const std::vector<TCase> cases = {
        {"no vertices", MakeArea({}), 5, 5, 0.0},
        {"one vertex", MakeArea({{3, 4, 1500}}), 50, 50, 1500},
        {"one vertex repeated", MakeArea({{3, 4, 1500}, {3, 4, 1500}, {3, 4, 1500}}), 0, 0, 1500},
        {"two vertices, beside the segment", MakeArea({{0, 0, 1000}, {10, 0, 2000}}), 2.5, 7, 1250},
        {"two vertices, beyond an end", MakeArea({{0, 0, 1000}, {10, 0, 2000}, {10, 0, 2000}}), -5,
         1, 1000},
        // Temperatures linear along the line, so that the way out and the way
        // back agree.
        {"all on one line", MakeArea({{0, 0, 1000}, {10, 0, 2000}, {20, 0, 3000}}), 15, 3, 2500},
        {"duplicates",
         MakeArea({{0, 0, 1000},
                   {0, 0, 1000},
                   {10, 0, 2000},
                   {0, 10, 3000},
                   {0, 10, 3000},
                   {0, 0, 1000}}),
         2, 3, MeanValueTemperature(triangle, 2, 3)},
        // A plane through the vertices is reproduced.
        {"triangle", triangle, 2, 3, 1000 + 100 * 2 + 200 * 3},
    };
    std::feclearexcept(FE_ALL_EXCEPT);
    for (const TCase& c : cases) {
        EXPECT_NEAR(MeanValueTemperature(c.area, c.a, c.b), c.expected, 1e-9) << c.what;
    }
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID));
    // Duplicates are not edges: their vertices and edges still interpolate.
    ExpectVerticesAndEdges(cases[6].area, {0.5});
}

// The largest second difference along the lattice's three directions where
// both neighbours lie in the field the picture shows at the centre. Within a
// lattice diagonal of a vertex it would measure the data, not the method:
// the edges meeting there change slope, by up to 28 degrees per step in the
// sample, and a method linear along each edge keeps that kink.
double LargestSecondDifference(TTernagram& diagram) {
    constexpr double kStep = 0.5;
    constexpr int kN = 200;
    const std::unique_ptr<TBitmap> map = diagram.RenderFieldMap();
    std::vector<int> field((kN + 1) * (kN + 1), -1);  // -1 also near a vertex
    std::vector<double> t(field.size());
    for (int i = 0; i <= kN; ++i) {
        for (int j = 0; i + j <= kN; ++j) {
            const int f = diagram.AreaNearComposition(*map, i * kStep, j * kStep);
            if (f < 0) continue;
            const TAreaData& area = diagram.AreaList()[f];
            bool nearVertex = false;
            for (int v = 1; v <= area.PointCount; ++v) {
                nearVertex = nearVertex || std::hypot(area.Points[v].A - i * kStep,
                                                      area.Points[v].B - j * kStep) < 1.5 * kStep;
            }
            field[i * (kN + 1) + j] = nearVertex ? -2 - f : f;
            t[i * (kN + 1) + j] = diagram.MeanValueTemperature(f, i * kStep, j * kStep);
        }
    }
    // Entry of lattice point (i, j); none off the triangle or in another field.
    const auto at = [&](int i, int j, int f) {
        const int k = i * (kN + 1) + j;
        const bool inside = i >= 0 && j >= 0 && i + j <= kN;
        return inside && (field[k] == f || field[k] == -2 - f) ? k : -1;
    };
    double largest = 0.0;
    for (int i = 0; i <= kN; ++i) {
        for (int j = 0; i + j <= kN; ++j) {
            const int f = field[i * (kN + 1) + j];
            if (f < 0) continue;
            for (const auto& [di, dj] : {std::pair{1, 0}, {0, 1}, {1, -1}}) {
                const int before = at(i - di, j - dj, f);
                const int after = at(i + di, j + dj, f);
                if (before < 0 || after < 0) continue;
                largest =
                    std::max(largest, std::abs(t[before] - 2 * t[i * (kN + 1) + j] + t[after]));
            }
        }
    }
    return largest;
}

TEST(MeanValueSample, SmoothInEachFieldAndSelectedForTheReadOut) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(1024, 768);
    EXPECT_LE(LargestSecondDifference(diagram), 10.0);

    const double expected = MeanValueTemperature(diagram.AreaList()[0], 32, 24);
    EXPECT_NE(diagram.AreaTemperature(0, 32, 24), expected);
    diagram.SetTCalcMethod(TTCalcMethod::tcMeanValue);
    EXPECT_EQ(diagram.AreaTemperature(0, 32, 24), expected);
}

}  // namespace
}  // namespace liquidus
