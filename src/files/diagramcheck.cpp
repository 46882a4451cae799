#include "files/diagramcheck.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>

#include "files/diagramfile.h"
#include "isotherms/spl.h"
#include "ternary/geometry.h"

namespace liquidus {

namespace {

// As the picture draws the boundary lines.
constexpr int kSamplesPerInterval = 8;
// Vertices closer than this are one point, and a fill point closer than this
// to an outline or a line lies on it.
constexpr double kSamePoint = 1e-6;
constexpr double kMinOutlineArea = 1e-6;
// An end this close to a side or another line meets it: what single
// precision leaves of a point on a curve, or of a point on a side after a
// change of basis.
constexpr double kOnTarget = 2e-5;
// Ends moved onto lines move those lines' curves; a few rounds settle them.
constexpr int kMaxSnapRounds = 32;
constexpr std::size_t kMaxCrossings = 50000;
// Distance and crossing tests in all: real diagrams need some thousands,
// dense lines up to the segment limit some hundred thousands.
constexpr std::size_t kMaxTests = 5000000;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

[[noreturn]] void Fail(const std::string& path, const std::string& problem) {
    throw TDiagramFormatError(path + ": " + problem);
}

std::string Element(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string FieldPath(std::size_t field) {
    return Element("fields", field);
}

/// A single-precision share as the file would write it.
std::string Share(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string Distance(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

std::string FillText(const TDiagramField& field) {
    return "the fill point (" + Share(field.FillA) + ", " + Share(field.FillB) + ")";
}

std::string QuotedName(const TDiagramFile& file, std::size_t field) {
    return " (\"" + file.Fields[field].Name + "\")";
}

TPlanePoint FillPoint(const TDiagramField& field) {
    return PlanePoint(field.FillA, field.FillB);
}

std::vector<TPlanePoint> Outline(const TDiagramField& field) {
    std::vector<TPlanePoint> points;
    for (const TAreaPoint& v : field.Vertices) points.push_back(PlanePoint(v.A, v.B));
    return points;
}

// ---------------------------------------------------------------------------
// Outlines and fill points

bool CrossesItself(const std::vector<TPlanePoint>& polygon) {
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const TPlanePoint p = polygon[i];
        const TPlanePoint q = polygon[(i + 1) % n];
        for (std::size_t j = i + 1; j < n; ++j) {
            const TPlanePoint r = polygon[j];
            const TPlanePoint s = polygon[(j + 1) % n];
            // Neighbours share a vertex. One folding back along the other
            // puts a vertex on a third edge, which does not share it, or
            // leaves a triangle of no area.
            const bool neighbours = j == i + 1 || (i == 0 && j == n - 1);
            if (!neighbours && SegmentDistance(p, q, r, s) <= kSamePoint) return true;
        }
    }
    return false;
}

void CheckOutline(const TDiagramField& field, const std::string& path) {
    const std::vector<TPlanePoint> vertices = Outline(field);
    std::vector<TPlanePoint> distinct;
    for (const TPlanePoint p : vertices) {
        if (std::none_of(distinct.begin(), distinct.end(),
                         [p](TPlanePoint q) { return Length(p - q) <= kSamePoint; })) {
            distinct.push_back(p);
        }
    }
    if (distinct.size() < 3) {
        Fail(path, "only " + std::to_string(distinct.size()) +
                       (distinct.size() == 1 ? " distinct vertex" : " distinct vertices") +
                       ", a field needs at least 3");
    }
    // Repeated neighbours are one corner, not an edge of no length.
    std::vector<TPlanePoint> polygon;
    for (const TPlanePoint p : vertices) {
        if (polygon.empty() || Length(p - polygon.back()) > kSamePoint) polygon.push_back(p);
    }
    while (polygon.size() > 1 && Length(polygon.back() - polygon.front()) <= kSamePoint) {
        polygon.pop_back();
    }
    if (std::fabs(SignedArea(polygon)) < kMinOutlineArea) {
        Fail(path, "the outline encloses no area");
    }
    if (CrossesItself(polygon)) Fail(path, "the outline crosses itself");
}

bool OnOutline(const std::vector<TPlanePoint>& polygon, TPlanePoint r) {
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        if (DistanceToSegment(polygon[i], polygon[(i + 1) % polygon.size()], r) <= kSamePoint) {
            return true;
        }
    }
    return false;
}

void CheckFill(const TDiagramFile& file, std::size_t i) {
    const TDiagramField& field = file.Fields[i];
    const std::string path = FieldPath(i) + ".fill";
    const TPlanePoint fill = FillPoint(field);
    const std::vector<TPlanePoint> outline = Outline(field);
    for (std::size_t k = 0; k < outline.size(); ++k) {
        if (Length(fill - outline[k]) <= kSamePoint) {
            Fail(path, FillText(field) + " lies on vertices[" + std::to_string(k) +
                           "] of the field's outline");
        }
    }
    // On the outline it belongs to the neighbour as much as to this field.
    if (OnOutline(outline, fill)) {
        Fail(path, FillText(field) + " lies on the field's outline, not inside it");
    }
    if (!Encloses(outline, fill)) {
        Fail(path, FillText(field) + " lies outside the field's outline");
    }
    for (std::size_t j = 0; j < file.Fields.size(); ++j) {
        const std::vector<TPlanePoint> other = Outline(file.Fields[j]);
        if (j != i && !OnOutline(other, fill) && Encloses(other, fill)) {
            Fail(path, FillText(field) + " lies inside the outline of " + FieldPath(j) +
                           QuotedName(file, j));
        }
    }
}

/// Counts the elementary tests, so that no file, however its lines crowd
/// together, keeps the check busy for long.
class TWork {
public:
    void Spend(std::size_t tests) {
        m_spent += tests;
        if (m_spent > kMaxTests) {
            Fail("boundaries", "the lines lie too close together in too many places to check");
        }
    }

private:
    std::size_t m_spent = 0;
};

// ---------------------------------------------------------------------------
// Boundary lines as drawn, with the segments near a point at hand

std::vector<TPlanePoint> PlaneCurve(std::span<const TSplinePoint> knots) {
    std::vector<TPlanePoint> curve;
    for (const TComposition& c : BoundaryCurve(knots)) curve.push_back(PlanePoint(c));
    return curve;
}

/// What lies nearest to a boundary line's end on the lines: a point of a
/// curve, and a knot.
struct TLineTarget {
    double Distance = kInfinity;
    TPlanePoint Point;
    double KnotDistance = kInfinity;
    std::size_t KnotLine = 0;
    std::size_t Knot = 0;
};

/// The boundary lines' curves, kept up to date as their ends move.
class TCurves {
public:
    TCurves(const std::vector<std::vector<TSplinePoint>>& lines, TWork& work)
        : m_lines(lines), m_work(work) {
        std::size_t segments = 0;
        for (const std::vector<TSplinePoint>& line : lines) {
            m_curves.push_back(PlaneCurve(line));
            segments += m_curves.back().size() - 1;
            if (segments > kMaxCheckedSegments) {
                Fail("boundaries", "the lines make more than " +
                                       std::to_string(kMaxCheckedSegments) +
                                       " curve segments in all, too many to check");
            }
        }
        std::vector<TPlaneBox> boxes;
        for (const std::vector<TPlanePoint>& curve : m_curves) {
            for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
                boxes.push_back(BoxOf(curve[k], curve[k + 1]));
            }
        }
        m_grid = std::make_unique<TSegmentGrid>(boxes);
        m_generation.assign(m_curves.size(), 0);
        for (std::size_t i = 0; i < m_curves.size(); ++i) Index(i);
    }

    const std::vector<TPlanePoint>& Curve(std::size_t line) const { return m_curves[line]; }
    std::size_t Count() const { return m_curves.size(); }

    /// Samples a line again after one of its knots moved.
    void Update(std::size_t line) {
        m_curves[line] = PlaneCurve(m_lines[line]);
        ++m_generation[line];
        Index(line);
    }

    /// What lies nearest to an end of `line` on every other line, and on
    /// `line` itself beyond the piece that leaves the end (a loop closing on
    /// itself). Only what lies within `radius` is found, unless it is
    /// infinite.
    TLineTarget Nearest(std::size_t line, bool last, double radius) const {
        const std::vector<TPlanePoint>& own = m_curves[line];
        const TPlanePoint end = last ? own.back() : own.front();
        // Own segments from `first` to `after` - 1 are far enough along.
        std::size_t first = 0;
        std::size_t after = 0;
        if (!last) {
            first = own.size();
            for (std::size_t k = 0; k < own.size(); ++k) {
                if (Length(own[k] - end) > kBoundaryEndTolerance) {
                    first = k;
                    break;
                }
            }
            after = own.size();
        } else {
            for (std::size_t k = own.size(); k-- > 0;) {
                if (Length(own[k] - end) > kBoundaryEndTolerance) {
                    after = k;
                    break;
                }
            }
        }
        TLineTarget best;
        const auto considerKnot = [&](std::size_t other, std::size_t k) {
            const std::size_t step = KnotStep(other);
            if (k % step != 0) return;
            const double distance = Length(m_curves[other][k] - end);
            if (distance < best.KnotDistance) {
                best.KnotDistance = distance;
                best.KnotLine = other;
                best.Knot = k / step;
            }
        };
        const auto consider = [&](std::size_t other, std::size_t k) {
            m_work.Spend(1);
            if (other == line && (k < first || k >= after)) return;
            const std::vector<TPlanePoint>& curve = m_curves[other];
            const TPlanePoint p =
                PointAt(curve[k], curve[k + 1], NearestParameter(curve[k], curve[k + 1], end));
            const double distance = Length(p - end);
            if (distance < best.Distance) {
                best.Distance = distance;
                best.Point = p;
            }
            considerKnot(other, k);
            considerKnot(other, k + 1);
        };
        if (std::isinf(radius)) {
            for (std::size_t other = 0; other < m_curves.size(); ++other) {
                for (std::size_t k = 0; k + 1 < m_curves[other].size(); ++k) consider(other, k);
            }
        } else {
            m_grid->Visit(BoxOf(end, end).Grown(radius), [&](int id) {
                const TEntry& e = m_entries[std::size_t(id)];
                if (e.Generation == m_generation[e.Line]) consider(e.Line, e.Segment);
            });
        }
        return best;
    }

private:
    struct TEntry {
        std::size_t Line;
        std::size_t Segment;
        int Generation;
    };

    /// Curve points per knot interval: the knots are every step-th point.
    std::size_t KnotStep(std::size_t line) const {
        return m_curves[line].size() == m_lines[line].size() ? 1 : kSamplesPerInterval + 1;
    }

    void Index(std::size_t line) {
        const std::vector<TPlanePoint>& curve = m_curves[line];
        for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
            m_grid->Insert(static_cast<int>(m_entries.size()), BoxOf(curve[k], curve[k + 1]));
            m_entries.push_back({line, k, m_generation[line]});
        }
    }

