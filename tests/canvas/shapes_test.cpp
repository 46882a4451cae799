#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "canvas_test_util.h"

namespace liquidus {
namespace {

using testing::Changed;
using testing::Picture;
using testing::PixelSet;
using testing::Rows;

using Lines = std::vector<std::string>;

const std::vector<std::pair<TColor, char>> kLegend = {
    {clWhite, '.'}, {clBlack, '#'}, {clLime, 'o'}};

TBitmap& Prepared(TBitmap& bitmap) {
    bitmap.Canvas().Pen.Color = clBlack;
    bitmap.Canvas().Brush.Color = clLime;
    return bitmap;
}

TEST(Rectangle, OutlinesTheHalfOpenBoxAndFillsInside) {
    TBitmap bitmap(8, 6);
    Prepared(bitmap).Canvas().Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Picture(bitmap, 0, 0, 8, 6, kLegend), (Lines{"........",
                                                            ".#####..",
                                                            ".#ooo#..",
                                                            ".#ooo#..",
                                                            ".#####..",
                                                            "........"}));
    // Reversed corners give the same figure.
    TBitmap reversed(8, 6);
    Prepared(reversed).Canvas().Rectangle(6, 5, 1, 1);
    EXPECT_EQ(Changed(reversed), Changed(bitmap));

    TBitmap empty(8, 6);
    Prepared(empty).Canvas().Rectangle(2, 1, 2, 5);
    Prepared(empty).Canvas().Rectangle(1, 3, 6, 3);
    EXPECT_TRUE(Changed(empty).empty());

    TBitmap thin(8, 6);
    Prepared(thin).Canvas().Rectangle(2, 1, 3, 4);
    EXPECT_EQ(Changed(thin), Rows(1, {{2, 2}, {2, 2}, {2, 2}}));
}

TEST(Rectangle, WidePenFramesTheBox) {
    TBitmap bitmap(8, 7);
    Prepared(bitmap).Canvas().Pen.Width = 2;
    bitmap.Canvas().Rectangle(1, 1, 7, 7);
    EXPECT_EQ(Picture(bitmap, 0, 0, 8, 7, kLegend), (Lines{"#######.",
                                                            "#######.",
                                                            "##ooo##.",
                                                            "##ooo##.",
                                                            "##ooo##.",
                                                            "#######.",
                                                            "#######."}));
}

TEST(FillRect, BrushOnlyRightAndBottomExclusive) {
    TBitmap bitmap(6, 5);
    Prepared(bitmap).Canvas().FillRect({1, 1, 4, 3});
    EXPECT_EQ(Picture(bitmap, 0, 0, 6, 5, kLegend), (Lines{"......",
                                                            ".ooo..",
                                                            ".ooo..",
                                                            "......",
                                                            "......"}));
    bitmap.Canvas().Brush.Color = clBlack;
    bitmap.Canvas().FillRect({4, 3, 1, 1});  // reversed: empty
    bitmap.Canvas().FillRect({-5, 4, 100, 100});  // clipped
    EXPECT_EQ(Picture(bitmap, 0, 3, 6, 5, kLegend), (Lines{"......", "######"}));
}

TEST(Ellipse, SmallShapesMatchTheirPixelPatterns) {
    TBitmap bitmap(20, 8);
    TCanvas& canvas = Prepared(bitmap).Canvas();
    canvas.Ellipse(2 - 2, 3 - 2, 2 + 2, 3 + 2);   // 4 x 4
    canvas.Ellipse(8 - 2, 3 - 2, 8 + 3, 3 + 3);   // 5 x 5
    canvas.Ellipse(13, 1, 16, 4);                 // 3 x 3
    canvas.Ellipse(17, 1, 19, 3);                 // 2 x 2: a rectangle
    EXPECT_EQ(Picture(bitmap, 0, 0, 20, 8, kLegend), (Lines{"....................",
                                                             ".##....###....#..##.",
                                                             "#oo#..#ooo#..#o#.##.",
                                                             "#oo#..#ooo#...#.....",
                                                             ".##...#ooo#.........",
                                                             ".......###..........",
                                                             "....................",
                                                             "...................."}));
}

TEST(Ellipse, OutlineIsClosedAndSymmetric) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{
             {6, 6}, {7, 7}, {12, 12}, {31, 17}, {40, 9}, {9, 40}, {101, 100}}) {
        TBitmap bitmap(w + 4, h + 4);
        TCanvas& canvas = Prepared(bitmap).Canvas();
        canvas.Ellipse(w + 2, h + 2, 2, 2);  // reversed corners are normalised
        // Brush pixels only inside, pen around them: a fill from outside
        // stops at the ring and never reaches the brush.
        canvas.Brush.Color = clRed;
        ASSERT_TRUE(canvas.FloodFill(0, 0, clBlack));
        int brush = 0;
        for (int y = 0; y < h + 4; ++y) {
            for (int x = 0; x < w + 4; ++x) {
                const TColor c = canvas.Pixel(x, y);
                ASSERT_NE(c, clWhite) << w << "x" << h << " at " << x << "," << y;
                brush += c == clLime;
                // Mirror images across both axes of the box.
                ASSERT_EQ(c, canvas.Pixel(w + 3 - x, y));
                ASSERT_EQ(c, canvas.Pixel(x, h + 3 - y));
            }
        }
        EXPECT_GT(brush, (w - 2) * (h - 2) / 2);
        // The box is touched on all four sides, nothing outside it.
        EXPECT_EQ(canvas.Pixel(2 + w / 2, 2), clBlack);
        EXPECT_EQ(canvas.Pixel(2, 2 + h / 2), clBlack);
        EXPECT_EQ(canvas.Pixel(1 + w, 2 + h / 2), clBlack);
        EXPECT_EQ(canvas.Pixel(2 + w / 2, 1 + h), clBlack);
        EXPECT_EQ(canvas.Pixel(2, 2), clRed);
    }
}

