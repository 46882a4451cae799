#include "isotherms/altitude.h"

#include <algorithm>
#include <cmath>

namespace liquidus {

namespace {

double Distance(double x1, double y1, double x2, double y2) {
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

double CalcAltitudeScalar(int count, TAltitudePoints points, double x, double y) {
    // The array holds only a field's worth of vertices; never read past it.
    count = std::clamp(count, 0, kMaxAreaPoints);

    double best = kAltitudeStartDistance;
    double result = 0.0;
    for (int pass = 0; pass < kAltitudePasses; ++pass) {
        // Every vertex of a pass is computed from the polygon as it stood at
        // the start of the pass; the closing edge needs the old first vertex
        // because P[0] has already moved by then.
        const TAltitudePoint first = points[0];
        bool moved = false;
        for (int i = 0; i < count; ++i) {
            const TAltitudePoint a = points[i];
            const TAltitudePoint b = (i < count - 1) ? points[i + 1] : first;

            if (std::fabs(a.X - b.X) < kAltitudeTolerance &&
                std::fabs(a.Y - b.Y) < kAltitudeTolerance) {
                continue;
            }
            moved = true;

            const double dA = Distance(x, y, a.X, a.Y);
            const double dB = Distance(x, y, b.X, b.Y);
            const double dAB = Distance(a.X, a.Y, b.X, b.Y);
            // Signed length of (Q - B) projected on the direction B -> A.
            const double s = (dAB * dAB + dB * dB - dA * dA) / (2.0 * dAB);
            const double ratio = s / dAB;

            TAltitudePoint foot;
            foot.X = b.X + (a.X - b.X) * ratio;
            foot.Y = b.Y + (a.Y - b.Y) * ratio;
            foot.T = b.T + (a.T - b.T) * ratio;

            // A foot beyond the edge would extrapolate the temperature;
            // the edge's midpoint stands in for it.
            const bool clamped = foot.X < std::min(a.X, b.X) || foot.X > std::max(a.X, b.X) ||
                                 foot.Y < std::min(a.Y, b.Y) || foot.Y > std::max(a.Y, b.Y);
            if (clamped) {
                foot.X = (a.X + b.X) / 2.0;
                foot.Y = (a.Y + b.Y) / 2.0;
                foot.T = (a.T + b.T) / 2.0;
            }
            points[i] = foot;

            // The height above the edge's line, from the unclamped
            // projection, also when the midpoint stood in for the foot: a
            // query on the extension of an edge competes with distance 0.
            const double dB2 = dB * dB;
            const double s2 = s * s;
            const double h = (dB2 >= s2) ? std::sqrt(dB2 - s2) : 0.0;

            if (pass >= kAltitudeFirstExitPass && h <= kAltitudeTolerance) {
                return foot.T;
            }
            if (h < best) {
                best = h;
                result = foot.T;
            }
        }
        // Once every edge is degenerate the polygon no longer changes, and
        // neither would any later pass.
        if (!moved) {
            break;
        }
    }
    return result;
}

double AltitudeTemperature(const TAreaData& area, double a, double b) {
    // A host writes records directly; a count above the record's capacity
    // must not send us past its vertices.
    const int count = std::min<int>(area.PointCount, kMaxAreaPoints);
    // At a vertex the projections can land on another edge whose line runs
    // through it (a side of the triangle with several vertices on it) and
    // answer that edge's mean: a vertex answers its own temperature.
    constexpr double kAtVertex = 1e-6;
    for (int i = 1; i <= count; ++i) {
        const TAreaPoint& p = area.Points[i];
        if (std::fabs(p.A - a) <= kAtVertex && std::fabs(p.B - b) <= kAtVertex && p.T != 0) {
            return p.T;
        }
    }
    TAltitudePoints points{};
    for (int i = 0; i < count; ++i) {
        const TAreaPoint& p = area.Points[i + 1];
        points[i] = TAltitudePoint{p.A, p.B, static_cast<double>(p.T)};
    }
    return CalcAltitude(count, points, a, b);
}

}  // namespace liquidus
