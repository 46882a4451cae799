// Contour isotherms as a printed liquidus projection draws them: each
// field's temperature surface is sampled on a grid of screen pixels and its
// isolines traced, joined and lightly smoothed; each line gets its level
// written along it where nothing else is written.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/rounding.h"
#include "diagram/diagram.h"
#include "ternary/contours.h"
#include "ternary/datahash.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

/// Grid cell on screen: fine enough that the joined line looks smooth.
constexpr int kCellPixels = 2;
constexpr int kSmoothPasses = 2;
constexpr std::size_t kSpeckPoints = 4;
/// Label boxes keep this far from whatever they must not touch.
constexpr int kLabelMargin = 2;
/// A piece this many label widths long must carry a label.
constexpr double kLabelledLength = 3.0;
/// Temperatures beyond this are no liquidus a level could match.
constexpr double kLargestTemperature = 1e9;


/// Pixel of shares (a, b) and back, unrounded, as CompositionToPixel maps.
struct TMapping {
    TTriangleLayout Layout;
    const TZoomWindow* Zoom = nullptr;

    void ToShares(double x, double y, double& a, double& b) const {
        const double u = (y - Layout.TriangleTop) / Layout.TriangleHeight;
        const double v = (x - LeftEdgeX(Layout, y)) / Layout.SideLength;
        double c = 0;
        if (Zoom == nullptr) {
            b = 100 - u * 100;
            c = v * 100;
        } else {
            b = Zoom->BMax - u * (Zoom->BMax - Zoom->BMin);
            c = Zoom->CMin + v * (Zoom->CMax - Zoom->CMin);
        }
        a = 100 - b - c;
    }
};