    const std::vector<std::vector<TSplinePoint>>& m_lines;
    std::vector<std::vector<TPlanePoint>> m_curves;
    std::vector<int> m_generation;
    std::vector<TEntry> m_entries;
    std::unique_ptr<TSegmentGrid> m_grid;
    TWork& m_work;
};

// ---------------------------------------------------------------------------
// Boundary ends

bool InTriangle(const TComposition& c) {
    return c.A >= 0 && c.B >= 0 && c.A + c.B <= 100;
}

/// Puts a point exactly on a side: A = 0, B = 0, or A + B = 100 in single
/// precision (the larger share rounded, the other the exact rest).
void SnapOntoSide(TSplinePoint& knot, int side) {
    if (side == 0) {
        knot.A = 0;
    } else if (side == 1) {
        knot.B = 0;
    } else {
        const double sum = double(knot.A) + double(knot.B);
        const double a = knot.A * (100.0 / sum);
        const double b = knot.B * (100.0 / sum);
        if (a >= b) {
            knot.A = static_cast<float>(a);
            knot.B = 100.0f - knot.A;
        } else {
            knot.B = static_cast<float>(b);
            knot.A = 100.0f - knot.B;
        }
    }
}

/// Moves ends that nearly meet a side or a line onto it, round after round
/// until no end moves: a moved end changes its own line's curve, which
/// another end may have met. What stays put is taken first. A knot within
/// reach: lines written to meet at a common knot then meet exactly, and stay
/// so whatever else moves, as a curve keeps its knots. Then a side. Only
/// then the nearest point of a curve, which moves when that line's ends do.
/// (A curve that leaves the triangle near the end has the side within reach.)
void SnapBoundaryEnds(std::vector<std::vector<TSplinePoint>>& lines, TCurves& curves) {
    std::string lastMoved;
    for (int round = 0; round < kMaxSnapRounds; ++round) {
        bool moved = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (const bool last : {false, true}) {
                const std::size_t k = last ? lines[i].size() - 1 : 0;
                TSplinePoint& knot = lines[i][k];
                const double shares[3] = {knot.A, knot.B, 100.0 - knot.A - knot.B};
                int side = 0;
                for (int s = 1; s < 3; ++s) {
                    if (std::fabs(shares[s]) < std::fabs(shares[side])) side = s;
                }
                const double sideDistance = std::fabs(shares[side]) * kSqrt3Half;
                const TLineTarget line = curves.Nearest(i, last, kBoundaryEndTolerance);
                // Within a rounding: a diagram written in the other basis
                // reads back as it was.
                if (sideDistance <= kOnTarget || line.Distance <= kOnTarget) continue;
                const std::string path = Element(Element("boundaries", i), k);
                const TComposition onLine = CompositionAt(line.Point);
                if (line.KnotDistance <= kBoundaryEndTolerance) {
                    knot = lines[line.KnotLine][line.Knot];
                } else if (sideDistance <= kBoundaryEndTolerance) {
                    SnapOntoSide(knot, side);
                } else if (line.Distance <= kBoundaryEndTolerance && InTriangle(onLine)) {
                    knot = {static_cast<float>(onLine.A), static_cast<float>(onLine.B)};
                } else {
                    const double far = curves.Nearest(i, last, kInfinity).Distance;
                    Fail(path, "ends " + Distance(std::min(sideDistance, far)) +
                                   " from every side and boundary line (at most " +
                                   Distance(kBoundaryEndTolerance) + ")");
                }
                curves.Update(i);
                moved = true;
                lastMoved = path;
            }
        }
        if (!moved) return;
    }
    Fail(lastMoved, "the end does not settle on the lines near it; let them meet at a knot");
}

