// Isotherms: a lattice of compositions is walked over the freshly filled
// picture, each lattice point takes the temperature of the field under it,
// and points near a level are collected, put into path order, smoothed and
// thinned. The lists hold compositions, so they outlive resizes and follow
// unit and orientation changes (ternagram_frame.cpp).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "canvas/rounding.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

constexpr int kLabelSizeOffset = 2;
constexpr int kLabelSizeMost = 7;
/// Consecutive points of a polyline farther apart than this are not joined.
constexpr double kPolylineGap = 10.0;
/// Temperatures beyond this are no liquidus a level could match; they are
/// kept away from the integer rounding.
constexpr double kLargestTemperature = 1e9;

long long FloorDiv(long long x, long long d) {
    return x >= 0 ? x / d : -((-x + d - 1) / d);
}
long long CeilDiv(long long x, long long d) {
    return -FloorDiv(-x, d);
}

/// The field of every usable colour seen on one scan row. Between rows the
/// scan yields, and whatever changes then (fields, colours) is read afresh.
class TFieldOfColor {
public:
    void Clear() { m_entries.clear(); }
    const int* Find(TColor color) const {
        for (const auto& [c, field] : m_entries) {
            if (c == color) return &field;
        }
        return nullptr;
    }
    void Add(TColor color, int field) { m_entries.emplace_back(color, field); }

private:
    std::vector<std::pair<TColor, int>> m_entries;
};

}  // namespace

void TTernagram::Invalidate() {
    if (m_isoScanRows > 0) m_invalidatedDuringScan = true;
    TTernaplot::Invalidate();
}

void TTernagram::CalcIsotherms(TBitmap& bitmap) {
    if (Areas() == 0 || m_zoom || IsTooSmall()) return;
    if (!m_isotherms.Calculated) {
        // A calculation further up the stack is yielding: it asks for the
        // next paint when it ends, and that paint calculates afresh.
        if (m_isoScanRows > 0) return;
        CalculateIsotherms(bitmap);
        if (!m_isotherms.Calculated) return;
    }
    if (m_zoom) return;  // zoomed while the calculation yielded
    DrawIsothermLists(bitmap);
}

TIsothermLevels TTernagram::DataIsothermLevels() const {
    // Every record's vertex temperatures count, used or not (0 is no value).
    int tmin = 5000;
    int tmax = 0;
    bool any = false;
    for (const TAreaData& area : AreaList()) {
        for (int p = 1; p <= kMaxAreaPoints; ++p) {
            const int t = area.Points[p].T;
            if (t == 0) continue;
            any = true;
            tmin = std::min(tmin, t);
            tmax = std::max(tmax, t);
        }
    }
    if (!any) tmin = 0;
    return IsothermLevels(IsothermUnitTemperature(tmin, m_tUnits),
                          IsothermUnitTemperature(tmax, m_tUnits));
}

void TTernagram::CalculateIsotherms(TBitmap& bitmap) {
    SetCursor(TCursor::crHourGlass);
    const TTUnits units = m_tUnits;
    const TIsothermLevels levels = DataIsothermLevels();
    m_isotherms.MinLevel = levels.MinLevel;
    m_isotherms.MaxLevel = levels.MaxLevel;
    m_isotherms.LevelCount = levels.LevelCount;
    // Set before the scan: a paint while it yields draws what is collected.
    m_isotherms.Calculated = true;
    m_isoLists.Reset(levels.LevelCount);

    // The scan reads the picture it was given, in the layout that picture
    // was drawn in, whatever a paint during a yield does to the layout.
    const TTriangleLayout layout = m_layout;
    const bool divisionPoint = m_isDivisionPoint;
    const float step = m_isotherms.MethodStep();
    const int rows = Round(100.0 / step) - 1;
    const long long error = m_isotherms.Error();
    const long long hot = m_hotIsotherm;
    m_isoScanRows = std::max(rows, 1);
    m_invalidatedDuringScan = false;
    struct TScanEnd {
        TTernagram& diagram;
        bool finished = false;
        ~TScanEnd() {
            diagram.m_isoScanRows = 0;
            diagram.m_isoScanRow = 0;
            // Lists cut short by a failure are not results.
            if (!finished) diagram.m_isotherms.Calculated = false;
        }
    } scanEnd{*this};

    const TCanvas& canvas = bitmap.Canvas();
    TFieldOfColor fieldOf;
    const auto usable = [this](TColor c) {
        return c != clBlack && c != kInvalidColor && c != m_isotherms.Color() &&
               c != m_hotIsothermColor;
    };
    for (int i = 1; i <= rows; ++i) {
        const double b = 100 - i * double{step};
        m_isoScanRow = i;
        DoIsothermCalcStep();
        Host().ProcessMessages();
        fieldOf.Clear();
        for (int j = 1; j <= i - 1; ++j) {
            const double a = (100 - b) - j * double{step};
            int x = 0;
            int y = 0;
            liquidus::CompositionToPixel(layout, nullptr, a, b, x, y);
            TColor color = canvas.Pixel(x, y);
            while (color == clBlack) color = canvas.Pixel(++x, y);
            // A usable colour names its field wherever it is seen.
            int field = -1;
            if (!usable(color)) {
                field = AreaAtPixel(canvas, x, y, color);
            } else if (const int* known = fieldOf.Find(color)) {
                field = *known;
            } else {
                field = AreaAtPixel(canvas, x, y, color);
                fieldOf.Add(color, field);
            }
            if (field < 0) continue;
            const std::optional<double> celsius = AreaTemperature(field, a, b);
            if (!celsius || !(std::fabs(*celsius) < kLargestTemperature)) continue;
            const long long t = IsothermUnitTemperature(Round(*celsius), units);
            const TIsoPoint point{static_cast<float>(a), static_cast<float>(b)};
            // Regular levels within the error, lowest first, then the hot one.
            const long long first =
                std::max<long long>(0, CeilDiv(t - error - levels.MinLevel, kIsothermLevelSpacing));
            const long long last =
                std::min<long long>(levels.LevelCount - 1,
                                    FloorDiv(t + error - levels.MinLevel, kIsothermLevelSpacing));
            for (long long level = first; level <= last; ++level) {
                m_isoLists.Append(static_cast<int>(level) + 1, point);
            }
            if (hot - error <= t && t <= hot + error) {
                m_isoLists.Append(levels.LevelCount + 1, point);
            }
        }
    }
    scanEnd.finished = true;
    m_isoScanRows = 0;
    m_isDivisionPoint = divisionPoint;
    m_layout = layout;
    SetCursor(TCursor::crDefault);
    if (m_isotherms.Calculated) {
        ShapeIsothermLists();
    }
    // A change made while the scan yielded: its paint was spent during the
    // scan (or found the results out of date), so ask for another.
    if (m_invalidatedDuringScan || !m_isotherms.Calculated) {
        m_invalidatedDuringScan = false;
        Invalidate();
    }
}

