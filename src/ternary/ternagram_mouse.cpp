// The mouse: composition, field and temperature under the cursor, the
// field-name hint and the mark of the right button, the mouse grid, and the
// zoom selection of the left button. Fields are told apart by the colour of
// the screen pixel under the cursor.

#include <cmath>
#include <cstdlib>

#include "canvas/pointertag.h"
#include "canvas/rounding.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {
constexpr double kK = kSqrt3Half;
const std::string kDivisionPoint = kDivisionPointText;
const std::string kNoText;
// Near the sides the pixel under the cursor is the outline or a scale tick,
// so the field seen last is kept.
constexpr int kSideMargin = 3;
constexpr int kBaseMargin = 2;
constexpr int kHintMargin = 2;
}  // namespace

const std::string& TTernagram::DivisionPointText() const {
    return m_isDivisionPoint ? kDivisionPoint : kNoText;
}

int TTernagram::ReadAreaAt(int x, int y, TColor& color) {
    const TCanvas& screen = Screen().Canvas();
    color = screen.Pixel(x, y);
    return AreaAtPixel(screen, x, y, color);
}

void TTernagram::SetCursorTemperature(int area, double aPercent, double bPercent) {
    if (area < 0) return;
    if (const std::optional<double> t = AreaTemperature(area, aPercent, bPercent)) {
        m_cursorPoint.T = *t;
    }
}

void TTernagram::EvalCoPhases(TColor color) {
    if (color != clBlack) m_coPhases = 2;
}

void TTernagram::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!m_painted) return;
    if (m_hintShown) {
        // Repainted at once, so that the pixels read below are the picture's
        // and not the hint box's.
        m_hintShown = false;
        Refresh();
    }
    // The overlays are inverted pixels: take them off before reading the
    // screen and put them back after.
    const bool gridWasShown = MouseGrid() && m_mouseGridShown;
    if (gridWasShown) DrawMouseGrid();
    if (!IsInsideTriangle(x, y)) {
        SetCursor(TCursor::crDefault);
        if (m_cursorOnArea) {
            m_cursorOnArea = false;
            if (!(MarkMode() && m_markedPoint.Visible)) Invalidate();
        }
        m_cursorPoint.A = m_cursorPoint.B = m_cursorPoint.C = m_cursorPoint.T = 0;
        if (gridWasShown) m_mouseGridShown = false;
        EraseRubberBand();
        m_dragging = false;
        ScreenChanged();
        return;
    }
    if (m_rubberBandShown) DrawRubberBand();
    const double yb = TriangleTop() + TriangleHeight();
    const double left = LeftEdgeX(y);
    const double right = RightEdgeX(y);

    m_cursorOnArea = true;
    TColor color = clBlack;
    const int area = ReadAreaAt(x, y, color);
    SetCursor(MouseGrid() ? TCursor::crDefault : TCursor::crCross);
    PixelToComposition(x, y, m_cursorPoint.A, m_cursorPoint.B, m_cursorPoint.C);
    const double toPercent = m_unitsTotal == 1 ? 100 : 1;
    SetCursorTemperature(area, m_cursorPoint.A * toPercent, m_cursorPoint.B * toPercent);

    if (AllowZoom() && !m_zoom && m_dragging && LeftEdgeX(m_dragStartY) < x &&
        x < RightEdgeX(m_dragStartY)) {
        m_rubberBand = {TPoint{m_dragStartX, m_dragStartY},
                        TPoint{Trunc((x - m_dragStartX) / 2.0) + m_dragStartX,
                               m_dragStartY - Round(std::abs(x - m_dragStartX) * kK)},
                        TPoint{x, m_dragStartY}};
        m_dragX = x;
        m_rubberBandShown = true;
    }
    if (m_rubberBandShown) DrawRubberBand();

    if (!m_dragging && left + kSideMargin < x && x < right - kSideMargin && y < yb - kBaseMargin) {
        m_cursorArea = area;
    }
    if (m_cursorArea > -1) {
        if (AreaList()[m_cursorArea].CoPhased != 0) {
            EvalCoPhases(color);
        } else {
            m_coPhases = 0;
        }
    }
    if (MouseGrid()) {
        m_mouseGridX = x;
        m_mouseGridY = y;
        m_mouseGridRightX = Round(right);
        m_mouseGridBaseX = Round(x - left + TriangleLeft());
        m_mouseGridLeftX = x - Round((x - left) / 2);
        m_mouseGridLeftY = y - Round((x - left) * kK);
        DrawMouseGrid();
        m_mouseGridShown = true;
    } else {
        m_mouseGridShown = false;
    }
    if (ValuesTable()) DrawValuesTable(Screen());
    if (CoPhasesTable() && !m_dragging && m_cursorArea >= 0) DrawCoPhasesTable(Screen());
    ScreenChanged();
}

void TTernagram::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (!m_painted) return;
    const int yb = TriangleTop() + TriangleHeight();
    const double left = LeftEdgeX(y);
    const double right = RightEdgeX(y);
    m_zoomOutPress = false;
    if (button == TMouseButton::mbRight) {
        const bool onField = m_cursorArea != -1 && TriangleTop() + kHintMargin <= y &&
                             y <= yb - kHintMargin && left + kHintMargin <= x &&
                             x <= right - kHintMargin;
        if (onField || (m_cursorArea == -1 && m_isDivisionPoint)) {
            ShowAreaHint(x, y);
        }
    }
    if (button != TMouseButton::mbLeft || !AllowZoom()) return;
    if (y >= TriangleTop() && y <= yb && left <= x && x <= right) {
        m_dragStartX = x;
        m_dragStartY = y;
        m_dragX = x;
        EraseRubberBand();
        m_rubberBand = {};
        if (!m_zoom) m_dragging = true;
    }
    if (m_zoom) {
        m_zoomOutPress = true;
        ZoomOut();
    }
}

