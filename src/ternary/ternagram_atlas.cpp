// What a printed liquidus projection shows beyond the fields: the invariant
// points with their temperatures, an arrow of falling temperature on every
// boundary, and each field's name inside it. Points and arrows come from
// the data; the names are placed on the picture as drawn.

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "canvas/rounding.h"
#include "model/format.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

// Vertices and line ends this close (percent) are one point of the diagram.
constexpr double kMeet = 0.01;

bool Same(double a1, double b1, double a2, double b2) {
    return std::fabs(a1 - a2) <= kMeet && std::fabs(b1 - b2) <= kMeet;
}

bool OnSide(double a, double b) {
    return a <= kMeet || b <= kMeet || a + b >= 100 - kMeet;
}

/// Where outline vertices of fields coincide: the fields and the lowest of
/// their temperatures there.
struct TMeeting {
    double A = 0;
    double B = 0;
    std::vector<int> Fields;
    int LowT = std::numeric_limits<int>::max();
    int HighT = std::numeric_limits<int>::min();
};

using TKnot = std::pair<double, double>;

/// A shape-true plane for lengths along a line: the triangle as equilateral.
TRealPoint Plane(const TKnot& k) {
    return {k.first + k.second / 2, k.second * 0.8660254037844386};
}

double Distance(const TKnot& p, const TKnot& q) {
    const TRealPoint a = Plane(p);
    const TRealPoint b = Plane(q);
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

/// The point at `fraction` of the way along a polyline, and the direction
/// (as a second point just beyond it) towards its end.
std::pair<TKnot, TKnot> Along(const std::vector<TKnot>& line, double fraction) {
    double total = 0;
    for (std::size_t i = 1; i < line.size(); ++i) total += Distance(line[i - 1], line[i]);
    double left = total * fraction;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double d = Distance(line[i - 1], line[i]);
        if (left <= d || i + 1 == line.size()) {
            const double t = d > 0 ? std::clamp(left / d, 0.0, 1.0) : 0.0;
            const TKnot at{line[i - 1].first + (line[i].first - line[i - 1].first) * t,
                           line[i - 1].second + (line[i].second - line[i - 1].second) * t};
            return {at, line[i]};
        }
        left -= d;
    }
    return {line.front(), line.back()};
}

}  // namespace

std::vector<TTernagram::TPolyline> TTernagram::BoundaryPolylines() const {
    std::vector<TPolyline> lines(1);
    const int last = std::min<int>(m_splinesHigh + 1, static_cast<int>(m_splinesA.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        if (i == m_splinesHigh + 1 || m_splinesA[i] == -1) {
            if (!lines.back().empty()) lines.emplace_back();
            continue;
        }
        lines.back().push_back({m_splinesA[i], m_splinesB[i]});
    }
    std::erase_if(lines, [](const TPolyline& line) { return line.size() < 2; });
    return lines;
}

std::vector<TInvariantPoint> TTernagram::InvariantPointList() {
    std::vector<TMeeting> meetings;
    for (int f = 0; f < Areas(); ++f) {
        const TAreaData& area = AreaList()[static_cast<std::size_t>(f)];
        for (int p = 1; p <= std::min<int>(area.PointCount, kMaxAreaPoints); ++p) {
            const TAreaPoint& v = area.Points[static_cast<std::size_t>(p)];
            auto it = std::find_if(meetings.begin(), meetings.end(), [&](const TMeeting& m) {
                return Same(m.A, m.B, v.A, v.B);
            });
            if (it == meetings.end()) it = meetings.insert(meetings.end(), {v.A, v.B, {}});
            if (std::find(it->Fields.begin(), it->Fields.end(), f) == it->Fields.end()) {
                it->Fields.push_back(f);
            }
            it->LowT = std::min(it->LowT, v.T);
            it->HighT = std::max(it->HighT, v.T);
        }
    }
    std::vector<TInvariantPoint> points;
    const auto add = [&](bool ternary, const TMeeting& m) {
        TInvariantPoint point{ternary, m.A, m.B, static_cast<double>(m.LowT), m.Fields,
                              m.LowT != m.HighT};
        std::sort(point.Fields.begin(), point.Fields.end());
        points.push_back(point);
    };
    for (const TMeeting& m : meetings) {
        if (m.Fields.size() >= 3 && !OnSide(m.A, m.B)) add(true, m);
    }
    for (const TPolyline& line : BoundaryPolylines()) {
        for (const TKnot& end : {line.front(), line.back()}) {
            if (!OnSide(end.first, end.second)) continue;
            const bool known = std::any_of(points.begin(), points.end(), [&](const auto& p) {
                return Same(p.A, p.B, end.first, end.second);
            });
            if (known) continue;
            const auto it = std::find_if(meetings.begin(), meetings.end(), [&](const TMeeting& m) {
                return Same(m.A, m.B, end.first, end.second);
            });
            if (it != meetings.end()) {
                add(false, *it);
                continue;
            }
            // A line that ends where no outline has a vertex: the liquidus
            // of the field the side belongs to there.
            bool division = false;
            const int area = LookupArea(end.first, end.second, division);
            TMeeting m{end.first, end.second, {}};
            if (area >= 0) {
                m.Fields.push_back(area);
                const std::optional<double> t = AreaTemperature(area, end.first, end.second);
                m.LowT = m.HighT = static_cast<int>(std::lround(
                    t.value_or(AltitudeTemperature(area, end.first, end.second))));
                add(false, m);
            }
        }
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& p, const auto& q) { return p.T > q.T; });
    return points;
}