void TTernagram::ShapeIsothermLists() {
    TIsotherm& iso = m_isotherms;
    for (int k = 1; k <= m_isoLists.ListCount(); ++k) {
        std::vector<TIsoPoint>& points = m_isoLists.IsoPoints[k];
        int& count = m_isoLists.IsoCounts[k];
        m_isoLists.IsoRemoved[k] = OrderIsothermPath(points, count);
        count -= m_isoLists.IsoRemoved[k];
        if (count < kIsoShapeMinPoints) continue;
        if (iso.Smoothed()) {
            for (int pass = 0; pass < iso.SmoothedTimes(); ++pass) SmoothIsotherm(points, count);
        }
        if (iso.Simplified()) {
            for (int pass = 0; pass < iso.SimplifiedTimes(); ++pass) {
                count = ThinIsotherm(points, count);
            }
        }
    }
}

bool TTernagram::IsothermListsFollowChange() {
    if (m_isoScanRows > 0) {
        // The scan goes on in the old basis: what it collects is out of date.
        m_isotherms.Calculated = false;
        return false;
    }
    return m_isotherms.Calculated;
}

int TTernagram::IsothermLabelSize() const {
    const int side = NominalLength(SideLength());
    const int t = side > 0 ? Trunc(std::sqrt(side / 3.0)) : 0;
    return FigurePoints(std::clamp(t - kLabelSizeOffset, 1, kLabelSizeMost));
}

void TTernagram::DrawIsothermLists(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    const TIsotherm& iso = m_isotherms;
    const int lists = std::min(iso.LevelCount + 1, m_isoLists.ListCount());
    for (int k = 1; k <= lists; ++k) {
        const bool hot = k == iso.LevelCount + 1;
        const int level = hot ? m_hotIsotherm : iso.MinLevel + kIsothermLevelSpacing * (k - 1);
        if (!hot && level / iso.Step() * iso.Step() != level) continue;
        const std::vector<TIsoPoint>& points = m_isoLists.IsoPoints[k];
        const int count = m_isoLists.IsoCounts[k];
        const auto pixel = [&](int j) {
            TPoint p;
            liquidus::CompositionToPixel(m_layout, nullptr, points[j].A, points[j].B, p.X, p.Y);
            return p;
        };
        canvas.Pen.Color = hot ? m_hotIsothermColor : iso.Color();
        canvas.Pen.Width = iso.Width();
        canvas.Pen.Mode = TPenMode::pmCopy;
        for (int j = 1; j <= count; ++j) {
            const TPoint p = pixel(j);
            switch (iso.GraphType()) {
                case TIsothermType::itPoints:
                    canvas.Ellipse(p.X - Px(1), p.Y - Px(1), p.X + Px(1), p.Y + Px(1));
                    break;
                case TIsothermType::itPolyline:
                    if (j == 1 || IsoDistance(points[j], points[j - 1]) > kPolylineGap) {
                        canvas.MoveTo(p.X, p.Y);
                    } else {
                        canvas.LineTo(p.X, p.Y);
                    }
                    break;
                case TIsothermType::itSpline:
                    break;  // no curve through isotherm points
            }
        }
        if (!iso.Signed()) continue;
        canvas.Font.Name = "Arial";
        canvas.Font.Size = IsothermLabelSize();
        canvas.Font.Color = clBlack;
        canvas.Font.Bold = false;
        canvas.Font.Italic = true;
        canvas.Brush.Color = clWhite;
        char text[16];
        std::snprintf(text, sizeof text, "%d", level);
        const int width = canvas.TextWidth(text);
        const int height = canvas.TextHeight(text);
        for (int j = iso.SignStep(); j <= count; j += iso.SignStep()) {
            const TPoint p = pixel(j);
            canvas.TextOut(p.X - width / 2, p.Y - height / 2, text);
        }
    }
}

}  // namespace liquidus
