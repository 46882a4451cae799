// The mouse over a painted binary diagram: read-out, co-existing phases,
// marks, zoom and the inverted overlays, with pixel positions taken from the
// public mappings.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "binaryprobe.h"
#include "support/fakehost.h"
#include "support/textlog.h"

namespace liquidus {
namespace {

constexpr auto kLeft = TMouseButton::mbLeft;
constexpr auto kRight = TMouseButton::mbRight;

class BinaryMouse : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TBinaryProbe diagram{&host};
    int marks = 0;
    int zoomIns = 0;
    int zoomOuts = 0;

    /// Alpha | Alpha + Beta | Beta, split by upright lines at 30 % and 70 %.
    void SetUp() override {
        const char* names[] = {"Alpha", "Alpha + Beta", "Beta"};
        const float seeds[] = {15, 50, 85};
        diagram.SetAreas(3);
        for (int i = 0; i < 3; ++i) {
            diagram.AreaList()[i].Name = names[i];
            diagram.AreaList()[i].FillC = seeds[i];
            diagram.AreaList()[i].FillT = 500;
        }
        diagram.AreaList()[1].CoPhased = 1;
        diagram.SetBoundaryPoints({{30, 0}, {30, 1000}, {-1, 0}, {70, 0}, {70, 1000}});
        diagram.SetDrawSplines(true);
        diagram.SetDrawAreas(true);
        diagram.OnMarkPoint = [this](TComponent&) { ++marks; };
        diagram.OnZoomIn = [this](TComponent&) { ++zoomIns; };
        diagram.OnZoomOut = [this](TComponent&) { ++zoomOuts; };
        diagram.Paint();
    }
    int X(double c) const { return diagram.CompositionToX(c); }
    int Y(double t) const { return diagram.TemperatureToY(t); }
    void MoveTo(double c, double t) { diagram.MouseMove(0, X(c), Y(t)); }
    void Click(TMouseButton b, int x, int y) {
        diagram.MouseDown(b, 0, x, y);
        diagram.MouseUp(b, 0, x, y);
    }
    TColor Pixel(int x, int y) const { return diagram.Screen().Canvas().Pixel(x, y); }
    /// The plot and its frame, without the band of the tables.
    std::vector<TColor> PlotPixels() const {
        std::vector<TColor> pixels;
        for (int y = 0; y < diagram.Height(); ++y) {
            for (int x = 0; x <= diagram.PlotRight() + 2; ++x) pixels.push_back(Pixel(x, y));
        }
        return pixels;
    }
};

TEST_F(BinaryMouse, ReadsCompositionFieldAndCoPhasesByTheLeverRule) {
    struct Case {
        int coPhased;  // the two-phase field of this case
        double c;
        std::string phase, name1;
        double value1;
        std::string name2;
        double value2, ratio1;
    };
    const Case cases[] = {
        {1, 40, "Alpha + Beta", "Alpha", 30, "Beta", 70, 75},
        {0, 15, "Alpha", "SubA", 0, "Alpha + Beta", 30, 50},
        {2, 85, "Beta", "Alpha + Beta", 70, "SubB", 100, 50},
    };
    // In fractions the same places read as fractions of the whole, in the
    // read-out and in the co-phases table.
    for (const TCUnits units : {TCUnits::cuMolPercents, TCUnits::cuMolParts}) {
        diagram.SetCUnits(units);
        diagram.Paint();
        const double scale = diagram.UnitsTotal() / 100;
        for (const Case& k : cases) {
            SCOPED_TRACE(k.phase + (scale == 1 ? " in percent" : " in fractions"));
            for (int i = 0; i < 3; ++i) diagram.AreaList()[i].CoPhased = i == k.coPhased;
            test::TTextLog log(diagram.Screen().Canvas());
            MoveTo(k.c, 400);
            const TFullDataPoint& p = diagram.CursorPoint();
            EXPECT_TRUE(diagram.CursorOnArea());
            EXPECT_EQ(diagram.CursorArea(), k.coPhased);
            EXPECT_EQ(p.PhaseName, k.phase);
            EXPECT_NEAR(p.A, k.c * scale, 0.5 * scale);
            EXPECT_NEAR(p.T, 400, 5);
            EXPECT_EQ(p.CoPhases, 2);
            EXPECT_EQ(p.Phase1Name, k.name1);
            EXPECT_EQ(p.Phase2Name, k.name2);
            // A boundary's neighbour starts within a pixel or two of the line.
            EXPECT_NEAR(p.Phase1Value, k.value1 * scale, 1.0 * scale);
            EXPECT_NEAR(p.Phase2Value, k.value2 * scale, 1.0 * scale);
            EXPECT_NEAR(p.Phase1Ratio, k.ratio1 * scale, 3.0 * scale);
            EXPECT_NEAR(p.Phase1Ratio + p.Phase2Ratio, diagram.UnitsTotal(), 1e-9);
            // The table's first row shows the phases' compositions, two decimals.
            double shown1 = -1, shown2 = -1;
            const auto row = std::find_if(log.records.begin(), log.records.end(),
                                          [](const auto& r) { return r.text.starts_with("Ph1"); });
            ASSERT_NE(row, log.records.end());
            ASSERT_EQ(std::sscanf(row->text.c_str(), "Ph1: %lf, Ph2: %lf", &shown1, &shown2), 2);
            EXPECT_NEAR(shown1, k.value1 * scale, 1.0 * scale + 0.005);
            EXPECT_NEAR(shown2, k.value2 * scale, 1.0 * scale + 0.005);
        }
    }
    // A single-phase field has no co-existing phases.
    diagram.AreaList()[0].CoPhased = 0;
    MoveTo(15, 400);
    EXPECT_EQ(diagram.CursorPoint().CoPhases, 0);
    EXPECT_EQ(diagram.CursorPoint().Phase1Name, "");
    // Leaving the plot clears the read-out.
    diagram.MouseMove(0, diagram.PlotRight() + 5, Y(400));
    EXPECT_FALSE(diagram.CursorOnArea());
    EXPECT_EQ(diagram.CursorArea(), -1);
    EXPECT_EQ(diagram.CursorPoint().A, 0);
}

TEST(BinaryLeverRule, SharesOrNothingForCoincidingPhases) {
    EXPECT_DOUBLE_EQ(BinaryLeverRatios(40, 30, 70, 100).Phase1, 75);
    EXPECT_DOUBLE_EQ(BinaryLeverRatios(40, 30, 70, 100).Phase2, 25);
    EXPECT_DOUBLE_EQ(BinaryLeverRatios(0.4, 0.3, 0.7, 1).Phase2, 0.25);
    const TLeverRatios same = BinaryLeverRatios(40, 50, 50, 100);
    EXPECT_EQ(same.Phase1, 0);
    EXPECT_EQ(same.Phase2, 0);
}

TEST_F(BinaryMouse, BoundaryBetweenTwoFieldsIsADivisionPointWithItsTag) {
    int x = X(30) - 2;
    while (Pixel(x, Y(500)) != clBlack && x < X(30) + 2) ++x;
    ASSERT_EQ(Pixel(x, Y(500)), clBlack);
    diagram.MouseMove(0, X(50), Y(500));
    diagram.MouseMove(0, x, Y(500));
    EXPECT_TRUE(diagram.AtDivisionPoint());
    EXPECT_EQ(diagram.CursorHint(), "Division Point");
    test::TTextLog log(diagram.Canvas());
    diagram.MouseDown(kRight, 0, x, Y(500));
    EXPECT_TRUE(log.Contains("Division Point"));
    // Back inside a field the hint goes.
    MoveTo(50, 500);
    EXPECT_FALSE(diagram.AtDivisionPoint());
    EXPECT_EQ(diagram.CursorHint(), "");
}

TEST_F(BinaryMouse, RightClickMarksWhateverMarkModeButShowsOnlyWithIt) {
    for (const bool markMode : {false, true}) {
        SCOPED_TRACE(markMode);
        diagram.SetMarkMode(markMode);
        marks = 0;
        MoveTo(50, 400);
        Click(kRight, X(50), Y(400));
        EXPECT_EQ(marks, 1);
        EXPECT_TRUE(diagram.MarkedPoint().Visible);
        EXPECT_EQ(diagram.MarkedPoint().A, diagram.CursorPoint().A);
        EXPECT_EQ(diagram.MarkedPoint().Phase2Name, "Beta");
        diagram.Paint();
        // The cross sits on the mark only while marks are shown.
        EXPECT_EQ(Pixel(X(50), Y(400)) == clBlack, markMode);
    }
    // A plain left click hides the shown mark.
    Click(kLeft, X(50), Y(400));
    EXPECT_FALSE(diagram.MarkedPoint().Visible);
    EXPECT_EQ(Pixel(X(50), Y(400)), AreaColors[2]);
}

TEST_F(BinaryMouse, DraggedRectangleZoomsToSnappedLimitsAndAClickZoomsOut) {
    diagram.MouseDown(kLeft, 0, X(23), Y(412));
    diagram.MouseMove(0, X(37), Y(388));
    diagram.MouseUp(kLeft, 0, X(37), Y(388));
    EXPECT_EQ(zoomIns, 1);
    ASSERT_TRUE(diagram.Zooming());
    EXPECT_EQ(diagram.Limits(), (TBinaryLimits{20, 40, 300, 500}));
    EXPECT_EQ(diagram.FullLimits(), (TBinaryLimits{0, 100, 0, 1000}));
    // Both fields in the window have their seeds outside it: the edges,
    // read at the middle of each colour's run, fill them.
    auto& top = diagram.EdgeFills().Top;
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].Color, AreaColors[1]);
    EXPECT_NEAR(top[0].Composition, 25, 1.0);
    EXPECT_NEAR(top[1].Composition, 35, 1.0);
    diagram.Paint();
    EXPECT_EQ(Pixel(X(25), Y(400)), AreaColors[1]);
    EXPECT_EQ(Pixel(X(35), Y(400)), AreaColors[2]);
    // While zoomed a right click names the field but marks nothing.
    MoveTo(25, 400);
    Click(kRight, X(25), Y(400));
    EXPECT_EQ(marks, 0);
    EXPECT_FALSE(diagram.MarkedPoint().Visible);

    diagram.MouseDown(kLeft, 0, 1, 1);
    diagram.MouseUp(kLeft, 0, 1, 1);
    EXPECT_EQ(zoomOuts, 1);
    EXPECT_FALSE(diagram.Zooming());
    EXPECT_EQ(diagram.Limits(), (TBinaryLimits{0, 100, 0, 1000}));
}

