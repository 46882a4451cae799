#include "binary/binaplot.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "canvas/rounding.h"

namespace liquidus {

namespace {

struct TUnitRange {
    double Low;
    double High;
    const char* LowMessage;
    const char* HighMessage;
};

// Limits reach down to absolute zero: a diagram file may hold liquidus
// temperatures down to -273 C, and its sections must show them.
TUnitRange RangeOf(TTUnits units) {
    switch (units) {
        case TTUnits::tuC:
            return {-273.15, 3000.0, "The lowest temperature limit is -273.15C degrees",
                    "The highest temperature limit is 3000C degrees"};
        case TTUnits::tuF:
            return {-459.67, 5432.0, "The lowest temperature limit is -459.67F degrees",
                    "The highest temperature limit is 5432F degrees"};
        case TTUnits::tuK:
            return {0.0, 3273.15, "The lowest temperature limit is 0K degrees",
                    "The highest temperature limit is 3273.15K degrees"};
    }
    return {-273.15, 3000.0, "", ""};
}

/// Conversions that raise the numbers move the high limit first, the others
/// the low one, so that the gap check between them sees two values of the
/// new unit whenever it can.
bool HighLimitFirst(TTUnits from, TTUnits to) {
    return (from == TTUnits::tuC && to != TTUnits::tuC) ||
           (from == TTUnits::tuK && to == TTUnits::tuF);
}

}  // namespace

std::string FormatGeneral(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

double ConvertTemperature(double v, TTUnits from, TTUnits to) {
    if (from == to) return v;
    switch (from) {
        case TTUnits::tuC:
            return to == TTUnits::tuF ? v * kFahrenheitFactor + kFahrenheitOffset
                                      : v + kKelvinOffset;
        case TTUnits::tuF:
            return to == TTUnits::tuC ? (v - kFahrenheitOffset) / kFahrenheitFactor
                                      : (v - kFahrenheitOffset) / kFahrenheitFactor + kKelvinOffset;
        case TTUnits::tuK:
            return to == TTUnits::tuC ? v - kKelvinOffset
                                      : (v - kKelvinOffset) * kFahrenheitFactor + kFahrenheitOffset;
    }
    return v;
}

double ConvertTemperatureLimit(double v, TTUnits from, TTUnits to) {
    const double converted = ConvertTemperature(v, from, to);
    return to == TTUnits::tuC && from != to ? Round(converted) : converted;
}

TBinaplot::TBinaplot(int width, int height, TControlHost* host)
    : TDiagram(width, height, host) {
    for (int i = 0; i < kAreaCount; ++i) {
        m_areaList[i].Name = "Identifier for Area" + std::to_string(i + 1);
    }
}

double TBinaplot::ClampToUnitRange(double v) {
    const TUnitRange range = RangeOf(m_tUnits);
    if (v < range.Low) {
        v = range.Low;
        Host().ShowMessage(range.LowMessage);
    }
    if (v > range.High) {
        v = range.High;
        Host().ShowMessage(range.HighMessage);
    }
    return v;
}

void TBinaplot::SetLowTLimit(double v) {
    // A limit that is not a number would pass every comparison below.
    if (!std::isfinite(v)) return;
    if (m_highTLimit - 100 < v) {
        Host().ShowMessage("Low temperature limit must be lower then high one:" + FormatGeneral(v) +
                           " not < " + FormatGeneral(m_highTLimit));
        return;
    }
    if (v == m_lowTLimit) return;
    v = ClampToUnitRange(v);
    m_lowTLimit = v;
    if (!m_zooming) m_fullLowTLimit = v;
    Invalidate();
}

void TBinaplot::SetHighTLimit(double v) {
    if (!std::isfinite(v)) return;
    if (m_lowTLimit + 100 > v) {
        Host().ShowMessage("High temperature limit must be higher then low one:" +
                           FormatGeneral(v) + " not > " + FormatGeneral(m_lowTLimit));
        return;
    }
    if (v == m_highTLimit) return;
    v = ClampToUnitRange(v);
    m_highTLimit = v;
    if (!m_zooming) m_fullHighTLimit = v;
    Invalidate();
}

void TBinaplot::SetTUnits(TTUnits value) {
    if (value == m_tUnits) return;
    const TTUnits from = m_tUnits;
    // Stored first: the limit setters validate in the new unit.
    m_tUnits = value;
    const double low = ConvertTemperatureLimit(m_lowTLimit, from, value);
    const double high = ConvertTemperatureLimit(m_highTLimit, from, value);
    if (HighLimitFirst(from, value)) {
        SetHighTLimit(high);
        SetLowTLimit(low);
    } else {
        SetLowTLimit(low);
        SetHighTLimit(high);
    }
    if (m_zooming) {
        // The unzoomed range is restored at zoom-out; it must be in the
        // unit the diagram then shows.
        m_fullLowTLimit = ConvertTemperatureLimit(m_fullLowTLimit, from, value);
        m_fullHighTLimit = ConvertTemperatureLimit(m_fullHighTLimit, from, value);
    }
    for (TBinaryPoint& point : m_points) {
        if (point.C >= 0 && point.C <= 100) {
            point.T = ConvertTemperature(point.T, from, value);
        }
    }
    for (int i = 0; i < Areas(); ++i) {
        TBinaryAreaRec& area = m_areaList[i];
        area.FillT = static_cast<float>(ConvertTemperature(area.FillT, from, value));
    }
    Invalidate();
    DoChange();
}

void TBinaplot::SetBoundaryPoints(std::vector<TBinaryPoint> points) {
    m_points = std::move(points);
    Invalidate();
    DoChange();
}

}  // namespace liquidus
