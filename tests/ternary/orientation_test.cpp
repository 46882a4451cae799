#include <gtest/gtest.h>

#include <map>
#include <string>

#include "sample/sample.h"
#include "support/fakehost.h"
#include "support/probe.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

// The letters at positions 1, 2, 3 of each orientation, typed from the
// captions of the orientation choices ("Direct (ABC)", "Inversed B<->C (ACB)", ...).
const std::map<TDataOrientation, std::string> kLetters = {
    {TDataOrientation::doDirect, "ABC"}, {TDataOrientation::doACB, "ACB"},
    {TDataOrientation::doBAC, "BAC"},    {TDataOrientation::doBCA, "BCA"},
    {TDataOrientation::doCAB, "CAB"},    {TDataOrientation::doCBA, "CBA"},
};

// A diagram whose loaded data is one mixture everywhere: A = 20, B = 30, C = 50.
class Orientation : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TProbe diagram{&host};
    const std::map<char, double> share = {{'A', 20}, {'B', 30}, {'C', 50}};
    const std::map<char, std::string> name = {{'A', "Alpha"}, {'B', "Beta"}, {'C', "Gamma"}};
    const std::map<char, float> mass = {{'A', 11.0f}, {'B', 22.0f}, {'C', 33.0f}};

    void SetUp() override {
        diagram.SubstanceA().SetName("Alpha");
        diagram.SubstanceB().SetName("Beta");
        diagram.SubstanceC().SetName("Gamma");
        diagram.SubstanceA().MolMass = 11;
        diagram.SubstanceB().MolMass = 22;
        diagram.SubstanceC().MolMass = 33;
        diagram.SubstanceA().Element = "first";
        TSplinesData lines;
        lines.Points = {{-1, -1}, {20, 30}, {20, 30}, {-1, -1}, {20, 30}};
        lines.High = 4;
        diagram.SetSplines(lines);
        TAreaData& area = diagram.AreaList()[0];
        area.FillA = 20;
        area.FillB = 30;
        area.PointCount = 1;
        area.Points[1] = {20, 30, 1500};
        diagram.AreaList()[1].FillA = 20;  // beyond Areas: never moved
        diagram.AreaList()[1].FillB = 30;
        diagram.SetAreas(1);
        diagram.SetMarkMode(true);
        diagram.MarkedPoint().Visible = true;
        diagram.MarkedPoint().A = 20;
        diagram.MarkedPoint().B = 30;
        diagram.MarkedPoint().C = 50;
    }

    void ExpectLayout(TDataOrientation o, const std::string& context) {
        const std::string& letters = kLetters.at(o);
        const double p1 = share.at(letters[0]);
        const double p2 = share.at(letters[1]);
        const TAreaData& area = diagram.AreaList()[0];
        EXPECT_NEAR(area.FillA, p1, 1e-4) << context;
        EXPECT_NEAR(area.FillB, p2, 1e-4) << context;
        EXPECT_NEAR(area.Points[1].A, p1, 1e-4) << context;
        EXPECT_NEAR(area.Points[1].B, p2, 1e-4) << context;
        EXPECT_EQ(area.Points[1].T, 1500) << context;
        EXPECT_NEAR(diagram.SplinesA()[1], p1, 1e-9) << context;
        EXPECT_NEAR(diagram.SplinesB()[4], p2, 1e-9) << context;
        EXPECT_EQ(diagram.SplinesA()[3], -1) << context;
        EXPECT_EQ(diagram.SplinesB()[3], -1) << context;
        EXPECT_NEAR(diagram.MarkedPoint().A, p1, 1e-9) << context;
        EXPECT_NEAR(diagram.MarkedPoint().C, share.at(letters[2]), 1e-9) << context;
        EXPECT_EQ(diagram.SubstanceA().Name(), name.at(letters[0])) << context;
        EXPECT_EQ(diagram.SubstanceB().BaseName, name.at(letters[1])) << context;
        EXPECT_EQ(diagram.SubstanceC().Name(), name.at(letters[2])) << context;
        EXPECT_EQ(diagram.SubstanceC().MolMass, mass.at(letters[2])) << context;
        EXPECT_EQ(diagram.SubstanceA().Element, "first") << context;
        EXPECT_EQ(diagram.AreaList()[1].FillA, 20.0f) << context;
    }
};

TEST_F(Orientation, EveryPairAppliesThePermutationOfItsLetters) {
    for (const auto& [from, fromLetters] : kLetters) {
        for (const auto& [to, toLetters] : kLetters) {
            if (from == to) continue;
            diagram.SetDataOrientation(TDataOrientation::doDirect);
            diagram.SetDataOrientation(from);
            ExpectLayout(from, "at " + fromLetters);
            diagram.SetDataOrientation(to);
            ExpectLayout(to, fromLetters + " -> " + toLetters);
        }
    }
}

TEST_F(Orientation, ACycleOfChangesRestoresEverything) {
    diagram.SetDataOrientation(TDataOrientation::doBCA);
    diagram.SetDataOrientation(TDataOrientation::doCAB);
    diagram.SetDataOrientation(TDataOrientation::doDirect);
    ExpectLayout(TDataOrientation::doDirect, "round trip");
    EXPECT_EQ(diagram.DataOrientation(), TDataOrientation::doDirect);
}

TEST_F(Orientation, RefusedSilentlyWhileZoomedOrUnchanged) {
    host.Reset();
    diagram.SetDataOrientation(TDataOrientation::doDirect);
    EXPECT_EQ(host.invalidations, 0);
    diagram.ForceZoom(true);
    diagram.SetDataOrientation(TDataOrientation::doCBA);
    EXPECT_EQ(diagram.DataOrientation(), TDataOrientation::doDirect);
    EXPECT_TRUE(host.messages.empty());
    ExpectLayout(TDataOrientation::doDirect, "zoomed");
}

TEST_F(Orientation, AHiddenMarkIsNotMoved) {
    diagram.MarkedPoint().Visible = false;
    diagram.SetDataOrientation(TDataOrientation::doBAC);
    EXPECT_EQ(diagram.MarkedPoint().A, 20);
    EXPECT_EQ(diagram.MarkedPoint().B, 30);
}

TEST(OrientationSample, CornersUnderACB) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetDataOrientation(TDataOrientation::doACB);
    EXPECT_EQ(diagram.SubstanceB().Name(), "Al2O3");
    EXPECT_EQ(diagram.SubstanceC().Name(), "SiO2");
    auto hasVertex = [&](int field, float a, float b) {
        const TAreaData& area = diagram.AreaList()[field];
        for (int p = 1; p <= area.PointCount; ++p) {
            if (area.Points[p].A == a && area.Points[p].B == b) return true;
        }
        return false;
    };
    EXPECT_TRUE(hasVertex(5, 0, 0));    // Cristobalite: pure SiO2, now at position 3
    EXPECT_TRUE(hasVertex(9, 0, 100));  // Corundum: pure Al2O3, now at position 2
    EXPECT_FALSE(hasVertex(5, 0, 100));
}

}  // namespace
}  // namespace liquidus
