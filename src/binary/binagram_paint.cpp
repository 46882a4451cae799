// The picture: background, boundaries, fills, axes, grid, title, caption.
// Every routine draws on the bitmap it is given with the current layout, so
// the screen and an exported picture share one render path.

#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "binary/binagram.h"
#include "canvas/bltbitmap.h"
#include "canvas/rounding.h"
#include "isotherms/spl.h"
#include "model/format.h"

namespace liquidus {

namespace {
constexpr int kSamplesPerSegment = 5;
constexpr char kTooSmallText[] = "Enlarge Me..";
// Fill seeds on the zoom window's edges lie this far inside the frame.
constexpr int kEdgeSeedInset = 3;

void SetLinePen(TCanvas& canvas, int width) {
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = width;
    canvas.Pen.Mode = TPenMode::pmCopy;
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

/// One axis's ticks: the first and last tick values, their pixel positions
/// and how many steps lie between them.
struct TTicks {
    double First = 0.0;
    double Last = 0.0;
    int FirstPixel = 0;
    int LastPixel = 0;
    int Steps = 0;
    double Spacing = 0.0;  // pixels per step
};

/// Ticks every `step` from `low` to `high` drawn over `length` pixels from
/// `origin` (positions grow towards `high` with `direction` +1 or -1).
TTicks CalcTicks(double low, double high, double step, int origin, int length, int direction) {
    TTicks ticks;
    const double range = high - low;
    double q = Trunc(low / step) * step;
    if (q < low) {
        ticks.First = q + step;
        ticks.FirstPixel = origin + direction * Round((ticks.First - low) / range * length);
    } else {
        ticks.First = low;
        ticks.FirstPixel = origin;
    }
    q = Trunc(high / step) * step;
    const int end = origin + direction * length;
    if (q < high) {
        ticks.Last = q;
        ticks.LastPixel = end - direction * Round((high - ticks.Last) / range * length);
    } else {
        ticks.Last = high;
        ticks.LastPixel = end;
    }
    ticks.Steps = Trunc((ticks.Last - ticks.First) / step);
    if (ticks.Steps > 0) {
        ticks.Spacing = static_cast<double>(ticks.LastPixel - ticks.FirstPixel) / ticks.Steps;
    }
    return ticks;
}

bool IsMultipleOf(double value, double of) {
    return value == Trunc(value / of) * of;
}
}  // namespace

struct TBinagram::TPenTrack {
    bool Down = false;
    TRealPoint From;
};

void TBinagram::Paint() {
    m_painted = false;
    // The new picture replaces whatever band a drag had drawn.
    m_rubberBandShown = false;
    CalcLayout();
    ShowPicture([this](TBitmap& picture) {
        DrawBackground(picture, ClientRect(Width(), Height()));
        if (!IsTooSmall()) DrawLayers(picture);
    });
    if (m_crosshairShown) DrawCrosshair();
    if (CoPhasesTable()) DrawCoPhasesTable(Screen());
    if (ValuesTable()) DrawValuesTable(Screen());
    m_painted = true;
}

std::unique_ptr<TBitmap> TBinagram::RenderPicture(int width, int height) {
    auto picture = std::make_unique<TBltBitmap>(std::max(width, 0), std::max(height, 0));
    picture->SetSystemColorResolver(Screen().SystemColorResolver());
    ClearBitmap(*picture);
    // A picture of its own size has pixels of its own: not the screen's density.
    AtScale(1.0, 1.0, [&] {
        ComposePicture(*picture, ClientRect(picture->Width(), picture->Height()));
    });
    return picture;
}

void TBinagram::DrawFigure(TBitmap& bitmap) {
    // On a page the picture has neither the window's colour nor its frame.
    const QScopedValueRollback onPage(m_onPage, true);
    ComposePicture(bitmap, {0, 0, bitmap.Width(), bitmap.Height()});
}

void TBinagram::ComposePicture(TBitmap& picture, const TRect& client) {
    // The screen's layout, zoom frame and table state stay as they are for
    // the mouse, whatever happens while the picture is composed.
    const QScopedValueRollback layout(
        m_layout,
        CalcBinaryLayout(picture.Width(), picture.Height(), ReservesLegendBand(), PixelScale()));
    const QScopedValueRollback zoomFrame(m_zoomFrame);
    const QScopedValueRollback coPhasesShown(m_coPhasesShown, false);
    DrawBackground(picture, client);
    if (!IsTooSmall()) {
        DrawLayers(picture);
        // The mouse's own readings belong to the screen; a shown mark is
        // part of the picture.
        if (MarkMode() && m_markedPoint.Visible) {
            if (CoPhasesTable()) DrawCoPhasesTable(picture);
            if (ValuesTable()) DrawValuesTable(picture);
        }
    }
}

void TBinagram::DrawLayers(TBitmap& bitmap) {
    if (AllowZoom() && Zooming()) CalcZoomFrame();
    if (DrawSplines()) DrawBoundaries(bitmap);
    if (DrawAreas()) FillAreas(bitmap);
    DrawGridAndScales(bitmap);
    DrawTitle(bitmap);
    DrawUnitsCaption(bitmap);
    if (!m_tAxisTitle.empty()) DrawTAxisTitle(bitmap);
    if (Legend() && Areas() > 0) DrawLegend(bitmap);
    DrawTemperatureMarks(bitmap);
}

void TBinagram::DrawTemperatureMarks(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 2;
    canvas.Pen.Mode = TPenMode::pmCopy;
    const TBinaryLimits limits = Limits();
    const int reach = std::max(Px(4), PlotWidth() / 80);
    for (const double t : m_temperatureMarks) {
        if (t < limits.LowT || t > limits.HighT) continue;
        const int y = TemperatureToY(t);
        canvas.MoveTo(PlotLeft() - reach, y);
        canvas.LineTo(PlotLeft() + reach, y);
    }
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
}

void TBinagram::SetLegendAreas(std::vector<int> records) {
    if (records == m_legendAreas) return;
    m_legendAreas = std::move(records);
    Invalidate();
}

void TBinagram::SetExtraFills(std::vector<TExtraFill> fills) {
    m_extraFills = std::move(fills);
    Invalidate();
}

void TBinagram::DrawTAxisTitle(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = Paper();
    SetTextFont(canvas, FontSize(TBinaryTextRole::AxisNumbers), true);
    // Ends at the axis, a line above the highest number on it.
    const int w = canvas.TextWidth(m_tAxisTitle);
    const int h = canvas.TextHeight(m_tAxisTitle);
    canvas.TextOut(std::max(0, PlotLeft() - w), Round(PlotTop() - 1.75 * h), m_tAxisTitle);
}

void TBinagram::DrawBackground(TBitmap& bitmap, const TRect& rect) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = Paper();
    canvas.FillRect(rect);
    SetLinePen(canvas, 2);
    canvas.Brush.Color = clWhite;
    if (!IsTooSmall()) {
        canvas.Polygon({{PlotLeft(), PlotTop()},
                        {PlotRight(), PlotTop()},
                        {PlotRight(), PlotBottom()},
                        {PlotLeft(), PlotBottom()}});
    } else {
        SetTextFont(canvas, FigurePoints(8), false);
        canvas.TextOut(Px(4), Px(4), kTooSmallText);
    }
}

void TBinagram::DrawBoundaries(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    SetLinePen(canvas, Zooming() ? 2 : 1);
    const TBinaryLimits full = FullLimits();
    std::vector<TRealPoint> curve;
    const int count = static_cast<int>(m_points.size());
    // One step past the last point: the data end as if a separator followed.
    for (int i = 0; i <= count; ++i) {
        if (i < count && m_points[i].C != kCurveSeparator) {
            curve.push_back(BoundaryPixel(m_layout, full, m_points[i].C, m_points[i].T));
            continue;
        }
        // A lone point is kept: it starts the next curve.
        if (curve.size() >= 2) {
            DrawCurve(canvas, curve);
            curve.clear();
        }
    }
}

void TBinagram::DrawCurve(TCanvas& canvas, const std::vector<TRealPoint>& knots) {
    bool curved = false;
    TPenTrack pen;
    for (const TCurvePoint& point : SampleCurve(knots, kSamplesPerSegment, curved)) {
        // A straight line runs between whole pixels.
        const TRealPoint to = curved ? point.At
                                     : TRealPoint{double(Round(point.At.X)), double(Round(point.At.Y))};
        DrawSegmentTo(canvas, pen, to, curved);
    }
}

void TBinagram::DrawSegmentTo(TCanvas& canvas, TPenTrack& pen, TRealPoint to, bool spline) {
    if (!pen.Down) {
        pen.Down = true;
    } else if (!Zooming()) {
        Line(canvas, Round(pen.From.X), Round(pen.From.Y), Round(to.X), Round(to.Y));
    } else if (!(spline && pen.From == to)) {
        if (const auto piece = ClipSegment(m_layout, m_zoomFrame, pen.From, to, PixelScale())) {
            Line(canvas, piece->first.X, piece->first.Y, piece->second.X, piece->second.Y);
        }
    }
    pen.From = to;
}

void TBinagram::FillAreas(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    for (int i = 1; i <= Areas(); ++i) {
        const TBinaryAreaRec& area = AreaList()[i - 1];
        const double c = area.FillC;
        const double t = area.FillT;
        if (!(m_lowCLimit < c && c < m_highCLimit && LowTLimit() < t && t < HighTLimit())) {
            continue;
        }
        canvas.Brush.Color = canvas.GetNearestColor(AreaColors[i]);
        canvas.FloodFill(CompositionToX(c), TemperatureToY(t), clBlack, TFillStyle::fsBorder);
    }
    for (const TExtraFill& seed : m_extraFills) {
        const double c = seed.C;
        const double t = seed.T;
        if (seed.Record < 0 || seed.Record >= Areas() ||
            !(m_lowCLimit < c && c < m_highCLimit && LowTLimit() < t && t < HighTLimit())) {
            continue;
        }
        canvas.Brush.Color = canvas.GetNearestColor(AreaColors[seed.Record + 1]);
        canvas.FloodFill(CompositionToX(c), TemperatureToY(t), clBlack, TFillStyle::fsBorder);
    }
    if (!(AllowZoom() && Zooming())) return;
    const int inset = Px(kEdgeSeedInset);
    const auto fill = [&](const TEdgeFill& entry, int x, int y) {
        canvas.Brush.Color = entry.Color;
        canvas.FloodFill(x, y, clBlack, TFillStyle::fsBorder);
    };
    for (const TEdgeFill& e : m_edgeFills.Top) {
        fill(e, CompositionToX(e.Composition), PlotTop() + inset);
    }
    for (const TEdgeFill& e : m_edgeFills.Bottom) {
        fill(e, CompositionToX(e.Composition), PlotBottom() - inset);
    }
    for (const TEdgeFill& e : m_edgeFills.Left) {
        fill(e, PlotLeft() + inset, TemperatureToY(e.Temperature));
    }
    for (const TEdgeFill& e : m_edgeFills.Right) {
        fill(e, PlotRight() - inset, TemperatureToY(e.Temperature));
    }
}

std::string TBinagram::AxisLabel(double value) const {
    return m_unitsTotal == 100 ? FormatFixed(value, 0) : FormatFixed(value / 100, 1);
}

void TBinagram::DrawGridAndScales(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    SetLinePen(canvas, 1);
    canvas.Brush.Color = Paper();
    SetTextFont(canvas, FontSize(TBinaryTextRole::AxisNumbers), true);
    const int textHeight = canvas.TextHeight("1");
    const int longTick = textHeight - Px(5);
    const int shortTick = Round(textHeight / 2.0 - Px(3));
    const bool grid = m_gridType == TGridType::gtOverAllScale;

    const TTicks c = CalcTicks(m_lowCLimit, m_highCLimit, m_cAxisStep, PlotLeft(), PlotWidth(), 1);
    for (int i = 0; i <= c.Steps; ++i) {
        const double v = c.First + i * m_cAxisStep;
        const bool isLong = IsMultipleOf(v, 10);
        const int len = isLong ? longTick : shortTick;
        const int x = c.FirstPixel + Round(i * c.Spacing);
        Line(canvas, x, PlotTop(), x, PlotTop() - len);
        if (grid) Line(canvas, x, PlotTop(), x, PlotBottom());
        Line(canvas, x, PlotBottom(), x, PlotBottom() + len);
        if (isLong) {
            const std::string label = AxisLabel(v);
            const int w = canvas.TextWidth(label);
            canvas.TextOut(c.FirstPixel + Round(i * c.Spacing - w / 2.0),
                           PlotBottom() + len + Px(1), label);
        }
    }
    DrawBreakMarks(canvas);

    const TTicks t =
        CalcTicks(LowTLimit(), HighTLimit(), m_tAxisStep, PlotBottom(), PlotHeight(), -1);
    // Drawn from the top: the highest tick first.
    const double spacing = -t.Spacing;
    for (int i = 0; i <= t.Steps; ++i) {
        const double v = t.Last - i * m_tAxisStep;
        const bool isLong = IsMultipleOf(v, 100);
        const int len = isLong ? longTick : shortTick;
        const int y = t.LastPixel + Round(i * spacing);
        Line(canvas, PlotLeft(), y, PlotLeft() - len, y);
        if (grid) Line(canvas, PlotLeft(), y, PlotRight(), y);
        Line(canvas, PlotRight(), y, PlotRight() + len, y);
        if (isLong) {
            const std::string label = FormatFixed(v, 0);
            const int w = canvas.TextWidth(label);
            const int h = canvas.TextHeight(label);
            canvas.TextOut(PlotLeft() - w - len - Px(1), t.LastPixel + Round(i * spacing - h / 2.0),
                           label);
        }
    }
    if (MarkMode() && m_markedPoint.Visible) DrawMarkCross(canvas);
}

void TBinagram::DrawBreakMarks(TCanvas& canvas) {
    const auto zigzag = [&](int edge, int teeth) {
        canvas.MoveTo(edge, PlotTop());
        for (int i = 1; i <= 9; ++i) {
            canvas.LineTo(i % 2 == 1 ? teeth : edge, Round(PlotTop() + i * PlotHeight() / 10.0));
        }
        canvas.LineTo(edge, PlotBottom());
    };
    // The axis does not reach a pure substance: the plot is broken there.
    if (m_lowCLimit > 0 && (!Zooming() || m_lowCLimit == m_fullLowCLimit)) {
        zigzag(PlotLeft(), Round(PlotWidth() * 0.02 + PlotLeft()));
    }
    if (m_highCLimit < 100 && (!Zooming() || m_highCLimit == m_fullHighCLimit)) {
        zigzag(PlotRight(), Round(PlotRight() - PlotWidth() * 0.02));
    }
}

void TBinagram::DrawMarkCross(TCanvas& canvas) {
    const double c = m_unitsTotal == 100 ? m_markedPoint.A : m_markedPoint.A * 100;
    const double t = m_markedPoint.T;
    // A mark outside a zoomed window would land on the scales.
    if (c < m_lowCLimit || c > m_highCLimit || t < LowTLimit() || t > HighTLimit()) return;
    const int x = CompositionToX(c);
    const int y = TemperatureToY(t);
    SetLinePen(canvas, 2);
    const int r = Px(4);
    Line(canvas, x - r, y - r, x + r, y + r);
    Line(canvas, x + r, y - r, x - r, y + r);
    canvas.Pen.Width = 1;
}

void TBinagram::DrawTitle(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = Paper();
    SetTextFont(canvas, FontSize(TBinaryTextRole::Title), false);
    const int w = canvas.TextWidth(Title());
    const int h = canvas.TextHeight(Title());
    canvas.TextOut(PlotLeft() + Round((PlotWidth() - w) / 2.0), Round(PlotTop() - 2.0 * h),
                   Title());
}

void TBinagram::DrawUnitsCaption(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = Paper();
    SetTextFont(canvas, FontSize(TBinaryTextRole::UnitsCaption), false);
    m_unitsCaption = BinaryUnitsCaption(m_cUnits, m_substanceB.Name());
    const int w = canvas.TextWidth(m_unitsCaption);
    const int h = canvas.TextHeight(m_unitsCaption);
    canvas.TextOut(PlotLeft() + Round((PlotWidth() - w) / 2.0), Round(PlotBottom() + 2.0 * h),
                   m_unitsCaption);
}

}  // namespace liquidus
