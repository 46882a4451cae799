#include "isotherms/spl.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace liquidus {

namespace {

bool KnotCountFits(int n) { return n >= 2 && n <= kSplMaxKnots; }

// Samples are numbered from 1, so an array of size s serves m <= s - 1.
bool SampleFits(int m, std::size_t size) { return m <= 0 || static_cast<std::size_t>(m) < size; }

bool SamplesFit(int m, std::span<const double> xs, std::span<double> ys) {
    return SampleFits(m, xs.size()) && SampleFits(m, ys.size());
}

void ReverseKnots(int n, TSplArray& x, TSplArray& y) {
    std::reverse(x.begin() + 1, x.begin() + 1 + n);
    std::reverse(y.begin() + 1, y.begin() + 1 + n);
}

}  // namespace

void SplineCheck(int n, const TSplArray& x, TSplArray& h, std::uint8_t& error) {
    error = kSplOk;
    if (n > kSplMaxKnots) {
        error = kSplTooMany;
        return;
    }
    for (int k = 1; k <= n - 1; ++k) {
        h[k] = x[k + 1] - x[k];
        // Written as "not at least" so that a NaN width counts as too close
        // instead of slipping through into the coefficients.
        if (!(std::fabs(h[k]) >= kSplMinKnotGap)) error = kSplKnotsTooClose;
        if (h[k] < 0.0) error = kSplNotIncreasing;
    }
}

void SplineCoeffs(int n, const TSplArray& x, const TSplArray& y, TSplCoeffs& coeffs,
                  const TSplArray& h) {
    if (!KnotCountFits(n)) return;
    TSplArray& a = coeffs.a;
    TSplArray& b = coeffs.b;
    TSplArray& c = coeffs.c;
    TSplArray& d = coeffs.d;
    for (int k = 1; k <= n; ++k) a[k] = y[k];

    TSplArray alpha{};
    for (int k = 2; k <= n - 1; ++k) {
        alpha[k] = 3.0 * (a[k + 1] * h[k - 1] - (x[k + 1] - x[k - 1]) * a[k] + a[k - 1] * h[k]) /
                   (h[k - 1] * h[k]);
    }

    // Forward elimination of the tridiagonal system; the zero start values
    // are the natural end condition at the first knot.
    TSplArray mu{};
    TSplArray z{};
    for (int k = 2; k <= n - 1; ++k) {
        const double l = 2.0 * (x[k + 1] - x[k - 1]) - h[k - 1] * mu[k - 1];
        mu[k] = h[k] / l;
        z[k] = (alpha[k] - h[k - 1] * z[k - 1]) / l;
    }

    c[n] = 0.0;  // natural end condition at the last knot
    for (int k = n - 1; k >= 1; --k) {
        c[k] = z[k] - mu[k] * c[k + 1];
        b[k] = (a[k + 1] - a[k]) / h[k] - (2.0 * c[k] + c[k + 1]) * h[k] / 3.0;
        d[k] = (c[k + 1] - c[k]) / (3.0 * h[k]);
    }
}

void SplineEval(int n, const TSplArray& x, const TSplCoeffs& coeffs, int m,
                std::span<const double> xs, std::span<double> ys) {
    if (!KnotCountFits(n) || !SamplesFit(m, xs, ys)) return;
    for (int t = 1; t <= m; ++t) {
        const double position = xs[t];
        // A sample on an inner knot belongs to the piece on its left; both
        // pieces give the knot value there.
        int k = 1;
        for (int i = 1; i <= n - 1; ++i) {
            if (position > x[i]) k = i;
        }
        const double u = position - x[k];
        ys[t] = ((coeffs.d[k] * u + coeffs.c[k]) * u + coeffs.b[k]) * u + coeffs.a[k];
    }
}

void Spline(int n, TSplArray& x, TSplArray& y, int m, std::span<const double> xs,
            std::span<double> ys, std::uint8_t& error) {
    error = kSplOk;
    if (n < 2) {
        error = kSplTooFewKnots;
        return;
    }
    // Refused before anything is touched: the drawing code then falls back
    // to straight segments, which is all such a polyline can get anyway.
    if (n > kSplMaxKnots || !SamplesFit(m, xs, ys)) {
        error = kSplTooMany;
        return;
    }

    TSplArray h{};
    SplineCheck(n, x, h, error);

    bool reversed = false;
    if (error == kSplNotIncreasing) {
        // Boundaries are often listed right to left; such a curve is the
        // same spline through the same points.
        ReverseKnots(n, x, y);
        SplineCheck(n, x, h, error);
        if (error != kSplOk) return;  // knots stay reversed
        reversed = true;
    }
    if (error != kSplOk) return;

    TSplCoeffs coeffs;
    SplineCoeffs(n, x, y, coeffs, h);
    SplineEval(n, x, coeffs, m, xs, ys);

    if (reversed) ReverseKnots(n, x, y);
}

}  // namespace liquidus
