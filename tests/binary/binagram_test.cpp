// Properties of the binary diagram: axis steps, concentration limits,
// concentration units, orientation, layout and the zoom window's place.

#include "binary/binagram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binaryprobe.h"
#include "support/fakehost.h"

namespace liquidus {
namespace {

using Messages = std::vector<std::string>;
using Orientation = TBinagram::TDataOrientation;

class Binagram : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TBinaryProbe diagram{&host};

    void ShowMark(double a, double t) {
        diagram.SetMarkMode(true);
        diagram.MarkedPoint().Visible = true;
        diagram.MarkedPoint().A = a;
        diagram.MarkedPoint().T = t;
    }
};

TEST_F(Binagram, AxisStepsAreRoundedToAllowedValues) {
    const std::pair<int, int> cSteps[] = {{1, 2}, {2, 2}, {3, 5}, {7, 5}, {10, 10}, {50, 10}};
    for (const auto& [value, stored] : cSteps) {
        diagram.SetCAxisStep(value);
        EXPECT_EQ(diagram.CAxisStep(), stored) << value;
    }
    diagram.SetTAxisStep(5);
    EXPECT_EQ(diagram.TAxisStep(), 10);
}

TEST_F(Binagram, ConcentrationLimitsAreClampedOrReplacedByThePartner) {
    struct Case {
        bool low;
        double lowBefore, highBefore, value, stored;
        Messages messages;
    };
    const Case cases[] = {
        {true, 0, 100, -5, 0, {}},
        {true,
         0,
         100,
         100,
         90,
         {"Low concentration limit must be lower then high one:100 not < 100"}},
        {false, 0, 100, 120, 100, {}},
        {false, 0, 100, 0, 10, {"High concentration limit must be higher then low one:0 not > 0"}},
        // Replacements stay on the axis.
        {true, 0, 5, 7, 0, {"Low concentration limit must be lower then high one:7 not < 5"}},
        {false,
         95,
         100,
         90,
         100,
         {"High concentration limit must be higher then low one:90 not > 95"}},
    };
    for (const Case& c : cases) {
        test::TBinaryProbe fresh{&host};
        fresh.SetHighCLimit(c.highBefore);
        fresh.SetLowCLimit(c.lowBefore);
        host.Reset();
        if (c.low) {
            fresh.SetLowCLimit(c.value);
            EXPECT_EQ(fresh.LowCLimit(), c.stored) << c.value;
            EXPECT_EQ(fresh.FullLowCLimit(), c.stored) << c.value;
        } else {
            fresh.SetHighCLimit(c.value);
            EXPECT_EQ(fresh.HighCLimit(), c.stored) << c.value;
        }
        EXPECT_EQ(host.messages, c.messages) << c.value;
    }
}

TEST_F(Binagram, MoleToMassConvertsEveryStoredComposition) {
    diagram.SubstanceA().MolMass = 40.3f;
    diagram.SubstanceB().MolMass = 101.96f;
    diagram.SetAreas(1);
    diagram.AreaList()[0].FillC = 50;
    diagram.SetBoundaryPoints({{50, 700}, {-1, 0}, {0, 600}, {100, 600}});
    ShowMark(50, 700);

    diagram.SetCUnits(TCUnits::cuMassPercents);
    EXPECT_EQ(diagram.UnitsCaption(), "Mass Fraction SubB in %");
    EXPECT_EQ(diagram.LowCLimit(), 0);
    EXPECT_EQ(diagram.HighCLimit(), 100);
    EXPECT_NEAR(diagram.CValues(0), 71.67, 0.005);
    EXPECT_EQ(diagram.CValues(1), -1);
    EXPECT_EQ(diagram.CValues(2), 0);
    EXPECT_EQ(diagram.CValues(3), 100);
    EXPECT_NEAR(diagram.AreaList()[0].FillC, 71.67, 0.005);
    EXPECT_NEAR(diagram.MarkedPoint().A, 71.67, 0.005);

    // Fractions: the mark is shown as a fraction, the stored data stay.
    diagram.SetCUnits(TCUnits::cuMolParts);
    EXPECT_EQ(diagram.UnitsCaption(), "Mole Fraction SubB");
    EXPECT_EQ(diagram.UnitsTotal(), 1);
    EXPECT_NEAR(diagram.CValues(0), 50, 1e-9);
    EXPECT_NEAR(diagram.MarkedPoint().A, 0.5, 1e-9);
    diagram.SetCUnits(TCUnits::cuMolPercents);
    EXPECT_NEAR(diagram.CValues(0), 50, 1e-9);
    EXPECT_NEAR(diagram.MarkedPoint().A, 50, 1e-9);
}

TEST_F(Binagram, MassUnitsNeedPositiveMolarMasses) {
    diagram.SubstanceB().MolMass = 0;
    diagram.SetBoundaryPoints({{50, 700}});
    diagram.SetCUnits(TCUnits::cuMassPercents);
    EXPECT_EQ(diagram.CUnits(), TCUnits::cuMolPercents);
    EXPECT_EQ(diagram.CValues(0), 50);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(Binagram, InversedOrientationMirrorsCompositionsAndSwapsSubstances) {
    diagram.SubstanceA().MolMass = 40.3f;
    diagram.SubstanceA().Element = "Mg";
    diagram.SetLowCLimit(20);
    diagram.SetAreas(1);
    diagram.AreaList()[0].FillC = 10;
    diagram.SetBoundaryPoints({{30, 700}, {-1, 0}, {100, 600}});
    ShowMark(25, 700);

    diagram.SetDataOrientation(Orientation::doInversed);
    EXPECT_EQ(diagram.CValues(0), 70);
    EXPECT_EQ(diagram.CValues(1), -1);
    EXPECT_EQ(diagram.CValues(2), 0);
    EXPECT_EQ(diagram.AreaList()[0].FillC, 90);
    EXPECT_EQ(diagram.LowCLimit(), 20);
    EXPECT_EQ(diagram.MarkedPoint().A, 75);
    EXPECT_EQ(diagram.SubstanceA().Name(), "SubB");
    EXPECT_EQ(diagram.SubstanceB().Name(), "SubA");
    EXPECT_EQ(diagram.SubstanceB().MolMass, 40.3f);
    EXPECT_EQ(diagram.SubstanceA().Element, "Mg");
}

TEST_F(Binagram, ZoomedDiagramRefusesUnitsOrientationAndAllowZoom) {
    diagram.SetBoundaryPoints({{30, 700}});
    diagram.ZoomTo(20, 40, 300, 500);
    host.Reset();
    diagram.SetCUnits(TCUnits::cuMassPercents);
    diagram.SetDataOrientation(Orientation::doInversed);
    EXPECT_EQ(diagram.CUnits(), TCUnits::cuMolPercents);
    EXPECT_EQ(diagram.DataOrientation(), Orientation::doDirect);
    EXPECT_EQ(diagram.CValues(0), 30);
    EXPECT_TRUE(host.messages.empty());
    diagram.SetAllowZoom(false);
    EXPECT_TRUE(diagram.AllowZoom());
    EXPECT_EQ(host.messages, Messages{"That property can not be changed while zooming."});
}

TEST_F(Binagram, MarkTemperatureFollowsTheUnitRoundedIntoCelsius) {
    ShowMark(50, 700.4);
    diagram.SetTUnits(TTUnits::tuK);
    EXPECT_DOUBLE_EQ(diagram.MarkedPoint().T, 973.55);
    diagram.SetTUnits(TTUnits::tuC);
    EXPECT_EQ(diagram.MarkedPoint().T, 700);
}

TEST_F(Binagram, LayoutKeepsTheRatioAndCapsTheBand) {
    EXPECT_EQ(diagram.PlotWidth(), 260);  // before the first paint
    EXPECT_EQ(diagram.PlotHeight(), 220);
    diagram.Paint();
    EXPECT_EQ(diagram.LegendWidth(), 135);
    EXPECT_EQ(diagram.PlotWidth(), 214);
    EXPECT_EQ(diagram.PlotHeight(), 185);
    EXPECT_EQ(diagram.PlotLeft(), 59);
    EXPECT_EQ(diagram.PlotTop(), 67);
    EXPECT_EQ(CalcBinaryLayout(1000, 700, true).LegendWidth, 180);
    // A wide, low control: the width is cut to the height over k.
    const TBinaryLayout wide = CalcBinaryLayout(1000, 300, false);
    EXPECT_EQ(wide.PlotHeight, 180);
    EXPECT_EQ(wide.PlotWidth, 208);
}

TEST_F(Binagram, ZoomWindowIsPlacedInTheUnzoomedPlot) {
    diagram.ZoomTo(20, 40, 300, 500);
    EXPECT_EQ(diagram.FullLimits(), (TBinaryLimits{0, 100, 0, 1000}));
    EXPECT_EQ(diagram.ZoomLimits(), (TBinaryLimits{20, 40, 300, 500}));
    const TBinaryZoomFrame& frame = diagram.ZoomFrame();
    // Plot 214 x 185 at (59, 67).
    EXPECT_DOUBLE_EQ(frame.Left, 0.2 * 214 + 59);
    EXPECT_DOUBLE_EQ(frame.Right, 0.4 * 214 + 59);
    EXPECT_DOUBLE_EQ(frame.Top, 0.5 * 185 + 67);
    EXPECT_DOUBLE_EQ(frame.Bottom, 0.7 * 185 + 67);
    EXPECT_NEAR(frame.ScaleX, 5, 1e-9);
    EXPECT_NEAR(frame.ScaleY, 5, 1e-9);
    const TBinaryLayout& layout = diagram.Layout();
    EXPECT_EQ(ZoomedPixel(layout, frame, {frame.Left, frame.Top}), (TPoint{59, 67}));
    EXPECT_EQ(ZoomedPixel(layout, frame, {frame.Right, frame.Bottom}), (TPoint{273, 252}));
    // A point of the unzoomed plot lands where the zoomed mapping puts it.
    const TRealPoint p = BoundaryPixel(layout, diagram.FullLimits(), 33, 410);
    EXPECT_EQ(ZoomedPixel(layout, frame, p),
              (TPoint{diagram.CompositionToX(33), diagram.TemperatureToY(410)}));
}

}  // namespace
}  // namespace liquidus
