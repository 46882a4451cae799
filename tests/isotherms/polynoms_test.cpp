#include "isotherms/polynoms.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sample/sampledata.h"

namespace liquidus {
namespace {

TMatrix MakeMatrix(std::initializer_list<std::initializer_list<double>> rows) {
    TMatrix m;
    int r = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (double v : row) {
            m(r, c++) = v;
        }
        m.ColsHigh = c - 1;
        ++r;
    }
    m.RowsHigh = r - 1;
    return m;
}

TMatrix Filled(double value) {
    TMatrix m;
    for (auto& row : m.Items) {
        row.fill(value);
    }
    m.RowsHigh = 4;
    m.ColsHigh = 4;
    m.Status = 7;
    return m;
}

struct TSamplePoint {
    double x;
    double y;
};

// Well spread, no three on a line, no two on a common vertical or
// horizontal, so every leading term set below is regular.
constexpr TSamplePoint kPoints[12] = {
    {0.10, 0.20}, {0.70, 0.05}, {0.30, 0.60}, {0.55, 0.35}, {0.15, 0.80}, {0.85, 0.12},
    {0.40, 0.15}, {0.25, 0.45}, {0.62, 0.30}, {0.05, 0.50}, {0.48, 0.22}, {0.35, 0.40},
};

struct TFitData {
    TVector x;
    TVector y;
    TVector t;
};

template <typename F>
TFitData MakeData(int n, F temperature) {
    TFitData d;
    for (int i = 0; i < n; ++i) {
        d.x[i] = kPoints[i].x;
        d.y[i] = kPoints[i].y;
        d.t[i] = temperature(kPoints[i].x, kPoints[i].y, i);
    }
    d.x.ColsHigh = d.y.ColsHigh = d.t.ColsHigh = n - 1;
    return d;
}

TAreaData MakeArea(std::initializer_list<TAreaPoint> vertices) {
    TAreaData area;
    for (const TAreaPoint& p : vertices) {
        area.Points[++area.PointCount] = p;
    }
    return area;
}

// Status 0, the shape of `rows` and its elements.
void ExpectMatrix(const TMatrix& m, std::initializer_list<std::initializer_list<double>> rows,
                  double tolerance = 0.0) {
    const TMatrix expected = MakeMatrix(rows);
    EXPECT_EQ(m.Status, kStatusOk);
    ASSERT_EQ(m.RowsHigh, expected.RowsHigh);
    ASSERT_EQ(m.ColsHigh, expected.ColsHigh);
    for (int i = 0; i <= m.RowsHigh; ++i) {
        for (int j = 0; j <= m.ColsHigh; ++j) {
            EXPECT_NEAR(m(i, j), expected(i, j), tolerance) << i << ", " << j;
        }
    }
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

TEST(Polynoms, DeterminantByElimination) {
    const TMatrix m = MakeMatrix({{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}});
    EXPECT_NEAR(MatDeterminant(m, 2), 4.0, 1e-12);
    // Only the leading block counts.
    EXPECT_NEAR(MatDeterminant(m, 1), 3.0, 1e-12);
    EXPECT_EQ(MatDeterminant(m, 0), 2.0);
    EXPECT_EQ(MatDeterminant(m, -1), 1.0);
    // No such block in a 13 x 13 matrix.
    EXPECT_EQ(MatDeterminant(m, kMatrixSize), 0.0);

    // Zero pivots force row exchanges; each one flips the sign.
    EXPECT_EQ(MatDeterminant(MakeMatrix({{0, 2}, {3, 0}}), 1), -6.0);
    // A cyclic permutation needs two exchanges: the sign comes back.
    EXPECT_EQ(MatDeterminant(MakeMatrix({{0, 2, 0}, {0, 0, 3}, {5, 0, 0}}), 2), 30.0);
    EXPECT_EQ(MatDeterminant(MakeMatrix({{0, 0, 3}, {0, 2, 0}, {5, 0, 0}}), 2), -30.0);
    // A zero pivot in a general matrix.
    EXPECT_NEAR(MatDeterminant(MakeMatrix({{0, 1, 2}, {1, 0, 3}, {4, -3, 8}}), 2), -2.0, 1e-12);
}

TEST(Polynoms, SingularMatrices) {
    // Column 0 is zero on and below the diagonal.
    EXPECT_EQ(MatDeterminant(MakeMatrix({{0, 1}, {0, 2}}), 1), 0.0);
    // Becomes singular only at the last stage, after an exchange.
    const TMatrix late = MakeMatrix({{1, 2, 3}, {2, 4, 6}, {1, 1, 1}});
    EXPECT_EQ(MatDeterminant(late, 2), 0.0);

    TMatrix inverse = Filled(42.0);
    MatInverse(late, 2, inverse);
    EXPECT_EQ(inverse.Status, kStatusInvalid);
    EXPECT_EQ(inverse(0, 0), 42.0);  // nothing else written
    EXPECT_EQ(inverse.RowsHigh, 4);
}

TEST(Polynoms, MinorMultiplyAndInverse) {
    const TMatrix m = MakeMatrix({{4, 1, 2}, {1, 3, 0}, {2, 0, 5}});
    TMatrix result = Filled(-1.0);
    MatMinor(m, 1, 0, result);
    ExpectMatrix(result, {{1, 2}, {0, 5}});

    const TMatrix l = MakeMatrix({{1, 2, 3}, {4, 5, 6}});
    const TMatrix r = MakeMatrix({{1, 0}, {0, 1}, {2, -1}});
    MatMultiply(l.RowsHigh, l.ColsHigh, r.RowsHigh, r.ColsHigh, l, r, result);
    ExpectMatrix(result, {{7, -1}, {16, -1}});

    // Inner dimensions differ: only the status is written.
    result = Filled(3.0);
    MatMultiply(l.RowsHigh, l.ColsHigh, l.RowsHigh, l.ColsHigh, l, l, result);
    EXPECT_EQ(result.Status, kStatusInvalid);
    EXPECT_EQ(result(0, 0), 3.0);
    EXPECT_EQ(result.RowsHigh, 4);

    // The result may be one of the factors.
    TMatrix square = MakeMatrix({{1, 2}, {3, 4}});
    MatMultiply(1, 1, 1, 1, square, square, square);
    ExpectMatrix(square, {{7, 10}, {15, 22}});

    TMatrix inverse;
    MatInverse(m, 2, inverse);
    MatMultiply(2, 2, 2, 2, m, inverse, result);
    ExpectMatrix(result, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 1e-12);

    // Cofactors stay at their own position, so a non-symmetric matrix comes
    // back as the transpose of its inverse.
    MatInverse(MakeMatrix({{2, 1}, {0, 4}}), 1, inverse);
    ExpectMatrix(inverse, {{0.5, 0.0}, {-0.125, 0.25}});
}

TEST(Polynoms, TermsByPointCount) {
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(PolyTermsHigh(n), n - 1);
    }
    EXPECT_EQ(PolyTermsHigh(10), 7);
    EXPECT_EQ(PolyTermsHigh(11), 7);
    EXPECT_EQ(PolyTermsHigh(12), 7);
}

TEST(Polynoms, SquareFitsPassThroughThePoints) {
    // A smooth field with every term present, so no fit is exact by accident.
    auto field = [](double x, double y, int) {
        return 1500.0 + 400.0 * x - 250.0 * y + 300.0 * x * x * y + 120.0 * std::sin(5.0 * x * y);
    };
    for (int n = 1; n <= 9; ++n) {
        const TFitData d = MakeData(n, field);
        TMatrix c;
        PolyFit(d.x, d.y, d.t, n, PolyTermsHigh(n), c);
        ASSERT_EQ(c.Status, kStatusOk) << n;
        EXPECT_EQ(c.RowsHigh, n - 1);
        EXPECT_EQ(c.ColsHigh, 0);
        for (int i = 0; i < n; ++i) {
            // The normal equations square the condition number: nine cubic
            // terms lose a few digits.
            EXPECT_NEAR(PolyValue(c, d.x[i], d.y[i]), d.t[i], 1e-3) << n << " points, #" << i;
        }
    }

    // One point: the constant everywhere.
    TAreaData single = MakeArea({{30.0f, 20.0f, 1650}});
    EXPECT_DOUBLE_EQ(PolynomialTemperature(single, 30.0, 20.0), 1650.0);
    EXPECT_DOUBLE_EQ(PolynomialTemperature(single, 80.0, 5.0), 1650.0);
    EXPECT_DOUBLE_EQ(PolynomialTemperature(single, 0.0, 0.0), 1650.0);

    // Three points: the plane through them, T = 1000 + 500 x + 300 y with
    // x, y as fractions of the percent coordinates.
    TAreaData plane = MakeArea({{10.0f, 10.0f, 1080}, {50.0f, 10.0f, 1280}, {20.0f, 60.0f, 1280}});
    EXPECT_NEAR(PolynomialTemperature(plane, 10.0, 10.0), 1080.0, 1e-9);
    EXPECT_NEAR(PolynomialTemperature(plane, 50.0, 10.0), 1280.0, 1e-9);
    EXPECT_NEAR(PolynomialTemperature(plane, 20.0, 60.0), 1280.0, 1e-9);
    EXPECT_NEAR(PolynomialTemperature(plane, 40.0, 40.0), 1320.0, 1e-9);
}

TEST(Polynoms, TenPointsAndMoreUseEightTerms) {
    // Data made from the eight terms are reproduced exactly ...
    auto eightTerms = [](double x, double y, int) {
        return 1200.0 + 300.0 * x - 200.0 * y + 150.0 * x * x + 80.0 * x * y - 60.0 * y * y +
               40.0 * x * x * x - 90.0 * x * x * y;
    };
    // ... a y^3 part and noise are not: least squares over all points.
    auto rough = [&](double x, double y, int i) {
        return eightTerms(x, y, i) + 500.0 * y * y * y + ((i % 2 == 0) ? 3.0 : -3.0);
    };
    for (int n = 10; n <= 12; ++n) {
        const int termsHigh = PolyTermsHigh(n);
        TFitData d = MakeData(n, eightTerms);
        TMatrix c;
        PolyFit(d.x, d.y, d.t, n, termsHigh, c);
        ASSERT_EQ(c.Status, kStatusOk);
        EXPECT_EQ(c.RowsHigh, 7);
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(PolyValue(c, d.x[i], d.y[i]), d.t[i], 1e-3) << n << " points, #" << i;
        }

        d = MakeData(n, rough);
        PolyFit(d.x, d.y, d.t, n, termsHigh, c);
        ASSERT_EQ(c.Status, kStatusOk);
        double largest = 0.0;
        std::vector<double> orthogonality(kPolyTerms, 0.0);
        for (int i = 0; i < n; ++i) {
            const double residual = d.t[i] - PolyValue(c, d.x[i], d.y[i]);
            largest = std::max(largest, std::fabs(residual));
            const auto basis = PolyBasis(d.x[i], d.y[i]);
            for (int j = 0; j <= termsHigh; ++j) {
                orthogonality[j] += residual * basis[j];
            }
        }
        EXPECT_GT(largest, 0.5) << n;
        // The normal equations hold: residuals are orthogonal to every term.
        for (int j = 0; j <= termsHigh; ++j) {
            EXPECT_NEAR(orthogonality[j], 0.0, 1e-3) << n << " points, term " << j;
        }
    }
}

