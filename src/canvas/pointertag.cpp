#include "canvas/pointertag.h"

#include <algorithm>
#include <cmath>

namespace liquidus {

namespace {
constexpr int kTagFontSize = 8;
constexpr int kPointerSize = 6;
}  // namespace

void DrawPointerTag(TCanvas& canvas, int x, int y, const std::string& text, bool opensLeft,
                    double scale) {
    const auto px = [scale](int n) {
        return scale == 1.0 ? n : std::max(static_cast<int>(std::lround(n * scale)), 1);
    };
    canvas.Font.Name = "Arial";
    canvas.Font.Size = px(kTagFontSize);
    canvas.Font.Color = clBlack;
    canvas.Font.Bold = false;
    canvas.Font.Italic = false;
    int w = canvas.TextWidth(text) + px(6);
    const int h = canvas.TextHeight(text) + px(4);
    if (opensLeft) w = -w;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = px(1);
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Brush.Color = clInfoBk;
    canvas.Polygon({{x, y - 1}, {x + w, y - 1}, {x + w, y - h - 1}, {x, y - h - 1}});
    canvas.TextOut(w < 0 ? x + w + px(4) : x + px(4), y - h + px(1), text);
    canvas.Brush.Color = clRed;
    const int pointer = px(kPointerSize);
    canvas.Polygon({{x, y - 1}, {x, y - 1 - pointer}, {w < 0 ? x - pointer : x + pointer, y - 1}});
}

}  // namespace liquidus
