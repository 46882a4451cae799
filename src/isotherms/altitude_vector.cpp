// The altitude method four edges at a time. Within one pass every edge is
// computed from the polygon as it stood at the start of the pass, so the
// edges of a pass are independent and fit side by side in vector lanes; only
// the choice among them (the first edge close enough to stop, the first
// strictly nearer one) is sequential, and it is made afterwards in edge
// order. Every lane does exactly the scalar loop's operations in the same
// order, and IEEE arithmetic rounds the same in a vector lane as in a scalar
// register, so the results are the same to the last bit. Neither
// implementation may fuse multiplications and additions: the target below
// enables AVX2 without FMA, and the build forbids contraction for a target
// that has it.

#include <algorithm>
#include <cmath>
#include <limits>

#include "isotherms/altitude.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define LIQUIDUS_ALTITUDE_AVX2 1
#include <immintrin.h>
#endif

namespace liquidus {

#ifdef LIQUIDUS_ALTITUDE_AVX2

namespace {

/// The largest square whose rounded root is at most `limit`: the edge
/// heights are compared as squares, and `sqrt(h2) <= limit` holds exactly
/// when `h2 <= LargestSquareWithin(limit)`, rounding included.
double LargestSquareWithin(double limit) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    double square = limit * limit;
    while (std::sqrt(square) > limit) square = std::nextafter(square, 0.0);
    while (std::sqrt(std::nextafter(square, kInfinity)) <= limit) {
        square = std::nextafter(square, kInfinity);
    }
    return square;
}

const double kToleranceSquare = LargestSquareWithin(kAltitudeTolerance);

#define LIQUIDUS_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

/// Lanes [a1, a2, a3, b0]: the far ends of the edges starting at a's lanes.
LIQUIDUS_AVX2_INLINE __m256d NextVertices(__m256d a, __m256d b) {
    return _mm256_shuffle_pd(a, _mm256_permute2f128_pd(a, b, 0x21), 0b0101);
}

LIQUIDUS_AVX2_INLINE __m256d Less(__m256d a, __m256d b) {
    return _mm256_cmp_pd(a, b, _CMP_LT_OQ);
}

static_assert(kMaxAreaPoints <= 12, "a field's vertices fit in three vectors");

/// `count` vertices in `Vectors` registers of four lanes; lanes past the
/// count hold copies of vertex 0 and never move.
template <int Vectors>
__attribute__((target("avx2"))) double AltitudeKernel(int count, const TAltitudePoints& points,
                                                      double x, double y) {
    __m256d vx[Vectors];
    __m256d vy[Vectors];
    __m256d vt[Vectors];
    // Sign bits select: `closing` marks the last vertex's lane, whose edge
    // ends at vertex 0; `inUse` marks the lanes holding real vertices.
    __m256d closing[Vectors];
    __m256d inUse[Vectors];
    for (int v = 0; v < Vectors; ++v) {
        alignas(32) double lx[4], ly[4], lt[4], lastLane[4], used[4];
        for (int lane = 0; lane < 4; ++lane) {
            const int i = 4 * v + lane;
            const TAltitudePoint& p = points[i < count ? i : 0];
            lx[lane] = p.X;
            ly[lane] = p.Y;
            lt[lane] = p.T;
            lastLane[lane] = i == count - 1 ? -1.0 : 0.0;
            used[lane] = i < count ? -1.0 : 0.0;
        }
        vx[v] = _mm256_load_pd(lx);
        vy[v] = _mm256_load_pd(ly);
        vt[v] = _mm256_load_pd(lt);
        closing[v] = _mm256_load_pd(lastLane);
        inUse[v] = _mm256_load_pd(used);
    }

    const __m256d qx = _mm256_set1_pd(x);
    const __m256d qy = _mm256_set1_pd(y);
    const __m256d tolerance = _mm256_set1_pd(kAltitudeTolerance);
    const __m256d toleranceSquare = _mm256_set1_pd(kToleranceSquare);
    const __m256d two = _mm256_set1_pd(2.0);
    const __m256d half = _mm256_set1_pd(0.5);  // x * 0.5 rounds as x / 2.0
    const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffffLL));

    double best = kAltitudeStartDistance;
    // The squared height that gave `best`: a square at least this large
    // cannot have a smaller root, so only smaller squares need their root.
    double bestSquare = kAltitudeStartDistance * kAltitudeStartDistance;
    double result = 0.0;
    for (int pass = 0; pass < kAltitudePasses; ++pass) {
        // The query's distance to every vertex: each is the far end of one
        // edge and the near end of the next.
        __m256d dist[Vectors];
        for (int v = 0; v < Vectors; ++v) {
            const __m256d dx = _mm256_sub_pd(qx, vx[v]);
            const __m256d dy = _mm256_sub_pd(qy, vy[v]);
            dist[v] = _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy)));
        }
        const __m256d firstX = _mm256_permute4x64_pd(vx[0], 0);
        const __m256d firstY = _mm256_permute4x64_pd(vy[0], 0);
        const __m256d firstT = _mm256_permute4x64_pd(vt[0], 0);
        const __m256d firstDist = _mm256_permute4x64_pd(dist[0], 0);
        const __m256d bestSquares = _mm256_set1_pd(bestSquare);

        alignas(32) double heightSquares[4 * Vectors];
        alignas(32) double footTs[4 * Vectors];
        unsigned moving = 0;
        unsigned closeEnough = 0;
        unsigned nearer = 0;
        __m256d nextX[Vectors];
        __m256d nextY[Vectors];
        __m256d nextT[Vectors];
        for (int v = 0; v < Vectors; ++v) {
            const int following = v + 1 < Vectors ? v + 1 : 0;
            const __m256d ax = vx[v];
            const __m256d ay = vy[v];
            const __m256d at = vt[v];
            const __m256d dA = dist[v];
            const __m256d bx =
                _mm256_blendv_pd(NextVertices(vx[v], vx[following]), firstX, closing[v]);
            const __m256d by =
                _mm256_blendv_pd(NextVertices(vy[v], vy[following]), firstY, closing[v]);
            const __m256d bt =
                _mm256_blendv_pd(NextVertices(vt[v], vt[following]), firstT, closing[v]);
            const __m256d dB =
                _mm256_blendv_pd(NextVertices(dist[v], dist[following]), firstDist, closing[v]);

            const __m256d ex = _mm256_sub_pd(ax, bx);
            const __m256d ey = _mm256_sub_pd(ay, by);
            const __m256d degenerate = _mm256_and_pd(Less(_mm256_and_pd(ex, absMask), tolerance),
                                                     Less(_mm256_and_pd(ey, absMask), tolerance));
            const __m256d moves = _mm256_andnot_pd(degenerate, inUse[v]);

            const __m256d dAB =
                _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(ex, ex), _mm256_mul_pd(ey, ey)));
            const __m256d dB2 = _mm256_mul_pd(dB, dB);
            const __m256d numerator =
                _mm256_sub_pd(_mm256_add_pd(_mm256_mul_pd(dAB, dAB), dB2), _mm256_mul_pd(dA, dA));
            const __m256d s = _mm256_div_pd(numerator, _mm256_mul_pd(two, dAB));
            const __m256d ratio = _mm256_div_pd(s, dAB);
            const __m256d fx = _mm256_add_pd(bx, _mm256_mul_pd(ex, ratio));
            const __m256d fy = _mm256_add_pd(by, _mm256_mul_pd(ey, ratio));
            const __m256d ft = _mm256_add_pd(bt, _mm256_mul_pd(_mm256_sub_pd(at, bt), ratio));

            // std::min(a, b) is (b < a ? b : a), std::max(a, b) is (a < b ? b : a).
            const __m256d minX = _mm256_blendv_pd(ax, bx, Less(bx, ax));
            const __m256d maxX = _mm256_blendv_pd(ax, bx, Less(ax, bx));
            const __m256d minY = _mm256_blendv_pd(ay, by, Less(by, ay));
            const __m256d maxY = _mm256_blendv_pd(ay, by, Less(ay, by));
            const __m256d beyond = _mm256_or_pd(_mm256_or_pd(Less(fx, minX), Less(maxX, fx)),
                                                _mm256_or_pd(Less(fy, minY), Less(maxY, fy)));
            const __m256d footX =
                _mm256_blendv_pd(fx, _mm256_mul_pd(_mm256_add_pd(ax, bx), half), beyond);
            const __m256d footY =
                _mm256_blendv_pd(fy, _mm256_mul_pd(_mm256_add_pd(ay, by), half), beyond);
            const __m256d footT =
                _mm256_blendv_pd(ft, _mm256_mul_pd(_mm256_add_pd(at, bt), half), beyond);
            nextX[v] = _mm256_blendv_pd(ax, footX, moves);
            nextY[v] = _mm256_blendv_pd(ay, footY, moves);
            nextT[v] = _mm256_blendv_pd(at, footT, moves);

            // The squared height, 0 where the loop's height is 0 (also when
            // a comparison with NaN fails, as there).
            const __m256d s2 = _mm256_mul_pd(s, s);
            const __m256d heightSquare =
                _mm256_and_pd(_mm256_sub_pd(dB2, s2), _mm256_cmp_pd(dB2, s2, _CMP_GE_OQ));
            _mm256_store_pd(heightSquares + 4 * v, heightSquare);
            _mm256_store_pd(footTs + 4 * v, footT);
            const int shift = 4 * v;
            moving |= static_cast<unsigned>(_mm256_movemask_pd(moves)) << shift;
            closeEnough |= static_cast<unsigned>(_mm256_movemask_pd(_mm256_and_pd(
                               moves, _mm256_cmp_pd(heightSquare, toleranceSquare, _CMP_LE_OQ))))
                           << shift;
            nearer |= static_cast<unsigned>(
                          _mm256_movemask_pd(_mm256_and_pd(moves, Less(heightSquare, bestSquares))))
                      << shift;
        }

        // The loop would stop at the first edge close enough; edges before
        // it may have become the best so far, but that no longer matters.
        if (pass >= kAltitudeFirstExitPass && closeEnough != 0) {
            return footTs[__builtin_ctz(closeEnough)];
        }
        for (unsigned bits = nearer; bits != 0; bits &= bits - 1) {
            const int i = __builtin_ctz(bits);
            if (heightSquares[i] < bestSquare) {
                const double height = std::sqrt(heightSquares[i]);
                if (height < best) {
                    best = height;
                    bestSquare = heightSquares[i];
                    result = footTs[i];
                }
            }
        }
        if (moving == 0) break;
        for (int v = 0; v < Vectors; ++v) {
            vx[v] = nextX[v];
            vy[v] = nextY[v];
            vt[v] = nextT[v];
        }
    }
    return result;
}

bool DetectAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

}  // namespace

bool AltitudeVectorAvailable() {
    static const bool available = DetectAvx2();
    return available;
}

double CalcAltitude(int count, TAltitudePoints points, double x, double y) {
    count = std::clamp(count, 0, kMaxAreaPoints);
    // With fewer than two vertices no edge ever moves: the loop says so at
    // once.
    if (count >= 2 && AltitudeVectorAvailable()) {
        switch ((count + 3) / 4) {
            case 1:
                return AltitudeKernel<1>(count, points, x, y);
            case 2:
                return AltitudeKernel<2>(count, points, x, y);
            default:
                return AltitudeKernel<3>(count, points, x, y);
        }
    }
    return CalcAltitudeScalar(count, points, x, y);
}

#else  // no vector code for this compiler or processor

bool AltitudeVectorAvailable() {
    return false;
}

double CalcAltitude(int count, TAltitudePoints points, double x, double y) {
    return CalcAltitudeScalar(count, points, x, y);
}

#endif

}  // namespace liquidus
