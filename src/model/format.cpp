#include "model/format.h"

#include <cmath>
#include <cstdio>

namespace liquidus {

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    }
    long double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    // Extended precision keeps a value like 2.675 (really 2.67499...) below
    // the half, while exact halves are pushed away from zero.
    const long double scaled = static_cast<long double>(value) * scale;
    long double rounded = std::floor(std::fabs(scaled) + 0.5L);
    if (scaled < 0) rounded = -rounded;
    if (rounded == 0) rounded = 0;  // no "-0"
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, rounded / scale);
    return buffer;
}

}  // namespace liquidus
