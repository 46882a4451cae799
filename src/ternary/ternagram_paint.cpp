// The picture: background, boundaries, fills, markers, grid, scales, texts.
// Every routine draws on the bitmap it is given with the current layout, so
// the screen, the printer and the exported file share one render path.

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "canvas/bltbitmap.h"
#include "canvas/rounding.h"
#include "isotherms/spl.h"
#include "model/format.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {
constexpr int kSamplesPerInterval = 8;
constexpr char kTooSmallText[] = "Enlarge Me..";
}  // namespace

void TTernagram::Paint() {
    m_painted = false;
    CalcLayout();
    ShowPicture([this](TBitmap& picture) {
        DrawBackground(picture, ClientRect(Width(), Height()));
        if (!IsTooSmall()) DrawLayers(picture, PaperColor());
    });
    if (m_mouseGridShown) {
        DrawMouseGrid();
    }
    if (m_rubberBandShown) {
        DrawRubberBand();
    }
    if (CoPhasesTable()) {
        DrawCoPhasesTable(Screen());
    }
    if (ValuesTable()) {
        DrawValuesTable(Screen());
    }
    m_painted = true;
}

std::unique_ptr<TBitmap> TTernagram::RenderFieldMap() {
    CalcLayout();
    auto map = std::make_unique<TBltBitmap>();
    map->MakeLike(Screen());
    ClearBitmap(*map);
    DrawBackground(*map, ClientRect(Width(), Height()));
    if (!IsTooSmall()) {
        if (AllowZoom() && m_zoom) CalcZoomFrame();
        if (DrawSplines()) DrawBoundaries(*map);
        if (DrawAreas()) FillAreas(*map);
    }
    return map;
}

void TTernagram::DrawLayers(TBitmap& bitmap, TColor background) {
    if (AllowZoom() && m_zoom) {
        CalcZoomFrame();
    }
    if (DrawSplines()) {
        DrawBoundaries(bitmap);
    }
    if (DrawAreas()) {
        FillAreas(bitmap);
    }
    // The atlas marks keep clear of every text the picture has, so the
    // texts are noted as they are drawn; the name spots are found on the
    // fields before anything is drawn over them.
    const bool atlas = m_fieldNames || m_invariantPoints || m_boundaryArrows;
    // Contours go over every other layer, so that their labels can keep
    // clear of all the texts and their lines break under them.
    const bool contours =
        m_drawIsotherms && m_isotherms.GraphType() == TIsothermType::itSpline;
    TCanvas& canvas = bitmap.Canvas();
    const auto observer = canvas.OnTextOut;
    std::vector<TRect> texts;
    TNameSpots spots;
    if (atlas || contours) {
        if (m_fieldNames) spots = FindNameSpots(bitmap);
        canvas.OnTextOut = [&](int x, int y, const std::string& text) {
            texts.push_back({x, y, x + canvas.TextWidth(text), y + canvas.TextHeight(text)});
            if (observer) observer(x, y, text);
        };
    }
    if (m_drawIsotherms && !contours) {
        CalcIsotherms(bitmap);
    }
    if (DrawTPoints()) {
        DrawTPointMarkers(bitmap);
    }
    DrawGridAndScales(bitmap, background);
    DrawTitle(bitmap, background);
    DrawUnitsCaption(bitmap, background);
    DrawVertexCaptions(bitmap, background);
    if (Legend() && Areas() != 0) {
        DrawLegend(bitmap);
    }
    if (atlas || contours) canvas.OnTextOut = observer;
    if (contours) DrawContours(bitmap, texts);
    if (atlas) DrawAtlas(bitmap, spots, texts);
}

void TTernagram::DrawBackground(TBitmap& bitmap, const TRect& rect) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = PaperColor();
    canvas.FillRect(rect);
    canvas.Pen.Width = 2;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Brush.Color = clWhite;
    const int l = TriangleLeft();
    const int s = SideLength();
    const int yb = TriangleTop() + TriangleHeight();
    if (!IsTooSmall()) {
        canvas.Polygon({{l + s / 2, TriangleTop()}, {l, yb}, {l + s, yb}});
    } else {
        canvas.TextOut(4, 4, kTooSmallText);
    }
}

