#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "sample/sample.h"
#include "sample/sampledata.h"
#include "support/fakehost.h"
#include "support/probe.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

class Zoom : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TProbe diagram{&host};
    int zoomIns = 0;
    int zoomOuts = 0;

    void SetUp() override {
        LoadSampleDiagram(diagram);
        diagram.SetBounds(1024, 768);
        diagram.OnZoomIn = [this](TComponent&) { ++zoomIns; };
        diagram.OnZoomOut = [this](TComponent&) { ++zoomOuts; };
        diagram.Paint();
    }
    TPoint PixelOf(double a, double b) const {
        TPoint p;
        diagram.CompositionToPixel(a, b, p.X, p.Y);
        return p;
    }
    void Drag(TPoint from, TPoint to) {
        diagram.MouseDown(TMouseButton::mbLeft, 0, from.X, from.Y);
        diagram.MouseMove(ssLeft, to.X, to.Y);
        diagram.MouseUp(TMouseButton::mbLeft, 0, to.X, to.Y);
    }
    int Yb() const { return diagram.TriangleTop() + diagram.TriangleHeight(); }
};

TEST_F(Zoom, DragSnapsTheWindowToTheTenPercentGrid) {
    struct TCase {
        const char* what;
        TPoint from, to;
        double aMin, bMin, cMin;
    };
    const int y = Yb() - 1;
    const TPoint small = PixelOf(45, 23);
    const TCase cases[] = {
        {"small selection", small, {small.X + 3, small.Y}, 40, 20, 30},
        {"whole triangle",
         {static_cast<int>(std::floor(diagram.LeftEdgeX(y))) + 1, y},
         {static_cast<int>(std::ceil(diagram.RightEdgeX(y))) - 1, y},
         0,
         0,
         0},
        {"bounds on tens", PixelOf(49.6, 20.2), PixelOf(40.2, 20.2), 40, 20, 30},
    };
    for (const TCase& c : cases) {
        SetUp();
        Drag(c.from, c.to);
        ASSERT_TRUE(diagram.Zoom()) << c.what;
        const TZoomWindow w = diagram.ZoomWindow();
        EXPECT_EQ(w.AMin, c.aMin) << c.what;
        EXPECT_EQ(w.BMin, c.bMin) << c.what;
        EXPECT_EQ(w.CMin, c.cMin) << c.what;
        EXPECT_EQ(w.AMax - w.AMin, 100 - c.aMin - c.bMin - c.cMin) << c.what;
        EXPECT_FALSE(diagram.Dragging());
        // Left press anywhere zooms out.
        diagram.MouseDown(TMouseButton::mbLeft, 0, 1, 1);
        EXPECT_FALSE(diagram.Zoom());
    }
    EXPECT_EQ(zoomIns, 3);
    EXPECT_EQ(zoomOuts, 3);
    // A drag of one pixel is a click.
    Drag(small, {small.X + 1, small.Y});
    EXPECT_FALSE(diagram.Zoom());
}

TEST_F(Zoom, CaptionsShowTheCornersAndComeBackOnZoomOut) {
    const std::string names[3] = {diagram.SubstanceA().Name(), diagram.SubstanceB().Name(),
                                  diagram.SubstanceC().Name()};
    diagram.ZoomInTo(40, 20, 30);
    EXPECT_EQ(diagram.SubstanceA().Name(),
              names[0] + "-50.0;" + names[1] + "-20.0;" + names[2] + "-30.0");
    EXPECT_EQ(diagram.SubstanceB().Name(),
              names[0] + "-40.0;" + names[1] + "-30.0;" + names[2] + "-30.0");
    EXPECT_EQ(diagram.SubstanceC().Name(),
              names[0] + "-40.0;" + names[1] + "-20.0;" + names[2] + "-40.0");
    EXPECT_EQ(diagram.SubstanceA().BaseName, names[0]);
    // The zoom-out click leaves a mark as it is.
    diagram.MarkedPoint().Visible = true;
    diagram.MouseDown(TMouseButton::mbLeft, 0, 1, 1);
    diagram.MouseUp(TMouseButton::mbLeft, 0, 1, 1);
    EXPECT_FALSE(diagram.Zoom());
    EXPECT_TRUE(diagram.MarkedPoint().Visible);
    EXPECT_EQ(diagram.SubstanceA().Name(), names[0]);
    EXPECT_EQ(diagram.SubstanceB().Name(), names[1]);
    EXPECT_EQ(diagram.SubstanceC().Name(), names[2]);
}

