#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "canvas_test_util.h"

namespace liquidus {
namespace {

TEST(TBitmap, StartsWhiteAndResizesKeepingPixels) {
    TBitmap bitmap(4, 3);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(testing::Changed(bitmap).size(), 0u);

    bitmap.Canvas().SetPixel(3, 2, clRed);
    bitmap.Canvas().SetPixel(1, 1, clBlue);
    bitmap.SetSize(6, 5);
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clBlue);
    EXPECT_EQ(testing::Changed(bitmap).size(), 2u);  // new area white

    bitmap.SetWidth(2);
    bitmap.SetHeight(2);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clBlue);
    bitmap.SetSize(4, 4);
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), clWhite);  // cut off, then regrown white

    TBitmap empty;
    EXPECT_EQ(empty.Width(), 0);
    empty.Canvas().SetPixel(0, 0, clRed);
    empty.Canvas().LineTo(10, 10);
    empty.Canvas().Ellipse(0, 0, 10, 10);
    EXPECT_EQ(empty.Canvas().Pixel(0, 0), kInvalidColor);
    empty.SetSize(-3, 2);
    EXPECT_EQ(empty.Width(), 0);
}

TEST(TCanvas, ColoursAreStoredRedInTheLowByte) {
    TBitmap bitmap(3, 1);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetPixel(0, 0, 0x00FFFFE0);  // RGB(224, 255, 255)
    canvas.SetPixel(1, 0, RGB(1, 2, 3));
    EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgb(224, 255, 255));
    EXPECT_EQ(bitmap.Image().pixel(1, 0), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(1, 2, 3));
    EXPECT_EQ(canvas.Pixel(-1, 0), kInvalidColor);
    EXPECT_EQ(canvas.Pixel(3, 0), kInvalidColor);
    EXPECT_EQ(canvas.Pixel(0, 1), kInvalidColor);
    canvas.SetPixel(3, 0, clRed);  // ignored
    canvas.SetPixel(0, -1, clRed);
    EXPECT_EQ(canvas.Pixel(2, 0), clWhite);
}

