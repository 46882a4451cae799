#pragma once
// Pixel sets and the integer rules that build them. Every figure is first
// collected as a set of row spans and painted once, so an inverting pen mode
// touches each pixel of a figure exactly once, however its parts overlap.
// Internal to the canvas.

#include <QImage>

#include <cstdint>
#include <vector>

#include "canvas/canvas.h"

namespace liquidus::raster {

/// Pixels [X0, X1) of row Y.
struct Span {
    int Y = 0;
    int X0 = 0;
    int X1 = 0;
};

/// A set of pixels stored as row spans, clipped to [left, right) × [top,
/// bottom). Spans may overlap until Normalise() sorts and merges them.
class SpanSet {
public:
    /// Clipped to [0, width) × [0, height).
    SpanSet(int width, int height) : SpanSet(0, 0, width, height) {}
    SpanSet(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
        : m_left(left), m_top(top), m_right(right), m_bottom(bottom) {}

    std::int64_t ClipLeft() const { return m_left; }
    std::int64_t ClipTop() const { return m_top; }
    std::int64_t ClipRight() const { return m_right; }
    std::int64_t ClipBottom() const { return m_bottom; }

    /// Pixels [x0, x1) of row y; anything outside the clip area is dropped.
    void Add(std::int64_t y, std::int64_t x0, std::int64_t x1);
    void AddPixel(std::int64_t x, std::int64_t y) { Add(y, x, x + 1); }
    /// Pixels [left, right) × [top, bottom).
    void AddRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
    void Append(const SpanSet& other);

    /// Sorts by row and column and merges overlapping or touching spans.
    void Normalise();
    /// Removes the pixels of `other`; both sets must be normalised.
    void Subtract(const SpanSet& other);

    bool Empty() const { return m_spans.empty(); }
    const std::vector<Span>& Spans() const { return m_spans; }

private:
    std::int64_t m_left;
    std::int64_t m_top;
    std::int64_t m_right;
    std::int64_t m_bottom;
    std::vector<Span> m_spans;
};

enum class PaintOp { Copy, NotXor };

/// Nearest-neighbour scaling of a run of `to` source pixels onto `from`
/// destination pixels: the source index in [0, to) that the centre of
/// destination pixel i (0 <= i < from) falls on.
std::int64_t ScaledIndex(std::int64_t i, std::int64_t from, std::int64_t to);

/// Pixel store value of a real (already resolved) colour.
inline QRgb ToPixel(TColor color) {
    return 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}
inline TColor FromPixel(QRgb pixel) {
    return RGB((pixel >> 16) & 0xFFu, (pixel >> 8) & 0xFFu, pixel & 0xFFu);
}

/// Paints every pixel of `set` (clipped to the image) with `pixel`.
void Paint(QImage& image, const SpanSet& set, QRgb pixel, PaintOp op);

/// A 1-pixel line: start pixel drawn, end pixel not.
void AddLine(SpanSet& set, TPoint from, TPoint to);
/// A stroke of a pen `width` (>= 2) pixels wide, both end caps included.
void AddStroke(SpanSet& set, TPoint from, TPoint to, int width);
/// The even-odd fill of a closed polygon (left/top edges in, right/bottom out).
void AddPolygonFill(SpanSet& set, const std::vector<TPoint>& points);
/// Ellipse in the box [left, right) × [top, bottom) of at least 3 × 3 pixels:
/// `ring` receives the 1-pixel outline, `inside` the pixels it encloses.
void AddEllipse(SpanSet& inside, SpanSet& ring, int left, int top, int right, int bottom);
/// Every pixel of `pixels` widened to the block a pen of `width` pixels
/// covers around it (the block of an end cap).
void WidenPixels(SpanSet& into, const SpanSet& pixels, int width);

/// First offset of the block a pen of `width` pixels covers around a point:
/// the block is [p + PenLow(width), p + PenLow(width) + width) on each axis.
constexpr int PenLow(int width) { return -(width / 2); }

}  // namespace liquidus::raster
