#include "canvas/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <type_traits>

namespace liquidus::raster {

namespace {

using std::int64_t;

// Products of two coordinate differences overflow 64 bits only for
// coordinates far beyond any bitmap; those take a wider (slower) type.
#if defined(__SIZEOF_INT128__)
__extension__ typedef __int128 Wide;
#else
typedef long double Wide;  // exact up to 64-bit products; only for huge coordinates
#endif

constexpr int64_t kSafeCoordinate = int64_t{1} << 30;

template <typename T>
T FloorDiv(T n, T d) {  // d > 0
    if constexpr (std::is_floating_point_v<T>) {
        return std::floor(n / d);
    } else {
        T q = n / d;
        if (n % d != 0 && n < 0) {
            --q;
        }
        return q;
    }
}

template <typename T>
T CeilDiv(T n, T d) {  // d > 0
    return -FloorDiv<T>(-n, d);
}

struct Point64 {
    int64_t X = 0;
    int64_t Y = 0;
};

// Even-odd scanline fill: on row y the edges with y_min <= y < y_max cross
// it; pixels from ceil(x_a) up to (not including) ceil(x_b) are filled
// between pairs of sorted crossings. Horizontal edges never cross a row.
template <typename T>
void FillPolygonRows(SpanSet& set, const std::vector<Point64>& points, int64_t firstRow,
                     int64_t lastRow) {
    struct Edge {
        int64_t X0, Y0, X1, Y1;  // Y0 < Y1
    };
    std::vector<Edge> edges;
    edges.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        Point64 a = points[i];
        Point64 b = points[(i + 1) % points.size()];
        if (a.Y == b.Y) {
            continue;
        }
        if (a.Y > b.Y) {
            std::swap(a, b);
        }
        edges.push_back({a.X, a.Y, b.X, b.Y});
    }
    std::vector<int64_t> crossings;
    for (int64_t y = firstRow; y <= lastRow; ++y) {
        crossings.clear();
        for (const Edge& e : edges) {
            if (e.Y0 <= y && y < e.Y1) {
                const T num = static_cast<T>(y - e.Y0) * static_cast<T>(e.X1 - e.X0);
                const T den = static_cast<T>(e.Y1 - e.Y0);
                crossings.push_back(e.X0 + static_cast<int64_t>(CeilDiv<T>(num, den)));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            set.Add(y, crossings[k], crossings[k + 1]);
        }
    }
}

void FillPolygon(SpanSet& set, const std::vector<Point64>& points) {
    if (points.size() < 3) {
        return;
    }
    int64_t top = points[0].Y;
    int64_t bottom = points[0].Y;
    bool small = true;
    for (const Point64& p : points) {
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
        small = small && std::llabs(p.X) < kSafeCoordinate && std::llabs(p.Y) < kSafeCoordinate;
    }
    const int64_t firstRow = std::max(top, set.ClipTop());
    const int64_t lastRow = std::min(bottom, set.ClipBottom()) - 1;
    if (firstRow > lastRow) {
        return;
    }
    small = small && std::llabs(set.ClipTop()) < kSafeCoordinate &&
            std::llabs(set.ClipBottom()) < kSafeCoordinate;
    if (small) {
        FillPolygonRows<int64_t>(set, points, firstRow, lastRow);
    } else {
        FillPolygonRows<Wide>(set, points, firstRow, lastRow);
    }
}

// The ellipse through the centres of the box's outermost pixels; a pixel
// belongs to the figure when its centre lies within half a pixel of it,
// horizontally or vertically. Coordinates are doubled so that every centre
// is an integer: X = 2i + 1 - width, Y = 2j + 1 - height.
template <typename T>
class EllipseTest {
public:
    EllipseTest(int64_t width, int64_t height)
        : m_a2(Sq(static_cast<T>(width - 1))),
          m_b2(Sq(static_cast<T>(height - 1))),
          m_a2b2(m_a2 * m_b2) {}

