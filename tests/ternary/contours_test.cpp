// Contour isotherms: traced on surfaces whose isolines are known exactly,
// and on the sample, where lines and labels must keep apart.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "sample/sample.h"
#include "support/textboxes.h"
#include "ternary/contours.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

/// Radial (cone) and linear surfaces over generated centres, slopes and
/// levels: every traced point lies on the exact isoline within a pixel
/// (half a node), a circle inside the grid is one closed line, and a field
/// boundary down the middle stops the lines of each side.
TEST(Contours, LieOnTheExactIsolinesAndCloseWhereTheyClose) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    constexpr int n = 90;
    for (int round = 0; round < 40; ++round) {
        const bool radial = round % 2 == 0;
        const double cx = 35 + 20 * unit(random), cy = 35 + 20 * unit(random);
        const double gx = unit(random) - 0.5, gy = unit(random) - 0.5;
        const int split = radial ? n : 30 + round;  // nodes right of it are field 1
        const auto exact = [&](double x, double y) {
            const double v = radial ? std::hypot(x - cx, y - cy) : gx * x + gy * y;
            return x > split ? v + 1000 : v;
        };
        TContourGrid grid{n, n, {}, {}};
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                grid.Field.push_back(i > split ? 1 : 0);
                grid.Value.push_back(static_cast<float>(exact(i, j)));
            }
        }
        const std::vector<double> levels =
            radial ? std::vector<double>{5.5 + 10 * unit(random), 25.3, 31}
                   : std::vector<double>{exact(cx, cy), exact(cx, cy) + 3.7, exact(cx, cy) + 1000};
        const std::vector<TContourLine> lines = TraceContours(grid, levels);
        std::vector<int> pieces(levels.size(), 0);
        for (const TContourLine& line : lines) {
            ++pieces[static_cast<std::size_t>(line.Level)];
            EXPECT_EQ(line.Closed, radial);
            for (const TRealPoint& p : line.Points) {
                EXPECT_EQ(p.X > split, line.Field == 1) << p.X;
                const double v = exact(p.X, p.Y) - (line.Field == 1 ? 1000 : 0);
                const double slope = radial ? 1 : std::hypot(gx, gy);
                const double level = levels[static_cast<std::size_t>(line.Level)] -
                                     (line.Field == 1 ? 1000 : 0);
                EXPECT_NEAR(v, level, 0.5 * slope + 1e-4) << round;
            }
        }
        if (radial) {
            for (const int count : pieces) EXPECT_EQ(count, 1) << round;
        }
    }
}

bool Crosses(TRealPoint p, TRealPoint q, TRealPoint r, TRealPoint s) {
    const auto side = [](TRealPoint a, TRealPoint b, TRealPoint c) {
        return (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
    };
    return side(p, q, r) * side(p, q, s) < 0 && side(r, s, p) * side(r, s, q) < 0;
}

using test::Overlaps;

class SampleContours : public ::testing::TestWithParam<TTCalcMethod> {};

/// On the sample: every point is at its level by the method's own surface
/// (within what the surface changes over a grid cell), no two levels of one
/// field cross, and every label is clear of every text and of each other.
TEST_P(SampleContours, AtTheirLevelsApartAndLabelledClear) {
    TTernagram d;
    LoadSampleDiagram(d);
    d.SetTCalcMethod(GetParam());
    d.SetTUnits(TTUnits::tuK);
    d.SetDrawIsotherms(true);
    d.Isotherms().SetGraphType(TIsothermType::itSpline);
    d.Isotherms().SetSigned(true);
    d.SetValuesTable(true);
    const std::vector<TRect> texts = test::DrawnTextBoxes(d, 1024, 768);
    const std::vector<TContour> contours = d.Contours(1024, 768);
    ASSERT_GT(contours.size(), 10u);
    const double cell = 2.0 / d.SideLength() * 100;  // percent
    for (const TContour& c : contours) {
        for (const auto& [a, b] : c.Shares) {
            const auto t = [&](double da, double db) {
                return TemperatureInUnits(*d.AreaTemperature(c.Field, a + da, b + db), TTUnits::tuK);
            };
            const double tolerance = std::max({std::fabs(t(cell, 0) - t(0, 0)),
                                               std::fabs(t(0, cell) - t(0, 0)),
                                               std::fabs(t(cell, -cell) - t(0, 0))});
            ASSERT_NEAR(t(0, 0), c.Level, tolerance + 0.01) << a << "," << b;
        }
    }
    for (std::size_t i = 0; i < contours.size(); ++i) {
        for (std::size_t j = i + 1; j < contours.size(); ++j) {
            const TContour& p = contours[i];
            const TContour& q = contours[j];
            if (p.Field != q.Field || p.Level == q.Level) continue;
            for (std::size_t k = 1; k < p.Pixels.size(); ++k) {
                for (std::size_t m = 1; m < q.Pixels.size(); ++m) {
                    ASSERT_FALSE(Crosses(p.Pixels[k - 1], p.Pixels[k], q.Pixels[m - 1], q.Pixels[m]))
                        << p.Level << " " << q.Level;
                }
            }
        }
    }
    const std::vector<TContourLabel>& labels = d.ContourLabels();
    EXPECT_GT(labels.size(), 10u);
    int widest = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (const TRect& t : texts) EXPECT_FALSE(Overlaps(labels[i].Box, t)) << labels[i].Text;
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlaps(labels[i].Box, labels[j].Box));
        widest = std::max({widest, labels[i].Box.Width(), labels[i].Box.Height()});
    }
    // Every line longer than a few labels carries one.
    for (const TContour& c : contours) {
        double length = 0;
        for (std::size_t k = 1; k < c.Pixels.size(); ++k) {
            length += std::hypot(c.Pixels[k].X - c.Pixels[k - 1].X, c.Pixels[k].Y - c.Pixels[k - 1].Y);
        }
        if (length < 4 * widest) continue;
        const bool labelled = std::any_of(labels.begin(), labels.end(), [&](const auto& l) {
            return std::any_of(c.Pixels.begin(), c.Pixels.end(), [&](const TRealPoint& p) {
                return std::hypot(p.X - l.Centre.X, p.Y - l.Centre.Y) < 3;
            });
        });
        EXPECT_TRUE(labelled) << c.Level << " in field " << c.Field << ", " << length << " px";
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, SampleContours,
                         ::testing::Values(TTCalcMethod::tcMeanValue, TTCalcMethod::tcPolynomial));

}  // namespace
}  // namespace liquidus
