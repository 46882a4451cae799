#include <gtest/gtest.h>

#include "support/fakehost.h"
#include "support/probe.h"
#include "ternary/properties.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

class TernagramProperties : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TProbe diagram{&host};
    void SetUp() override { host.Reset(); }
};

TEST_F(TernagramProperties, ConstructorValues) {
    EXPECT_EQ(diagram.Width(), 469);
    EXPECT_EQ(diagram.Height(), 322);
    EXPECT_TRUE(diagram.AllowZoom());
    EXPECT_EQ(diagram.TCalcMethod(), TTCalcMethod::tcAltitude);
    EXPECT_EQ(diagram.CoPhases(), 0);
    EXPECT_TRUE(diagram.CoPhasesTable());
    EXPECT_EQ(diagram.CUnits(), TCUnits::cuMolPercents);
    EXPECT_FALSE(diagram.CursorOnArea());
    EXPECT_EQ(diagram.DataOrientation(), TDataOrientation::doDirect);
    EXPECT_FALSE(diagram.DrawIsotherms());
    EXPECT_EQ(diagram.GridSteps(), 5);
    EXPECT_EQ(diagram.GridType(), TGridType::gtAllScales);
    EXPECT_EQ(diagram.HotIsotherm(), 0);
    EXPECT_EQ(diagram.HotIsothermColor(), 0x00FF0000u);
    EXPECT_TRUE(diagram.Legend());
    EXPECT_FALSE(diagram.MarkMode());
    EXPECT_FALSE(diagram.MouseGrid());
    EXPECT_EQ(diagram.Title(), "");
    EXPECT_EQ(diagram.TUnits(), TTUnits::tuC);
    EXPECT_TRUE(diagram.ValuesTable());
    EXPECT_FALSE(diagram.Zoom());
    EXPECT_EQ(diagram.UnitsCaption(), "Mole Fraction in %");
    EXPECT_EQ(diagram.UnitsTotal(), 100.0);
    EXPECT_EQ(diagram.CursorArea(), -1);
    EXPECT_FALSE(diagram.MarkedPoint().Visible);
    // Base control.
    EXPECT_EQ(diagram.GraphType(), TGraphType::gtPhase);
    EXPECT_TRUE(diagram.Border());
    EXPECT_EQ(diagram.PaperColor(), clBtnFace);
    EXPECT_FALSE(diagram.DrawSplines());
    EXPECT_FALSE(diagram.DrawAreas());
    EXPECT_FALSE(diagram.DrawTPoints());
    EXPECT_EQ(diagram.Areas(), 0);
    EXPECT_EQ(diagram.SplinesHigh(), 0);
    // Seeded layout until the first paint.
    EXPECT_EQ(diagram.SideLength(), 260);
    EXPECT_EQ(diagram.TriangleHeight(), 220);
    EXPECT_EQ(diagram.LegendWidth(), 135);
    EXPECT_FALSE(diagram.Painted());
    // Substances: captions and table names.
    EXPECT_EQ(diagram.SubstanceA().Name(), "SubA");
    EXPECT_EQ(diagram.SubstanceB().BaseName, "SubB");
    EXPECT_EQ(diagram.SubstanceC().Name(), "SubC");
    EXPECT_EQ(diagram.SubstanceC().MolMass, 1.0f);
    // Sixteen placeholder fields.
    ASSERT_EQ(diagram.AreaList().size(), 16u);
    EXPECT_EQ(diagram.AreaList()[0].Name.str(), "Identifier for Area1");
    EXPECT_EQ(diagram.AreaList()[15].Name.str(), "Identifier for Area16");
    EXPECT_EQ(diagram.AreaList()[15].PointCount, 0);
    // Isotherm settings.
    EXPECT_EQ(diagram.Isotherms().Color(), 0x008080u);
    EXPECT_EQ(diagram.Isotherms().Error(), 2);
    EXPECT_EQ(diagram.Isotherms().Step(), 100);
    EXPECT_EQ(diagram.Isotherms().Width(), 2);
    EXPECT_FALSE(diagram.Isotherms().Calculated);
}

TEST_F(TernagramProperties, ClampingSetters) {
    diagram.SetAreas(20);
    EXPECT_EQ(diagram.Areas(), 16);
    diagram.SetAreas(17);
    EXPECT_EQ(diagram.Areas(), 16);
    diagram.SetAreas(0);
    EXPECT_EQ(diagram.Areas(), 0);
    diagram.SetGridSteps(1);
    EXPECT_EQ(diagram.GridSteps(), 2);
    diagram.SetGridSteps(50);
    EXPECT_EQ(diagram.GridSteps(), 10);
    diagram.SetGridSteps(7);
    EXPECT_EQ(diagram.GridSteps(), 7);
}

