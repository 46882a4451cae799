#include "files/planegeometry.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "ternary/geometry.h"

namespace liquidus {

TPlanePoint PlanePoint(double a, double b) {
    return {100.0 - a - b / 2, b * kSqrt3Half};
}

TComposition CompositionAt(TPlanePoint p) {
    const double b = p.Y / kSqrt3Half;
    return {100.0 - p.X - b / 2, b};
}

double NearestParameter(TPlanePoint p, TPlanePoint q, TPlanePoint r) {
    const TPlanePoint d = q - p;
    const double length2 = Dot(d, d);
    if (length2 == 0) return 0;
    return std::clamp(Dot(r - p, d) / length2, 0.0, 1.0);
}

double DistanceToSegment(TPlanePoint p, TPlanePoint q, TPlanePoint r) {
    return Length(r - PointAt(p, q, NearestParameter(p, q, r)));
}

namespace {

/// Whether u and v lie on opposite sides of zero by more than `margin`.
bool Opposite(double u, double v, double margin) {
    return (u > margin && v < -margin) || (u < -margin && v > margin);
}

}  // namespace

bool CrossProperly(TPlanePoint p, TPlanePoint q, TPlanePoint r, TPlanePoint s) {
    // Nearly collinear segments give cross products of rounding noise, whose
    // signs mean nothing: the margin is kTouchDistance off the other line.
    const double pq = Length(q - p);
    const double rs = Length(s - r);
    return Opposite(Cross(q - p, r - p), Cross(q - p, s - p), kTouchDistance * pq) &&
           Opposite(Cross(s - r, p - r), Cross(s - r, q - r), kTouchDistance * rs);
}

double SegmentDistance(TPlanePoint p, TPlanePoint q, TPlanePoint r, TPlanePoint s) {
    if (CrossProperly(p, q, r, s)) return 0;
    return std::min({DistanceToSegment(p, q, r), DistanceToSegment(p, q, s),
                     DistanceToSegment(r, s, p), DistanceToSegment(r, s, q)});
}

double SignedArea(const std::vector<TPlanePoint>& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        twice += Cross(polygon[i], polygon[(i + 1) % polygon.size()]);
    }
    return twice / 2;
}

bool Encloses(const std::vector<TPlanePoint>& polygon, TPlanePoint r) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const TPlanePoint p = polygon[i];
        const TPlanePoint q = polygon[j];
        if ((p.Y > r.Y) != (q.Y > r.Y) && r.X < p.X + (r.Y - p.Y) * (q.X - p.X) / (q.Y - p.Y)) {
            inside = !inside;
        }
    }
    return inside;
}

void TPlaneBox::Add(TPlanePoint p) {
    X0 = std::min(X0, p.X);
    Y0 = std::min(Y0, p.Y);
    X1 = std::max(X1, p.X);
    Y1 = std::max(Y1, p.Y);
}

TPlaneBox BoxOf(TPlanePoint p, TPlanePoint q) {
    TPlaneBox box;
    box.Add(p);
    box.Add(q);
    return box;
}

// ---------------------------------------------------------------------------

TSegmentGrid::TSegmentGrid(const std::vector<TPlaneBox>& boxes) {
    for (const TPlaneBox& box : boxes) {
        m_bounds.Add({box.X0, box.Y0});
        m_bounds.Add({box.X1, box.Y1});
    }
    if (boxes.empty()) m_bounds = {0, 0, 1, 1};
    const std::size_t budget = 8 * boxes.size() + 1024;
    int side = std::clamp(static_cast<int>(std::ceil(std::sqrt(double(boxes.size())))), 1, 128);
    for (;; side /= 2) {
        Resize(side);
        std::size_t entries = 0;
        for (const TPlaneBox& box : boxes) {
            const TGridCells r = Cells(box);
            entries += std::size_t(r.X1 - r.X0 + 1) * std::size_t(r.Y1 - r.Y0 + 1);
        }
        if (side == 1 || entries <= budget) break;
    }
    m_cells.resize(std::size_t(m_side) * std::size_t(m_side));
}

void TSegmentGrid::Insert(int id, const TPlaneBox& box) {
    const TGridCells r = Cells(box);
    for (int y = r.Y0; y <= r.Y1; ++y) {
        for (int x = r.X0; x <= r.X1; ++x) {
            m_cells[std::size_t(y) * std::size_t(m_side) + std::size_t(x)].push_back(id);
        }
    }
}

TGridCells TSegmentGrid::Cells(const TPlaneBox& box) const {
    return {Index(box.X0, m_bounds.X0, m_cellWidth), Index(box.Y0, m_bounds.Y0, m_cellHeight),
            Index(box.X1, m_bounds.X0, m_cellWidth), Index(box.Y1, m_bounds.Y0, m_cellHeight)};
}

void TSegmentGrid::Resize(int side) {
    m_side = side;
    m_cellWidth = std::max(m_bounds.X1 - m_bounds.X0, 1e-9) / side;
    m_cellHeight = std::max(m_bounds.Y1 - m_bounds.Y0, 1e-9) / side;
}

int TSegmentGrid::Index(double v, double origin, double width) const {
    return static_cast<int>(std::clamp(std::floor((v - origin) / width), 0.0, double(m_side - 1)));
}

// ---------------------------------------------------------------------------