std::vector<TBoundaryArrow> TTernagram::BoundaryArrowList() {
    const std::vector<TInvariantPoint> points = InvariantPointList();
    const std::vector<TPolyline> lines = BoundaryPolylines();
    // The temperature the data give at a knot: an invariant point's, or the
    // lowest of the outline vertices there.
    const auto temperature = [&](const TKnot& k) -> std::optional<double> {
        for (const auto& p : points) {
            if (Same(p.A, p.B, k.first, k.second)) return p.T;
        }
        std::optional<double> t;
        for (int f = 0; f < Areas(); ++f) {
            const TAreaData& area = AreaList()[static_cast<std::size_t>(f)];
            for (int i = 1; i <= std::min<int>(area.PointCount, kMaxAreaPoints); ++i) {
                const TAreaPoint& v = area.Points[static_cast<std::size_t>(i)];
                if (Same(v.A, v.B, k.first, k.second)) t = std::min<double>(t.value_or(v.T), v.T);
            }
        }
        return t;
    };
    const auto isPoint = [&](const TKnot& k) {
        return std::any_of(points.begin(), points.end(),
                           [&](const auto& p) { return Same(p.A, p.B, k.first, k.second); });
    };
    // Lines that meet end to end away from invariant points form one
    // boundary; where three or more ends meet, boundaries end too.
    const auto endsAt = [&](const TKnot& k) {
        int n = 0;
        for (const TPolyline& line : lines) {
            n += Same(line.front().first, line.front().second, k.first, k.second);
            n += Same(line.back().first, line.back().second, k.first, k.second);
        }
        return n;
    };
    const auto terminal = [&](const TKnot& k) { return isPoint(k) || endsAt(k) != 2; };
    std::vector<bool> used(lines.size(), false);
    std::vector<TBoundaryArrow> arrows;
    for (std::size_t start = 0; start < lines.size(); ++start) {
        if (used[start]) continue;
        // Walk back to a terminal end, then forward through the chain.
        TPolyline chain = lines[start];
        used[start] = true;
        for (bool extended = true; extended;) {
            extended = false;
            for (int side = 0; side < 2 && !extended; ++side) {
                const TKnot end = side == 0 ? chain.front() : chain.back();
                if (terminal(end)) continue;
                for (std::size_t j = 0; j < lines.size(); ++j) {
                    if (used[j]) continue;
                    TPolyline next = lines[j];
                    const bool atFront = Same(next.front().first, next.front().second, end.first,
                                              end.second);
                    const bool atBack =
                        Same(next.back().first, next.back().second, end.first, end.second);
                    if (!atFront && !atBack) continue;
                    if (side == 0) {
                        if (atFront) std::reverse(next.begin(), next.end());
                        chain.insert(chain.begin(), next.begin(), next.end() - 1);
                    } else {
                        if (atBack) std::reverse(next.begin(), next.end());
                        chain.insert(chain.end(), next.begin() + 1, next.end());
                    }
                    used[j] = true;
                    extended = true;
                    break;
                }
            }
        }
        const std::optional<double> first = temperature(chain.front());
        const std::optional<double> last = temperature(chain.back());
        if (!first || !last) continue;
        // A maximum inside: the liquid falls both ways from it.
        std::size_t top = 0;
        double topT = std::max(*first, *last);
        for (std::size_t i = 1; i + 1 < chain.size(); ++i) {
            if (const auto t = temperature(chain[i]); t && *t > topT) {
                topT = *t;
                top = i;
            }
        }
        const auto head = [&](const TPolyline& line) {
            const auto [at, toward] = Along(line, 0.5);
            arrows.push_back({at.first, at.second, toward.first, toward.second});
        };
        if (top != 0) {
            TPolyline down(chain.begin(), chain.begin() + static_cast<std::ptrdiff_t>(top) + 1);
            std::reverse(down.begin(), down.end());
            head(down);
            head(TPolyline(chain.begin() + static_cast<std::ptrdiff_t>(top), chain.end()));
        } else if (*first != *last) {
            if (*first < *last) std::reverse(chain.begin(), chain.end());
            head(chain);
        }
    }
    return arrows;
}

}  // namespace liquidus

