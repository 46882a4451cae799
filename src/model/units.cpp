#include "model/units.h"

#include <cmath>

#include "model/format.h"

namespace liquidus {

namespace {
using Extended = long double;

}  // namespace

bool IsMassBasis(TCUnits units) {
    return units == TCUnits::cuMassPercents || units == TCUnits::cuMassParts;
}

std::string UnitsCaptionOf(TCUnits units) {
    switch (units) {
        case TCUnits::cuMolPercents: return "Mole Fraction in %";
        case TCUnits::cuMolParts: return "Mole Fraction";
        case TCUnits::cuMassPercents: return "Mass Fraction in %";
        case TCUnits::cuMassParts: return "Mass Fraction";
    }
    return {};
}

double UnitsTotalOf(TCUnits units) {
    return units == TCUnits::cuMolPercents || units == TCUnits::cuMassPercents ? 100.0 : 1.0;
}

TConversion ConversionBetween(TCUnits from, TCUnits to) {
    if (IsMassBasis(from) && !IsMassBasis(to)) return TConversion::MassToMole;
    if (!IsMassBasis(from) && IsMassBasis(to)) return TConversion::MoleToMass;
    return TConversion::None;
}

bool ValidMolarMasses(const TMolarMasses& m) {
    auto ok = [](double v) { return std::isfinite(v) && v > 0.0; };
    return ok(m.M1) && ok(m.M2) && ok(m.M3);
}

void ConvertShares(TConversion conversion, const TMolarMasses& m, std::array<double, 3>& shares) {
    const Extended x1 = shares[0], x2 = shares[1], x3 = shares[2];
    const Extended m1 = m.M1, m2 = m.M2, m3 = m.M3;
    switch (conversion) {
        case TConversion::None:
            return;
        case TConversion::MoleToMass: {
            const Extended d = x1 * m1 + x2 * m2 + x3 * m3;
            shares = {static_cast<double>(100 * x1 * m1 / d),
                      static_cast<double>(100 * x2 * m2 / d),
                      static_cast<double>(100 * x3 * m3 / d)};
            return;
        }
        case TConversion::MassToMole: {
            const Extended d = x1 / m1 + x2 / m2 + x3 / m3;
            shares = {static_cast<double>(100 * (x1 / m1) / d),
                      static_cast<double>(100 * (x2 / m2) / d),
                      static_cast<double>(100 * (x3 / m3) / d)};
            return;
        }
    }
}

double TemperatureInUnits(double celsius, TTUnits units) {
    switch (units) {
        case TTUnits::tuC: return celsius;
        case TTUnits::tuK: return static_cast<double>(Extended{celsius} + Extended{kKelvinOffset});
        case TTUnits::tuF:
            return static_cast<double>(Extended{kFahrenheitFactor} * celsius + kFahrenheitOffset);
    }
    return celsius;
}

std::string FormatTemperature(double celsius, TTUnits units) {
    const double value = TemperatureInUnits(celsius, units);
    switch (units) {
        case TTUnits::tuC: return FormatFixed(value, 0) + "C";
        case TTUnits::tuK: return FormatFixed(value, 0) + "K";
        case TTUnits::tuF: return FormatFixed(value, 0) + "F";
    }
    return {};
}

std::string ZoomVertexCaption(const std::string& nameA, const std::string& nameB,
                              const std::string& nameC, double a, double b, double c,
                              double unitsTotal) {
    const double scale = unitsTotal / 100;
    return nameA + "-" + FormatFixed(a * scale, 1) + ";" + nameB + "-" + FormatFixed(b * scale, 1) +
           ";" + nameC + "-" + FormatFixed(c * scale, 1);
}

}  // namespace liquidus
