#pragma once
// The rounding rules every pixel position depends on. Drawing and mouse code
// must agree to the pixel, so nothing else in the program rounds on its own.

#include <cmath>

namespace liquidus {

/// Nearest integer, halves to even (the FPU's default mode).
inline int Round(double x) { return static_cast<int>(std::nearbyint(x)); }

/// Toward zero.
inline int Trunc(double x) { return static_cast<int>(std::trunc(x)); }

}  // namespace liquidus