void TTernagram::DrawBoundaries(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Color = clBlack;
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Pen.Width = m_zoom ? 2 : 1;
    if (m_splinesHigh < 1) {
        return;
    }
    std::vector<std::vector<TSegment>> lines;
    const auto endLine = [&](std::vector<TRealPoint>& knots) {
        m_lineSegments.clear();
        DrawBoundaryPolyline(canvas, knots);
        if (!m_lineSegments.empty()) lines.push_back(m_lineSegments);
        knots.clear();
    };
    std::vector<TRealPoint> knots;
    const int last = std::min<int>(m_splinesHigh + 1, static_cast<int>(m_splinesA.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        const bool ends = (i == m_splinesHigh + 1) || m_splinesA[i] == -1;
        if (ends) {
            endLine(knots);
            continue;
        }
        double x = 0.0;
        double y = 0.0;
        CompositionToRealPixel(Layout(), m_splinesA[i], m_splinesB[i], x, y);
        knots.push_back({x, y});
    }
    // Arrays that stop short of the closing entry still end their last line.
    endLine(knots);
    CloseLineEnds(canvas, lines);
}

void TTernagram::DrawBoundaryPolyline(TCanvas& canvas, const std::vector<TRealPoint>& knots) {
    if (knots.size() < 2) return;
    bool curved = false;
    const std::vector<TCurvePoint> points = SampleCurve(knots, kSamplesPerInterval, curved);
    if (!curved) {
        std::vector<TRealPoint> straight;
        for (const TCurvePoint& point : points) straight.push_back(point.At);
        DrawStraightPolyline(canvas, straight);
        return;
    }
    m_segFrom = points.front().At;
    for (std::size_t i = 1; i < points.size(); ++i) {
        m_segTo = points[i].At;
        DrawSegment(canvas, points[i].Sample);
    }
}

int TTernagram::LineEndReach() const {
    // Ends that meet a line exactly in the data can still miss its pixels by
    // the rounding of both and by how far the curve drawn through the other
    // line's knots departs from its chords: a pixel or two, more in large
    // and zoomed pictures.
    const double side = SideLength() * (m_zoom ? m_zoomFrame.Scale : 1.0);
    return 2 + static_cast<int>(side / 250);
}

void TTernagram::CloseLineEnds(TCanvas& canvas, const std::vector<std::vector<TSegment>>& lines) {
    // A line leaves out its end pixel, and where two lines end on the same
    // point (a curve drawn backwards, say) or a line ends on a side or on the
    // middle of another line, nothing else need cover the gap that leaves: a
    // fill passes there into the next field at some sizes and not at others.
    // Every end of every drawn piece is therefore joined to the nearest
    // other line or the outline, after all lines are drawn.
    const int reach = LineEndReach();
    for (const std::vector<TSegment>& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i == 0 || line[i].From != line[i - 1].To) {
                CloseLineEnd(canvas, line, line[i].From, reach);
            }
            if (i + 1 == line.size() || line[i].To != line[i + 1].From) {
                CloseLineEnd(canvas, line, line[i].To, reach);
            }
        }
    }
}

