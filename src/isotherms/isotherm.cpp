#include "isotherms/isotherm.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "canvas/rounding.h"

namespace liquidus {

void TIsotherm::Changed(bool clearsCalculated) {
    if (clearsCalculated) {
        Calculated = false;
    }
    if (m_owner != nullptr) {
        m_owner->Invalidate();
    }
}

void TIsotherm::SetColor(TColor value) {
    if (value == m_color) return;
    m_color = value;
    Changed(false);
}

void TIsotherm::SetError(int value) {
    if (value == m_error) return;
    m_error = std::clamp(value, 1, 10);
    Changed(true);
}

void TIsotherm::SetGraphType(TIsothermType value) {
    if (value == m_graphType) return;
    m_graphType = value;
    Changed(false);
}

void TIsotherm::SetMethod(TIsothermMethod value) {
    if (value == m_method) return;
    m_method = value;
    Changed(true);
}

void TIsotherm::SetMethodStep(float value) {
    // No step at all is no setting: the lattice could not be laid out.
    if (value == m_methodStep || std::isnan(value)) return;
    if (value < 0.25f) {
        m_methodStep = 0.25f;
    } else if (value > 3.0f) {
        m_methodStep = 3.0f;
    } else {
        m_methodStep = static_cast<float>(Trunc(value / 0.25) * 0.25);
    }
    Changed(true);
}

void TIsotherm::SetSigned(bool value) {
    if (value == m_signed) return;
    m_signed = value;
    Changed(false);
}

void TIsotherm::SetSignStep(int value) {
    if (value == m_signStep) return;
    m_signStep = value < 5 ? 5 : value > 50 ? 50 : Trunc(value / 5.0) * 5;
    Changed(false);
}

void TIsotherm::SetSimplified(bool value) {
    if (value == m_simplified) return;
    m_simplified = value;
    Changed(true);
}

void TIsotherm::SetSimplifiedTimes(int value) {
    if (value == m_simplifiedTimes) return;
    m_simplifiedTimes = std::clamp(value, 1, 3);
    Changed(true);
}

void TIsotherm::SetSmoothed(bool value) {
    if (value == m_smoothed) return;
    m_smoothed = value;
    Changed(true);
}

void TIsotherm::SetSmoothedTimes(int value) {
    if (value == m_smoothedTimes) return;
    m_smoothedTimes = std::clamp(value, 1, 5);
    Changed(true);
}

void TIsotherm::SetStep(int value) {
    if (value == m_step) return;
    m_step = value < 50 ? 50 : value > 250 ? 250 : Trunc(value / 50.0) * 50;
    Changed(false);
}

void TIsotherm::SetWidth(int value) {
    if (value == m_width) return;
    m_width = value;
    Changed(false);
}

}  // namespace liquidus

