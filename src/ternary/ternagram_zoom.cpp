// The zoom window: from a finished drag to a window on the 10 % grid, its
// frame in the unzoomed picture, the clipping of boundary segments into the
// zoomed view, and the fill seeds of fields cut by the window's edges.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "canvas/rounding.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {
constexpr double kK = kSqrt3Half;
constexpr int kZoomGrid = 10;  // window corners snap to whole tens of percent
constexpr double kSamePoint = 1e-9;
}  // namespace

void TTernagram::ZoomIn() {
    const int y0 = m_dragStartY;
    const int x1 = std::min(m_dragStartX, m_dragX);
    const int x2 = std::max(m_dragStartX, m_dragX);
    const double l0 = LeftEdgeX(y0);
    const double r0 = RightEdgeX(y0);
    const double s = SideLength();
    const double h = TriangleHeight();
    const int cMin = Trunc((x1 - l0) / s * 100 / kZoomGrid) * kZoomGrid;
    const int bMin = Trunc((h - (y0 - TriangleTop())) / h * 100 / kZoomGrid) * kZoomGrid;
    const int aMin = Trunc((r0 - x2) / s * 100 / kZoomGrid) * kZoomGrid;
    ZoomInTo(aMin, bMin, cMin);
}

void TTernagram::ZoomInTo(int aMin, int bMin, int cMin) {
    if (m_zoom || !AllowZoom()) return;
    // The edge seeds are read from the screen: it must show the picture,
    // not a hint box over it.
    if (!m_painted || m_hintShown) {
        m_hintShown = false;
        Refresh();
    }
    const TZoomCorners corners{{
        {100.0 - cMin - bMin, double(bMin), double(cMin)},  // bottom-left
        {double(aMin), 100.0 - aMin - cMin, double(cMin)},  // apex
        {double(aMin), double(bMin), 100.0 - aMin - bMin},  // bottom-right
    }};
    SetZoomState(true, corners);
    DoZoomIn();
    EraseRubberBand();
    m_dragging = false;
    if (m_mouseGridShown) {
        DrawMouseGrid();
        m_mouseGridShown = false;
    }
    CalcZoomFrame();
    // The screen still shows the unzoomed picture: the fields along the
    // window's edges are read from it.
    CalcEdgeSeeds();
    TSubstance* vertices[3] = {&m_substanceA, &m_substanceB, &m_substanceC};
    for (int i = 0; i < 3; ++i) {
        vertices[i]->SetName(ZoomVertexCaption(m_substanceA.BaseName, m_substanceB.BaseName,
                                               m_substanceC.BaseName, corners[i].A, corners[i].B,
                                               corners[i].C, m_unitsTotal));
    }
    ScreenChanged();
}

void TTernagram::ZoomOut() {
    SetZoomState(false, ZoomCorners());
    DoZoomOut();
    for (TSubstance* s : {&m_substanceA, &m_substanceB, &m_substanceC}) {
        s->SetName(s->BaseName);
    }
}

void TTernagram::CalcZoomFrame() {
    const TZoomWindow w = ZoomWindow();
    const double s = SideLength();
    const double h = TriangleHeight();
    TZoomFrame& f = m_zoomFrame;
    f.BaseY = (100 - w.BMin) / 100 * h + TriangleTop();
    f.LeftX = LeftEdgeX(f.BaseY) + (100 - w.AMax - w.BMin) / 100 * s + 1;
    f.RightY = f.BaseY;
    f.RightX = LeftEdgeX(f.RightY) + (100 - w.AMin - w.BMin) / 100 * s - 1;
    f.ApexX = (f.LeftX + f.RightX) / 2;
    f.Scale = s / (f.RightX - f.LeftX);
    f.ApexY = f.BaseY - h / f.Scale;
    f.LeftSlope = (f.ApexY - f.BaseY) / (f.ApexX - f.LeftX);
    f.RightSlope = (f.RightY - f.ApexY) / (f.RightX - f.ApexX);
    f.BaseSlope = 0;
    f.LeftIntercept = f.ApexY - f.LeftSlope * f.ApexX;
    f.RightIntercept = f.RightY - f.RightSlope * f.RightX;
    f.BaseIntercept = f.BaseY;
}

