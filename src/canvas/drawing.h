#pragma once
// A picture as the drawing operations that made it, so that the one paint
// path of the diagrams serves raster and vector output alike: a canvas with
// a recorder attached notes every operation in its own pixel coordinates
// while it rasterises as usual, and the recording is drawn again on any
// QPainter (an SVG or PDF file, a printer, an antialiased image) at any
// scale. Flood fills, which a vector file cannot express, are recorded as
// the outline of the pixels they filled.

#include <QPainterPath>
#include <QRectF>

#include <string>
#include <vector>

#include "canvas/canvas.h"

class QPainter;

namespace liquidus {

struct TDrawnItem {
    enum class TKind { Stroke, Fill, Text };
    TKind Kind = TKind::Fill;
    /// Stroke: the pen's centre line; Fill: the area (odd-even rule).
    QPainterPath Path;
    /// Pen, brush or ink colour, resolved.
    TColor Color = clBlack;
    /// Pen width as the canvas was given it (times LineScale when drawn).
    int PenWidth = 1;
    // Text: the font, the string, and where: the top-left of its cell, or
    // (Angle != 0 or Centred) its centre, turned by Angle radians.
    TFont Font;
    std::string Text;
    QPointF At;
    double Angle = 0.0;
    bool Centred = false;
};

/// What a canvas drew while a TDrawing was attached to it.
class TDrawing {
public:
    /// The canvas's size in pixels.
    int Width = 0;
    int Height = 0;
    /// Canvas pixels per pen-width unit: a picture laid out at a multiple
    /// of its nominal size draws its lines that much wider.
    double LineScale = 1.0;
    std::vector<TDrawnItem> Items;

    /// A segment between two pixel centres; joined to the previous stroke
    /// when it goes on from its end in the same pen.
    void AddSegment(TPoint from, TPoint to, const TPen& pen, TColor color);
    void AddStroke(const QPainterPath& path, int width, TColor color);
    void AddFill(const QPainterPath& path, TColor color);
    /// The area a flood fill painted: it goes under whatever was drawn
    /// before it in `border`, as the fill itself left those pixels alone.
    void AddFloodFill(const QPainterPath& path, TColor color, TColor border);
    void AddText(const TDrawnItem& text);
};

/// The outline of a set of pixels given as runs [Left, Right] on rows Y,
/// as closed paths along pixel edges, straight stretches merged and stairs
/// smoothed to within `tolerance` pixels of the pixel edges.
struct TPixelRun {
    int Y, Left, Right;
};
QPainterPath TraceRuns(const std::vector<TPixelRun>& runs, double tolerance);

/// Draws `drawing` on `painter` with its Width x Height pixels mapped onto
/// `target` (in the painter's coordinates). Texts are set in the Liberation
/// fonts that stand in for the fonts the canvas names.
void ReplayDrawing(const TDrawing& drawing, QPainter& painter, const QRectF& target);

/// The font family a replayed text is set in for the canvas's font `name`.
QString ReplayFontFamily(const std::string& name);

}  // namespace liquidus
