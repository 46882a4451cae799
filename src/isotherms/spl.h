#pragma once
// Natural cubic spline y(x) through at most ten knots, sampled at positions
// the caller chooses. The diagrams draw their boundary curves with it and
// fall back to straight segments whenever it reports an error.
//
// All arrays are numbered from 1; entry 0 is never read or written. The unit
// keeps no state and allocates nothing.

#include <array>
#include <cstdint>
#include <span>

namespace liquidus {

constexpr int kSplMaxKnots = 10;

/// Knot abscissas, knot values, interval widths: entries 1..kSplMaxKnots.
using TSplArray = std::array<double, kSplMaxKnots + 1>;

/// Coefficients of piece k on [x_k, x_{k+1}]:
/// S_k(x) = a_k + b_k·u + c_k·u² + d_k·u³ with u = x − x_k.
struct TSplCoeffs {
    TSplArray a{};  // knot values
    TSplArray b{};  // first order
    TSplArray c{};  // second order
    TSplArray d{};  // third order
};

/// Enough samples for the boundary drawing: eight per knot.
constexpr int kSplMaxSamples = 8 * kSplMaxKnots;

/// A sample array of the usual size, entries 1..kSplMaxSamples.
using TSplSamples = std::array<double, kSplMaxSamples + 1>;

/// Error codes written by Spline and SplineCheck.
constexpr std::uint8_t kSplOk = 0;
constexpr std::uint8_t kSplKnotsTooClose = 1;  // consecutive knots closer than 0.1 in x
constexpr std::uint8_t kSplNotIncreasing = 2;  // knot abscissas not increasing
constexpr std::uint8_t kSplTooFewKnots = 3;    // fewer than 2 knots
constexpr std::uint8_t kSplTooMany = 4;  // more knots or samples than the arrays hold

/// Smallest accepted distance in x between consecutive knots.
constexpr double kSplMinKnotGap = 0.1;

/// Computes the widths h_k = x_{k+1} − x_k (k = 1..n−1) and validates them.
/// error is 0, or the code of the last offending interval (1 or 2); n above
/// kSplMaxKnots gives kSplTooMany and writes no width.
void SplineCheck(int n, const TSplArray& x, TSplArray& h, std::uint8_t& error);

/// Natural-spline coefficients for knots 1..n (2 <= n <= kSplMaxKnots) with
/// increasing x and the widths from SplineCheck. Any other n writes nothing.
void SplineCoeffs(int n, const TSplArray& x, const TSplArray& y, TSplCoeffs& coeffs,
                  const TSplArray& h);

/// Writes ys[t] = S(xs[t]) for t = 1..m. Outside the knots the end pieces
/// are extended. ys may be the same array as xs: each position is read
/// before its value is written. Nothing is written when n is outside
/// 2..kSplMaxKnots or m reaches beyond either sample array.
void SplineEval(int n, const TSplArray& x, const TSplCoeffs& coeffs, int m,
                std::span<const double> xs, std::span<double> ys);

/// Interpolates knots (x_k, y_k), k = 1..n, and samples the curve at
/// xs[1..m] into ys[1..m]. Knots given right to left are accepted: they are
/// reversed in place for the computation and restored afterwards. On an
/// error ys is untouched; x and y are untouched too unless the error was
/// found after that reversal (codes 1 and 2), in which case they are left
/// reversed. n above kSplMaxKnots, or m beyond what xs or ys hold, gives
/// kSplTooMany and touches nothing.
void Spline(int n, TSplArray& x, TSplArray& y, int m, std::span<const double> xs,
            std::span<double> ys, std::uint8_t& error);

}  // namespace liquidus
