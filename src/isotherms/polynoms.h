#pragma once
// Liquidus temperature inside one phase field from a polynomial surface
// T(x, y) of up to the third degree, fitted by least squares to the field's
// boundary vertices (x, y are the compositions as fractions). Small dense
// matrices are fixed-size values: the fit runs in the isotherm scan's inner
// loop and must not touch the heap.

#include <array>
#include <cstdint>

#include "model/areadata.h"

namespace liquidus {

/// Room for the design matrix of a 12-point field (12 x 10) and its
/// transpose.
constexpr int kMatrixSize = 13;
/// Highest valid row or column index of a TMatrix.
constexpr int kMatrixHigh = kMatrixSize - 1;
/// Terms of the polynomial family: 1, x, y, x^2, xy, y^2, x^3, x^2y, xy^2, y^3.
constexpr int kPolyTerms = 10;

/// Status codes of the matrix routines and the fit.
constexpr int kStatusOk = 0;
constexpr int kStatusInvalid = -1;        // no points, mismatched product, zero determinant
constexpr int kStatusProductFailed = -2;  // a product inside the fit failed
constexpr int kStatusSingular = -3;       // the fit's normal matrix is singular

/// Dense matrix of doubles, element (row, column) 0-based. RowsHigh and
/// ColsHigh are the last used indices (count - 1).
struct TMatrix {
    std::array<std::array<double, kMatrixSize>, kMatrixSize> Items{};
    int Status = kStatusOk;
    int RowsHigh = -1;
    int ColsHigh = -1;

    double& operator()(int row, int col) { return Items[row][col]; }
    double operator()(int row, int col) const { return Items[row][col]; }
};

/// One row of data values (up to a field's 12 vertices); RowsHigh is 0 and
/// ColsHigh is count - 1.
struct TVector {
    std::array<double, kMaxAreaPoints> Items{};
    int Status = kStatusOk;
    int RowsHigh = 0;
    int ColsHigh = -1;

    double& operator[](int i) { return Items[i]; }
    double operator[](int i) const { return Items[i]; }
};

/// Determinant of the leading (n+1) x (n+1) block, by elimination with a row
/// exchange only where a pivot is exactly zero. n = -1 gives 1.0; a block
/// larger than the matrix gives 0.0.
double MatDeterminant(TMatrix m, int n);

/// `m` without row r and column c; Status 0.
void MatMinor(TMatrix m, int r, int c, TMatrix& result);

/// result := L * R with the given index ranges. Status -1 (and nothing else
/// written) when lColsHigh differs from rRowsHigh or a range leaves the
/// matrix. The result may be one of the factors.
void MatMultiply(int lRowsHigh, int lColsHigh, int rRowsHigh, int rColsHigh,
                 const TMatrix& l, const TMatrix& r, TMatrix& result);

/// Inverse by cofactors, each placed at its own (i, j): exact for the
/// symmetric matrices the fit inverts. Status -1 (nothing else written) when
/// the determinant is exactly 0.0.
void MatInverse(TMatrix m, int n, TMatrix& result);

/// The ten basis terms at (x, y), in coefficient order.
std::array<double, kPolyTerms> PolyBasis(double x, double y);

/// Least-squares coefficients of terms 0..termsHigh through the n points
/// (x[i], y[i], t[i]); result is a column (RowsHigh = termsHigh, ColsHigh 0).
/// Status -1 for n < 1 (or arguments beyond the matrix capacity: n > 12,
/// termsHigh outside 0..9), -2 when a product fails, -3 when the normal
/// matrix is singular.
void PolyFit(const TVector& x, const TVector& y, const TVector& t, int n,
             int termsHigh, TMatrix& result);

/// Value of the fitted polynomial at (x, y); 0.0 when x or y is negative.
double PolyValue(const TMatrix& coefficients, double x, double y);

/// Terms a field of `pointCount` vertices is fitted with: one per point up
/// to nine points, eight from ten points on.
int PolyTermsHigh(int pointCount);

/// Fits the field's vertices Points[1..PointCount] afresh and evaluates at
/// (a, b) percent. 0.0 when the fit fails (no points, singular system).
double PolynomialTemperature(const TAreaData& area, double a, double b);

/// The polynomial evaluator as the diagram uses it: keeps one fit per area
/// record and refits only when the record's vertices differ from the ones
/// the fit was made from, so every call returns exactly what a fresh fit
/// would.
class TPolynomialTemperature {
public:
    /// Temperature at (a, b) percent in `area`, the record at `areaIndex`
    /// (0..15); other indices are evaluated without caching.
    double Temperature(int areaIndex, const TAreaData& area, double a, double b);

    /// Forgets every fit.
    void Clear();

private:
    struct TFit {
        bool Valid = false;
        int PointCount = 0;
        std::array<std::uint32_t, 3 * kMaxAreaPoints> Key{};
        TMatrix Coefficients;
    };

    std::array<TFit, kAreaCount> m_fits{};
};

}  // namespace liquidus