namespace liquidus {

void TIsothermLists::Reset(int levelCount) {
    const auto size = static_cast<std::size_t>(levelCount) + 2;
    IsoCounts.assign(size, 0);
    IsoRemoved.assign(size, 0);
    IsoPoints.assign(size, std::vector<TIsoPoint>(1));
}

void TIsothermLists::Append(int list, TIsoPoint point) {
    std::vector<TIsoPoint>& points = IsoPoints[static_cast<std::size_t>(list)];
    int& count = IsoCounts[static_cast<std::size_t>(list)];
    ++count;
    if (static_cast<int>(points.size()) <= count) {
        points.resize(static_cast<std::size_t>(count) + 1);
    }
    points[static_cast<std::size_t>(count)] = point;
}

std::vector<TIsoPoint> TIsothermLists::Points(int list) const {
    if (list < 1 || list > ListCount()) return {};
    const auto& points = IsoPoints[static_cast<std::size_t>(list)];
    const int count = IsoCounts[static_cast<std::size_t>(list)];
    return {points.begin() + 1, points.begin() + 1 + count};
}

namespace {
// A data set whose temperatures span millions of degrees would ask for
// millions of lists; levels beyond this many are not calculated.
constexpr long long kMaxIsothermLevels = 100000;
}  // namespace

TIsothermLevels IsothermLevels(int tmin, int tmax) {
    // Floor rather than truncation, so that below zero the first level is
    // still the first multiple strictly above the minimum.
    const auto floorLevel = [](int t) {
        return static_cast<long long>(std::floor(t / double{kIsothermLevelSpacing})) *
               kIsothermLevelSpacing;
    };
    const long long minLevel = floorLevel(tmin) + kIsothermLevelSpacing;
    long long maxLevel = floorLevel(tmax);
    long long count = (maxLevel - minLevel) / kIsothermLevelSpacing + 1;
    if (count > kMaxIsothermLevels) {
        count = kMaxIsothermLevels;
        maxLevel = minLevel + (count - 1) * kIsothermLevelSpacing;
    }
    constexpr long long kIntMax = std::numeric_limits<int>::max();
    if (minLevel > kIntMax || maxLevel > kIntMax) return {};
    return {static_cast<int>(minLevel), static_cast<int>(maxLevel),
            static_cast<int>(std::max<long long>(count, 0))};
}

int IsothermUnitTemperature(int celsius, TTUnits units) {
    long long t = celsius;
    switch (units) {
        case TTUnits::tuC:
            break;
        case TTUnits::tuK:
            t += 273;
            break;
        case TTUnits::tuF:
            t = std::llround(std::nearbyint(celsius * 1.8 + 32));
            break;
    }
    return static_cast<int>(
        std::clamp<long long>(t, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double IsoDistance(const TIsoPoint& p, const TIsoPoint& q) {
    const double da = double{p.A} - double{q.A};
    const double db = double{p.B} - double{q.B};
    return std::sqrt(da * da + db * db);
}

int OrderIsothermPathByScan(std::vector<TIsoPoint>& points, int count) {
    int removed = 0;
    for (int j = 1; j < count; ++j) {
        double best = kIsoPathStart;
        int nearest = 0;
        for (int i = j + 1; i <= count; ++i) {
            const double d = IsoDistance(points[j], points[i]);
            if (d <= best) {
                best = d;
                nearest = i;
            }
        }
        if (best < kIsoPathNearest || best > kIsoPathFarthest || nearest == 0) {
            ++removed;
        } else {
            std::swap(points[j + 1], points[nearest]);
        }
    }
    return removed;
}

namespace {

/// The points not yet placed, bucketed in square cells. Cells are a power of
/// two wide from a whole-numbered origin, so a point's cell is exact and a
/// point k rings away is never nearer than (k - 1) cell widths.
class TPathGrid {
public:
    TPathGrid(const std::vector<TIsoPoint>& points, int count) : m_points(points) {
        float minA = points[1].A, maxA = minA, minB = points[1].B, maxB = minB;
        for (int i = 2; i <= count; ++i) {
            minA = std::min(minA, points[i].A);
            maxA = std::max(maxA, points[i].A);
            minB = std::min(minB, points[i].B);
            maxB = std::max(maxB, points[i].B);
        }
        m_originA = std::floor(double{minA});
        m_originB = std::floor(double{minB});
        const double extent = std::max(maxA - m_originA, maxB - m_originB);
        while (extent / m_cell >= kMaxCells) m_cell *= 2;
        m_columns = static_cast<int>((maxA - m_originA) / m_cell) + 1;
        m_rows = static_cast<int>((maxB - m_originB) / m_cell) + 1;
        m_cells.resize(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows));
        for (int i = 1; i <= count; ++i) Cell(Column(points[i]), Row(points[i])).push_back(i);
    }

    void Remove(int id) {
        std::vector<int>& cell = Cell(Column(m_points[id]), Row(m_points[id]));
        const auto it = std::find(cell.begin(), cell.end(), id);
        *it = cell.back();
        cell.pop_back();
    }

    /// The nearest remaining point to `query` within kIsoPathFarthest, the
    /// one at the highest position among equally near ones; 0 for none.
    int Nearest(const TIsoPoint& query, const std::vector<int>& positionOf, double& best) const {
        const int qc = Column(query);
        const int qr = Row(query);
        int nearest = 0;
        best = kIsoPathStart;
        for (int ring = 0;; ++ring) {
            const double closest = (ring - 1) * m_cell;
            if (closest > kIsoPathFarthest || (nearest != 0 && closest > best)) break;
            if (qc - ring < 0 && qr - ring < 0 && qc + ring >= m_columns && qr + ring >= m_rows) {
                break;
            }
            for (int r = qr - ring; r <= qr + ring; ++r) {
                if (r < 0 || r >= m_rows) continue;
                const bool edgeRow = r == qr - ring || r == qr + ring;
                const int step = edgeRow ? 1 : 2 * ring;
                for (int c = qc - ring; c <= qc + ring; c += std::max(step, 1)) {
                    if (c < 0 || c >= m_columns) continue;
                    for (const int id : m_cells[Index(c, r)]) {
                        const double d = IsoDistance(query, m_points[id]);
                        if (d < best ||
                            (d == best && nearest != 0 && positionOf[id] > positionOf[nearest]) ||
                            (d == best && nearest == 0)) {
                            best = d;
                            nearest = id;
                        }
                    }
                }
            }
        }
        return best <= kIsoPathFarthest ? nearest : 0;
    }

private:
    static constexpr double kMaxCells = 512;

    int Column(const TIsoPoint& p) const {
        return std::clamp(static_cast<int>((p.A - m_originA) / m_cell), 0, m_columns - 1);
    }
    int Row(const TIsoPoint& p) const {
        return std::clamp(static_cast<int>((p.B - m_originB) / m_cell), 0, m_rows - 1);
    }
    std::size_t Index(int c, int r) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(c);
    }
    std::vector<int>& Cell(int c, int r) { return m_cells[Index(c, r)]; }

    const std::vector<TIsoPoint>& m_points;
    double m_originA = 0.0;
    double m_originB = 0.0;
    double m_cell = 1.0;
    int m_columns = 1;
    int m_rows = 1;
    std::vector<std::vector<int>> m_cells;
};

}  // namespace

int OrderIsothermPath(std::vector<TIsoPoint>& points, int count) {
    if (count < 2) return 0;
    // Points keep their identity (their index in the unordered list); only
    // positions move, by the same exchanges the plain search makes.
    const std::vector<TIsoPoint> original(points.begin(), points.begin() + count + 1);
    std::vector<int> positionOf(static_cast<std::size_t>(count) + 1);
    std::vector<int> idAt(static_cast<std::size_t>(count) + 1);
    for (int i = 1; i <= count; ++i) positionOf[i] = idAt[i] = i;
    TPathGrid grid(original, count);
    int removed = 0;
    for (int j = 1; j < count; ++j) {
        const int query = idAt[j];
        grid.Remove(query);
        double best = 0.0;
        const int nearest = grid.Nearest(original[query], positionOf, best);
        if (nearest == 0 || best < kIsoPathNearest) {
            ++removed;
            continue;
        }
        const int displaced = idAt[j + 1];
        const int to = positionOf[nearest];
        idAt[j + 1] = nearest;
        positionOf[nearest] = j + 1;
        idAt[to] = displaced;
        positionOf[displaced] = to;
    }
    for (int i = 1; i <= count; ++i) points[i] = original[idAt[i]];
    return removed;
}

namespace {
// A quarter of each neighbour and half of the point itself.
TIsoPoint Smoothed(const TIsoPoint& before, const TIsoPoint& at, const TIsoPoint& after) {
    const auto mix = [](float b, float p, float a) {
        return static_cast<float>((double{p} + (double{b} + double{a}) / 2) / 2);
    };
    return {mix(before.A, at.A, after.A), mix(before.B, at.B, after.B)};
}
}  // namespace

void SmoothIsotherm(std::vector<TIsoPoint>& points, int count) {
    if (count < 3) return;
    const std::vector<TIsoPoint> start(points.begin(), points.begin() + count + 1);
    for (int t = 2; t <= count - 1; ++t) {
        points[t] = Smoothed(start[t - 1], start[t], start[t + 1]);
    }
}

int ThinIsotherm(std::vector<TIsoPoint>& points, int count) {
    if (count < 3) return count;
    const std::vector<TIsoPoint> start(points.begin(), points.begin() + count + 1);
    const int half = (count - 1) / 2;
    int n = 1;  // points[1] stays
    for (int t = 2; t <= 2 * half; t += 2) {
        points[++n] = Smoothed(start[t - 1], start[t], start[t + 1]);
    }
    if (count % 2 == 0) points[++n] = start[count - 1];
    points[++n] = start[count];
    return n;
}

}  // namespace liquidus
