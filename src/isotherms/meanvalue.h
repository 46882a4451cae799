#pragma once
// Liquidus temperature inside one phase field by mean value coordinates over
// the field's boundary polygon: every vertex temperature contributes with a
// weight that depends on the angles under which the query point sees the
// edges next to that vertex. The result reproduces the vertices, is linear
// along each edge, stays between the extreme vertex temperatures in a convex
// field and is smooth inside. Signed angles keep it well defined in
// non-convex fields and continue it smoothly just outside the polygon.

#include "model/areadata.h"

namespace liquidus {

/// The mean value method for one phase field: its vertices
/// Points[1..PointCount] in stored order (a count above the record's
/// capacity is read as the capacity), query (a, b) in percent; degrees
/// Celsius. A query within 1e-12 of the polygon's extent from a vertex or an
/// edge is taken to lie on it. Repeated vertices add nothing. Where the
/// outline encloses no area (one or two distinct vertices, all vertices on a
/// line) the temperature is that of the nearest point of the outline, by
/// linear interpolation along its edge. 0.0 for a field without vertices.
double MeanValueTemperature(const TAreaData& area, double a, double b);

}  // namespace liquidus