void TTernagram::CloseLineEnd(TCanvas& canvas, const std::vector<TSegment>& line, TPoint end,
                              int reach) {
    const int side = 2 * reach + 1;
    std::vector<char> own(static_cast<std::size_t>(side) * side, 0);
    const auto index = [&](int x, int y) -> int {
        const int i = x - end.X + reach;
        const int j = y - end.Y + reach;
        if (i < 0 || j < 0 || i >= side || j >= side) return -1;
        return j * side + i;
    };
    const int width = canvas.Pen.Width;
    for (const TSegment& segment : line) {
        const int margin = reach + width;
        if (std::max(segment.From.X, segment.To.X) < end.X - margin ||
            std::min(segment.From.X, segment.To.X) > end.X + margin ||
            std::max(segment.From.Y, segment.To.Y) < end.Y - margin ||
            std::min(segment.From.Y, segment.To.Y) > end.Y + margin) {
            continue;
        }
        for (const TPoint p : SegmentPixels(segment.From, segment.To, width)) {
            if (const int k = index(p.X, p.Y); k >= 0) own[k] = 1;
        }
    }
    const auto other = [&](int x, int y) {
        const int k = index(x, y);
        return k >= 0 && own[k] == 0 && canvas.Pixel(x, y) == clBlack;
    };
    // Another line already through the end pixel: joined.
    if (other(end.X, end.Y)) return;
    canvas.SetPixel(end.X, end.Y, clBlack);
    own[index(end.X, end.Y)] = 1;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (other(end.X + dx, end.Y + dy)) return;
        }
    }
    // A gap: draw across it to the nearest pixel of another line.
    std::optional<TPoint> nearest;
    int best = reach * reach + 1;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const int d = dx * dx + dy * dy;
            if (d < best && other(end.X + dx, end.Y + dy)) {
                best = d;
                nearest = TPoint{end.X + dx, end.Y + dy};
            }
        }
    }
    if (!nearest) return;  // a loose end: nothing near to join
    canvas.MoveTo(end.X, end.Y);
    canvas.LineTo(nearest->X, nearest->Y);
}

void TTernagram::NoteSegment(TPoint from, TPoint to) {
    if (from == to) return;
    m_lineSegments.push_back({from, to});
}

void TTernagram::DrawStraightPolyline(TCanvas& canvas, const std::vector<TRealPoint>& knots) {
    m_segFrom = {static_cast<double>(Round(knots[0].X)), static_cast<double>(Round(knots[0].Y))};
    for (std::size_t k = 1; k < knots.size(); ++k) {
        m_segTo = {static_cast<double>(Round(knots[k].X)), static_cast<double>(Round(knots[k].Y))};
        DrawSegment(canvas, false);
    }
}

void TTernagram::DrawSegment(TCanvas& canvas, bool interpolated) {
    if (!m_zoom) {
        const TPoint from{Round(m_segFrom.X), Round(m_segFrom.Y)};
        const TPoint to{Round(m_segTo.X), Round(m_segTo.Y)};
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
        NoteSegment(from, to);
    } else if (!(interpolated && m_segFrom.X == m_segTo.X && m_segFrom.Y == m_segTo.Y)) {
        DrawZoomedSegment(canvas);
    }
    m_segFrom = m_segTo;
}

void TTernagram::FillAreas(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    const TZoomWindow* zoom = ActiveZoom();
    for (int i = 1; i <= Areas(); ++i) {
        const TAreaData& area = AreaList()[i - 1];
        if (zoom != nullptr &&
            !zoom->ContainsStrictly(area.FillA, area.FillB, 100.0 - area.FillA - area.FillB)) {
            continue;
        }
        canvas.Brush.Color = canvas.GetNearestColor(AreaColors[i]);
        int x = 0;
        int y = 0;
        CompositionToPixel(area.FillA, area.FillB, x, y);
        OpenSeed(canvas, x, y);
        canvas.FloodFill(x, y, clBlack, TFillStyle::fsBorder);
    }
    if (AllowZoom() && m_zoom) {
        FillZoomRegions(canvas);
    }
}

void TTernagram::OpenSeed(const TCanvas& canvas, int& x, int& y) const {
    // Where a narrow field is crossed by its own boundary at this size, the
    // fill point's pixel can be black and a fill from it paints nothing: the
    // nearest open pixel inside the triangle stands in for it.
    if (canvas.Pixel(x, y) != clBlack) return;
    constexpr int kReach = 2;
    int best = kReach * kReach + 1;
    int bestX = x;
    int bestY = y;
    for (int dy = -kReach; dy <= kReach; ++dy) {
        for (int dx = -kReach; dx <= kReach; ++dx) {
            const int d = dx * dx + dy * dy;
            const TColor c = canvas.Pixel(x + dx, y + dy);
            if (d < best && c != clBlack && c != kInvalidColor &&
                IsInsideTriangle(x + dx, y + dy)) {
                best = d;
                bestX = x + dx;
                bestY = y + dy;
            }
        }
    }
    x = bestX;
    y = bestY;
}

