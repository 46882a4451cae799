#pragma once
// Liquidus temperature inside one phase field from nothing but the field's
// boundary vertices: perpendiculars are dropped from the query point onto the
// boundary edges again and again, carrying the vertex temperatures along each
// edge, so that the polygon shrinks onto the query point.

#include <array>

#include "model/areadata.h"

namespace liquidus {

/// One polygon vertex: composition (percent of positions 1 and 2) and
/// temperature in degrees Celsius.
struct TAltitudePoint {
    double X = 0.0;
    double Y = 0.0;
    double T = 0.0;
};

/// A field's vertices as the method works on them; as many entries as a
/// phase field can hold.
using TAltitudePoints = std::array<TAltitudePoint, kMaxAreaPoints>;

/// Edges whose ends lie this close in both coordinates are skipped, and from
/// the first early-exit pass on a foot point this close to the query wins.
constexpr double kAltitudeTolerance = 0.1;
constexpr int kAltitudePasses = 100;
/// Passes before this one always run in full.
constexpr int kAltitudeFirstExitPass = 11;
/// Edges whose line lies this far or farther from the query never count.
constexpr double kAltitudeStartDistance = 100.0;

/// Temperature at (x, y) estimated from the first `count` entries of
/// `points` (a closed polygon in vertex order); 0.0 when no edge gave an
/// estimate. A foot point beyond its edge is replaced by the edge's midpoint
/// and competes by its distance from (x, y); a foot on its edge competes by
/// the height of (x, y) above the edge's line. Works on its own copy of the
/// points. A count outside 0..12 is clamped to that range.
double CalcAltitude(int count, TAltitudePoints points, double x, double y);

// CalcAltitude has two implementations with bit-for-bit the same results:
// the plain edge-by-edge loop, and one that works on four edges at a time
// where the processor has AVX2. An isotherm scan asks for tens of thousands
// of values, and the vector one is about three times faster. CalcAltitude
// takes the vector one where it can.

/// The edge-by-edge loop, on any processor.
double CalcAltitudeScalar(int count, TAltitudePoints points, double x, double y);
/// Whether CalcAltitude runs the vector code on this processor.
bool AltitudeVectorAvailable();

/// The altitude method for one phase field: its vertices
/// Points[1..PointCount] in stored order, query (a, b) in percent.
double AltitudeTemperature(const TAreaData& area, double a, double b);

}  // namespace liquidus