bool Overlaps(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

const std::vector<TContour>& TTernagram::Contours(int width, int height) {
    const TBitmap& map = LookupMap();
    TDataHash key;
    key.Add(m_lookupKey);
    key.Add(Areas());
    for (int i = 0; i < Areas(); ++i) key.Add(AreaList()[i].Points);
    key.Add(m_layout);
    key.Add(m_zoom);
    if (const TZoomWindow* z = ActiveZoom()) key.Add(*z);
    key.Add(width);
    key.Add(height);
    // A figure is drawn larger than it is shown: its cells are as large as
    // the screen's in the picture, or the lines would wiggle with the surface
    // below the size they are seen at.
    const int cell = Px(kCellPixels);
    key.Add(cell);
    key.Add(m_tCalcMethod);
    key.Add(m_tUnits);
    key.Add(m_isotherms.Step());
    key.Add(m_hotIsotherm);
    if (m_contoursTraced && key.Value() == m_contourKey) return m_contours;
    m_contours.clear();
    m_contoursTraced = true;
    m_contourKey = key.Value();
    if (Areas() == 0 || IsTooSmall()) return m_contours;

    // The levels: as the point scan counts them, the step's multiples only,
    // then the hot isotherm.
    const TIsothermLevels range = DataIsothermLevels();
    std::vector<double> levels;
    std::vector<int> names;
    const int step = m_isotherms.Step();
    for (int k = 0; k < range.LevelCount; ++k) {
        const int level = range.MinLevel + kIsothermLevelSpacing * k;
        // The hot isotherm is drawn over its regular twin: the twin would
        // only repeat its label.
        if (level / step * step != level || level == m_hotIsotherm) continue;
        levels.push_back(level);
        names.push_back(level);
    }
    levels.push_back(m_hotIsotherm);
    names.push_back(m_hotIsotherm);

    const TMapping mapping{m_layout, ActiveZoom()};
    const int x0 = std::max(TriangleLeft(), 0);
    const int y0 = std::max(TriangleTop(), 0);
    const int x1 = std::min(TriangleLeft() + SideLength(), width - 1);
    const int y1 = std::min(TriangleTop() + TriangleHeight(), height - 1);
    if (x1 <= x0 || y1 <= y0) return m_contours;
    TContourGrid grid;
    grid.Columns = (x1 - x0) / cell + 1;
    grid.Rows = (y1 - y0) / cell + 1;
    const std::size_t nodes = static_cast<std::size_t>(grid.Columns) * grid.Rows;
    grid.Field.assign(nodes, -1);
    grid.Value.assign(nodes, 0.0f);

    // The field of a node is read off the fixed-size field map, so the lines
    // end at the same boundaries whatever the picture shows over them.
    const TTriangleLayout mapLayout = LookupLayout();
    const TCanvas& mapCanvas = map.Canvas();
    std::vector<TColor> colors;
    for (int i = 1; i <= Areas(); ++i) colors.push_back(mapCanvas.GetNearestColor(AreaColors[i]));
    const TZoomWindow* zoom = ActiveZoom();
    const auto index = [&](int i, int j) { return static_cast<std::size_t>(j) * grid.Columns + i; };
    // The field of every node first; temperatures where they are needed.
    for (int j = 0; j < grid.Rows; ++j) {
        for (int i = 0; i < grid.Columns; ++i) {
            double a = 0;
            double b = 0;
            mapping.ToShares(x0 + i * cell, y0 + j * cell, a, b);
            const double c = 100 - a - b;
            if (a < 0 || b < 0 || c < 0) continue;
            if (zoom != nullptr && !zoom->Contains(a, b, c)) continue;
            int mx = 0;
            int my = 0;
            liquidus::CompositionToPixel(mapLayout, nullptr, a, b, mx, my);
            if (!liquidus::IsInsideTriangle(mapLayout, mx, my)) continue;
            const TColor color = mapCanvas.Pixel(mx, my);
            const auto it = std::find(colors.begin(), colors.end(), color);
            if (it == colors.end()) continue;
            grid.Field[index(i, j)] = static_cast<std::int8_t>(it - colors.begin());
        }
    }
    std::vector<char> known(nodes, 0);
    const auto evaluate = [&](int i, int j) {
        const std::size_t n = index(i, j);
        if (known[n]) return;
        known[n] = 1;
        const int field = grid.Field[n];
        if (field < 0) return;
        double a = 0;
        double b = 0;
        mapping.ToShares(x0 + i * cell, y0 + j * cell, a, b);
        const std::optional<double> celsius = AreaTemperature(field, a, b);
        if (!celsius || !(std::fabs(*celsius) < kLargestTemperature)) {
            grid.Field[n] = -1;
            return;
        }
        grid.Value[n] = static_cast<float>(TemperatureInUnits(*celsius, m_tUnits));
    };
    // A block of one field whose corners lie between the same two levels is
    // filled in from its corners: no line passes there that the grid could
    // show. Every node of any other block is evaluated. The surfaces are
    // smooth over a block this small; the slow methods gain several times.
    constexpr int kBlock = 4;
    std::vector<double> bounds = levels;
    std::sort(bounds.begin(), bounds.end());
    const auto band = [&](std::size_t n) {
        return std::upper_bound(bounds.begin(), bounds.end(), double{grid.Value[n]}) -
               bounds.begin();
    };
    const int blocksX = std::max((grid.Columns - 1 + kBlock - 1) / kBlock, 1);
    const int blocksY = std::max((grid.Rows - 1 + kBlock - 1) / kBlock, 1);
    const auto end = [&](int start, int count) { return std::min(start + kBlock, count - 1); };
    std::vector<char> plain(static_cast<std::size_t>(blocksX) * blocksY, 0);
    for (int by = 0; by < blocksY; ++by) {
        for (int bx = 0; bx < blocksX; ++bx) {
            const int bi = bx * kBlock, bj = by * kBlock;
            const int ei = end(bi, grid.Columns), ej = end(bj, grid.Rows);
            const std::size_t corners[4] = {index(bi, bj), index(ei, bj), index(bi, ej),
                                            index(ei, ej)};
            for (const auto& [ci, cj] : {std::pair{bi, bj}, {ei, bj}, {bi, ej}, {ei, ej}}) {
                evaluate(ci, cj);
            }
            const int field = grid.Field[corners[0]];
            bool same = field >= 0;
            for (int y = bj; y <= ej && same; ++y) {
                for (int x = bi; x <= ei && same; ++x) same = grid.Field[index(x, y)] == field;
            }
            for (const std::size_t c : corners) same = same && band(c) == band(corners[0]);
            plain[static_cast<std::size_t>(by) * blocksX + bx] = same;
        }
    }
    // The blocks a node belongs to along one axis: one, or two on a seam.
    const auto blocksOf = [&](int i, int count) {
        std::pair<int, int> blocks{std::min(i / kBlock, count - 1), std::min(i / kBlock, count - 1)};
        if (i % kBlock == 0 && i > 0) blocks.first = i / kBlock - 1;
        return blocks;
    };
    for (int j = 0; j < grid.Rows; ++j) {
        const auto [byFirst, byLast] = blocksOf(j, blocksY);
        for (int i = 0; i < grid.Columns; ++i) {
            const auto [bxFirst, bxLast] = blocksOf(i, blocksX);
            bool exact = false;
            for (int by = byFirst; by <= byLast; ++by) {
                for (int bx = bxFirst; bx <= bxLast; ++bx) {
                    exact = exact || !plain[static_cast<std::size_t>(by) * blocksX + bx];
                }
            }
            const std::size_t n = index(i, j);
            if (exact || known[n]) {
                evaluate(i, j);
                continue;
            }
            const int bi = bxLast * kBlock, bj = byLast * kBlock;
            const int ei = end(bi, grid.Columns), ej = end(bj, grid.Rows);
            const double u = double(i - bi) / std::max(ei - bi, 1);
            const double v = double(j - bj) / std::max(ej - bj, 1);
            const auto at = [&](int x, int y) { return double{grid.Value[index(x, y)]}; };
            grid.Value[n] = static_cast<float>((1 - v) * ((1 - u) * at(bi, bj) + u * at(ei, bj)) +
                                               v * ((1 - u) * at(bi, ej) + u * at(ei, ej)));
        }
    }

    const int hotIndex = static_cast<int>(levels.size()) - 1;
    std::vector<TContourLine> lines = TraceContours(grid, levels);
    // The hot isotherm last, drawn over a regular level it may repeat.
    std::stable_partition(lines.begin(), lines.end(),
                          [&](const TContourLine& l) { return l.Level != hotIndex; });
    for (TContourLine& line : lines) {
        // Specks where a surface grazes a level are no line to follow.
        if (line.Points.size() < kSpeckPoints) continue;
        for (int pass = 0; pass < kSmoothPasses; ++pass) SmoothContour(line);
        TContour contour;
        contour.Level = names[static_cast<std::size_t>(line.Level)];
        contour.Field = line.Field;
        contour.Hot = line.Level == hotIndex;
        contour.Closed = line.Closed;
        for (const TRealPoint& p : line.Points) {
            const TRealPoint pixel{x0 + p.X * cell, y0 + p.Y * cell};
            double a = 0;
            double b = 0;
            mapping.ToShares(pixel.X, pixel.Y, a, b);
            contour.Pixels.push_back(pixel);
            contour.Shares.emplace_back(a, b);
        }
        m_contours.push_back(std::move(contour));
    }
    return m_contours;
}

void TTernagram::DrawContours(TBitmap& bitmap, std::vector<TRect>& texts) {
    m_contourLabels.clear();
    const std::vector<TContour>& contours = Contours(bitmap.Width(), bitmap.Height());
    TCanvas& canvas = bitmap.Canvas();
    std::vector<TRect> taken = texts;
    if (ValuesTable()) taken.push_back(ValuesTableBox(canvas));

    canvas.Font.Name = "Arial";
    canvas.Font.Size = IsothermLabelSize();
    canvas.Font.Color = clBlack;
    canvas.Font.Bold = false;
    canvas.Font.Italic = true;
    const int textHeight = canvas.TextHeight("0");
    const auto insideView = [&](double x, double y) {
        return x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height() &&
               liquidus::IsInsideTriangle(m_layout, static_cast<int>(std::floor(x)),
                                static_cast<int>(std::floor(y)));
    };

    if (m_isotherms.Signed()) {
        // Longest pieces first: they are the ones a reader follows.
        std::vector<std::size_t> order(contours.size());
        std::vector<std::vector<double>> arcs(contours.size());
        for (std::size_t i = 0; i < contours.size(); ++i) {
            order[i] = i;
            const auto& p = contours[i].Pixels;
            arcs[i].assign(1, 0.0);
            for (std::size_t j = 1; j < p.size(); ++j) {
                arcs[i].push_back(arcs[i].back() + std::hypot(p[j].X - p[j - 1].X, p[j].Y - p[j - 1].Y));
            }
        }
        std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
            return arcs[x].back() > arcs[y].back();
        });
        const double side = SideLength();
        for (const std::size_t i : order) {
            const TContour& contour = contours[i];
            if (contour.Hot && contour.Level == 0) continue;
            const std::vector<double>& arc = arcs[i];
            const double length = arc.back();
            const std::string text = std::to_string(contour.Level);
            const double w = canvas.TextWidth(text) + 2 * Px(kLabelMargin);
            if (length < 1.5 * w) continue;
            const auto at = [&](double s) {
                const std::size_t j = static_cast<std::size_t>(
                    std::upper_bound(arc.begin(), arc.end(), s) - arc.begin());
                const std::size_t k = std::clamp<std::size_t>(j, 1, arc.size() - 1);
                const double d = arc[k] - arc[k - 1];
                const double t = d > 0 ? std::clamp((s - arc[k - 1]) / d, 0.0, 1.0) : 0.0;
                const TRealPoint& p = contour.Pixels[k - 1];
                const TRealPoint& q = contour.Pixels[k];
                return TRealPoint{p.X + (q.X - p.X) * t, p.Y + (q.Y - p.Y) * t};
            };
            // Once on a line up to half the side long, twice on longer ones,
            // each near its share's middle and as near it as there is room.
            const int wanted = length > side / 2 && length > 6 * w ? 2 : 1;
            for (int n = 0; n < wanted; ++n) {
                const double ideal = length * (n + 0.5) / wanted;
                const double reach = length / (2 * wanted);
                for (double offset = 0; offset <= reach; offset += w / 3) {
                    bool placed = false;
                    for (const double s : {ideal + offset, ideal - offset}) {
                        if (s - w / 2 < 0 || s + w / 2 > length) continue;
                        const TRealPoint from = at(s - w / 2);
                        const TRealPoint to = at(s + w / 2);
                        const double chord = std::hypot(to.X - from.X, to.Y - from.Y);
                        // Written straight, so only where the line is nearly straight.
                        if (chord < 0.9 * w) continue;
                        const TRealPoint centre = at(s);
                        double angle = std::atan2(to.Y - from.Y, to.X - from.X);
                        if (angle > M_PI / 2) angle -= M_PI;
                        if (angle < -M_PI / 2) angle += M_PI;
                        const double ux = std::cos(angle);
                        const double uy = std::sin(angle);
                        const double hw = w / 2;
                        const double hh = textHeight / 2.0;
                        double left = 1e18, top = 1e18, right = -1e18, bottom = -1e18;
                        bool inside = true;
                        for (const double sa : {-1.0, 1.0}) {
                            for (const double sb : {-1.0, 1.0}) {
                                const double x = centre.X + sa * hw * ux - sb * hh * uy;
                                const double y = centre.Y + sa * hw * uy + sb * hh * ux;
                                inside = inside && insideView(x, y);
                                left = std::min(left, x);
                                right = std::max(right, x);
                                top = std::min(top, y);
                                bottom = std::max(bottom, y);
                            }
                        }
                        if (!inside) continue;
                        const TRect box{static_cast<int>(std::floor(left)),
                                        static_cast<int>(std::floor(top)),
                                        static_cast<int>(std::ceil(right)) + 1,
                                        static_cast<int>(std::ceil(bottom)) + 1};
                        if (std::any_of(taken.begin(), taken.end(),
                                        [&](const TRect& t) { return Overlaps(box, t); })) {
                            continue;
                        }
                        taken.push_back(box);
                        m_contourLabels.push_back({centre, angle, box, text});
                        placed = true;
                        break;
                    }
                    if (placed) break;
                }
            }
        }
    }

    // The lines, broken under every text of the picture and under the labels.
    const auto hidden = [&](const TRealPoint& p) {
        for (const TRect& t : texts) {
            if (p.X >= t.Left && p.X < t.Right && p.Y >= t.Top && p.Y < t.Bottom) return true;
        }
        for (const TContourLabel& l : m_contourLabels) {
            const double dx = p.X - l.Centre.X;
            const double dy = p.Y - l.Centre.Y;
            if (std::fabs(dx) > l.Box.Width() || std::fabs(dy) > l.Box.Height()) continue;
            const double along = dx * std::cos(l.Angle) + dy * std::sin(l.Angle);
            const double across = -dx * std::sin(l.Angle) + dy * std::cos(l.Angle);
            const double hw = canvas.TextWidth(l.Text) / 2.0 + Px(kLabelMargin);
            if (std::fabs(along) <= hw && std::fabs(across) <= textHeight / 2.0) return true;
        }
        return false;
    };
    canvas.Pen.Width = m_isotherms.Width();
    canvas.Pen.Mode = TPenMode::pmCopy;
    for (const TContour& contour : contours) {
        canvas.Pen.Color = contour.Hot ? m_hotIsothermColor : m_isotherms.Color();
        const std::vector<TRealPoint>& p = contour.Pixels;
        const std::size_t n = p.size();
        const std::size_t segments = contour.Closed ? n : n - 1;
        bool pen = false;
        bool previousHidden = hidden(p[0]);
        for (std::size_t j = 1; j <= segments; ++j) {
            const TRealPoint& q = p[j % n];
            const bool qHidden = hidden(q);
            if (!previousHidden && !qHidden) {
                const TRealPoint& from = p[j - 1];
                if (!pen) canvas.MoveTo(Round(from.X), Round(from.Y));
                canvas.LineTo(Round(q.X), Round(q.Y));
                pen = true;
            } else {
                pen = false;
            }
            previousHidden = qHidden;
        }
    }

    for (const TContourLabel& label : m_contourLabels) {
        canvas.RotatedTextOut(label.Centre.X, label.Centre.Y, label.Angle, label.Text);
        texts.push_back(label.Box);
    }
}

}  // namespace liquidus
