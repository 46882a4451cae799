// Isotherm lists after the scan (path order, smoothing, thinning) and how
// they are drawn: levels on the step, dots, broken polylines, the hot
// isotherm over the rest, and labels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "isotherm_probe.h"
#include "sample/sample.h"
#include "support/textlog.h"

namespace liquidus {
namespace {

using List = std::vector<TIsoPoint>;

// Entry 0 unused, as the lists are kept.
List Indexed(List points) {
    points.insert(points.begin(), TIsoPoint{});
    return points;
}

TEST(IsothermPath, NearestFollowsTheLastOfEquallyNearAndBreaksAreDroppedFromTheEnd) {
    struct TCase {
        List input;
        List kept;
        int removed;
    };
    const std::vector<TCase> cases = {
        // (0,3) and (3,0) are equally near (0,0): the later one follows it.
        // (0,3.1) is too near (0,3), (40,40) too far from (0,3.1): two breaks,
        // and the last two points go, not the ones where the path broke.
        {{{0, 0}, {3, 0}, {0, 3}, {0, 3.1f}, {40, 40}}, {{0, 0}, {0, 3}, {3, 0}}, 2},
        {{{0, 0}, {0, 0.25f}}, {{0, 0}, {0, 0.25f}}, 0},
        {{{0, 0}, {0, 0.24f}}, {{0, 0}}, 1},
        {{{0, 0}, {0, 20}}, {{0, 0}, {0, 20}}, 0},
        {{{0, 0}, {0, 20.01f}}, {{0, 0}}, 1},
        {{{5, 5}, {9, 5}, {1, 5}, {5, 1}, {5, 9}}, {{5, 5}, {5, 9}, {9, 5}, {5, 1}, {1, 5}}, 0},
    };
    for (auto* order : {&OrderIsothermPath, &OrderIsothermPathByScan}) {
        for (const TCase& c : cases) {
            List points = Indexed(c.input);
            const int count = static_cast<int>(c.input.size());
            const int removed = order(points, count);
            EXPECT_EQ(removed, c.removed);
            EXPECT_EQ(List(points.begin() + 1, points.begin() + 1 + count - removed), c.kept);
        }
    }
}

TEST(IsothermPath, GridSearchGivesThePlainSearchsOrderOnTheSamplesLists) {
    for (const float step : {0.5f, 0.25f}) {
        TTernagram diagram;
        LoadSampleDiagram(diagram);
        diagram.SetBounds(1024, 768);
        diagram.Isotherms().SetMethodStep(step);
        diagram.Isotherms().SetSmoothed(false);
        diagram.SetDrawIsotherms(true);
        diagram.Paint();
        const TIsothermLists& lists = diagram.IsothermLists();
        for (int k = 1; k <= lists.ListCount(); ++k) {
            // Back into the order the scan found them: rows down, right to left.
            const int n = lists.IsoCounts[k] + lists.IsoRemoved[k];
            List scanned(lists.IsoPoints[k].begin() + 1, lists.IsoPoints[k].begin() + 1 + n);
            std::sort(scanned.begin(), scanned.end(), [](const TIsoPoint& p, const TIsoPoint& q) {
                return p.B != q.B ? p.B > q.B : p.A > q.A;
            });
            List grid = Indexed(scanned);
            List plain = grid;
            EXPECT_EQ(OrderIsothermPath(grid, n), OrderIsothermPathByScan(plain, n));
            EXPECT_EQ(grid, plain) << "list " << k << " at step " << step;
            EXPECT_EQ(List(grid.begin() + 1, grid.begin() + 1 + lists.IsoCounts[k]),
                      lists.Points(k));
        }
    }
}

TEST(IsothermShape, SmoothingKeepsTheEndsAndThinningGoesTenSevenFiveFour) {
    List points;
    for (int t = 1; t <= 10; ++t) points.push_back({float(t), t == 5 ? 4.0f : 0.0f});
    List list = Indexed(points);
    SmoothIsotherm(list, 10);
    const List smoothed(list.begin() + 1, list.end());
    const List expected = {{1, 0}, {2, 0}, {3, 0}, {4, 1}, {5, 2},
                           {6, 1}, {7, 0}, {8, 0}, {9, 0}, {10, 0}};
    EXPECT_EQ(smoothed, expected);

    list = Indexed(points);
    int count = ThinIsotherm(list, 10);
    ASSERT_EQ(count, 7);
    // The first point, the smoothed 2nd, 4th, 6th and 8th, then the 9th and 10th.
    const List thinned = {{1, 0}, {2, 0}, {4, 1}, {6, 1}, {8, 0}, {9, 0}, {10, 0}};
    EXPECT_EQ(List(list.begin() + 1, list.begin() + 1 + count), thinned);
    count = ThinIsotherm(list, count);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(list[count], (TIsoPoint{10, 0}));  // odd count: the last point alone
    EXPECT_EQ(ThinIsotherm(list, count), 4);
}

// One field over the whole triangle at T = 100 + 20 A: mean value coordinates
// are linear on a triangle, so on the 2.5 % lattice the level of a given A
// holds that A's row, (100 - A) / 2.5 - 1 evenly spaced points in path
// order. Lists from ten points on are shaped, shorter ones are kept whole.
TEST(IsothermShape, ListsFromTenPointsOnAreThinnedShorterOnesKept) {
    test::TFakeHost host;
    test::TIsoProbe diagram{&host};
    diagram.SetBounds(1024, 768);
    diagram.SetAreas(1);
    TAreaData& field = diagram.AreaList()[0];
    field.PointCount = 3;
    field.Points[1] = {100, 0, 2100};
    field.Points[2] = {0, 100, 100};
    field.Points[3] = {0, 0, 100};
    field.FillA = 30;
    field.FillB = 30;
    diagram.SetDrawAreas(true);
    diagram.SetTCalcMethod(TTCalcMethod::tcMeanValue);
    diagram.Isotherms().SetMethodStep(2.5f);
    diagram.Isotherms().SetSimplified(true);
    diagram.Isotherms().SetSimplifiedTimes(1);
    diagram.SetDrawIsotherms(true);
    diagram.Paint();
    const TIsotherm& iso = diagram.Isotherms();
    ASSERT_TRUE(iso.Calculated);
    const TIsothermLists& lists = diagram.IsothermLists();
    struct TCase {
        float a;
        int level;
        int scanned;
        int shaped;
    };
    for (const TCase c :
         {TCase{75, 1600, 9, 9}, TCase{72.5f, 1550, 10, 7}, TCase{70, 1500, 11, 7}}) {
        SCOPED_TRACE(c.level);
        const int k = (c.level - iso.MinLevel) / kIsothermLevelSpacing + 1;
        ASSERT_EQ(lists.IsoRemoved[k], 0);
        EXPECT_EQ(lists.IsoCounts[k], c.shaped);
        const List points = lists.Points(k);
        for (const TIsoPoint& p : points) EXPECT_EQ(p.A, c.a);
        // The ends stay; thinning keeps the first and the last point.
        ASSERT_FALSE(points.empty());
        EXPECT_EQ(std::abs(points.front().B - points.back().B), 2.5f * (c.scanned - 1));
    }
}

class IsothermDrawing : public ::testing::Test {
protected:
    test::TIsoProbe diagram;
    TBitmap bitmap;
    static constexpr TColor kRegular = 0x00008080;

