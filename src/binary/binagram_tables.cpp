// The legend, the values table, the co-existing phases table and the mouse
// crosshair. The tables are drawn over a finished picture, on the screen
// between paints too, so each sets up the canvas state it needs.

#include <algorithm>

#include "binary/binagram.h"
#include "canvas/rounding.h"
#include "model/format.h"

namespace liquidus {

namespace {
constexpr std::size_t kCompositionTextLength = 18;

const char* UnitLetter(TTUnits units) {
    switch (units) {
        case TTUnits::tuC:
            return "C";
        case TTUnits::tuK:
            return "K";
        case TTUnits::tuF:
            return "F";
    }
    return "";
}
}  // namespace

int TBinagram::WidestAreaName(const TCanvas& canvas) const {
    // Record 1 counts even with no field in use, so a table has a width.
    int widest = canvas.TextWidth(AreaList()[0].Name);
    for (int i = 1; i < Areas(); ++i) {
        widest = std::max(widest, canvas.TextWidth(AreaList()[i].Name));
    }
    return widest;
}

int TBinagram::LegendRows() const {
    if (m_legendAreas.empty()) return Areas();
    return static_cast<int>(std::count_if(m_legendAreas.begin(), m_legendAreas.end(),
                                          [this](int r) { return r >= 0 && r < Areas(); }));
}

void TBinagram::DrawLegend(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    SetTableState(canvas, FontSize(TBinaryTextRole::Table));
    const int hw = canvas.TextWidth("H");
    const int th = canvas.TextHeight("H");
    std::vector<int> rows;
    for (int r : m_legendAreas) {
        if (r >= 0 && r < Areas()) rows.push_back(r);
    }
    if (m_legendAreas.empty()) {
        for (int r = 0; r < Areas(); ++r) rows.push_back(r);
    }
    const int n = static_cast<int>(rows.size());
    const int w = 5 * hw + WidestAreaName(canvas);
    const int x0 = PlotRight() + 3 * hw;
    const int y0 = PlotTop() - 2 * th;
    const int shadowLeft = PlotRight() + Trunc(3.5 * hw);
    DrawShadowedBox(canvas, {x0, y0, x0 + w, y0 + th * (n + 1)}, shadowLeft, y0 + Trunc(0.5 * th),
                    y0 + th * (n + 1), y0 + Trunc(th * (n + 1.5)));
    for (int i = 1; i <= n; ++i) {
        const int record = rows[static_cast<std::size_t>(i - 1)];
        canvas.Brush.Color = canvas.GetNearestColor(AreaColors[record + 1]);
        canvas.Rectangle(PlotRight() + 4 * hw, y0 + Trunc(th * (i - 0.45)), PlotRight() + 6 * hw,
                         y0 + Trunc(th * (i + 0.45)));
        canvas.Brush.Color = clWhite;
        canvas.TextOut(PlotRight() + 7 * hw, y0 + Trunc(th * (i - 0.5)), AreaList()[record].Name);
    }
}

void TBinagram::DrawValuesTable(TBitmap& bitmap) {
    const bool marked = MarkMode() && m_markedPoint.Visible;
    if (!marked && !m_cursorOnArea) return;
    const TFullDataPoint& point = marked ? m_markedPoint : m_cursorPoint;
    TCanvas& canvas = bitmap.Canvas();
    SetTableState(canvas, FontSize(TBinaryTextRole::Table));
    const int hw = canvas.TextWidth("H");
    const int th = canvas.TextHeight("H");
    const std::string composition =
        FormatFixed(point.A, m_unitsTotal == 100 ? 1 : 3).substr(0, kCompositionTextLength);
    const std::string line = m_substanceB.Name() + ": " + composition +
                             ", T: " + FormatFixed(point.T, 2) + UnitLetter(TUnits());
    if (m_fitValuesTable) {
        DrawFittedValuesTable(canvas, bitmap.Width(), m_substanceB.Name() + ": " + composition,
                              "T: " + FormatFixed(point.T, 2) + UnitLetter(TUnits()));
        return;
    }
    const int w = 5 * hw + WidestAreaName(canvas);
    const int x0 = PlotRight() + 3 * hw;
    const int shadowLeft = PlotRight() + Trunc(3.5 * hw);
    const int bottom = PlotBottom() + 2 * th;
    DrawShadowedBox(canvas, {x0, PlotBottom(), x0 + w, bottom}, shadowLeft,
                    bottom - Trunc(1.5 * th), bottom + Trunc(0.5 * th), bottom + Trunc(0.5 * th));
    canvas.TextOut(PlotRight() + 4 * hw, bottom - Trunc(1.5 * th), line);
}

void TBinagram::DrawFittedValuesTable(TCanvas& canvas, int pictureWidth,
                                      const std::string& composition,
                                      const std::string& temperature) {
    const int hw = canvas.TextWidth("H");
    const int th = canvas.TextHeight("H");
    // The box is sized for the widest reading, so that one drawn over
    // another between paints covers it whole.
    const std::string widestComposition =
        m_substanceB.Name() + ": " + (m_unitsTotal == 100 ? "100.0" : "1.000");
    const std::string widestTemperature = std::string("T: 00000.00") + UnitLetter(TUnits());
    // One line where the picture has room for it, else two.
    const int room = pictureWidth - Px(1) - hw / 2 - (PlotRight() + 3 * hw);
    const bool split =
        canvas.TextWidth(widestComposition + ", " + widestTemperature) + 2 * hw > room;
    const std::vector<std::string> lines =
        split ? std::vector<std::string>{composition, temperature}
              : std::vector<std::string>{composition + ", " + temperature};
    const int textWidth =
        split ? std::max(canvas.TextWidth(widestComposition), canvas.TextWidth(widestTemperature))
              : canvas.TextWidth(widestComposition + ", " + widestTemperature);
    const int w = std::max(5 * hw + WidestAreaName(canvas), textWidth + 2 * hw);
    // A box wider than the band moves left rather than out of the picture.
    const int x0 = std::max(0, std::min(PlotRight() + 3 * hw, pictureWidth - Px(1) - hw / 2 - w));
    const int rows = static_cast<int>(lines.size());
    const int top = PlotBottom();
    const int bottom = top + (rows + 1) * th;
    DrawShadowedBox(canvas, {x0, top, x0 + w, bottom}, x0 + hw / 2, top + th / 2,
                    bottom + th / 2, bottom + th / 2);
    for (int i = 0; i < rows; ++i) {
        canvas.TextOut(x0 + hw, top + th / 2 + i * th, lines[static_cast<std::size_t>(i)]);
    }
}

void TBinagram::DrawCoPhasesTable(TBitmap& bitmap) {
    if (Zooming()) return;
    TCanvas& canvas = bitmap.Canvas();
    SetTableState(canvas, FontSize(TBinaryTextRole::Table));
    const int hw = canvas.TextWidth("H");
    const int th = canvas.TextHeight("H");
    const int w = std::max(5 * hw + WidestAreaName(canvas),
                           canvas.TextWidth("Chemical Composition:") + 2 * hw);
    const int x0 = PlotRight() + 3 * hw;
    const int y0 = PlotTop() - 2 * th;
    const int r = Legend() ? LegendRows() : -2;
    const bool marked = MarkMode() && m_markedPoint.Visible;
    const TFullDataPoint* point = nullptr;
    if (marked && m_markedPoint.CoPhases == 2) {
        point = &m_markedPoint;
    } else if (!marked && !m_atDivisionPoint && m_cursorPoint.CoPhases == 2) {
        point = &m_cursorPoint;
    }
    if (point == nullptr) {
        if (m_coPhasesShown) {
            canvas.Pen.Color = Paper();
            canvas.Brush.Color = Paper();
            canvas.Rectangle(x0, y0 + (r + 2) * th, bitmap.Width() - Px(1), y0 + (r + 8) * th);
            canvas.Pen.Color = clBlack;
            canvas.Brush.Color = clWhite;
            m_coPhasesShown = false;
        }
        return;
    }
    const int shadowLeft = PlotRight() + Trunc(3.5 * hw);
    DrawShadowedBox(canvas, {x0, y0 + (r + 2) * th, x0 + w, y0 + (r + 7) * th}, shadowLeft,
                    y0 + Trunc(th * (r + 2.5)), y0 + Trunc(th * (r + 7.5)),
                    y0 + Trunc(th * (r + 7.5)));
    const std::string rows[4] = {
        "Chemical Composition:",
        "Ph1: " + FormatFixed(point->Phase1Value, 2) +
            ", Ph2: " + FormatFixed(point->Phase2Value, 2) + " ",
        "Phases Ratio:",
        "Ph1: " + FormatFixed(point->Phase1Ratio, 2) +
            ", Ph2: " + FormatFixed(point->Phase2Ratio, 2),
    };
    for (int j = 0; j < 4; ++j) {
        canvas.TextOut(PlotRight() + 4 * hw, y0 + Trunc(th * (r + 2.5 + j)), rows[j]);
    }
    m_coPhasesShown = true;
}

void TBinagram::DrawCrosshair() {
    TCanvas& canvas = Canvas();
    SetOverlayPen(canvas);
    canvas.MoveTo(PlotLeft(), m_crosshair.Y);
    canvas.LineTo(PlotRight(), m_crosshair.Y);
    canvas.MoveTo(m_crosshair.X, PlotTop());
    canvas.LineTo(m_crosshair.X, PlotBottom());
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Pen.Width = 1;
}

}  // namespace liquidus
