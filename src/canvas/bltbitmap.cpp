#include "canvas/bltbitmap.h"

namespace liquidus {

void TBltBitmap::MakeLike(const TBitmap& source) {
    SetSystemColorResolver(source.SystemColorResolver());
    SetSize(source.Width(), source.Height());
    Canvas().Brush.Color = clWindowFrame;
    Canvas().Brush.Style = TBrushStyle::bsSolid;
    Canvas().FillRect({0, 0, Width(), Height()});
}

void ClearBitmap(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    const TRect all{0, 0, bitmap.Width(), bitmap.Height()};
    canvas.CopyMode = TCopyMode::cmBlackness;
    canvas.CopyRect(all, canvas, all);
    canvas.CopyMode = TCopyMode::cmSrcCopy;
}

}  // namespace liquidus
