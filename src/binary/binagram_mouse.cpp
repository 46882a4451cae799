// The mouse: composition and temperature under the cursor, the field read
// from the colour of the screen pixel under it, the co-existing phases of a
// two-phase field by the lever rule along the isotherm, the crosshair, the
// name tag and mark of the right button, and the zoom of the left button.

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "binary/binagram.h"
#include "canvas/pointertag.h"
#include "canvas/rounding.h"

namespace liquidus {

namespace {
// Zoom limits snap outwards to these steps.
constexpr double kTemperatureSnap = 100.0;
constexpr double kCompositionSnap = 10.0;
// Edge colours are read this far inside the zoom window.
constexpr int kEdgeInset = 2;
// The colour under the cursor is trusted only this far inside the frame.
constexpr int kReadMargin = 1;
}  // namespace

TLeverRatios BinaryLeverRatios(double a, double phase1, double phase2, double total) {
    const double span = phase2 - phase1;
    if (span == 0) return {};
    return {(phase2 - a) / span * total, (a - phase1) / span * total};
}

bool TBinagram::InsidePlot(int x, int y) const {
    return PlotTop() <= y && y <= PlotBottom() && PlotLeft() <= x && x <= PlotRight();
}

bool TBinagram::IsFieldColor(TColor color) const {
    const TCanvas& screen = Screen().Canvas();
    for (int i = 1; i <= Areas(); ++i) {
        if (screen.GetNearestColor(AreaColors[i]) == color) return true;
    }
    return false;
}

std::string TBinagram::FieldNameOf(TColor color, const std::string& fallback) const {
    const TCanvas& screen = Screen().Canvas();
    std::string name = fallback;
    for (int i = 1; i <= Areas(); ++i) {
        if (screen.GetNearestColor(AreaColors[i]) == color) name = AreaList()[i - 1].Name.str();
    }
    return name;
}

void TBinagram::IdentifyField(int x, int y, TColor& color) {
    const TCanvas& screen = Screen().Canvas();
    if (color == clBlack) {
        // On a line: the fields on its two sides are found along the
        // diagonals, which cross a line of any direction.
        constexpr int kDiagonals[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
        TColor candidate = clBlack;
        bool division = false;
        for (const auto& d : kDiagonals) {
            TColor found = clBlack;
            for (int k = 1; k <= 2 && found == clBlack; ++k) {
                found = screen.Pixel(x + d[0] * k, y + d[1] * k);
            }
            if (found == clBlack) continue;
            if (candidate == clBlack) {
                candidate = found;
            } else if (found != candidate) {
                division = true;
            }
        }
        m_atDivisionPoint = division;
        m_cursorHint = division ? kDivisionPointText : "";
        if (!division) color = candidate;
    } else {
        m_atDivisionPoint = false;
        m_cursorHint.clear();
    }
    for (int i = 1; i <= Areas(); ++i) {
        if (color == screen.GetNearestColor(AreaColors[i])) m_cursorArea = i - 1;
    }
    if (color == clWhite) m_cursorArea = -1;
}

void TBinagram::ScanCoPhases(int x, int y, TColor color) {
    const TCanvas& screen = Screen().Canvas();
    const auto composition = [this](int px) {
        const double c = m_highCLimit - static_cast<double>(PlotRight() - px) / PlotWidth() *
                                            (m_highCLimit - m_lowCLimit);
        return m_unitsTotal == 1 ? c * 0.01 : c;
    };
    const auto otherField = [&](TColor pixel) { return pixel != color && pixel != clBlack; };
    TFullDataPoint& p = m_cursorPoint;
    p.CoPhases = 0;
    bool scanned = false;
    for (int px = x - 1; px >= PlotLeft() + 1 && p.CoPhases == 0; --px) {
        scanned = true;
        const TColor pixel = screen.Pixel(px, y);
        if (otherField(pixel)) {
            p.CoPhases = 1;
            p.Phase1Name = FieldNameOf(pixel, p.Phase1Name);
            p.Phase1Value = composition(px);
        } else if (px == PlotLeft() + 1) {
            p.CoPhases = 1;
            p.Phase1Name = m_substanceA.Name();
            p.Phase1Value = 0;
        }
    }
    if (!scanned) {
        p.Phase1Value = 0;
        p.Phase1Name.clear();
        p.CoPhases = 1;
    }
    for (int px = x + 1; px <= PlotRight() - 1 && p.CoPhases < 2; ++px) {
        const TColor pixel = screen.Pixel(px, y);
        if (otherField(pixel)) {
            p.CoPhases = 2;
            p.Phase2Name = FieldNameOf(pixel, p.Phase2Name);
            p.Phase2Value = composition(px);
        }
    }
    if (p.CoPhases == 1) {
        p.Phase2Name = m_substanceB.Name();
        p.Phase2Value = m_unitsTotal;
        p.CoPhases = 2;
    }
    const TLeverRatios ratios = BinaryLeverRatios(p.A, p.Phase1Value, p.Phase2Value, m_unitsTotal);
    p.Phase1Ratio = ratios.Phase1;
    p.Phase2Ratio = ratios.Phase2;
}

void TBinagram::DrawRubberBand() {
    TCanvas& canvas = Canvas();
    SetOverlayPen(canvas);
    const TPoint a = m_rubberBand[0];
    const TPoint b = m_rubberBand[1];
    canvas.Polyline({a, {b.X, a.Y}, b, {a.X, b.Y}, a});
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Pen.Width = 1;
    m_rubberBandShown = !m_rubberBandShown;
}

void TBinagram::EraseRubberBand() {
    if (m_rubberBandShown) DrawRubberBand();
}

void TBinagram::EraseCrosshair() {
    // Also when the mouse grid was switched off meanwhile: a crosshair left
    // behind would be drawn again by every paint.
    if (!m_crosshairShown) return;
    DrawCrosshair();
    m_crosshairShown = false;
}

void TBinagram::MouseMove(TShiftState shift, int x, int y) {
    if (!m_painted) return;
    TCustomControl::MouseMove(shift, x, y);
    if (m_tagShown) {
        // Repainted at once, so that the pixels read below are the
        // picture's and not the tag's; the repaint takes the band away too.
        m_tagShown = false;
        m_rubberBandShown = false;
        Refresh();
    }
    if (!InsidePlot(x, y)) {
        SetCursor(TCursor::crDefault);
        if (m_cursorOnArea) {
            m_cursorOnArea = false;
            if (!(MarkMode() && m_markedPoint.Visible)) Invalidate();
        }
        m_cursorPoint = TFullDataPoint{};
        m_cursorArea = -1;
        EraseRubberBand();
        EraseCrosshair();
        if (m_dragging) {
            Invalidate();
            m_dragging = false;
        }
        ScreenChanged();
        return;
    }
    m_cursorOnArea = true;
    SetCursor(MouseGrid() ? TCursor::crDefault : TCursor::crCross);
    m_cursorPoint.A = XToComposition(x);
    m_cursorPoint.T = YToTemperature(y);
    if (AllowZoom() && m_dragging && PlotLeft() < x && x < PlotRight()) {
        EraseRubberBand();
        TPoint corner{x, y};
        if (corner.X <= m_zoomAnchor.X) ++corner.X;
        if (corner.Y <= m_zoomAnchor.Y) ++corner.Y;
        m_rubberBand = {m_zoomAnchor, corner};
        DrawRubberBand();
        m_drag = {x, y};
    }
    EraseCrosshair();
    TColor color = clBlack;
    bool read = false;
    if (!m_dragging && PlotLeft() + kReadMargin < x && x < PlotRight() - kReadMargin &&
        PlotTop() + kReadMargin < y && y < PlotBottom() - kReadMargin) {
        color = Screen().Canvas().Pixel(x, y);
        IdentifyField(x, y, color);
        read = true;
    }
    if (m_cursorArea >= 0) {
        const TBinaryAreaRec& area = AreaList()[m_cursorArea];
        m_cursorPoint.PhaseName = area.Name.str();
        if (area.CoPhased == 0) {
            m_cursorPoint.CoPhases = 0;
            m_cursorPoint.Phase1Name.clear();
            m_cursorPoint.Phase2Name.clear();
            m_cursorPoint.Phase1Value = m_cursorPoint.Phase2Value = 0;
            m_cursorPoint.Phase1Ratio = m_cursorPoint.Phase2Ratio = 0;
        } else if (read) {
            ScanCoPhases(x, y, color);
        }
    }
    if (MouseGrid()) {
        m_crosshair = {x, y};
        DrawCrosshair();
        m_crosshairShown = true;
    }
    if (ValuesTable()) DrawValuesTable(Screen());
    if (CoPhasesTable() && !m_dragging) DrawCoPhasesTable(Screen());
    ScreenChanged();
}

void TBinagram::ShowNameTag(int x, int y) {
    std::string text = m_cursorHint;
    if (!m_atDivisionPoint && m_cursorArea >= 0 && m_cursorArea < kAreaCount) {
        text = AreaList()[m_cursorArea].Name.str();
    }
    // The tag opens towards the middle of the plot.
    DrawPointerTag(Canvas(), x, y, text, x > PlotLeft() + PlotWidth() / 2, PixelScale());
    Canvas().Brush.Color = clWhite;
    m_tagShown = true;
}

void TBinagram::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!m_painted) return;
    TCustomControl::MouseDown(button, shift, x, y);
    const bool inside = InsidePlot(x, y);
    if (button == TMouseButton::mbRight &&
        ((m_cursorArea != -1 && inside) || (m_cursorArea == -1 && m_atDivisionPoint))) {
        ShowNameTag(x, y);
    }
    if (button == TMouseButton::mbLeft && AllowZoom()) {
        if (inside) {
            EraseRubberBand();
            m_zoomAnchor = {x, y};
            m_drag = {x, y};
            m_rubberBand = {};
            if (!Zooming()) m_dragging = true;
        }
        if (Zooming()) ZoomOutToFull();
    }
    ScreenChanged();
}

