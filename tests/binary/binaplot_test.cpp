// Temperature limits, their unit conversions and the phase-field records.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "binary/binagram.h"
#include "binaryprobe.h"
#include "support/fakehost.h"

namespace liquidus {
namespace {

using Messages = std::vector<std::string>;

class BinaryLimits : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TBinaryProbe diagram{&host};
};

TEST_F(BinaryLimits, NewControlHasSixteenNamedRecordsAndClampsAreas) {
    ASSERT_EQ(diagram.AreaList().size(), 16u);
    EXPECT_EQ(diagram.AreaList()[0].Name.str(), "Identifier for Area1");
    EXPECT_EQ(diagram.AreaList()[15].Name.str(), "Identifier for Area16");
    EXPECT_EQ(diagram.PaperColor(), clBtnFace);
    diagram.SetAreas(20);
    EXPECT_EQ(diagram.Areas(), 16);
}

TEST_F(BinaryLimits, GapIsRefusedAndRangeIsClampedWithMessages) {
    struct Case {
        bool low;
        double value;
        double stored;
        Messages messages;
    };
    const Case cases[] = {
        {true, -300, -273.15, {"The lowest temperature limit is -273.15C degrees"}},
        {true, 950, 0, {"Low temperature limit must be lower then high one:950 not < 1000"}},
        {true, 900, 900, {}},
        {false, 3500, 3000, {"The highest temperature limit is 3000C degrees"}},
        {false, 50.5, 1000, {"High temperature limit must be higher then low one:50.5 not > 0"}},
        {false, 100, 100, {}},  // a gap of exactly 100 is enough
    };
    for (const Case& c : cases) {
        test::TBinaryProbe fresh{&host};
        host.Reset();
        if (c.low) {
            fresh.SetLowTLimit(c.value);
            EXPECT_EQ(fresh.LowTLimit(), c.stored) << c.value;
            EXPECT_EQ(fresh.FullLowTLimit(), c.stored) << c.value;
        } else {
            fresh.SetHighTLimit(c.value);
            EXPECT_EQ(fresh.HighTLimit(), c.stored) << c.value;
        }
        EXPECT_EQ(host.messages, c.messages) << c.value;
    }
    host.Reset();
    diagram.SetHighTLimit(1000);  // the value it already holds
    diagram.SetLowTLimit(std::nan(""));
    EXPECT_EQ(host.invalidations, 0);
    EXPECT_EQ(diagram.LowTLimit(), 0);
}

TEST_F(BinaryLimits, UnitChangesConvertLimitsPointsAndSeeds) {
    diagram.SetAreas(1);
    diagram.AreaList()[0].FillT = 500;
    diagram.AreaList()[1].FillT = 500;  // not in use: left alone
    diagram.SetBoundaryPoints({{50, 500}, {-1, 500}, {120, 500}});

    diagram.SetTUnits(TTUnits::tuF);
    EXPECT_EQ(diagram.LowTLimit(), 32);
    EXPECT_EQ(diagram.HighTLimit(), 1832);
    EXPECT_DOUBLE_EQ(diagram.TValues(0), 932);
    EXPECT_EQ(diagram.TValues(1), 500);  // separator
    EXPECT_EQ(diagram.TValues(2), 500);  // outside 0..100
    EXPECT_FLOAT_EQ(diagram.AreaList()[0].FillT, 932);
    EXPECT_EQ(diagram.AreaList()[1].FillT, 500);

    diagram.SetTUnits(TTUnits::tuC);
    EXPECT_EQ(diagram.LowTLimit(), 0);
    EXPECT_EQ(diagram.HighTLimit(), 1000);
    EXPECT_NEAR(diagram.TValues(0), 500, 1e-9);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BinaryLimits, FahrenheitToCelsiusRefusesATooNarrowRange) {
    diagram.SetTUnits(TTUnits::tuF);
    diagram.SetHighTLimit(150);
    host.Reset();
    diagram.SetTUnits(TTUnits::tuC);
    EXPECT_EQ(diagram.LowTLimit(), 0);
    EXPECT_EQ(diagram.HighTLimit(), 150);
    EXPECT_EQ(host.messages,
              Messages{"High temperature limit must be higher then low one:66 not > 0"});
}

TEST_F(BinaryLimits, KelvinToCelsiusRoundsOnlyTheLimits) {
    diagram.SetTUnits(TTUnits::tuK);
    EXPECT_DOUBLE_EQ(diagram.LowTLimit(), 273.15);
    diagram.SetHighTLimit(1273.9);
    diagram.SetBoundaryPoints({{10, 773.9}});
    diagram.SetTUnits(TTUnits::tuC);
    EXPECT_EQ(diagram.LowTLimit(), 0);
    EXPECT_EQ(diagram.HighTLimit(), 1001);
    EXPECT_NEAR(diagram.TValues(0), 500.75, 1e-9);
}

TEST_F(BinaryLimits, UnitChangeWithoutPointsAndWhileZoomed) {
    EXPECT_EQ(diagram.LastIndex(), -1);
    diagram.SetTUnits(TTUnits::tuK);
    EXPECT_EQ(diagram.LastIndex(), -1);
    diagram.SetTUnits(TTUnits::tuC);

    // The unzoomed range follows the unit too, so zooming out shows it.
    diagram.ZoomTo(20, 40, 300, 500);
    diagram.SetTUnits(TTUnits::tuF);
    EXPECT_EQ(diagram.LowTLimit(), 572);
    EXPECT_EQ(diagram.HighTLimit(), 932);
    EXPECT_EQ(diagram.FullLowTLimit(), 32);
    EXPECT_EQ(diagram.FullHighTLimit(), 1832);
    EXPECT_EQ(diagram.ZoomLimits().HighT, 932);
}

}  // namespace
}  // namespace liquidus
