#include "isotherms/meanvalue.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace liquidus {

namespace {

// Relative to the polygon's extent: far below any composition a user can
// point at, far above the rounding of the coordinates themselves.
constexpr double kRelativeTolerance = 1e-12;

// Weights that cancel to this fraction of their magnitudes leave a quotient
// of rounding noise.
constexpr double kCancellation = 1e-9;

// One entry more than a field has vertices: the first vertex is repeated
// after the last, so that edge i always runs from entry i to entry i + 1.
using TRing = std::array<double, kMaxAreaPoints + 1>;

// Linear interpolation at the point of the closed outline nearest to (a, b)
// (the first of equally near ones); zero-length edges are passed over.
double BoundaryTemperature(int n, const TRing& x, const TRing& y, const TRing& t, double a,
                           double b) {
    double best = t[0];
    double bestDistance2 = (x[0] - a) * (x[0] - a) + (y[0] - b) * (y[0] - b);
    for (int i = 0; i < n; ++i) {
        const double ex = x[i + 1] - x[i];
        const double ey = y[i + 1] - y[i];
        const double length2 = ex * ex + ey * ey;
        if (length2 == 0.0) continue;
        const double s = std::clamp(((a - x[i]) * ex + (b - y[i]) * ey) / length2, 0.0, 1.0);
        const double fx = x[i] + s * ex - a;
        const double fy = y[i] + s * ey - b;
        const double distance2 = fx * fx + fy * fy;
        if (distance2 < bestDistance2) {
            bestDistance2 = distance2;
            best = t[i] + s * (t[i + 1] - t[i]);
        }
    }
    return best;
}

}  // namespace

double MeanValueTemperature(const TAreaData& area, double a, double b) {
    // A host writes records directly; a count above the record's capacity
    // must not send us past its vertices.
    const int n = std::min<int>(area.PointCount, kMaxAreaPoints);
    if (n <= 0) return 0.0;

    TRing x, y, t, dx, dy, r;
    for (int i = 0; i < n; ++i) {
        const TAreaPoint& p = area.Points[i + 1];
        x[i] = p.A;
        y[i] = p.B;
        t[i] = p.T;
        dx[i] = x[i] - a;
        dy[i] = y[i] - b;
        r[i] = std::sqrt(dx[i] * dx[i] + dy[i] * dy[i]);
    }
    x[n] = x[0];
    y[n] = y[0];
    t[n] = t[0];
    dx[n] = dx[0];
    dy[n] = dy[0];
    r[n] = r[0];

    double minX = x[0], maxX = x[0], minY = y[0], maxY = y[0];
    int nearest = 0;
    for (int i = 1; i < n; ++i) {
        minX = std::min(minX, x[i]);
        maxX = std::max(maxX, x[i]);
        minY = std::min(minY, y[i]);
        maxY = std::max(maxY, y[i]);
        if (r[i] < r[nearest]) nearest = i;
    }
    const double tolerance = kRelativeTolerance * std::max(maxX - minX, maxY - minY);
    if (r[nearest] <= tolerance) return t[nearest];

    // tan(alpha_i / 2) of the signed angle alpha_i under which edge i is
    // seen. (r_i r_j)^2 - dot^2 = cross^2 gives two forms of it; each is
    // taken where its denominator cannot cancel, and the second one's
    // vanishes only on the edge itself. A repeated vertex makes an edge
    // seen under no angle, which adds nothing.
    TRing halfTan;
    const double tolerance2 = tolerance * tolerance;
    for (int i = 0; i < n; ++i) {
        const double cross = dx[i] * dy[i + 1] - dy[i] * dx[i + 1];
        const double dot = dx[i] * dx[i + 1] + dy[i] * dy[i + 1];
        const double rr = r[i] * r[i + 1];
        if (dot >= 0.0) {
            halfTan[i + 1] = cross / (rr + dot);
            continue;
        }
        const double ex = x[i + 1] - x[i];
        const double ey = y[i + 1] - y[i];
        if (cross * cross <= tolerance2 * (ex * ex + ey * ey)) {
            // Between the edge's ends the weights of both ends grow without
            // bound; their limit is the linear interpolation.
            return t[i] + (t[i + 1] - t[i]) * (r[i] / (r[i] + r[i + 1]));
        }
        halfTan[i + 1] = (rr - dot) / cross;
    }
    halfTan[0] = halfTan[n];

    double weightSum = 0.0;
    double magnitude = 0.0;
    double weighted = 0.0;
    for (int i = 0; i < n; ++i) {
        const double w = (halfTan[i] + halfTan[i + 1]) / r[i];
        weightSum += w;
        magnitude += std::abs(w);
        weighted += w * t[i];
    }
    // Off the outline of a simple polygon the weights never sum to zero.
    // They do where the outline encloses nothing: fewer than three distinct
    // vertices, or all of them on one line (every ray then meets it as often
    // going out as coming back); a self-crossing outline can cancel them too.
    if (!(std::abs(weightSum) > kCancellation * magnitude) || !std::isfinite(weighted)) {
        return BoundaryTemperature(n, x, y, t, a, b);
    }
    return weighted / weightSum;
}

}  // namespace liquidus