void TBinagram::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (!m_painted) return;
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft && m_dragging && AllowZoom()) {
        if (std::abs(m_zoomAnchor.X - m_drag.X) >= 1 && std::abs(m_zoomAnchor.Y - m_drag.Y) >= 1) {
            ZoomInFromDrag();
            return;
        }
        m_dragging = false;
        m_rubberBandShown = false;  // the repaint takes it away
        Refresh();
    }
    if (button == TMouseButton::mbLeft && MarkMode() && m_markedPoint.Visible && !m_dragging) {
        m_markedPoint.Visible = false;
        Refresh();
        DoChange();
    }
    if (button == TMouseButton::mbRight && m_tagShown && !m_dragging) {
        if (!Zooming()) MarkCursorPoint();
        Invalidate();
        if (ValuesTable()) DrawValuesTable(Screen());
        if (CoPhasesTable()) DrawCoPhasesTable(Screen());
        m_tagShown = false;
        ScreenChanged();
    }
}

void TBinagram::MarkCursorPoint() {
    const TFullDataPoint& c = m_cursorPoint;
    TFullDataPoint& m = m_markedPoint;
    m.A = c.A;
    m.T = c.T;
    m.CoPhases = c.CoPhases;
    m.PhaseName = c.PhaseName;
    m.Phase1Name = c.Phase1Name;
    m.Phase2Name = c.Phase2Name;
    m.Phase1Value = c.Phase1Value;
    m.Phase2Value = c.Phase2Value;
    m.Phase1Ratio = c.Phase1Ratio;
    m.Phase2Ratio = c.Phase2Ratio;
    m.Visible = true;
    DoMarkPoint();
    DoChange();
}

