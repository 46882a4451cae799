// Contour lines of a piecewise surface sampled on a square grid: each node
// belongs to a field (or none) and carries that field's value there. A
// field's lines are traced only through cells whose four nodes are all
// its own, so they stop where the field ends and never meet another
// field's surface.

#pragma once

#include <cstdint>
#include <vector>

#include "canvas/canvas.h"

namespace liquidus {

struct TContourGrid {
    int Columns = 0;  // nodes per row
    int Rows = 0;
    std::vector<std::int8_t> Field;  // per node, row by row; -1 for none
    std::vector<float> Value;        // per node; read only where Field >= 0
};

struct TContourLine {
    int Level = 0;  // index into the levels traced
    int Field = -1;
    bool Closed = false;  // the last point joins the first
    std::vector<TRealPoint> Points;  // in node units: (column, row)
};

/// Marching squares for every level in every field, each line joined from
/// its cells into one polyline. A saddle cell is decided by the mean of its
/// corners, the same for every level, so lines of different levels of one
/// field never cross.
std::vector<TContourLine> TraceContours(const TContourGrid& grid, const std::vector<double>& levels);

/// One pass of a [1/4, 1/2, 1/4] filter; the ends of an open line stay.
void SmoothContour(TContourLine& line);

}  // namespace liquidus