TEST(Ellipse, NotXorTouchesEachPixelOnce) {
    TBitmap bitmap(30, 30);
    testing::PaintStripes(bitmap);
    const auto before = testing::Snapshot(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Mode = TPenMode::pmNotXor;
    canvas.Brush.Color = clBlack;
    for (int width : {1, 2, 3}) {
        canvas.Pen.Width = width;
        canvas.Ellipse(3, 4, 25, 20);
        EXPECT_NE(testing::Snapshot(bitmap), before);
        canvas.Ellipse(3, 4, 25, 20);
        EXPECT_EQ(testing::Snapshot(bitmap), before) << "width " << width;
    }
}

TEST(Polygon, BrushByTheFillRuleThenTheClosedOutline) {
    TBitmap bitmap(12, 12);
    Prepared(bitmap).Canvas().Polygon({{1, 1}, {9, 1}, {1, 9}});
    PixelSet brush;
    PixelSet pen;
    for (const auto& p : Changed(bitmap)) {
        (bitmap.Canvas().Pixel(p.first, p.second) == clLime ? brush : pen).insert(p);
    }
    // The outline is the closed LineTo path, so every vertex is on it.
    TBitmap path(12, 12);
    path.Canvas().MoveTo(1, 1);
    path.Canvas().LineTo(9, 1);
    path.Canvas().LineTo(1, 9);
    path.Canvas().LineTo(1, 1);
    EXPECT_EQ(pen, Changed(path));
    for (const auto& v : {std::pair{1, 1}, std::pair{9, 1}, std::pair{1, 9}}) {
        EXPECT_TRUE(pen.count(v)) << v.first << "," << v.second;
    }
    // Row y of the fill is x = 1 .. 9 - y; the outline covers the rest.
    PixelSet expectedBrush;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 9 - y; ++x) {
            if (!pen.count({x, y})) {
                expectedBrush.insert({x, y});
            }
        }
    }
    EXPECT_EQ(brush, expectedBrush);
    EXPECT_TRUE(brush.count({2, 7}));  // last fill pixel of row 7, next to the outline

    // Even-odd: where a self-crossing figure overlaps itself it is unfilled.
    TBitmap crossing(12, 12);
    Prepared(crossing).Canvas().Polygon(
        {{0, 2}, {10, 2}, {10, 6}, {4, 6}, {4, 0}, {8, 0}, {8, 10}, {0, 10}});
    EXPECT_EQ(crossing.Canvas().Pixel(6, 4), clWhite);
    EXPECT_EQ(crossing.Canvas().Pixel(2, 8), clLime);
}

TEST(Polygon, NotXorWideOutlineTwiceRestores) {
    TBitmap bitmap(40, 40);
    testing::PaintStripes(bitmap);
    const auto before = testing::Snapshot(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Mode = TPenMode::pmNotXor;
    canvas.Pen.Width = 2;
    canvas.Polygon({{5, 5}, {35, 9}, {20, 33}});
    canvas.Polygon({{5, 5}, {35, 9}, {20, 33}});
    EXPECT_EQ(testing::Snapshot(bitmap), before);
}

TEST(Figures, FarAwayCoordinatesAreClipped) {
    constexpr int kFar = 2000000000;
    TBitmap bitmap(10, 10);
    TCanvas& canvas = Prepared(bitmap).Canvas();
    canvas.Ellipse(-kFar, -kFar, kFar, kFar);
    EXPECT_EQ(testing::Changed(bitmap, clLime).size(), 0u);

    canvas.Pen.Width = 2;
    canvas.MoveTo(-kFar, -kFar);
    canvas.LineTo(kFar, kFar);
    EXPECT_EQ(canvas.Pixel(5, 5), clBlack);
    EXPECT_EQ(canvas.Pixel(0, 9), clLime);
    EXPECT_EQ(canvas.Pixel(9, 0), clLime);

    canvas.Brush.Color = clBlue;
    canvas.Polygon({{-kFar, -kFar}, {kFar, -kFar}, {kFar, kFar}, {-kFar, kFar}});
    EXPECT_EQ(testing::Changed(bitmap, clBlue).size(), 0u);
    canvas.Rectangle(kFar, kFar, -kFar, -kFar);
    EXPECT_EQ(testing::Changed(bitmap, clBlue).size(), 0u);
}

}  // namespace
}  // namespace liquidus