// ---------------------------------------------------------------------------
// Regions: the lines and the sides as a planar graph, cut where they cross
// or touch; its bounded faces are the regions a fill can reach.

void CheckRegions(const TDiagramFile& file, const TCurves& curves, TWork& work) {
    std::vector<TCutSegment> segments;
    std::vector<int> lineOf;  // -1 for a side of the triangle
    const auto add = [&](TPlanePoint p, TPlanePoint q, int line) {
        segments.push_back({p, q, {}});
        lineOf.push_back(line);
    };
    const TPlanePoint corners[3] = {PlanePoint(100, 0), PlanePoint(0, 100), PlanePoint(0, 0)};
    for (int s = 0; s < 3; ++s) add(corners[s], corners[(s + 1) % 3], -1);
    for (std::size_t i = 0; i < curves.Count(); ++i) {
        const std::vector<TPlanePoint>& curve = curves.Curve(i);
        const int line = static_cast<int>(i);
        for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
            if (Length(curve[k + 1] - curve[k]) > 0) add(curve[k], curve[k + 1], line);
        }
        // Ends that meet a side or a line only to the rounding are joined
        // to it.
        for (const bool last : {false, true}) {
            const TPlanePoint end = last ? curve.back() : curve.front();
            const TLineTarget target = curves.Nearest(i, last, kOnTarget);
            if (target.Distance <= kOnTarget && target.Distance > 0) add(end, target.Point, line);
            for (int s = 0; s < 3; ++s) {
                const TPlanePoint p = corners[s];
                const TPlanePoint q = corners[(s + 1) % 3];
                const TPlanePoint foot = PointAt(p, q, NearestParameter(p, q, end));
                const double distance = Length(foot - end);
                if (distance <= kOnTarget && distance > 0) add(end, foot, line);
            }
        }
    }

    std::vector<TPlaneBox> boxes;
    for (const TCutSegment& s : segments) boxes.push_back(BoxOf(s.P, s.Q).Grown(kTouchDistance));
    TSegmentGrid grid(boxes);
    for (std::size_t i = 0; i < boxes.size(); ++i) grid.Insert(static_cast<int>(i), boxes[i]);

    // The seed of a fill on a line is a black pixel: the fill paints nothing.
    for (std::size_t f = 0; f < file.Fields.size(); ++f) {
        const TPlanePoint fill = FillPoint(file.Fields[f]);
        grid.Visit(BoxOf(fill, fill).Grown(kSamePoint), [&](int id) {
            const TCutSegment& s = segments[std::size_t(id)];
            const int line = lineOf[std::size_t(id)];
            if (line >= 0 && DistanceToSegment(s.P, s.Q, fill) <= kSamePoint) {
                Fail(FieldPath(f) + ".fill", FillText(file.Fields[f]) + " lies on " +
                                                 Element("boundaries", std::size_t(line)));
            }
        });
    }

    // Each pair once: in the first cell both lie in.
    std::size_t cuts = 0;
    for (int y = 0; y < grid.Side(); ++y) {
        for (int x = 0; x < grid.Side(); ++x) {
            const std::vector<int>& cell = grid.Cell(x, y);
            for (std::size_t a = 0; a < cell.size(); ++a) {
                work.Spend(cell.size() - a - 1);
                for (std::size_t b = a + 1; b < cell.size(); ++b) {
                    const std::size_t i = std::size_t(cell[a]);
                    const std::size_t j = std::size_t(cell[b]);
                    if (!boxes[i].Overlaps(boxes[j])) continue;
                    const TGridCells r = grid.Cells(boxes[i]);
                    const TGridCells s = grid.Cells(boxes[j]);
                    if (std::max(r.X0, s.X0) != x || std::max(r.Y0, s.Y0) != y) continue;
                    CutAtContacts(segments[i], segments[j], cuts);
                    if (cuts > kMaxCrossings) {
                        Fail("boundaries", "the lines cross or touch each other at more than " +
                                               std::to_string(kMaxCrossings) +
                                               " points, too many to check");
                    }
                }
            }
        }
    }

    const std::vector<TPlaneFace> faces = BoundedFaces(segments);
    std::vector<int> region(file.Fields.size(), -1);
    for (std::size_t f = 0; f < file.Fields.size(); ++f) {
        region[f] = FaceOf(faces, FillPoint(file.Fields[f]));
        for (std::size_t g = 0; g < f; ++g) {
            if (region[f] >= 0 && region[g] == region[f]) {
                Fail(FieldPath(f) + ".fill", "in the same closed region as " + FieldPath(g) +
                                                 ".fill" + QuotedName(file, g));
            }
        }
    }
}

}  // namespace