TEST_F(TernagramProperties, InvalidateOnlyOnARealChange) {
    diagram.SetLegend(true);
    diagram.SetTitle("");
    diagram.SetGridSteps(5);
    diagram.SetBorder(true);
    diagram.SetPaperColor(clBtnFace);
    diagram.SetAreas(0);
    diagram.SubstanceA().SetName("SubA");
    diagram.Isotherms().SetStep(100);
    EXPECT_EQ(host.invalidations, 0);

    diagram.SetLegend(false);
    EXPECT_EQ(host.invalidations, 1);
    diagram.SetTitle("T");
    EXPECT_EQ(host.invalidations, 2);
    diagram.SubstanceA().SetName("MgO");
    EXPECT_EQ(host.invalidations, 3);
    diagram.Isotherms().SetStep(200);
    EXPECT_EQ(host.invalidations, 4);

    // Marker switch repaints on every assignment.
    diagram.SetDrawTPoints(false);
    diagram.SetDrawTPoints(false);
    EXPECT_EQ(host.invalidations, 6);

    // The mouse grid is only stored.
    diagram.SetMouseGrid(true);
    EXPECT_TRUE(diagram.MouseGrid());
    EXPECT_EQ(host.invalidations, 6);
}

TEST_F(TernagramProperties, AllowZoomIsRefusedWhileZoomed) {
    diagram.SetAllowZoom(false);
    EXPECT_FALSE(diagram.AllowZoom());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.invalidations, 0);  // stored without a repaint

    diagram.ForceZoom(true);
    diagram.SetAllowZoom(true);
    EXPECT_FALSE(diagram.AllowZoom());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "That property can not be changed while zooming.");
}

TEST_F(TernagramProperties, MarkModeOffHidesTheMarkForGood) {
    diagram.SetMarkMode(true);
    diagram.MarkedPoint().Visible = true;
    diagram.SetMarkMode(false);
    EXPECT_FALSE(diagram.MarkedPoint().Visible);
    diagram.SetMarkMode(true);
    EXPECT_FALSE(diagram.MarkedPoint().Visible);
}

TEST_F(TernagramProperties, NameKeepsBaseNameWhileZoomed) {
    diagram.SubstanceB().SetName("SiO2");
    EXPECT_EQ(diagram.SubstanceB().BaseName, "SiO2");
    diagram.ForceZoom(true);
    host.Reset();
    diagram.SubstanceB().SetName("SiO2-40.0;...");
    EXPECT_EQ(diagram.SubstanceB().Name(), "SiO2-40.0;...");
    EXPECT_EQ(diagram.SubstanceB().BaseName, "SiO2");
    EXPECT_EQ(host.invalidations, 1);
    // Case matters: a different spelling is a change.
    diagram.ForceZoom(false);
    diagram.SubstanceB().SetName("sio2");
    EXPECT_EQ(diagram.SubstanceB().BaseName, "sio2");
}

TEST_F(TernagramProperties, SettingsThatDropIsothermResults) {
    diagram.Isotherms().Calculated = true;
    diagram.SetTCalcMethod(TTCalcMethod::tcPolynomial);
    EXPECT_FALSE(diagram.Isotherms().Calculated);
    diagram.Isotherms().Calculated = true;
    diagram.SetTUnits(TTUnits::tuK);
    EXPECT_FALSE(diagram.Isotherms().Calculated);
    diagram.Isotherms().Calculated = true;
    diagram.Isotherms().SetStep(150);  // drawing only
    EXPECT_TRUE(diagram.Isotherms().Calculated);
    diagram.Isotherms().SetMethodStep(0.6f);  // truncated to the quarter
    EXPECT_FLOAT_EQ(diagram.Isotherms().MethodStep(), 0.5f);
    EXPECT_FALSE(diagram.Isotherms().Calculated);
    diagram.Isotherms().SetError(0);
    EXPECT_EQ(diagram.Isotherms().Error(), 1);
    diagram.Isotherms().SetSignStep(17);
    EXPECT_EQ(diagram.Isotherms().SignStep(), 15);
    diagram.Isotherms().SetStep(20);
    EXPECT_EQ(diagram.Isotherms().Step(), 50);
}

