#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "canvas_test_util.h"

namespace liquidus {
namespace {

// A triangle of 1-pixel LineTo sides, all three sloped, so that the fill
// has a diagonal gap to leak through at every step if it were 8-connected.
void DrawTriangle(TCanvas& canvas) {
    canvas.Pen.Color = clBlack;
    canvas.MoveTo(10, 2);
    canvas.LineTo(37, 20);
    canvas.LineTo(3, 33);
    canvas.LineTo(10, 2);
}

TEST(FloodFill, StaysInsideADiagonalOutline) {
    TBitmap bitmap(40, 40);
    TCanvas& canvas = bitmap.Canvas();
    DrawTriangle(canvas);
    const auto outline = testing::Changed(bitmap);
    canvas.Brush.Color = clRed;
    ASSERT_TRUE(canvas.FloodFill(15, 18, clBlack));
    int inside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const TColor c = canvas.Pixel(x, y);
            if (outline.count({x, y})) {
                ASSERT_EQ(c, clBlack);
            } else if (c == clRed) {
                ++inside;
            } else {
                ASSERT_EQ(c, clWhite) << x << "," << y;
            }
        }
    }
    // Corners of the bitmap are outside, the centroid inside.
    EXPECT_EQ(canvas.Pixel(0, 0), clWhite);
    EXPECT_EQ(canvas.Pixel(39, 39), clWhite);
    EXPECT_EQ(canvas.Pixel(39, 0), clWhite);
    EXPECT_EQ(canvas.Pixel(16, 18), clRed);
    EXPECT_GT(inside, 300);

    // Filling the outside now reaches every remaining white pixel and none
    // of the red ones.
    canvas.Brush.Color = clBlue;
    ASSERT_TRUE(canvas.FloodFill(0, 0, clBlack));
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_NE(canvas.Pixel(x, y), clWhite);
        }
    }
    EXPECT_EQ(canvas.Pixel(16, 18), clRed);
}

TEST(FloodFill, FillsOverEveryColourButTheBorder) {
    TBitmap bitmap(20, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Color = clBlack;
    canvas.Rectangle(0, 0, 12, 10);
    canvas.SetPixel(3, 3, clRed);
    canvas.SetPixel(4, 3, clBlue);
    canvas.Pen.Color = clLime;
    canvas.MoveTo(1, 6);
    canvas.LineTo(11, 6);  // a coloured line across is no border
    canvas.Brush.Color = clSilver;
    ASSERT_TRUE(canvas.FloodFill(5, 2, clBlack));
    for (int y = 1; y < 9; ++y) {
        for (int x = 1; x < 11; ++x) {
            ASSERT_EQ(canvas.Pixel(x, y), clSilver) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.Pixel(12, 5), clWhite);  // beyond the border
    EXPECT_EQ(canvas.Pixel(0, 5), clBlack);

    // Filling with the colour the area already has still terminates.
    ASSERT_TRUE(canvas.FloodFill(5, 2, clBlack));
    EXPECT_EQ(canvas.Pixel(5, 5), clSilver);
    // The brush may even be the border colour.
    canvas.Brush.Color = clBlack;
    ASSERT_TRUE(canvas.FloodFill(5, 2, clBlack));
    EXPECT_EQ(canvas.Pixel(10, 8), clBlack);
}

TEST(FloodFill, SeedOutsideOrOnTheBorderFillsNothing) {
    TBitmap bitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Rectangle(2, 2, 8, 8);
    const auto before = testing::Snapshot(bitmap);
    canvas.Brush.Color = clRed;
    EXPECT_FALSE(canvas.FloodFill(2, 4, clBlack));
    EXPECT_FALSE(canvas.FloodFill(-1, 4, clBlack));
    EXPECT_FALSE(canvas.FloodFill(4, 10, clBlack));
    EXPECT_FALSE(canvas.FloodFill(10, 0, clBlack));
    EXPECT_EQ(testing::Snapshot(bitmap), before);
    // The border colour is resolved like any other: clWindowFrame is black.
    EXPECT_FALSE(canvas.FloodFill(2, 4, clWindowFrame));
    EXPECT_TRUE(canvas.FloodFill(4, 4, clWindowFrame));
    EXPECT_EQ(canvas.Pixel(4, 4), clRed);
    EXPECT_EQ(canvas.Pixel(0, 0), clWhite);
}

TEST(FloodFill, FourMegapixelsWithoutRecursion) {
    TBitmap bitmap(2048, 2048);
    TCanvas& canvas = bitmap.Canvas();
    // A comb of vertical walls makes one long serpentine area.
    canvas.Pen.Color = clBlack;
    for (int x = 8; x < 2048; x += 8) {
        const bool fromTop = (x / 8) % 2 == 1;
        canvas.MoveTo(x, fromTop ? 0 : 2047);
        canvas.LineTo(x, fromTop ? 2040 : 7);
    }
    canvas.Brush.Color = clRed;
    ASSERT_TRUE(canvas.FloodFill(1, 1, clBlack));
    EXPECT_EQ(canvas.Pixel(2047, 2047), clRed);
    EXPECT_EQ(canvas.Pixel(2047, 0), clRed);
    EXPECT_EQ(canvas.Pixel(1001, 1000), clRed);
    EXPECT_EQ(canvas.Pixel(8, 100), clBlack);

    TBitmap open(2048, 2048);
    open.Canvas().Brush.Color = clBlue;
    ASSERT_TRUE(open.Canvas().FloodFill(1024, 1024, clBlack));
    int white = 0;
    for (int y = 0; y < 2048; ++y) {
        for (int x = 0; x < 2048; ++x) {
            white += open.Canvas().Pixel(x, y) != clBlue;
        }
    }
    EXPECT_EQ(white, 0);
}

}  // namespace
}  // namespace liquidus
