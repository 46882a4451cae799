#include "sections/section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "binary/binagram.h"
#include "sample/sample.h"
#include "support/fakehost.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

class SectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadSampleDiagram(diagram);
        diagram.SetBounds(1024, 768);
    }

    test::TFakeHost host;
    TTernagram diagram{&host};
};

/// Position (percent of the way) of a stored composition on a side, or
/// none when it is not on that side.
std::optional<double> PositionOnSide(int from, int to, double a, double b) {
    const double shares[3] = {a, b, 100 - a - b};
    const int other = 6 - from - to;
    if (std::fabs(shares[other - 1]) > 1e-3) return std::nullopt;
    return shares[to - 1];
}

TEST_F(SectionTest, SideGivesOneCurvePerFieldThroughItsVerticesThere) {
    struct TCase {
        int From, To;
        TTUnits Units;
        std::vector<std::string> Fields;
    };
    const std::vector<TCase> cases = {
        {1,
         2,
         TTUnits::tuC,
         {"Periclase", "Forsterite", "Protoenstatite", "Cristobalite", "Two Liquids",
          "Cristobalite"}},
        {2, 3, TTUnits::tuC, {"Cristobalite", "Mullite", "Corundum"}},
        {3, 1, TTUnits::tuF, {"Corundum", "Spinel", "Periclase"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + "-" + std::to_string(c.To));
        diagram.SetTUnits(c.Units);
        const TSection section = MakeSideSection(diagram, c.From, c.To);
        std::vector<std::string> names;
        double reach = 0.0;
        for (const TSectionCurve& curve : section.Curves) {
            names.push_back(curve.Name);
            EXPECT_EQ(curve.From, reach) << curve.Name;  // no gap along a side
            reach = curve.To;
            ASSERT_GE(curve.Knots.size(), 2u);
            ASSERT_LE(curve.Knots.size(), 10u);
            EXPECT_EQ(curve.Knots.front().first, curve.From);
            EXPECT_EQ(curve.Knots.back().first, curve.To);
            EXPECT_TRUE(std::is_sorted(curve.Knots.begin(), curve.Knots.end()));
            const TAreaData& area = diagram.AreaList()[curve.Field];
            for (int k = 1; k <= area.PointCount; ++k) {
                const TAreaPoint& v = area.Points[k];
                const auto at = PositionOnSide(c.From, c.To, v.A, v.B);
                if (!at || *at < curve.From || *at > curve.To) continue;
                const auto knot =
                    std::find_if(curve.Knots.begin(), curve.Knots.end(),
                                 [&](const auto& kn) { return std::fabs(kn.first - *at) < 1e-6; });
                ASSERT_NE(knot, curve.Knots.end()) << curve.Name << " vertex at " << *at;
                EXPECT_NEAR(knot->second, TemperatureInUnits(v.T, c.Units), 1e-3) << curve.Name;
            }
            for (const auto& [position, t] : curve.Knots) {
                EXPECT_LE(t, section.HighT - 100);
                EXPECT_GE(t, section.LowT);
            }
        }
        EXPECT_EQ(names, c.Fields);
        EXPECT_EQ(reach, 100.0);
        EXPECT_EQ(std::fmod(section.LowT, 100.0), 0.0);
    }
}

TEST_F(SectionTest, SectionThroughTheMiddleMeetsTheFieldsOfThePicture) {
    const TSectionPoint p{70, 5};
    const TSectionPoint q{5, 70};
    const TSection section = MakeSection(diagram, p, q);
    ASSERT_GE(section.Curves.size(), 3u);
    EXPECT_EQ(section.NameP, "70 MgO 5 SiO2 25 Al2O3");
    // Each field's temperatures meet its neighbour's where the two touch,
    // up to what the two fields' own data disagree on.
    for (std::size_t k = 1; k < section.Curves.size(); ++k) {
        EXPECT_EQ(section.Curves[k].From, section.Curves[k - 1].To);
        EXPECT_NEAR(section.Curves[k].Knots.front().second,
                    section.Curves[k - 1].Knots.back().second, 20.0)
            << section.Curves[k].Name;
    }
    for (int i = 1; i < 50; ++i) {
        const double t = i * 2.0;
        const auto covering = std::find_if(section.Curves.begin(), section.Curves.end(),
                                           [t](const TSectionCurve& c) { return c.To >= t; });
        ASSERT_NE(covering, section.Curves.end());
        // Right beside a boundary the picture's lines decide; skip it.
        if (t - covering->From < 1.5 || covering->To - t < 1.5) continue;
        const TLiquidusReading reading =
            diagram.LiquidusAt(p.A + (q.A - p.A) * t / 100, p.B + (q.B - p.B) * t / 100);
        EXPECT_EQ(reading.Area, covering->Field) << "at " << t;
    }
}

TEST_F(SectionTest, BadSectionsAreRefused) {
    EXPECT_THROW(MakeSection(diagram, {80, 30}, {0, 0}), TSectionError);
    EXPECT_THROW(MakeSection(diagram, {-1, 50}, {0, 0}), TSectionError);
    EXPECT_THROW(MakeSection(diagram, {20, 20}, {20, 20}), TSectionError);
    EXPECT_THROW(MakeSideSection(diagram, 2, 2), TSectionError);
    diagram.SetTCalcMethod(TTCalcMethod::tcThermodynamic);
    EXPECT_THROW(MakeSideSection(diagram, 1, 2), TSectionError);
}

TEST_F(SectionTest, BinaryDiagramShowsTheFieldsInTheTriangleColours) {
    const TSection section = MakeSideSection(diagram, 1, 2);
    test::TFakeHost binaryHost;
    TBinagram binagram(&binaryHost);
    binagram.SetBounds(640, 480);
    FeedBinagram(section, binagram);
    EXPECT_TRUE(binaryHost.messages.empty());
    EXPECT_EQ(binagram.SubstanceA().Name(), "MgO");
    EXPECT_EQ(binagram.SubstanceB().Name(), "SiO2");
    EXPECT_EQ(binagram.LowTLimit(), section.LowT);
    EXPECT_EQ(binagram.HighTLimit(), section.HighT);
    binagram.Paint();
    const TCanvas& screen = binagram.Screen().Canvas();
    std::vector<bool> seen(kAreaCount, false);
    for (const TSectionCurve& curve : section.Curves) {
        const double middle = (curve.From + curve.To) / 2;
        const double liquidus = curve.Knots[curve.Knots.size() / 2].second;
        const int x = binagram.CompositionToX(middle);
        const int below = binagram.TemperatureToY(
            (section.LowT + std::min(liquidus, curve.Knots.front().second)) / 2);
        if (seen[curve.Field]) continue;  // a second stretch takes a free colour
        seen[curve.Field] = true;
        EXPECT_EQ(screen.Pixel(x, below), AreaColors[curve.Field + 1]) << curve.Name;
        EXPECT_EQ(binagram.AreaList()[curve.Field].Name.str(), curve.Name);
    }
    const int liquid = diagram.Areas();
    EXPECT_EQ(binagram.AreaList()[liquid].Name.str(), kLiquidName);
    EXPECT_EQ(
        screen.Pixel(binagram.CompositionToX(50), binagram.TemperatureToY(section.HighT - 30)),
        AreaColors[liquid + 1]);
    // The second Cristobalite stretch is listed under its own name too.
    EXPECT_EQ(binagram.Areas(), liquid + 2);
    EXPECT_EQ(binagram.AreaList()[liquid + 1].Name.str(), "Cristobalite");
}

// The MgO - SiO2 side meets boundary lines at (63, 37) 1860 C, (38, 62)
// 1557 C, (35, 65) 1543 C and at 1703 C twice, the ends of the Two Liquids
// field (the sample's boundary data); in K every mark moves by 273.15.
TEST_F(SectionTest, InvariantTemperaturesOnASideAreTheBinaryPointsThere) {
    const std::vector<double> celsius = {1543, 1557, 1703, 1860};
    EXPECT_EQ(InvariantTemperaturesOn(diagram, MakeSideSection(diagram, 1, 2)), celsius);
    diagram.SetTUnits(TTUnits::tuK);
    const std::vector<double> kelvin =
        InvariantTemperaturesOn(diagram, MakeSideSection(diagram, 1, 2));
    ASSERT_EQ(kelvin.size(), celsius.size());
    for (std::size_t i = 0; i < kelvin.size(); ++i) EXPECT_DOUBLE_EQ(kelvin[i], celsius[i] + 273.15);
}

}  // namespace
}  // namespace liquidus
