#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "canvas/rounding.h"
#include "sample/sample.h"
#include "sample/sampledata.h"
#include "support/fakehost.h"
#include "support/probe.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

class Mouse : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TProbe diagram{&host};
    int marks = 0;

    void SetUp() override {
        LoadSampleDiagram(diagram);
        diagram.SetBounds(1024, 768);
        // Grid lines would lie over some fill points.
        diagram.SetGridType(TGridType::gtOutsideScale);
        diagram.OnMarkPoint = [this](TComponent&) { ++marks; };
        diagram.Paint();
    }
    TPoint PixelOf(double a, double b) const {
        TPoint p;
        diagram.CompositionToPixel(a, b, p.X, p.Y);
        return p;
    }
    TPoint FillPoint(int field) const {
        const TAreaData& area = diagram.AreaList()[field];
        return PixelOf(area.FillA, area.FillB);
    }
    void Move(TPoint p) { diagram.MouseMove(0, p.X, p.Y); }
    void Click(TMouseButton button, TPoint p) {
        diagram.MouseDown(button, 0, p.X, p.Y);
        diagram.MouseUp(button, 0, p.X, p.Y);
    }
    /// A black pixel between two fields, found right of field 0's fill point.
    TPoint DivisionPixel() const {
        TPoint p = FillPoint(0);
        while (diagram.Screen().Canvas().Pixel(p.X, p.Y) != clBlack) ++p.X;
        return p;
    }
};

TEST_F(Mouse, MoveOverEachFieldReadsFieldCompositionAndTemperature) {
    // Fields hold their temperatures over percent shares, whatever units
    // the read-out shows: in fractions a pixel reads what it reads in percent,
    // but for the last bits of the shares, which the altitude method's
    // repeated projections can turn into a degree or two.
    for (TTCalcMethod method : {TTCalcMethod::tcAltitude, TTCalcMethod::tcPolynomial}) {
        diagram.SetTCalcMethod(method);
        for (const auto& [percent, fraction] :
             {std::pair{TCUnits::cuMolPercents, TCUnits::cuMolParts},
              std::pair{TCUnits::cuMassPercents, TCUnits::cuMassParts}}) {
            std::vector<double> inPercent;
            for (TCUnits units : {percent, fraction}) {
                diagram.SetCUnits(units);
                diagram.Paint();
                const double scale = 100 / diagram.UnitsTotal();
                for (int i = 0; i < kSampleFieldCount; ++i) {
                    SCOPED_TRACE(diagram.AreaList()[i].Name.str());
                    const TPoint p = FillPoint(i);
                    Move(p);
                    EXPECT_TRUE(diagram.CursorOnArea());
                    EXPECT_EQ(diagram.CursorArea(), i);
                    double a = 0, b = 0, c = 0;
                    diagram.PixelToComposition(p.X, p.Y, a, b, c);
                    EXPECT_DOUBLE_EQ(diagram.CursorPoint().A, a);
                    EXPECT_DOUBLE_EQ(diagram.CursorPoint().B, b);
                    EXPECT_DOUBLE_EQ(diagram.CursorPoint().C, c);
                    const double t = diagram.CursorPoint().T;
                    EXPECT_DOUBLE_EQ(t, *diagram.AreaTemperature(i, a * scale, b * scale));
                    if (units == percent) {
                        inPercent.push_back(t);
                    } else {
                        EXPECT_NEAR(t, inPercent[i], 5);
                    }
                    EXPECT_EQ(diagram.Cursor(), TCursor::crCross);
                }
            }
        }
    }
    // The values table is redrawn on the screen at each move.
    const int before = host.screenChanges;
    Move(FillPoint(3));
    EXPECT_GT(host.screenChanges, before);
}

TEST_F(Mouse, BoundaryIsADivisionPointAndItsHintMarks) {
    const TPoint p = DivisionPixel();
    Move(p);
    EXPECT_TRUE(diagram.IsDivisionPoint());
    EXPECT_EQ(diagram.DivisionPointText(), "Division Point");
    diagram.MouseDown(TMouseButton::mbRight, 0, p.X, p.Y);
    EXPECT_TRUE(diagram.HintShown());
    // The hint box is drawn on the screen in the hint colour, opening
    // towards the centre.
    const int towards = p.X > diagram.TriangleLeft() + diagram.SideLength() / 2 ? -2 : 2;
    EXPECT_EQ(diagram.Screen().Canvas().Pixel(p.X + towards, p.Y - 8),
              diagram.Screen().Canvas().Resolve(clInfoBk));
    diagram.MouseUp(TMouseButton::mbRight, 0, p.X, p.Y);
    EXPECT_TRUE(diagram.MarkedPoint().Visible);
}

TEST_F(Mouse, NearTheSidesTheFieldSeenLastIsKept) {
    const TPoint inner = FillPoint(1);
    Move(inner);
    ASSERT_EQ(diagram.CursorArea(), 1);
    const int y = diagram.TriangleTop() + diagram.TriangleHeight() - 40;
    const int yb = diagram.TriangleTop() + diagram.TriangleHeight();
    const TPoint nearSides[] = {
        {static_cast<int>(std::ceil(diagram.LeftEdgeX(y))) + 2, y},
        {static_cast<int>(std::floor(diagram.RightEdgeX(y))) - 2, y},
        {diagram.TriangleLeft() + diagram.SideLength() / 2, yb - 2},
    };
    for (const TPoint& p : nearSides) {
        Move(p);
        EXPECT_TRUE(diagram.CursorOnArea());
        EXPECT_EQ(diagram.CursorArea(), 1) << p.X << "," << p.Y;
    }
    // One pixel further in, the field there is taken.
    const TPoint in{nearSides[1].X - 2, y};
    Move(in);
    EXPECT_NE(diagram.CursorArea(), 1);
}

