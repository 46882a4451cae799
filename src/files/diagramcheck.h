#pragma once
// The geometry a diagram file must have to give sound answers: outlines
// that enclose a field, fill points inside their own field and region,
// boundary lines that close the regions. Everything is computed on the
// compositions, never on a picture of some size, so a file that loads gives
// the same fields in every window and on the command line.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "files/planegeometry.h"
#include "model/areadata.h"

namespace liquidus {

struct TDiagramFile;

/// How far, in percent of the triangle's side, a boundary line's end may lie
/// from the side or line it meets. Ends this close but not on their target
/// are moved onto it.
constexpr double kBoundaryEndTolerance = 0.05;

/// The boundary lines as drawn may have at most this many segments in all;
/// more is refused rather than checked for minutes.
constexpr std::size_t kMaxCheckedSegments = 10000;

/// The curve a boundary polyline is drawn as, from its first knot to its
/// last: the natural cubic spline through the knots in the equilateral
/// triangle, eight samples between neighbouring knots, or the straight
/// polyline where the spline cannot be fitted (too many knots, knots not
/// ordered or too close along the base). The knots come back exactly.
std::vector<TComposition> BoundaryCurve(std::span<const TSplinePoint> knots);

/// Checks every field's outline and fill point, the ends of the boundary
/// lines and the regions the lines enclose; throws TDiagramFormatError
/// naming the place. Ends within kBoundaryEndTolerance of their target are
/// moved exactly onto it in `file`.
void CheckDiagramGeometry(TDiagramFile& file);

/// Points where two or more fields' outline vertices meet (within 0.01 %)
/// with different temperatures, one line each ("Alpha" and "Beta" meet at
/// 40, 30 with 1400 and 1450 C). Not an error: the diagram shows the lowest
/// there, and a reader may want to know.
std::vector<std::string> VertexTemperatureDisagreements(const TDiagramFile& file);

}  // namespace liquidus
