#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "canvas/canvas.h"
#include "canvas_test_util.h"

namespace liquidus {
namespace {

using testing::Changed;
using testing::Pixels;
using testing::PixelSet;
using testing::Rows;

PixelSet DrawLine(TPoint from, TPoint to, int width = 1, int size = 20) {
    TBitmap bitmap(size, size);
    bitmap.Canvas().Pen.Width = width;
    bitmap.Canvas().MoveTo(from.X, from.Y);
    bitmap.Canvas().LineTo(to.X, to.Y);
    return Changed(bitmap);
}

// The incremental rule exactly as stated, without clipping, for comparison.
PixelSet ReferenceLine(TPoint a, TPoint b) {
    PixelSet set;
    const int dx = b.X - a.X;
    const int dy = b.Y - a.Y;
    if (dx == 0 || dy == 0) {
        const int sx = (dx > 0) - (dx < 0);
        const int sy = (dy > 0) - (dy < 0);
        for (int i = 0; i < std::abs(dx) + std::abs(dy); ++i) {
            set.insert({a.X + sx * i, a.Y + sy * i});
        }
        return set;
    }
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int major = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    const int bias = xMajor ? (dy < 0) : (dx < 0);
    int x = a.X;
    int y = a.Y;
    int err = 2 * minor - major;
    for (int i = 0; i < major; ++i) {
        set.insert({x, y});
        if (err + bias > 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
    return set;
}

PixelSet Inside(const PixelSet& set, int size) {
    PixelSet in;
    for (const auto& p : set) {
        if (p.first >= 0 && p.second >= 0 && p.first < size && p.second < size) {
            in.insert(p);
        }
    }
    return in;
}

TEST(LineTo, WorkedExamplesInBothDirections) {
    EXPECT_EQ(DrawLine({0, 0}, {5, 2}), Pixels({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(DrawLine({5, 2}, {0, 0}), Pixels({{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    EXPECT_EQ(DrawLine({0, 0}, {4, 2}), Pixels({{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(DrawLine({0, 2}, {4, 0}), Pixels({{0, 2}, {1, 1}, {2, 1}, {3, 0}}));
    EXPECT_EQ(DrawLine({0, 0}, {2, 4}), Pixels({{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
    // Ties go to the smaller minor coordinate whichever way the line runs.
    EXPECT_EQ(DrawLine({4, 2}, {0, 0}), Pixels({{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    EXPECT_EQ(DrawLine({2, 4}, {0, 0}), Pixels({{2, 4}, {1, 3}, {1, 2}, {0, 1}}));
    EXPECT_EQ(DrawLine({2, 0}, {0, 4}), Pixels({{2, 0}, {1, 1}, {1, 2}, {0, 3}}));
}

TEST(LineTo, AxisParallelSpansLeaveTheEndOut) {
    PixelSet expected;
    for (int x = 1; x <= 5; ++x) {
        expected.insert({x, 0});
    }
    EXPECT_EQ(DrawLine({5, 0}, {0, 0}), expected);
    EXPECT_EQ(DrawLine({0, 3}, {0, 6}), Pixels({{0, 3}, {0, 4}, {0, 5}}));
    EXPECT_EQ(DrawLine({2, 6}, {2, 3}), Pixels({{2, 6}, {2, 5}, {2, 4}}));
    EXPECT_TRUE(DrawLine({3, 3}, {3, 3}).empty());
    EXPECT_EQ(DrawLine({0, 0}, {3, 3}), Pixels({{0, 0}, {1, 1}, {2, 2}}));
}

TEST(LineTo, ReverseLightsTheSameLineAndMovesThePen) {
    TBitmap bitmap(30, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.MoveTo(3, 4);
    EXPECT_EQ(canvas.PenPos(), (TPoint{3, 4}));
    canvas.LineTo(25, 13);
    EXPECT_EQ(canvas.PenPos(), (TPoint{25, 13}));
    PixelSet forward = Changed(bitmap);
    forward.insert({25, 13});
    PixelSet backward = DrawLine({25, 13}, {3, 4}, 1, 30);
    backward.insert({3, 4});
    EXPECT_EQ(forward, backward);
}

TEST(LineTo, MatchesTheIncrementalRuleAlsoWhenClipped) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-40, 60);
    constexpr int kSize = 24;
    for (int i = 0; i < 3000; ++i) {
        const TPoint a{coordinate(random), coordinate(random)};
        const TPoint b{coordinate(random), coordinate(random)};
        ASSERT_EQ(DrawLine(a, b, 1, kSize), Inside(ReferenceLine(a, b), kSize))
            << a.X << "," << a.Y << " -> " << b.X << "," << b.Y;
    }
    // Far-away end points: only the visible part is walked.
    TBitmap bitmap(10, 10);
    bitmap.Canvas().MoveTo(-2000000000, 5);
    bitmap.Canvas().LineTo(2000000000, 6);
    EXPECT_EQ(Changed(bitmap).size(), 10u);
}

TEST(LineTo, WidePenHorizontalVerticalAndPoint) {
    EXPECT_EQ(DrawLine({2, 2}, {8, 2}, 2), Rows(1, {{1, 8}, {1, 8}}));
    EXPECT_EQ(DrawLine({8, 2}, {2, 2}, 2), Rows(1, {{1, 8}, {1, 8}}));
    EXPECT_EQ(DrawLine({4, 1}, {4, 4}, 2), Rows(0, {{3, 4}, {3, 4}, {3, 4}, {3, 4}, {3, 4}}));
    EXPECT_EQ(DrawLine({5, 5}, {5, 5}, 2), Pixels({{4, 4}, {5, 4}, {4, 5}, {5, 5}}));
}

TEST(LineTo, WidePenDiagonalWorkedExample) {
    const PixelSet expected =
        Rows(1, {{2, 3}, {2, 4}, {2, 5}, {3, 6}, {4, 7}, {5, 8}, {6, 8}});
    EXPECT_EQ(DrawLine({2, 2}, {7, 7}, 2), expected);
    EXPECT_EQ(DrawLine({7, 7}, {2, 2}, 2), expected);
}

// Signed distance of (x, y) from the line through a and b, positive on the
// side of `inside`.
double SideDistance(double x, double y, TPoint a, TPoint b, TPoint inside) {
    const double nx = b.Y - a.Y;
    const double ny = a.X - b.X;
    const double length = std::hypot(nx, ny);
    const double d = ((x - a.X) * nx + (y - a.Y) * ny) / length;
    const double s = (inside.X - a.X) * nx + (inside.Y - a.Y) * ny;
    return s > 0 ? d : -d;
}

// A fill seeded outside a closed wide outline must never get inside,
// whatever the slopes of its sides.
TEST(LineTo, WideStrokesAreTightForFourConnectedFills) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(2, 57);
    int checkedInside = 0;
    for (int i = 0; i < 300; ++i) {
        TBitmap bitmap(60, 60);
        TCanvas& canvas = bitmap.Canvas();
        canvas.Pen.Width = 2;
        const TPoint a{coordinate(random), coordinate(random)};
        const TPoint b{coordinate(random), coordinate(random)};
        const TPoint c{coordinate(random), coordinate(random)};
        const double area = std::abs((b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y));
        if (area < 100) {
            continue;
        }
        canvas.Polyline({a, b, c, a});
        canvas.Brush.Color = clRed;
        ASSERT_TRUE(canvas.FloodFill(0, 0, clBlack));
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                const double d = std::min({SideDistance(x, y, a, b, c),
                                           SideDistance(x, y, b, c, a),
                                           SideDistance(x, y, c, a, b)});
                if (d > 3) {
                    ASSERT_EQ(canvas.Pixel(x, y), clWhite) << "leak at " << x << "," << y;
                    ++checkedInside;
                }
            }
        }
        for (const TPoint& p : {a, b, c}) {
            ASSERT_EQ(canvas.Pixel(p.X, p.Y), clBlack);
        }
    }
    EXPECT_GT(checkedInside, 1000);
}

TEST(LineTo, NotXorTwiceRestoresThePicture) {
    TBitmap bitmap(40, 40);
    testing::PaintStripes(bitmap);
    const auto before = testing::Snapshot(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Mode = TPenMode::pmNotXor;
    for (int width : {1, 2}) {
        canvas.Pen.Width = width;
        canvas.MoveTo(3, 5);
        canvas.LineTo(30, 17);
        canvas.MoveTo(3, 5);
        canvas.LineTo(30, 17);
        EXPECT_EQ(testing::Snapshot(bitmap), before) << "width " << width;
    }
    // One pass inverts each pixel of the line exactly once.
    canvas.Pen.Width = 1;
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 0);
    for (int x = 0; x < 4; ++x) {
        const TColor was = before[static_cast<std::size_t>(x)];
        EXPECT_EQ(canvas.Pixel(x, 0), RGB(255 - GetRValue(was), 255 - GetGValue(was),
                                          255 - GetBValue(was)));
    }
    EXPECT_EQ(canvas.Pixel(4, 0), before[4]);
}

TEST(Polyline, IsOneFigureForAnInvertingPen) {
    TBitmap bitmap(40, 40);
    const std::vector<TPoint> band = {{5, 5}, {30, 12}, {12, 33}, {5, 5}};
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Width = 2;
    canvas.Pen.Mode = TPenMode::pmNotXor;
    canvas.Polyline(band);
    // On white every pixel of the figure turns black exactly once, joints too.
    for (const auto& [x, y] : Changed(bitmap)) {
        ASSERT_EQ(canvas.Pixel(x, y), clBlack) << x << "," << y;
    }
    // The same figure in copy mode covers the same pixels.
    TBitmap copy(40, 40);
    copy.Canvas().Pen.Width = 2;
    copy.Canvas().Polyline(band);
    EXPECT_EQ(Changed(bitmap), Changed(copy));

    testing::PaintStripes(bitmap);
    const auto before = testing::Snapshot(bitmap);
    canvas.Polyline(band);
    EXPECT_NE(testing::Snapshot(bitmap), before);
    canvas.Polyline(band);
    EXPECT_EQ(testing::Snapshot(bitmap), before);
}

TEST(Polyline, OnePixelLeavesTheLastPointOutAndKeepsThePen) {
    TBitmap bitmap(10, 10);
    bitmap.Canvas().MoveTo(9, 9);
    bitmap.Canvas().Polyline({{1, 1}, {4, 1}, {4, 3}});
    EXPECT_EQ(Changed(bitmap), Pixels({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}}));
    EXPECT_EQ(bitmap.Canvas().PenPos(), (TPoint{9, 9}));
}

}  // namespace
}  // namespace liquidus