bool TTernagram::ClipSegment(TRealPoint from, TRealPoint to, TPoint& start, TPoint& end) const {
    const TZoomFrame& f = m_zoomFrame;
    const double x1 = from.X, y1 = from.Y, x2 = to.X, y2 = to.Y;
    const bool vertical = x1 == x2;
    double m = 0.0;
    double c = y1;
    if (!vertical && y1 != y2) {
        m = (y2 - y1) / (x2 - x1);
        c = y2 - m * x2;
    }
    struct TEdge {
        double Slope, Intercept, XFrom, XTo;
    };
    const TEdge edges[3] = {{f.LeftSlope, f.LeftIntercept, f.LeftX, f.ApexX},
                            {f.RightSlope, f.RightIntercept, f.ApexX, f.RightX},
                            {f.BaseSlope, f.BaseIntercept, f.LeftX, f.RightX}};
    TRealPoint found[2];
    int count = 0;
    for (const TEdge& e : edges) {
        if (count == 2) break;
        if (!vertical && e.Slope == m) continue;
        const double x = vertical ? x1 : (c - e.Intercept) / (e.Slope - m);
        const double y = vertical ? e.Slope * x + e.Intercept : m * x + c;
        const bool onEdge = e.XFrom <= x && x <= e.XTo;
        const bool onSegment = std::min(x1, x2) <= x && x <= std::max(x1, x2) &&
                               std::min(y1, y2) <= y && y <= std::max(y1, y2);
        if (!onEdge || !onSegment) continue;
        // A segment through a corner meets two edges there; that is one
        // crossing, and the piece runs on to the next edge it meets.
        if (count == 1 && std::abs(found[0].X - x) < kSamePoint &&
            std::abs(found[0].Y - y) < kSamePoint) {
            continue;
        }
        found[count++] = {x, y};
    }
    const auto inside = [&f](TRealPoint p, double below) {
        const double left = f.LeftX + (f.RightY - p.Y) / kK / 2;
        const double right = f.LeftX + f.RightX - left;
        return left < p.X && p.X < right && p.Y > f.ApexY && p.Y < below;
    };
    // The window's slanted edges as lines and the inside test above differ
    // by rounding errors. A point within such an error of an edge must
    // count as inside to both, or a segment ending there is dropped and its
    // line stops short of the window's edge, where a fill then passes.
    const double cx = (f.LeftX + f.ApexX + f.RightX) / 3;
    const double cy = (f.BaseY + f.ApexY + f.RightY) / 3;
    const auto withinEdges = [&](TRealPoint p) {
        for (const TEdge& e : edges) {
            const double side = cy - (e.Slope * cx + e.Intercept) >= 0 ? 1.0 : -1.0;
            if (side * (p.Y - (e.Slope * p.X + e.Intercept)) < 0) return false;
        }
        return true;
    };
    const auto in = [&](TRealPoint p, double below) { return inside(p, below) || withinEdges(p); };
    TRealPoint first;
    TRealPoint last;
    if (count == 2) {
        first = found[0];
        last = found[1];
    } else if (count == 1) {
        first = found[0];
        if (in(from, f.BaseY) && in(to, f.BaseY)) {
            first = from;
            last = to;
        } else if (in(from, f.BaseY)) {
            last = from;
        } else if (in(to, f.BaseY)) {
            last = to;
        } else {
            return false;
        }
    } else {
        if (!in(from, f.BaseY + 1) || !in(to, f.BaseY + 1)) return false;
        first = from;
        last = to;
    }
    const auto map = [this, &f](TRealPoint p) {
        return TPoint{Round((p.X - f.LeftX) * f.Scale) + TriangleLeft(),
                      Round((p.Y - f.ApexY) * f.Scale) + TriangleTop()};
    };
    start = map(first);
    end = map(last);
    return true;
}

void TTernagram::DrawZoomedSegment(TCanvas& canvas) {
    TPoint start;
    TPoint end;
    if (!ClipSegment(m_segFrom, m_segTo, start, end) || start == end) return;
    canvas.MoveTo(start.X, start.Y);
    canvas.LineTo(end.X, end.Y);
    NoteSegment(start, end);
}

