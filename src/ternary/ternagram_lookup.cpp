// Look-ups of a composition's field and liquidus temperature that do not
// depend on the window: the field is read from a map of one fixed size,
// drawn from the data alone.

#include <QScopedValueRollback>
#include <cmath>
#include <cstring>
#include <optional>

#include "canvas/bltbitmap.h"
#include "canvas/rounding.h"
#include "ternary/datahash.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {
// A side of 1600 pixels puts a pixel at 1/16 of a percent: far finer than
// any data a diagram is drawn from, and a map of about 9 MB.
constexpr int kLookupSide = 1600;
constexpr int kLookupMargin = 8;
// How far from a line, the outline or a corner a composition looks for the
// field beside it (map pixels). At a corner the 2-pixel outline and the
// 60-degree angle keep the nearest open pixel about 4 pixels away.
constexpr int kLookupReach = 6;

}  // namespace

TTriangleLayout TTernagram::LookupLayout() {
    TTriangleLayout l;
    l.TriangleLeft = kLookupMargin;
    l.TriangleTop = kLookupMargin;
    l.SideLength = kLookupSide;
    l.TriangleHeight = Round(kLookupSide * kSqrt3Half);
    l.LegendWidth = 0;
    return l;
}

const TBitmap& TTernagram::LookupMap() {
    // Hosts write the field records in place, so the map cannot be told
    // when they change: it remembers what it was drawn from instead.
    TDataHash key;
    key.Add(Areas());
    for (int i = 0; i < Areas(); ++i) {
        key.Add(AreaList()[i].FillA);
        key.Add(AreaList()[i].FillB);
    }
    key.Add(m_splinesHigh);
    const std::size_t pairs = std::min<std::size_t>(m_splinesA.size(), m_splinesB.size());
    key.Add(m_splinesA.data(), pairs * sizeof(double));
    key.Add(m_splinesB.data(), pairs * sizeof(double));
    if (m_lookupMap && key.Value() == m_lookupKey) return *m_lookupMap;

    const TTriangleLayout layout = LookupLayout();
    const int width = layout.SideLength + 2 * layout.TriangleLeft;
    const int height = layout.TriangleHeight + 2 * layout.TriangleTop;
    auto map = std::make_unique<TBitmap>(width, height);
    map->SetSystemColorResolver(Screen().SystemColorResolver());
    // Drawn unzoomed in its own layout; the screen's layout and zoom come
    // back on every path, so the mouse keeps reading what is on screen.
    const QScopedValueRollback ownLayout(m_layout, layout);
    const QScopedValueRollback unzoomed(m_zoom, false);
    ClearBitmap(*map);
    DrawBackground(*map, {0, 0, width, height});
    DrawBoundaries(*map);
    FillAreas(*map);
    m_lookupMap = std::move(map);
    m_lookupKey = key.Value();
    return *m_lookupMap;
}

int TTernagram::LookupArea(double a, double b, bool& divisionPoint) {
    divisionPoint = false;
    const TBitmap& map = LookupMap();
    const TCanvas& canvas = map.Canvas();
    const TTriangleLayout layout = LookupLayout();
    const auto fieldAt = [&](int x, int y) {
        if (!liquidus::IsInsideTriangle(layout, x, y)) return -1;
        const TColor color = canvas.Pixel(x, y);
        for (int i = Areas() - 1; i >= 0; --i) {
            if (canvas.GetNearestColor(AreaColors[i + 1]) == color) return i;
        }
        return -1;
    };
    int x = 0;
    int y = 0;
    liquidus::CompositionToPixel(layout, nullptr, a, b, x, y);
    if (const int area = fieldAt(x, y); area >= 0) return area;
    // On a line, the outline or a corner: the fields nearest to it decide,
    // and two of them (about equally near) make a division point.
    int nearest = -1;
    int best = kLookupReach * kLookupReach + 1;
    for (int dy = -kLookupReach; dy <= kLookupReach; ++dy) {
        for (int dx = -kLookupReach; dx <= kLookupReach; ++dx) {
            const int d = dx * dx + dy * dy;
            if (d < best && fieldAt(x + dx, y + dy) >= 0) {
                best = d;
                nearest = fieldAt(x + dx, y + dy);
            }
        }
    }
    if (nearest < 0) return -1;
    const double near = std::sqrt(static_cast<double>(best)) + 1.5;
    for (int dy = -kLookupReach; dy <= kLookupReach; ++dy) {
        for (int dx = -kLookupReach; dx <= kLookupReach; ++dx) {
            if (std::sqrt(static_cast<double>(dx * dx + dy * dy)) > near) continue;
            const int area = fieldAt(x + dx, y + dy);
            if (area >= 0 && area != nearest) divisionPoint = true;
        }
    }
    return nearest;
}

TLiquidusReading TTernagram::LiquidusAt(double a, double b) {
    TLiquidusReading reading;
    // Stored compositions are percent of the current basis.
    const double total = UnitsTotal();
    a = a * 100 / total;
    b = b * 100 / total;
    constexpr double kSlack = 1e-9;
    reading.InTriangle = a >= -kSlack && b >= -kSlack && 100 - a - b >= -kSlack;
    if (!reading.InTriangle) return reading;
    // A zoomed picture shows no field outside its window.
    if (m_zoom && !ZoomWindow().Contains(a, b, 100 - a - b)) return reading;
    reading.Area = LookupArea(a, b, reading.DivisionPoint);
    if (reading.Area < 0) return reading;
    if (const std::optional<double> celsius = AreaTemperature(reading.Area, a, b)) {
        reading.Temperature = TemperatureInUnits(*celsius, m_tUnits);
    }
    return reading;
}

}  // namespace liquidus