void TTernagram::DrawTPointMarkers(TBitmap& bitmap) {
    if (Areas() == 0) {
        return;
    }
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = TPenMode::pmCopy;
    const TZoomWindow* zoom = ActiveZoom();
    const int radius = Px(zoom != nullptr ? 3 : 2);
    for (int i = 1; i <= Areas(); ++i) {
        const TAreaData& area = AreaList()[i - 1];
        canvas.Brush.Color = canvas.GetNearestColor(AreaColors[i]);
        for (int p = 1; p <= std::min<int>(area.PointCount, kMaxAreaPoints); ++p) {
            const TAreaPoint& point = area.Points[p];
            if (zoom != nullptr && !zoom->Contains(point.A, point.B, 100.0 - point.A - point.B)) {
                continue;
            }
            int x = 0;
            int y = 0;
            CompositionToPixel(point.A, point.B, x, y);
            canvas.Ellipse(x - radius, y - radius, x + radius, y + radius);
        }
    }
}

std::string TTernagram::ScaleLabel(double value) const {
    return FormatFixed(value, m_unitsTotal == 100 ? 0 : 1);
}

void TTernagram::DrawGridAndScales(TBitmap& bitmap, TColor background) {
    TCanvas& canvas = bitmap.Canvas();
    const double s = SideLength();
    const int g = m_gridSteps;
    const int l = TriangleLeft();
    const int t = TriangleTop();
    const int yb = t + TriangleHeight();
    const double k = kSqrt3Half;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = TPenMode::pmCopy;
    if (m_gridType == TGridType::gtInnerParallel || m_gridType == TGridType::gtAllScales) {
        for (int i = 1; i < g; ++i) {  // constant C
            canvas.MoveTo(l + Round(s / g * i), yb);
            canvas.LineTo(Round(l + s / 2 + s / g / 2 * i), t + Round(s * k / g * i));
        }
        for (int i = 1; i < g; ++i) {  // constant A
            canvas.MoveTo(l + Round(s / g * i), yb);
            canvas.LineTo(Round(l + s / g * i - s / g / 2 * i), yb - Round(s * k / g * i));
        }
        for (int i = 1; i < g; ++i) {  // constant B
            canvas.MoveTo(Round(l + s / 2 - s / g / 2 * i), t + Round(s * k / g * i));
            canvas.LineTo(Round(l + s / 2 + s / g / 2 * i), t + Round(s * k / g * i));
        }
    }
    if (m_gridType != TGridType::gtInnerParallel) {
        canvas.Brush.Color = background;
        SetTextFont(canvas, FontSize(TTextRole::ScaleLabel), true);
        const double ut = m_unitsTotal;
        const TZoomWindow* zoom = ActiveZoom();
        for (int i = 1; i < g; ++i) {  // bottom scale: C
            const int xi = l + Round(s / g * i);
            canvas.MoveTo(xi - Px(3), yb - Px(4));
            canvas.LineTo(xi, yb);
            canvas.LineTo(xi + Px(3), yb - Px(5));
            const double value =
                zoom == nullptr ? ut / g * i
                                : ((zoom->CMax - zoom->CMin) / g * i + zoom->CMin) / (100 / ut);
            const std::string label = ScaleLabel(value);
            const int w = canvas.TextWidth(label);
            canvas.TextOut(l + Round(s / g * i - w / 2.0), yb + Px(2), label);
        }
        for (int i = 1; i < g; ++i) {  // left scale: A
            const int yi = yb - Round(s * k / g * i);
            const int xi = Round(l + s / g * i - s / g / 2 * i);
            canvas.MoveTo(xi + Px(5), yi - Px(1));
            canvas.LineTo(xi, yi);
            canvas.LineTo(xi + Px(4), yi + Px(5));
            const double value =
                zoom == nullptr ? ut - ut / g * i
                                : (zoom->AMax - (zoom->AMax - zoom->AMin) / g * i) / (100 / ut);
            const std::string label = ScaleLabel(value);
            const int w = canvas.TextWidth(label);
            const int h = canvas.TextHeight(label);
            canvas.TextOut(Round(l + s / g * i - s / g / 2 * i - w) - Px(5),
                           yb - Round(h / 2.0 + s * k / g * i), label);
        }
        for (int i = 1; i < g; ++i) {  // right scale: B
            const int yi = t + Round(s * k / g * i);
            const int xi = Round(l + s / 2 + s / g / 2 * i);
            canvas.MoveTo(xi - Px(5), yi - Px(1));
            canvas.LineTo(xi, yi);
            canvas.LineTo(xi - Px(4), yi + Px(5));
            const double value =
                zoom == nullptr ? ut - ut / g * i
                                : (zoom->BMax - (zoom->BMax - zoom->BMin) / g * i) / (100 / ut);
            const std::string label = ScaleLabel(value);
            const int h = canvas.TextHeight(label);
            canvas.TextOut(xi + Px(5), Round(s * k / g * i - h / 2.0) + t, label);
        }
    }
    if (MarkMode() && m_markedPoint.Visible) {
        DrawMarkedPoint(canvas);
    }
}