void TTernagram::CalcEdgeSeeds() {
    const TZoomWindow w = ZoomWindow();
    const TZoomFrame& f = m_zoomFrame;
    const TCanvas& screen = Screen().Canvas();
    const double s = SideLength();
    const double h = TriangleHeight();
    // Only the fields' own colours: the paper shows along the outline and
    // a seed of its colour would paint a region of the zoomed view with it.
    const auto usable = [this, &screen](TColor color) {
        if (color == clBlack || color == clWhite || color == m_isotherms.Color() ||
            color == m_hotIsothermColor) {
            return false;
        }
        for (int i = 1; i <= Areas(); ++i) {
            if (screen.GetNearestColor(AreaColors[i]) == color) return true;
        }
        return false;
    };
    std::array<int, 16> runs{};
    // Walks one edge: a run of a new colour starts a seed, each pixel of the
    // current seed's colour lengthens its run.
    const auto scan = [&](TEdgeSeeds& seeds, int from, int to, auto pixelAt, auto startSeed) {
        seeds = TEdgeSeeds{};
        runs.fill(0);
        bool recording = false;
        TColor current = kInvalidColor;
        for (int j = from; j <= to; ++j) {
            const TPoint p = pixelAt(j);
            const TColor color = screen.Pixel(p.X, p.Y);
            if (!usable(color)) continue;
            if (color != current) {
                current = color;
                // Past the last seed an edge holds, runs are passed over.
                recording = seeds.Count < TEdgeSeeds::kMaxSeeds;
                if (recording) {
                    TEdgeSeed& seed = seeds.Seeds[seeds.Count++];
                    seed.Color = color;
                    startSeed(seed, j);
                }
            }
            if (recording) ++runs[seeds.Count - 1];
        }
    };
    const auto d = [](int j) { return j / kK / 2; };

    scan(
        m_bottomSeeds, 0, Trunc(f.RightX - f.LeftX) + 1,
        [&](int j) {
            return TPoint{Trunc(f.LeftX + j), Trunc(f.BaseY) - 2};
        },
        [&](TEdgeSeed& seed, int j) {
            seed.B = 2 / h * (w.BMax - w.BMin) + w.BMin;
            seed.A = w.AMax - j / s * 100;
        });
    for (int i = 0; i < m_bottomSeeds.Count; ++i) {
        int run = runs[i];
        if (run % 2 == 0) ++run;
        m_bottomSeeds.Seeds[i].A -= (run + 2) / 2.0 / s * 100;
    }

    const int rows = Trunc(f.RightY - f.ApexY);
    const auto startOnSide = [&](TEdgeSeed& seed, int j) { seed.B = j / h * 100 + w.BMin; };
    scan(
        m_leftSeeds, 1, rows,
        [&](int j) {
            return TPoint{Trunc(d(j) + f.LeftX) + 1, Trunc(f.RightY) - j};
        },
        startOnSide);
    for (int i = 0; i < m_leftSeeds.Count; ++i) {
        TEdgeSeed& seed = m_leftSeeds.Seeds[i];
        seed.B += runs[i] / 2.0 / h * 100;
        seed.A = 100 - seed.B - w.CMin - 1 / s * (w.CMax - w.CMin);
    }
    scan(
        m_rightSeeds, 1, rows,
        [&](int j) {
            return TPoint{Trunc(f.RightX - d(j)) - 1, Trunc(f.RightY) - j};
        },
        startOnSide);
    for (int i = 0; i < m_rightSeeds.Count; ++i) {
        TEdgeSeed& seed = m_rightSeeds.Seeds[i];
        seed.B += runs[i] / 2.0 / h * 100;
        seed.A = 1 / s * (w.AMax - w.AMin) + w.AMin;
    }
}

void TTernagram::FillZoomRegions(TCanvas& canvas) {
    // Fields whose fill point lies outside the window show in it only in
    // pieces with no seed of their own. Seeds read off the screen along the
    // window's edges land on the wrong side of a line that runs close to an
    // edge; instead each piece left blank takes the field the look-up map
    // gives for its pixels, by a majority of up to 64 of them, so that a
    // pixel beside a line cannot decide alone.
    LookupMap();
    TBitmap& bitmap = canvas.Bitmap();
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    const TZoomWindow window = ZoomWindow();
    std::vector<char> seen(static_cast<std::size_t>(width) * height, 0);
    std::vector<TPoint> piece;
    std::vector<TPoint> stack;
    const auto open = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height &&
               seen[static_cast<std::size_t>(y) * width + x] == 0 && canvas.Pixel(x, y) == clWhite;
    };
    const int top = std::max(0, TriangleTop());
    const int bottom = std::min(height, TriangleTop() + TriangleHeight());
    for (int y0 = top; y0 < bottom; ++y0) {
        for (int x0 = std::max(0, Trunc(LeftEdgeX(y0))); x0 <= RightEdgeX(y0) && x0 < width; ++x0) {
            if (!open(x0, y0) || !IsInsideTriangle(x0, y0)) continue;
            piece.clear();
            stack.assign(1, {x0, y0});
            seen[static_cast<std::size_t>(y0) * width + x0] = 1;
            while (!stack.empty()) {
                const TPoint p = stack.back();
                stack.pop_back();
                piece.push_back(p);
                for (const TPoint q : {TPoint{p.X + 1, p.Y}, TPoint{p.X - 1, p.Y},
                                       TPoint{p.X, p.Y + 1}, TPoint{p.X, p.Y - 1}}) {
                    if (!open(q.X, q.Y)) continue;
                    seen[static_cast<std::size_t>(q.Y) * width + q.X] = 1;
                    stack.push_back(q);
                }
            }
            std::array<int, kAreaCount + 1> votes{};
            const std::size_t n = piece.size();
            const std::size_t samples = std::min<std::size_t>(64, n);
            for (std::size_t i = 0; i < samples; ++i) {
                const TPoint p = piece[i * n / samples];
                double a = 0, b = 0, c = 0;
                liquidus::PixelToComposition(Layout(), &window, 100.0, p.X, p.Y, a, b, c);
                bool divisionPoint = false;
                ++votes[LookupArea(a, b, divisionPoint) + 1];
            }
            const int winner =
                static_cast<int>(std::max_element(votes.begin(), votes.end()) - votes.begin()) - 1;
            if (winner < 0) continue;
            const TColor color = canvas.GetNearestColor(AreaColors[winner + 1]);
            for (const TPoint p : piece) canvas.SetPixel(p.X, p.Y, color);
        }
    }
}

}  // namespace liquidus
