#include "isotherms/polynoms.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace liquidus {

namespace {

bool InMatrix(int high) { return high >= -1 && high <= kMatrixHigh; }

}  // namespace

double MatDeterminant(TMatrix m, int n) {
    if (n > kMatrixHigh) {
        return 0.0;
    }
    int swaps = 0;
    for (int k = 0; k <= n; ++k) {
        // Rows are exchanged only for an exact zero pivot; a tiny pivot is
        // used as it is, so results match the plain elimination bit for bit.
        if (m(k, k) == 0.0) {
            int r = k + 1;
            while (r <= n && m(r, k) == 0.0) {
                ++r;
            }
            if (r > n) {
                return 0.0;
            }
            for (int c = 0; c <= n; ++c) {
                std::swap(m(k, c), m(r, c));
            }
            ++swaps;
        }
        for (int i = k + 1; i <= n; ++i) {
            const double f = m(i, k) / m(k, k);
            for (int c = k; c <= n; ++c) {
                m(i, c) = m(i, c) - m(k, c) * f;
            }
        }
    }
    double det = 1.0;
    for (int k = 0; k <= n; ++k) {
        det *= m(k, k);
    }
    return (swaps % 2 != 0) ? -det : det;
}

void MatMinor(TMatrix m, int r, int c, TMatrix& result) {
    int row = 0;
    for (int i = 0; i <= m.RowsHigh; ++i) {
        if (i == r) {
            continue;
        }
        int col = 0;
        for (int j = 0; j <= m.ColsHigh; ++j) {
            if (j == c) {
                continue;
            }
            result(row, col) = m(i, j);
            ++col;
        }
        ++row;
    }
    result.RowsHigh = m.RowsHigh - 1;
    result.ColsHigh = m.ColsHigh - 1;
    result.Status = kStatusOk;
}

void MatMultiply(int lRowsHigh, int lColsHigh, int rRowsHigh, int rColsHigh,
                 const TMatrix& l, const TMatrix& r, TMatrix& result) {
    if (lColsHigh != rRowsHigh || !InMatrix(lRowsHigh) || !InMatrix(lColsHigh) ||
        !InMatrix(rColsHigh)) {
        result.Status = kStatusInvalid;
        return;
    }
    // Products go to a scratch block first: the result may be a factor.
    std::array<std::array<double, kMatrixSize>, kMatrixSize> product{};
    for (int i = 0; i <= lRowsHigh; ++i) {
        for (int j = 0; j <= rColsHigh; ++j) {
            double sum = 0.0;
            for (int k = 0; k <= lColsHigh; ++k) {
                sum += l(i, k) * r(k, j);
            }
            product[i][j] = sum;
        }
    }
    for (int i = 0; i <= lRowsHigh; ++i) {
        for (int j = 0; j <= rColsHigh; ++j) {
            result(i, j) = product[i][j];
        }
    }
    result.RowsHigh = lRowsHigh;
    result.ColsHigh = rColsHigh;
    result.Status = kStatusOk;
}

void MatInverse(TMatrix m, int n, TMatrix& result) {
    const double d = MatDeterminant(m, m.RowsHigh);
    if (d == 0.0) {
        result.Status = kStatusInvalid;
        return;
    }
    TMatrix minor;
    for (int i = 0; i <= m.RowsHigh; ++i) {
        for (int j = 0; j <= m.ColsHigh; ++j) {
            MatMinor(m, i, j, minor);
            const double sign = ((i + j) % 2 == 0) ? 1.0 : -1.0;
            result(i, j) = sign * MatDeterminant(minor, n - 1) / d;
        }
    }
    result.RowsHigh = m.RowsHigh;
    result.ColsHigh = m.ColsHigh;
    result.Status = kStatusOk;
}

std::array<double, kPolyTerms> PolyBasis(double x, double y) {
    return {1.0,
            x,
            y,
            std::pow(x, 2.0),
            x * y,
            std::pow(y, 2.0),
            std::pow(x, 3.0),
            std::pow(x, 2.0) * y,
            x * std::pow(y, 2.0),
            std::pow(y, 3.0)};
}