namespace {

void Cut(TCutSegment& s, double t, std::size_t& count) {
    const double length = Length(s.Q - s.P);
    if (t * length <= kMergeDistance || (1 - t) * length <= kMergeDistance) return;
    s.Splits.push_back(t);
    ++count;
}

/// Points closer than kMergeDistance are one vertex.
class TVertices {
public:
    int Of(TPlanePoint p) {
        const std::int64_t cx = static_cast<std::int64_t>(std::floor(p.X / kMergeDistance));
        const std::int64_t cy = static_cast<std::int64_t>(std::floor(p.Y / kMergeDistance));
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto found = m_cells.find(Key(cx + dx, cy + dy));
                if (found == m_cells.end()) continue;
                for (const int v : found->second) {
                    if (Length(m_points[std::size_t(v)] - p) <= kMergeDistance) return v;
                }
            }
        }
        m_points.push_back(p);
        const int v = static_cast<int>(m_points.size() - 1);
        m_cells[Key(cx, cy)].push_back(v);
        return v;
    }
    const std::vector<TPlanePoint>& Points() const { return m_points; }

private:
    static std::uint64_t Key(std::int64_t x, std::int64_t y) {
        return static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
               static_cast<std::uint64_t>(y);
    }
    std::vector<TPlanePoint> m_points;
    std::unordered_map<std::uint64_t, std::vector<int>> m_cells;
};

}  // namespace

void CutAtContacts(TCutSegment& s, TCutSegment& t, std::size_t& count) {
    for (const TPlanePoint r : {t.P, t.Q}) {
        const double u = NearestParameter(s.P, s.Q, r);
        if (Length(PointAt(s.P, s.Q, u) - r) <= kTouchDistance) Cut(s, u, count);
    }
    for (const TPlanePoint r : {s.P, s.Q}) {
        const double u = NearestParameter(t.P, t.Q, r);
        if (Length(PointAt(t.P, t.Q, u) - r) <= kTouchDistance) Cut(t, u, count);
    }
    if (CrossProperly(s.P, s.Q, t.P, t.Q)) {
        const double o1 = Cross(s.Q - s.P, t.P - s.P);
        const double o2 = Cross(s.Q - s.P, t.Q - s.P);
        const double o3 = Cross(t.Q - t.P, s.P - t.P);
        const double o4 = Cross(t.Q - t.P, s.Q - t.P);
        Cut(s, o3 / (o3 - o4), count);
        Cut(t, o1 / (o1 - o2), count);
    }
}

std::vector<TPlaneFace> BoundedFaces(const std::vector<TCutSegment>& segments) {
    TVertices vertices;
    std::vector<std::pair<int, int>> edges;
    for (const TCutSegment& s : segments) {
        std::vector<double> splits = s.Splits;
        std::sort(splits.begin(), splits.end());
        int previous = vertices.Of(s.P);
        for (const double t : splits) {
            const int v = vertices.Of(PointAt(s.P, s.Q, t));
            if (v != previous) edges.push_back(std::minmax(previous, v));
            previous = v;
        }
        const int v = vertices.Of(s.Q);
        if (v != previous) edges.push_back(std::minmax(previous, v));
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const std::vector<TPlanePoint>& points = vertices.Points();

    // Half-edge h runs from From(h) to From(h ^ 1).
    const auto from = [&](std::size_t h) {
        return std::size_t(h % 2 == 0 ? edges[h / 2].first : edges[h / 2].second);
    };
    const auto to = [&](std::size_t h) { return from(h ^ 1); };
    std::vector<std::vector<std::size_t>> out(points.size());
    for (std::size_t h = 0; h < 2 * edges.size(); ++h) out[from(h)].push_back(h);
    std::vector<std::size_t> position(2 * edges.size());
    for (std::vector<std::size_t>& around : out) {
        std::vector<std::pair<double, std::size_t>> angles;
        for (const std::size_t h : around) {
            const TPlanePoint d = points[to(h)] - points[from(h)];
            angles.push_back({std::atan2(d.Y, d.X), h});
        }
        std::sort(angles.begin(), angles.end());
        for (std::size_t i = 0; i < angles.size(); ++i) {
            around[i] = angles[i].second;
            position[angles[i].second] = i;
        }
    }
    // The face stays on the left of every walk, so bounded faces come out
    // anticlockwise and the walks around whole pieces clockwise.
    std::vector<TPlaneFace> faces;
    std::vector<bool> walked(2 * edges.size(), false);
    for (std::size_t start = 0; start < walked.size(); ++start) {
        if (walked[start]) continue;
        TPlaneFace face;
        for (std::size_t h = start; !walked[h];) {
            walked[h] = true;
            const TPlanePoint p = points[from(h)];
            face.Walk.push_back(p);
            face.Box.Add(p);
            // Leave the vertex by the edge next clockwise from the way back.
            const std::vector<std::size_t>& around = out[to(h)];
            h = around[(position[h ^ 1] + around.size() - 1) % around.size()];
        }
        face.Area = SignedArea(face.Walk);
        if (face.Area > 0) faces.push_back(std::move(face));
    }
    return faces;
}

int FaceOf(const std::vector<TPlaneFace>& faces, TPlanePoint p) {
    int best = -1;
    for (std::size_t k = 0; k < faces.size(); ++k) {
        if (!faces[k].Box.Contains(p) || !Encloses(faces[k].Walk, p)) continue;
        if (best < 0 || faces[k].Area < faces[std::size_t(best)].Area) best = static_cast<int>(k);
    }
    return best;
}

}  // namespace liquidus
