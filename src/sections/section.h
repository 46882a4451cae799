#pragma once
// Liquidus sections: the liquidus of a ternary diagram along a straight line
// through its triangle, handed to a binary diagram as a temperature-
// composition plot. This unit is the only one that knows both components;
// neither of them knows the other.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/units.h"

namespace liquidus {

class TTernagram;
class TBinagram;

/// A composition as the ternary diagram shows it: the shares of positions 1
/// and 2 in display units (percent, or fractions when UnitsTotal is 1).
struct TSectionPoint {
    double A = 0.0;
    double B = 0.0;
    friend bool operator==(const TSectionPoint&, const TSectionPoint&) = default;
};

/// A section that cannot be made: an end outside the triangle, two equal
/// ends, or a diagram whose temperature method computes no temperatures.
class TSectionError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

/// The liquidus of one primary-phase field over one stretch of the section.
struct TSectionCurve {
    int Field = -1;     // 0-based field of the ternary diagram
    std::string Name;   // that field's name
    double From = 0.0;  // where the stretch starts and ends, percent of the
    double To = 0.0;    // way from P to Q
    /// (position in percent of the way, liquidus temperature in the
    /// diagram's temperature unit), ordered by position; 2 to 10 knots, the
    /// first at From and the last at To.
    std::vector<std::pair<double, double>> Knots;
};

/// What a section found along its line, ready for a binary diagram.
struct TSection {
    TSectionPoint P;  // position 0 of the axis
    TSectionPoint Q;  // position 100
    /// Captions of the two ends: a component's name for a corner, else the
    /// shares that make the end ("20 MgO 30 SiO2 50 Al2O3").
    std::string NameP;
    std::string NameQ;
    /// Mean molar masses of the two ends, so that a binary diagram can move
    /// between the mole and mass basis as the ternary one does.
    double MolMassP = 1.0;
    double MolMassQ = 1.0;
    TCUnits CUnits = TCUnits::cuMolPercents;
    TTUnits TUnits = TTUnits::tuC;
    /// Names of the ternary diagram's fields in use; field i is drawn in
    /// AreaColors[i + 1] there.
    std::vector<std::string> FieldNames;
    /// One curve per stretch of a field, in order along the section. A field
    /// met twice has two curves; a gap between two curves lies on no field.
    std::vector<TSectionCurve> Curves;
    /// The temperature axis: whole hundreds around every knot, with at least
    /// 100 degrees of liquid above the highest one, inside the range a binary
    /// diagram accepts in this unit. Meaningful when there are curves.
    double LowT = 0.0;
    double HighT = 1000.0;
};

/// Samples this many compositions along a section.
constexpr int kSectionSamples = 1201;

/// The liquidus of `diagram` from P to Q (display units). The field at each
/// sample is read by LiquidusAt, so the stretches follow the fields the
/// picture shows, whatever the window's size (tolerances below are pixels
/// of a 1024 x 768 picture): a
/// stretch of only a few pixels between two others (a line grazing a
/// boundary) goes to its neighbours, a stretch end within a few pixels of
/// one of its field's vertices on the line or of an end of the section is
/// moved there, and a boundary between two fields within a longer reach of a
/// vertex of both is moved there. Samples on no field leave a gap between
/// two curves. Knots carry the temperatures of the diagram's current method,
/// taken along the nearest edge of the field's vertex polygon where the
/// knot lies on or outside that polygon (see section.cpp); the field's
/// vertices on the line are among the knots. Throws TSectionError.
TSection MakeSection(TTernagram& diagram, TSectionPoint p, TSectionPoint q);

/// The section (P to Q) along the side between two triangle positions 1..3.
TSection MakeSideSection(TTernagram& diagram, int from, int to);

/// Hands the section to `binagram`, which must not be zoomed: substances,
/// units, temperature axis, title, boundary curves (each liquidus curve and
/// a vertical line from each stretch end down to the bottom of the plot),
/// and the fields with their fill seeds and legend names.
///
/// Field records keep the ternary diagram's indices, so that every field
/// has the colour it has in the triangle: record i is ternary field i (a
/// field the section does not meet keeps its name for the legend but gets
/// no fill seed), "Liquid" follows the last ternary field, and a field the
/// section meets more than once fills its further stretches with the next
/// free palette entries. What does not fit into the 16 records is left
/// unfilled. Boundary lines and fills are switched on.
///
/// With TSectionLegend::MetFields (what a window shows) the legend lists
/// only the fields the section meets, one entry per name, and "Liquid": a
/// name met again fills in its first colour, and Liquid takes the free
/// palette colour least like those of the fields met.
enum class TSectionLegend { AllFields, MetFields };
void FeedBinagram(const TSection& section, TBinagram& binagram,
                  TSectionLegend legend = TSectionLegend::AllFields);

/// The temperatures (the diagram's unit, ascending, each once) of the
/// diagram's invariant points that lie on the section's line.
std::vector<double> InvariantTemperaturesOn(TTernagram& diagram, const TSection& section);

/// The temperature axis's title in a unit ("T, °C").
std::string TemperatureAxisTitle(TTUnits units);

/// The section as a Sections window shows it, read from `diagram`: the
/// fields it meets in the legend (TSectionLegend::MetFields), the axis
/// ticked at the invariant points on its line, and the temperature axis
/// titled with its unit. The command line's pictures are the same.
void PresentSection(TTernagram& diagram, const TSection& section, TBinagram& binagram);

/// Name of the field above the liquidus.
constexpr char kLiquidName[] = "Liquid";

}  // namespace liquidus
