#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "model/areadata.h"
#include "model/format.h"
#include "model/plotcore.h"
#include "model/units.h"

namespace liquidus {
namespace {

class TRecordingOwner : public TPlotOwner {
public:
    bool zoomed = false;
    int invalidations = 0;
    bool PlotZoomed() const override { return zoomed; }
    void Invalidate() override { ++invalidations; }
};

TEST(Substance, NameFollowsOwnerRules) {
    TSubstance free;
    EXPECT_EQ(free.MolMass, 1.0f);
    free.SetName("X");
    EXPECT_EQ(free.Name(), "X");
    EXPECT_EQ(free.BaseName, "");  // no owner: only the name changes

    TRecordingOwner owner;
    TSubstance s;
    s.SetOwner(&owner);
    s.SetName("MgO");
    EXPECT_EQ(s.BaseName, "MgO");
    EXPECT_EQ(owner.invalidations, 1);
    s.SetName("MgO");
    EXPECT_EQ(owner.invalidations, 1);
    owner.zoomed = true;
    s.SetName("MgO-50.0;SiO2-25.0;Al2O3-25.0");
    EXPECT_EQ(s.BaseName, "MgO");
    EXPECT_EQ(owner.invalidations, 2);
}

TEST(AreaData, NamesAreCutTo25AndPlaceholdersNumbered) {
    TAreaData area;
    area.Name = std::string("A name that is far longer than the record holds");
    EXPECT_EQ(area.Name.str().size(), 25u);
    EXPECT_EQ(area.Name.str(), "A name that is far longer");
    const auto list = MakeDefaultAreaList();
    ASSERT_EQ(list.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(list[i].Name.str(), "Identifier for Area" + std::to_string(i + 1));
        EXPECT_EQ(list[i].PointCount, 0);
        EXPECT_EQ(list[i].CoPhased, 0);
        EXPECT_EQ(list[i].FillA, 0.0f);
    }
    EXPECT_EQ(AreaColors[1], 0x00FFFFE0u);
    EXPECT_EQ(AreaColors[11], 0x00A8A8D0u);
    EXPECT_EQ(AreaColors[16], 0x0078FF78u);
}

TEST(Format, HalvesRoundAwayFromZero) {
    EXPECT_EQ(FormatFixed(1500.5, 0), "1501");
    EXPECT_EQ(FormatFixed(-1500.5, 0), "-1501");
    EXPECT_EQ(FormatFixed(2.675, 2), "2.67");  // really 2.67499...
    EXPECT_EQ(FormatFixed(100.0 / 3, 3), "33.333");
    EXPECT_EQ(FormatFixed(1.0 / 3, 5), "0.33333");
    EXPECT_EQ(FormatFixed(-0.0001, 0), "0");
    EXPECT_EQ(FormatFixed(0.2 * 3, 1), "0.6");
    EXPECT_EQ(FormatFixed(12.5, 0), "13");
}

TEST(Units, CaptionsTotalsAndTemperatures) {
    EXPECT_EQ(UnitsCaptionOf(TCUnits::cuMolPercents), "Mole Fraction in %");
    EXPECT_EQ(UnitsCaptionOf(TCUnits::cuMolParts), "Mole Fraction");
    EXPECT_EQ(UnitsCaptionOf(TCUnits::cuMassPercents), "Mass Fraction in %");
    EXPECT_EQ(UnitsCaptionOf(TCUnits::cuMassParts), "Mass Fraction");
    EXPECT_EQ(UnitsTotalOf(TCUnits::cuMassParts), 1.0);
    EXPECT_EQ(UnitsTotalOf(TCUnits::cuMolPercents), 100.0);
    EXPECT_EQ(ConversionBetween(TCUnits::cuMolPercents, TCUnits::cuMolParts), TConversion::None);
    EXPECT_EQ(ConversionBetween(TCUnits::cuMassPercents, TCUnits::cuMolParts),
              TConversion::MassToMole);
    EXPECT_EQ(FormatTemperature(1800, TTUnits::tuK), "2073K");
    EXPECT_EQ(FormatTemperature(1800, TTUnits::tuF), "3272F");
    EXPECT_EQ(FormatTemperature(1500, TTUnits::tuC), "1500C");
    EXPECT_EQ(ZoomVertexCaption("MgO", "SiO2", "Al2O3", 60, 20, 20, 1),
              "MgO-0.6;SiO2-0.2;Al2O3-0.2");
}

TEST(Units, ConversionKeepsCornersAndRoundTrips) {
    const TMolarMasses m{40.3044, 60.0843, 101.9613};
    using TShares = std::array<double, 3>;
    TShares corner{100, 0, 0};
    ConvertShares(TConversion::MassToMole, m, corner);
    EXPECT_DOUBLE_EQ(corner[0], 100);
    EXPECT_EQ(corner[1], 0);
    EXPECT_EQ(corner[2], 0);

    // All three shares convert from the old values and still make 100.
    TShares shares{30, 45, 25};
    ConvertShares(TConversion::MassToMole, m, shares);
    EXPECT_NE(shares[0], 30);
    EXPECT_NEAR(shares[0] + shares[1] + shares[2], 100, 1e-12);
    ConvertShares(TConversion::MoleToMass, m, shares);
    EXPECT_NEAR(shares[0], 30, 1e-12);
    EXPECT_NEAR(shares[1], 45, 1e-12);
    EXPECT_NEAR(shares[2], 25, 1e-12);

    // Equal masses: nothing moves.
    TShares equal{12.5, 40, 47.5};
    ConvertShares(TConversion::MoleToMass, {2, 2, 2}, equal);
    EXPECT_DOUBLE_EQ(equal[0], 12.5);
    EXPECT_DOUBLE_EQ(equal[1], 40);

    // Hand-computed: 50 % mass of M1 = 1 and 50 % of M3 = 3 is 75 mole %.
    TShares hand{50, 0, 50};
    ConvertShares(TConversion::MassToMole, {1, 2, 3}, hand);
    EXPECT_DOUBLE_EQ(hand[0], 75);
    EXPECT_DOUBLE_EQ(hand[2], 25);

    EXPECT_TRUE(ValidMolarMasses(m));
    EXPECT_FALSE(ValidMolarMasses({1, 0, 1}));
    EXPECT_FALSE(ValidMolarMasses({1, -2, 1}));
    EXPECT_FALSE(ValidMolarMasses({std::numeric_limits<double>::infinity(), 1, 1}));
    EXPECT_FALSE(ValidMolarMasses({std::nan(""), 1, 1}));
}

}  // namespace
}  // namespace liquidus