TEST(Polynoms, FailedFits) {
    TFitData d = MakeData(3, [](double, double, int) { return 1500.0; });
    TMatrix c = Filled(5.0);
    PolyFit(d.x, d.y, d.t, 0, 0, c);
    EXPECT_EQ(c.Status, kStatusInvalid);
    PolyFit(d.x, d.y, d.t, 13, 7, c);
    EXPECT_EQ(c.Status, kStatusInvalid);
    PolyFit(d.x, d.y, d.t, 3, kPolyTerms, c);
    EXPECT_EQ(c.Status, kStatusInvalid);

    // Three collinear points cannot carry a plane.
    for (int i = 0; i < 3; ++i) {
        d.x[i] = 0.25 * (i + 1);
        d.y[i] = 0.125 * (i + 1);
    }
    PolyFit(d.x, d.y, d.t, 3, 2, c);
    EXPECT_EQ(c.Status, kStatusSingular);

    // The evaluator answers 0.0 whenever the fit fails.
    TAreaData empty;
    EXPECT_EQ(PolynomialTemperature(empty, 20.0, 20.0), 0.0);
    // Exact binary fractions, so the normal matrix is exactly singular.
    TAreaData collinear =
        MakeArea({{25.0f, 12.5f, 1500}, {50.0f, 25.0f, 1600}, {75.0f, 37.5f, 1700}});
    EXPECT_EQ(PolynomialTemperature(collinear, 20.0, 20.0), 0.0);
    TAreaData sameA = MakeArea({{50.0f, 20.0f, 1500}, {50.0f, 40.0f, 1600}});
    EXPECT_EQ(PolynomialTemperature(sameA, 20.0, 20.0), 0.0);
    TPolynomialTemperature cached;
    EXPECT_EQ(cached.Temperature(0, collinear, 20.0, 20.0), 0.0);
    EXPECT_EQ(cached.Temperature(0, collinear, 20.0, 20.0), 0.0);
}

