// Recorded drawings: the traced outline of a fill covers exactly its pixels,
// and a replayed fill stays under the lines it stopped at.

#include <gtest/gtest.h>

#include <QPainterPath>
#include <QRandomGenerator>

#include "canvas/canvas.h"
#include "canvas/drawing.h"
#include "canvas/figurefile.h"

namespace liquidus {
namespace {

// Blobs of random rectangles with random holes: concave outlines, islands,
// holes and pixels touching only at a corner.
std::vector<std::vector<char>> RandomMask(QRandomGenerator& random, int side) {
    std::vector<std::vector<char>> mask(side, std::vector<char>(side, 0));
    for (int k = 0; k < 12; ++k) {
        const int x = random.bounded(side - 2), y = random.bounded(side - 2);
        const int w = 1 + random.bounded(side - x - 1), h = 1 + random.bounded(side - y - 1);
        const char value = k % 3 == 2 ? 0 : 1;
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) mask[j][i] = value;
        }
    }
    return mask;
}

std::vector<TPixelRun> RunsOf(const std::vector<std::vector<char>>& mask) {
    std::vector<TPixelRun> runs;
    for (int y = 0; y < static_cast<int>(mask.size()); ++y) {
        for (int x = 0; x < static_cast<int>(mask[y].size()); ++x) {
            if (!mask[y][x]) continue;
            int right = x;
            while (right + 1 < static_cast<int>(mask[y].size()) && mask[y][right + 1]) ++right;
            runs.push_back({y, x, right});
            x = right;
        }
    }
    return runs;
}

TEST(Drawing, TracedRunsCoverTheirPixelsExactlyAndWithinTheToleranceWhenSmoothed) {
    QRandomGenerator random(20261209);
    constexpr int kSide = 40;
    for (int round = 0; round < 60; ++round) {
        const auto mask = RandomMask(random, kSide);
        const std::vector<TPixelRun> runs = RunsOf(mask);
        const QPainterPath exact = TraceRuns(runs, 0.0);
        const QPainterPath smooth = TraceRuns(runs, 0.5);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const bool in = mask[y][x];
                ASSERT_EQ(exact.contains(QPointF(x + 0.5, y + 0.5)), in) << round << ": " << x << "," << y;
                // Smoothing moves the outline at most the tolerance off the
                // pixel edges: a pixel whose 3x3 block agrees keeps its centre.
                bool uniform = true;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int i = x + dx, j = y + dy;
                        const bool other = i >= 0 && j >= 0 && i < kSide && j < kSide && mask[j][i];
                        uniform = uniform && other == in;
                    }
                }
                if (uniform) {
                    ASSERT_EQ(smooth.contains(QPointF(x + 0.5, y + 0.5)), in) << round << ": " << x << "," << y;
                }
            }
        }
    }
}

TEST(Drawing, AReplayedFillStaysUnderTheLinesItStoppedAtAndLinesGrowWithTheScale) {
    TBitmap bitmap(40, 40);
    TDrawing drawing;
    drawing.Width = drawing.Height = 40;
    drawing.LineScale = 3;
    TCanvas& canvas = bitmap.Canvas();
    canvas.Recording = &drawing;
    canvas.Pen.Color = clBlack;
    canvas.Polyline({{5, 5}, {35, 5}, {35, 35}, {5, 35}, {5, 5}});
    canvas.Brush.Color = clRed;
    ASSERT_TRUE(canvas.FloodFill(20, 20, clBlack));
    const QImage image = FigureImage(drawing, 400, 400);
    // A 1-pixel line drawn 3 wide at 10x: 30 pixels of black across x = 55.
    for (const int x : {45, 55, 65}) EXPECT_EQ(image.pixel(x, 200) & 0xFFFFFF, 0u) << x;
    EXPECT_EQ(image.pixel(85, 200) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(200, 200) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(20, 200) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace liquidus
