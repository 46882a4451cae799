#include "isotherms/spl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

namespace liquidus {
namespace {

constexpr double kUntouched = -12345.0;

TSplArray Knots(std::initializer_list<double> values) {
    TSplArray a{};
    int k = 1;
    for (double v : values) a[k++] = v;
    return a;
}

TSplSamples Filled(double value) {
    TSplSamples s;
    s.fill(value);
    return s;
}

// Evaluates the spline through the given knots at the given positions.
std::vector<double> Sample(int n, TSplArray x, TSplArray y, const std::vector<double>& at,
                           std::uint8_t& error) {
    TSplSamples xs{};
    TSplSamples ys = Filled(kUntouched);
    for (std::size_t i = 0; i < at.size(); ++i) xs[i + 1] = at[i];
    Spline(n, x, y, static_cast<int>(at.size()), xs, ys, error);
    return std::vector<double>(ys.begin() + 1, ys.begin() + 1 + static_cast<long>(at.size()));
}

double SampleOne(int n, const TSplArray& x, const TSplArray& y, double at) {
    std::uint8_t error = 99;
    const double v = Sample(n, x, y, {at}, error)[0];
    EXPECT_EQ(error, kSplOk);
    return v;
}

double SecondDifference(int n, const TSplArray& x, const TSplArray& y, double at, double e) {
    return (SampleOne(n, x, y, at - e) - 2.0 * SampleOne(n, x, y, at) +
            SampleOne(n, x, y, at + e)) /
           (e * e);
}

TEST(Spline, TooFewKnotsTouchesNothing) {
    for (int n : {1, 0, -3}) {
        TSplArray x = Knots({1.0, 2.0});
        TSplArray y = Knots({5.0, 6.0});
        TSplSamples xs = Filled(1.5);
        TSplSamples ys = Filled(kUntouched);
        std::uint8_t error = 0;
        Spline(n, x, y, 4, xs, ys, error);
        EXPECT_EQ(error, kSplTooFewKnots) << n;
        EXPECT_EQ(x, Knots({1.0, 2.0}));
        EXPECT_EQ(y, Knots({5.0, 6.0}));
        EXPECT_EQ(ys, Filled(kUntouched));
    }
}

TEST(Spline, TwoKnotsGiveTheStraightLineExtendedBeyondTheEnds) {
    const TSplArray x = Knots({2.0, 10.0});
    const TSplArray y = Knots({1.0, 5.0});
    std::uint8_t error = 99;
    const auto v = Sample(2, x, y, {2.0, 4.0, 7.0, 10.0, 0.0, 12.0}, error);
    EXPECT_EQ(error, kSplOk);
    const std::vector<double> line = {1.0, 2.0, 3.5, 5.0, 0.0, 6.0};
    for (std::size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(v[i], line[i], 1e-12) << i;
}

TEST(Spline, ThreeKnotsMatchTheNaturalSplineAndHaveZeroCurvatureAtTheEnds) {
    const TSplArray x = Knots({0.0, 1.0, 2.0});
    const TSplArray y = Knots({0.0, 1.0, 0.0});
    // Natural spline through these points: 1.5x - 0.5x^3 on [0, 1], mirrored.
    EXPECT_NEAR(SampleOne(3, x, y, 0.5), 0.6875, 1e-12);
    EXPECT_NEAR(SampleOne(3, x, y, 1.5), 0.6875, 1e-12);
    EXPECT_NEAR(SampleOne(3, x, y, 1.0), 1.0, 1e-12);

    const double e = 1e-3;
    EXPECT_NEAR(SecondDifference(3, x, y, 0.0, e), 0.0, 1e-5);
    EXPECT_NEAR(SecondDifference(3, x, y, 2.0, e), 0.0, 1e-5);
    EXPECT_NEAR(SecondDifference(3, x, y, 1.0, e), -3.0, 1e-2);

    // Uneven spacing and values: still flat curvature at both ends.
    const TSplArray x2 = Knots({-4.0, 1.5, 2.0});
    const TSplArray y2 = Knots({3.0, -7.0, 2.5});
    EXPECT_NEAR(SecondDifference(3, x2, y2, -4.0, e), 0.0, 1e-4);
    EXPECT_NEAR(SecondDifference(3, x2, y2, 2.0, e), 0.0, 1e-4);
}

TEST(Spline, IsTwiceContinuouslyDifferentiableAndExactOnLines) {
    const TSplArray x = Knots({0.0, 0.7, 2.0, 2.3, 5.0, 9.0});
    const TSplArray y = Knots({1.0, -2.0, 4.0, 3.5, 0.0, 2.0});
    const double e = 1e-4;
    for (int i = 2; i <= 5; ++i) {
        const double xi = x[i];
        const double left1 = (SampleOne(6, x, y, xi) - SampleOne(6, x, y, xi - e)) / e;
        const double right1 = (SampleOne(6, x, y, xi + e) - SampleOne(6, x, y, xi)) / e;
        EXPECT_NEAR(left1, right1, 1e-2) << "slope at knot " << i;
        const double left2 = SecondDifference(6, x, y, xi - 2 * e, e);
        const double right2 = SecondDifference(6, x, y, xi + 2 * e, e);
        EXPECT_NEAR(left2, right2, 0.05) << "curvature at knot " << i;
    }

    // Collinear knots at uneven spacing give back the line everywhere.
    TSplArray onLine{};
    for (int k = 1; k <= 6; ++k) onLine[k] = 3.0 - 0.5 * x[k];
    for (double at : {-1.0, 0.3, 1.1, 2.15, 4.0, 8.5, 10.0}) {
        EXPECT_NEAR(SampleOne(6, x, onLine, at), 3.0 - 0.5 * at, 1e-12) << at;
    }
}

TEST(Spline, SamplesOnKnotsGiveTheKnotValues) {
    const TSplArray x = Knots({0.0, 1.0, 3.0, 3.5, 6.0, 7.0, 8.5, 9.0, 11.0, 12.0});
    const TSplArray y = Knots({5.0, -1.0, 2.0, 8.0, 7.5, 0.0, -3.0, 4.0, 6.0, 1.0});
    std::uint8_t error = 99;
    const auto v = Sample(kSplMaxKnots, x, y, std::vector<double>(x.begin() + 1, x.end()), error);
    EXPECT_EQ(error, kSplOk);
    for (int k = 1; k <= kSplMaxKnots; ++k) EXPECT_NEAR(v[k - 1], y[k], 1e-9) << k;
}

TEST(Spline, RightToLeftKnotsAreEvaluatedAndRestored) {
    const TSplArray xUp = Knots({0.0, 1.0, 3.0, 4.0});
    const TSplArray yUp = Knots({0.0, 2.0, 1.0, 4.0});
    const TSplArray xDown = Knots({4.0, 3.0, 1.0, 0.0});
    const TSplArray yDown = Knots({4.0, 1.0, 2.0, 0.0});
    const std::vector<double> at = {-0.5, 0.0, 0.5, 2.0, 3.0, 3.7, 4.0, 4.5};

    std::uint8_t errorUp = 99;
    const auto up = Sample(4, xUp, yUp, at, errorUp);
    ASSERT_EQ(errorUp, kSplOk);

    TSplArray x = xDown;
    TSplArray y = yDown;
    TSplSamples xs{};
    TSplSamples ys = Filled(kUntouched);
    for (std::size_t i = 0; i < at.size(); ++i) xs[i + 1] = at[i];
    std::uint8_t error = 99;
    Spline(4, x, y, static_cast<int>(at.size()), xs, ys, error);
    EXPECT_EQ(error, kSplOk);
    EXPECT_EQ(x, xDown);
    EXPECT_EQ(y, yDown);
    for (std::size_t i = 0; i < at.size(); ++i) EXPECT_NEAR(ys[i + 1], up[i], 1e-12) << at[i];
}

TEST(Spline, ErrorsAfterTheReversalLeaveTheKnotsReversed) {
    // Rising then falling: no order works.
    {
        TSplArray x = Knots({0.0, 1.0, 2.0, 1.5});
        TSplArray y = Knots({10.0, 11.0, 12.0, 13.0});
        TSplSamples xs = Filled(0.5);
        TSplSamples ys = Filled(kUntouched);
        std::uint8_t error = 0;
        Spline(4, x, y, 3, xs, ys, error);
        EXPECT_EQ(error, kSplNotIncreasing);
        EXPECT_EQ(x, Knots({1.5, 2.0, 1.0, 0.0}));
        EXPECT_EQ(y, Knots({13.0, 12.0, 11.0, 10.0}));
        EXPECT_EQ(ys, Filled(kUntouched));
    }
    // Falling with two knots too close: reversed, then refused as too close.
    {
        TSplArray x = Knots({3.0, 2.0, 1.95});
        TSplArray y = Knots({1.0, 2.0, 3.0});
        TSplSamples xs = Filled(2.5);
        TSplSamples ys = Filled(kUntouched);
        std::uint8_t error = 0;
        Spline(3, x, y, 2, xs, ys, error);
        EXPECT_EQ(error, kSplKnotsTooClose);
        EXPECT_EQ(x, Knots({1.95, 2.0, 3.0}));
        EXPECT_EQ(y, Knots({3.0, 2.0, 1.0}));
        EXPECT_EQ(ys, Filled(kUntouched));
    }
}

TEST(Spline, KnotSpacingLimitAndLastOffendingInterval) {
    auto run = [](TSplArray x, int n, std::uint8_t& error) {
        TSplArray y = Knots({1.0, 2.0, 3.0});
        const TSplArray xBefore = x;
        TSplSamples xs = Filled(0.05);
        TSplSamples ys = Filled(kUntouched);
        Spline(n, x, y, 5, xs, ys, error);
        EXPECT_EQ(x, xBefore);
        return ys[1];
    };
    std::uint8_t error = 99;
    EXPECT_EQ(run(Knots({0.0, 0.05}), 2, error), kUntouched);
    EXPECT_EQ(error, kSplKnotsTooClose);
    EXPECT_NE(run(Knots({0.0, 0.1}), 2, error), kUntouched);
    EXPECT_EQ(error, kSplOk);
    EXPECT_EQ(run(Knots({0.0, 0.05, 1.0}), 3, error), kUntouched);
    EXPECT_EQ(error, kSplKnotsTooClose);

    // A fall followed by a too-close rise reports the later fault, so the
    // right-to-left retry never happens and the knots stay as given.
    EXPECT_EQ(run(Knots({1.0, 0.0, 0.05}), 3, error), kUntouched);
    EXPECT_EQ(error, kSplKnotsTooClose);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    TSplArray h{};
    SplineCheck(3, Knots({0.0, nan, 2.0}), h, error);
    EXPECT_EQ(error, kSplKnotsTooClose);
}

TEST(Spline, RefusesMoreKnotsOrSamplesThanTheArraysHold) {
    TSplArray x{};
    TSplArray y{};
    for (int k = 0; k <= kSplMaxKnots; ++k) {
        x[k] = k;
        y[k] = k * k;
    }
    const TSplArray xBefore = x;
    const TSplArray yBefore = y;
    TSplSamples xs = Filled(2.5);
    TSplSamples ys = Filled(kUntouched);
    std::uint8_t error = 0;

    Spline(kSplMaxKnots + 1, x, y, 3, xs, ys, error);
    EXPECT_EQ(error, kSplTooMany);
    Spline(kSplMaxKnots, x, y, kSplMaxSamples + 1, xs, ys, error);
    EXPECT_EQ(error, kSplTooMany);
    EXPECT_EQ(x, xBefore);
    EXPECT_EQ(y, yBefore);
    EXPECT_EQ(ys, Filled(kUntouched));

    // Capacity follows the arrays actually passed; a guard cell after the
    // short output must survive.
    std::vector<double> shortYs(6, kUntouched);
    std::span<double> outYs(shortYs.data(), 5);
    Spline(3, x, y, 5, xs, outYs, error);
    EXPECT_EQ(error, kSplTooMany);
    EXPECT_EQ(shortYs, std::vector<double>(6, kUntouched));
    Spline(3, x, y, 4, xs, outYs, error);
    EXPECT_EQ(error, kSplOk);
    EXPECT_NE(shortYs[4], kUntouched);
    EXPECT_EQ(shortYs[5], kUntouched);

    const std::vector<double> shortXs(3, 2.5);
    Spline(3, x, y, 3, shortXs, ys, error);
    EXPECT_EQ(error, kSplTooMany);
    EXPECT_EQ(ys, Filled(kUntouched));

    Spline(kSplMaxKnots, x, y, kSplMaxSamples, xs, ys, error);
    EXPECT_EQ(error, kSplOk);
    EXPECT_NEAR(ys[kSplMaxSamples], SampleOne(kSplMaxKnots, x, y, 2.5), 1e-12);
}

TEST(Spline, SamplesMayShareOneArray) {
    // Eight positions per interval from the second interval on, the first
    // eight left at zero, and the values written over the positions.
    TSplArray x = Knots({0.0, 2.0, 5.0});
    TSplArray y = Knots({1.0, 3.0, 2.0});
    TSplSamples s{};
    std::vector<double> at;
    for (int k = 2; k <= 3; ++k) {
        for (int j = 1; j <= 8; ++j) {
            s[8 * (k - 1) + j] = x[k - 1] + (x[k] - x[k - 1]) * j / 9.0;
            at.push_back(s[8 * (k - 1) + j]);
        }
    }
    std::uint8_t error = 99;
    Spline(3, x, y, 24, s, s, error);
    ASSERT_EQ(error, kSplOk);
    for (std::size_t i = 0; i < at.size(); ++i) {
        EXPECT_NEAR(s[9 + i], SampleOne(3, x, y, at[i]), 1e-12) << i;
    }
    EXPECT_NEAR(s[1], SampleOne(3, x, y, 0.0), 1e-12);
    EXPECT_NEAR(s[1], 1.0, 1e-12);
}

}  // namespace
}  // namespace liquidus