    bool Contains(int64_t x, int64_t y) const {
        const T ax = static_cast<T>(std::llabs(x));
        const T ay = static_cast<T>(std::llabs(y));
        if (ax <= 1 || ay <= 1) {
            return true;
        }
        return Sq(ax - 1) * m_b2 + m_a2 * Sq(ay) <= m_a2b2 ||
               Sq(ay - 1) * m_a2 + m_b2 * Sq(ax) <= m_a2b2;
    }

private:
    static T Sq(T v) { return v * v; }
    T m_a2, m_b2, m_a2b2;
};

// First column (0-based) of box row j that belongs to the figure; the row is
// symmetric, so it ends at width - 1 - first. Rows outside the box: -1.
template <typename T>
int64_t EllipseRowStart(const EllipseTest<T>& test, int64_t width, int64_t height, int64_t j) {
    if (j < 0 || j >= height) {
        return -1;
    }
    const int64_t y = 2 * j + 1 - height;
    int64_t lo = 0;
    int64_t hi = (width - 1) / 2;  // the centre column is always inside
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (test.Contains(2 * mid + 1 - width, y)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

template <typename T>
void EllipseRows(SpanSet& inside, SpanSet& ring, int64_t left, int64_t top, int64_t width,
                 int64_t height) {
    const EllipseTest<T> test(width, height);
    const int64_t firstRow = std::max<int64_t>(0, std::min(inside.ClipTop(), ring.ClipTop()) - top);
    const int64_t lastRow =
        std::min<int64_t>(height, std::max(inside.ClipBottom(), ring.ClipBottom()) - top) - 1;
    if (firstRow > lastRow) {
        return;
    }
    int64_t above = EllipseRowStart(test, width, height, firstRow - 1);
    int64_t here = EllipseRowStart(test, width, height, firstRow);
    for (int64_t j = firstRow; j <= lastRow; ++j) {
        const int64_t below = EllipseRowStart(test, width, height, j + 1);
        // A pixel is enclosed when all four neighbours belong to the figure;
        // the rest of the row is the outline, so no 4-connected path can leave
        // the enclosed part without crossing it.
        const int64_t rowEnd = width - 1 - here;
        int64_t innerStart = here + 1;
        int64_t innerEnd = rowEnd - 1;
        if (above < 0 || below < 0) {
            innerStart = 1;
            innerEnd = 0;
        } else {
            innerStart = std::max({innerStart, above, below});
            innerEnd = std::min({innerEnd, width - 1 - above, width - 1 - below});
        }
        const int64_t y = top + j;
        if (innerStart <= innerEnd) {
            inside.Add(y, left + innerStart, left + innerEnd + 1);
            ring.Add(y, left + here, left + innerStart);
            ring.Add(y, left + innerEnd + 1, left + rowEnd + 1);
        } else {
            ring.Add(y, left + here, left + rowEnd + 1);
        }
        above = here;
        here = below;
    }
}

}  // namespace

void SpanSet::Add(int64_t y, int64_t x0, int64_t x1) {
    if (y < m_top || y >= m_bottom) {
        return;
    }
    x0 = std::max(x0, m_left);
    x1 = std::min(x1, m_right);
    if (x0 >= x1) {
        return;
    }
    // Consecutive pixels of a line arrive one by one: grow the last run.
    if (!m_spans.empty()) {
        Span& last = m_spans.back();
        if (last.Y == y && last.X1 == x0) {
            last.X1 = static_cast<int>(x1);
            return;
        }
    }
    m_spans.push_back({static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1)});
}

void SpanSet::AddRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    top = std::max(top, m_top);
    bottom = std::min(bottom, m_bottom);
    for (int64_t y = top; y < bottom; ++y) {
        Add(y, left, right);
    }
}

void SpanSet::Append(const SpanSet& other) {
    for (const Span& s : other.m_spans) {
        Add(s.Y, s.X0, s.X1);
    }
}

void SpanSet::Normalise() {
    std::sort(m_spans.begin(), m_spans.end(), [](const Span& a, const Span& b) {
        return a.Y != b.Y ? a.Y < b.Y : a.X0 < b.X0;
    });
    std::size_t out = 0;
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        if (out > 0 && m_spans[out - 1].Y == m_spans[i].Y && m_spans[i].X0 <= m_spans[out - 1].X1) {
            m_spans[out - 1].X1 = std::max(m_spans[out - 1].X1, m_spans[i].X1);
        } else {
            m_spans[out++] = m_spans[i];
        }
    }
    m_spans.resize(out);
}