void TBinagram::ZoomInFromDrag() {
    SetZooming(true);
    DoZoomIn();
    const double lowC = m_lowCLimit;
    const double cSpan = m_highCLimit - m_lowCLimit;
    const double lowT = LowTLimit();
    const double tSpan = HighTLimit() - LowTLimit();
    const auto compositionAt = [&](int x) {
        return static_cast<double>(x - PlotLeft()) / PlotWidth() * cSpan + lowC;
    };
    const auto temperatureAt = [&](int y) {
        return static_cast<double>(PlotBottom() - y) / PlotHeight() * tSpan + lowT;
    };
    const double ca = compositionAt(m_zoomAnchor.X);
    const double cb = compositionAt(m_drag.X);
    const double ta = temperatureAt(m_zoomAnchor.Y);
    const double tb = temperatureAt(m_drag.Y);
    const double c1 = std::min(ca, cb);
    const double c2 = std::max(ca, cb);
    const double t1 = std::min(ta, tb);
    const double t2 = std::max(ta, tb);
    double v = Trunc(t1 / kTemperatureSnap) * kTemperatureSnap;
    if (v > LowTLimit()) SetLowTLimit(v);
    v = Trunc(t2 / kTemperatureSnap + 1) * kTemperatureSnap;
    if (v < HighTLimit()) SetHighTLimit(v);
    SetLowCLimit(Trunc(c1 / kCompositionSnap) * kCompositionSnap);
    SetHighCLimit(Trunc(c2 / kCompositionSnap + 1) * kCompositionSnap);
    StoreZoomLimits();
    EraseRubberBand();
    m_dragging = false;
    EraseCrosshair();
    CalcZoomFrame();
    // The screen still shows the unzoomed picture: the fields along the
    // window's edges are read from it.
    SampleEdges();
    ScreenChanged();
}