std::vector<TComposition> BoundaryCurve(std::span<const TSplinePoint> knots) {
    std::vector<TComposition> curve;
    const int n = static_cast<int>(knots.size());
    const auto straight = [&] {
        for (const TSplinePoint& k : knots) curve.push_back({k.A, k.B});
        return curve;
    };
    if (n < 2 || n > kSplMaxKnots) return straight();
    TSplArray x{};
    TSplArray y{};
    for (int k = 1; k <= n; ++k) {
        const TPlanePoint p = PlanePoint(knots[std::size_t(k - 1)].A, knots[std::size_t(k - 1)].B);
        x[std::size_t(k)] = p.X;
        y[std::size_t(k)] = p.Y;
    }
    // The positions the picture samples, in its order.
    TSplSamples xs{};
    TSplSamples ys{};
    for (int k = 2; k <= n; ++k) {
        for (int j = 1; j <= kSamplesPerInterval; ++j) {
            xs[std::size_t(kSamplesPerInterval * (k - 1) + j)] =
                x[std::size_t(k - 1)] +
                (x[std::size_t(k)] - x[std::size_t(k - 1)]) * j / (kSamplesPerInterval + 1);
        }
    }
    std::uint8_t error = 0;
    Spline(n, x, y, kSamplesPerInterval * n, xs, ys, error);
    if (error != 0) return straight();
    curve.push_back({knots[0].A, knots[0].B});
    for (int k = 2; k <= n; ++k) {
        for (int j = 1; j <= kSamplesPerInterval; ++j) {
            const std::size_t t = std::size_t(kSamplesPerInterval * (k - 1) + j);
            curve.push_back(CompositionAt({xs[t], ys[t]}));
        }
        curve.push_back({knots[std::size_t(k - 1)].A, knots[std::size_t(k - 1)].B});
    }
    return curve;
}

