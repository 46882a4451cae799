// Isotherm settings and calculation: clamps, levels, the lattice scan on a
// diagram worked out by hand, the sample's lists through unit, orientation
// and size changes, and settings changed while the scan yields.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "isotherm_probe.h"
#include "sample/sample.h"

namespace liquidus {
namespace {

using test::TIsoProbe;
using test::TYieldHost;

std::vector<std::vector<TIsoPoint>> AllLists(const TTernagram& diagram) {
    std::vector<std::vector<TIsoPoint>> lists;
    for (int k = 1; k <= diagram.IsothermLists().ListCount(); ++k) {
        lists.push_back(diagram.IsothermLists().Points(k));
    }
    return lists;
}

// The sample as the window shows it, calculated once.
void Calculate(TTernagram& diagram, const std::function<void(TTernagram&)>& settings = {}) {
    LoadSampleDiagram(diagram);
    diagram.SetBounds(1024, 768);
    diagram.SetDrawIsotherms(true);
    if (settings) settings(diagram);
    diagram.Paint();
}

TEST(IsothermSettings, SettersClampAndClearTheResultsTheyAffect) {
    struct TCase {
        const char* what;
        std::function<void(TTernagram&)> set;
        std::function<double(const TTernagram&)> get;
        double stored;
        bool clears;
    };
    const auto iso = [](const TTernagram& d) -> const TIsotherm& { return d.Isotherms(); };
    const std::vector<TCase> cases = {
        {"Error 0", [](TTernagram& d) { d.Isotherms().SetError(0); },
         [&](auto& d) { return iso(d).Error(); }, 1, true},
        {"Error 15", [](TTernagram& d) { d.Isotherms().SetError(15); },
         [&](auto& d) { return iso(d).Error(); }, 10, true},
        {"MethodStep 0.6", [](TTernagram& d) { d.Isotherms().SetMethodStep(0.6f); },
         [&](auto& d) { return iso(d).MethodStep(); }, 0.5, true},
        {"MethodStep 0.1", [](TTernagram& d) { d.Isotherms().SetMethodStep(0.1f); },
         [&](auto& d) { return iso(d).MethodStep(); }, 0.25, true},
        {"MethodStep 5", [](TTernagram& d) { d.Isotherms().SetMethodStep(5); },
         [&](auto& d) { return iso(d).MethodStep(); }, 3, true},
        {"Method", [](TTernagram& d) { d.Isotherms().SetMethod(TIsothermMethod::imCenterRadial); },
         [&](auto& d) { return double(iso(d).Method()); }, 1, true},
        {"Simplified", [](TTernagram& d) { d.Isotherms().SetSimplified(true); },
         [&](auto& d) { return iso(d).Simplified(); }, 1, true},
        // 0 differs from the stored 1 before it is clamped to 1: the rule still clears.
        {"SimplifiedTimes 0", [](TTernagram& d) { d.Isotherms().SetSimplifiedTimes(0); },
         [&](auto& d) { return iso(d).SimplifiedTimes(); }, 1, true},
        {"SimplifiedTimes 4", [](TTernagram& d) { d.Isotherms().SetSimplifiedTimes(4); },
         [&](auto& d) { return iso(d).SimplifiedTimes(); }, 3, true},
        {"Smoothed", [](TTernagram& d) { d.Isotherms().SetSmoothed(false); },
         [&](auto& d) { return iso(d).Smoothed(); }, 0, true},
        {"SmoothedTimes 0", [](TTernagram& d) { d.Isotherms().SetSmoothedTimes(0); },
         [&](auto& d) { return iso(d).SmoothedTimes(); }, 1, true},
        {"SmoothedTimes 9", [](TTernagram& d) { d.Isotherms().SetSmoothedTimes(9); },
         [&](auto& d) { return iso(d).SmoothedTimes(); }, 5, true},
        {"SignStep 12", [](TTernagram& d) { d.Isotherms().SetSignStep(12); },
         [&](auto& d) { return iso(d).SignStep(); }, 10, false},
        {"SignStep 3", [](TTernagram& d) { d.Isotherms().SetSignStep(3); },
         [&](auto& d) { return iso(d).SignStep(); }, 5, false},
        {"SignStep 60", [](TTernagram& d) { d.Isotherms().SetSignStep(60); },
         [&](auto& d) { return iso(d).SignStep(); }, 50, false},
        {"Step 120", [](TTernagram& d) { d.Isotherms().SetStep(120); },
         [&](auto& d) { return iso(d).Step(); }, 100, false},
        {"Step 20", [](TTernagram& d) { d.Isotherms().SetStep(20); },
         [&](auto& d) { return iso(d).Step(); }, 50, false},
        {"Step 300", [](TTernagram& d) { d.Isotherms().SetStep(300); },
         [&](auto& d) { return iso(d).Step(); }, 250, false},
        {"Color", [](TTernagram& d) { d.Isotherms().SetColor(clRed); },
         [&](auto& d) { return iso(d).Color(); }, clRed, false},
        {"GraphType", [](TTernagram& d) { d.Isotherms().SetGraphType(TIsothermType::itPolyline); },
         [&](auto& d) { return double(iso(d).GraphType()); }, 1, false},
        {"Signed", [](TTernagram& d) { d.Isotherms().SetSigned(false); },
         [&](auto& d) { return iso(d).Signed(); }, 0, false},
        {"Width", [](TTernagram& d) { d.Isotherms().SetWidth(3); },
         [&](auto& d) { return iso(d).Width(); }, 3, false},
        {"TCalcMethod", [](TTernagram& d) { d.SetTCalcMethod(TTCalcMethod::tcPolynomial); },
         [](auto& d) { return double(d.TCalcMethod()); }, 1, true},
        {"HotIsotherm 1805", [](TTernagram& d) { d.SetHotIsotherm(1805); },
         [](auto& d) { return d.HotIsotherm(); }, 1800, true},
        {"TUnits", [](TTernagram& d) { d.SetTUnits(TTUnits::tuK); },
         [](auto& d) { return double(d.TUnits()); }, 1, true},
        {"DrawIsotherms", [](TTernagram& d) { d.SetDrawIsotherms(true); },
         [](auto& d) { return d.DrawIsotherms(); }, 1, false},
        {"HotIsothermColor", [](TTernagram& d) { d.SetHotIsothermColor(clRed); },
         [](auto& d) { return d.HotIsothermColor(); }, clRed, false},
    };
    for (const TCase& c : cases) {
        test::TFakeHost host;
        TTernagram diagram(&host);
        diagram.Isotherms().Calculated = true;
        c.set(diagram);
        EXPECT_DOUBLE_EQ(c.get(diagram), c.stored) << c.what;
        EXPECT_EQ(diagram.Isotherms().Calculated, !c.clears) << c.what;
        EXPECT_GT(host.invalidations, 0) << c.what;
    }
}

TEST(IsothermLevels, EveryMultipleOf50StrictlyAboveTheMinimumUpToTheMaximum) {
    struct TCase {
        TTUnits units;
        int tmin, tmax;
        int minLevel, maxLevel, count;
    };
    for (const TCase& c : std::vector<TCase>{
             {TTUnits::tuC, 1355, 2800, 1400, 2800, 29},
             {TTUnits::tuK, 1355, 2800, 1650, 3050, 29},  // 1628 .. 3073
             {TTUnits::tuF, 1355, 2800, 2500, 5050, 52},  // 2471 .. 5072
             {TTUnits::tuC, 1400, 2790, 1450, 2750, 27},  // an exact multiple is no level
             {TTUnits::tuC, -120, -30, -100, -50, 2},
             {TTUnits::tuC, 1410, 1440, 1450, 1400, 0},
         }) {
        const TIsothermLevels levels = IsothermLevels(IsothermUnitTemperature(c.tmin, c.units),
                                                      IsothermUnitTemperature(c.tmax, c.units));
        EXPECT_EQ(levels.MinLevel, c.minLevel) << c.tmin;
        EXPECT_EQ(levels.MaxLevel, c.maxLevel) << c.tmax;
        EXPECT_EQ(levels.LevelCount, c.count) << c.tmin;
    }
    // The sample's boundaries run from 1355 to 2800 C.
    TTernagram diagram;
    Calculate(diagram, [](TTernagram& d) { d.SetTUnits(TTUnits::tuF); });
    EXPECT_EQ(diagram.Isotherms().MinLevel, 2500);
    EXPECT_EQ(diagram.Isotherms().LevelCount, 52);
    EXPECT_EQ(diagram.IsothermLists().ListCount(), 53);
}

// Two fields split by the line C = 50: all of the left one at 1500 C, all of
// the right one at 1600 C. Levels 1550 and 1600; the hot isotherm at 1600.
class TwoFields : public ::testing::Test {
protected:
    test::TFakeHost host;
    TIsoProbe diagram{&host};
    int steps = 0;