void TBinagram::ZoomOutToFull() {
    const TBinaryLimits full = FullLimits();
    SetZooming(false);
    DoZoomOut();
    SetLowTLimit(full.LowT);
    SetHighTLimit(full.HighT);
    SetLowCLimit(full.LowC);
    SetHighCLimit(full.HighC);
    m_edgeFills = TEdgeFillLists{};
}

void TBinagram::SampleEdges() {
    const TCanvas& screen = Screen().Canvas();
    const TBinaryZoomFrame& f = m_zoomFrame;
    const int left = Round(f.Left);
    const int top = Round(f.Top);
    const int right = Round(f.Right);
    const int bottom = Round(f.Bottom);
    const int width = Round(f.Right - f.Left);
    const int height = Round(f.Bottom - f.Top);
    const double cSpan = m_fullHighCLimit - m_fullLowCLimit;
    const double tSpan = m_fullHighTLimit - m_fullLowTLimit;
    // A run of a new field colour starts an entry; later pixels of the
    // entry's colour lengthen its run. Only field colours count: a seed of
    // the grid's or the paper's colour would paint over the zoomed view.
    const auto sample = [&](std::vector<TEdgeFill>& list, int count, auto pixelAt, auto place) {
        list.clear();
        std::vector<std::pair<int, int>> runs;  // start, extra pixels
        for (int k = 1; k <= count; ++k) {
            const TPoint p = pixelAt(k);
            const TColor color = screen.Pixel(p.X, p.Y);
            if (!IsFieldColor(color)) continue;
            if (!list.empty() && color == list.back().Color) {
                ++runs.back().second;
                continue;
            }
            if (list.size() == TEdgeFillLists::kMaxEntries) break;
            list.push_back({color});
            runs.emplace_back(k, 0);
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            place(list[i], runs[i].first + runs[i].second / 2.0);
        }
    };
    const auto alongC = [&](TEdgeFill& e, double pos) {
        e.Composition = m_lowCLimit + pos / PlotWidth() * cSpan;
    };
    const auto alongT = [&](TEdgeFill& e, double pos) {
        e.Temperature = HighTLimit() - pos / PlotHeight() * tSpan;
    };
    sample(
        m_edgeFills.Top, width,
        [&](int k) {
            return TPoint{left + k, top + kEdgeInset};
        },
        alongC);
    sample(
        m_edgeFills.Bottom, width,
        [&](int k) {
            return TPoint{left + k, bottom - kEdgeInset};
        },
        alongC);
    sample(
        m_edgeFills.Left, height,
        [&](int k) {
            return TPoint{left + kEdgeInset, top + k};
        },
        alongT);
    sample(
        m_edgeFills.Right, height,
        [&](int k) {
            return TPoint{right - kEdgeInset, top + k};
        },
        alongT);
}

}  // namespace liquidus
