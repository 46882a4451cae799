// Lines, outlined figures and the border flood fill.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/drawing.h"
#include "canvas/rasterizer.h"

namespace liquidus {

using raster::PaintOp;
using raster::SpanSet;
using raster::ToPixel;

namespace {

// Wider pens than this are drawn this wide; nothing in the program comes near.
constexpr int kMaxPenWidth = 1024;

int PenWidth(const TPen& pen) {
    return std::clamp(pen.Width, 1, kMaxPenWidth);
}

PaintOp OpOf(TPenMode mode) {
    return mode == TPenMode::pmNotXor ? PaintOp::NotXor : PaintOp::Copy;
}

SpanSet ClipOf(const TBitmap& bitmap) {
    return SpanSet(bitmap.Width(), bitmap.Height());
}

// The pen's pixels for one segment: a 1-pixel line leaves its end out, a
// wider stroke has both end caps.
void AddSegment(SpanSet& set, TPoint from, TPoint to, int width) {
    if (width <= 1) {
        raster::AddLine(set, from, to);
    } else {
        raster::AddStroke(set, from, to, width);
    }
}

// The outline of a closed figure through `points`, every vertex included.
void AddClosedOutline(SpanSet& set, const std::vector<TPoint>& points, int width) {
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        AddSegment(set, points[i], points[(i + 1) % n], width);
        if (width <= 1) {
            // Closing makes every vertex the start of a line; a figure of a
            // single point still needs its one pixel.
            set.AddPixel(points[i].X, points[i].Y);
        }
    }
}

// Paints one figure: its brush part, then its pen part, each pixel once. With
// an inverting pen mode the brush part leaves out what the pen covers, so the
// whole figure is inverted exactly once (the brush follows the pen mode, as
// the raster operation of a device context applies to both).
void PaintFigure(TCanvas& canvas, SpanSet& brushPart, SpanSet& penPart) {
    const QRgb brush = ToPixel(canvas.Resolve(canvas.Brush.Color));
    const QRgb pen = ToPixel(canvas.Resolve(canvas.Pen.Color));
    const PaintOp op = OpOf(canvas.Pen.Mode);
    if (op == PaintOp::NotXor) {
        brushPart.Normalise();
        penPart.Normalise();
        brushPart.Subtract(penPart);
    }
    QImage& image = canvas.Bitmap().Image();
    raster::Paint(image, brushPart, brush, op);
    raster::Paint(image, penPart, pen, op);
}

void PaintPen(TCanvas& canvas, SpanSet& penPart, bool mayOverlap) {
    const QRgb pen = ToPixel(canvas.Resolve(canvas.Pen.Color));
    const PaintOp op = OpOf(canvas.Pen.Mode);
    if (op == PaintOp::NotXor && mayOverlap) {
        penPart.Normalise();
    }
    raster::Paint(canvas.Bitmap().Image(), penPart, pen, op);
}

QPainterPath ThroughCentres(const std::vector<TPoint>& points, bool closed) {
    QPainterPath path;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF p(points[i].X + 0.5, points[i].Y + 0.5);
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    if (closed) path.closeSubpath();
    return path;
}

/// A figure's brush part (`area`) and pen part (`outline`, through the
/// outermost pixels' centres) for a recording.
void RecordFigure(TDrawing& drawing, const TCanvas& canvas, const QPainterPath& area,
                  const QPainterPath& outline) {
    drawing.AddFill(area, canvas.Resolve(canvas.Brush.Color));
    drawing.AddStroke(outline, canvas.Pen.Width, canvas.Resolve(canvas.Pen.Color));
}

/// A rectangle or an ellipse (`add` puts it on a path) filling [left, right)
/// x [top, bottom), for a recording.
void RecordBox(TDrawing& drawing, const TCanvas& canvas,
               void (QPainterPath::*add)(const QRectF&), int left, int top, int right, int bottom) {
    QPainterPath area;
    (area.*add)(QRectF(left, top, right - left, bottom - top));
    QPainterPath outline;
    (outline.*add)(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
    RecordFigure(drawing, canvas, area, outline);
}

}  // namespace

TDrawing* TCanvas::Recorder() const {
    return Pen.Mode == TPenMode::pmCopy ? Recording : nullptr;
}

std::vector<TPoint> SegmentPixels(TPoint from, TPoint to, int width) {
    constexpr std::int64_t kFar = std::int64_t{1} << 40;
    SpanSet set(-kFar, -kFar, kFar, kFar);
    AddSegment(set, from, to, std::clamp(width, 1, kMaxPenWidth));
    set.Normalise();
    std::vector<TPoint> pixels;
    for (const raster::Span& span : set.Spans()) {
        for (int x = span.X0; x < span.X1; ++x) pixels.push_back({x, span.Y});
    }
    return pixels;
}

void TCanvas::MoveTo(int x, int y) {
    m_penPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    const TPoint from = m_penPos;
    m_penPos = {x, y};
    if (TDrawing* r = Recorder()) r->AddSegment(from, m_penPos, Pen, Resolve(Pen.Color));
    SpanSet set = ClipOf(m_owner);
    AddSegment(set, from, m_penPos, PenWidth(Pen));
    PaintPen(*this, set, false);  // one segment never covers a pixel twice
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    // The whole polyline is one figure: where wide segments overlap at a
    // joint (or the line crosses itself) an inverting pen still inverts once.
    const int width = PenWidth(Pen);
    if (TDrawing* r = Recorder(); r != nullptr && !points.empty()) {
        r->AddStroke(ThroughCentres(points, false), Pen.Width, Resolve(Pen.Color));
    }
    SpanSet set = ClipOf(m_owner);
    for (std::size_t i = 1; i < points.size(); ++i) {
        AddSegment(set, points[i - 1], points[i], width);
    }
    if (points.size() == 1 && width > 1) {
        AddSegment(set, points[0], points[0], width);
    }
    PaintPen(*this, set, true);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.empty()) {
        return;
    }
    if (TDrawing* r = Recorder()) {
        const QPainterPath outline = ThroughCentres(points, true);
        RecordFigure(*r, *this, outline, outline);
    }
    SpanSet fill = ClipOf(m_owner);
    raster::AddPolygonFill(fill, points);
    SpanSet outline = ClipOf(m_owner);
    AddClosedOutline(outline, points, PenWidth(Pen));
    PaintFigure(*this, fill, outline);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (left == right || top == bottom) {
        return;
    }
    const int width = PenWidth(Pen);
    if (TDrawing* r = Recorder()) {
        RecordBox(*r, *this, &QPainterPath::addRect, left, top, right, bottom);
    }
    // The outline runs over the outermost pixels of [left, right) × [top,
    // bottom); the brush fills what it encloses.
    const std::int64_t lastX = std::int64_t{right} - 1;
    const std::int64_t lastY = std::int64_t{bottom} - 1;
    SpanSet fill = ClipOf(m_owner);
    fill.AddRect(std::int64_t{left} + 1, std::int64_t{top} + 1, lastX, lastY);
    SpanSet outline = ClipOf(m_owner);
    if (width <= 1) {
        outline.AddRect(left, top, right, std::int64_t{top} + 1);
        outline.AddRect(left, lastY, right, bottom);
        outline.AddRect(left, std::int64_t{top} + 1, std::int64_t{left} + 1, lastY);
        outline.AddRect(lastX, std::int64_t{top} + 1, right, lastY);
    } else {
        const int r = static_cast<int>(lastX);
        const int b = static_cast<int>(lastY);
        AddClosedOutline(outline, {{left, top}, {r, top}, {r, b}, {left, b}}, width);
    }
    PaintFigure(*this, fill, outline);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (std::int64_t{right} - left <= 2 || std::int64_t{bottom} - top <= 2) {
        Rectangle(left, top, right, bottom);  // too small to be round
        return;
    }
    const int width = PenWidth(Pen);
    if (TDrawing* r = Recorder()) {
        RecordBox(*r, *this, &QPainterPath::addEllipse, left, top, right, bottom);
    }
    SpanSet inside = ClipOf(m_owner);
    if (width <= 1) {
        SpanSet ring = ClipOf(m_owner);
        raster::AddEllipse(inside, ring, left, top, right, bottom);
        PaintFigure(*this, inside, ring);
        return;
    }
    // A wide pen covers the cap block around every outline pixel; outline
    // pixels just outside the bitmap can still reach into it.
    SpanSet ring(-width, -width, std::int64_t{m_owner.Width()} + width,
                 std::int64_t{m_owner.Height()} + width);
    raster::AddEllipse(inside, ring, left, top, right, bottom);
    SpanSet outline = ClipOf(m_owner);
    raster::WidenPixels(outline, ring, width);
    PaintFigure(*this, inside, outline);
}

