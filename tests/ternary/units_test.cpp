#include <gtest/gtest.h>

#include <vector>

#include "sample/sample.h"
#include "sample/sampledata.h"
#include "support/fakehost.h"
#include "support/probe.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

class Units : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TProbe diagram{&host};
    std::vector<TAreaData> loaded;
    std::vector<double> loadedA;

    void SetUp() override {
        LoadSampleDiagram(diagram);  // mass percent
        loaded = diagram.AreaList();
        loadedA = diagram.SplinesA();
        host.Reset();
    }
    void Mark(double a, double b) {
        diagram.MarkedPoint().Visible = true;
        diagram.MarkedPoint().A = a;
        diagram.MarkedPoint().B = b;
        diagram.MarkedPoint().C = 100 - a - b;
    }
};

TEST_F(Units, WithinOneBasisNothingIsConverted) {
    diagram.SetCUnits(TCUnits::cuMassParts);
    EXPECT_EQ(diagram.UnitsCaption(), "Mass Fraction");
    EXPECT_EQ(diagram.UnitsTotal(), 1.0);
    EXPECT_EQ(host.invalidations, 1);
    EXPECT_EQ(diagram.AreaList()[0].FillA, loaded[0].FillA);
    EXPECT_EQ(diagram.SplinesA(), loadedA);
    diagram.SetCUnits(TCUnits::cuMassPercents);
    EXPECT_EQ(diagram.UnitsCaption(), "Mass Fraction in %");
    EXPECT_EQ(diagram.UnitsTotal(), 100.0);
}

TEST_F(Units, MassPercentToMoleFractionConvertsInOneStep) {
    Mark(32, 24);
    diagram.SetCUnits(TCUnits::cuMolParts);
    EXPECT_EQ(diagram.UnitsCaption(), "Mole Fraction");
    EXPECT_EQ(diagram.UnitsTotal(), 1.0);
    // Spinel's fill point, by hand: mass shares over molar masses.
    const double m1 = 40.30440139770508, m2 = 60.08430099487305, m3 = 101.9613037109375;
    const double d = 32 / m1 + 24 / m2 + 44 / m3;
    EXPECT_NEAR(diagram.AreaList()[0].FillA, 100 * (32 / m1) / d, 1e-4);
    EXPECT_NEAR(diagram.AreaList()[0].FillB, 100 * (24 / m2) / d, 1e-4);
    // The visible mark moves with the data, its third share follows.
    EXPECT_NEAR(diagram.MarkedPoint().A, 100 * (32 / m1) / d, 1e-9);
    EXPECT_NEAR(diagram.MarkedPoint().C,
                100 - diagram.MarkedPoint().A - diagram.MarkedPoint().B, 1e-12);
    // Temperatures stay.
    EXPECT_EQ(diagram.AreaList()[0].Points[1].T, loaded[0].Points[1].T);
}

TEST_F(Units, CornersSeparatorsAndUnusedRecordsSurvive) {
    diagram.AreaList()[12].FillA = 30;  // beyond Areas
    diagram.AreaList()[12].FillB = 30;
    for (TCUnits units : {TCUnits::cuMolPercents, TCUnits::cuMassParts, TCUnits::cuMolParts,
                          TCUnits::cuMassPercents, TCUnits::cuMolPercents}) {
        diagram.SetCUnits(units);
        // Periclase holds the pure-MgO corner, Corundum the pure-Al2O3 one.
        EXPECT_EQ(diagram.AreaList()[2].Points[1].A, 100.0f);
        EXPECT_EQ(diagram.AreaList()[2].Points[1].B, 0.0f);
        EXPECT_EQ(diagram.AreaList()[9].Points[7].A, 0.0f);
        EXPECT_EQ(diagram.AreaList()[9].Points[7].B, 0.0f);
        for (std::size_t i = 0; i < diagram.SplinesA().size() - 1; ++i) {
            if (loadedA[i] == -1) {
                EXPECT_EQ(diagram.SplinesA()[i], -1);
                EXPECT_EQ(diagram.SplinesB()[i], -1);
            }
        }
        EXPECT_EQ(diagram.AreaList()[12].FillA, 30.0f);
    }
    diagram.SetAreas(13);  // brought into use as stored
    EXPECT_EQ(diagram.AreaList()[12].FillA, 30.0f);
}

