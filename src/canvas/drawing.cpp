#include "canvas/drawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "canvas/rasterizer.h"

namespace liquidus {

namespace {

constexpr double kPi = 3.14159265358979323846;

QPointF Centre(TPoint p) { return {p.X + 0.5, p.Y + 0.5}; }

bool IsStrokeIn(const TDrawnItem& item, TColor color) {
    return item.Kind != TDrawnItem::TKind::Text && item.Color == color;
}

// ------------------------------------------------------------ tracing

struct TEdge {
    std::int64_t From, To;
};

std::int64_t Key(int x, int y) {
    return (static_cast<std::int64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
}
QPointF PointOf(std::int64_t key) {
    return {static_cast<double>(static_cast<std::int32_t>(key >> 32)),
            static_cast<double>(static_cast<std::int32_t>(key & 0xFFFFFFFF))};
}

struct TInterval {
    int Left, Right;  // pixels Left..Right-1
};
using TRow = std::vector<TInterval>;

/// `a` less `b`, both sorted and disjoint.
TRow Subtract(const TRow& a, const TRow& b) {
    TRow out;
    std::size_t j = 0;
    for (const TInterval& piece : a) {
        int left = piece.Left;
        while (j < b.size() && b[j].Right <= left) ++j;
        for (std::size_t k = j; k < b.size() && b[k].Left < piece.Right; ++k) {
            if (b[k].Left > left) out.push_back({left, b[k].Left});
            left = std::max(left, b[k].Right);
        }
        if (left < piece.Right) out.push_back({left, piece.Right});
    }
    return out;
}

double DistanceToChord(QPointF p, QPointF a, QPointF b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length = std::hypot(dx, dy);
    if (length == 0.0) return std::hypot(p.x() - a.x(), p.y() - a.y());
    return std::fabs(dy * (p.x() - a.x()) - dx * (p.y() - a.y())) / length;
}

/// Douglas-Peucker over points[first..last], keeping both ends.
void Simplify(const std::vector<QPointF>& points, std::size_t first, std::size_t last,
              double tolerance, std::vector<char>& keep) {
    std::vector<std::pair<std::size_t, std::size_t>> pending{{first, last}};
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        double worst = -1.0;
        std::size_t at = a;
        for (std::size_t i = a + 1; i < b; ++i) {
            const double d = DistanceToChord(points[i], points[a], points[b]);
            if (d > worst) {
                worst = d;
                at = i;
            }
        }
        if (worst > tolerance) {
            keep[at] = 1;
            pending.push_back({a, at});
            pending.push_back({at, b});
        }
    }
}

void AddLoop(QPainterPath& path, std::vector<QPointF> loop, double tolerance) {
    // Corners only: the points between two steps in the same direction go.
    std::vector<QPointF> corners;
    const std::size_t n = loop.size();
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF prev = loop[(i + n - 1) % n];
        const QPointF next = loop[(i + 1) % n];
        const QPointF here = loop[i];
        const bool straight = (prev.x() == here.x() && here.x() == next.x()) ||
                              (prev.y() == here.y() && here.y() == next.y());
        if (!straight) corners.push_back(here);
    }
    if (corners.size() < 3) return;
    // Closed: split at the corner farthest from the first, simplify both halves.
    std::size_t far = 0;
    double farthest = -1.0;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const double d = std::hypot(corners[i].x() - corners[0].x(), corners[i].y() - corners[0].y());
        if (d > farthest) {
            farthest = d;
            far = i;
        }
    }
    corners.push_back(corners.front());
    std::vector<char> keep(corners.size(), 0);
    keep[0] = keep[far] = keep.back() = 1;
    Simplify(corners, 0, far, tolerance, keep);
    Simplify(corners, far, corners.size() - 1, tolerance, keep);
    bool first = true;
    for (std::size_t i = 0; i + 1 < corners.size(); ++i) {
        if (!keep[i]) continue;
        if (first) {
            path.moveTo(corners[i]);
            first = false;
        } else {
            path.lineTo(corners[i]);
        }
    }
    path.closeSubpath();
}

}  // namespace

// ------------------------------------------------------------ TDrawing

void TDrawing::AddSegment(TPoint from, TPoint to, const TPen& pen, TColor color) {
    if (from == to && pen.Width <= 1) return;  // a 1-pixel pen leaves it out
    const QPointF a = Centre(from);
    const QPointF b = Centre(to);
    if (!Items.empty()) {
        TDrawnItem& last = Items.back();
        if (last.Kind == TDrawnItem::TKind::Stroke && last.Color == color &&
            last.PenWidth == pen.Width && last.Path.elementCount() > 0 &&
            last.Path.currentPosition() == a) {
            last.Path.lineTo(b);
            return;
        }
    }
    QPainterPath path(a);
    path.lineTo(b);
    AddStroke(path, pen.Width, color);
}

void TDrawing::AddStroke(const QPainterPath& path, int width, TColor color) {
    TDrawnItem item;
    item.Kind = TDrawnItem::TKind::Stroke;
    item.Path = path;
    item.PenWidth = std::max(width, 1);
    item.Color = color;
    Items.push_back(std::move(item));
}

void TDrawing::AddFill(const QPainterPath& path, TColor color) {
    TDrawnItem item;
    item.Kind = TDrawnItem::TKind::Fill;
    item.Path = path;
    item.Path.setFillRule(Qt::OddEvenFill);
    item.Color = color;
    Items.push_back(std::move(item));
}

