#include "isotherms/altitude.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <random>
#include <vector>

#include "sample/sampledata.h"

namespace liquidus {
namespace {

double Altitude(std::initializer_list<TAltitudePoint> vertices, double x, double y) {
    TAltitudePoints points{};
    int count = 0;
    for (const TAltitudePoint& p : vertices) {
        points[count++] = p;
    }
    return CalcAltitude(count, points, x, y);
}

TAreaData MakeArea(std::initializer_list<TAreaPoint> vertices) {
    TAreaData area;
    for (const TAreaPoint& p : vertices) {
        area.Points[++area.PointCount] = p;
    }
    return area;
}

// Even-odd rule; used only to pick lattice points well inside a field.
bool InsidePolygon(const TAreaData& area, double a, double b) {
    bool inside = false;
    const int n = area.PointCount;
    for (int i = 1, j = n; i <= n; j = i++) {
        const TAreaPoint& p = area.Points[i];
        const TAreaPoint& q = area.Points[j];
        if ((p.B > b) != (q.B > b) && a < p.A + (b - p.B) * (q.A - p.A) / (q.B - p.B)) {
            inside = !inside;
        }
    }
    return inside;
}

std::vector<TAreaData> SampleAreas() {
    std::vector<TAreaData> areas = MakeDefaultAreaList();
    FillSampleAreas(areas);
    return areas;
}

TEST(Altitude, NoUsableEdgeGivesZero) {
    EXPECT_EQ(Altitude({}, 10.0, 10.0), 0.0);
    // One vertex: its only edge joins it to itself.
    EXPECT_EQ(Altitude({{20.0, 30.0, 1500.0}}, 20.0, 30.0), 0.0);
    // Every edge shorter than 0.1 in both coordinates.
    EXPECT_EQ(
        Altitude({{20.0, 30.0, 1500.0}, {20.09, 30.0, 1600.0}, {20.0, 30.09, 1700.0}}, 20.0, 30.0),
        0.0);
    // 0.1 apart is no longer degenerate.
    EXPECT_NE(Altitude({{20.0, 30.0, 1500.0}, {20.1, 30.0, 1600.0}}, 20.05, 30.0), 0.0);
}

TEST(Altitude, CountIsClampedToTheArray) {
    TAltitudePoints points{};
    points[0] = {0.0, 0.0, 1000.0};
    points[1] = {50.0, 0.0, 2000.0};
    EXPECT_EQ(CalcAltitude(-3, points, 20.0, 0.0), 0.0);
    // Beyond 12 the remaining zero entries are degenerate with each other.
    EXPECT_EQ(CalcAltitude(40, points, 20.0, 0.0), CalcAltitude(12, points, 20.0, 0.0));

    // A host may write any byte into PointCount; only the record's twelve
    // vertices are ever read.
    TAreaData area = MakeArea({{0.0f, 0.0f, 1000}, {50.0f, 0.0f, 2000}, {0.0f, 50.0f, 3000}});
    area.PointCount = kMaxAreaPoints;
    const double expected = AltitudeTemperature(area, 10.0, 10.0);
    area.PointCount = 200;
    EXPECT_EQ(AltitudeTemperature(area, 10.0, 10.0), expected);
}

TEST(Altitude, InterpolatesAlongTheNearestEdge) {
    // A two-vertex polygon is one segment visited in both directions.
    const TAltitudePoint p0{0.0, 0.0, 1000.0};
    const TAltitudePoint p1{50.0, 0.0, 2000.0};
    EXPECT_DOUBLE_EQ(Altitude({p0, p1}, 20.0, 0.0), 1400.0);
    // Off the line the foot point still carries the temperature.
    EXPECT_DOUBLE_EQ(Altitude({p0, p1}, 20.0, 5.0), 1400.0);
    // The best distance starts at 100: a line that far away never counts.
    EXPECT_NEAR(Altitude({p0, p1}, 20.0, 99.9), 1400.0, 1e-9);
    EXPECT_EQ(Altitude({p0, p1}, 20.0, 100.0), 0.0);
}

TEST(Altitude, FootBeyondTheEdgeBecomesTheMidpoint) {
    const TAltitudePoint p0{0.0, 0.0, 1000.0};
    const TAltitudePoint p1{50.0, 0.0, 2000.0};
    // Extrapolating would give 2200; the edge's mean is taken instead.
    EXPECT_DOUBLE_EQ(Altitude({p0, p1}, 60.0, 0.0), 1500.0);
    // The height is measured to the edge's line, not to the midpoint: a
    // query anywhere on the line's extension competes with distance 0.
    EXPECT_DOUBLE_EQ(Altitude({p0, p1}, 140.0, 0.0), 1500.0);
    EXPECT_DOUBLE_EQ(Altitude({p0, p1}, -70.0, 0.0), 1500.0);
    // Off the line by 100 or more: never a candidate.
    EXPECT_EQ(Altitude({p0, p1}, 140.0, 100.0), 0.0);

    // Three vertices on one side of the triangle: a query on the second
    // edge lies on the extension of the first one, which is visited first
    // and so takes the result of pass 0 with its midpoint's mean (1200);
    // the second edge, also at height 0, does not replace it.
    TAltitudePoints side{};
    side[0] = {0.0, 0.0, 1000.0};
    side[1] = {20.0, 0.0, 1400.0};
    side[2] = {40.0, 0.0, 2200.0};
    side[3] = {20.0, 30.0, 1800.0};
    // Pass 0 alone is what the first eleven passes can give: none improves
    // on a height of 0, and only pass 11 may return earlier.
    EXPECT_NE(CalcAltitude(4, side, 30.0, 0.0), 1800.0);

    // Outside the polygon there is no inside test: the shrinking polygon
    // still gives a temperature from the field's own range.
    const double outside =
        Altitude({{0.0, 0.0, 1000.0}, {50.0, 0.0, 2000.0}, {0.0, 50.0, 3000.0}}, 60.0, 60.0);
    EXPECT_GE(outside, 1000.0);
    EXPECT_LE(outside, 3000.0);
}

TEST(Altitude, VerticesAndDegenerateEdges) {
    const std::initializer_list<TAltitudePoint> triangle = {
        {0.0, 0.0, 1000.0}, {50.0, 0.0, 2000.0}, {0.0, 50.0, 3000.0}};
    EXPECT_DOUBLE_EQ(Altitude(triangle, 0.0, 0.0), 1000.0);
    EXPECT_DOUBLE_EQ(Altitude(triangle, 50.0, 0.0), 2000.0);
    EXPECT_DOUBLE_EQ(Altitude(triangle, 0.0, 50.0), 3000.0);

    // A first edge shorter than 0.1 is skipped and leaves the first vertex
    // where it was, so the closing edge still reaches (0, 0).
    EXPECT_DOUBLE_EQ(
        Altitude({{0.0, 0.0, 1000.0}, {0.05, 0.05, 5000.0}, {100.0, 0.0, 2000.0}}, 50.0, 0.0),
        1500.0);
}

TEST(Altitude, EqualDistancesKeepTheFirstEdge) {
    // Both real edges lie on B = 0 and are 30 from the query; the first one
    // visited (1500) keeps the result over the later one (2500). The edge
    // between the two coincident vertices is degenerate.
    EXPECT_DOUBLE_EQ(
        Altitude({{0.0, 0.0, 1000.0}, {100.0, 0.0, 2000.0}, {100.0, 0.0, 4000.0}}, 50.0, 30.0),
        1500.0);
}

TEST(Altitude, ShrinksThePolygonOntoTheQuery) {
    // A generic convex field and an inner query: the answer depends on the
    // pass structure (the closing edge using the first vertex as it stood at
    // the start of the pass, the first early-exit pass 11, the midpoint
    // rule). The value is from an independent straightforward
    // re-implementation in double precision.
    EXPECT_NEAR(Altitude({{80.0, 5.0, 1900.0},
                          {90.0, 60.0, 2300.0},
                          {100.0, 75.0, 2300.0},
                          {65.0, 100.0, 1000.0}},
                         88.0, 74.0),
                1920.1461391218884, 1e-9);

    // The caller's vertices are not changed.
    TAltitudePoints points{};
    points[0] = {0.0, 0.0, 1000.0};
    points[1] = {50.0, 0.0, 2000.0};
    points[2] = {0.0, 50.0, 3000.0};
    const TAltitudePoints before = points;
    CalcAltitude(3, points, 10.0, 10.0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(points[i].X, before[i].X);
        EXPECT_EQ(points[i].Y, before[i].Y);
        EXPECT_EQ(points[i].T, before[i].T);
    }
}

TEST(Altitude, AreaEvaluatorUsesPointsFromIndexOne) {
    TAreaData area = MakeArea({{0.0f, 0.0f, 1000}, {50.0f, 0.0f, 2000}, {0.0f, 50.0f, 3000}});
    area.Points[0] = TAreaPoint{10.0f, 10.0f, 9999};  // unused entry
    area.Points[4] = TAreaPoint{10.0f, 10.0f, 9999};  // beyond PointCount
    EXPECT_DOUBLE_EQ(AltitudeTemperature(area, 50.0, 0.0), 2000.0);
    EXPECT_DOUBLE_EQ(AltitudeTemperature(area, 25.0, 0.0), 1500.0);
    EXPECT_EQ(AltitudeTemperature(area, 10.0, 10.0),
              Altitude({{0.0, 0.0, 1000.0}, {50.0, 0.0, 2000.0}, {0.0, 50.0, 3000.0}}, 10.0, 10.0));
}

TEST(Altitude, SampleFieldsReproduceMostVertices) {
    // A query on a vertex is at height 0 from both of its edges, but also
    // from any earlier-visited edge whose line runs through it (several
    // vertices along a triangle side), and a foot computed at an edge's far
    // end may land a rounding error outside the edge and become its
    // midpoint. Those vertices take another edge's value by the method's
    // own rule; every other vertex must come back exactly, and none may
    // leave the field's temperature range.
    const std::vector<TAreaData> areas = SampleAreas();
    int exact = 0;
    int total = 0;
    for (int f = 0; f < kSampleFieldCount; ++f) {
        const TAreaData& area = areas[f];
        ASSERT_GT(area.PointCount, 0) << f;
        int low = area.Points[1].T;
        int high = low;
        for (int i = 1; i <= area.PointCount; ++i) {
            low = std::min(low, area.Points[i].T);
            high = std::max(high, area.Points[i].T);
        }
        for (int i = 1; i <= area.PointCount; ++i) {
            const TAreaPoint& p = area.Points[i];
            const double t = AltitudeTemperature(area, p.A, p.B);
            ++total;
            exact += std::fabs(t - p.T) < 1e-9;
            EXPECT_GE(t, low) << area.Name.str() << " vertex " << i;
            EXPECT_LE(t, high) << area.Name.str() << " vertex " << i;
        }
    }
    EXPECT_EQ(total, 71);
    EXPECT_GE(exact, 64);
}

TEST(Altitude, SampleFieldsStayWithinTheirTemperatures) {
    const std::vector<TAreaData> areas = SampleAreas();
    for (int f = 0; f < kSampleFieldCount; ++f) {
        const TAreaData& area = areas[f];
        int low = area.Points[1].T;
        int high = area.Points[1].T;
        for (int i = 1; i <= area.PointCount; ++i) {
            low = std::min(low, area.Points[i].T);
            high = std::max(high, area.Points[i].T);
        }
        int checked = 0;
        auto check = [&](double a, double b) {
            const double t = AltitudeTemperature(area, a, b);
            EXPECT_GE(t, low - 1e-9) << area.Name.str() << " at " << a << ", " << b;
            EXPECT_LE(t, high + 1e-9) << area.Name.str() << " at " << a << ", " << b;
            ++checked;
        };
        check(area.FillA, area.FillB);
        for (double a = 0.25; a < 100.0; a += 0.75) {
            for (double b = 0.25; a + b < 100.0; b += 0.75) {
                if (InsidePolygon(area, a, b)) {
                    check(a, b);
                }
            }
        }
        EXPECT_GT(checked, 1) << area.Name.str();
    }
}

// The vector implementation must agree with the loop to the last bit, on the
// sample's fields at every lattice point of a scan and on polygons built to
// hit the special cases: coincident and collinear vertices, queries on
// vertices and edges, every vertex count, and values that are not numbers.
TEST(Altitude, VectorCodeMatchesTheLoopBitForBit) {
    if (!AltitudeVectorAvailable()) GTEST_SKIP() << "no AVX2 on this processor";
    int compared = 0;
    const auto same = [&](int count, const TAltitudePoints& points, double x, double y) {
        const double loop = CalcAltitudeScalar(count, points, x, y);
        const double vector = CalcAltitude(count, points, x, y);
        ++compared;
        // Which NaN comes out of an operation on two NaNs depends on operand
        // order, which the compiler may swap; any NaN is the same answer.
        return std::bit_cast<std::uint64_t>(loop) == std::bit_cast<std::uint64_t>(vector) ||
               (std::isnan(loop) && std::isnan(vector));
    };

    for (const TAreaData& area : SampleAreas()) {
        TAltitudePoints points{};
        for (int i = 0; i < area.PointCount; ++i) {
            const TAreaPoint& p = area.Points[i + 1];
            points[i] = {p.A, p.B, static_cast<double>(p.T)};
        }
        for (double b = 0.0; b <= 100.0; b += 1.0) {
            for (double a = 0.0; a + b <= 100.0; a += 1.0) {
                ASSERT_TRUE(same(area.PointCount, points, a, b))
                    << area.Name.str() << " at " << a << ", " << b;
            }
        }
    }

    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> coordinate(0.0, 100.0);
    std::uniform_real_distribution<double> temperature(500.0, 3000.0);
    std::uniform_int_distribution<int> pick(0, 11);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (int trial = 0; trial < 20000; ++trial) {
        const int count = trial % 13;
        TAltitudePoints points{};
        for (int i = 0; i < count; ++i) {
            points[i] = {coordinate(random), coordinate(random), temperature(random)};
        }
        if (count >= 2) {
            const int i = pick(random) % count;
            const int j = pick(random) % count;
            switch (trial % 7) {
                case 1:
                    points[i] = points[j];
                    break;  // coincident vertices
                case 2:
                    points[i].X = points[j].X + 0.05;
                    points[i].Y = points[j].Y;
                    break;
                case 3:
                    points[i].Y = points[j].Y;
                    break;  // a horizontal edge
                case 4:
                    points[i].X = (trial % 3 == 0) ? nan : inf;
                    break;
                default:
                    break;
            }
        }
        double x = coordinate(random);
        double y = coordinate(random);
        if (count >= 2 && trial % 5 == 0) {  // on a vertex or an edge
            const TAltitudePoint& p = points[pick(random) % count];
            const TAltitudePoint& q = points[pick(random) % count];
            const double t = (trial % 10 == 0) ? 0.0 : 0.5;
            x = p.X + (q.X - p.X) * t;
            y = p.Y + (q.Y - p.Y) * t;
        }
        ASSERT_TRUE(same(count, points, x, y)) << "trial " << trial << ", " << count << " vertices";
    }
    EXPECT_GT(compared, 100000);
}

}  // namespace
}  // namespace liquidus