TEST_F(Units, RoundTripWithinSinglePrecision) {
    diagram.SetCUnits(TCUnits::cuMolPercents);
    EXPECT_NE(diagram.AreaList()[1].Points[3].A, loaded[1].Points[3].A);
    diagram.SetCUnits(TCUnits::cuMassPercents);
    for (int i = 0; i < kSampleFieldCount; ++i) {
        EXPECT_NEAR(diagram.AreaList()[i].FillA, loaded[i].FillA, 1e-4);
        for (int p = 1; p <= loaded[i].PointCount; ++p) {
            EXPECT_NEAR(diagram.AreaList()[i].Points[p].A, loaded[i].Points[p].A, 1e-4);
            EXPECT_NEAR(diagram.AreaList()[i].Points[p].B, loaded[i].Points[p].B, 1e-4);
        }
    }
    for (std::size_t i = 0; i < loadedA.size(); ++i) {
        EXPECT_NEAR(diagram.SplinesA()[i], loadedA[i], 1e-9);
    }
}

TEST_F(Units, EqualMassesAndHiddenMarksChangeNothing) {
    Mark(20, 30);
    diagram.SetMarkMode(false);  // hides the mark
    Mark(20, 30);
    diagram.MarkedPoint().Visible = false;
    diagram.SubstanceA().MolMass = 7;
    diagram.SubstanceB().MolMass = 7;
    diagram.SubstanceC().MolMass = 7;
    diagram.SetCUnits(TCUnits::cuMolPercents);
    EXPECT_FLOAT_EQ(diagram.AreaList()[3].FillA, loaded[3].FillA);
    EXPECT_FLOAT_EQ(diagram.AreaList()[3].FillB, loaded[3].FillB);
    EXPECT_EQ(diagram.MarkedPoint().A, 20);
}

TEST_F(Units, ABadMolarMassIsRefusedWithTheDataIntact) {
    diagram.SubstanceB().MolMass = 0;
    diagram.SetCUnits(TCUnits::cuMolPercents);
    EXPECT_EQ(diagram.CUnits(), TCUnits::cuMassPercents);
    EXPECT_EQ(diagram.UnitsCaption(), "Mass Fraction in %");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("molar mass"), std::string::npos);
    EXPECT_EQ(diagram.AreaList()[0].FillA, loaded[0].FillA);
    EXPECT_EQ(host.invalidations, 0);
    // Within the basis no mass is needed: allowed.
    diagram.SetCUnits(TCUnits::cuMassParts);
    EXPECT_EQ(diagram.CUnits(), TCUnits::cuMassParts);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(Units, ZoomedCaptionsFollowTheUnits) {
    diagram.ForceZoom(true);
    diagram.SetCUnits(TCUnits::cuMassParts);
    EXPECT_EQ(diagram.SubstanceA().Name(), "MgO-0.6;SiO2-0.2;Al2O3-0.2");
    EXPECT_EQ(diagram.SubstanceB().Name(), "MgO-0.4;SiO2-0.4;Al2O3-0.2");
    EXPECT_EQ(diagram.SubstanceC().Name(), "MgO-0.4;SiO2-0.2;Al2O3-0.4");
    EXPECT_EQ(diagram.SubstanceA().BaseName, "MgO");
}

TEST_F(Units, TemperatureUnitsConvertNothingStored) {
    diagram.Isotherms().Calculated = true;
    diagram.SetTUnits(TTUnits::tuF);
    EXPECT_FALSE(diagram.Isotherms().Calculated);
    EXPECT_EQ(diagram.AreaList()[2].Points[1].T, 2800);
    EXPECT_EQ(host.invalidations, 1);
}

}  // namespace
}  // namespace liquidus
