// The altitude method's vector code against its edge loop on arbitrary
// vertices and queries, every bit pattern of a double included: the two must
// give the same temperature to the last bit (any NaN for a NaN).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "isotherms/altitude.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace liquidus;
    if (size < 1) return 0;
    const int count = (data[0] & 0x7f) % (kMaxAreaPoints + 1);
    const bool raw = (data[0] & 0x80) != 0;
    ++data;
    --size;
    // Vertices and the query as raw doubles, or as diagram-like values (two
    // bytes each: 0..100 with 1/655 steps, so that vertices coincide, line
    // up and lie near the query often); short input padded with zeros.
    double values[3 * kMaxAreaPoints + 2] = {};
    if (raw) {
        std::memcpy(values, data, std::min(size, sizeof values));
    } else {
        for (std::size_t i = 0; i < std::size(values) && 2 * i + 1 < size; ++i) {
            const int word = data[2 * i] | (data[2 * i + 1] << 8);
            values[i] = (i % 3 == 2 && i < 3 * kMaxAreaPoints) ? 500.0 + word / 20.0 : word / 655.0;
        }
    }
    TAltitudePoints points{};
    for (int i = 0; i < kMaxAreaPoints; ++i) {
        points[i] = {values[3 * i], values[3 * i + 1], values[3 * i + 2]};
    }
    const double x = values[3 * kMaxAreaPoints];
    const double y = values[3 * kMaxAreaPoints + 1];
    const double loop = CalcAltitudeScalar(count, points, x, y);
    const double vector = CalcAltitude(count, points, x, y);
    if (std::memcmp(&loop, &vector, sizeof loop) != 0 &&
        !(std::isnan(loop) && std::isnan(vector))) {
        std::fprintf(stderr, "%d vertices: the loop says %.17g, the vector code %.17g\n", count,
                     loop, vector);
        std::abort();
    }
    return 0;
}
