#pragma once
// The layers of a diagram drawn on a bitmap of its own size, with the box
// of every text drawn: for checking that labels keep clear of the texts.

#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "ternary/ternagram.h"

namespace liquidus::test {

inline bool Overlaps(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

/// Lays `d` out at width x height, draws its layers and returns the text boxes.
inline std::vector<TRect> DrawnTextBoxes(TTernagram& d, int width, int height) {
    d.SetBounds(width, height);
    d.CalcLayout();
    TBitmap picture(width, height);
    std::vector<TRect> texts;
    TCanvas& canvas = picture.Canvas();
    canvas.OnTextOut = [&](int x, int y, const std::string& text) {
        texts.push_back({x, y, x + canvas.TextWidth(text), y + canvas.TextHeight(text)});
    };
    d.DrawLayers(picture, clWhite);
    texts.push_back(d.ValuesTableBox(canvas));
    return texts;
}

}  // namespace liquidus::test