namespace liquidus {

namespace {

bool Overlaps(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool OverlapsAny(const TRect& box, const std::vector<TRect>& taken) {
    return std::any_of(taken.begin(), taken.end(),
                       [&](const TRect& t) { return Overlaps(box, t); });
}

}  // namespace

TTernagram::TNameSpots TTernagram::FindNameSpots(const TBitmap& bitmap) const {
    TNameSpots spots;
    const TRect box{std::max(TriangleLeft(), 0), std::max(TriangleTop(), 0),
                    std::min(TriangleLeft() + SideLength() + 1, bitmap.Width()),
                    std::min(TriangleTop() + TriangleHeight() + 1, bitmap.Height())};
    spots.Box = box;
    spots.Best.assign(static_cast<std::size_t>(Areas()), {-1, -1});
    const int w = box.Width();
    const int h = box.Height();
    if (w <= 0 || h <= 0) return spots;
    const TCanvas& canvas = bitmap.Canvas();
    std::vector<TColor> colors;
    for (int i = 1; i <= Areas(); ++i) colors.push_back(canvas.GetNearestColor(AreaColors[i]));
    spots.Field.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), -1);
    TColor lastColor = kInvalidColor;
    std::int8_t lastField = -1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const TColor c = canvas.Pixel(box.Left + x, box.Top + y);
            if (c != lastColor) {
                lastColor = c;
                const auto it = std::find(colors.begin(), colors.end(), c);
                lastField = it == colors.end() ? -1 : static_cast<std::int8_t>(it - colors.begin());
            }
            spots.Field[static_cast<std::size_t>(y) * w + x] = lastField;
        }
    }
    // Chamfer distance (3 straight, 4 diagonal) to the nearest pixel of
    // anything else, in two passes.
    std::vector<int> d(spots.Field.size(), 0);
    const auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * w + x; };
    const auto relax = [&](int x, int y, int nx, int ny, int step) {
        if (nx < 0 || ny < 0 || nx >= w || ny >= h) {
            d[at(x, y)] = std::min(d[at(x, y)], step);
        } else if (spots.Field[at(nx, ny)] != spots.Field[at(x, y)]) {
            d[at(x, y)] = std::min(d[at(x, y)], step);
        } else {
            d[at(x, y)] = std::min(d[at(x, y)], d[at(nx, ny)] + step);
        }
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (spots.Field[at(x, y)] < 0) continue;
            d[at(x, y)] = std::numeric_limits<int>::max() / 2;
            relax(x, y, x - 1, y, 3);
            relax(x, y, x, y - 1, 3);
            relax(x, y, x - 1, y - 1, 4);
            relax(x, y, x + 1, y - 1, 4);
        }
    }
    std::vector<int> best(static_cast<std::size_t>(Areas()), 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = w - 1; x >= 0; --x) {
            const int f = spots.Field[at(x, y)];
            if (f < 0) continue;
            relax(x, y, x + 1, y, 3);
            relax(x, y, x, y + 1, 3);
            relax(x, y, x + 1, y + 1, 4);
            relax(x, y, x - 1, y + 1, 4);
            if (d[at(x, y)] > best[static_cast<std::size_t>(f)]) {
                best[static_cast<std::size_t>(f)] = d[at(x, y)];
                spots.Best[static_cast<std::size_t>(f)] = {box.Left + x, box.Top + y};
            }
        }
    }
    return spots;
}

