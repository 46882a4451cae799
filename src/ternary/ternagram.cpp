#include "ternary/ternagram.h"

#include <algorithm>
#include <cmath>

#include "canvas/rounding.h"
#include "isotherms/altitude.h"
#include "isotherms/meanvalue.h"

namespace liquidus {

namespace {
constexpr int kInitialWidth = 469;
constexpr int kInitialHeight = 322;
constexpr int kInitialSideLength = 260;
constexpr int kInitialTriangleHeight = 220;
}  // namespace

TTernagram::TTernagram(TControlHost* host) : TTernaplot(kInitialWidth, kInitialHeight, host) {
    m_substanceA.SetOwner(this);
    m_substanceA.SetName("SubA");
    m_substanceA.BaseName = "SubA";
    m_substanceB.SetOwner(this);
    m_substanceB.SetName("SubB");
    m_substanceB.BaseName = "SubB";
    m_substanceC.SetOwner(this);
    m_substanceC.SetName("SubC");
    m_substanceC.BaseName = "SubC";
    m_isotherms.SetOwner(this);
    m_unitsCaption = UnitsCaptionOf(m_cUnits);
    m_layout.SideLength = kInitialSideLength;
    m_layout.TriangleHeight = kInitialTriangleHeight;
    m_layout.LegendWidth = LegendBandWidth(Width());
    m_layout.TriangleLeft = 0;
    m_layout.TriangleTop = 0;
}

TTernagram::~TTernagram() { OnIsothermCalcStep = nullptr; }

void TTernagram::SetTCalcMethod(TTCalcMethod value) {
    if (!Assign(m_tCalcMethod, value)) return;
    m_isotherms.Calculated = false;
    DoChange();
}

void TTernagram::SetGridSteps(int value) {
    if (value == m_gridSteps) return;
    m_gridSteps = std::clamp(value, 2, 10);
    Invalidate();
}

void TTernagram::SetHotIsotherm(int value) {
    if (value == m_hotIsotherm) return;
    m_hotIsotherm = Trunc(value / 10.0) * 10;
    m_isotherms.Calculated = false;
    Invalidate();
}

void TTernagram::SetTUnits(TTUnits value) {
    if (!Assign(m_tUnits, value)) return;
    m_isotherms.Calculated = false;
    DoChange();
}

void TTernagram::SetCUnits(TCUnits value) {
    if (value == m_cUnits) return;
    const TConversion conversion = ConversionBetween(m_cUnits, value);
    const TMolarMasses masses{m_substanceA.MolMass, m_substanceB.MolMass, m_substanceC.MolMass};
    if (conversion != TConversion::None && !ValidMolarMasses(masses)) {
        // Dividing by such a mass would turn every stored composition into
        // garbage; keep the data and the units as they are.
        Host().ShowMessage(
            "Concentration units can not be changed: every substance needs a positive molar "
            "mass.");
        return;
    }
    // Percent and fraction are one frame: only a change of basis rewrites.
    if (conversion != TConversion::None) {
        ReframeStoredCompositions({IsMassBasis(value), m_dataOrientation});
    }
    m_cUnits = value;
    m_unitsCaption = UnitsCaptionOf(value);
    m_unitsTotal = UnitsTotalOf(value);
    if (AllowZoom() && m_zoom) {
        const auto& corners = ZoomCorners();
        TSubstance* vertices[3] = {&m_substanceA, &m_substanceB, &m_substanceC};
        for (int i = 0; i < 3; ++i) {
            vertices[i]->SetName(ZoomVertexCaption(m_substanceA.BaseName, m_substanceB.BaseName,
                                                   m_substanceC.BaseName, corners[i].A,
                                                   corners[i].B, corners[i].C, m_unitsTotal));
        }
    }
    Invalidate();
    DoChange();
}

void TTernagram::SetDataOrientation(TDataOrientation value) {
    if (m_zoom || value == m_dataOrientation) return;
    const TPositionMap map = PositionMapBetween(m_dataOrientation, value);
    ReframeStoredCompositions({IsMassBasis(m_cUnits), value});
    m_dataOrientation = value;
    // Names and molar masses move with their substances; Element stays.
    TSubstance* positions[3] = {&m_substanceA, &m_substanceB, &m_substanceC};
    const std::string names[3] = {m_substanceA.Name(), m_substanceB.Name(), m_substanceC.Name()};
    const float masses[3] = {m_substanceA.MolMass, m_substanceB.MolMass, m_substanceC.MolMass};
    for (int j = 0; j < 3; ++j) {
        positions[j]->SetName(names[map[j]]);
        positions[j]->MolMass = masses[map[j]];
    }
    Invalidate();
    DoChange();
}

int TTernagram::AreaAtPixel(const TCanvas& canvas, int x, int y, TColor color) {
    const auto usable = [this](TColor c) {
        return c != clBlack && c != kInvalidColor && c != m_isotherms.Color() &&
               c != m_hotIsothermColor;
    };
    if (usable(color)) {
        m_isDivisionPoint = false;
    } else {
        // On a line: look along the four diagonals for the fields beside it.
        constexpr int kDirections[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
        std::optional<TColor> candidate;
        bool two = false;
        for (const auto& d : kDirections) {
            for (int j = 0; j <= 2; ++j) {
                const TColor c = canvas.Pixel(x + d[0] * j, y + d[1] * j);
                if (usable(c)) {
                    if (!candidate) {
                        candidate = c;
                    } else if (*candidate != c) {
                        two = true;
                    }
                    break;
                }
            }
        }
        if (two) {
            m_isDivisionPoint = true;
            return -1;
        }
        m_isDivisionPoint = false;
        color = candidate.value_or(clBlack);
    }
    for (int i = Areas() - 1; i >= 0; --i) {
        if (canvas.GetNearestColor(AreaColors[i + 1]) == color) {
            return i;
        }
    }
    return -1;
}

double TTernagram::AltitudeTemperature(int areaIndex, double a, double b) const {
    if (areaIndex < 0 || areaIndex >= kAreaCount) return 0.0;
    return liquidus::AltitudeTemperature(AreaList()[areaIndex], a, b);
}

double TTernagram::PolynomialTemperature(int areaIndex, double a, double b) {
    if (areaIndex < 0 || areaIndex >= kAreaCount) return 0.0;
    return m_polynomials.Temperature(areaIndex, AreaList()[areaIndex], a, b);
}

double TTernagram::MeanValueTemperature(int areaIndex, double a, double b) const {
    if (areaIndex < 0 || areaIndex >= kAreaCount) return 0.0;
    return liquidus::MeanValueTemperature(AreaList()[areaIndex], a, b);
}

std::optional<double> TTernagram::AreaTemperature(int areaIndex, double a, double b) {
    switch (m_tCalcMethod) {
        case TTCalcMethod::tcAltitude: return AltitudeTemperature(areaIndex, a, b);
        case TTCalcMethod::tcPolynomial: return PolynomialTemperature(areaIndex, a, b);
        case TTCalcMethod::tcThermodynamic: return std::nullopt;
        case TTCalcMethod::tcMeanValue: return MeanValueTemperature(areaIndex, a, b);
    }
    return std::nullopt;
}

int TTernagram::AreaOffTheLine(const TBitmap& picture, int x, int y, int dx, int dy) {
    const TCanvas& canvas = picture.Canvas();
    while (x >= 0 && y >= 0 && x < picture.Width() && y < picture.Height() &&
           canvas.Pixel(x, y) == clBlack) {
        x += dx;
        y += dy;
    }
    return AreaAtPixel(canvas, x, y, canvas.Pixel(x, y));
}

int TTernagram::AreaAtComposition(const TBitmap& picture, double a, double b) {
    int x = 0;
    int y = 0;
    CompositionToPixel(a, b, x, y);
    return AreaOffTheLine(picture, x, y, 1, 0);
}

int TTernagram::AreaNearComposition(const TBitmap& picture, double a, double b) {
    int x = 0;
    int y = 0;
    CompositionToPixel(a, b, x, y);
    constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}};
    for (const auto& step : kSteps) {
        const int area = AreaOffTheLine(picture, x, y, step[0], step[1]);
        if (area >= 0) return area;
    }
    return -1;
}

bool TTernagram::ReservesLegendBand() const {
    return (Legend() && Areas() > 0) || CoPhasesTable();
}

void TTernagram::CalcLayout() { TTernaplot::CalcLayout(ReservesLegendBand()); }

int TTernagram::FontSize(TTextRole role) const {
    const int side = NominalLength(SideLength());
    switch (role) {
        case TTextRole::Title:
            return FigurePoints(ScaledFontSize(side, 1, 10));
        case TTextRole::UnitsCaption:
        case TTextRole::ScaleLabel:
            return FigurePoints(ScaledFontSize(side, 1, 8));
        case TTextRole::VertexCaption:
        case TTextRole::Table:
            break;
    }
    return FigurePoints(ScaledFontSize(side, 2, 8));
}

void TTernagram::DoIsothermCalcStep() {
    if (OnIsothermCalcStep) OnIsothermCalcStep(*this);
}

}  // namespace liquidus