void CheckDiagramGeometry(TDiagramFile& file) {
    for (std::size_t i = 0; i < file.Fields.size(); ++i) {
        CheckOutline(file.Fields[i], FieldPath(i) + ".vertices");
    }
    for (std::size_t i = 0; i < file.Fields.size(); ++i) CheckFill(file, i);
    TWork work;
    TCurves curves(file.Boundaries, work);
    SnapBoundaryEnds(file.Boundaries, curves);
    CheckRegions(file, curves, work);
}

std::vector<std::string> VertexTemperatureDisagreements(const TDiagramFile& file) {
    struct TMeeting {
        TAreaPoint At;
        std::vector<std::size_t> Fields;
        std::vector<std::int32_t> Temperatures;
    };
    std::vector<TMeeting> meetings;
    for (std::size_t f = 0; f < file.Fields.size(); ++f) {
        for (const TAreaPoint& v : file.Fields[f].Vertices) {
            auto it = std::find_if(meetings.begin(), meetings.end(), [&](const TMeeting& m) {
                return std::fabs(m.At.A - v.A) <= 0.01 && std::fabs(m.At.B - v.B) <= 0.01;
            });
            if (it == meetings.end()) it = meetings.insert(meetings.end(), {v, {}, {}});
            it->Fields.push_back(f);
            it->Temperatures.push_back(v.T);
        }
    }
    std::vector<std::string> lines;
    for (const TMeeting& m : meetings) {
        const auto [low, high] = std::minmax_element(m.Temperatures.begin(), m.Temperatures.end());
        if (*low == *high) continue;
        std::string line;
        for (std::size_t i = 0; i < m.Fields.size(); ++i) {
            if (i > 0) line += i + 1 == m.Fields.size() ? " and " : ", ";
            line += '"' + file.Fields[m.Fields[i]].Name + '"';
        }
        char at[64];
        std::snprintf(at, sizeof at, " meet at %g, %g with ", static_cast<double>(m.At.A),
                      static_cast<double>(m.At.B));
        line += at;
        for (std::size_t i = 0; i < m.Temperatures.size(); ++i) {
            if (i > 0) line += i + 1 == m.Temperatures.size() ? " and " : ", ";
            line += std::to_string(m.Temperatures[i]);
        }
        lines.push_back(line + " C");
    }
    return lines;
}

}  // namespace liquidus