void TDrawing::AddFloodFill(const QPainterPath& path, TColor color, TColor border) {
    // The fill stopped at the border's pixels, so the lines drawn in that
    // colour just before it stay on top: it goes in beneath them (and so
    // after the fills moved there before it).
    auto at = Items.end();
    while (at != Items.begin() && IsStrokeIn(*(at - 1), border)) --at;
    TDrawnItem item;
    item.Kind = TDrawnItem::TKind::Fill;
    item.Path = path;
    item.Path.setFillRule(Qt::OddEvenFill);
    item.Color = color;
    Items.insert(at, std::move(item));
}

void TDrawing::AddText(const TDrawnItem& text) { Items.push_back(text); }

// ------------------------------------------------------------ tracing

QPainterPath TraceRuns(const std::vector<TPixelRun>& runs, double tolerance) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    if (runs.empty()) return path;
    int top = runs.front().Y;
    int bottom = top;
    for (const TPixelRun& run : runs) {
        top = std::min(top, run.Y);
        bottom = std::max(bottom, run.Y);
    }
    std::vector<TRow> rows(static_cast<std::size_t>(bottom - top + 1));
    for (const TPixelRun& run : runs) {
        rows[static_cast<std::size_t>(run.Y - top)].push_back({run.Left, run.Right + 1});
    }
    for (TRow& row : rows) {
        std::sort(row.begin(), row.end(),
                  [](const TInterval& a, const TInterval& b) { return a.Left < b.Left; });
        // Touching runs are one stretch of the area.
        TRow merged;
        for (const TInterval& piece : row) {
            if (!merged.empty() && piece.Left <= merged.back().Right) {
                merged.back().Right = std::max(merged.back().Right, piece.Right);
            } else {
                merged.push_back(piece);
            }
        }
        row = std::move(merged);
    }
    // Edges go round the area clockwise on screen: along the top to the
    // right, down the right side, along the bottom to the left, up the left.
    std::vector<TEdge> edges;
    const TRow none;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int y = top + static_cast<int>(i);
        const TRow& above = i == 0 ? none : rows[i - 1];
        const TRow& below = i + 1 == rows.size() ? none : rows[i + 1];
        for (const TInterval& piece : Subtract(rows[i], above)) {
            for (int x = piece.Left; x < piece.Right; ++x) edges.push_back({Key(x, y), Key(x + 1, y)});
        }
        for (const TInterval& piece : Subtract(rows[i], below)) {
            for (int x = piece.Right; x > piece.Left; --x) {
                edges.push_back({Key(x, y + 1), Key(x - 1, y + 1)});
            }
        }
        for (const TInterval& piece : rows[i]) {
            edges.push_back({Key(piece.Left, y + 1), Key(piece.Left, y)});
            edges.push_back({Key(piece.Right, y), Key(piece.Right, y + 1)});
        }
    }
    // Any pairing of the edges into loops covers the same pixels under the
    // odd-even rule, so where two leave one corner either will do.
    std::unordered_map<std::int64_t, std::vector<std::size_t>> leaving;
    leaving.reserve(edges.size());
    for (std::size_t e = 0; e < edges.size(); ++e) leaving[edges[e].From].push_back(e);
    std::vector<char> used(edges.size(), 0);
    for (std::size_t start = 0; start < edges.size(); ++start) {
        if (used[start]) continue;
        std::vector<QPointF> loop;
        std::size_t e = start;
        while (!used[e]) {
            used[e] = 1;
            loop.push_back(PointOf(edges[e].From));
            std::vector<std::size_t>& next = leaving[edges[e].To];
            while (!next.empty() && used[next.back()]) next.pop_back();
            if (next.empty()) break;
            e = next.back();
        }
        AddLoop(path, std::move(loop), tolerance);
    }
    return path;
}

// ------------------------------------------------------------ replay

QString ReplayFontFamily(const std::string& name) {
    if (name == "Arial" || name == "Helvetica" || name == "MS Sans Serif") {
        return QStringLiteral("Liberation Sans");
    }
    if (name == "Times New Roman" || name == "Times") return QStringLiteral("Liberation Serif");
    if (name == "Courier New" || name == "Courier") return QStringLiteral("Liberation Mono");
    return QString::fromStdString(name);
}

void ReplayDrawing(const TDrawing& drawing, QPainter& painter, const QRectF& target) {
    if (drawing.Width <= 0 || drawing.Height <= 0) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / drawing.Width, target.height() / drawing.Height);
    painter.setClipRect(QRectF(0, 0, drawing.Width, drawing.Height));
    for (const TDrawnItem& item : drawing.Items) {
        const QColor color = QColor::fromRgb(raster::ToPixel(item.Color));
        switch (item.Kind) {
            case TDrawnItem::TKind::Fill:
                painter.fillPath(item.Path, color);
                break;
            case TDrawnItem::TKind::Stroke: {
                QPen pen(color, item.PenWidth * drawing.LineScale, Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin);
                painter.strokePath(item.Path, pen);
                break;
            }
            case TDrawnItem::TKind::Text: {
                QFont font(ReplayFontFamily(item.Font.Name));
                font.setPixelSize(FontPixelSize(item.Font));
                font.setBold(item.Font.Bold);
                font.setItalic(item.Font.Italic);
                font.setKerning(false);
                const QFontMetricsF metrics(font);
                const QString text = QString::fromStdString(item.Text);
                painter.setFont(font);
                painter.setPen(color);
                if (item.Centred) {
                    painter.save();
                    painter.translate(item.At);
                    painter.rotate(item.Angle * 180.0 / kPi);
                    painter.drawText(QPointF(-metrics.horizontalAdvance(text) / 2,
                                             -metrics.height() / 2 + metrics.ascent()),
                                     text);
                    painter.restore();
                } else {
                    painter.drawText(QPointF(item.At.x(), item.At.y() + metrics.ascent()), text);
                }
                break;
            }
        }
    }
    painter.restore();
}

}  // namespace liquidus
