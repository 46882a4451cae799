#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

#include "canvas/canvas.h"
#include "canvas_test_util.h"

namespace liquidus {
namespace {

constexpr TColor kBackground = RGB(200, 30, 30);
constexpr TColor kBrush = RGB(255, 255, 150);
constexpr TColor kInk = RGB(20, 40, 160);

TEST(Text, CellInBrushColourGlyphsExactlyInFontColour) {
    TBitmap bitmap(120, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = kBackground;
    canvas.FillRect({0, 0, 120, 40});
    canvas.Brush.Color = kBrush;
    canvas.Font.Color = kInk;
    const std::string text = "Hg Mullite 1890";
    const int left = 7;
    const int top = 9;
    const int width = canvas.TextWidth(text);
    const int height = canvas.TextHeight(text);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    canvas.TextOut(left, top, text);

    int ink = 0;
    int inkTop = height;
    int inkBottom = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const TColor c = canvas.Pixel(x, y);
            const bool inCell = x >= left && x < left + width && y >= top && y < top + height;
            if (inCell) {
                // No blended edge pixels: brush or ink, nothing in between.
                ASSERT_TRUE(c == kBrush || c == kInk) << x << "," << y << " " << std::hex << c;
                if (c == kInk) {
                    ++ink;
                    inkTop = std::min(inkTop, y - top);
                    inkBottom = std::max(inkBottom, y - top);
                }
            } else {
                ASSERT_TRUE(c == kBackground || c == kInk) << x << "," << y;
            }
        }
    }
    EXPECT_GT(ink, 40);
    // 'H' reaches the ascent line area, 'g' goes below the baseline.
    EXPECT_LT(inkTop, height / 2);
    EXPECT_GT(inkBottom, height * 2 / 3);
    // The cell edges: the fill starts exactly at (left, top).
    EXPECT_EQ(canvas.Pixel(left - 1, top), kBackground);
    EXPECT_EQ(canvas.Pixel(left, top - 1), kBackground);
    EXPECT_EQ(canvas.Pixel(left, top), kBrush);
    EXPECT_EQ(canvas.Pixel(left + width - 1, top + height - 1), kBrush);
    EXPECT_EQ(canvas.Pixel(left + width, top + height - 1), kBackground);
    EXPECT_EQ(canvas.Pixel(left + width - 1, top + height), kBackground);
}

TEST(Text, MetricsComeFromTheFontAtNinetySixDpi) {
    TBitmap bitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 8;

    QFont reference("Arial");
    reference.setPixelSize(11);  // 8 pt at 96 dpi
    const QFontMetrics metrics(reference);
    EXPECT_EQ(canvas.TextHeight("Xg"), metrics.ascent() + metrics.descent());
    EXPECT_NEAR(canvas.TextWidth("Liquidus"), metrics.horizontalAdvance("Liquidus"), 2);

    // Whole-pixel advances: a text is as wide as its characters together.
    const std::string text = "MgO-SiO2-Al2O3";
    int sum = 0;
    for (char c : text) {
        sum += canvas.TextWidth(std::string(1, c));
    }
    EXPECT_EQ(canvas.TextWidth(text), sum);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_LT(canvas.TextWidth("iii"), canvas.TextWidth("WWW"));

    const int height8 = canvas.TextHeight("X");
    canvas.Font.Size = 16;
    EXPECT_NEAR(canvas.TextHeight("X"), 2 * height8, 2);
    const int regular = canvas.TextWidth("Liquidus");
    canvas.Font.Bold = true;
    EXPECT_GT(canvas.TextWidth("Liquidus"), regular);

    // Nonsense sizes still give a usable font.
    canvas.Font.Size = 0;
    EXPECT_GT(canvas.TextHeight("X"), 0);
    canvas.Font.Size = -12;
    EXPECT_GE(canvas.TextWidth("X"), 0);
    canvas.TextOut(0, 0, "X");
}

TEST(Text, EmptyTextDrawsNothing) {
    TBitmap bitmap(20, 20);
    bitmap.Canvas().Brush.Color = clRed;
    bitmap.Canvas().TextOut(2, 2, "");
    EXPECT_TRUE(testing::Changed(bitmap).empty());
}

TEST(Text, ItalicAndResolvedColours) {
    TBitmap bitmap(80, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font.Italic = true;
    canvas.Font.Color = clWindowFrame;  // system colour: black
    canvas.Brush.Color = clInfoBk;
    canvas.TextOut(2, 2, "Forsterite");
    for (const auto& [x, y] : testing::Changed(bitmap)) {
        const TColor c = canvas.Pixel(x, y);
        ASSERT_TRUE(c == clBlack || c == RGB(255, 255, 225)) << x << "," << y;
    }
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(255, 255, 225));
}

}  // namespace
}  // namespace liquidus
