#include "canvas/pointertag.h"

namespace liquidus {

namespace {
constexpr int kTagFontSize = 8;
constexpr int kPointerSize = 6;
}  // namespace

void DrawPointerTag(TCanvas& canvas, int x, int y, const std::string& text, bool opensLeft) {
    canvas.Font.Name = "Arial";
    canvas.Font.Size = kTagFontSize;
    canvas.Font.Color = clBlack;
    canvas.Font.Bold = false;
    canvas.Font.Italic = false;
    int w = canvas.TextWidth(text) + 6;
    const int h = canvas.TextHeight(text) + 4;
    if (opensLeft) w = -w;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Brush.Color = clInfoBk;
    canvas.Polygon({{x, y - 1}, {x + w, y - 1}, {x + w, y - h - 1}, {x, y - h - 1}});
    canvas.TextOut(w < 0 ? x + w + 4 : x + 4, y - h + 1, text);
    canvas.Brush.Color = clRed;
    canvas.Polygon({{x, y - 1},
                    {x, y - 1 - kPointerSize},
                    {w < 0 ? x - kPointerSize : x + kPointerSize, y - 1}});
}

}  // namespace liquidus