    void SetUp() override {
        diagram.SetBounds(1024, 768);
        diagram.SetAreas(1);
        diagram.Isotherms().SetWidth(1);
        diagram.Isotherms().SetSigned(false);
        diagram.SetHotIsotherm(1800);
        diagram.SetHotIsothermColor(clBlue);
    }
    // The lists drawn on a white picture of the control's size.
    void Draw() {
        diagram.CalcLayout();
        bitmap.SetSize(diagram.Width(), diagram.Height());
        bitmap.Canvas().Brush.Color = clWhite;
        bitmap.Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
        diagram.CalcIsotherms(bitmap);
    }
    TPoint At(TIsoPoint p) const {
        TPoint pixel;
        diagram.CompositionToPixel(p.A, p.B, pixel.X, pixel.Y);
        return pixel;
    }
    TColor Pixel(TPoint p) const { return bitmap.Canvas().Pixel(p.X, p.Y); }
};

TEST_F(IsothermDrawing, LevelsOnTheStepAsDotsAndTheHotIsothermLast) {
    // One point per level 1450 .. 1800, and the hot isotherm on 1800's point.
    std::vector<List> lists;
    for (int level = 1450; level <= 1800; level += 50) {
        lists.push_back({{float(level - 1400) / 10, 20}});
    }
    lists.push_back(lists.back());
    diagram.SetResults(1450, lists);
    for (const auto& [step, drawn] : std::vector<std::pair<int, std::vector<int>>>{
             {100, {1500, 1600, 1700}}, {250, {1500, 1750}}}) {
        diagram.Isotherms().SetStep(step);
        Draw();
        for (int level = 1450; level < 1800; level += 50) {
            const TPoint p = At(lists[(level - 1450) / 50][0]);
            const bool shown = std::count(drawn.begin(), drawn.end(), level) > 0;
            // A 1-pixel dot's ellipse (x-1, y-1)-(x+1, y+1) covers 2 x 2 pixels.
            EXPECT_EQ(Pixel(p), shown ? kRegular : clWhite) << step << " " << level;
            EXPECT_EQ(Pixel({p.X - 1, p.Y - 1}), shown ? kRegular : clWhite);
            EXPECT_EQ(Pixel({p.X + 1, p.Y + 1}), clWhite);
        }
        EXPECT_EQ(Pixel(At(lists.back()[0])), clBlue);  // drawn over 1800 whatever the step
    }
    diagram.Isotherms().SetGraphType(TIsothermType::itSpline);
    Draw();
    EXPECT_EQ(Pixel(At(lists.back()[0])), clWhite);
}

TEST_F(IsothermDrawing, PolylineBreaksWherePointsAreMoreThanTenApart) {
    const List line = {{20, 20}, {30, 20}, {40.01f, 20}};
    diagram.SetResults(1500, {line, {}});
    diagram.Isotherms().SetStep(50);
    diagram.Isotherms().SetGraphType(TIsothermType::itPolyline);
    Draw();
    const TPoint a = At(line[0]), b = At(line[1]), c = At(line[2]);
    EXPECT_EQ(Pixel({(a.X + b.X) / 2, a.Y}), kRegular);  // exactly 10: joined
    EXPECT_EQ(Pixel({(b.X + c.X) / 2, b.Y}), clWhite);   // 10.01: a gap
}

TEST_F(IsothermDrawing, LabelsEverySignStepthPointCentredInTheSizeOfTheTriangle) {
    List points;
    for (int j = 1; j <= 25; ++j) points.push_back({float(j) * 2, 30});
    diagram.SetResults(1500, {points, {}});
    diagram.Isotherms().SetSigned(true);
    for (const auto type : {TIsothermType::itPoints, TIsothermType::itSpline}) {
        diagram.Isotherms().SetGraphType(type);
        diagram.CalcLayout();
        bitmap.SetSize(diagram.Width(), diagram.Height());
        test::TTextLog log(bitmap.Canvas());
        Draw();
        TBitmap measure(10, 10);
        measure.Canvas().Font.Name = "Arial";
        measure.Canvas().Font.Italic = true;
        measure.Canvas().Font.Size = diagram.IsothermLabelSize();
        const int w = measure.Canvas().TextWidth("1500");
        const int h = measure.Canvas().TextHeight("1500");
        ASSERT_EQ(log.records.size(), 2u);  // points 10 and 20 of 25
        for (int i = 0; i < 2; ++i) {
            const TPoint p = At(points[10 * (i + 1) - 1]);
            EXPECT_EQ(log.records[i].text, "1500");
            EXPECT_EQ(log.records[i].x, p.X - w / 2);
            EXPECT_EQ(log.records[i].y, p.Y - h / 2);
        }
        EXPECT_EQ(Pixel(At(points[0])), type == TIsothermType::itPoints ? kRegular : clWhite);
    }
    // Trunc(sqrt(side / 3)) - 2, at most 7.
    diagram.SetLegend(false);
    diagram.SetCoPhasesTable(false);
    for (const auto& [width, size] :
         std::vector<std::pair<int, int>>{{620, 7}, {270, 5}, {241, 4}}) {
        diagram.SetBounds(width, 2000);
        diagram.CalcLayout();
        ASSERT_EQ(diagram.SideLength(), width - kPictureMargins);
        EXPECT_EQ(diagram.IsothermLabelSize(), size) << width;
    }
}

}  // namespace
}  // namespace liquidus
