#include "binary/binageometry.h"

#include <algorithm>
#include <cmath>

#include "canvas/rounding.h"

namespace liquidus {

namespace {
constexpr int kLegendWidthCap = 180;
constexpr int kMargin = 120;
// Ends of a clipped line this close to the frame are moved onto it.
constexpr int kSnapDistance = 3;
// The plot keeps the proportions of the ternary triangle (sqrt(3) / 2), so
// the two diagrams look alike side by side.
constexpr double kPlotRatio = 0.8660254037844386;

/// `n` screen pixels in a picture of `scale` pixels per screen pixel; `n`
/// itself on screen, so that screen pictures keep every pixel.
int Scaled(int n, double scale) { return scale == 1.0 ? n : Round(n * scale); }
}  // namespace

int BinaryLegendWidth(int width, double scale) {
    if (width <= 0) return 0;
    return std::min(Round(std::sqrt(width / 12.0) * std::sqrt(static_cast<double>(width))),
                    Scaled(kLegendWidthCap, scale));
}

TBinaryLayout CalcBinaryLayout(int width, int height, bool reserveBand, double scale) {
    TBinaryLayout layout;
    layout.LegendWidth = reserveBand ? BinaryLegendWidth(width, scale) : 0;
    const int margin = Scaled(kMargin, scale);
    layout.PlotWidth = width - margin - layout.LegendWidth;
    layout.PlotHeight = height - margin;
    // Never taller than k times the width, nor wider than the height over k.
    if (layout.PlotHeight > Round(layout.PlotWidth * kPlotRatio)) {
        layout.PlotHeight = Round(layout.PlotWidth * kPlotRatio);
    } else if (layout.PlotWidth > Round(layout.PlotHeight / kPlotRatio)) {
        layout.PlotWidth = Round(layout.PlotHeight / kPlotRatio);
    }
    // Centred in the client area inside a border's frame.
    const int frame = Scaled(2, scale);
    layout.PlotLeft = (width - layout.PlotWidth - layout.LegendWidth - frame) / 2;
    layout.PlotTop = (height - layout.PlotHeight - frame) / 2;
    return layout;
}

int CompositionToX(const TBinaryLayout& layout, const TBinaryLimits& limits, double c) {
    return layout.PlotLeft +
           Round((c - limits.LowC) / (limits.HighC - limits.LowC) * layout.PlotWidth);
}

int TemperatureToY(const TBinaryLayout& layout, const TBinaryLimits& limits, double t) {
    return layout.PlotTop +
           Round((limits.HighT - t) / (limits.HighT - limits.LowT) * layout.PlotHeight);
}

double XToComposition(const TBinaryLayout& layout, const TBinaryLimits& limits, int x) {
    return limits.HighC - static_cast<double>(layout.PlotRight() - x) / layout.PlotWidth *
                              (limits.HighC - limits.LowC);
}

double YToTemperature(const TBinaryLayout& layout, const TBinaryLimits& limits, int y) {
    return static_cast<double>(layout.PlotBottom() - y) / layout.PlotHeight *
               (limits.HighT - limits.LowT) +
           limits.LowT;
}

TRealPoint BoundaryPixel(const TBinaryLayout& layout, const TBinaryLimits& full, double c,
                         double t) {
    return {(c - full.LowC) / (full.HighC - full.LowC) * layout.PlotWidth + layout.PlotLeft,
            (full.HighT - t) / (full.HighT - full.LowT) * layout.PlotHeight + layout.PlotTop};
}

TBinaryZoomFrame CalcBinaryZoomFrame(const TBinaryLayout& layout, const TBinaryLimits& full,
                                     const TBinaryLimits& zoom) {
    TBinaryZoomFrame frame;
    const double cRange = full.HighC - full.LowC;
    const double tRange = full.HighT - full.LowT;
    frame.Left = (zoom.LowC - full.LowC) / cRange * layout.PlotWidth + layout.PlotLeft;
    frame.Right = (zoom.HighC - full.LowC) / cRange * layout.PlotWidth + layout.PlotLeft;
    frame.Top = (full.HighT - zoom.HighT) / tRange * layout.PlotHeight + layout.PlotTop;
    frame.Bottom = (full.HighT - zoom.LowT) / tRange * layout.PlotHeight + layout.PlotTop;
    frame.ScaleX = layout.PlotWidth / (frame.Right - frame.Left);
    frame.ScaleY = layout.PlotHeight / (frame.Bottom - frame.Top);
    return frame;
}

TPoint ZoomedPixel(const TBinaryLayout& layout, const TBinaryZoomFrame& frame, TRealPoint p) {
    return {layout.PlotLeft + Round((p.X - frame.Left) * frame.ScaleX),
            layout.PlotTop + Round((p.Y - frame.Top) * frame.ScaleY)};
}

std::optional<std::pair<TPoint, TPoint>> ClipSegment(const TBinaryLayout& layout,
                                                     const TBinaryZoomFrame& frame, TRealPoint p1,
                                                     TRealPoint p2, double scale) {
    const double l = frame.Left;
    const double t = frame.Top;
    const double r = frame.Right;
    const double b = frame.Bottom;
    const double x1 = p1.X, y1 = p1.Y, x2 = p2.X, y2 = p2.Y;
    const bool vertical = x1 == x2;
    const bool horizontal = y1 == y2;
    const double slope = vertical || horizontal ? 0.0 : (y2 - y1) / (x2 - x1);
    const double intercept = y2 - slope * x2;
    // A crossing this far outside the window still counts as on its edge.
    const double slack = scale;

    std::optional<TRealPoint> pa;
    std::optional<TRealPoint> pb;
    const auto withinSegment = [&](TRealPoint p) {
        return std::min(x1, x2) <= p.X && p.X <= std::max(x1, x2) && std::min(y1, y2) <= p.Y &&
               p.Y <= std::max(y1, y2);
    };
    const auto collect = [&](TRealPoint p) {
        if (!withinSegment(p) || pb) return;
        if (!pa) {
            pa = p;
        } else if (!(*pa == p)) {
            // A line through a corner meets two edges in one point; that is
            // one crossing, not an entry and an exit.
            pb = p;
        }
    };
    const auto onHorizontalEdge = [&](double y) {
        if (horizontal) return;
        const double x = vertical ? x1 : (y - intercept) / slope;
        if (l - slack <= x && x <= r + slack) collect({x, y});
    };
    const auto onVerticalEdge = [&](double x) {
        if (vertical) return;
        const double y = slope * x + intercept;
        if (t - slack <= y && y <= b + slack) collect({x, y});
    };
    onHorizontalEdge(t);
    onVerticalEdge(r);
    onHorizontalEdge(b);
    onVerticalEdge(l);

    const auto nearWindow = [&](double x, double y) {
        return l - slack < x && x < r + slack && t - slack < y && y < b + slack;
    };
    const auto insideWindow = [&](double x, double y) { return l < x && x < r && t < y && y < b; };
    if (!pa && !pb) {
        if (nearWindow(x1, y1)) pa = p1;
        if (nearWindow(x2, y2)) pb = p2;
    }
    if (pa && !pb) {
        if (insideWindow(x1, y1)) {
            pb = p1;
        } else if (insideWindow(x2, y2)) {
            pb = p2;
        }
    }
    if (!pa || !pb) return std::nullopt;

    const int near = Scaled(kSnapDistance, scale);
    const auto snap = [&](TPoint p) {
        if (p.X < layout.PlotLeft + near) p.X = layout.PlotLeft;
        if (p.X > layout.PlotRight() - near) p.X = layout.PlotRight();
        if (p.Y < layout.PlotTop + near) p.Y = layout.PlotTop;
        if (p.Y > layout.PlotBottom() - near) p.Y = layout.PlotBottom();
        return p;
    };
    return std::make_pair(snap(ZoomedPixel(layout, frame, *pa)),
                          snap(ZoomedPixel(layout, frame, *pb)));
}

}  // namespace liquidus