void PolyFit(const TVector& x, const TVector& y, const TVector& t, int n,
             int termsHigh, TMatrix& result) {
    if (n < 1 || n > kMaxAreaPoints || termsHigh < 0 || termsHigh >= kPolyTerms) {
        result.Status = kStatusInvalid;
        return;
    }

    TMatrix design;  // one row per point, one column per term
    TMatrix designT;
    for (int i = 0; i < n; ++i) {
        const auto basis = PolyBasis(x[i], y[i]);
        for (int j = 0; j <= termsHigh; ++j) {
            design(i, j) = basis[j];
            designT(j, i) = basis[j];
        }
    }
    design.RowsHigh = n - 1;
    design.ColsHigh = termsHigh;
    designT.RowsHigh = termsHigh;
    designT.ColsHigh = n - 1;

    TMatrix normal;
    MatMultiply(designT.RowsHigh, designT.ColsHigh, design.RowsHigh, design.ColsHigh,
                designT, design, normal);
    if (normal.Status == kStatusInvalid) {
        result.Status = kStatusProductFailed;
        return;
    }

    TMatrix normalInv;
    MatInverse(normal, normal.RowsHigh, normalInv);
    if (normalInv.Status == kStatusInvalid) {
        result.Status = kStatusSingular;
        return;
    }

    TMatrix pseudo;
    MatMultiply(normalInv.RowsHigh, normalInv.ColsHigh, designT.RowsHigh, designT.ColsHigh,
                normalInv, designT, pseudo);
    if (pseudo.Status != kStatusOk) {
        result.Status = kStatusProductFailed;
        return;
    }

    TMatrix column;
    for (int i = 0; i < n; ++i) {
        column(i, 0) = t[i];
    }
    column.RowsHigh = n - 1;
    column.ColsHigh = 0;

    TMatrix coefficients;
    MatMultiply(pseudo.RowsHigh, pseudo.ColsHigh, column.RowsHigh, column.ColsHigh, pseudo,
                column, coefficients);
    if (coefficients.Status != kStatusOk) {
        result.Status = kStatusProductFailed;
        return;
    }

    for (int i = 0; i <= termsHigh; ++i) {
        result(i, 0) = coefficients(i, 0);
    }
    result.RowsHigh = termsHigh;
    result.ColsHigh = 0;
    result.Status = kStatusOk;
}

double PolyValue(const TMatrix& coefficients, double x, double y) {
    if (x < 0.0 || y < 0.0) {
        return 0.0;
    }
    const auto basis = PolyBasis(x, y);
    const int high = std::min(coefficients.RowsHigh, kPolyTerms - 1);
    double sum = 0.0;
    for (int i = 0; i <= high; ++i) {
        sum += coefficients(i, 0) * basis[i];
    }
    return sum;
}

int PolyTermsHigh(int pointCount) { return pointCount <= 9 ? pointCount - 1 : 7; }

namespace {

// The field's vertices as fractions; a count above the record's capacity is
// cut so that a directly written record cannot send us past its vertices.
void FitArea(const TAreaData& area, TMatrix& coefficients) {
    const int n = std::min<int>(area.PointCount, kMaxAreaPoints);
    TVector x;
    TVector y;
    TVector t;
    for (int i = 0; i < n; ++i) {
        const TAreaPoint& p = area.Points[i + 1];
        x[i] = p.A / 100.0;
        y[i] = p.B / 100.0;
        t[i] = static_cast<double>(p.T);
    }
    x.ColsHigh = y.ColsHigh = t.ColsHigh = n - 1;
    coefficients = TMatrix{};
    PolyFit(x, y, t, n, PolyTermsHigh(n), coefficients);
}

// A failed fit leaves no coefficients; callers still expect a temperature.
double EvaluateFit(const TMatrix& coefficients, double a, double b) {
    if (coefficients.Status != kStatusOk) {
        return 0.0;
    }
    return PolyValue(coefficients, a / 100.0, b / 100.0);
}

}  // namespace

double PolynomialTemperature(const TAreaData& area, double a, double b) {
    TMatrix coefficients;
    FitArea(area, coefficients);
    return EvaluateFit(coefficients, a, b);
}

double TPolynomialTemperature::Temperature(int areaIndex, const TAreaData& area, double a,
                                           double b) {
    if (areaIndex < 0 || areaIndex >= kAreaCount) {
        return PolynomialTemperature(area, a, b);
    }
    // Hosts write records in place, so a version counter cannot be trusted;
    // the vertices themselves are the key. Bit patterns, not float equality:
    // -0.0 and 0.0 (or two NaNs) must not be taken for each other.
    const int n = std::min<int>(area.PointCount, kMaxAreaPoints);
    std::array<std::uint32_t, 3 * kMaxAreaPoints> key{};
    for (int i = 0; i < n; ++i) {
        const TAreaPoint& p = area.Points[i + 1];
        key[3 * i] = std::bit_cast<std::uint32_t>(p.A);
        key[3 * i + 1] = std::bit_cast<std::uint32_t>(p.B);
        key[3 * i + 2] = std::bit_cast<std::uint32_t>(p.T);
    }

    TFit& fit = m_fits[areaIndex];
    if (!fit.Valid || fit.PointCount != n || fit.Key != key) {
        FitArea(area, fit.Coefficients);
        fit.PointCount = n;
        fit.Key = key;
        fit.Valid = true;
    }
    return EvaluateFit(fit.Coefficients, a, b);
}

void TPolynomialTemperature::Clear() {
    for (TFit& fit : m_fits) {
        fit.Valid = false;
    }
}

}  // namespace liquidus
