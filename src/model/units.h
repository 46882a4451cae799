#pragma once
// Concentration and temperature units. Compositions are stored in percent of
// the current mole or mass basis and rewritten only when the basis changes;
// percent versus fraction is a display scale; temperatures stay in Celsius.

#include <array>
#include <string>

namespace liquidus {

enum class TCUnits { cuMolPercents, cuMolParts, cuMassPercents, cuMassParts };
enum class TTUnits { tuC, tuK, tuF };

enum class TConversion { None, MassToMole, MoleToMass };

struct TMolarMasses {
    double M1 = 1.0;
    double M2 = 1.0;
    double M3 = 1.0;
};

constexpr double kKelvinOffset = 273.15;
constexpr double kFahrenheitFactor = 1.8;
constexpr double kFahrenheitOffset = 32.0;

bool IsMassBasis(TCUnits units);
/// Axis title shown under the triangle.
std::string UnitsCaptionOf(TCUnits units);
/// 100 for the percent units, 1 for the fraction units.
double UnitsTotalOf(TCUnits units);
TConversion ConversionBetween(TCUnits from, TCUnits to);
/// Positive and finite: the conversion divides by them.
bool ValidMolarMasses(const TMolarMasses& masses);

/// Converts the three shares of a composition in place, each from the old
/// values, in extended precision; M1, M2, M3 are the masses of the shares in
/// that order.
void ConvertShares(TConversion conversion, const TMolarMasses& masses,
                   std::array<double, 3>& shares);

/// Celsius to the display unit, unrounded.
double TemperatureInUnits(double celsius, TTUnits units);
/// "%.0fC", "%.0fK" or "%.0fF" of a Celsius temperature.
std::string FormatTemperature(double celsius, TTUnits units);
/// A vertex caption of the zoomed view: "A-x;B-y;C-z" with shares scaled by
/// unitsTotal / 100.
std::string ZoomVertexCaption(const std::string& nameA, const std::string& nameB,
                              const std::string& nameC, double a, double b, double c,
                              double unitsTotal);

}  // namespace liquidus