void SpanSet::Subtract(const SpanSet& other) {
    std::vector<Span> result;
    result.reserve(m_spans.size());
    const std::vector<Span>& cut = other.m_spans;
    std::size_t j = 0;
    for (const Span& s : m_spans) {
        while (j < cut.size() && (cut[j].Y < s.Y || (cut[j].Y == s.Y && cut[j].X1 <= s.X0))) {
            ++j;
        }
        int x = s.X0;
        for (std::size_t k = j; k < cut.size() && cut[k].Y == s.Y && cut[k].X0 < s.X1; ++k) {
            if (cut[k].X0 > x) {
                result.push_back({s.Y, x, cut[k].X0});
            }
            x = std::max(x, cut[k].X1);
        }
        if (x < s.X1) {
            result.push_back({s.Y, x, s.X1});
        }
    }
    m_spans = std::move(result);
}

void Paint(QImage& image, const SpanSet& set, QRgb pixel, PaintOp op) {
    const int width = image.width();
    const int height = image.height();
    for (const Span& s : set.Spans()) {
        if (s.Y < 0 || s.Y >= height) {
            continue;
        }
        const int x0 = std::max(s.X0, 0);
        const int x1 = std::min(s.X1, width);
        if (x0 >= x1) {
            continue;
        }
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(s.Y));
        if (op == PaintOp::Copy) {
            std::fill(row + x0, row + x1, pixel);
        } else {
            for (int x = x0; x < x1; ++x) {
                row[x] = (~(row[x] ^ pixel) & 0x00FFFFFFu) | 0xFF000000u;
            }
        }
    }
}

int64_t ScaledIndex(int64_t i, int64_t from, int64_t to) {
    if (std::llabs(i) < kSafeCoordinate && std::llabs(to) < kSafeCoordinate) {
        return FloorDiv<int64_t>((2 * i + 1) * to, 2 * from);
    }
    return static_cast<int64_t>(
        FloorDiv<Wide>(static_cast<Wide>(2 * i + 1) * static_cast<Wide>(to), 2 * static_cast<Wide>(from)));
}

void AddLine(SpanSet& set, TPoint from, TPoint to) {
    const int64_t x0 = from.X;
    const int64_t y0 = from.Y;
    const int64_t dx = int64_t{to.X} - x0;
    const int64_t dy = int64_t{to.Y} - y0;
    if (dx == 0 && dy == 0) {
        return;
    }
    if (dy == 0) {
        if (dx > 0) {
            set.Add(y0, x0, to.X);
        } else {
            set.Add(y0, int64_t{to.X} + 1, x0 + 1);
        }
        return;
    }
    if (dx == 0) {
        const int64_t top = std::max(dy > 0 ? y0 : int64_t{to.Y} + 1, set.ClipTop());
        const int64_t bottom = std::min(dy > 0 ? int64_t{to.Y} : y0 + 1, set.ClipBottom());
        for (int64_t y = top; y < bottom; ++y) {
            set.AddPixel(x0, y);
        }
        return;
    }

    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major0 = xMajor ? x0 : y0;
    const int64_t minor0 = xMajor ? y0 : x0;
    const int64_t a = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t b = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    // Exact half-pixel ties go to the smaller minor coordinate whichever
    // way the line runs, so A->B and B->A light the same pixels.
    const int64_t bias = xMajor ? (dy < 0 ? 1 : 0) : (dx < 0 ? 1 : 0);

    // Only the steps whose major coordinate lies inside the clip area.
    const int64_t clipLow = xMajor ? set.ClipLeft() : set.ClipTop();
    const int64_t clipHigh = (xMajor ? set.ClipRight() : set.ClipBottom()) - 1;
    int64_t first = 0;
    int64_t last = a - 1;
    if (majorStep > 0) {
        first = std::max(first, clipLow - major0);
        last = std::min(last, clipHigh - major0);
    } else {
        first = std::max(first, major0 - clipHigh);
        last = std::min(last, major0 - clipLow);
    }
    if (first > last) {
        return;
    }

    // The incremental rule (err starts at 2b - a; plot; step the minor axis
    // when err + bias > 0) has taken floor((2b*i + a - 1 + bias) / (2a))
    // minor steps before step i, with err = remainder + 2b - 2a + 1 - bias.
    int64_t k = 0;
    int64_t remainder = 0;
    if (a < kSafeCoordinate) {
        const int64_t n = 2 * b * first + a - 1 + bias;
        k = n / (2 * a);
        remainder = n - k * 2 * a;
    } else {
        const Wide n = static_cast<Wide>(2 * b) * static_cast<Wide>(first) + (a - 1 + bias);
        const Wide q = FloorDiv<Wide>(n, static_cast<Wide>(2 * a));
        k = static_cast<int64_t>(q);
        remainder = static_cast<int64_t>(n - q * static_cast<Wide>(2 * a));
    }
    int64_t err = remainder + 2 * b - 2 * a + 1 - bias;
    for (int64_t i = first; i <= last; ++i) {
        const int64_t major = major0 + majorStep * i;
        const int64_t minor = minor0 + minorStep * k;
        if (xMajor) {
            set.AddPixel(major, minor);
        } else {
            set.AddPixel(minor, major);
        }
        if (err + bias > 0) {
            ++k;
            err += 2 * b - 2 * a;
        } else {
            err += 2 * b;
        }
    }
}