TEST(Polynoms, NegativeCompositionGivesZero) {
    const TMatrix c = MakeMatrix({{1000.0}, {200.0}, {300.0}});
    EXPECT_EQ(PolyValue(c, -0.01, 0.5), 0.0);
    EXPECT_EQ(PolyValue(c, 0.5, -0.01), 0.0);
    EXPECT_EQ(PolyValue(c, 0.0, 0.0), 1000.0);
    EXPECT_DOUBLE_EQ(PolyValue(c, 0.5, 1.0), 1400.0);

    TAreaData single = MakeArea({{30.0f, 20.0f, 1650}});
    EXPECT_EQ(PolynomialTemperature(single, -1.0, 20.0), 0.0);
    EXPECT_EQ(PolynomialTemperature(single, 20.0, -1.0), 0.0);
}

TEST(Polynoms, CachedFitsEqualFreshFits) {
    std::vector<TAreaData> areas = MakeDefaultAreaList();
    FillSampleAreas(areas);
    TPolynomialTemperature cached;

    auto expectSame = [&](int index, double a, double b) {
        EXPECT_EQ(Bits(cached.Temperature(index, areas[index], a, b)),
                  Bits(PolynomialTemperature(areas[index], a, b)))
            << areas[index].Name.str() << " at " << a << ", " << b;
    };
    // Interleave fields so every entry is hit warm and cold.
    for (int f = 0; f < kSampleFieldCount; ++f) {
        expectSame(f, areas[f].FillA, areas[f].FillB);
    }
    for (int f = kSampleFieldCount - 1; f >= 0; --f) {
        expectSame(f, areas[f].FillA, areas[f].FillB);
        expectSame(f, areas[f].FillA + 1.0, areas[f].FillB);
    }

    // Records are changed in place, as a host or a unit change does.
    TAreaData& spinel = areas[0];
    const double before = cached.Temperature(0, spinel, 30.0, 20.0);
    spinel.Points[3].A += 0.5f;
    expectSame(0, 30.0, 20.0);
    EXPECT_NE(cached.Temperature(0, spinel, 30.0, 20.0), before);
    spinel.Points[5].B -= 0.25f;
    expectSame(0, 30.0, 20.0);
    spinel.Points[spinel.PointCount].T += 40;
    expectSame(0, 30.0, 20.0);
    spinel.PointCount = 9;  // from eight least-squares terms to nine interpolating ones
    expectSame(0, 30.0, 20.0);
    expectSame(0, 10.0, 5.0);
    // Dropping a vertex at (0, 0) with 0 degrees still counts as a change.
    spinel.Points[spinel.PointCount] = TAreaPoint{};
    expectSame(0, 30.0, 20.0);
    --spinel.PointCount;
    expectSame(0, 30.0, 20.0);

    // Points beyond the count do not matter; a record swapped under an
    // index is refitted.
    areas[1].Points[kMaxAreaPoints] = TAreaPoint{1.0f, 2.0f, 3};
    expectSame(1, areas[1].FillA, areas[1].FillB);
    areas[1] = areas[2];
    expectSame(1, 60.0, 10.0);

    // Clearing and out-of-range indices still give the fresh result.
    cached.Clear();
    expectSame(2, 60.0, 10.0);
    EXPECT_EQ(Bits(cached.Temperature(kAreaCount, areas[2], 60.0, 10.0)),
              Bits(PolynomialTemperature(areas[2], 60.0, 10.0)));
    EXPECT_EQ(Bits(cached.Temperature(-1, areas[2], 60.0, 10.0)),
              Bits(PolynomialTemperature(areas[2], 60.0, 10.0)));
}

TEST(Polynoms, SampleFields) {
    std::vector<TAreaData> areas = MakeDefaultAreaList();
    FillSampleAreas(areas);
    for (int f = 0; f < kSampleFieldCount; ++f) {
        const TAreaData& area = areas[f];
        if (area.PointCount >= 10) {
            continue;  // least squares: no reason to pass through the vertices
        }
        // Up to nine vertices the surface interpolates them; the normal
        // equations solved by cofactors cost a few hundredths of a degree on
        // the worse conditioned fields.
        for (int i = 1; i <= area.PointCount; ++i) {
            const TAreaPoint& p = area.Points[i];
            EXPECT_NEAR(PolynomialTemperature(area, p.A, p.B), p.T, 0.2)
                << area.Name.str() << " vertex " << i;
        }
    }
}

}  // namespace
}  // namespace liquidus