    void SetUp() override {
        diagram.SetBounds(1024, 768);
        diagram.SetAreas(2);
        TAreaData& left = diagram.AreaList()[0];
        left.PointCount = 4;
        left.Points[1] = {100, 0, 1500};
        left.Points[2] = {50, 0, 1500};
        left.Points[3] = {0, 50, 1500};
        left.Points[4] = {0, 100, 1500};
        left.FillA = 40;
        left.FillB = 40;
        TAreaData& right = diagram.AreaList()[1];
        right.PointCount = 3;
        right.Points[1] = {50, 0, 1600};
        right.Points[2] = {0, 0, 1600};
        right.Points[3] = {0, 50, 1600};
        right.FillA = 10;
        right.FillB = 10;
        diagram.SetSplines({{{50, 0}, {0, 50}}, 1});
        diagram.SetDrawSplines(true);
        diagram.SetDrawAreas(true);
        diagram.SetHotIsotherm(1600);
        diagram.Isotherms().SetMethodStep(2.5f);  // 39 rows, C = 2.5 j
        diagram.Isotherms().SetSmoothed(false);
        diagram.SetDrawIsotherms(true);
        diagram.OnIsothermCalcStep = [this](TComponent&) { ++steps; };
    }
};

TEST_F(TwoFields, LatticePointsRightOfTheLineAndOnItFileUnderBothLists) {
    // Lattice points on C = 50 (j = 20, rows 21..39) whose pixel is on the
    // line step right into the right field; where the line's pixels run just
    // right of such a point, it is read in the left field.
    const std::unique_ptr<TBitmap> fields = diagram.RenderFieldMap();
    int blackOnLine = 0;
    std::set<std::pair<float, float>> leftOfLine;
    for (int i = 21; i <= 39; ++i) {
        const float a = 2.5f * i - 50;
        const float b = 100 - 2.5f * i;
        int x = 0;
        int y = 0;
        diagram.CompositionToPixel(a, b, x, y);
        blackOnLine += fields->Canvas().Pixel(x, y) == clBlack;
        if (fields->Canvas().Pixel(x, y) == AreaColors[1]) leftOfLine.insert({a, b});
    }
    EXPECT_GT(blackOnLine, 10);

    host.Reset();
    diagram.Paint();
    EXPECT_EQ(steps, 39);
    EXPECT_EQ(host.processed, 39);
    EXPECT_EQ(host.cursors, (std::vector<TCursor>{TCursor::crHourGlass, TCursor::crDefault}));
    const TIsotherm& iso = diagram.Isotherms();
    ASSERT_TRUE(iso.Calculated);
    EXPECT_EQ(iso.MinLevel, 1550);
    EXPECT_EQ(iso.LevelCount, 2);
    const TIsothermLists& lists = diagram.IsothermLists();
    EXPECT_EQ(lists.IsoCounts[1] + lists.IsoRemoved[1], 0);  // 1500 is 50 from 1550
    // Right of the line, j = 21..i-1 for rows 22..39: 1 + ... + 18 = 171;
    // on it, j = 20 for rows 21..39: 19 more, less those read on the left.
    for (int k : {2, 3}) {
        const int scanned = lists.IsoCounts[k] + lists.IsoRemoved[k];
        EXPECT_EQ(scanned, 190 - static_cast<int>(leftOfLine.size())) << k;
        std::set<std::pair<float, float>> distinct;
        for (int j = 1; j <= scanned; ++j) {
            const TIsoPoint& p = lists.IsoPoints[k][j];
            distinct.insert({p.A, p.B});
            EXPECT_GE(100 - p.A - p.B, 50) << k;
            EXPECT_EQ(std::fmod(p.A, 2.5f), 0) << k;
        }
        EXPECT_EQ(distinct.size(), static_cast<std::size_t>(scanned));
        for (const auto& p : leftOfLine) EXPECT_EQ(distinct.count(p), 0u) << k;
    }
    EXPECT_EQ(AllLists(diagram)[1], AllLists(diagram)[2]);
}

// Constant field temperatures do not depend on how the triangle is turned,
// and lattice points stay lattice points: a turned result is a fresh one,
// but for points on the boundary line, whose pixels round differently.
TEST_F(TwoFields, TurnedListsAreWhatAFreshScanOfTheTurnedDiagramFinds) {
    const auto scanned = [](const TTernagram& d, int k) {
        const TIsothermLists& lists = d.IsothermLists();
        std::set<std::pair<float, float>> points;
        for (int j = 1; j <= lists.IsoCounts[k] + lists.IsoRemoved[k]; ++j) {
            points.insert({lists.IsoPoints[k][j].A, lists.IsoPoints[k][j].B});
        }
        return points;
    };
    const auto offTheLine = [&](int k) {
        auto points = scanned(diagram, k);
        std::erase_if(points, [](const auto& p) { return p.first == 50; });  // old C = 50
        return points;
    };
    diagram.Paint();
    diagram.SetDataOrientation(TDataOrientation::doCAB);  // C, A, B at positions 1, 2, 3
    diagram.Paint();
    EXPECT_EQ(steps, 39);
    const auto turned = std::vector{offTheLine(2), offTheLine(3)};
    EXPECT_EQ(turned[0].size(), 171u);
    diagram.Isotherms().Calculated = false;
    diagram.Paint();
    EXPECT_EQ(steps, 78);
    EXPECT_EQ(offTheLine(2), turned[0]);
    EXPECT_EQ(offTheLine(3), turned[1]);
}

TEST_F(TwoFields, NothingIsCalculatedOrDrawnWhenThereIsNothingToShow) {
    const auto calculatedBy = [this](const std::function<void()>& state) {
        diagram.Isotherms().Calculated = false;
        state();
        TBitmap bitmap(diagram.Width(), diagram.Height());
        diagram.CalcLayout();
        diagram.CalcIsotherms(bitmap);
        return diagram.Isotherms().Calculated;
    };
    EXPECT_FALSE(calculatedBy([this] { diagram.ForceZoom(true); }));
    EXPECT_FALSE(calculatedBy([this] {
        diagram.ForceZoom(false);
        diagram.SetAreas(0);
    }));
    EXPECT_FALSE(calculatedBy([this] {
        diagram.SetAreas(2);
        diagram.SetBounds(200, 200);
    }));
    EXPECT_EQ(steps, 0);
    // A method that computes no temperature files no point.
    diagram.SetBounds(1024, 768);
    diagram.SetTCalcMethod(TTCalcMethod::tcThermodynamic);
    diagram.Paint();
    EXPECT_TRUE(diagram.Isotherms().Calculated);
    for (const auto& list : AllLists(diagram)) EXPECT_TRUE(list.empty());
}

TEST(IsothermLists, FollowUnitsOrientationAndSizeWithoutANewScan) {
    TTernagram diagram;
    int steps = 0;
    diagram.OnIsothermCalcStep = [&](TComponent&) { ++steps; };
    Calculate(diagram, [](TTernagram& d) { d.Isotherms().SetSmoothed(false); });
    const auto massLists = AllLists(diagram);
    ASSERT_EQ(steps, 99);

    // Resizing and switching the isotherms off and on keep the lists.
    diagram.SetBounds(700, 500);
    diagram.Paint();
    diagram.SetDrawIsotherms(false);
    diagram.Paint();
    diagram.SetDrawIsotherms(true);
    diagram.Paint();
    diagram.SetCUnits(TCUnits::cuMassParts);  // a display scale only
    diagram.Paint();
    EXPECT_EQ(AllLists(diagram), massLists);

    // Mole basis: each point is the same mixture, by its molar masses.
    diagram.SetCUnits(TCUnits::cuMolPercents);
    diagram.SetBounds(1024, 768);
    diagram.Paint();
    EXPECT_EQ(steps, 99);
    const double m1 = diagram.SubstanceA().MolMass, m2 = diagram.SubstanceB().MolMass,
                 m3 = diagram.SubstanceC().MolMass;
    const auto converted = AllLists(diagram);
    for (std::size_t k = 0; k < converted.size(); ++k) {
        for (std::size_t j = 0; j < converted[k].size(); ++j) {
            const TIsoPoint& mass = massLists[k][j];
            const double moles[3] = {mass.A / m1, mass.B / m2, (100.0 - mass.A - mass.B) / m3};
            const double all = moles[0] + moles[1] + moles[2];
            EXPECT_NEAR(converted[k][j].A, 100 * moles[0] / all, 1e-3);
            EXPECT_NEAR(converted[k][j].B, 100 * moles[1] / all, 1e-3);
        }
    }
    diagram.SetCUnits(TCUnits::cuMassPercents);
    const auto back = AllLists(diagram);
    for (std::size_t k = 0; k < back.size(); ++k) {
        for (std::size_t j = 0; j < back[k].size(); ++j) {
            EXPECT_NEAR(back[k][j].A, massLists[k][j].A, 1e-4);
            EXPECT_NEAR(back[k][j].B, massLists[k][j].B, 1e-4);
        }
    }

    // Orientation: every point is the same mixture, its shares permuted.
    diagram.SetDataOrientation(TDataOrientation::doBCA);
    diagram.Paint();
    EXPECT_EQ(steps, 99);
    const auto permuted = AllLists(diagram);
    for (std::size_t k = 0; k < permuted.size(); ++k) {
        for (std::size_t j = 0; j < permuted[k].size(); ++j) {
            EXPECT_NEAR(permuted[k][j].A, back[k][j].B, 1e-4);  // B moved to position 1
            EXPECT_NEAR(permuted[k][j].B, 100 - back[k][j].A - back[k][j].B, 1e-4);
        }
    }
}

// A change made while the scan yields: the running scan goes on undisturbed
// and alone; the next paint calculates for the final settings.
TEST(IsothermLists, SettingChangedDuringTheYieldIsCalculatedAfterTheScan) {
    struct TCase {
        const char* what;
        std::function<void(TTernagram&)> change;
        bool recalculates;
        bool changesLists = true;
    };
    const std::vector<TCase> cases = {
        {"Error", [](TTernagram& d) { d.Isotherms().SetError(1); }, true},
        {"CUnits", [](TTernagram& d) { d.SetCUnits(TCUnits::cuMolPercents); }, true},
        {"orientation", [](TTernagram& d) { d.SetDataOrientation(TDataOrientation::doCAB); }, true},
        {"Step", [](TTernagram& d) { d.Isotherms().SetStep(50); }, false},
        {"size", [](TTernagram& d) { d.SetBounds(800, 600); }, false, false},
    };
    for (const TCase& c : cases) {
        TYieldHost host;
        TTernagram diagram(&host);
        int steps = 0;
        int nestedSteps = 0;
        int collected = 0;
        bool validInYield = false;
        diagram.OnIsothermCalcStep = [&](TComponent&) { ++steps; };
        host.OnYield = [&] {
            if (steps != 50) return;
            c.change(diagram);
            // The paint the change asks for arrives during the yield.
            const int before = steps;
            diagram.Paint();
            nestedSteps = steps - before;
            validInYield = diagram.Isotherms().Calculated;
            for (const auto& list : AllLists(diagram)) collected += static_cast<int>(list.size());
            host.invalidations = 0;
        };
        Calculate(diagram);
        host.OnYield = nullptr;
        EXPECT_EQ(nestedSteps, 0) << c.what;
        EXPECT_EQ(steps, 99) << c.what;
        EXPECT_EQ(validInYield, !c.recalculates) << c.what;
        EXPECT_GT(collected, 0) << c.what;  // the paint in the yield found the lists so far
        EXPECT_EQ(diagram.Isotherms().Calculated, !c.recalculates) << c.what;
        EXPECT_GT(host.invalidations, 0) << c.what;  // a paint for the final settings
        diagram.Paint();                             // the one asked for when the scan ended
        EXPECT_EQ(steps, c.recalculates ? 198 : 99) << c.what;

        TTernagram fresh;
        Calculate(fresh, c.changesLists ? c.change : nullptr);
        EXPECT_EQ(AllLists(diagram), AllLists(fresh)) << c.what;
    }
}

}  // namespace
}  // namespace liquidus