TEST(TCanvas, SystemColoursResolveBeforeDrawing) {
    TBitmap bitmap(4, 4);
    TCanvas& canvas = bitmap.Canvas();
    // Without a resolver: the classic desktop scheme.
    EXPECT_EQ(canvas.Resolve(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(canvas.Resolve(clWindowFrame), clBlack);
    EXPECT_EQ(canvas.Resolve(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(canvas.GetNearestColor(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(canvas.GetNearestColor(RGB(17, 34, 51)), RGB(17, 34, 51));
    EXPECT_EQ(DefaultSystemColor(kSystemColorFlag | 5), clWhite);
    EXPECT_EQ(DefaultSystemColor(kSystemColorFlag | 13), TColor{0x006A240A});
    EXPECT_EQ(DefaultSystemColor(RGB(1, 2, 3)), RGB(1, 2, 3));

    std::vector<TColor> asked;
    bitmap.SetSystemColorResolver([&asked](TColor c) {
        asked.push_back(c);
        return c == clBtnFace ? RGB(10, 20, 30) : RGB(40, 50, 60);
    });
    EXPECT_EQ(canvas.GetNearestColor(clBtnFace), RGB(10, 20, 30));
    canvas.Brush.Color = clBtnFace;
    canvas.Pen.Color = clWindowFrame;
    canvas.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(40, 50, 60));
    canvas.SetPixel(3, 3, clInfoBk);
    EXPECT_EQ(canvas.Pixel(3, 3), RGB(40, 50, 60));
    EXPECT_EQ(asked.front(), clBtnFace);
    EXPECT_NE(std::find(asked.begin(), asked.end(), clInfoBk), asked.end());

    // A resolver answering with another system colour falls back to the
    // default scheme rather than drawing a meaningless value.
    bitmap.SetSystemColorResolver([](TColor) { return clBtnFace; });
    EXPECT_EQ(canvas.Resolve(clInfoBk), RGB(255, 255, 225));
}

TEST(TCanvas, CopyModes) {
    TBitmap source(4, 2);
    testing::PaintStripes(source);
    TBitmap target(6, 4);
    testing::PaintStripes(target);
    const TColor before = target.Canvas().Pixel(3, 2);
    const TColor sourcePixel = source.Canvas().Pixel(1, 1);

    target.Canvas().CopyMode = TCopyMode::cmSrcInvert;
    target.Canvas().Draw(2, 1, source);
    EXPECT_EQ(target.Canvas().Pixel(3, 2), before ^ sourcePixel);
    target.Canvas().Draw(2, 1, source);  // XOR twice restores
    EXPECT_EQ(target.Canvas().Pixel(3, 2), before);

    target.Canvas().CopyMode = TCopyMode::cmSrcCopy;
    target.Canvas().Draw(2, 1, source);
    EXPECT_EQ(target.Canvas().Pixel(3, 2), sourcePixel);
    EXPECT_EQ(target.Canvas().Pixel(2, 1), source.Canvas().Pixel(0, 0));
    EXPECT_EQ(target.Canvas().Pixel(5, 2), source.Canvas().Pixel(3, 1));
    EXPECT_NE(target.Canvas().Pixel(1, 1), source.Canvas().Pixel(0, 0));  // left of it untouched

    target.Canvas().CopyMode = TCopyMode::cmBlackness;
    target.Canvas().CopyRect({0, 0, 2, 1}, source.Canvas(), {0, 0, 2, 1});
    EXPECT_EQ(target.Canvas().Pixel(0, 0), clBlack);
    EXPECT_EQ(target.Canvas().Pixel(1, 0), clBlack);
    EXPECT_NE(target.Canvas().Pixel(2, 0), clBlack);
    EXPECT_NE(target.Canvas().Pixel(0, 1), clBlack);

    // Copying within one bitmap reads the picture as it was.
    TBitmap strip(6, 1);
    for (int x = 0; x < 6; ++x) {
        strip.Canvas().SetPixel(x, 0, RGB(x, 0, 0));
    }
    strip.Canvas().CopyRect({1, 0, 6, 1}, strip.Canvas(), {0, 0, 5, 1});
    for (int x = 1; x < 6; ++x) {
        EXPECT_EQ(strip.Canvas().Pixel(x, 0), RGB(x - 1, 0, 0));
    }
}

TEST(TCanvas, StretchDrawIsNearestNeighbour) {
    TBitmap source(2, 2);
    source.Canvas().SetPixel(0, 0, clRed);
    source.Canvas().SetPixel(1, 0, clLime);
    source.Canvas().SetPixel(0, 1, clBlue);
    source.Canvas().SetPixel(1, 1, clBlack);
    TBitmap target(8, 8);
    target.Canvas().StretchDraw({1, 1, 7, 5}, source);  // 3x horizontally, 2x vertically
    const std::vector<std::pair<TColor, char>> legend = {
        {clWhite, '.'}, {clRed, 'r'}, {clLime, 'g'}, {clBlue, 'b'}, {clBlack, '#'}};
    EXPECT_EQ(testing::Picture(target, 0, 0, 8, 6, legend),
              (std::vector<std::string>{"........",
                                        ".rrrggg.",
                                        ".rrrggg.",
                                        ".bbb###.",
                                        ".bbb###.",
                                        "........"}));
    // Shrinking picks the pixels under the destination pixel centres, and a
    // reversed destination mirrors.
    TBitmap wide(4, 1);
    for (int x = 0; x < 4; ++x) {
        wide.Canvas().SetPixel(x, 0, RGB(x, 0, 0));
    }
    TBitmap small(2, 1);
    small.Canvas().StretchDraw({0, 0, 2, 1}, wide);
    EXPECT_EQ(small.Canvas().Pixel(0, 0), RGB(1, 0, 0));
    EXPECT_EQ(small.Canvas().Pixel(1, 0), RGB(3, 0, 0));
    TBitmap mirrored(4, 1);
    mirrored.Canvas().StretchDraw({4, 0, 0, 1}, wide);
    EXPECT_EQ(mirrored.Canvas().Pixel(0, 0), RGB(3, 0, 0));
    EXPECT_EQ(mirrored.Canvas().Pixel(3, 0), RGB(0, 0, 0));
}

}  // namespace
}  // namespace liquidus
