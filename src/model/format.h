#pragma once
// Fixed-point number formatting that rounds exact halves away from zero, as
// the diagram's labels and tables always have (1500.5 shows as 1501).

#include <string>

namespace liquidus {

/// The value with `decimals` digits after the point ("%.Nf" with halves
/// rounded away from zero; never "-0").
std::string FormatFixed(double value, int decimals);

}  // namespace liquidus