TEST_F(Zoom, ClipSegmentCutsAndMapsIntoTheZoomedView) {
    diagram.ZoomInTo(20, 20, 20);
    const TZoomFrame& f = diagram.ZoomFrame();
    const TRealPoint mid{(f.LeftX + f.RightX + f.ApexX) / 3, (2 * f.BaseY + f.ApexY) / 3};
    const int l = diagram.TriangleLeft();
    const int s = diagram.SideLength();
    const int t = diagram.TriangleTop();
    TPoint start, end;
    // Wholly outside.
    EXPECT_FALSE(
        diagram.ClipSegment({f.LeftX - 50, f.BaseY + 10}, {f.LeftX - 5, f.BaseY + 30}, start, end));
    // Wholly inside: both ends kept, magnified about the window.
    ASSERT_TRUE(diagram.ClipSegment(mid, {mid.X + 5, mid.Y + 3}, start, end));
    EXPECT_NEAR(end.X - start.X, 5 * f.Scale, 1);
    EXPECT_NEAR(end.Y - start.Y, 3 * f.Scale, 1);
    // Crossing the left edge: cut there, which is the displayed left side.
    ASSERT_TRUE(diagram.ClipSegment(mid, {mid.X - 1000, mid.Y}, start, end));
    EXPECT_NEAR(start.X, diagram.LeftEdgeX(start.Y), 1);
    EXPECT_EQ(start.Y, end.Y);
    EXPECT_GT(end.X, start.X);
    // Through the apex and out through the base: apex to base.
    ASSERT_TRUE(diagram.ClipSegment({f.ApexX, f.ApexY - 30}, {f.ApexX, f.BaseY + 30}, start, end));
    EXPECT_NEAR(start.X, l + s / 2.0, 1);
    EXPECT_NEAR(start.Y, t, 1);
    EXPECT_NEAR(end.Y, Yb(), 1);
    // Touching the apex only.
    EXPECT_FALSE(diagram.ClipSegment({f.ApexX - 30, f.ApexY}, {f.ApexX + 30, f.ApexY}, start, end));
}

TEST_F(Zoom, FieldCutByTheWindowIsFilledFromAnEdgeSeed) {
    diagram.SetGridType(TGridType::gtOutsideScale);
    diagram.Paint();
    diagram.ZoomInTo(40, 30, 10);
    const TZoomWindow w = diagram.ZoomWindow();
    // Fields seen along the window's edges whose fill points lie outside it.
    int cut = 0;
    diagram.Paint();
    for (const TEdgeSeeds* seeds :
         {&diagram.BottomSeeds(), &diagram.LeftSeeds(), &diagram.RightSeeds()}) {
        for (int i = 0; i < seeds->Count; ++i) {
            const TEdgeSeed& seed = seeds->Seeds[i];
            int field = -1;
            for (int f = 0; f < kSampleFieldCount; ++f) {
                if (AreaColors[f + 1] == seed.Color) field = f;
            }
            ASSERT_GE(field, 0);
            const TAreaData& area = diagram.AreaList()[field];
            if (w.ContainsStrictly(area.FillA, area.FillB, 100 - area.FillA - area.FillB)) continue;
            ++cut;
            // The seed's own pixel in the zoomed view holds the field's colour.
            int x = 0, y = 0;
            diagram.CompositionToPixel(seed.A, seed.B, x, y);
            bool found = false;
            for (int dy = -4; dy <= 4 && !found; ++dy) {
                for (int dx = -4; dx <= 4 && !found; ++dx) {
                    found = diagram.Screen().Canvas().Pixel(x + dx, y + dy) == seed.Color;
                }
            }
            EXPECT_TRUE(found) << area.Name.str();
        }
    }
    EXPECT_GT(cut, 0);
}

}  // namespace
}  // namespace liquidus