TEST_F(TernagramProperties, EventsFireOnlyWhenAssigned) {
    diagram.DoZoomIn();  // unassigned: nothing happens
    diagram.DoMarkPoint();
    int zoomIns = 0;
    int zoomOuts = 0;
    int steps = 0;
    TComponent* sender = nullptr;
    diagram.OnZoomIn = [&](TComponent& s) {
        ++zoomIns;
        sender = &s;
    };
    diagram.OnZoomOut = [&](TComponent&) { ++zoomOuts; };
    diagram.OnIsothermCalcStep = [&](TComponent&) { ++steps; };
    diagram.DoZoomIn();
    diagram.DoZoomOut();
    diagram.DoIsothermCalcStep();
    diagram.DoIsothermCalcStep();
    EXPECT_EQ(zoomIns, 1);
    EXPECT_EQ(zoomOuts, 1);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(sender, static_cast<TComponent*>(&diagram));
}

TEST_F(TernagramProperties, SplinesAreCopiedWithATrailingZero) {
    TSplinesData data;
    data.Points = {{-1, -1}, {10, 20}, {30, 40}};
    data.High = 2;
    diagram.SetSplines(data);
    EXPECT_EQ(host.invalidations, 1);
    EXPECT_EQ(diagram.SplinesHigh(), 2);
    ASSERT_EQ(diagram.SplinesA().size(), 4u);
    EXPECT_EQ(diagram.SplinesA()[1], 10.0);
    EXPECT_EQ(diagram.SplinesB()[2], 40.0);
    EXPECT_EQ(diagram.SplinesA()[3], 0.0);
    data.Points[1].A = 99;  // the caller keeps its own copy
    EXPECT_EQ(diagram.SplinesA()[1], 10.0);

    // A host that declares more pairs than it hands over reads no further.
    TSplinesData shortData;
    shortData.Points = {{-1, -1}, {5, 5}};
    shortData.High = 6;
    diagram.SetSplines(shortData);
    ASSERT_EQ(diagram.SplinesA().size(), 8u);
    EXPECT_EQ(diagram.SplinesA()[1], 5.0);
    EXPECT_EQ(diagram.SplinesA()[6], 0.0);
}

TEST_F(TernagramProperties, LayoutReservesTheBandForLegendOrCoPhases) {
    diagram.SetAreas(1);
    diagram.CalcLayout();
    EXPECT_EQ(diagram.LegendWidth(), 135);
    EXPECT_EQ(diagram.SideLength(), 214);
    diagram.SetCoPhasesTable(false);
    diagram.SetAreas(0);  // legend on but nothing to list
    diagram.CalcLayout();
    EXPECT_EQ(diagram.LegendWidth(), 0);
    diagram.SetCoPhasesTable(true);
    diagram.CalcLayout();
    EXPECT_EQ(diagram.LegendWidth(), 135);
}

TEST_F(TernagramProperties, FontSizeRule) {
    // t = Trunc(sqrt(S / 3)); S = 214 gives t = 8.
    diagram.SetAreas(1);
    diagram.CalcLayout();
    EXPECT_EQ(diagram.FontSize(TTextRole::Title), 7);
    EXPECT_EQ(diagram.FontSize(TTextRole::ScaleLabel), 7);
    EXPECT_EQ(diagram.FontSize(TTextRole::VertexCaption), 6);
    diagram.SetBounds(2000, 2000);  // t large: capped
    diagram.CalcLayout();
    EXPECT_EQ(diagram.FontSize(TTextRole::Title), 10);
    EXPECT_EQ(diagram.FontSize(TTextRole::Table), 8);
    diagram.SetBounds(130, 130);  // S = 10: t = 1, below 2 gives 1
    diagram.CalcLayout();
    EXPECT_EQ(diagram.FontSize(TTextRole::Title), 1);
    EXPECT_EQ(diagram.FontSize(TTextRole::VertexCaption), 1);
}

// What a section or any other view computes from the diagram is announced
// once per real change; presentation switches and repeated values are not.
TEST_F(TernagramProperties, ChangesOfWhatViewsComputeFromAreAnnounced) {
    const struct {
        const char* name;
        const char* value;
        int announced;
    } cases[] = {
        {"DataOrientation", "doBAC", 1}, {"CUnits", "cuMassPercents", 1}, {"TUnits", "tuK", 1},
        {"TCalcMethod", "tcMeanValue", 1}, {"MarkMode", "True", 1}, {"Title", "X", 1},
        {"Areas", "3", 1}, {"Legend", "False", 0}, {"GridSteps", "3", 0},
        {"DrawIsotherms", "True", 0},
    };
    int count = 0;
    diagram.OnChange = [&](TComponent&) { ++count; };
    for (const auto& c : cases) {
        for (int again = 0; again < 2; ++again) {
            count = 0;
            ASSERT_TRUE(SetPropertyByName(diagram, c.name, c.value).Ok()) << c.name;
            EXPECT_EQ(count, again ? 0 : c.announced) << c.name << (again ? " again" : "");
        }
    }
    count = 0;
    diagram.SetSplines({});
    diagram.DataChanged();
    EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace liquidus
