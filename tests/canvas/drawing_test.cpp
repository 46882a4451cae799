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

TEST(Drawing, TracedRunsCoverTheirPixelsExactlyAndWithinTheToleranceWhenSmoothed) {
    QRandomGenerator random(20261209);
    constexpr int kSide = 40;
    for (int round = 0; round < 60; ++round) {
        // Random rectangles, every third a hole: concave outlines, islands,
        // holes and pixels that touch only at a corner.
        std::vector<std::vector<char>> in(kSide, std::vector<char>(kSide, 0));
        for (int k = 0; k < 12; ++k) {
            const int x = random.bounded(kSide - 2), y = random.bounded(kSide - 2);
            const int w = 1 + random.bounded(kSide - x - 1), h = 1 + random.bounded(kSide - y - 1);
            for (int j = y; j < y + h; ++j) std::fill_n(in[j].begin() + x, w, k % 3 != 2);
        }
        std::vector<TPixelRun> runs;  // one pixel each: runs may touch
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                if (in[y][x]) runs.push_back({y, x, x});
            }
        }
        const QPainterPath exact = TraceRuns(runs, 0.0);
        const QPainterPath smooth = TraceRuns(runs, 0.5);
        const auto at = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < kSide && y < kSide && in[y][x];
        };
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const QPointF centre(x + 0.5, y + 0.5);
                ASSERT_EQ(exact.contains(centre), at(x, y)) << round << ": " << x << "," << y;
                // Smoothing moves the outline at most the tolerance off the
                // pixel edges: a pixel whose 3x3 block agrees keeps its centre.
                bool uniform = true;
                for (int d = 0; d < 9; ++d) uniform &= at(x + d % 3 - 1, y + d / 3 - 1) == at(x, y);
                if (uniform) {
                    ASSERT_EQ(smooth.contains(centre), at(x, y)) << round << ": " << x << "," << y;
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
