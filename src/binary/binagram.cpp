#include "binary/binagram.h"

#include <algorithm>
#include <cmath>

#include "canvas/rounding.h"

namespace liquidus {

namespace {
constexpr int kInitialWidth = 469;
constexpr int kInitialHeight = 322;
constexpr int kSeedPlotWidth = 260;
constexpr int kSeedPlotHeight = 220;
// A refused concentration limit is replaced by its partner moved this far.
constexpr double kReplacementGap = 10.0;

bool IsMass(TCUnits units) {
    return units == TCUnits::cuMassPercents || units == TCUnits::cuMassParts;
}

/// One composition between the mole and the mass basis of two substances;
/// `total` is what a pure B reads (100, or 1 for a fraction).
double ConvertBasis(double x, bool toMass, double massA, double massB, double total) {
    using Extended = long double;
    const Extended ex = x;
    const Extended rest = Extended{total} - ex;
    if (toMass) {
        return static_cast<double>(ex * massB * total / (ex * massB + rest * massA));
    }
    return static_cast<double>(ex / massB * total / (ex / massB + rest / massA));
}
}  // namespace

std::string BinaryUnitsCaption(TCUnits units, const std::string& nameB) {
    switch (units) {
        case TCUnits::cuMolPercents:
            return "Mole Fraction " + nameB + " in %";
        case TCUnits::cuMolParts:
            return "Mole Fraction " + nameB;
        case TCUnits::cuMassPercents:
            return "Mass Fraction " + nameB + " in %";
        case TCUnits::cuMassParts:
            return "Mass Fraction " + nameB;
    }
    return {};
}

TBinagram::TBinagram(TControlHost* host) : TBinaplot(kInitialWidth, kInitialHeight, host) {
    m_substanceA.SetOwner(this);
    m_substanceA.SetName("SubA");
    m_substanceB.SetOwner(this);
    m_substanceB.SetName("SubB");
    m_unitsCaption = BinaryUnitsCaption(m_cUnits, m_substanceB.Name());
    m_layout.PlotWidth = kSeedPlotWidth;
    m_layout.PlotHeight = kSeedPlotHeight;
    m_layout.LegendWidth = BinaryLegendWidth(Width());
    m_fullLowCLimit = 0.0;
    m_fullHighCLimit = 100.0;
    m_fullLowTLimit = 0.0;
    m_fullHighTLimit = 1000.0;
}

TBinagram::~TBinagram() = default;

void TBinagram::SetCAxisStep(int value) {
    if (value == m_cAxisStep) return;
    m_cAxisStep = value < 3 ? 2 : (value < 10 ? 5 : 10);
    Invalidate();
}

void TBinagram::SetTAxisStep(int value) {
    if (value == m_tAxisStep) return;
    m_tAxisStep = std::max(value, 10);
    Invalidate();
}

void TBinagram::SetLowCLimit(double v) {
    if (!std::isfinite(v)) return;
    if (v < 0) {
        m_lowCLimit = 0;
    } else if (v >= m_highCLimit) {
        Host().ShowMessage("Low concentration limit must be lower then high one:" +
                           FormatGeneral(v) + " not < " + FormatGeneral(m_highCLimit));
        // Kept on the axis: a high limit below 10 would otherwise push the
        // replacement under pure A.
        m_lowCLimit = std::max(m_highCLimit - kReplacementGap, 0.0);
    } else {
        m_lowCLimit = v;
    }
    if (!Zooming()) m_fullLowCLimit = m_lowCLimit;
    Invalidate();
}

void TBinagram::SetHighCLimit(double v) {
    if (!std::isfinite(v) || v == m_highCLimit) return;
    if (v > 100) {
        m_highCLimit = 100;
    } else if (v <= m_lowCLimit) {
        Host().ShowMessage("High concentration limit must be higher then low one:" +
                           FormatGeneral(v) + " not > " + FormatGeneral(m_lowCLimit));
        m_highCLimit = std::min(m_lowCLimit + kReplacementGap, 100.0);
    } else {
        m_highCLimit = v;
    }
    if (!Zooming()) m_fullHighCLimit = m_highCLimit;
    Invalidate();
}

void TBinagram::SetCUnits(TCUnits value) {
    if (Zooming() || value == m_cUnits) return;
    const bool basisChanges = IsMass(value) != IsMass(m_cUnits);
    const double massA = m_substanceA.MolMass;
    const double massB = m_substanceB.MolMass;
    if (basisChanges && !ValidMolarMasses({massA, massB, 1.0})) {
        // Dividing by such a mass would turn every stored composition into
        // garbage; keep the data and the units as they are.
        Host().ShowMessage(
            "Concentration units can not be changed: every substance needs a positive molar "
            "mass.");
        return;
    }
    const double oldTotal = m_unitsTotal;
    m_cUnits = value;
    m_unitsCaption = BinaryUnitsCaption(value, m_substanceB.Name());
    m_unitsTotal = UnitsTotalOf(value);
    const bool markShown = MarkMode() && m_markedPoint.Visible;
    if (markShown) {
        m_markedPoint.A = m_markedPoint.A / oldTotal * m_unitsTotal;
    }
    if (basisChanges) {
        ConvertCompositions(IsMass(value), massA, massB);
    }
    Invalidate();
    DoChange();
}

void TBinagram::ConvertCompositions(bool toMass, double massA, double massB) {
    m_lowCLimit = ConvertBasis(m_lowCLimit, toMass, massA, massB, 100);
    m_highCLimit = ConvertBasis(m_highCLimit, toMass, massA, massB, 100);
    m_fullLowCLimit = m_lowCLimit;
    m_fullHighCLimit = m_highCLimit;
    if (MarkMode() && m_markedPoint.Visible) {
        m_markedPoint.A = ConvertBasis(m_markedPoint.A, toMass, massA, massB, m_unitsTotal);
    }
    for (TBinaryPoint& point : m_points) {
        if (point.C >= 0 && point.C <= 100) {
            point.C = ConvertBasis(point.C, toMass, massA, massB, 100);
        }
    }
    for (int i = 0; i < Areas(); ++i) {
        TBinaryAreaRec& area = AreaList()[i];
        area.FillC = static_cast<float>(ConvertBasis(area.FillC, toMass, massA, massB, 100));
    }
}

void TBinagram::SetDataOrientation(TDataOrientation value) {
    if (Zooming() || value == m_dataOrientation) return;
    m_dataOrientation = value;
    for (TBinaryPoint& point : m_points) {
        if (point.C != kCurveSeparator) point.C = 100 - point.C;
    }
    for (int i = 0; i < Areas(); ++i) {
        TBinaryAreaRec& area = AreaList()[i];
        area.FillC = 100 - area.FillC;
    }
    // Names and molar masses change ends; Element stays with its object.
    const std::string nameA = m_substanceA.Name();
    const std::string nameB = m_substanceB.Name();
    m_substanceA.SetName(nameB);
    m_substanceB.SetName(nameA);
    std::swap(m_substanceA.MolMass, m_substanceB.MolMass);
    if (MarkMode() && m_markedPoint.Visible) {
        m_markedPoint.A = m_unitsTotal - m_markedPoint.A;
    }
    Invalidate();
    DoChange();
}

void TBinagram::SetTUnits(TTUnits value) {
    const TTUnits from = TUnits();
    if (value != from) {
        if (MarkMode() && m_markedPoint.Visible) {
            m_markedPoint.T = ConvertTemperatureLimit(m_markedPoint.T, from, value);
        }
        if (Zooming()) {
            m_zoomLimits.LowT = ConvertTemperatureLimit(m_zoomLimits.LowT, from, value);
            m_zoomLimits.HighT = ConvertTemperatureLimit(m_zoomLimits.HighT, from, value);
        }
    }
    TBinaplot::SetTUnits(value);
}

TBinaryLimits TBinagram::Limits() const {
    return {m_lowCLimit, m_highCLimit, LowTLimit(), HighTLimit()};
}

TBinaryLimits TBinagram::FullLimits() const {
    return {m_fullLowCLimit, m_fullHighCLimit, m_fullLowTLimit, m_fullHighTLimit};
}

bool TBinagram::ReservesLegendBand() const {
    return (Legend() && Areas() > 0) || ValuesTable() || CoPhasesTable();
}

void TBinagram::CalcLayout() {
    m_layout = CalcBinaryLayout(Width(), Height(), ReservesLegendBand(), PixelScale());
}

int TBinagram::CompositionToX(double c) const {
    return liquidus::CompositionToX(m_layout, Limits(), c);
}

int TBinagram::TemperatureToY(double t) const {
    return liquidus::TemperatureToY(m_layout, Limits(), t);
}

double TBinagram::XToComposition(int x) const {
    const double percent = liquidus::XToComposition(m_layout, Limits(), x);
    return m_unitsTotal == 1 ? percent * 0.01 : percent;
}

double TBinagram::YToTemperature(int y) const {
    return liquidus::YToTemperature(m_layout, Limits(), y);
}

void TBinagram::CalcZoomFrame() {
    m_zoomFrame = CalcBinaryZoomFrame(m_layout, FullLimits(), m_zoomLimits);
}

int TBinagram::FontSize(TBinaryTextRole role) const {
    const int width = NominalLength(PlotWidth());
    switch (role) {
        case TBinaryTextRole::Table:
            return FigurePoints(ScaledFontSize(width, 2, 8));
        case TBinaryTextRole::Title:
            return FigurePoints(ScaledFontSize(width, 1, 10));
        case TBinaryTextRole::UnitsCaption:
        case TBinaryTextRole::AxisNumbers:
            return FigurePoints(ScaledFontSize(width, 1, 8));
    }
    return FigurePoints(8);
}

}  // namespace liquidus
