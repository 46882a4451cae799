#include <gtest/gtest.h>

#include "canvas/rasterizer.h"
#include "canvas_test_util.h"

namespace liquidus::raster {
namespace {

using liquidus::testing::PixelSet;
using liquidus::testing::Rows;

PixelSet PixelsOf(SpanSet set) {
    PixelSet pixels;
    for (const Span& s : set.Spans()) {
        for (int x = s.X0; x < s.X1; ++x) {
            EXPECT_TRUE(pixels.insert({x, s.Y}).second) << "pixel listed twice";
        }
    }
    return pixels;
}

TEST(PolygonFill, LeftAndTopEdgesInRightAndBottomOut) {
    SpanSet set(20, 20);
    AddPolygonFill(set, {{1, 1}, {9, 1}, {1, 9}});
    EXPECT_EQ(PixelsOf(set),
              Rows(1, {{1, 8}, {1, 7}, {1, 6}, {1, 5}, {1, 4}, {1, 3}, {1, 2}, {1, 1}}));

    SpanSet square(20, 20);
    AddPolygonFill(square, {{2, 3}, {5, 3}, {5, 6}, {2, 6}});
    EXPECT_EQ(PixelsOf(square), Rows(3, {{2, 4}, {2, 4}, {2, 4}}));

    // Crossings round up: the left edge passes x = 2.5 on row 1.
    SpanSet slanted(20, 20);
    AddPolygonFill(slanted, {{1, 0}, {8, 0}, {8, 2}, {4, 2}});
    EXPECT_EQ(PixelsOf(slanted), Rows(0, {{1, 7}, {3, 7}}));

    // Fewer than three points enclose nothing.
    SpanSet line(20, 20);
    AddPolygonFill(line, {{1, 1}, {9, 9}});
    EXPECT_TRUE(line.Empty());
}

TEST(SpanSet, ClipsMergesAndSubtracts) {
    SpanSet set(10, 4);
    set.Add(-1, 0, 5);  // row outside
    set.Add(0, -3, 2);
    set.Add(0, 1, 4);
    set.Add(0, 8, 20);
    set.Add(1, 3, 3);  // empty
    set.AddPixel(2, 3);
    set.Normalise();
    ASSERT_EQ(set.Spans().size(), 3u);
    EXPECT_EQ(PixelsOf(set), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {8, 0}, {9, 0}, {2, 3}}));

    SpanSet cut(10, 4);
    cut.Add(0, 1, 2);
    cut.Add(0, 3, 9);
    cut.Normalise();
    set.Subtract(cut);
    EXPECT_EQ(PixelsOf(set), (PixelSet{{0, 0}, {2, 0}, {9, 0}, {2, 3}}));
}

TEST(ScaledIndex, SamplesPixelCentres) {
    // Doubling: each source pixel twice; halving: every other one.
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ScaledIndex(i, 8, 4), i / 2);
        EXPECT_EQ(ScaledIndex(i, 8, 16), 2 * i + 1);
        EXPECT_EQ(ScaledIndex(i, 8, 8), i);
    }
    EXPECT_EQ(ScaledIndex(0, 3, 1), 0);
    EXPECT_EQ(ScaledIndex(2, 3, 1), 0);
}

}  // namespace
}  // namespace liquidus::raster