TEST_F(Mouse, LeavingTheTriangleClearsTheReadOutAndTheMouseGrid) {
    diagram.SetValuesTable(false);
    diagram.SetMouseGrid(true);
    diagram.Paint();
    const QImage painted = diagram.Screen().Image().copy();
    Move(FillPoint(4));
    EXPECT_TRUE(diagram.MouseGridShown());
    EXPECT_EQ(diagram.Cursor(), TCursor::crDefault);  // the grid shows the point
    EXPECT_NE(diagram.Screen().Image(), painted);
    Move(FillPoint(5));
    Move({2, 2});
    EXPECT_FALSE(diagram.CursorOnArea());
    EXPECT_FALSE(diagram.MouseGridShown());
    EXPECT_EQ(diagram.CursorPoint().A, 0);
    EXPECT_EQ(diagram.CursorPoint().T, 0);
    EXPECT_EQ(diagram.Cursor(), TCursor::crDefault);
    // The inverted lines were taken off exactly.
    EXPECT_EQ(diagram.Screen().Image(), painted);
}

TEST_F(Mouse, RightClickMarksInPercentWhateverTheUnits) {
    for (TCUnits units : {TCUnits::cuMassPercents, TCUnits::cuMassParts}) {
        diagram.SetCUnits(units);
        diagram.Paint();
        const TPoint p = FillPoint(2);
        Move(p);
        const TFullDataPoint cursor = diagram.CursorPoint();
        Click(TMouseButton::mbRight, p);
        const double scale = 100 / diagram.UnitsTotal();
        const TFullDataPoint& mark = diagram.MarkedPoint();
        EXPECT_TRUE(mark.Visible);
        EXPECT_DOUBLE_EQ(mark.A, cursor.A * scale);
        EXPECT_DOUBLE_EQ(mark.B, cursor.B * scale);
        EXPECT_DOUBLE_EQ(mark.C, cursor.C * scale);
        EXPECT_EQ(mark.T, cursor.T);
        // A plain left click takes the mark away.
        Click(TMouseButton::mbLeft, p);
        EXPECT_FALSE(diagram.MarkedPoint().Visible);
    }
    EXPECT_EQ(marks, 2);
}

TEST_F(Mouse, NoMarkWithoutTheHintOrWhileZoomed) {
    const TPoint p = FillPoint(6);
    Move(p);
    diagram.MouseUp(TMouseButton::mbRight, 0, p.X, p.Y);  // release without a press
    diagram.MouseDown(TMouseButton::mbRight, 0, p.X, p.Y);
    Move({p.X + 1, p.Y});  // a move hides the hint and the pending mark
    diagram.MouseUp(TMouseButton::mbRight, 0, p.X + 1, p.Y);
    EXPECT_FALSE(diagram.MarkedPoint().Visible);

    diagram.ZoomInTo(0, 0, 0);
    diagram.Paint();
    Move(p);
    Click(TMouseButton::mbRight, p);
    EXPECT_FALSE(diagram.MarkedPoint().Visible);
    EXPECT_EQ(marks, 0);
}

TEST_F(Mouse, GoToCompositionMarksTheExactSharesOrRefuses) {
    const TAreaData& field = diagram.AreaList()[7];
    EXPECT_EQ(diagram.GoToComposition(field.FillA, field.FillB), TGoToResult::Marked);
    EXPECT_EQ(diagram.CursorArea(), 7);
    EXPECT_TRUE(diagram.HintShown());
    EXPECT_DOUBLE_EQ(diagram.MarkedPoint().A, field.FillA);
    EXPECT_DOUBLE_EQ(diagram.MarkedPoint().T,
                     *diagram.AreaTemperature(7, field.FillA, field.FillB));
    const TFullDataPoint kept = diagram.MarkedPoint();
    EXPECT_EQ(diagram.GoToComposition(80, 30), TGoToResult::OutsideTriangle);
    diagram.ZoomInTo(40, 20, 20);
    EXPECT_EQ(diagram.GoToComposition(10, 10), TGoToResult::OutsideZoom);
    EXPECT_EQ(diagram.MarkedPoint().A, kept.A);
    EXPECT_EQ(marks, 1);
}

TEST_F(Mouse, DragDrawsARubberBandThatLeavingTakesAwayExactly) {
    diagram.SetValuesTable(false);
    diagram.Paint();
    const QImage painted = diagram.Screen().Image().copy();
    const TPoint start = FillPoint(1);
    diagram.MouseDown(TMouseButton::mbLeft, 0, start.X, start.Y);
    EXPECT_TRUE(diagram.Dragging());
    Move({start.X + 30, start.Y - 5});
    Move({start.X + 40, start.Y - 5});
    EXPECT_NE(diagram.Screen().Image(), painted);
    Move({2, 2});
    EXPECT_FALSE(diagram.Dragging());
    EXPECT_EQ(diagram.Screen().Image(), painted);
    // The release no longer zooms.
    diagram.MouseUp(TMouseButton::mbLeft, 0, 2, 2);
    EXPECT_FALSE(diagram.Zoom());
}

}  // namespace
}  // namespace liquidus