void TCanvas::FillRect(const TRect& rect) {
    if (Recording != nullptr) {
        QPainterPath area;
        area.addRect(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()).normalized());
        Recording->AddFill(area, Resolve(Brush.Color));
    }
    SpanSet set = ClipOf(m_owner);
    set.AddRect(rect.Left, rect.Top, rect.Right, rect.Bottom);
    raster::Paint(m_owner.Image(), set, ToPixel(Resolve(Brush.Color)), PaintOp::Copy);
}

bool TCanvas::FloodFill(int x, int y, TColor border, TFillStyle /*style*/) {
    QImage& image = m_owner.Image();
    const int width = image.width();
    const int height = image.height();
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return false;
    }
    constexpr QRgb kColorBits = 0x00FFFFFFu;
    const QRgb borderBits = ToPixel(Resolve(border)) & kColorBits;
    const QRgb fill = ToPixel(Resolve(Brush.Color));
    auto* pixels = reinterpret_cast<QRgb*>(image.bits());
    const std::size_t stride = static_cast<std::size_t>(image.bytesPerLine()) / sizeof(QRgb);
    if ((pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] & kColorBits) ==
        borderBits) {
        return false;
    }

    // Scanline fill with an explicit stack: each popped seed grows into the
    // longest run of open pixels on its row, which is filled; the rows above
    // and below are scanned over that run only and one seed is pushed per
    // open run found there. A filled pixel need not differ from its old
    // colour, so it is first written with a clear alpha byte, which no pixel
    // of an RGB32 picture has otherwise: that marks it done without a mask
    // of the picture's size. The runs get the real fill value at the end.
    const QRgb marker = fill & kColorBits;
    const auto open = [&](QRgb p) { return (p & kColorBits) != borderBits && p != marker; };
    struct Seed {
        int X, Y;
    };
    struct Run {
        int Y, Left, Right;
    };
    std::vector<Seed> stack;
    std::vector<Run> runs;
    stack.push_back({x, y});
    while (!stack.empty()) {
        const Seed seed = stack.back();
        stack.pop_back();
        QRgb* row = pixels + static_cast<std::size_t>(seed.Y) * stride;
        if (!open(row[seed.X])) {
            continue;
        }
        int left = seed.X;
        while (left > 0 && open(row[left - 1])) {
            --left;
        }
        int right = seed.X;
        while (right + 1 < width && open(row[right + 1])) {
            ++right;
        }
        std::fill(row + left, row + right + 1, marker);
        runs.push_back({seed.Y, left, right});
        for (const int ny : {seed.Y - 1, seed.Y + 1}) {
            if (ny < 0 || ny >= height) {
                continue;
            }
            const QRgb* next = pixels + static_cast<std::size_t>(ny) * stride;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool isOpen = open(next[i]);
                if (isOpen && !inRun) {
                    stack.push_back({i, ny});
                }
                inRun = isOpen;
            }
        }
    }
    for (const Run& run : runs) {
        QRgb* row = pixels + static_cast<std::size_t>(run.Y) * stride;
        std::fill(row + run.Left, row + run.Right + 1, fill);
    }
    if (Recording != nullptr) {
        std::vector<TPixelRun> filled;
        filled.reserve(runs.size());
        for (const Run& run : runs) filled.push_back({run.Y, run.Left, run.Right});
        // Half a pixel: the stairs of a slanted edge become its slope.
        Recording->AddFloodFill(TraceRuns(filled, 0.5), Resolve(Brush.Color), Resolve(border));
    }
    return true;
}

}  // namespace liquidus
