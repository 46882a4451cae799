// The legend, the values table and the co-phases table.

#include <algorithm>
#include <cmath>

#include "canvas/rounding.h"
#include "model/format.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {
constexpr std::size_t kValueTextLength = 20;
constexpr std::size_t kTemperatureRowLength = 23;
constexpr std::size_t kPhaseRowLength = 29;
}  // namespace

int TTernagram::WidestAreaName(const TCanvas& canvas) const {
    int widest = 0;
    for (int i = 0; i < Areas(); ++i) {
        widest = std::max(widest, canvas.TextWidth(AreaList()[i].Name));
    }
    return widest;
}

void TTernagram::DrawLegend(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    SetTableState(canvas, FontSize(TTextRole::Table));
    const int w = canvas.TextWidth("H");
    const int h = canvas.TextHeight("H");
    const int n = Areas();
    const int l = TriangleLeft();
    const int s = SideLength();
    const int p = 5 * w + WidestAreaName(canvas);
    const int x1 = l + s + w;
    const int y1 = TriangleTop() - 2 * h;
    DrawShadowedBox(canvas, {x1, y1, x1 + p, y1 + h * (n + 1)}, l + s + Trunc(w * 1.5),
                    y1 + Trunc(h * 0.5), y1 + h * (n + 1), y1 + Trunc(h * (n + 1.5)));
    for (int i = 1; i <= n; ++i) {
        canvas.Brush.Color = canvas.GetNearestColor(AreaColors[i]);
        canvas.Rectangle(l + s + 2 * w, y1 + Trunc(h * (i - 0.45)), l + s + 4 * w,
                         y1 + Trunc(h * (i + 0.45)));
        canvas.Brush.Color = clWhite;
        canvas.Font.Color = clBlack;
        canvas.TextOut(l + s + 5 * w, y1 + Trunc(h * (i - 0.5)), AreaList()[i - 1].Name);
    }
}

std::string TTernagram::ValuesTableShare(bool marked, double value) const {
    std::string text;
    if (m_unitsTotal == 100) {
        text = FormatFixed(value, 3);
    } else {
        // The marked point holds percent; the cursor point display units.
        text = FormatFixed(marked ? value / 100 : value, 5);
    }
    return text.substr(0, kValueTextLength);
}

TRect TTernagram::ValuesTableBox(TCanvas& measure) const {
    SetTableState(measure, FontSize(TTextRole::Table));
    const int w = measure.TextWidth("0");
    const int h = measure.TextHeight("0");
    const int names = std::max({measure.TextWidth(m_substanceA.BaseName),
                                measure.TextWidth(m_substanceB.BaseName),
                                measure.TextWidth(m_substanceC.BaseName)});
    const int d = (m_unitsTotal == 100 ? 6 : 7) * w;
    const int box = 2 * w + std::max(names + d, measure.TextWidth("T: 0000C"));
    const int xr = TriangleLeft() + SideLength();
    return {xr - box, TriangleTop(), xr + w / 2, TriangleTop() + Trunc(h * 5.5)};
}

void TTernagram::DrawValuesTable(TBitmap& bitmap) {
    const bool marked = MarkMode() && m_markedPoint.Visible;
    if (!marked && !m_cursorOnArea) {
        return;
    }
    const TFullDataPoint& source = marked ? m_markedPoint : m_cursorPoint;
    TCanvas& canvas = bitmap.Canvas();
    SetTableState(canvas, FontSize(TTextRole::Table));
    const int w = canvas.TextWidth("0");
    const int h = canvas.TextHeight("0");
    const int t = TriangleTop();
    const int names = std::max({canvas.TextWidth(m_substanceA.BaseName),
                                canvas.TextWidth(m_substanceB.BaseName),
                                canvas.TextWidth(m_substanceC.BaseName)});
    const int d = (m_unitsTotal == 100 ? 6 : 7) * w;
    const int column = std::max(names + d, canvas.TextWidth("T: 0000C"));
    const int box = 2 * w + column;
    const int xr = TriangleLeft() + SideLength();
    canvas.Brush.Color = clWhite;
    canvas.Rectangle(xr - box, t, xr, t + 5 * h);
    canvas.Brush.Color = clBlack;
    canvas.Rectangle(xr, t + h / 2, xr + w / 2, t + 5 * h);
    canvas.Rectangle(xr - box + w / 2, t + 5 * h, xr + w / 2, t + Trunc(h * 5.5));
    canvas.Brush.Color = clWhite;
    const int x = xr - box + w;
    const int y = t + h / 2;
    const std::string* names3[3] = {&m_substanceA.BaseName, &m_substanceB.BaseName,
                                    &m_substanceC.BaseName};
    const double values[3] = {source.A, source.B, source.C};
    for (int j = 0; j < 3; ++j) {
        canvas.TextOut(x + d, y + j * h, *names3[j]);
        canvas.TextOut(x, y + j * h, ValuesTableShare(marked, values[j]));
    }
    std::string temperature = FormatTemperature(source.T, m_tUnits);
    // The unit letter stays; only an absurdly long number is cut.
    const std::string number = temperature.substr(0, temperature.size() - 1);
    temperature = number.substr(0, kValueTextLength) + temperature.back();
    canvas.TextOut(x, y + 3 * h, ("T: " + temperature).substr(0, kTemperatureRowLength));
}

void TTernagram::DrawCoPhasesTable(TBitmap& bitmap) {
    if (m_zoom) {
        return;
    }
    TCanvas& canvas = bitmap.Canvas();
    SetTableState(canvas, FontSize(TTextRole::Table));
    const int w = canvas.TextWidth("H");
    const int h = canvas.TextHeight("H");
    const int l = TriangleLeft();
    const int s = SideLength();
    const int p = std::max(5 * w + WidestAreaName(canvas),
                           canvas.TextWidth("Chemical structure:") + 2 * w);
    const int r = Legend() ? Areas() : -2;
    const int y1 = TriangleTop() - 2 * h;
    const int x1 = l + s + w;
    if (m_coPhases == 2) {
        DrawShadowedBox(canvas, {x1, y1 + (r + 2) * h, x1 + p, y1 + (r + 10) * h},
                        l + s + Trunc(w * 1.5), y1 + Trunc(h * (r + 2.5)),
                        y1 + Trunc(h * (r + 10.5)), y1 + Trunc(h * (r + 10.5)));
        std::string phase = "Ph: ";
        if (m_cursorArea >= 0 && m_cursorArea < kAreaCount) {
            phase += AreaList()[m_cursorArea].Name.str();
        }
        const std::string rows[7] = {phase.substr(0, kPhaseRowLength),
                                     "Chemical structure:",
                                     "Ph1: ...",
                                     "Ph2: ...",
                                     "Phases ratio:",
                                     "Ph1: ...",
                                     "Ph2: ..."};
        for (int j = 0; j < 7; ++j) {
            canvas.TextOut(l + s + 2 * w, y1 + Trunc(h * (r + 2.5 + j)), rows[j]);
        }
    }
    if (!(m_coPhases >= 2 && !m_isDivisionPoint)) {
        canvas.Pen.Color = PaperColor();
        canvas.Brush.Color = PaperColor();
        canvas.Rectangle(x1, y1 + (r + 2) * h, bitmap.Width() - 1, y1 + (r + 11) * h);
        canvas.Pen.Color = clBlack;
        canvas.Brush.Color = clWhite;
    }
}

}  // namespace liquidus