void TTernagram::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!m_painted) return;
    if (button == TMouseButton::mbLeft) {
        if (AllowZoom() && m_dragging) {
            if (std::abs(m_dragStartX - m_dragX) > 1) {
                ZoomIn();
                return;
            }
            m_dragging = false;
            m_rubberBandShown = false;  // the repaint takes it away
            Refresh();
        }
        // A plain click clears the mark; the click that zoomed out does not.
        if (MarkMode() && m_markedPoint.Visible && !m_dragging && !m_zoomOutPress) {
            m_markedPoint.Visible = false;
            Refresh();
            DoChange();
        }
        m_zoomOutPress = false;
        return;
    }
    if (button == TMouseButton::mbRight && m_hintShown) {
        if (!m_zoom) MarkCursorPoint();
        Invalidate();
        if (ValuesTable()) DrawValuesTable(Screen());
        if (CoPhasesTable() && !m_dragging) DrawCoPhasesTable(Screen());
        m_hintShown = false;
        ScreenChanged();
    }
}

void TTernagram::MarkCursorPoint() {
    const double toPercent = m_unitsTotal == 1 ? 100 : 1;
    m_markedPoint.A = m_cursorPoint.A * toPercent;
    m_markedPoint.B = m_cursorPoint.B * toPercent;
    m_markedPoint.C = m_cursorPoint.C * toPercent;
    m_markedPoint.T = m_cursorPoint.T;
    m_markedPoint.Visible = true;
    DoMarkPoint();
    DoChange();
}

void TTernagram::ShowAreaHint(int x, int y) {
    std::string text = DivisionPointText();
    if (!m_isDivisionPoint && m_cursorArea >= 0 && m_cursorArea < kAreaCount) {
        text = AreaList()[m_cursorArea].Name.str();
    }
    // The box opens towards the triangle's centre.
    DrawPointerTag(Canvas(), x, y, text, x > TriangleLeft() + SideLength() / 2, PixelScale());
    m_hintShown = true;
    ScreenChanged();
}

void TTernagram::DrawMouseGrid() {
    if (!MouseGrid()) return;
    TCanvas& canvas = Canvas();
    SetOverlayPen(canvas);
    canvas.MoveTo(m_mouseGridX, m_mouseGridY);
    canvas.LineTo(m_mouseGridRightX, m_mouseGridY);
    canvas.MoveTo(m_mouseGridX, m_mouseGridY);
    canvas.LineTo(m_mouseGridBaseX, TriangleTop() + TriangleHeight());
    canvas.MoveTo(m_mouseGridX, m_mouseGridY);
    canvas.LineTo(m_mouseGridLeftX, m_mouseGridLeftY);
    canvas.Pen.Mode = TPenMode::pmCopy;
}

void TTernagram::DrawRubberBand() {
    TCanvas& canvas = Canvas();
    SetOverlayPen(canvas);
    canvas.Polyline({m_rubberBand[0], m_rubberBand[1], m_rubberBand[2], m_rubberBand[0]});
    canvas.Pen.Mode = TPenMode::pmCopy;
}

void TTernagram::EraseRubberBand() {
    if (!m_rubberBandShown) return;
    DrawRubberBand();
    m_rubberBandShown = false;
}

TGoToResult TTernagram::GoToComposition(double a, double b) {
    const double toPercent = 100 / m_unitsTotal;
    const double pa = a * toPercent;
    const double pb = b * toPercent;
    const double pc = 100 - pa - pb;
    constexpr double kSlack = 1e-9;
    if (!(pa >= -kSlack && pb >= -kSlack && pc >= -kSlack)) return TGoToResult::OutsideTriangle;
    if (m_zoom && !ZoomWindow().Contains(pa, pb, pc)) return TGoToResult::OutsideZoom;
    if (!m_painted || m_hintShown) {
        m_hintShown = false;
        Refresh();
    }
    int x = 0;
    int y = 0;
    CompositionToPixel(pa, pb, x, y);
    // The field comes from the data, not from the screen: the answer must
    // not depend on the window's size or what is drawn over the fields.
    bool divisionPoint = false;
    int area = LookupArea(pa, pb, divisionPoint);
    if (area < 0) return TGoToResult::NoField;
    const TColor color = Canvas().GetNearestColor(AreaColors[area + 1]);
    m_isDivisionPoint = divisionPoint;
    if (divisionPoint) area = -1;

    m_cursorOnArea = true;
    m_cursorArea = area;
    m_cursorPoint.A = a;
    m_cursorPoint.B = b;
    m_cursorPoint.C = m_unitsTotal - a - b;
    SetCursorTemperature(area, pa, pb);
    if (area >= 0) {
        if (AreaList()[area].CoPhased != 0) {
            EvalCoPhases(color);
        } else {
            m_coPhases = 0;
        }
    }
    const TGoToResult result = m_zoom ? TGoToResult::Read : TGoToResult::Marked;
    if (!m_zoom) MarkCursorPoint();
    Refresh();
    ShowAreaHint(x, y);
    return result;
}

}  // namespace liquidus