void TTernagram::DrawAtlas(TBitmap& bitmap, const TNameSpots& spots, std::vector<TRect> texts) {
    m_atlasLabels.clear();
    TCanvas& canvas = bitmap.Canvas();
    const double scale = SideLength() * (m_zoom ? m_zoomFrame.Scale : 1.0);
    const auto pixel = [&](double a, double b) {
        int x = 0;
        int y = 0;
        CompositionToPixel(a, b, x, y);
        return TPoint{x, y};
    };
    const auto inside = [&](double a, double b) {
        const TZoomWindow* zoom = ActiveZoom();
        return zoom == nullptr || zoom->Contains(a, b, 100.0 - a - b);
    };
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Brush.Color = clBlack;
    if (m_boundaryArrows) {
        const double size = std::max(6.0, std::min(scale, 4000.0) / 60);
        for (const TBoundaryArrow& arrow : BoundaryArrowList()) {
            if (!inside(arrow.A, arrow.B)) continue;
            double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            CompositionToRealPixel(Layout(), arrow.A, arrow.B, x0, y0);
            CompositionToRealPixel(Layout(), arrow.ToA, arrow.ToB, x1, y1);
            const double length = std::hypot(x1 - x0, y1 - y0);
            if (length <= 0) continue;
            const double ux = (x1 - x0) / length;
            const double uy = (y1 - y0) / length;
            const TPoint at = pixel(arrow.A, arrow.B);
            const auto corner = [&](double along, double across) {
                return TPoint{at.X + Round(ux * along - uy * across),
                              at.Y + Round(uy * along + ux * across)};
            };
            canvas.Polygon({corner(size / 2, 0), corner(-size / 2, size / 3),
                            corner(-size / 2, -size / 3)});
        }
    }
    std::vector<TRect> marks;
    SetTextFont(canvas, FontSize(TTextRole::Table), false);
    if (m_invariantPoints) {
        const int r = std::max(2, static_cast<int>(std::min(scale, 4000.0) / 200));
        const std::vector<TInvariantPoint> points = InvariantPointList();
        for (const TInvariantPoint& p : points) {
            if (!inside(p.A, p.B)) continue;
            const TPoint at = pixel(p.A, p.B);
            canvas.Brush.Color = clBlack;
            canvas.Ellipse(at.X - r, at.Y - r, at.X + r + 1, at.Y + r + 1);
            marks.push_back({at.X - r, at.Y - r, at.X + r + 1, at.Y + r + 1});
        }
        texts.insert(texts.end(), marks.begin(), marks.end());
        canvas.Brush.Color = clWhite;
        for (const TInvariantPoint& p : points) {
            if (!inside(p.A, p.B)) continue;
            const TPoint at = pixel(p.A, p.B);
            const std::string text = FormatFixed(TemperatureInUnits(p.T, m_tUnits), 0);
            const int w = canvas.TextWidth(text);
            const int h = canvas.TextHeight(text);
            const int g = r + 2;
            const TPoint offsets[8] = {{g, -h - g / 2}, {g, g / 2},         {-w - g, -h - g / 2},
                                       {-w - g, g / 2}, {-w / 2, -h - g}, {-w / 2, g},
                                       {g, -h / 2},     {-w - g, -h / 2}};
            // Clear of other texts and marks always; of lines where it can be.
            std::optional<TRect> chosen;
            int fewest = std::numeric_limits<int>::max();
            for (const TPoint& o : offsets) {
                const TRect box{at.X + o.X, at.Y + o.Y, at.X + o.X + w, at.Y + o.Y + h};
                if (box.Left < 0 || box.Top < 0 || box.Right > bitmap.Width() ||
                    box.Bottom > bitmap.Height() || OverlapsAny(box, texts)) {
                    continue;
                }
                int black = 0;
                for (int y = box.Top; y < box.Bottom; ++y) {
                    for (int x = box.Left; x < box.Right; ++x) black += canvas.Pixel(x, y) == clBlack;
                }
                if (black < fewest) {
                    fewest = black;
                    chosen = box;
                }
                if (black == 0) break;
            }
            if (!chosen) continue;
            canvas.TextOut(chosen->Left, chosen->Top, text);
            texts.push_back(*chosen);
            m_atlasLabels.push_back({*chosen, text});
        }
    }
    if (m_fieldNames && spots.Field.size() > 0) {
        const int w = spots.Box.Width();
        const auto fits = [&](const TRect& box, int field) {
            if (box.Left < spots.Box.Left || box.Top < spots.Box.Top ||
                box.Right > spots.Box.Right || box.Bottom > spots.Box.Bottom ||
                OverlapsAny(box, texts)) {
                return false;
            }
            for (int y = box.Top; y < box.Bottom; ++y) {
                for (int x = box.Left; x < box.Right; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y - spots.Box.Top) * w +
                                          static_cast<std::size_t>(x - spots.Box.Left);
                    if (spots.Field[i] != field) return false;
                }
            }
            return true;
        };
        for (int f = 0; f < Areas(); ++f) {
            const TPoint at = spots.Best[static_cast<std::size_t>(f)];
            if (at.X < 0) continue;
            const std::string name = AreaList()[static_cast<std::size_t>(f)].Name.str();
            // The whole name, else shortened with a point, else none.
            for (std::size_t n = name.size(); n >= 3; --n) {
                const std::string text = n == name.size() ? name : name.substr(0, n) + ".";
                const int tw = canvas.TextWidth(text);
                const int th = canvas.TextHeight(text);
                const TRect box{at.X - tw / 2, at.Y - th / 2, at.X - tw / 2 + tw, at.Y - th / 2 + th};
                if (!fits(box, f)) continue;
                canvas.Brush.Color = canvas.GetNearestColor(AreaColors[f + 1]);
                canvas.TextOut(box.Left, box.Top, text);
                texts.push_back(box);
                m_atlasLabels.push_back({box, text});
                break;
            }
        }
    }
    canvas.Brush.Color = clWhite;
}

}  // namespace liquidus
