#pragma once
// Where the binary diagram's plot rectangle sits and how compositions and
// temperatures map to its pixels, unzoomed and inside a zoom window. Drawing
// and mouse code use these functions in exactly these forms, so that what is
// drawn and what the mouse reads agree to the pixel.

#include <optional>
#include <utility>

#include "canvas/canvas.h"

namespace liquidus {

/// The plot rectangle and the band right of it, in client pixels.
struct TBinaryLayout {
    int PlotLeft = 0;
    int PlotTop = 0;
    int PlotWidth = 260;
    int PlotHeight = 220;
    int LegendWidth = 0;
    int PlotRight() const { return PlotLeft + PlotWidth; }
    int PlotBottom() const { return PlotTop + PlotHeight; }
};

/// The ranges of the two axes: compositions in percent of B, temperatures
/// in the current unit.
struct TBinaryLimits {
    double LowC = 0.0;
    double HighC = 100.0;
    double LowT = 0.0;
    double HighT = 1000.0;
    friend bool operator==(const TBinaryLimits&, const TBinaryLimits&) = default;
};


/// The zoom window placed in pixels of the unzoomed plot, with the scale
/// from those pixels to the zoomed plot.
struct TBinaryZoomFrame {
    double Left = 0.0;
    double Top = 0.0;
    double Right = 0.0;
    double Bottom = 0.0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
};

/// Width of the band for legend and tables: Round(sqrt(width / 12) *
/// sqrt(width)), at most 180 times `scale`.
int BinaryLegendWidth(int width, double scale = 1.0);
/// Layout of a control of the given size; `reserveBand` keeps the band.
/// `scale` pixels stand for one of the screen's, so that a picture laid out
/// at a multiple of its size keeps the screen's margins in proportion.
TBinaryLayout CalcBinaryLayout(int width, int height, bool reserveBand, double scale = 1.0);

/// Composition (percent of B) to a pixel column.
int CompositionToX(const TBinaryLayout& layout, const TBinaryLimits& limits, double c);
/// Temperature to a pixel row.
int TemperatureToY(const TBinaryLayout& layout, const TBinaryLimits& limits, double t);
/// Pixel column to a composition in percent of B.
double XToComposition(const TBinaryLayout& layout, const TBinaryLimits& limits, int x);
/// Pixel row to a temperature.
double YToTemperature(const TBinaryLayout& layout, const TBinaryLimits& limits, int y);
/// A boundary point at (c, t), unrounded; phase boundaries are mapped with
/// the limits of the unzoomed diagram.
TRealPoint BoundaryPixel(const TBinaryLayout& layout, const TBinaryLimits& full, double c,
                         double t);

/// The zoom window `zoom` (in data units) in pixels of the unzoomed plot
/// whose limits are `full`.
TBinaryZoomFrame CalcBinaryZoomFrame(const TBinaryLayout& layout, const TBinaryLimits& full,
                                     const TBinaryLimits& zoom);
/// Where a point of the unzoomed plot is drawn in the zoomed plot.
TPoint ZoomedPixel(const TBinaryLayout& layout, const TBinaryZoomFrame& frame, TRealPoint p);

/// The visible piece of the segment p1-p2 (pixels of the unzoomed plot)
/// inside the zoom window, in pixels of the zoomed plot, with ends that come
/// within 3 pixels (times `scale`, as for the layout) of the frame snapped
/// onto it so that the line closes against the frame. None when nothing of
/// it is visible.
std::optional<std::pair<TPoint, TPoint>> ClipSegment(const TBinaryLayout& layout,
                                                     const TBinaryZoomFrame& frame, TRealPoint p1,
                                                     TRealPoint p2, double scale = 1.0);

}  // namespace liquidus
