#include "ternary/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace liquidus {
namespace {

TEST(Layout, WorkedScreenExamples) {
    const TTriangleLayout withLegend = CalcScreenLayout(469, 322, true);
    EXPECT_EQ(withLegend.LegendWidth, 135);
    EXPECT_EQ(withLegend.SideLength, 214);
    EXPECT_EQ(withLegend.TriangleHeight, 185);  // limited by the width
    EXPECT_EQ(withLegend.TriangleLeft, 60);
    EXPECT_EQ(withLegend.TriangleTop, 68);

    const TTriangleLayout wide = CalcScreenLayout(1000, 300, false);
    EXPECT_EQ(wide.LegendWidth, 0);
    EXPECT_EQ(wide.TriangleHeight, 180);
    EXPECT_EQ(wide.SideLength, 208);  // limited by the height
    EXPECT_EQ(wide.TriangleLeft, 396);
    EXPECT_EQ(wide.TriangleTop, 60);
}

TEST(Layout, LegendBandIsCappedAndTooSmallStartsAt120) {
    EXPECT_EQ(CalcScreenLayout(5000, 3000, true).LegendWidth, 180);
    EXPECT_EQ(CalcScreenLayout(620, 600, true).LegendWidth, 179);  // just under the cap
    // Width 240 leaves a side of 120: too small; 241 gives 121: drawable.
    EXPECT_TRUE(IsTooSmall(CalcScreenLayout(240, 400, false)));
    EXPECT_EQ(CalcScreenLayout(241, 400, false).SideLength, 121);
    EXPECT_FALSE(IsTooSmall(CalcScreenLayout(241, 400, false)));
}

TEST(Layout, ExportLayoutIsFixed) {
    const TTriangleLayout band = CalcExportLayout(true);
    EXPECT_EQ(band.LegendWidth, 173);
    EXPECT_EQ(band.SideLength, 307);
    EXPECT_EQ(band.TriangleHeight, 266);
    EXPECT_EQ(band.SideLength + 120 + band.LegendWidth, 600);
    EXPECT_EQ(band.TriangleHeight + 120, 386);
    const TTriangleLayout plain = CalcExportLayout(false);
    EXPECT_EQ(plain.SideLength, 323);
    EXPECT_EQ(plain.TriangleHeight, 280);
    EXPECT_EQ(plain.SideLength + 120 + plain.LegendWidth, 443);
    EXPECT_EQ(plain.TriangleLeft, 60);
    EXPECT_EQ(plain.TriangleTop, 60);
}

class Mapping : public ::testing::Test {
protected:
    TTriangleLayout l = CalcScreenLayout(469, 322, true);  // 60, 68, 214 x 185
    int Yb() const { return l.TriangleTop + l.TriangleHeight; }
};

TEST_F(Mapping, EdgesMeetAtTheApexAndTheBaseEnds) {
    EXPECT_DOUBLE_EQ(LeftEdgeX(l, Yb()), l.TriangleLeft);
    EXPECT_DOUBLE_EQ(RightEdgeX(l, Yb()), l.TriangleLeft + l.SideLength);
    // At the apex row the two edges are close to (not exactly at) the middle,
    // since the height was rounded; they cross there, unrounded.
    const double apexLeft = LeftEdgeX(l, l.TriangleTop);
    EXPECT_NEAR(apexLeft, l.TriangleLeft + l.SideLength / 2.0, 0.5);
    EXPECT_DOUBLE_EQ(apexLeft + RightEdgeX(l, l.TriangleTop), 2 * l.TriangleLeft + l.SideLength);
}

TEST_F(Mapping, CornersMapToTheirPixelsAndBack) {
    int x = 0;
    int y = 0;
    CompositionToPixel(l, nullptr, 100, 0, x, y);  // pure A: bottom-left
    EXPECT_EQ(x, l.TriangleLeft);
    EXPECT_EQ(y, Yb());
    CompositionToPixel(l, nullptr, 0, 0, x, y);  // pure C: bottom-right
    EXPECT_EQ(x, l.TriangleLeft + l.SideLength);
    EXPECT_EQ(y, Yb());
    CompositionToPixel(l, nullptr, 0, 100, x, y);  // pure B: apex
    EXPECT_EQ(y, l.TriangleTop);
    EXPECT_EQ(x, std::lround(LeftEdgeX(l, l.TriangleTop)));

    double a = 0, b = 0, c = 0;
    PixelToComposition(l, nullptr, 100, l.TriangleLeft, Yb(), a, b, c);
    EXPECT_NEAR(a, 100, 1e-9);
    EXPECT_NEAR(b, 0, 1e-9);
    EXPECT_NEAR(c, 0, 1e-9);
    PixelToComposition(l, nullptr, 1, l.TriangleLeft + l.SideLength, Yb(), a, b, c);
    EXPECT_NEAR(c, 1, 1e-9);
    EXPECT_NEAR(a, 0, 1e-9);
}

TEST_F(Mapping, ApexRowMapsToPureB) {
    // On the apex row the edges nearly coincide; a point between them reads
    // (close to) pure B, A and C from the edge distances.
    double a = 0, b = 0, c = 0;
    const double mid = (LeftEdgeX(l, l.TriangleTop) + RightEdgeX(l, l.TriangleTop)) / 2;
    PixelToComposition(l, nullptr, 100, static_cast<int>(std::floor(mid)), l.TriangleTop, a, b, c);
    EXPECT_NEAR(a + c, 0.0, 100.0 / l.SideLength);
    EXPECT_NEAR(b, 100.0, 100.0 / l.SideLength);
}

TEST_F(Mapping, InteriorRoundTripsWithinOnePixel) {
    for (double a = 5; a <= 90; a += 7.5) {
        for (double b = 5; a + b <= 95; b += 6.25) {
            int x = 0, y = 0;
            CompositionToPixel(l, nullptr, a, b, x, y);
            double ra = 0, rb = 0, rc = 0;
            PixelToComposition(l, nullptr, 100, x, y, ra, rb, rc);
            const double pixelShare = 100.0 / l.SideLength;
            EXPECT_NEAR(ra, a, 1.5 * pixelShare) << a << "," << b;
            EXPECT_NEAR(rb, b, 1.5 * pixelShare) << a << "," << b;
            EXPECT_NEAR(ra + rb + rc, 100.0, 1e-9);
        }
    }
}

TEST_F(Mapping, InsideTestExcludesTheBaseRowAndIncludesTheEdges) {
    EXPECT_FALSE(IsInsideTriangle(l, l.TriangleLeft + l.SideLength / 2, Yb()));
    EXPECT_TRUE(IsInsideTriangle(l, l.TriangleLeft + l.SideLength / 2, Yb() - 1));
    // On every row the first pixel at or right of the left edge is inside and
    // the one before it is not; likewise at the right edge.
    for (int y = l.TriangleTop + 1; y < Yb(); ++y) {
        const int firstIn = static_cast<int>(std::ceil(LeftEdgeX(l, y)));
        const int lastIn = static_cast<int>(std::floor(RightEdgeX(l, y)));
        EXPECT_TRUE(IsInsideTriangle(l, firstIn, y)) << y;
        EXPECT_FALSE(IsInsideTriangle(l, firstIn - 1, y)) << y;
        EXPECT_TRUE(IsInsideTriangle(l, lastIn, y)) << y;
        EXPECT_FALSE(IsInsideTriangle(l, lastIn + 1, y)) << y;
    }
}

TEST_F(Mapping, AboveTheApexIsOutside) {
    EXPECT_FALSE(IsInsideTriangle(l, l.TriangleLeft + l.SideLength / 2, l.TriangleTop - 1));
}

TEST_F(Mapping, ZoomedFormsMapTheWindowOntoTheWholeTriangle) {
    // Window A 40..60, B 20..40, C 20..40 (each 20 wide).
    TZoomCorners corners{{{60, 20, 20}, {40, 40, 20}, {40, 20, 40}}};
    const TZoomWindow zoom = TZoomWindow::FromCorners(corners);
    EXPECT_EQ(zoom.AMax, 60);
    EXPECT_EQ(zoom.AMin, 40);
    EXPECT_EQ(zoom.BMin, 20);
    EXPECT_EQ(zoom.BMax, 40);
    EXPECT_EQ(zoom.CMin, 20);
    EXPECT_EQ(zoom.CMax, 40);
    int x = 0, y = 0;
    CompositionToPixel(l, &zoom, 60, 20, x, y);  // the window's A corner: bottom-left
    EXPECT_EQ(x, l.TriangleLeft);
    EXPECT_EQ(y, Yb());
    CompositionToPixel(l, &zoom, 40, 20, x, y);  // C corner: bottom-right
    EXPECT_EQ(x, l.TriangleLeft + l.SideLength);
    double a = 0, b = 0, c = 0;
    PixelToComposition(l, &zoom, 100, l.TriangleLeft, Yb(), a, b, c);
    EXPECT_NEAR(a, 60, 1e-9);
    EXPECT_NEAR(c, 20, 1e-9);
    EXPECT_NEAR(b, 20, 1e-9);
    PixelToComposition(l, &zoom, 1, l.TriangleLeft + l.SideLength, Yb(), a, b, c);
    EXPECT_NEAR(a, 0.40, 1e-9);
    EXPECT_NEAR(c, 0.40, 1e-9);
    EXPECT_TRUE(zoom.Contains(60, 20, 20));
    EXPECT_FALSE(zoom.ContainsStrictly(60, 20, 20));
    EXPECT_TRUE(zoom.ContainsStrictly(50, 25, 25));
}

}  // namespace
}  // namespace liquidus
