#pragma once
// The base control of the binary temperature-composition diagram: the
// phase-field records, the boundary points, the temperature range of the
// vertical axis with its unit, and the presentation switches. It draws
// nothing itself; TBinagram paints.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "diagram/diagram.h"
#include "model/areadata.h"
#include "model/units.h"

namespace liquidus {

enum class TGraphKind { gkHorizontal, gkVertical };

/// One phase field of the binary diagram. Its colour is AreaColors[i] for
/// record i (from 1); the record carries none.
struct TBinaryAreaRec {
    TShortString<kAreaNameLength> Name;
    std::uint8_t CoPhased = 0;  // non-zero: a two-phase field
    float FillC = 0.0f;         // fill seed: percent of substance B
    float FillT = 0.0f;         // fill seed: temperature in the current unit
};

/// Always 16 records, of which the first Areas are in use.
using TBinaryAreaList = std::array<TBinaryAreaRec, kAreaCount>;

/// One boundary point as a host hands it over. A composition of exactly -1
/// ends the current curve.
struct TBinaryPoint {
    double C = 0.0;  // percent of substance B, 0..100
    double T = 0.0;  // temperature in the current unit
};

/// Composition that separates two boundary curves.
constexpr double kCurveSeparator = -1.0;

/// Shortest general decimal form with up to 15 significant digits and a
/// point whatever the locale ("950", "273.15"), as the limit messages show
/// numbers.
std::string FormatGeneral(double value);

/// A temperature limit in another unit; conversions into Celsius round to
/// whole degrees (halves to even).
double ConvertTemperatureLimit(double value, TTUnits from, TTUnits to);
/// Any other stored temperature in another unit, unrounded.
double ConvertTemperature(double value, TTUnits from, TTUnits to);

/// The binary diagram's data and switches; TBinagram paints them.
class TBinaplot : public TDiagram {
public:
    TBinaplot(int width, int height, TControlHost* host = nullptr);

    bool PlotZoomed() const override { return m_zooming; }

    // Published properties.
    TGraphKind GraphKind() const { return m_graphKind; }
    void SetGraphKind(TGraphKind value) { Assign(m_graphKind, value); }
    double LowTLimit() const { return m_lowTLimit; }
    /// Refused with a message unless at least 100 degrees below HighTLimit;
    /// clamped into the unit's range with a message.
    void SetLowTLimit(double value);
    double HighTLimit() const { return m_highTLimit; }
    /// Refused with a message unless at least 100 degrees above LowTLimit;
    /// clamped into the unit's range with a message.
    void SetHighTLimit(double value);
    TTUnits TUnits() const { return m_tUnits; }
    /// Converts the limits (through their setters), the boundary-point
    /// temperatures and the fill-seed temperatures.
    virtual void SetTUnits(TTUnits value);

    /// True while a zoomed window of the diagram is shown.
    bool Zooming() const { return m_zooming; }
    /// Temperature limits of the unzoomed diagram.
    double FullLowTLimit() const { return m_fullLowTLimit; }
    double FullHighTLimit() const { return m_fullHighTLimit; }

    /// The 16 phase-field records; hosts write them in place (index 0..15).
    TBinaryAreaList& AreaList() { return m_areaList; }
    const TBinaryAreaList& AreaList() const { return m_areaList; }

    /// Takes over the boundary points, curve by curve with separators
    /// between them. The control keeps its own copy.
    void SetBoundaryPoints(std::vector<TBinaryPoint> points);
    const std::vector<TBinaryPoint>& BoundaryPoints() const { return m_points; }
    double CValues(int i) const { return m_points.at(i).C; }
    double TValues(int i) const { return m_points.at(i).T; }
    /// Index of the last boundary point; -1 when there are none.
    int LastIndex() const { return static_cast<int>(m_points.size()) - 1; }

protected:
    /// Set and cleared by the zoom logic; while set, limit changes leave the
    /// full-range copies alone.
    void SetZooming(bool value) { m_zooming = value; }

    std::vector<TBinaryPoint> m_points;
    double m_fullLowTLimit = 0.0;
    double m_fullHighTLimit = 1000.0;

private:
    /// Clamps a limit into the current unit's range, with a message for
    /// each bound crossed.
    double ClampToUnitRange(double value);

    TBinaryAreaList m_areaList;
    TGraphKind m_graphKind = TGraphKind::gkHorizontal;
    double m_lowTLimit = 0.0;
    double m_highTLimit = 1000.0;
    TTUnits m_tUnits = TTUnits::tuC;
    bool m_zooming = false;
};

}  // namespace liquidus