void AddStroke(SpanSet& set, TPoint from, TPoint to, int width) {
    const int64_t low = PenLow(width);
    const int64_t ax = from.X;
    const int64_t ay = from.Y;
    const int64_t bx = to.X;
    const int64_t by = to.Y;
    if (ax == bx || ay == by) {
        // Axis-parallel (or a single point): the caps and the span between
        // them form one rectangle.
        set.AddRect(std::min(ax, bx) + low, std::min(ay, by) + low, std::max(ax, bx) + low + width,
                    std::max(ay, by) + low + width);
        return;
    }
    // A sloped stroke is the cap block swept from one end to the other: the
    // hexagonal hull of the two end blocks, filled by the polygon rule. For
    // even widths the block of a sloped stroke sits one pixel to the right
    // of an axis-parallel one's (a diagonal (2,2)-(7,7) lights x = 2-3 on
    // row 1 and x = 6-8 on row 7).
    const int64_t shift = width % 2 == 0 ? 1 : 0;
    struct Block {
        Point64 tl, tr, br, bl;
    };
    auto block = [&](int64_t x, int64_t y) {
        const int64_t l = x + low + shift;
        const int64_t t = y + low;
        return Block{{l, t}, {l + width, t}, {l + width, t + width}, {l, t + width}};
    };
    Block p = block(ax, ay);
    Block q = block(bx, by);
    if (bx < ax) {
        std::swap(p, q);  // p is the left end
    }
    std::vector<Point64> hull;
    if ((bx - ax > 0) == (by - ay > 0)) {  // falling to the right
        hull = {p.tl, p.tr, q.tr, q.br, q.bl, p.bl};
    } else {  // rising to the right
        hull = {p.bl, p.tl, q.tl, q.tr, q.br, p.br};
    }
    FillPolygon(set, hull);
}

void AddPolygonFill(SpanSet& set, const std::vector<TPoint>& points) {
    std::vector<Point64> wide;
    wide.reserve(points.size());
    for (const TPoint& p : points) {
        wide.push_back({p.X, p.Y});
    }
    FillPolygon(set, wide);
}

void AddEllipse(SpanSet& inside, SpanSet& ring, int left, int top, int right, int bottom) {
    const int64_t width = int64_t{right} - left;
    const int64_t height = int64_t{bottom} - top;
    if (width < 3 || height < 3) {
        return;
    }
    // Squared doubled semi-axes times each other stay within 64 bits below
    // 2^15 pixels; bigger boxes than any bitmap are computed in floating point.
    constexpr int64_t kExactLimit = int64_t{1} << 15;
    if (width < kExactLimit && height < kExactLimit) {
        EllipseRows<int64_t>(inside, ring, left, top, width, height);
    } else {
        EllipseRows<long double>(inside, ring, left, top, width, height);
    }
}

void WidenPixels(SpanSet& into, const SpanSet& pixels, int width) {
    const int64_t low = PenLow(width);
    for (const Span& s : pixels.Spans()) {
        into.AddRect(int64_t{s.X0} + low, int64_t{s.Y} + low, int64_t{s.X1} + low + width,
                     int64_t{s.Y} + low + width);
    }
}

}  // namespace liquidus::raster
