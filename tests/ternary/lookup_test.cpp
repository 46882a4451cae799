// One composition, one answer: the look-up gives the same field and
// temperature whatever the window's size, and answers at the corners, on
// the sides and at the fields' own vertices.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

constexpr TTCalcMethod kInterpolating[] = {TTCalcMethod::tcAltitude, TTCalcMethod::tcMeanValue};

TEST(Lookup, CornersAndSidesAnswerAndVerticesGiveTheirOwnTemperature) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    const struct {
        double A, B;
        const char* Field;
        double Celsius;  // 0: any temperature
    } cases[] = {
        {100, 0, "Periclase", 2800},  {0, 100, "Cristobalite", 1723}, {0, 0, "Corundum", 2020},
        {99.9, 0.05, "Periclase", 0}, {50, 0, "Periclase", 0},        {0, 50, "Mullite", 0},
    };
    for (const TTCalcMethod method : kInterpolating) {
        diagram.SetTCalcMethod(method);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.A) + "," + std::to_string(c.B));
            const TLiquidusReading reading = diagram.LiquidusAt(c.A, c.B);
            ASSERT_GE(reading.Area, 0);
            EXPECT_FALSE(reading.DivisionPoint);
            EXPECT_EQ(diagram.AreaList()[reading.Area].Name.str(), c.Field);
            ASSERT_TRUE(reading.Temperature);
            if (c.Celsius != 0) {
                EXPECT_EQ(*reading.Temperature, c.Celsius);
            }
        }
        // Every field at every one of its vertices, also where projections
        // onto a side's other edges would answer their mean.
        for (int i = 0; i < diagram.Areas(); ++i) {
            const TAreaData& area = diagram.AreaList()[i];
            for (int p = 1; p <= area.PointCount; ++p) {
                const TAreaPoint& v = area.Points[p];
                EXPECT_EQ(*diagram.AreaTemperature(i, v.A, v.B), v.T)
                    << area.Name.str() << " vertex " << p;
            }
        }
    }
}

TEST(Lookup, AnswersDoNotDependOnTheWindowOrItsZoom) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    std::vector<TLiquidusReading> first;
    const auto sweep = [&] {
        std::vector<TLiquidusReading> all;
        for (int a = 0; a <= 100; a += 5) {
            for (int b = 0; a + b <= 100; b += 5) all.push_back(diagram.LiquidusAt(a, b));
        }
        return all;
    };
    for (const auto& [w, h] : {std::pair{600, 400}, {1085, 1005}, {1920, 1080}}) {
        diagram.SetBounds(w, h);
        diagram.Paint();
        const std::vector<TLiquidusReading> all = sweep();
        if (first.empty()) first = all;
        for (std::size_t i = 0; i < all.size(); ++i) {
            EXPECT_EQ(all[i].Area, first[i].Area) << w << "x" << h << " #" << i;
            EXPECT_EQ(all[i].Temperature, first[i].Temperature) << w << "x" << h << " #" << i;
        }
    }
    const TLiquidusReading unzoomed = diagram.LiquidusAt(30, 30);
    diagram.ZoomInTo(20, 20, 20);
    ASSERT_TRUE(diagram.Zoom());
    // The window's inside answers as before; compositions outside it do not.
    EXPECT_EQ(diagram.LiquidusAt(30, 30).Temperature, unzoomed.Temperature);
    EXPECT_EQ(diagram.LiquidusAt(10, 10).Area, -1);
}

}  // namespace
}  // namespace liquidus