void TTernagram::DrawMarkedPoint(TCanvas& canvas) {
    const double b = m_markedPoint.B;
    const double c = m_markedPoint.C;
    int x = 0;
    int y = 0;
    if (const TZoomWindow* zoom = ActiveZoom()) {
        if (!zoom->ContainsStrictly(m_markedPoint.A, b, c)) {
            return;
        }
    }
    SharesToPixel(Layout(), ActiveZoom(), b, c, x, y);
    canvas.Brush.Color = clBlack;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 2;
    const int r = Px(4);
    canvas.MoveTo(x - r, y - r);
    canvas.LineTo(x + r, y + r);
    canvas.MoveTo(x + r, y - r);
    canvas.LineTo(x - r, y + r);
}

void TTernagram::DrawTitle(TBitmap& bitmap, TColor background) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = background;
    SetTextFont(canvas, FontSize(TTextRole::Title), false);
    const int w = canvas.TextWidth(Title());
    const int h = canvas.TextHeight(Title());
    canvas.TextOut(TriangleLeft() + Round((SideLength() - w) / 2.0), TriangleTop() - 2 * h - Px(2),
                   Title());
}

void TTernagram::DrawUnitsCaption(TBitmap& bitmap, TColor background) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = background;
    SetTextFont(canvas, FontSize(TTextRole::UnitsCaption), false);
    const int w = canvas.TextWidth(m_unitsCaption);
    const int h = canvas.TextHeight(m_unitsCaption);
    canvas.TextOut(TriangleLeft() + Round((SideLength() - w) / 2.0),
                   TriangleTop() + TriangleHeight() + 2 * h, m_unitsCaption);
}

void TTernagram::DrawVertexCaptions(TBitmap& bitmap, TColor background) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = background;
    SetTextFont(canvas, FontSize(TTextRole::VertexCaption), false);
    const int l = TriangleLeft();
    const int s = SideLength();
    const int yb = TriangleTop() + TriangleHeight();

    const std::string& nameA = m_substanceA.Name();
    int w = canvas.TextWidth(nameA);
    int h = canvas.TextHeight(nameA);
    canvas.TextOut(std::max(l - w / 2, Px(3)), yb + h + Px(1), nameA);

    const std::string& nameC = m_substanceC.Name();
    w = canvas.TextWidth(nameC);
    h = canvas.TextHeight(nameC);
    int x = l + s - w / 2;
    if (x + w > 2 * l + s - Px(2)) {
        x = 2 * l + s - Px(2) - w;
    }
    canvas.TextOut(x, yb + h + Px(1), nameC);

    const std::string& nameB = m_substanceB.Name();
    w = canvas.TextWidth(nameB);
    h = canvas.TextHeight(nameB);
    canvas.TextOut(l + Round((s - w) / 2.0), TriangleTop() - h - Px(3), nameB);
}

}  // namespace liquidus