TEST_F(BinaryMouse, DragLeavingThePlotOrTooThinDoesNotZoom) {
    diagram.MouseDown(kLeft, 0, X(23), Y(412));
    diagram.MouseMove(0, X(37), Y(388));
    host.Reset();
    diagram.MouseMove(0, diagram.PlotRight() + 5, Y(388));
    EXPECT_GT(host.invalidations, 0);
    diagram.MouseUp(kLeft, 0, diagram.PlotRight() + 5, Y(388));
    // No movement in one direction: no rectangle.
    diagram.MouseDown(kLeft, 0, X(23), Y(412));
    diagram.MouseMove(0, X(37), Y(412));
    diagram.MouseUp(kLeft, 0, X(37), Y(412));
    EXPECT_EQ(zoomIns, 0);
    EXPECT_FALSE(diagram.Zooming());
}

TEST(BinaryMouseUnpainted, NoEventBeforeTheFirstPaint) {
    test::TFakeHost host;
    test::TBinaryProbe diagram{&host};
    int events = 0;
    diagram.OnMouseDown = [&](TComponent&, TMouseButton, TShiftState, int, int) { ++events; };
    diagram.OnMouseUp = [&](TComponent&, TMouseButton, TShiftState, int, int) { ++events; };
    diagram.OnMouseMove = [&](TComponent&, TShiftState, int, int) { ++events; };
    const auto gesture = [&] {
        diagram.MouseDown(kLeft, 0, 100, 100);
        diagram.MouseMove(0, 150, 150);
        diagram.MouseUp(kLeft, 0, 150, 150);
    };
    gesture();
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(diagram.Zooming());
    diagram.Paint();
    gesture();
    EXPECT_EQ(events, 3);
}

TEST_F(BinaryMouse, InvertedOverlaysLeaveThePictureAsItWas) {
    const std::vector<TColor> before = PlotPixels();
    diagram.SetMouseGrid(true);
    MoveTo(50, 400);
    EXPECT_NE(Pixel(X(50) + 10, Y(400)), AreaColors[2]);
    diagram.MouseDown(kLeft, 0, X(40), Y(600));
    MoveTo(60, 300);
    MoveTo(55, 200);
    EXPECT_NE(PlotPixels(), before);
    diagram.MouseMove(0, diagram.PlotRight() + 5, Y(300));
    EXPECT_EQ(PlotPixels(), before);
}

}  // namespace
}  // namespace liquidus
