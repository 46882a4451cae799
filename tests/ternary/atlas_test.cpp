// Invariant points, arrows of falling temperature and field names, on
// diagrams small enough to know the answers by hand, and on the sample.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sample/sample.h"
#include "support/textboxes.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

using TVertex = TAreaPoint;

/// Three fields around a eutectic E at (30, 30), 1000 C, whose boundaries
/// run to the sides; `saddle` puts a 1300 C knot on the E - (50, 50) line.
void LoadEutectic(TTernagram& d, bool saddle) {
    const TVertex e{30, 30, 1000}, ab{50, 50, 1200}, bc{0, 50, 1100}, ac{50, 0, 1150},
        top{40, 40, 1300};
    std::vector<std::vector<TVertex>> fields = {
        {{100, 0, 1500}, ab, e, ac}, {{0, 100, 1400}, bc, e, ab}, {{0, 0, 1300}, ac, e, bc}};
    if (saddle) {
        fields[0].insert(fields[0].begin() + 2, top);
        fields[1].insert(fields[1].begin() + 3, top);
    }
    for (std::size_t f = 0; f < fields.size(); ++f) {
        TAreaData& area = d.AreaList()[f];
        area.PointCount = static_cast<std::uint8_t>(fields[f].size());
        for (std::size_t p = 0; p < fields[f].size(); ++p) area.Points[p + 1] = fields[f][p];
    }
    TSplinesData lines;
    for (const auto& line : std::vector<std::vector<TSplinePoint>>{
             saddle ? std::vector<TSplinePoint>{{50, 50}, {40, 40}, {30, 30}}
                    : std::vector<TSplinePoint>{{50, 50}, {30, 30}},
             {{0, 50}, {30, 30}},
             {{50, 0}, {30, 30}}}) {
        lines.Points.push_back({-1, -1});
        lines.Points.insert(lines.Points.end(), line.begin(), line.end());
    }
    lines.High = static_cast<std::uint16_t>(lines.Points.size() - 1);
    d.SetSplines(lines);
    d.SetAreas(3);
}

/// Whether an arrow head points from where it sits towards (a, b).
bool PointsTowards(const TBoundaryArrow& arrow, double a, double b) {
    const double before = std::hypot(arrow.A - a, arrow.B - b);
    const double after = std::hypot(arrow.ToA - a, arrow.ToB - b);
    return after < before;
}

TEST(Atlas, AEutecticAndItsThreeBoundaries) {
    TTernagram d;
    LoadEutectic(d, false);
    const std::vector<TInvariantPoint> points = d.InvariantPointList();
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points.back().T, 1000);  // the coldest, listed last
    EXPECT_TRUE(points.back().Ternary);
    EXPECT_EQ(points.back().Fields, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(points.front().T, 1200);  // (50, 50), hottest
    EXPECT_EQ(std::count_if(points.begin(), points.end(), [](auto& p) { return p.Ternary; }), 1);
    const std::vector<TBoundaryArrow> arrows = d.BoundaryArrowList();
    ASSERT_EQ(arrows.size(), 3u);
    for (const TBoundaryArrow& arrow : arrows) EXPECT_TRUE(PointsTowards(arrow, 30, 30));
}

TEST(Atlas, ASaddleSendsTwoHeadsAwayFromItsMaximum) {
    TTernagram d;
    LoadEutectic(d, true);
    const std::vector<TBoundaryArrow> arrows = d.BoundaryArrowList();
    ASSERT_EQ(arrows.size(), 4u);
    int towardsSide = 0;
    for (const TBoundaryArrow& arrow : arrows) {
        if (arrow.A > 40 - 1e-9 && arrow.B > 40 - 1e-9) {
            towardsSide += PointsTowards(arrow, 50, 50);
        } else {
            EXPECT_TRUE(PointsTowards(arrow, 30, 30)) << arrow.A << "," << arrow.B;
        }
    }
    EXPECT_EQ(towardsSide, 1);
}

// Spinel, Forsterite and Periclase share the vertex (53.5, 31) at 1710 C;
// Spinel, Mullite and Corundum (16, 43) at 1578 C.
TEST(Atlas, TheSamplesPointsAndLabelsKeepClear) {
    TTernagram d;
    LoadSampleDiagram(d);
    const auto has = [&](double a, double b, double t, std::size_t fields) {
        for (const TInvariantPoint& p : d.InvariantPointList()) {
            if (p.Ternary && p.A == a && p.B == b && p.T == t && p.Fields.size() == fields) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has(53.5, 31, 1710, 3));
    EXPECT_TRUE(has(16, 43, 1578, 3));
    d.SetFieldNames(true);
    d.SetInvariantPoints(true);
    d.SetBoundaryArrows(true);
    const std::vector<TRect> texts = test::DrawnTextBoxes(d, 1024, 768);
    const std::vector<TAtlasLabel>& labels = d.AtlasLabels();
    EXPECT_GT(labels.size(), 20u);
    for (const TAtlasLabel& label : labels) {
        const auto hits = std::count_if(texts.begin(), texts.end(),
                                        [&](const TRect& t) { return test::Overlaps(label.Box, t); });
        EXPECT_EQ(hits, 1) << label.Text;  // itself only
    }
}

}  // namespace
}  // namespace liquidus
