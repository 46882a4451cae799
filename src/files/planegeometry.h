#pragma once
// Geometry of compositions in the equilateral triangle of side 100, where
// distances are true distances in percent of the side: the plane the
// diagram-file checks measure in. Plain C++, no Qt.

#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

namespace liquidus {

/// A composition as shares of positions 1 and 2 in percent; C = 100 - A - B.
struct TComposition {
    double A = 0.0;
    double B = 0.0;
};

/// A point of the triangle with the A corner at (0, 0), the C corner at
/// (100, 0) and the B corner on top.
struct TPlanePoint {
    double X = 0.0;
    double Y = 0.0;
};

inline TPlanePoint operator-(TPlanePoint p, TPlanePoint q) {
    return {p.X - q.X, p.Y - q.Y};
}
inline TPlanePoint operator+(TPlanePoint p, TPlanePoint q) {
    return {p.X + q.X, p.Y + q.Y};
}
inline TPlanePoint operator*(double s, TPlanePoint p) {
    return {s * p.X, s * p.Y};
}
inline double Dot(TPlanePoint p, TPlanePoint q) {
    return p.X * q.X + p.Y * q.Y;
}
inline double Cross(TPlanePoint p, TPlanePoint q) {
    return p.X * q.Y - p.Y * q.X;
}
inline double Length(TPlanePoint p) {
    return std::hypot(p.X, p.Y);
}

TPlanePoint PlanePoint(double a, double b);
inline TPlanePoint PlanePoint(const TComposition& c) {
    return PlanePoint(c.A, c.B);
}
TComposition CompositionAt(TPlanePoint p);

/// Segments closer than this touch; points of a planar graph closer than
/// kMergeDistance are one vertex.
constexpr double kTouchDistance = 1e-9;
constexpr double kMergeDistance = 1e-8;

/// The parameter (0..1) of the point of segment pq nearest to r.
double NearestParameter(TPlanePoint p, TPlanePoint q, TPlanePoint r);
inline TPlanePoint PointAt(TPlanePoint p, TPlanePoint q, double t) {
    return p + t * (q - p);
}
double DistanceToSegment(TPlanePoint p, TPlanePoint q, TPlanePoint r);

/// Whether segments pq and rs cross at a point inside both, each end lying
/// more than kTouchDistance off the other's line.
bool CrossProperly(TPlanePoint p, TPlanePoint q, TPlanePoint r, TPlanePoint s);
/// 0 where the segments cross.
double SegmentDistance(TPlanePoint p, TPlanePoint q, TPlanePoint r, TPlanePoint s);

/// Positive for an anticlockwise polygon.
double SignedArea(const std::vector<TPlanePoint>& polygon);
/// Even-odd rule, so that a walk along a dangling piece and back changes
/// nothing.
bool Encloses(const std::vector<TPlanePoint>& polygon, TPlanePoint r);

struct TPlaneBox {
    double X0 = std::numeric_limits<double>::infinity();
    double Y0 = std::numeric_limits<double>::infinity();
    double X1 = -std::numeric_limits<double>::infinity();
    double Y1 = -std::numeric_limits<double>::infinity();
    void Add(TPlanePoint p);
    TPlaneBox Grown(double margin) const {
        return {X0 - margin, Y0 - margin, X1 + margin, Y1 + margin};
    }
    bool Contains(TPlanePoint p) const { return p.X >= X0 && p.X <= X1 && p.Y >= Y0 && p.Y <= Y1; }
    bool Overlaps(const TPlaneBox& b) const {
        return X0 <= b.X1 && b.X0 <= X1 && Y0 <= b.Y1 && b.Y0 <= Y1;
    }
};

TPlaneBox BoxOf(TPlanePoint p, TPlanePoint q);

/// Cells X0..X1, Y0..Y1 of a grid, bounds included.
struct TGridCells {
    int X0, Y0, X1, Y1;
};

/// Buckets of items by the cells their boxes cover, so that near and
/// crossing segments are found without comparing every pair. The grid is as
/// fine as the items allow while the entries stay within a budget, so that
/// long items cannot make it large; items outside the first bounds go to
/// the border cells.
class TSegmentGrid {
public:
    explicit TSegmentGrid(const std::vector<TPlaneBox>& boxes);

    void Insert(int id, const TPlaneBox& box);

    /// Calls visit(id) for every item in a cell the box touches, some twice.
    template <class F>
    void Visit(const TPlaneBox& box, F&& visit) const {
        const TGridCells r = Cells(box);
        for (int y = r.Y0; y <= r.Y1; ++y) {
            for (int x = r.X0; x <= r.X1; ++x) {
                for (const int id : Cell(x, y)) visit(id);
            }
        }
    }

    TGridCells Cells(const TPlaneBox& box) const;
    int Side() const { return m_side; }
    const std::vector<int>& Cell(int x, int y) const {
        return m_cells[std::size_t(y) * std::size_t(m_side) + std::size_t(x)];
    }

private:
    void Resize(int side);
    int Index(double v, double origin, double width) const;

    TPlaneBox m_bounds;
    int m_side = 1;
    double m_cellWidth = 1;
    double m_cellHeight = 1;
    std::vector<std::vector<int>> m_cells;
};

/// A segment of a planar graph with the parameters (0..1) where other
/// segments cross or touch it.
struct TCutSegment {
    TPlanePoint P;
    TPlanePoint Q;
    std::vector<double> Splits;
};

/// Records where s and t cross or where an end of one touches the other;
/// `count` grows by the number of cuts.
void CutAtContacts(TCutSegment& s, TCutSegment& t, std::size_t& count);

/// A bounded face of a planar graph: the walk around it, anticlockwise,
/// along both sides of any dangling piece inside it. Islands in a face have
/// faces of their own, not holes in the walk.
struct TPlaneFace {
    std::vector<TPlanePoint> Walk;
    TPlaneBox Box;
    double Area = 0;
};

/// The bounded faces of the graph the cut segments make.
std::vector<TPlaneFace> BoundedFaces(const std::vector<TCutSegment>& segments);

/// The index of the face a point lies in (the smallest walk around it, as
/// an island's faces lie inside the walk of the face around the island), or
/// -1 outside every face.
int FaceOf(const std::vector<TPlaneFace>& faces, TPlanePoint p);

}  // namespace liquidus
